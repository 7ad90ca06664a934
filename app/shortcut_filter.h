// The window's own shortcuts before the text fields of its form: a combo box or an edit with
// the focus would otherwise take keys such as Ctrl+U (which erases the line) or Ctrl+A as its
// own editing keys, and the window's command would never run.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class QWidget;

class WindowShortcutsFirst : public QObject {
public:
    WindowShortcutsFirst(QList<QKeySequence> sequences, QObject* parent);
    // Watches every text field below form: line edits, combo boxes, spin boxes, text edits.
    void Watch(QWidget* form);

protected:
    // A field asked whether it overrides one of the sequences says no, so that the shortcut
    // runs; every other key stays the field's.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QKeySequence> m_sequences;
};
