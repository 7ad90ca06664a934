#include "res/dialog_template.h"

#include <QtGlobal>

namespace {

constexpr ControlTemplate kControls[] = {
    {-1, CtlKind::Static, "NGM Version 1.0", 40, 10, 119, 8, 0},
    {-1, CtlKind::Static, QT_TRANSLATE_NOOP("Dialog", "イメージロジック作成・プレイツール"), 40, 22,
     119, 8, 0},
    {-1, CtlKind::Static, "Copyright (C) 2026", 40, 34, 119, 8, 0},
    {1, CtlKind::DefPushButton, "OK", 178, 7, 50, 16, CS_TABSTOP},
};

constexpr DialogTemplate kTemplate{
    100, QT_TRANSLATE_NOOP("Dialog", "バージョン情報 NGM"), 235, 55, "MS Shell Dlg", 8, kControls};

}  // namespace

const DialogTemplate& AboutDialogTemplate() {
    return kTemplate;
}
