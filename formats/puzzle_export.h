// Exporting a puzzle: the files a chosen name and format give (.non, .xml, .pdf, or .png with
// NAME-solution.png beside it) with their contents, and writing them.
#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>
#include <vector>

#include "formats/puzzle_file.h"
#include "model/puzzle.h"

struct ExportFile {
    QString path;
    QByteArray bytes;
};

// The solution picture that goes with a .png: "NAME.png" gives "NAME-solution.png".
QString SolutionPicturePath(const QString& path);

// The files of an export to `path`.  The title of the pages is the puzzle's; the verdict is
// printed under the puzzle on the .pdf pages.  A .png gets its solution picture only when the
// answer is known.
std::vector<ExportFile> ExportFiles(const Puzzle& puzzle, PuzzleFileFormat format,
                                    const QString& path, const QString& verdict,
                                    std::string_view author = {});

// Writes the files through temporary files, all or none: returns the name of the first that
// failed and the reason, or an empty string when all were written.
QString WriteExportFiles(const std::vector<ExportFile>& files);
