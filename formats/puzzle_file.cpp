#include "formats/puzzle_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include "formats/non_format.h"
#include "formats/xml_format.h"
#include "image/native_name.h"
#include "image/regular_file.h"

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
    if (s.size() < suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (Lower(s[s.size() - suffix.size() + i]) != suffix[i])
            return false;
    return true;
}

// True when the text, after a byte-order mark and blanks, begins with '<'.
bool LooksLikeXml(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && text[first] == '<';
}

PuzzleReadResult Refused(const char* reason) {
    PuzzleReadResult r;
    r.error = QCoreApplication::translate("PuzzleFile", reason).toStdString();
    return r;
}

}  // namespace

std::optional<PuzzleFileFormat> PuzzleFormatOfPath(std::string_view path) {
    for (PuzzleFileFormat f : {PuzzleFileFormat::kNon, PuzzleFileFormat::kXml,
                               PuzzleFileFormat::kPng, PuzzleFileFormat::kPdf}) {
        if (EndsWithNoCase(path, std::string(".") + PuzzleFormatExtension(f)))
            return f;
    }
    return std::nullopt;
}

const char* PuzzleFormatExtension(PuzzleFileFormat format) {
    switch (format) {
        case PuzzleFileFormat::kNon:
            return "non";
        case PuzzleFileFormat::kXml:
            return "xml";
        case PuzzleFileFormat::kPng:
            return "png";
        case PuzzleFileFormat::kPdf:
            return "pdf";
    }
    return "";
}

PuzzleReadResult ReadPuzzleText(std::string_view text, std::optional<PuzzleFileFormat> format) {
    if (!format || !IsPuzzleTextFormat(*format))
        format = LooksLikeXml(text) ? PuzzleFileFormat::kXml : PuzzleFileFormat::kNon;
    return *format == PuzzleFileFormat::kXml ? ReadPuzzleXml(text) : ReadNon(text);
}

PuzzleReadResult ReadPuzzleFile(const std::string& path, std::optional<PuzzleFileFormat> format) {
    if (!format)
        format = PuzzleFormatOfPath(path);
    QFile file;
    switch (OpenRegularFile(NameFromNative(path), file)) {
        case RegularFileOpen::kNotRegularFile:
            return Refused(QT_TRANSLATE_NOOP("PuzzleFile", "ファイルではありません"));
        case RegularFileOpen::kFailed:
            return Refused(QT_TRANSLATE_NOOP("PuzzleFile", "ファイルを開けません"));
        case RegularFileOpen::kOpened:
            break;
    }
    // The limit of the format the name promises; a file that turns out to be the other kind
    // is measured against its own limit below.
    const std::size_t limit =
        format == PuzzleFileFormat::kNon ? kMaxNonFileBytes : kMaxXmlFileBytes;
    const QByteArray bytes = file.read(static_cast<qint64>(limit) + 1);
    if (file.error() != QFileDevice::NoError)
        return Refused(QT_TRANSLATE_NOOP("PuzzleFile", "ファイルを読めません"));
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (text.size() > limit)
        return Refused(QT_TRANSLATE_NOOP("PuzzleFile", "ファイルが大きすぎます"));
    if (!format || !IsPuzzleTextFormat(*format))
        format = LooksLikeXml(text) ? PuzzleFileFormat::kXml : PuzzleFileFormat::kNon;
    if (*format == PuzzleFileFormat::kNon && text.size() > kMaxNonFileBytes)
        return Refused(QT_TRANSLATE_NOOP("PuzzleFile", "ファイルが大きすぎます"));
    return ReadPuzzleText(text, format);
}

std::string WritePuzzleText(const Puzzle& puzzle, PuzzleFileFormat format,
                            std::string_view author) {
    return format == PuzzleFileFormat::kXml ? WritePuzzleXml(puzzle, author)
                                            : WriteNon(puzzle, author);
}

// Declared with the .non reader; defined here with the other file reading, so that the .non
// reader needs nothing of this file.
PuzzleReadResult ReadNonFile(const std::string& path) {
    return ReadPuzzleFile(path, PuzzleFileFormat::kNon);
}
