#include "formats/xml_format.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QXmlStreamReader>
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

#include "formats/clue_checks.h"
#include "formats/xml_prescan.h"

namespace {

// Longest title or author kept, in characters; the rest is dropped.
constexpr int kMaxTextChars = 1000;
// Longest text of a <count> looked at: a number has at most a few digits and some blanks.
constexpr int kMaxCountChars = 32;

std::optional<int> CountValue(QStringView s) {
    s = s.trimmed();
    if (s.isEmpty() || s.size() > 3)
        return std::nullopt;
    int value = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// A colour's RGB as the <color> element writes it: three or six hex digits, "#" allowed.
std::optional<std::uint32_t> RgbValue(QStringView s) {
    s = s.trimmed();
    if (s.startsWith(u'#'))
        s = s.mid(1);
    if (s.size() != 3 && s.size() != 6)
        return std::nullopt;
    bool ok = false;
    std::uint32_t value = s.toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    if (s.size() == 3)
        value = ((value & 0xf00) << 12 | (value & 0xf0) << 8 | (value & 0xf) << 4) * 0x11 >> 4;
    return value;
}

class XmlPuzzleReader {
public:
    explicit XmlPuzzleReader(std::string_view text)
        : text_(text),
          xml_(QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size()))) {}

    PuzzleReadResult Read() {
        if (text_.size() > kMaxXmlFileBytes) {
            PuzzleReadResult r;
            r.error =
                QCoreApplication::translate("PuzzleFile", "ファイルが大きすぎます").toStdString();
            return r;
        }
        const XmlPrescan prescan = PrescanXml(text_);
        if (prescan.error) {
            Error(prescan.error, prescan.line);
            return Fail();
        }
        if (!FindPuzzle() || !Finish())
            return Fail();
        r_.ok = true;
        return std::move(r_);
    }

private:
    int Line() const { return std::max<int>(1, static_cast<int>(xml_.lineNumber())); }

    bool Error(const char* reason, int line = 0) {
        if (r_.error.empty()) {
            r_.error = QCoreApplication::translate("PuzzleFile", reason).toStdString();
            r_.line = line > 0 ? line : Line();
        }
        return false;
    }

    PuzzleReadResult Fail() {
        PuzzleReadResult failed;
        failed.line = std::max(1, r_.line);
        failed.error = r_.error;
        return failed;
    }

    // The next token; false on malformed XML, nesting too deep, or the end of the text.
    bool Next() {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        if (xml_.hasError()) {
            return Error(xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError
                             ? QT_TRANSLATE_NOOP("PuzzleFile", "ファイルが途中で切れています")
                             : QT_TRANSLATE_NOOP("PuzzleFile", "XML の書式が正しくありません"));
        }
        if (token == QXmlStreamReader::StartElement && ++depth_ > kMaxXmlDepth)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "要素の入れ子が深すぎます"));
        if (token == QXmlStreamReader::EndElement)
            --depth_;
        if (token == QXmlStreamReader::EndDocument)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "パズルがありません"));
        return true;
    }

    bool IsStart() const { return xml_.tokenType() == QXmlStreamReader::StartElement; }
    // True at the end tag of the element that opened at `depth`.
    bool Closes(int depth) const {
        return xml_.tokenType() == QXmlStreamReader::EndElement && depth_ == depth - 1;
    }
    QStringView Attribute(const char* name) const {
        return xml_.attributes().value(QLatin1String(name));
    }

    // Passes over the element just opened, with everything in it.
    bool Skip() {
        const int depth = depth_;
        while (Next())
            if (Closes(depth))
                return true;
        return false;
    }

    // Calls read() for each <name> child of the element just opened, passing over the other
    // children: true once the element closes, false when read() fails or the text ends first.
    template <class Read>
    bool EachChild(QStringView name, Read read) {
        const int depth = depth_;
        while (Next()) {
            if (Closes(depth))
                return true;
            if (!IsStart())
                continue;
            if (xml_.name() != name) {
                if (!Skip())
                    return false;
                continue;
            }
            if (!read())
                return false;
        }
        return false;
    }

    // The text of the element just opened, child elements left out, cut at `limit` characters.
    bool Text(QString& out, int limit) {
        const int depth = depth_;
        while (Next()) {
            if (Closes(depth))
                return true;
            if (xml_.isCharacters() && depth_ == depth && out.size() < limit)
                out += xml_.text().left(limit - out.size());
        }
        return false;
    }

    bool FindPuzzle() {
        while (Next()) {
            if (!IsStart())
                continue;
            if (depth_ == 1 && xml_.name() != u"puzzleset" && xml_.name() != u"puzzle")
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "パズルのファイルではありません"));
            if (xml_.name() == u"puzzle" && depth_ <= 2)
                return ReadPuzzle();
            if (depth_ > 1 && !Skip())
                return false;
        }
        return false;
    }

    bool ReadPuzzle() {
        const QStringView type = Attribute("type");
        if (!type.isEmpty() && type != u"grid")
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "格子のパズルではありません"));
        black_ = Attribute("defaultcolor").isEmpty() ? QStringLiteral("black")
                                                     : Attribute("defaultcolor").toString();
        white_ = Attribute("backgroundcolor").isEmpty() ? QStringLiteral("white")
                                                        : Attribute("backgroundcolor").toString();
        const int depth = depth_;
        while (Next()) {
            if (Closes(depth)) {
                endLine_ = Line();
                return true;
            }
            if (!IsStart())
                continue;
            const QStringView name = xml_.name();
            bool ok = true;
            if (name == u"title" || name == u"author") {
                // Decided before the text is read: reading moves the reader past the name.
                std::string& field = name == u"title" ? r_.puzzle.title : r_.author;
                QString text;
                ok = Text(text, kMaxTextChars);
                field = text.simplified().toStdString();
            } else if (name == u"color") {
                const QString colourName = Attribute("name").toString();
                const QStringView c = Attribute("char");
                if (c.size() == 1)
                    colorChars_[colourName] = c[0];
                QString rgb;
                ok = Text(rgb, kMaxCountChars);
                colours_.push_back({colourName, RgbValue(rgb)});
            } else if (name == u"clues") {
                ok = ReadClues();
            } else if (name == u"solution") {
                ok = ReadSolution();
            } else {
                ok = Skip();
            }
            if (!ok)
                return false;
        }
        return false;
    }

    bool ReadClues() {
        const QStringView type = Attribute("type");
        const bool rows = type == u"rows";
        if (!rows && type != u"columns")
            return Error(
                QT_TRANSLATE_NOOP("PuzzleFile", "ヒントの種類が rows でも columns でもありません"));
        if (sectionLine_[rows ? 0 : 1] != 0)
            return Error(rows ? QT_TRANSLATE_NOOP("PuzzleFile", "行のヒントが二度あります")
                              : QT_TRANSLATE_NOOP("PuzzleFile", "列のヒントが二度あります"));
        sectionLine_[rows ? 0 : 1] = Line();
        std::vector<LineClue>& clues = rows ? r_.puzzle.rows : r_.puzzle.columns;
        return EachChild(u"line", [&] {
            if (static_cast<int>(clues.size()) >= kMaxPuzzleSide)
                return Error(rows ? QT_TRANSLATE_NOOP("PuzzleFile", "高さは1から99までです")
                                  : QT_TRANSLATE_NOOP("PuzzleFile", "幅は1から99までです"));
            clueLines_[rows ? 0 : 1].push_back(Line());
            clues.emplace_back();
            runColours_[rows ? 0 : 1].emplace_back();
            return ReadLine(clues.back(), runColours_[rows ? 0 : 1].back());
        });
    }

    // The <count>s of one <line>, with the colour each names (the default colour when none);
    // a lone 0 is a line without runs.
    bool ReadLine(LineClue& clue, std::vector<QString>& colours) {
        bool zero = false;
        const bool read = EachChild(u"count", [&] {
            // A copy: reading the count's text moves the reader past the attribute's storage.
            const QString color = Attribute("color").toString();
            const int line = Line();
            // Runs of two colours may touch: a colour line holds up to a run per cell.
            const int most = color.isEmpty() || color == black_ ? kMaxRunsPerLine : kMaxPuzzleSide;
            QString text;
            if (!Text(text, kMaxCountChars))
                return false;
            const std::optional<int> n = CountValue(text);
            if (!n || *n > kMaxPuzzleSide)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "数字が正しくありません"), line);
            if (static_cast<int>(clue.size()) >= most)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "ヒントの数字が多すぎます"), line);
            if (*n == 0) {
                zero = true;
            } else {
                clue.push_back(*n);
                colours.push_back(color.isEmpty() ? black_ : color);
            }
            return true;
        });
        return read && (!zero || clue.empty() ||
                        Error(QT_TRANSLATE_NOOP("PuzzleFile", "数字が正しくありません")));
    }

    bool ReadSolution() {
        const QStringView type = Attribute("type");
        if (!type.isEmpty() && type != u"goal" && type != u"solution")
            return Skip();  // a player's saved state is not the answer
        return EachChild(u"image", [&] {
            if (goalLine_ != 0)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "答えが二度あります"));
            goalLine_ = Line();
            return Text(goal_, static_cast<int>(kMaxXmlFileBytes));
        });
    }

    // The goal's rows as cells, row by row; false with the row's line when a row is wrong.
    bool GoalCells(std::vector<std::uint8_t>& cells, int& width, int& height) {
        const QChar black = colorChars_.count(black_) ? colorChars_[black_] : QChar(u'X');
        const QChar white = colorChars_.count(white_) ? colorChars_[white_] : QChar(u'.');
        // A colour puzzle's cells: the background's character 0, each colour's its index.
        std::map<QChar, int> indices;
        if (!colourNames_.empty()) {
            indices[white] = 0;
            for (std::size_t k = 0; k < colourNames_.size(); ++k)
                if (colorChars_.count(colourNames_[k]))
                    indices[colorChars_[colourNames_[k]]] = static_cast<int>(k) + 1;
        }
        width = -1;
        height = 0;
        int line = goalLine_;
        for (QStringView row : QStringView(goal_).split(u'\n')) {
            const int rowLine = line++;
            row = row.trimmed();
            if (row.startsWith(u'|'))
                row = row.mid(1);
            if (row.endsWith(u'|'))
                row = row.chopped(1);
            if (row.isEmpty())
                continue;
            if (height >= kMaxPuzzleSide || row.size() > kMaxPuzzleSide ||
                (width >= 0 && row.size() != width))
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "答えの大きさが合いません"), rowLine);
            width = static_cast<int>(row.size());
            ++height;
            for (QChar c : row) {
                if (!indices.empty()) {
                    const auto found = indices.find(c);
                    if (found == indices.end())
                        return Error(QT_TRANSLATE_NOOP("PuzzleFile", "定義されていない色です"),
                                     rowLine);
                    cells.push_back(static_cast<std::uint8_t>(found->second));
                    continue;
                }
                if (c != black && c != white)
                    return Error(
                        QT_TRANSLATE_NOOP("PuzzleFile", "答えに白でも黒でもないマスがあります"),
                        rowLine);
                cells.push_back(c == black ? 1 : 0);
            }
        }
        if (height == 0)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "答えが空です"), goalLine_);
        return true;
    }

    // A puzzle whose <color>s name two colours or more besides the background is a colour
    // puzzle: its palette, in the order of the <color>s, and the colour of every run.  Any
    // other puzzle has black runs only.
    bool ResolveColours() {
        Puzzle& p = r_.puzzle;
        std::uint32_t background = 0xffffff;
        for (const auto& [name, rgb] : colours_) {
            if (name == white_)
                background = rgb.value_or(background);
            else
                colourNames_.push_back(name);
        }
        if (colourNames_.size() < 2) {
            colourNames_.clear();
            for (int side = 0; side < 2; ++side)
                for (std::size_t i = 0; i < runColours_[side].size(); ++i)
                    for (const QString& name : runColours_[side][i])
                        if (name != black_)
                            return Error(
                                QT_TRANSLATE_NOOP("PuzzleFile", "白黒のパズルではありません"),
                                clueLines_[side][i]);
            return true;
        }
        if (colourNames_.size() > static_cast<std::size_t>(kMaxColours))
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "色が多すぎます"), endLine_);
        p.palette = {background};
        for (const auto& [name, rgb] : colours_) {
            if (name == white_)
                continue;
            if (!rgb)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "色の定義が正しくありません"),
                             endLine_);
            p.palette.push_back(*rgb);
        }
        for (int side = 0; side < 2; ++side) {
            std::vector<LineColours>& colours = side == 0 ? p.rowColours : p.columnColours;
            for (std::size_t i = 0; i < runColours_[side].size(); ++i) {
                colours.emplace_back();
                for (const QString& name : runColours_[side][i]) {
                    const auto at = std::find(colourNames_.begin(), colourNames_.end(), name);
                    if (at == colourNames_.end())
                        return Error(QT_TRANSLATE_NOOP("PuzzleFile", "定義されていない色です"),
                                     clueLines_[side][i]);
                    colours.back().push_back(
                        static_cast<std::uint8_t>(at - colourNames_.begin() + 1));
                }
            }
        }
        return true;
    }

    bool Finish() {
        Puzzle& p = r_.puzzle;
        if (!ResolveColours())
            return false;
        std::vector<std::uint8_t> cells;
        int goalWidth = 0, goalHeight = 0;
        if (goalLine_ != 0 && !GoalCells(cells, goalWidth, goalHeight))
            return false;
        const bool haveRows = sectionLine_[0] != 0, haveColumns = sectionLine_[1] != 0;
        if (!haveRows && !haveColumns && goalLine_ != 0) {
            // Some files give only the picture; its clues are read off it.
            Puzzle fromGoal = p.IsColour()
                                  ? Puzzle::FromColourGrid(goalWidth, goalHeight, cells, p.palette)
                                  : Puzzle::FromGrid(goalWidth, goalHeight, cells);
            fromGoal.title = std::move(p.title);
            p = std::move(fromGoal);
            return true;
        }
        if (!haveColumns)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "列のヒントがありません"), endLine_);
        if (!haveRows)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "行のヒントがありません"), endLine_);
        p.width = static_cast<int>(p.columns.size());
        p.height = static_cast<int>(p.rows.size());
        if (p.width == 0)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "幅は1から99までです"), sectionLine_[1]);
        if (p.height == 0)
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "高さは1から99までです"), sectionLine_[0]);
        for (int i = 0; i < p.height; ++i)
            if (Needed(p, true, i) > p.width)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "ヒントが行に収まりません"),
                             clueLines_[0][i]);
        for (int i = 0; i < p.width; ++i)
            if (Needed(p, false, i) > p.height)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "ヒントが列に収まりません"),
                             clueLines_[1][i]);
        if (!TotalsAgree(p))
            return Error(QT_TRANSLATE_NOOP("PuzzleFile", "行と列のヒントの合計が合いません"),
                         std::max(sectionLine_[0], sectionLine_[1]));
        if (goalLine_ != 0) {
            if (goalWidth != p.width || goalHeight != p.height)
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "答えの大きさが合いません"),
                             goalLine_);
            if (!GridMatchesClues(p, cells))
                return Error(QT_TRANSLATE_NOOP("PuzzleFile", "答えがヒントと合いません"),
                             goalLine_);
            p.answer = std::move(cells);
        }
        return true;
    }

    static long Needed(const Puzzle& p, bool row, int i) {
        const LineClue& clue = row ? p.rows[i] : p.columns[i];
        if (!p.IsColour())
            return CellsNeeded(clue);
        return CellsNeeded(clue, row ? p.rowColours[i] : p.columnColours[i]);
    }

    std::string_view text_;
    QXmlStreamReader xml_;
    int depth_ = 0;
    PuzzleReadResult r_;
    QString black_, white_;
    std::map<QString, QChar> colorChars_;
    // The <color>s in file order with their RGB (none when unreadable), the colour names of
    // a colour puzzle's colours 1..K, and the colour of every run of each row and column.
    std::vector<std::pair<QString, std::optional<std::uint32_t>>> colours_;
    std::vector<QString> colourNames_;
    std::vector<std::vector<QString>> runColours_[2];
    int sectionLine_[2] = {0, 0};  // the <clues> of the rows and of the columns
    std::vector<int> clueLines_[2];
    QString goal_;
    int goalLine_ = 0;
    int endLine_ = 0;
};

}  // namespace

PuzzleReadResult ReadPuzzleXml(std::string_view text) {
    return XmlPuzzleReader(text).Read();
}
