// Builds the widgets of a dialog template and finds them again by control id.
#pragma once

#include <QFrame>
#include <QHash>
#include <QWidget>

#include "res/dialog_template.h"

class CDC;
class QLineEdit;
class QToolButton;

class ControlMap {
public:
    void Add(int id, QWidget* w) { m_items.insert(id, w); }
    QWidget* Item(int id) const { return m_items.value(id, nullptr); }
    template <class T>
    T* Get(int id) const {
        return qobject_cast<T*>(Item(id));
    }
    QList<int> Ids() const { return m_items.keys(); }

private:
    QHash<int, QWidget*> m_items;
};

// Size in pixels of a template's client area.
QSize TemplateClientSize(const DialogTemplate& t);
// The template's font (face through the substitutions, size in points).
QFont TemplateFont(const DialogTemplate& t);
// A caption or control text of a template in the language of the user interface.
QString TemplateText(const char* text);

// Creates the template's controls as children of parent at their pixel rectangles, in
// template order (later ones on top), and returns them by id.  Group boxes, labels and frames
// let the mouse through to the parent, as dialog statics do.  Radio buttons check themselves
// and clear the other radio buttons of the template when clicked; checking one from code
// leaves the others alone.
ControlMap BuildControls(QWidget* parent, const DialogTemplate& t);

// Checks or clears a radio or check button by id.
void CheckDlgButton(const ControlMap& controls, int id, bool checked);
bool IsDlgButtonChecked(const ControlMap& controls, int id);
void SetDlgItemText(const ControlMap& controls, int id, const QString& text);
QString GetDlgItemText(const ControlMap& controls, int id);

// A static control drawn as a frame.  Its client area is the widget less the outer edge of
// its style; a CDC given as image source is copied at (1, 1) of the client area on every
// paint, inside the one-pixel rim of the frame.
class PanelFrame : public QFrame {
    Q_OBJECT
public:
    PanelFrame(unsigned style, QWidget* parent);
    // Client rectangle in the widget's own coordinates.
    QRect ClientRect() const { return contentsRect(); }
    QSize ClientSize() const { return contentsRect().size(); }
    void SetImageSource(const CDC* dc) {
        m_pSource = dc;
        update();
    }
    const CDC* ImageSource() const { return m_pSource; }
    unsigned Style() const { return m_style; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    unsigned m_style;
    const CDC* m_pSource = nullptr;
};

// A vertical up-down control with the edit before it as buddy: the arrows (and the arrow keys
// in the buddy) step the position within the range and write it into the buddy as decimal.
class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent);
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return m_pBuddy; }
    void SetRange(int lower, int upper);
    int Lower() const { return m_nLower; }
    int Upper() const { return m_nUpper; }
    void SetPos(int pos);
    // Reads the position from the buddy's text.  When the text is not a whole number in the
    // range, *error is set and the last valid position is returned.
    int GetPos(bool* error = nullptr) const;
    void StepBy(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* m_pUp;
    QToolButton* m_pDown;
    QLineEdit* m_pBuddy = nullptr;
    int m_nLower = 0;
    int m_nUpper = 100;
    mutable int m_nPos = 0;
};
