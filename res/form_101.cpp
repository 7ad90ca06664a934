#include "res/dialog_template.h"

#include <QtGlobal>

namespace {

constexpr ControlTemplate kControls[] = {
    {-1, CtlKind::GroupBox, QT_TRANSLATE_NOOP("Dialog", "操作パネル"), 6, 7, 91, 280, 0},
    {-1, CtlKind::GroupBox, QT_TRANSLATE_NOOP("Dialog", "入力方法"), 15, 29, 75, 57, 0},
    {IDC_INPUT, CtlKind::PushButton, QT_TRANSLATE_NOOP("Dialog", "入力(I)"), 30, 43, 45, 15,
     CS_TABSTOP},
    {IDC_DRAWBOX, CtlKind::PushButton, QT_TRANSLATE_NOOP("Dialog", "作成(M)"), 30, 64, 45, 15,
     CS_TABSTOP},
    {-1, CtlKind::GroupBox, QT_TRANSLATE_NOOP("Dialog", "画像情報"), 15, 105, 75, 53, 0},
    {IDC_INFO, CtlKind::Edit, "", 20, 115, 65, 36,
     CS_MULTILINE | CS_READONLY | CS_AUTOSCROLL | CS_BORDER | CS_TABSTOP},
    {-1, CtlKind::GroupBox, QT_TRANSLATE_NOOP("Dialog", "解析"), 15, 171, 75, 57, 0},
    {IDC_ANALYZE, CtlKind::PushButton, QT_TRANSLATE_NOOP("Dialog", "解析(A)"), 30, 181, 45, 16,
     CS_DISABLED | CS_TABSTOP},
    {IDC_TEST_MODE, CtlKind::RadioButton, QT_TRANSLATE_NOOP("Dialog", "テストモード"), 30, 202, 46,
     9, CS_DISABLED | CS_TABSTOP},
    {IDC_PLAY_MODE, CtlKind::RadioButton, QT_TRANSLATE_NOOP("Dialog", "プレイモード"), 30, 213, 47,
     9, CS_DISABLED},
    {IDC_PLAY, CtlKind::PushButton, QT_TRANSLATE_NOOP("Dialog", "プレイ(P)"), 26, 244, 55, 20,
     CS_DISABLED | CS_TABSTOP},
    {IDC_INPUT_PANEL, CtlKind::Frame, "", 104, 7, 176, 192, CS_ETCHEDFRAME},
    {-1, CtlKind::Static, QT_TRANSLATE_NOOP("Dialog", "入力画像"), 174, 201, 39, 8, 0},
    {IDC_BINARY_PANEL, CtlKind::Frame, "", 104, 215, 176, 192,
     CS_ETCHEDFRAME | CS_CENTERIMAGE | CS_STATICEDGE},
    {-1, CtlKind::Static, QT_TRANSLATE_NOOP("Dialog", "2値化画像"), 173, 408, 39, 8, 0},
    {IDC_PREVIEW_PANEL, CtlKind::Frame, "", 286, 215, 176, 192, CS_ETCHEDFRAME | CS_STATICEDGE},
    {-1, CtlKind::Static, QT_TRANSLATE_NOOP("Dialog", "解析結果"), 363, 408, 39, 8, 0},
    {IDC_RESULT_PANEL, CtlKind::Frame, "", 298, 26, 156, 170, CS_BLACKFRAME | CS_MODALFRAME},
    {-1, CtlKind::Static, QT_TRANSLATE_NOOP("Dialog", "プレビュー"), 364, 199, 39, 8, 0},
    {-1, CtlKind::GroupBox, QT_TRANSLATE_NOOP("Dialog", "解析オプション"), 105, 423, 356, 52, 0},
    {-1, CtlKind::GroupBox, QT_TRANSLATE_NOOP("Dialog", "ブロック数"), 151, 432, 41, 38, 0},
    {IDC_BLOCKS, CtlKind::ComboBox, "", 156, 446, 32, 31,
     CS_DISABLED | CS_SORTED | CS_VSCROLL | CS_TABSTOP},
    {-1, CtlKind::GroupBox, QT_TRANSLATE_NOOP("Dialog", "閾値"), 225, 429, 194, 42, 0},
    {IDC_LOWER_CAPTION, CtlKind::Static, QT_TRANSLATE_NOOP("Dialog", "下限"), 233, 442, 15, 8,
     CS_DISABLED},
    {IDC_LOWER_SCROLL, CtlKind::HScrollBar, "", 249, 439, 127, 10, CS_DISABLED},
    {IDC_LOWER_EDIT, CtlKind::Edit, "", 379, 439, 31, 12, CS_READONLY | CS_BORDER | CS_DISABLED},
    {IDC_UPPER_CAPTION, CtlKind::Static, QT_TRANSLATE_NOOP("Dialog", "上限"), 233, 455, 15, 8,
     CS_DISABLED},
    {IDC_UPPER_SCROLL, CtlKind::HScrollBar, "", 249, 453, 127, 10, CS_DISABLED},
    {IDC_UPPER_EDIT, CtlKind::Edit, "", 379, 452, 31, 12, CS_READONLY | CS_BORDER | CS_DISABLED},
    // Beside the analysis options: the puzzle follows the picture's own width and height.
    {IDC_FIT_PICTURE, CtlKind::CheckBox, QT_TRANSLATE_NOOP("Dialog", "画像の縦横比に合わせる"), 6,
     446, 96, 10, CS_DISABLED | CS_TABSTOP},
    // Right of the band: black and white by the band, or a colour puzzle of 2 to 8 colours.
    {-1, CtlKind::GroupBox, QT_TRANSLATE_NOOP("Dialog", "色数"), 422, 432, 36, 38, 0},
    {IDC_COLOURS, CtlKind::ComboBox, "", 425, 446, 30, 100, CS_DISABLED | CS_TABSTOP},
};

constexpr DialogTemplate kTemplate{101, nullptr, 475, 489, "MS UI Gothic", 8, kControls};

}  // namespace

const DialogTemplate& FormViewTemplate() {
    return kTemplate;
}
