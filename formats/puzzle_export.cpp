#include "formats/puzzle_export.h"

#include "formats/file_writing.h"
#include "formats/puzzle_sheet.h"

QString SolutionPicturePath(const QString& path) {
    QString stem = path;
    if (stem.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        stem.chop(4);
    return stem + QStringLiteral("-solution.png");
}

std::vector<ExportFile> ExportFiles(const Puzzle& puzzle, PuzzleFileFormat format,
                                    const QString& path, const QString& verdict,
                                    std::string_view author) {
    switch (format) {
        case PuzzleFileFormat::kNon:
        case PuzzleFileFormat::kXml:
            return {{path, QByteArray::fromStdString(WritePuzzleText(puzzle, format, author))}};
        case PuzzleFileFormat::kPng: {
            std::vector<ExportFile> files{{path, PuzzlePng(puzzle, false)}};
            if (puzzle.HasAnswer())
                files.push_back({SolutionPicturePath(path), PuzzlePng(puzzle, true)});
            return files;
        }
        case PuzzleFileFormat::kPdf:
            return {{path, PuzzlePdf(puzzle, QString::fromStdString(puzzle.title), verdict)}};
    }
    return {};
}

QString WriteExportFiles(const std::vector<ExportFile>& files) {
    std::vector<FileToWrite> writes;
    for (const ExportFile& file : files)
        writes.push_back({file.path, file.bytes});
    return SaveFilesAtomically(writes);
}
