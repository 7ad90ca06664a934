#include "construct/verdict_text.h"

VerdictLabel DescribeVerdict(const SolveResult& result) {
    switch (result.verdict) {
        case Verdict::Line:
            return {QStringLiteral("一意解・論理で解けます (難易度 %1)").arg(result.difficulty),
                    QStringLiteral("答えは一つだけで、行と列のヒントから理詰めで一マスずつ決めて"
                                   "いけば解けます。")};
        case Verdict::Unique:
            return {QStringLiteral("一意解・推理が必要です (難易度 %1)").arg(result.difficulty),
                    QStringLiteral("答えは一つだけですが、一本の行や列を見るだけでは行き詰まり、"
                                   "仮に塗って矛盾を確かめる推理が必要です。")};
        case Verdict::Multiple:
            return {QStringLiteral("複数解: %1 マスが決まりません").arg(result.undecidedCount),
                    QStringLiteral("答えが複数あります。黄色の印のマスはヒントからは決まらず、"
                                   "プレイヤーは当て推量をするしかありません。")};
        case Verdict::None:
            return {QStringLiteral("解がありません"),
                    QStringLiteral("ヒントどうしが矛盾していて、すべてを満たす塗り方がありま"
                                   "せん。")};
        case Verdict::Timeout:
            break;
    }
    return {QStringLiteral("判定できません (時間切れ)"),
            QStringLiteral("制限時間内に答えが一つかどうかを確かめられませんでした。")};
}
