#include "formats/xml_prescan.h"

#include <QtGlobal>
#include <algorithm>
#include <cstdint>

namespace {

// The length of the valid UTF-8 character at the start of `s`, or 0.
int Utf8Length(std::string_view s) {
    const auto b = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
    const std::uint8_t lead = b(0);
    if (lead < 0x80)
        return 1;
    int length = 0;
    std::uint8_t low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (s.size() < static_cast<std::size_t>(length) || b(1) < low || b(1) > high)
        return 0;
    for (int k = 2; k < length; ++k)
        if ((b(k) & 0xC0) != 0x80)
            return 0;
    return length;
}

// True when the XML declaration names an encoding other than UTF-8 (or the text begins with a
// byte-order mark of UTF-16 or UTF-32): the bytes are then the reader's to decode.
bool OtherEncoding(std::string_view text) {
    if (text.size() >= 2 &&
        ((text[0] == '\xFE' && text[1] == '\xFF') || (text[0] == '\xFF' && text[1] == '\xFE') ||
         text[0] == '\0' || text[1] == '\0'))
        return true;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    if (text.substr(0, 5) != "<?xml")
        return false;
    const std::string_view declaration = text.substr(0, text.find("?>"));
    const std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos)
        return false;
    std::size_t quote = declaration.find_first_of("\"'", at);
    if (quote == std::string_view::npos)
        return false;
    const std::size_t end = declaration.find(declaration[quote], quote + 1);
    const std::string_view name = declaration.substr(quote + 1, end - quote - 1);
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return !std::equal(name.begin(), name.end(), std::string_view("utf-8").begin(),
                       std::string_view("utf-8").end(),
                       [&](char a, char b) { return lower(a) == b; });
}

class Scanner {
public:
    Scanner(std::string_view text, bool checkUtf8) : text_(text), checkUtf8_(checkUtf8) {}

    XmlPrescan Run() {
        while (pos_ < text_.size() && !result_.error) {
            const char c = text_[pos_];
            if (c == '<') {
                Markup();
                continue;
            }
            Step();
        }
        return result_;
    }

private:
    // Passes one character, counting lines; refuses bytes that are not UTF-8.
    void Step() {
        const char c = text_[pos_];
        if (c == '\n')
            ++line_;
        if (!checkUtf8_ || static_cast<std::uint8_t>(c) < 0x80) {
            ++pos_;
            return;
        }
        const int length = Utf8Length(text_.substr(pos_, 4));
        if (length == 0) {
            Fail(QT_TRANSLATE_NOOP("PuzzleFile", "UTF-8 でない文字があります"), line_);
            return;
        }
        pos_ += static_cast<std::size_t>(length);
    }

    void Fail(const char* error, int line) {
        result_.error = error;
        result_.line = line;
    }

    bool At(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }

    // Passes text up to and including `end`, or to the end of the text.
    void Through(std::string_view end) {
        while (pos_ < text_.size() && !result_.error && !At(end))
            Step();
        pos_ = std::min(text_.size(), pos_ + end.size());
    }

    // From a '<': a comment, a section of character data, an instruction, a declaration or a
    // tag.  The attributes of a start tag are counted by their '=' outside quoted values.
    void Markup() {
        if (At("<!--"))
            return Through("-->");
        if (At("<![CDATA["))
            return Through("]]>");
        if (At("<?"))
            return Through("?>");
        const int tagLine = line_;
        const bool start =
            pos_ + 1 < text_.size() && text_[pos_ + 1] != '/' && text_[pos_ + 1] != '!';
        ++pos_;
        int attributes = 0;
        char quote = 0;
        int brackets = 0;  // a declaration's internal subset
        while (pos_ < text_.size() && !result_.error) {
            const char c = text_[pos_];
            if (quote) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                --brackets;
            } else if (c == '>' && brackets <= 0) {
                ++pos_;
                return;
            } else if (c == '=' && start && ++attributes > kMaxXmlAttributes) {
                return Fail(QT_TRANSLATE_NOOP("PuzzleFile", "要素の属性が多すぎます"), tagLine);
            }
            Step();
        }
    }

    std::string_view text_;
    bool checkUtf8_;
    std::size_t pos_ = 0;
    int line_ = 1;
    XmlPrescan result_;
};

}  // namespace

XmlPrescan PrescanXml(std::string_view text) {
    return Scanner(text, !OtherEncoding(text)).Run();
}
