#include "res/dialog_template.h"

#include <QtGlobal>

namespace {

constexpr ControlTemplate kControls[] = {
    {1, CtlKind::DefPushButton, QT_TRANSLATE_NOOP("Dialog", "アンサーチェック"), 316, 22, 55, 14,
     CS_TABSTOP},
    {1028, CtlKind::GroupBox, "Play Time", 317, 41, 54, 24, 0},
    {1011, CtlKind::PushButton, QT_TRANSLATE_NOOP("Dialog", "リトライ"), 316, 79, 55, 14,
     CS_TABSTOP},
    {1013, CtlKind::PushButton, "Help", 316, 99, 55, 14, CS_TABSTOP},
    {2, CtlKind::PushButton, "END", 316, 119, 55, 14, CS_TABSTOP},
    {1014, CtlKind::PushButton, QT_TRANSLATE_NOOP("Dialog", "ヒント"), 316, 139, 55, 14,
     CS_TABSTOP},
    {1015, CtlKind::Frame, "", 25, 22, 275, 253, CS_BLACKFRAME | CS_BORDER},
};

constexpr DialogTemplate kTemplate{
    133, QT_TRANSLATE_NOOP("Dialog", "ピクロス"), 379, 302, "MS Shell Dlg", 8, kControls};

}  // namespace

const DialogTemplate& PlayDialogTemplate() {
    return kTemplate;
}
