#include "session/picture_refusal_text.h"

#include "model/picture_loader.h"

QString PictureRefusalText(PictureRefusal refusal) {
    switch (refusal) {
        case PictureRefusal::kUnsupported:
            return QCoreApplication::translate("PictureRefusal",
                                               "この形式はサポートされていません。");
        case PictureRefusal::kTooLarge:
            return QCoreApplication::translate("PictureRefusal", "入力画像サイズが大きすぎます。");
        case PictureRefusal::kEmpty:
            return QCoreApplication::translate("PictureRefusal", "入力サイズが小さすぎます。");
        case PictureRefusal::kOutOfMemory:
            return QCoreApplication::translate("PictureRefusal",
                                               "メモリが不足しているため画像を読み込めません。");
        case PictureRefusal::kDamaged:
            return QCoreApplication::translate("PictureRefusal",
                                               "画像のデータが壊れているか途中で切れています。");
    }
    return QString();
}
