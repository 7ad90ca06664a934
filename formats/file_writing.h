// Writing files so that each is either wholly new or wholly old: the bytes go to a temporary
// file in the same folder, which then replaces the file in one step.  Several files written
// together (a puzzle picture and its solution) replace their old files all or none.  Only a
// new name or a regular file is written: a named pipe, a device or a folder in the way is
// refused, never replaced.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

struct FileToWrite {
    QString path;  // a name as NameFromNative gives it: any bytes the system allows
    QByteArray bytes;
};

// Writes every file, or none.  Returns an empty string, or the name of the file that could not
// be written and the reason ("NAME: reason"); the old files are then as they were.
QString SaveFilesAtomically(const std::vector<FileToWrite>& files);

// Writes `bytes` to `path`.  Returns an empty string, or the reason the system gave when the
// file could not be written (the old file, if any, is then untouched).
QString SaveFileAtomically(const QString& path, const QByteArray& bytes);
