#include "image/native_name.h"

#include <dirent.h>
#include <sys/stat.h>

namespace {

constexpr char16_t kKeptByteBase = 0xDC00;  // U+DC80..U+DCFF: bytes 0x80..0xFF

bool IsKeptByte(QChar c, const QString& name, qsizetype i) {
    // A low surrogate with no high surrogate before it.
    const char16_t u = c.unicode();
    return u >= 0xDC80 && u <= 0xDCFF && (i == 0 || !name[i - 1].isHighSurrogate());
}

// The length of the valid UTF-8 character at bytes[i], or 0.
int Utf8Length(const QByteArray& bytes, qsizetype i) {
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char b = at(i);
    int length = 0;
    char32_t code = 0;
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        code = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        code = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        code = b & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (at(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are not characters.
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

}  // namespace

QString NameFromNative(const QByteArray& bytes) {
    QString name;
    name.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = Utf8Length(bytes, i);
        if (length == 0) {
            name +=
                QChar(static_cast<char16_t>(kKeptByteBase + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        name += QString::fromUtf8(bytes.constData() + i, length);
        i += length;
    }
    return name;
}

QByteArray NativeFromName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype start = 0;  // the text not yet encoded
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!IsKeptByte(name[i], name, i))
            continue;
        bytes += QStringView(name).mid(start, i - start).toUtf8();
        bytes += static_cast<char>(name[i].unicode() - kKeptByteBase);
        start = i + 1;
    }
    bytes += QStringView(name).mid(start).toUtf8();
    return bytes;
}

QString DisplayName(const QString& name) {
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (IsKeptByte(shown[i], shown, i))
            shown[i] = QChar(0xFFFD);
    return shown;
}

QString LocalFileOf(const QUrl& url) {
    // Bytes that are not UTF-8 stay percent-encoded in the URL: decoded here, they are the
    // name's own.
    if (!url.isLocalFile())
        return QString();
    return NameFromNative(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QString ExistingName(const QString& shown) {
    struct stat status {};
    if (!shown.contains(QChar(0xFFFD)) || ::stat(NativeFromName(shown).constData(), &status) == 0)
        return shown;
    const qsizetype slash = shown.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QString() : shown.left(slash + 1);
    const QString leaf = shown.mid(slash + 1);
    DIR* dir = ::opendir(folder.isEmpty() ? "." : NativeFromName(folder).constData());
    if (!dir)
        return shown;
    QString found;
    int matches = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = NameFromNative(QByteArray(entry->d_name));
        if (DisplayName(name) == leaf && ++matches == 1)
            found = folder + name;
    }
    ::closedir(dir);
    return matches == 1 ? found : shown;
}
