#include "session/verdict_text.h"

#include <QCoreApplication>

VerdictLabel DescribeVerdict(const SolveResult& result) {
    switch (result.verdict) {
        case Verdict::Line:
            return {QCoreApplication::translate("Verdict", "一意解・論理で解けます (難易度 %1)")
                        .arg(result.difficulty),
                    QCoreApplication::translate(
                        "Verdict",
                        "答えは一つだけで、行と列のヒントから理詰めで一マスずつ決めて"
                        "いけば解けます。")};
        case Verdict::Unique:
            return {QCoreApplication::translate("Verdict", "一意解・推理が必要です (難易度 %1)")
                        .arg(result.difficulty),
                    QCoreApplication::translate(
                        "Verdict",
                        "答えは一つだけですが、一本の行や列を見るだけでは行き詰まり、"
                        "仮に塗って矛盾を確かめる推理が必要です。")};
        case Verdict::Multiple:
            return {QCoreApplication::translate("Verdict", "複数解: %1 マスが決まりません")
                        .arg(result.undecidedCount),
                    QCoreApplication::translate(
                        "Verdict",
                        "答えが複数あります。黄色の印のマスはヒントからは決まらず、"
                        "プレイヤーは当て推量をするしかありません。")};
        case Verdict::None:
            return {QCoreApplication::translate("Verdict", "解がありません"),
                    QCoreApplication::translate(
                        "Verdict",
                        "ヒントどうしが矛盾していて、すべてを満たす塗り方がありま"
                        "せん。")};
        case Verdict::Timeout:
            break;
    }
    return {QCoreApplication::translate("Verdict", "判定できません (時間切れ)"),
            QCoreApplication::translate(
                "Verdict", "制限時間内に答えが一つかどうかを確かめられませんでした。")};
}
