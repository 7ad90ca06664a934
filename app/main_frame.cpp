#include "app/main_frame.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include "app/readme_search.h"
#include "app/shortcut_filter.h"
#include "construct/ngm_view.h"
#include "formats/file_writing.h"
#include "image/native_name.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/shell.h"
#include "play/collection_dialog.h"
#include "res/dialog_template.h"
#include "res/images.h"
#include "res/strings.h"
#include "session/ngm_doc.h"

namespace {

constexpr int kMaxRecentFiles = 4;
const char* const kRecentGroup = "Recent File List";

}  // namespace

CMainFrame::CMainFrame(CNGMDoc* doc, QWidget* parent) : QMainWindow(parent), m_pDoc(doc) {
    PreCreateWindow();
    OnCreate();

    m_pView = new CNGMView(m_pDoc);
    m_pView->SetFrame(this);
    connect(m_pView, &CNGMView::verdictChanged, this,
            [this](const QString& text, const QString& toolTip) {
                m_pVerdictPane->setText(text);
                m_pVerdictPane->setToolTip(toolTip);
                // Every new puzzle, and every puzzle gone, clears or sets the verdict.
                UpdatePuzzleCommands();
            });
    // The search for a unique puzzle needs an analysed picture.
    connect(m_pView, &CNGMView::verdictChanged, this,
            [this] { Action(ID_FIND_UNIQUE)->setEnabled(m_pView->CanFindUnique()); });
    m_pScroll = new QScrollArea(this);
    m_pScroll->setFrameShape(QFrame::NoFrame);
    m_pScroll->setWidgetResizable(false);
    m_pScroll->setWidget(m_pView);
    setCentralWidget(m_pScroll);
    setAcceptDrops(true);

    UpdateFrameTitle();
    m_pView->OnInitialUpdate();
    ShrinkToFitView();
    // The window's shortcuts win over the form's fields, all but Ctrl+V: pasting into a field
    // that accepts typing comes first.
    QList<QKeySequence> shortcuts;
    for (QAction* action : std::as_const(m_actions)) {
        if (!action->shortcut().isEmpty() && action != Action(ID_EDIT_PASTE))
            shortcuts << action->shortcut();
    }
    (new WindowShortcutsFirst(shortcuts, this))->Watch(m_pView);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::PreCreateWindow() {
    move(200, 25);
    resize(1500, 1000);
}

QAction* CMainFrame::MakeAction(int id, const QString& text, const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    action->setStatusTip(CommandPrompt(id));
    const QString tip = CommandToolTip(id);
    if (!tip.isEmpty())
        action->setToolTip(tip);
    m_actions.insert(id, action);
    addAction(action);
    return action;
}

void CMainFrame::OnCreate() {
    // Commands of the menu, the tool bar and the accelerators.
    QAction* fileNew =
        MakeAction(ID_FILE_NEW, tr("新規作成\tCtrl+N(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* fileOpen =
        MakeAction(ID_FILE_OPEN, tr("開く...\tCtrl+O(&O)"), QKeySequence(Qt::CTRL | Qt::Key_O));
    fileOpen->setIcon(QIcon(QPixmap(kOpenXpm)));
    QAction* fileSave = MakeAction(ID_FILE_SAVE, QString(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* openPuzzle = MakeAction(ID_PUZZLE_OPEN, tr("パズルを開く...\tCtrl+Shift+O"),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    QAction* exportPuzzle = MakeAction(ID_PUZZLE_EXPORT, tr("パズルをエクスポート...\tCtrl+E"),
                                       QKeySequence(Qt::CTRL | Qt::Key_E));
    QAction* printPuzzle = MakeAction(ID_FILE_PRINT, tr("印刷(P)..."));
    QAction* exit = MakeAction(ID_APP_EXIT, tr("アプリケーションの終了(&X)"));
    QAction* topmost = MakeAction(ID_TOPMOST, tr("最前面表示(&D)"));
    topmost->setCheckable(true);
    QAction* toolbar = MakeAction(ID_VIEW_TOOLBAR, tr("ツール バー(&T)"));
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction* statusbar = MakeAction(ID_VIEW_STATUS_BAR, tr("ステータス バー(&S)"));
    statusbar->setCheckable(true);
    statusbar->setChecked(true);
    QAction* drawbox =
        MakeAction(ID_DRAWBOX, tr("DrawBox\tCtrl+M(&M)"), QKeySequence(Qt::CTRL | Qt::Key_M));
    drawbox->setIcon(QIcon(QPixmap(kDrawBoxXpm)));
    QAction* findUnique = MakeAction(ID_FIND_UNIQUE, tr("一意なパズルを探す...\tCtrl+U"),
                                     QKeySequence(Qt::CTRL | Qt::Key_U));
    findUnique->setEnabled(false);
    QAction* workbench =
        MakeAction(ID_WORKBENCH, tr("作業台\tCtrl+B"), QKeySequence(Qt::CTRL | Qt::Key_B));
    QAction* collection = MakeAction(ID_PUZZLE_COLLECTION, tr("パズル集..."));
    // Ctrl+V reaches a focused text field that accepts typing first; elsewhere it pastes the
    // picture on the clipboard.
    QAction* paste =
        MakeAction(ID_EDIT_PASTE, tr("画像を貼り付け\tCtrl+V"), QKeySequence(Qt::CTRL | Qt::Key_V));
    QAction* readme = MakeAction(ID_README, tr("Readme(R)"));
    QAction* about = MakeAction(ID_APP_ABOUT, tr("バージョン情報 NGM(&A)..."));
    about->setIcon(QIcon(QPixmap(kAboutXpm)));
    QAction* input = MakeAction(IDC_INPUT, QString(), QKeySequence(Qt::CTRL | Qt::Key_I));
    QAction* analyze = MakeAction(IDC_ANALYZE, QString(), QKeySequence(Qt::CTRL | Qt::Key_A));
    QAction* play = MakeAction(IDC_PLAY, QString(), QKeySequence(Qt::CTRL | Qt::Key_P));

    connect(fileNew, &QAction::triggered, this, [this] { OnFileNew(); });
    connect(fileOpen, &QAction::triggered, this, [this] { m_pView->OnFileOpen(); });
    connect(fileSave, &QAction::triggered, this, [this] { OnFileSave(); });
    connect(openPuzzle, &QAction::triggered, this, [this] { m_pView->OnOpenPuzzleFile(); });
    connect(exportPuzzle, &QAction::triggered, this, [this] { OnExportPuzzle(); });
    connect(printPuzzle, &QAction::triggered, this, [this] { OnPrintPuzzle(); });
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(topmost, &QAction::triggered, this, [this] { OnTopmost(); });
    connect(drawbox, &QAction::triggered, this, [this] { m_pView->OnDrawBox(); });
    connect(collection, &QAction::triggered, this, [this] { OnPuzzleCollection(); });
    connect(findUnique, &QAction::triggered, this, [this] { m_pView->OnFindUnique(); });
    connect(workbench, &QAction::triggered, this, [this] { m_pView->OnWorkbench(); });
    connect(paste, &QAction::triggered, this, [this] { m_pView->OnPaste(); });
    connect(readme, &QAction::triggered, this, [this] { OnReadme(); });
    connect(input, &QAction::triggered, this, [this] { m_pView->OnInput(); });
    // Analysis and play are commands of buttons that may be disabled: the accelerators do
    // nothing while their button is.
    connect(analyze, &QAction::triggered, this, [this] {
        if (m_pView->GetDlgItem(IDC_ANALYZE)->isEnabled())
            m_pView->OnAnalyze();
    });
    connect(play, &QAction::triggered, this, [this] {
        if (m_pView->GetDlgItem(IDC_PLAY)->isEnabled())
            m_pView->OnPlay();
    });

    CreateToolBar();
    CreateStatusBar();
    CreateMenus();
}

void CMainFrame::CreateToolBar() {
    // Tool bar: open, DrawBox, separator, about.
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("ToolBar128"));
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);
    m_wndToolBar->addAction(Action(ID_FILE_OPEN));
    m_wndToolBar->addAction(Action(ID_DRAWBOX));
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(Action(ID_APP_ABOUT));
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    QAction* shown = Action(ID_VIEW_TOOLBAR);
    connect(shown, &QAction::toggled, m_wndToolBar, &QWidget::setVisible);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, shown, &QAction::setChecked);
}

void CMainFrame::CreateStatusBar() {
    // Status bar: the message pane ("レディ" while idle) and the three key indicators.
    m_wndStatusBar = new QStatusBar(this);
    auto* idle = new QLabel(LoadAppString(AFX_IDS_IDLEMESSAGE), m_wndStatusBar);
    m_wndStatusBar->addWidget(idle, 1);
    // The verdict on the current puzzle, left of the key indicators; empty until there is one.
    m_pVerdictPane = new QLabel(m_wndStatusBar);
    m_pVerdictPane->setFrameShape(QFrame::Panel);
    m_pVerdictPane->setFrameShadow(QFrame::Sunken);
    m_pVerdictPane->setMinimumWidth(40);
    m_wndStatusBar->addPermanentWidget(m_pVerdictPane);
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        auto* indicator = new QLabel(LoadAppString(id), m_wndStatusBar);
        indicator->setFrameShape(QFrame::Panel);
        indicator->setFrameShadow(QFrame::Sunken);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(40);
        // The lock-key states are not available to a Qt program on every desktop; the
        // indicators show their names dimmed.
        indicator->setEnabled(false);
        m_wndStatusBar->addPermanentWidget(indicator);
    }
    setStatusBar(m_wndStatusBar);
    connect(Action(ID_VIEW_STATUS_BAR), &QAction::toggled, m_wndStatusBar, &QWidget::setVisible);
}

void CMainFrame::CreateMenus() {
    m_pFileMenu = menuBar()->addMenu(tr("ﾌｧｲﾙ(&F)"));
    m_pFileMenu->addAction(Action(ID_FILE_NEW));
    m_pFileMenu->addAction(Action(ID_FILE_OPEN));
    m_pFileMenu->addAction(Action(ID_PUZZLE_OPEN));
    m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(Action(ID_PUZZLE_EXPORT));
    m_pFileMenu->addAction(Action(ID_FILE_PRINT));
    m_pFileMenu->addSeparator();
    m_pRecentAnchor = m_pFileMenu->addAction(tr("最近使ったファイル"));
    m_pRecentAnchor->setEnabled(false);
    m_pRecentAnchor->setStatusTip(LoadAppString(ID_FILE_MRU_FILE1));
    m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(Action(ID_APP_EXIT));
    connect(m_pFileMenu, &QMenu::aboutToShow, this, [this] {
        UpdatePuzzleCommands();
        RebuildRecentFileMenu();
    });

    QMenu* view = menuBar()->addMenu(tr("表示(&V)"));
    view->addAction(Action(ID_TOPMOST));
    view->addSeparator();
    view->addAction(Action(ID_VIEW_TOOLBAR));
    view->addAction(Action(ID_VIEW_STATUS_BAR));
    connect(view, &QMenu::aboutToShow, this, [this] { OnUpdateTopmost(); });

    QMenu* functions = menuBar()->addMenu(tr("機能"));
    functions->addAction(Action(ID_DRAWBOX));
    functions->addAction(Action(ID_EDIT_PASTE));
    functions->addSeparator();
    functions->addAction(Action(ID_FIND_UNIQUE));
    functions->addAction(Action(ID_WORKBENCH));
    functions->addSeparator();
    functions->addAction(Action(ID_PUZZLE_COLLECTION));

    QMenu* help = menuBar()->addMenu(tr("ヘルプ(&H)"));
    help->addAction(Action(ID_README));
    help->addAction(Action(ID_APP_ABOUT));
    RebuildRecentFileMenu();
    UpdatePuzzleCommands();
}

void CMainFrame::ShrinkToFitView() {
    if (QLayout* l = layout())
        l->activate();
    const QSize central = m_pScroll->size();
    const QSize extra = size() - central;
    const QSize wanted = m_pView->size() + extra;
    const QSize shrunk(std::min(width(), wanted.width()), std::min(height(), wanted.height()));
    if (shrunk != size())
        resize(shrunk);
}

bool CMainFrame::IsTopmost() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void CMainFrame::OnTopmost() {
    const QPoint pos = this->pos();
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, !IsTopmost());
    // Changing the flag hides the window; bring it back where it was.
    move(pos);
    if (visible)
        show();
    OnUpdateTopmost();
}

void CMainFrame::OnUpdateTopmost() {
    Action(ID_TOPMOST)->setChecked(IsTopmost());
}

void CMainFrame::OnReadme() {
    const QString readme = FindReadme(ReadmeFolders());
    if (readme.isEmpty() || !ShellOpenFile(readme)) {
        AppMessageBox(tr("Readme.htmlファイルが見つかりません"), MB_OK);
    }
}

void CMainFrame::UpdateFrameTitle() {
    setWindowTitle(m_pDoc->m_strTitle + QStringLiteral(" - ") + LoadAppString(AFX_IDS_APP_TITLE));
}

void CMainFrame::OnFileNew() {
    // The same document and view are reused; the buffers and sizes stay.
    m_pDoc->m_strTitle = tr("無題");
    m_pDoc->m_strPathName.clear();
    m_pDoc->m_bPathFromSave = false;
    UpdateFrameTitle();
    m_pView->OnInitialUpdate();
    ShrinkToFitView();
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    // A puzzle file is opened as パズルを開く opens it, anything else is read as the picture
    // chosen in the input dialog: the same questions, messages and title.  Both refuse pipes and
    // devices before reading.
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    const bool puzzle = suffix == QLatin1String("non") || suffix == QLatin1String("xml");
    const bool opened = puzzle ? m_pView->OpenPuzzleFile(path) : m_pView->OpenPictureFile(path);
    if (opened) {
        AddToRecentFiles(info.absoluteFilePath());
    } else if (!info.isFile()) {
        RemoveFromRecentFiles(info.absoluteFilePath());
    }
    return opened;
}

void CMainFrame::OnFileSave() {
    // The document has no content, so saving writes an empty file.  A file that was only
    // opened as the document is never overwritten: saving asks for a name unless the name
    // came from an earlier save.
    QString path = m_pDoc->m_bPathFromSave ? m_pDoc->m_strPathName : QString();
    if (path.isEmpty()) {
        FileDialogRequest request;
        request.save = true;
        request.filter = QStringLiteral("Web Pages (*.htm)");
        request.defaultSuffix = QStringLiteral("htm");
        path = RunFileDialog(this, request);
        if (path.isEmpty())
            return;
    }
    // Written as the exports are: a pipe or a device of that name is refused, not opened.
    if (!SaveFileAtomically(path, QByteArray()).isEmpty()) {
        AppMessageBox(tr("ファイルを保存できませんでした。"), MB_OK);
        return;
    }
    const QFileInfo info(path);
    m_pDoc->m_strTitle = info.fileName();
    m_pDoc->m_strPathName = info.absoluteFilePath();
    m_pDoc->m_bPathFromSave = true;
    AddToRecentFiles(m_pDoc->m_strPathName);
    UpdateFrameTitle();
}

QStringList CMainFrame::RecentFiles() const {
    QSettings settings;
    settings.beginGroup(QString::fromLatin1(kRecentGroup));
    QStringList files;
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
        const QString f = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!f.isEmpty())
            files << f;
    }
    return files;
}

namespace {

void StoreRecentFiles(const QStringList& files) {
    QSettings settings;
    settings.beginGroup(QString::fromLatin1(kRecentGroup));
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
        if (i <= files.size()) {
            settings.setValue(QStringLiteral("File%1").arg(i), files.at(i - 1));
        } else {
            settings.remove(QStringLiteral("File%1").arg(i));
        }
    }
}

}  // namespace

void CMainFrame::AddToRecentFiles(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    StoreRecentFiles(files);
    RebuildRecentFileMenu();
}

void CMainFrame::RemoveFromRecentFiles(const QString& path) {
    QStringList files = RecentFiles();
    if (files.removeAll(path) > 0) {
        StoreRecentFiles(files);
        RebuildRecentFileMenu();
    }
}

void CMainFrame::RebuildRecentFileMenu() {
    for (QAction* a : m_recentActions) {
        m_pFileMenu->removeAction(a);
        a->deleteLater();
    }
    m_recentActions.clear();
    const QStringList files = RecentFiles();
    m_pRecentAnchor->setVisible(files.isEmpty());
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        auto* a = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), m_pFileMenu);
        a->setStatusTip(LoadAppString(ID_FILE_MRU_FILE1 + i));
        connect(a, &QAction::triggered, this, [this, path] { OpenDocumentFile(path); });
        m_pFileMenu->insertAction(m_pRecentAnchor, a);
        m_recentActions << a;
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData() && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    // A file dropped on the frame outside the form opens as one named on the command line;
    // several are refused as on the form.
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << LocalFileOf(url);
    }
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (paths.size() == 1) {
        OpenDocumentFile(paths.front());
    } else {
        m_pView->OnDropFiles(paths);
    }
}

void CMainFrame::OnPuzzleCollection() {
    CCollectionDialog dlg([this](Puzzle puzzle) { m_pView->PlayPuzzle(std::move(puzzle)); },
                          m_pView->Session().Progress(), this);
    RunModal(dlg);
}
