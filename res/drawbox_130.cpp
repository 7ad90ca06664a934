#include "res/drawbox_ids.h"
#include "res/dialog_template.h"

#include <QtGlobal>

namespace {

constexpr ControlTemplate kControls[] = {
    {IDC_DB_STORE, CtlKind::DefPushButton, QT_TRANSLATE_NOOP("Dialog", "データ格納"), 319, 27, 64,
     13, CS_TABSTOP},
    {IDC_DB_CANCEL, CtlKind::PushButton, QT_TRANSLATE_NOOP("Dialog", "キャンセル"), 318, 49, 66, 14,
     CS_TABSTOP},
    {IDC_DB_CLEAR, CtlKind::PushButton, QT_TRANSLATE_NOOP("Dialog", "画面クリア"), 318, 91, 66, 12,
     CS_TABSTOP},
    {IDC_DB_PEN_EDIT, CtlKind::Edit, "", 286, 223, 42, 12, CS_BORDER | CS_TABSTOP},
    {IDC_DB_PEN_SPIN, CtlKind::UpDown, "", 329, 223, 13, 12, 0},
    {IDC_DB_SWATCH, CtlKind::Frame, "", 24, 240, 24, 24, CS_BLACKFRAME | CS_CLIENTEDGE | CS_SUNKEN},
    {-1, CtlKind::GroupBox, QT_TRANSLATE_NOOP("Dialog", "色選択"), 6, 210, 259, 70, 0},
    {-1, CtlKind::Static, QT_TRANSLATE_NOOP("Dialog", "選択色"), 24, 228, 24, 8, 0},
    {-1, CtlKind::Static, "R", 58, 224, 8, 8, 0},
    {-1, CtlKind::Static, "G", 58, 242, 8, 8, 0},
    {-1, CtlKind::Static, "B", 58, 260, 8, 8, 0},
    {IDC_DB_RED_EDIT, CtlKind::Edit, "", 69, 222, 42, 12, CS_BORDER | CS_READONLY | CS_TABSTOP},
    {IDC_DB_GREEN_EDIT, CtlKind::Edit, "", 69, 240, 42, 12, CS_BORDER | CS_READONLY | CS_TABSTOP},
    {IDC_DB_BLUE_EDIT, CtlKind::Edit, "", 69, 258, 42, 12, CS_BORDER | CS_READONLY | CS_TABSTOP},
    {IDC_DB_RED_SCROLL, CtlKind::HScrollBar, "", 117, 222, 138, 12, 0},
    {IDC_DB_GREEN_SCROLL, CtlKind::HScrollBar, "", 117, 240, 138, 12, 0},
    {IDC_DB_BLUE_SCROLL, CtlKind::HScrollBar, "", 117, 258, 138, 12, 0},
    {IDC_DB_CANVAS, CtlKind::Frame, "", 72, 27, 170, 157, CS_WHITEFRAME},
    {IDC_DB_FREE, CtlKind::RadioButton, QT_TRANSLATE_NOOP("Dialog", "フリー"), 330, 132, 48, 12,
     CS_TABSTOP},
    {IDC_DB_LINE, CtlKind::RadioButton, QT_TRANSLATE_NOOP("Dialog", "ライン"), 330, 144, 48, 12, 0},
    {IDC_DB_POINT, CtlKind::RadioButton, QT_TRANSLATE_NOOP("Dialog", "ポイント"), 330, 156, 48, 12,
     0},
    {-1, CtlKind::GroupBox, QT_TRANSLATE_NOOP("Dialog", "描画種類"), 318, 120, 66, 54, 0},
    {IDC_DB_PROGRESS, CtlKind::Progress, "", 280, 287, 111, 10, CS_BORDER},
    {-1, CtlKind::GroupBox, QT_TRANSLATE_NOOP("Dialog", "ペンサイズ"), 279, 209, 67, 34, 0},
};

constexpr DialogTemplate kTemplate{130, "DrawBox", 415, 303, "MS Shell Dlg", 8, kControls};

}  // namespace

const DialogTemplate& DrawBoxDialogTemplate() {
    return kTemplate;
}
