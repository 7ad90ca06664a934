// The about box (template 100): program name, version and copyright; OK closes it.
#pragma once

#include <QDialog>

#include "platform/form.h"

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    const ControlMap& Controls() const { return m_controls; }

private:
    ControlMap m_controls;
};
