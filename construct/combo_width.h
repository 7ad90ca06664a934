// The width a closed editable combo box needs to show a text whole in its edit field.
#pragma once

#include <QString>

class QComboBox;

// The combo's width with an edit field just wide enough for `text` in the combo's font: its
// frame, arrow button and the line edit's own margins around the text.
int ComboWidthForText(const QComboBox& combo, const QString& text);
