// File names as the system stores them: bytes, which need not be UTF-8 (a name from an old
// archive may be Shift-JIS).  Qt turns names into text by UTF-8 and loses such bytes, so that
// the file could not be found again; these two keep every byte.  A byte that is not part of a
// UTF-8 character becomes the lone surrogate U+DC80..U+DCFF and turns back into that byte, so
// that any name survives the trip through a QString.  Shown to the user, such a character
// appears as a replacement mark.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <string>

// The text of a name's bytes: valid UTF-8 decoded, every other byte kept as a lone surrogate.
QString NameFromNative(const QByteArray& bytes);
inline QString NameFromNative(const std::string& bytes) {
    return NameFromNative(QByteArray::fromStdString(bytes));
}
// The bytes of a name given by NameFromNative (or any text): the kept bytes come back as they
// were, the rest is UTF-8.
QByteArray NativeFromName(const QString& name);
// The local file a URL names (a dropped file), its bytes kept as NameFromNative keeps them.
QString LocalFileOf(const QUrl& url);
// A name as Qt shows it (bytes that are not UTF-8 turned into U+FFFD, as Qt's own file dialog
// lists them) turned back into the name of the file it shows: when no file has that name, the
// one file of its folder shown under it.  Any other name is given back as it is.
QString ExistingName(const QString& shown);
// The name for messages and titles: kept bytes shown as U+FFFD.
QString DisplayName(const QString& name);
