#include "res/strings.h"

#include <QCoreApplication>

namespace {

struct Entry {
    int id;
    const char* text;
};

constexpr Entry kStrings[] = {
    {128, "NGM\n\nNGM\nWeb Pages (*.htm)\n.htm\nNGM.Document\nNGM.Document"},
    {131, QT_TRANSLATE_NOOP("Strings", "入力画像を作ります")},
    {142, QT_TRANSLATE_NOOP("Strings", "最前面表示します")},
    {143, QT_TRANSLATE_NOOP("Strings", "Readmeファイルを開きます")},
    {144, QT_TRANSLATE_NOOP(
              "Strings",
              "パズルを .non、.xml、.png、.pdf のファイルに書き出します\nパズルをエクスポート")},
    {145, QT_TRANSLATE_NOOP(
              "Strings",
              "パズルのファイル (.non、.xml) を開いてプレイできるようにします\nパズルを開く")},
    {146,
     QT_TRANSLATE_NOOP(
         "Strings",
         "閾値とブロック数、またはマスを変えて、解が一つのパズルを探します\n一意なパズルを探す")},
    {57344, "NGM"},
    {57345, QT_TRANSLATE_NOOP("Strings", "レディ")},
    {57664, QT_TRANSLATE_NOOP("Strings",
                              "プログラム情報、バージョン、著作権を表示します。\nバージョン情報")},
    {57600, QT_TRANSLATE_NOOP("Strings", "新規にファイルを作成\n新規ファイル")},
    {57601, QT_TRANSLATE_NOOP("Strings", "既存のファイルを開く\n開く")},
    {57603, QT_TRANSLATE_NOOP("Strings", "アクティブなドキュメントを上書きして保存\n上書き保存")},
    {57607, QT_TRANSLATE_NOOP("Strings", "パズルと答えを印刷します\n印刷")},
    {57637, QT_TRANSLATE_NOOP("Strings", "クリップボードの画像を入力画像にします\n画像を貼り付け")},
    {57665, QT_TRANSLATE_NOOP("Strings", "アプリケーションを終了し、ファイルの保存を指示\\終了")},
    {59392, QT_TRANSLATE_NOOP("Strings", "ツール バーの 表示/非表示\nツール バーの表示切り替え")},
    {59393,
     QT_TRANSLATE_NOOP("Strings", "ステータス バーの 表示/非表示\nステータス バーの表示切り替え")},
    {59137, "CAP"},
    {59138, "NUM"},
    {59139, "SCRL"},
};

}  // namespace

QString LoadAppString(int id) {
    // The recent-file entries share one prompt.
    if (id >= 57616 && id <= 57631)
        return QCoreApplication::translate("Strings", "指定のファイルを開く");
    for (const Entry& e : kStrings) {
        if (e.id == id)
            return QCoreApplication::translate("Strings", e.text);
    }
    return QString();
}

QString CommandPrompt(int id) {
    return LoadAppString(id).section(QLatin1Char('\n'), 0, 0);
}

QString CommandToolTip(int id) {
    const QString s = LoadAppString(id);
    const int nl = s.indexOf(QLatin1Char('\n'));
    return nl < 0 ? QString() : s.mid(nl + 1);
}
