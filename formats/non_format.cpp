#include "formats/non_format.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <optional>

#include "formats/clue_checks.h"

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// A number of at most `digits` digits, or nothing.
std::optional<int> SmallNumber(std::string_view s, std::size_t digits = 3) {
    s = Trim(s);
    if (s.empty() || s.size() > digits)
        return std::nullopt;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A quoted string with \" and \\ escapes, or the bare rest of the line.
std::optional<std::string> StringValue(std::string_view s) {
    s = Trim(s);
    if (s.empty() || s.front() != '"')
        return std::string(s);
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == '"')
            return Trim(s.substr(i + 1)).empty() ? std::optional<std::string>(out) : std::nullopt;
        if (s[i] == '\\' && i + 1 < s.size())
            ++i;
        out += s[i];
    }
    return std::nullopt;  // no closing quote
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigit(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The cells runs need with one character per run ('\0' for black and white): a blank between
// two runs of one colour only.
long CellsNeededByChars(const LineClue& clue, std::string_view chars) {
    long cells = 0;
    for (std::size_t i = 0; i < clue.size(); ++i) {
        cells += clue[i];
        if (i > 0 && (i >= chars.size() || chars[i] == chars[i - 1]))
            ++cells;
    }
    return cells;
}

class NonReader {
public:
    explicit NonReader(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF")
            text_.remove_prefix(3);
    }

    PuzzleReadResult Read() {
        while (NextLine()) {
            const std::string_view line = Trim(line_);
            if (line.empty())
                continue;
            const std::size_t space = line.find_first_of(" \t");
            const std::string_view key = line.substr(0, space);
            const std::string_view value =
                space == std::string_view::npos ? std::string_view() : line.substr(space);
            if (!Key(key, value))
                return Fail();
        }
        if (!r_.error.empty() || !Finish())
            return Fail();
        r_.ok = true;
        return std::move(r_);
    }

private:
    // The next line in line_; false at the end of the text or on a line too long.
    bool NextLine() {
        if (pos_ >= text_.size() || !r_.error.empty())
            return false;
        ++lineNumber_;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos)
            end = text_.size();
        if (end - pos_ > kMaxNonLineBytes)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "行が長すぎます"));
        line_ = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return true;
    }

    bool Error(const char* reason, int line = -1) {
        r_.error = QCoreApplication::translate("PuzzleFile", reason).toStdString();
        r_.line = line < 0 ? lineNumber_ : line;
        return false;
    }

    PuzzleReadResult Fail() {
        PuzzleReadResult failed;
        failed.line = std::max(1, r_.line);
        failed.error = r_.error;
        failed.totalsDisagree = r_.totalsDisagree;
        if (failed.totalsDisagree)
            failed.puzzle = std::move(r_.puzzle);
        return failed;
    }

    bool Key(std::string_view key, std::string_view value) {
        Puzzle& p = r_.puzzle;
        // "rows 5" and "columns 4" give the size, as "height 5" and "width 4" do; a bare
        // "rows" or "columns" begins the clues.
        const bool size = (key == "rows" || key == "columns") && !Trim(value).empty();
        if (key == "width" || key == "height" || size) {
            const bool width = key == "width" || key == "columns";
            if ((width ? p.width : p.height) != 0)
                return Error(width ? QT_TRANSLATE_NOOP("PuzzleFile", "幅が二度あります")
                                   : QT_TRANSLATE_NOOP("PuzzleFile", "高さが二度あります"));
            // A size far too large is still a size, and is told as one.
            const std::optional<int> n = SmallNumber(value, 9);
            if (!n)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "数字が正しくありません"));
            if (*n < 1 || *n > kMaxPuzzleSide)
                return Error(width ? QT_TRANSLATE_NOOP("PuzzleFile", "幅は1から99までです")
                                   : QT_TRANSLATE_NOOP("PuzzleFile", "高さは1から99までです"));
            (width ? p.width : p.height) = *n;
            return true;
        }
        if (key == "rows" || key == "columns") {
            const bool rows = key == "rows";
            if (rows ? haveRows_ : haveColumns_)
                return Error(rows ? QT_TRANSLATE_NOOP("PuzzleFile", "行のヒントが二度あります")
                                  : QT_TRANSLATE_NOOP("PuzzleFile", "列のヒントが二度あります"));
            const int count = rows ? p.height : p.width;
            if (count == 0)
                return Error(rows ? QT_TRANSLATE_NOOP("PuzzleFile", "行の前に高さがありません")
                                  : QT_TRANSLATE_NOOP("PuzzleFile", "列の前に幅がありません"));
            (rows ? haveRows_ : haveColumns_) = true;
            lastSection_ = rows ? 'r' : 'c';
            secondSectionLine_ = lineNumber_;
            return Clues(rows ? p.rows : p.columns, count, rows ? p.width : p.height, rows);
        }
        if (key == "color")
            return ColourLine(value);
        if (key == "goal") {
            if (goalLine_)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "答えが二度あります"));
            std::optional<std::string> goal = StringValue(value);
            if (!goal)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "引用符が閉じていません"));
            goal_ = std::move(*goal);
            goalLine_ = lineNumber_;
            return true;
        }
        if (key == "title" || key == "by") {
            std::optional<std::string> s = StringValue(value);
            if (!s)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "引用符が閉じていません"));
            // Texts are UTF-8: bytes that are not (a title from another encoding) become
            // replacement characters, so that the puzzle can be written to XML and read back.
            (key == "title" ? p.title : r_.author) =
                QString::fromUtf8(s->data(), static_cast<qsizetype>(s->size())).toStdString();
            return true;
        }
        // A line of clue numbers outside a section: more clue lines than the size has room for.
        if (key[0] >= '0' && key[0] <= '9') {
            if (lastSection_ == 0)
                return Error(
                    QT_TRANSLATE_NOOP("PuzzleFile", "ヒントの前に rows か columns がありません"));
            return Error(lastSection_ == 'r'
                             ? QT_TRANSLATE_NOOP("PuzzleFile", "行のヒントが高さより多くあります")
                             : QT_TRANSLATE_NOOP("PuzzleFile", "列のヒントが幅より多くあります"));
        }
        return true;  // keys we do not know are skipped
    }

    // `count` clue lines of a section, each for a line of `length` cells.  The other side
    // may not be known yet; the runs are checked against it once it is.
    bool Clues(std::vector<LineClue>& clues, int count, int length, bool rows) {
        clues.reserve(count);
        for (int i = 0; i < count; ++i) {
            // Blank lines between the clues are passed over; an empty line's clue is 0.
            do {
                if (!NextLine())
                    return r_.error.empty()
                               ? Error(rows ? QT_TRANSLATE_NOOP("PuzzleFile",
                                                                "行のヒントが足りません")
                                            : QT_TRANSLATE_NOOP("PuzzleFile",
                                                                "列のヒントが足りません"))
                               : false;
            } while (Trim(line_).empty());
            const std::string_view text = Trim(line_);
            if (!text.empty() &&
                ((text[0] >= 'a' && text[0] <= 'z') || (text[0] >= 'A' && text[0] <= 'Z')))
                return Error(rows ? QT_TRANSLATE_NOOP("PuzzleFile", "行のヒントが足りません")
                                  : QT_TRANSLATE_NOOP("PuzzleFile", "列のヒントが足りません"));
            LineClue clue;
            std::string chars;
            if (!ClueLine(Trim(line_), clue, chars))
                return false;
            if (length > 0 && CellsNeededByChars(clue, chars) > length)
                return Error(rows ? QT_TRANSLATE_NOOP("PuzzleFile", "ヒントが行に収まりません")
                                  : QT_TRANSLATE_NOOP("PuzzleFile", "ヒントが列に収まりません"));
            clues.push_back(std::move(clue));
            clueLines_[rows ? 0 : 1].push_back(lineNumber_);
            clueChars_[rows ? 0 : 1].push_back(std::move(chars));
        }
        return true;
    }

    // Numbers separated by commas, each followed by its colour's character in a colour
    // puzzle (kept in `chars`, one per run); a lone 0 is a line without runs.
    bool ClueLine(std::string_view s, LineClue& clue, std::string& chars) {
        if (s.empty())
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "ヒントの数字がありません"));
        bool zero = false;
        while (true) {
            const std::size_t comma = s.find(',');
            std::string_view item = Trim(s.substr(0, comma));
            char colour = 0;
            if (item.size() > 1 && !IsDigit(item.back())) {
                colour = item.back();
                item.remove_suffix(1);
            }
            const std::optional<int> n = SmallNumber(item);
            if (!n)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "数字が正しくありません"));
            // Runs of two colours may touch, so a colour line holds up to a run per cell.
            const int most = colour ? kMaxPuzzleSide : kMaxRunsPerLine;
            if (clue.size() >= static_cast<std::size_t>(most))
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "ヒントの数字が多すぎます"));
            if (*n == 0 && colour)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "数字が正しくありません"));
            if (*n == 0) {
                zero = true;
            } else {
                clue.push_back(*n);
                chars += colour;
            }
            if (comma == std::string_view::npos)
                break;
            s.remove_prefix(comma + 1);
        }
        if (zero && !clue.empty())
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "数字が正しくありません"));
        return true;
    }

    // "color c #rrggbb": the colour written with character c ('0' for the background).
    bool ColourLine(std::string_view value) {
        value = Trim(value);
        const std::size_t space = value.find_first_of(" \t");
        const std::string_view name = value.substr(0, space);
        std::string_view rgb =
            space == std::string_view::npos ? std::string_view() : Trim(value.substr(space));
        if (!rgb.empty() && rgb.front() == '#')
            rgb.remove_prefix(1);
        std::uint32_t packed = 0;
        for (char c : rgb) {
            const int digit = HexDigit(c);
            if (digit < 0)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "色の定義が正しくありません"));
            packed = packed * 16 + static_cast<std::uint32_t>(digit);
        }
        const char c = name.empty() ? 0 : name[0];
        const bool background = c == '0';
        if (name.size() != 1 || rgb.size() != 6 || (IsDigit(c) && !background) || c == ',' ||
            c == '"' || (background ? background_.has_value() : CellIndex(c) > 0) ||
            (!background && colourRgb_.size() >= static_cast<std::size_t>(kMaxColours)))
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "色の定義が正しくありません"));
        if (background) {
            background_ = packed;
        } else {
            colourChars_ += c;
            colourRgb_.push_back(packed);
        }
        return true;
    }

    // The cell index a goal's or a clue's character stands for: 0 for '0', 1..K for the
    // colours, -1 for a character no colour line defined.
    int CellIndex(char c) const {
        if (c == '0')
            return 0;
        const std::size_t at = colourChars_.find(c);
        return at == std::string::npos ? -1 : static_cast<int>(at) + 1;
    }

    // The colours of the runs from their characters: a colour file needs a defined character
    // after every number, a black-and-white file none.
    bool ResolveColours() {
        Puzzle& p = r_.puzzle;
        if (colourRgb_.empty()) {
            for (int side = 0; side < 2; ++side)
                for (std::size_t i = 0; i < clueChars_[side].size(); ++i)
                    if (clueChars_[side][i].find_first_not_of('\0') != std::string::npos)
                        return Error(QT_TRANSLATE_NOOP("PuzzleFile", "数字が正しくありません"),
                                     clueLines_[side][i]);
            return true;
        }
        p.palette = {background_.value_or(0xffffff)};
        p.palette.insert(p.palette.end(), colourRgb_.begin(), colourRgb_.end());
        for (int side = 0; side < 2; ++side) {
            std::vector<LineColours>& colours = side == 0 ? p.rowColours : p.columnColours;
            for (std::size_t i = 0; i < clueChars_[side].size(); ++i) {
                LineColours line;
                for (char c : clueChars_[side][i]) {
                    if (CellIndex(c) < 1)
                        return Error(QT_TRANSLATE_NOOP("PuzzleFile", "定義されていない色です"),
                                     clueLines_[side][i]);
                    line.push_back(static_cast<std::uint8_t>(CellIndex(c)));
                }
                colours.push_back(std::move(line));
            }
        }
        return true;
    }

    bool Finish() {
        Puzzle& p = r_.puzzle;
        const int last = std::max(1, lineNumber_);
        if (p.width == 0)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "幅がありません"), last);
        if (p.height == 0)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "高さがありません"), last);
        if (!haveRows_)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "行のヒントがありません"), last);
        if (!haveColumns_)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "列のヒントがありません"), last);
        if (!ResolveColours())
            return false;
        // Clues read before the other side was known.
        for (int i = 0; i < p.height; ++i)
            if (CellsNeededByChars(p.rows[i], clueChars_[0][i]) > p.width)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "ヒントが行に収まりません"),
                             clueLines_[0][i]);
        for (int i = 0; i < p.width; ++i)
            if (CellsNeededByChars(p.columns[i], clueChars_[1][i]) > p.height)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "ヒントが列に収まりません"),
                             clueLines_[1][i]);
        if (!TotalsAgree(p)) {
            r_.totalsDisagree = true;
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "行と列のヒントの合計が合いません"),
                         secondSectionLine_);
        }
        if (goalLine_) {
            if (goal_.size() != static_cast<std::size_t>(p.CellCount()))
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "答えの長さが合いません"), goalLine_);
            p.answer.resize(goal_.size());
            for (std::size_t i = 0; i < goal_.size(); ++i) {
                const int index = p.IsColour() ? CellIndex(goal_[i]) : goal_[i] != '0';
                if (index < 0)
                    return Error(QT_TRANSLATE_NOOP("PuzzleFile", "答えがヒントと合いません"),
                                 goalLine_);
                p.answer[i] = static_cast<std::uint8_t>(index);
            }
            if (!GridMatchesClues(p, p.answer))
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "答えがヒントと合いません"),
                             goalLine_);
        }
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string_view line_;
    int lineNumber_ = 0;
    PuzzleReadResult r_;
    bool haveRows_ = false, haveColumns_ = false;
    char lastSection_ = 0;           // 'r' or 'c': the clue section read last
    int secondSectionLine_ = 0;      // the key line of the clue section read last
    std::vector<int> clueLines_[2];  // the line of each row clue and each column clue
    // The colour characters of the runs of each row and each column; empty strings in black
    // and white.
    std::vector<std::string> clueChars_[2];
    // The colours defined: the background's character '0' and each colour's, in file order.
    std::optional<std::uint32_t> background_;
    std::string colourChars_;
    std::vector<std::uint32_t> colourRgb_;
    std::string goal_;
    int goalLine_ = 0;
};

}  // namespace

PuzzleReadResult ReadNon(std::string_view text) {
    return NonReader(text).Read();
}
