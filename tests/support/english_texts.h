// The program's English texts for as long as this lives.  The other tests expect Japanese, and a
// test program may run every case in one process, so the translators go again at the end.
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QTranslator>

#include "platform/ui_language.h"

class EnglishTexts {
public:
    EnglishTexts() {
        const QList<QTranslator*> before = Translators();
        m_loaded = InstallEnglishTexts();
        for (QTranslator* t : Translators())
            if (!before.contains(t))
                m_added << t;
    }
    ~EnglishTexts() {
        for (QTranslator* t : m_added) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
    bool Loaded() const { return m_loaded; }

private:
    static QList<QTranslator*> Translators() {
        return QCoreApplication::instance()->findChildren<QTranslator*>();
    }
    bool m_loaded = false;
    QList<QTranslator*> m_added;
};
