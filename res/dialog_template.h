// Dialog templates as data: ids, texts, rectangles in dialog units and styles.  One builder
// (platform/form.h) turns a template into widgets.
#pragma once

#include <span>

enum class CtlKind {
    PushButton,
    DefPushButton,
    GroupBox,
    Static,  // text label
    Frame,   // static drawn as a frame (picture panels, swatch, canvas, board frame)
    Edit,
    RadioButton,  // automatic radio button
    CheckBox,     // automatic check box
    HScrollBar,
    ComboBox,  // drop-down with edit field
    UpDown,    // vertical up-down with the control before it as buddy
    Progress,
};

// Style bits of a control.
enum : unsigned {
    CS_DISABLED = 1u << 0,
    CS_READONLY = 1u << 1,
    CS_MULTILINE = 1u << 2,
    CS_BORDER = 1u << 3,       // one-pixel black border outside the client area
    CS_ETCHEDFRAME = 1u << 4,  // etched frame drawn inside the client area
    CS_BLACKFRAME = 1u << 5,
    CS_WHITEFRAME = 1u << 6,
    CS_STATICEDGE = 1u << 7,  // one-pixel sunken edge outside the client area
    CS_CLIENTEDGE = 1u << 8,  // two-pixel sunken edge outside the client area
    CS_MODALFRAME = 1u << 9,  // two-pixel raised edge outside the client area
    CS_SUNKEN = 1u << 10,
    CS_CENTERIMAGE = 1u << 11,
    CS_TABSTOP = 1u << 12,
    CS_AUTOSCROLL = 1u << 13,
    CS_SORTED = 1u << 14,
    CS_VSCROLL = 1u << 15,
};

struct ControlTemplate {
    int id;  // -1 for controls the program never addresses
    CtlKind kind;
    const char* text;  // UTF-8
    int x, y, cx, cy;  // dialog units
    unsigned style;
};

struct DialogTemplate {
    int id;
    const char* caption;  // UTF-8; null for a child form
    int cx, cy;           // dialog units
    const char* fontFace;
    int fontPoints;
    std::span<const ControlTemplate> controls;
};

// Control ids the program's code names.
enum : int {
    IDC_INFO = 1000,
    IDC_LOWER_EDIT = 1001,
    IDC_UPPER_EDIT = 1002,
    IDC_LOWER_SCROLL = 1003,
    IDC_UPPER_SCROLL = 1004,
    IDC_BINARY_PANEL = 1006,
    IDC_RESULT_PANEL = 1007,
    IDC_TEST_MODE = 1008,
    IDC_PLAY_MODE = 1009,
    IDC_INPUT = 1011,
    IDC_INPUT_PANEL = 1012,
    IDC_ANALYZE = 1013,
    IDC_PREVIEW_PANEL = 1014,
    IDC_PLAY = 1016,
    IDC_DRAWBOX = 1019,
    IDC_BLOCKS = 1027,
    IDC_LOWER_CAPTION = 1029,
    IDC_UPPER_CAPTION = 1030,
    IDC_FIT_PICTURE = 1031,
    IDC_COLOURS = 1032,
};

// Commands of the menu, tool bar and accelerators.
enum : int {
    ID_DRAWBOX = 131,
    ID_TOPMOST = 142,
    ID_README = 143,
    ID_PUZZLE_EXPORT = 144,
    ID_PUZZLE_OPEN = 145,
    ID_FIND_UNIQUE = 146,
    ID_WORKBENCH = 150,
    ID_PUZZLE_COLLECTION = 152,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_PRINT = 57607,
    ID_FILE_MRU_FILE1 = 57616,
    ID_EDIT_PASTE = 57637,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

const DialogTemplate& AboutDialogTemplate();    // 100
const DialogTemplate& FormViewTemplate();       // 101
const DialogTemplate& DrawBoxDialogTemplate();  // 130
const DialogTemplate& PlayDialogTemplate();     // 133
