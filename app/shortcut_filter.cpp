#include "app/shortcut_filter.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <utility>

WindowShortcutsFirst::WindowShortcutsFirst(QList<QKeySequence> sequences, QObject* parent)
    : QObject(parent), m_sequences(std::move(sequences)) {}

void WindowShortcutsFirst::Watch(QWidget* form) {
    // A combo box hands the question to its line edit itself, past any filter on the edit:
    // both are watched, and the parents between them and the window accept nothing.
    const auto watch = [this](const auto& fields) {
        for (QWidget* field : fields)
            field->installEventFilter(this);
    };
    watch(form->findChildren<QLineEdit*>());
    watch(form->findChildren<QComboBox*>());
    watch(form->findChildren<QAbstractSpinBox*>());
    watch(form->findChildren<QPlainTextEdit*>());
    watch(form->findChildren<QTextEdit*>());
}

bool WindowShortcutsFirst::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_sequences.contains(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
