#include "construct/picture_refusal_text.h"

#include "model/picture_loader.h"

QString PictureRefusalText(PictureRefusal refusal) {
    switch (refusal) {
        case PictureRefusal::kUnsupported:
            return QStringLiteral("この形式はサポートされていません。");
        case PictureRefusal::kTooLarge:
            return QStringLiteral("入力画像サイズが大きすぎます。");
        case PictureRefusal::kEmpty:
            return QStringLiteral("入力サイズが小さすぎます。");
        case PictureRefusal::kOutOfMemory:
            return QStringLiteral("メモリが不足しているため画像を読み込めません。");
    }
    return QString();
}
