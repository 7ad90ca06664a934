// The string table: prompts, tool tips, indicator texts and the document template string.
#pragma once

#include <QString>

// Text of a string-table entry, or an empty string for an id the program does not use.
QString LoadAppString(int id);

// Status-bar prompt of a command: the part before "\n".
QString CommandPrompt(int id);
// Tool tip of a command: the part after "\n" (empty when there is none).
QString CommandToolTip(int id);

constexpr int IDR_MAINFRAME = 128;
constexpr int AFX_IDS_APP_TITLE = 57344;
constexpr int AFX_IDS_IDLEMESSAGE = 57345;
constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int ID_INDICATOR_NUM = 59138;
constexpr int ID_INDICATOR_SCRL = 59139;
