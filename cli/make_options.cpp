#include "cli/make_options.h"

#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "cli/commands.h"
#include "cli/output_check.h"
#include "image/image_format.h"
#include "image/native_name.h"

// N, or W x H written "WxH" (also with "X" or "×"), each 1..99.
bool ParseBlocks(const std::string& text, BlockChoice& choice) {
    QString value = QString::fromStdString(text);
    value.replace(QChar(0x00d7), QLatin1Char('x')).replace(QLatin1Char('X'), QLatin1Char('x'));
    const QStringList parts = value.split(QLatin1Char('x'));
    if (parts.size() > 2)
        return false;
    bool okColumns = false, okRows = true;
    const int columns = parts[0].toInt(&okColumns);
    const int rows = parts.size() == 2 ? parts[1].toInt(&okRows) : columns;
    if (!okColumns || !okRows || columns < 1 || rows < 1 || columns > kMaxPuzzleSide ||
        rows > kMaxPuzzleSide)
        return false;
    choice.columns = columns;
    choice.rows = rows;
    choice.custom = parts.size() == 2;
    return true;
}

namespace {

const char kMakeHelp[] = QT_TRANSLATE_NOOP(
    "NgmCli",
    "使い方: ngm-cli make [--blocks N|横x縦] [--fit] [--band 下限,上限|auto|auto-invert]\n"
    "                     [--crop X,Y,幅,高さ] [--trim] [--recursive]\n"
    "                     [--format non|xml|png|pdf] [--out フォルダ] [--unique]\n"
    "                     [--colours K] [--palette RRGGBB,...]\n"
    "                     画像またはフォルダ...\n"
    "\n"
    "画像(P6 の PPM、24 ビットのビットマップなど、ウィンドウで開けるもの)を一つずつ、\n"
    "ウィンドウの解析と同じ規則で白黒にしてブロックに分け、パズルのファイルにします。\n"
    "フォルダを与えると、その中の画像を名前順に使います(画像でないファイルは黙って\n"
    "飛ばします)。\n"
    "ファイル名は画像の名前の拡張子を形式のものに替えたものです(png では答えの\n"
    "名前-solution.png も書きます)。一つの画像につき一行をタブ区切りで書きます:\n"
    "  画像(与えたとおり)  書いたファイル  判定  難易度  決まらないマス数\n"
    "(--unique では  結果  ブロック数  下限,上限  が続きます)\n"
    "判定と難易度の意味は ngm-cli solve --help にあります。塗るマスがない(empty)、\n"
    "全部塗られている(full)、5 % 未満(sparse)、90 % を超える(dense)パズルは絵に\n"
    "なりません。行の終わりにその語が付きます。\n"
    "\n"
    "  --blocks N        一辺のブロック数 1 から 99(既定は 20)、または 横x縦(30x17 など)\n"
    "  --fit             白い余白を付けた正方形でなく画像そのものの幅と高さを分けます。\n"
    "                    N では長い辺が N ブロック、短い辺はブロックが正方形に近くなる数\n"
    "                    (16:9 の画像に 30 で 30x17)。ブロックが画素より小さくなる画像は\n"
    "                    飛ばします\n"
    "  --band 下限,上限  黒にする明るさの範囲 0 から 255、下限 <= 明るさ < 上限\n"
    "                    (既定は 0,250)\n"
    "  --band auto       画像ごとに、画素を暗い組と明るい組に最もよく分ける明るさ t\n"
    "                    (大津の方法)を求め、暗い組 0,t を黒にします。auto-invert では\n"
    "                    明るい組 t,256 を黒にします。明るさが一つだけの画像では t は 128\n"
    "  --crop X,Y,幅,高さ 画像のこの部分だけを解析します(画像の画素で数え、左上が 0,0。\n"
    "                    はみ出す部分は切り捨てます)\n"
    "  --trim            範囲に入る画素を囲む最小の長方形に切り抜き、絵がパズル全体に\n"
    "                    広がるようにします(--crop があればその中で)\n"
    "  --recursive       フォルダの中のフォルダの画像も使います\n"
    "  --format 形式     non、xml、png、pdf のどれか(既定は non)\n"
    "  --out フォルダ    書く場所(既定は画像と同じフォルダ、なければ作ります)\n"
    "  --unique          解が一つのパズルを探して書きます。与えた(なければ既定の)下限・\n"
    "                    上限とブロック数から始めて、ウィンドウの「一意なパズルを探す」と\n"
    "                    同じく閾値とブロック数を探し、いちばん良いものにします。行の終わりに\n"
    "                    結果(kept 与えたままで一意、found 見つけた、none 見つからない)、\n"
    "                    書いたパズルのブロック数、下限,上限 が続きます。none のときは\n"
    "                    与えた設定のパズルを書き、判定はそのパズルのものです。絵にならない\n"
    "                    パズルは kept にも found にもしません。ブロック数が与えたものと\n"
    "                    違うときは標準エラーにそう書きます\n"
    "  --colours K       背景と K 色(2 から 8)のカラーパズルを作ります。\n"
    "                    色は画像から選び、--band は使いません。--trim は背景の色で\n"
    "                    ない画素を囲む長方形に切り抜きます。--unique では閾値でなく\n"
    "                    色数 2 から 8 とブロック数を探します(下限,上限 は与えたまま)。\n"
    "                    色数かブロック数が違うときは標準エラーにそう書きます\n"
    "                    (--colors とも書けます)\n"
    "  --palette 色,...  パレットに残す色を RRGGBB(16 進 6 桁)で 8 色まで。この順で\n"
    "                    先頭に入ります。--colours がなければ色数はこの色の数(2 以上)\n"
    "  --help            この説明を表示する\n"
    "\n"
    "画像は全部のコアで並べて処理します。端末では進み具合を標準エラーに表示します。\n"
    "読めない画像や書けないファイルは、標準エラーに「画像: 理由」を書いて飛ばします。\n"
    "終了コード: 0 すべて作れた、2 作れなかった画像があった、1 引数の誤り。\n");

// LOW,HIGH with 0 <= LOW < HIGH <= 255, or "auto" or "auto-invert".
bool ParseBand(const std::string& text, MakeOptions& options) {
    if (text == "auto" || text == "auto-invert") {
        options.autoBand = true;
        options.invert = text == "auto-invert";
        return true;
    }
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    bool okLower = false, okUpper = false;
    const int lower = QString::fromStdString(text.substr(0, comma)).toInt(&okLower);
    const int upper = QString::fromStdString(text.substr(comma + 1)).toInt(&okUpper);
    if (!okLower || !okUpper || lower < 0 || upper > 255 || lower >= upper)
        return false;
    options.autoBand = false;
    options.lower = lower;
    options.upper = upper;
    return true;
}

// X,Y,W,H with X, Y >= 0 and W, H >= 1.
bool ParseCrop(const std::string& text, std::optional<PixelRect>& crop) {
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    int values[4];
    for (int k = 0; k < 4; ++k) {
        bool ok = false;
        values[k] = parts[k].trimmed().toInt(&ok);
        if (!ok || values[k] < (k < 2 ? 0 : 1))
            return false;
    }
    crop = PixelRect{values[0], values[1], values[2], values[3]};
    return true;
}

// RRGGBB,RRGGBB,... : at most kMaxColours colours of six hexadecimal digits each.
bool ParsePalette(const std::string& text, std::vector<std::uint32_t>& palette) {
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(','));
    if (parts.size() > kMaxColours)
        return false;
    palette.clear();
    for (const QString& part : parts) {
        bool ok = part.size() == 6 && !part.startsWith(QLatin1Char('+'));
        const uint value = ok ? part.toUInt(&ok, 16) : 0;
        if (!ok)
            return false;
        palette.push_back(value);
    }
    return true;
}

// Sets the option `name` (--blocks, --band, --crop, --palette, --colours, --format or --out) to
// `value`; false, with the reason on err, when the value is wrong or --out's folder cannot be
// made.
bool TakeValue(const std::string& name, const std::string& value, MakeOptions& options,
               std::ostream& err) {
    bool ok = true;
    if (name == "--blocks") {
        const bool fit = options.blocks.fit;
        ok = ParseBlocks(value, options.blocks);
        options.blocks.fit = fit;
    } else if (name == "--band") {
        ok = ParseBand(value, options);
    } else if (name == "--crop") {
        ok = ParseCrop(value, options.crop);
    } else if (name == "--palette") {
        if (!ParsePalette(value, options.palette)) {
            const bool many = std::count(value.begin(), value.end(), ',') >= kMaxColours;
            err << "ngm-cli make: "
                << (many ? NgmCli::tr("--palette の色は 8 色までです: ")
                         : NgmCli::tr("--palette の色は RRGGBB(16 進 6 桁)で書きます: "))
                       .toStdString()
                << value << "\n";
            return false;
        }
    } else if (name == "--colours") {
        bool number = false;
        options.colours = QString::fromStdString(value).toInt(&number);
        ok = number && options.colours >= 2 && options.colours <= kMaxColours;
    } else if (name == "--format") {
        const std::optional<PuzzleFileFormat> f = PuzzleFormatOfPath("." + value);
        ok = f.has_value() && value.find('.') == std::string::npos;
        options.format = f.value_or(PuzzleFileFormat::kNon);
    } else {
        options.outDir = NameFromNative(value);
        ok = !value.empty();
        const QString reason = ok ? MakeFolder(options.outDir) : QString();
        if (!reason.isEmpty()) {
            err << NgmCli::tr("ngm-cli make: --out のフォルダを作れません: ").toStdString() << value
                << ": " << reason.toStdString() << "\n";
            return false;
        }
    }
    if (!ok)
        err << "ngm-cli make: " << name << NgmCli::tr(" の値が正しくありません: ").toStdString()
            << value << "\n";
    return ok;
}

}  // namespace

std::optional<int> ParseMake(const std::vector<std::string>& args, MakeOptions& options,
                             std::vector<std::string>& pictures, std::ostream& out,
                             std::ostream& err) {
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnd || a.empty() || a[0] != '-' || a == "-") {
            pictures.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnd = true;
            continue;
        }
        if (a == "--unique") {
            options.unique = true;
            continue;
        }
        if (a == "--fit" || a == "--trim" || a == "--recursive") {
            (a == "--fit"    ? options.blocks.fit
             : a == "--trim" ? options.trim
                             : options.recursive) = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            out << NgmCli::tr(kMakeHelp).toStdString();
            return 0;
        }
        const std::size_t eq = a.find('=');
        const std::string name = a.substr(0, eq) == "--colors" ? "--colours" : a.substr(0, eq);
        if (name != "--blocks" && name != "--band" && name != "--crop" && name != "--colours" &&
            name != "--palette" && name != "--format" && name != "--out") {
            err << NgmCli::tr("ngm-cli make: 知らないオプションです: ").toStdString() << a << "\n"
                << NgmCli::tr("ngm-cli make --help で使い方を表示します。\n").toStdString();
            return 1;
        }
        if (eq == std::string::npos && i + 1 >= args.size()) {
            err << "ngm-cli make: " << name << NgmCli::tr(" に値がありません\n").toStdString();
            return 1;
        }
        const std::string value = eq != std::string::npos ? a.substr(eq + 1) : args[++i];
        if (!TakeValue(name, value, options, err))
            return 1;
    }
    // The kept colours need room in the palette when no count is asked for.
    if (options.colours == 0 && !options.palette.empty())
        options.colours = std::max<int>(2, static_cast<int>(options.palette.size()));
    if (pictures.empty()) {
        err << NgmCli::tr("ngm-cli make: 画像がありません\n").toStdString()
            << NgmCli::tr("ngm-cli make --help で使い方を表示します。\n").toStdString();
        return 1;
    }
    return std::nullopt;
}

namespace {

// A file in a folder is taken when its first bytes are those of a picture format.
bool LooksLikePicture(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::uint8_t head[kSniffBytes] = {};
    in.read(reinterpret_cast<char*>(head), kSniffBytes);
    return FormatFromHead(head, static_cast<std::size_t>(in.gcount())) != kFormatUnknown;
}

// The names as the system stores them (bytes), sorted by those bytes: no name is lost to a
// conversion, and the order does not depend on the locale.
void AddFolder(const std::filesystem::path& folder, bool recursive,
               std::vector<std::string>& pictures) {
    std::vector<std::filesystem::path> files, folders;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code kind;
        if (entry.is_regular_file(kind))
            files.push_back(entry.path());
        // A link to a folder could lead back up the tree.
        else if (recursive && entry.is_directory(kind) && !entry.is_symlink(kind))
            folders.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::sort(folders.begin(), folders.end());
    for (const std::filesystem::path& file : files) {
        if (LooksLikePicture(file))
            pictures.push_back(file.string());
    }
    for (const std::filesystem::path& sub : folders)
        AddFolder(sub, recursive, pictures);
}

}  // namespace

std::vector<std::string> ExpandFolders(const std::vector<std::string>& names, bool recursive) {
    std::vector<std::string> pictures;
    for (const std::string& name : names) {
        std::error_code error;
        if (std::filesystem::is_directory(name, error))
            AddFolder(name, recursive, pictures);
        else
            pictures.push_back(name);
    }
    return pictures;
}
