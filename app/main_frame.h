// The main frame: menu, flat tool bar, status bar, the always-on-top toggle and the Readme
// opener, around the form view.  It also carries the document commands (new, open by name,
// save) and the recent-file list.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QStringList>

class CNGMDoc;
class CNGMView;
class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QStatusBar;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CNGMDoc* doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CNGMView* View() const { return m_pView; }
    CNGMDoc* Document() const { return m_pDoc; }
    // The action of a command id (menu, tool bar or accelerator), or null.
    QAction* Action(int id) const { return m_actions.value(id, nullptr); }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    QStatusBar* StatusBar() const { return m_wndStatusBar; }
    // The status bar pane that shows the verdict on the current puzzle.
    QLabel* VerdictPane() const { return m_pVerdictPane; }

    // Shrinks the frame so that it is no larger than the form with its bars.
    void ShrinkToFitView();
    bool IsTopmost() const;

    // Commands.
    void OnTopmost();
    // 機能 → パズル集: the bundled puzzles and new ones, each shown and played at once.
    void OnPuzzleCollection();
    void OnUpdateTopmost();
    void OnReadme();
    void OnFileNew();
    void OnFileSave();
    // The puzzle in files and on paper (puzzle_commands.cpp): export in the format of the
    // name chosen, and print on the printer chosen; both need a puzzle.
    void OnExportPuzzle();
    void OnPrintPuzzle();
    // Export and print are enabled while the document has a puzzle.
    void UpdatePuzzleCommands();
    // Opens a file named on the command line, by the desktop, in the recent-file list or
    // dropped on the frame: a puzzle file as with パズルを開く, a picture as with 入力(I).
    // False when nothing new is shown; an entry of the recent-file list that no longer names a
    // file leaves the list.
    bool OpenDocumentFile(const QString& path);

    QStringList RecentFiles() const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void PreCreateWindow();
    void OnCreate();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateMenus();
    QAction* MakeAction(int id, const QString& text, const QKeySequence& shortcut = {});
    void UpdateFrameTitle();
    void AddToRecentFiles(const QString& path);
    void RemoveFromRecentFiles(const QString& path);
    void RebuildRecentFileMenu();

    CNGMDoc* m_pDoc;
    CNGMView* m_pView = nullptr;
    QScrollArea* m_pScroll = nullptr;
    QStatusBar* m_wndStatusBar = nullptr;
    QLabel* m_pVerdictPane = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QAction* m_pRecentAnchor = nullptr;
    QList<QAction*> m_recentActions;
    QHash<int, QAction*> m_actions;
};
