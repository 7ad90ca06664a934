// Opening a picture file for reading without ever waiting.  A named pipe with no writer, a
// device or a socket would hold open() or read() for ever, so only regular files are opened.
#pragma once

#include <QFile>
#include <QString>

enum class RegularFileOpen {
    kOpened,
    kNotRegularFile,  // a folder, a named pipe, a device or a socket
    kFailed,          // missing, or not readable
};

// Refuses a path that names something other than a regular file (symbolic links followed)
// before opening it, opens it without blocking and checks the opened file once more, in case
// the path was replaced in between.  On kOpened, file is open read-only.
RegularFileOpen OpenRegularFile(const QString& path, QFile& file);
