// Writing a file so that it is either wholly new or wholly old: the bytes go to a temporary
// file in the same folder, which then replaces the file in one step.
#pragma once

#include <QByteArray>
#include <QString>

// Writes `bytes` to `path`.  Returns an empty string, or the reason the system gave when the
// file could not be written (the old file, if any, is then untouched).
QString SaveFileAtomically(const QString& path, const QByteArray& bytes);
