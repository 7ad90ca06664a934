#include "app/ngm_app.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "platform/modal.h"
#include "res/dialog_template.h"
#include "res/images.h"

const char* const kSettingsKey =
    "アプリケーション ウィザードで生成されたローカル アプリケーション";  // untranslated: the
                                                                         // settings key

namespace {

// The first word that is not an option (options begin with "-"; after "--" every word is a file).
QString FirstFileArgument(const QStringList& arguments) {
    bool options = true;
    for (const QString& a : arguments) {
        if (options && a == QLatin1String("--")) {
            options = false;
        } else if (!options || !a.startsWith(QLatin1Char('-'))) {
            return a;
        }
    }
    return QString();
}

}  // namespace

CNGMApp::CNGMApp() = default;
CNGMApp::~CNGMApp() = default;

bool CNGMApp::InitInstance(const QStringList& arguments) {
    QCoreApplication::setOrganizationName(QString::fromUtf8(kSettingsKey));
    QCoreApplication::setApplicationName(QStringLiteral("NGM"));
    QApplication::setWindowIcon(QIcon(QPixmap(kIconXpm)));

    m_doc.m_strTitle = QCoreApplication::translate("CMainFrame", "無題");
    m_pMainFrame = std::make_unique<CMainFrame>(&m_doc);
    QObject::connect(m_pMainFrame->Action(ID_APP_ABOUT), &QAction::triggered, m_pMainFrame.get(),
                     [this] { OnAppAbout(); });

    // The window opens first, so that the file named on the command line (by the desktop's
    // "open with") is read into it with the window behind its questions and messages; a file
    // that cannot be read leaves the window open and empty.
    m_pMainFrame->show();
    const QString file = FirstFileArgument(arguments);
    if (!file.isEmpty())
        m_pMainFrame->OpenDocumentFile(file);
    return true;
}

void CNGMApp::OnAppAbout() {
    CAboutDlg dlg(m_pMainFrame.get());
    RunModal(dlg);
}
