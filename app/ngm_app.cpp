#include "app/ngm_app.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "construct/ngm_view.h"
#include "platform/modal.h"
#include "res/dialog_template.h"
#include "res/images.h"

const char* const kSettingsKey =
    "アプリケーション ウィザードで生成されたローカル アプリケーション";  // untranslated: the
                                                                         // settings key

CNGMApp::CNGMApp() = default;

CNGMApp::~CNGMApp() {
    m_pMainFrame.reset();
    m_doc.Session().KeepProgress();
}

bool CNGMApp::InitInstance(const QStringList& arguments) {
    QCoreApplication::setOrganizationName(QString::fromUtf8(kSettingsKey));
    QCoreApplication::setApplicationName(QStringLiteral("NGM"));
    // The icon installed in the desktop's theme, drawn from the same grid as the built-in one,
    // which stands in when the program runs from its build tree.
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("io.github.ngm.NGM"), QIcon(QPixmap(kIconXpm))));

    // The games left and the clears made in earlier runs.
    m_progress.Load();
    m_doc.Session().UseProgressStore(&m_progress);
    m_doc.m_strTitle = QCoreApplication::translate("CMainFrame", "無題");
    m_pMainFrame = std::make_unique<CMainFrame>(&m_doc);
    QObject::connect(m_pMainFrame->Action(ID_APP_ABOUT), &QAction::triggered, m_pMainFrame.get(),
                     [this] { OnAppAbout(); });

    // The window opens whatever the command line holds; a file that cannot be read is
    // reported over it, as in the dialogs.
    m_pMainFrame->show();
    const QStringList files = FileArguments(arguments);
    if (files.size() == 1) {
        m_pMainFrame->OpenDocumentFile(files.front());
    } else if (files.size() > 1) {
        m_pMainFrame->View()->OnDropFiles(files);  // refused as several files dropped at once
    }
    return true;
}

QStringList CNGMApp::FileArguments(const QStringList& arguments) {
    // Options are for the program's start-up (Qt takes its own before this); an option this
    // program does not know is named on the standard error and otherwise ignored.  After "--"
    // every word is a file name.
    QStringList files;
    bool options = true;
    for (const QString& word : arguments) {
        if (options && word == QStringLiteral("--")) {
            options = false;
        } else if (options && word.startsWith(QLatin1Char('-')) && word.size() > 1) {
            std::fprintf(stderr, "%s\n",
                         qPrintable(QCoreApplication::translate(
                                        "CNGMApp", "ngm: 知らないオプションを無視します: %1")
                                        .arg(word)));
        } else {
            files << word;
        }
    }
    return files;
}

void CNGMApp::OnAppAbout() {
    CAboutDlg dlg(m_pMainFrame.get());
    RunModal(dlg);
}
