// The application object: settings key, the one document, the main frame, the command line.
#pragma once

#include <QStringList>
#include <memory>

#include "model/ngm_doc.h"

class CMainFrame;

class CNGMApp {
public:
    CNGMApp();
    ~CNGMApp();
    // Creates the document and the frame and processes the command line (arguments after the
    // program name).  False when the program must not start.
    bool InitInstance(const QStringList& arguments);
    void OnAppAbout();
    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CNGMDoc& Document() { return m_doc; }

private:
    CNGMDoc m_doc;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

// The settings key of the program (organisation part of QSettings).
extern const char* const kSettingsKey;
