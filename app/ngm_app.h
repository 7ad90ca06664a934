// The application object: settings key, the one document, the main frame, the command line.
#pragma once

#include <QStringList>
#include <memory>

#include "session/ngm_doc.h"
#include "session/progress_store.h"

class CMainFrame;

class CNGMApp {
public:
    CNGMApp();
    ~CNGMApp();
    // Creates the document and the frame, shows the frame and opens the file named on the
    // command line (arguments after the program name) as 入力(I) or パズルを開く would.  The
    // window opens even when the file cannot be read; several files are refused as several
    // dropped at once.  False when the program must not start.
    bool InitInstance(const QStringList& arguments);
    // The file names among the arguments: words that are not options, and every word after "--".
    static QStringList FileArguments(const QStringList& arguments);
    void OnAppAbout();
    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CNGMDoc& Document() { return m_doc; }

private:
    // Before the document, whose session keeps games in it, so that it outlives the session.
    ProgressStore m_progress{ProgressStore::DefaultPath()};
    CNGMDoc m_doc;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

// The settings key of the program (organisation part of QSettings).
extern const char* const kSettingsKey;
