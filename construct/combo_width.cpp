#include "construct/combo_width.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

// A line edit keeps 2 pixels free on each side of its text, and the cursor takes one more.
constexpr int kLineEditMargins = 2 * 2 + 1;

}  // namespace

int ComboWidthForText(const QComboBox& combo, const QString& text) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.currentText = text;
    // What the frame and the arrow take of the combo's present width stays the same at any width.
    const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, &combo);
    const int chrome = combo.width() - field.width();
    return chrome + QFontMetrics(combo.font()).horizontalAdvance(text) + kLineEditMargins;
}
