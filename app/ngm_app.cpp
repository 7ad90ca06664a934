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

    if (!arguments.isEmpty() && !m_pMainFrame->OpenDocumentFile(arguments.first()))
        return false;

    m_pMainFrame->show();
    return true;
}

void CNGMApp::OnAppAbout() {
    CAboutDlg dlg(m_pMainFrame.get());
    RunModal(dlg);
}
