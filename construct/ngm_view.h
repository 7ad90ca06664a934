// The form view: the operating panel of template 101 with its four picture panels.  Every
// command of the panel runs here as a fixed sequence of steps: load or draw a picture,
// binarize it, reduce it to the N x N answer grid, draw the puzzle with its clues, play it.
#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/analysis.h"
#include "construct/view_names.h"
#include "image/column_buffer.h"
#include "model/block_division.h"
#include "platform/form.h"
#include "platform/gdi.h"

class CNGMDoc;
class CMainFrame;
class CWorkbench;
class CUniqueDialog;
class VerdictJudge;
struct SolveResult;
struct Suggestion;
enum class PictureRefusal;
class QComboBox;
class QContextMenuEvent;
class QMenu;
class QMouseEvent;
class QDragEnterEvent;
class QDropEvent;
class QMimeData;
class QScrollBar;

using BOOL = int;
constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

class CNGMView : public QWidget, public CNGMViewNames {
    Q_OBJECT
public:
    explicit CNGMView(CNGMDoc* doc, QWidget* parent = nullptr);
    ~CNGMView() override;

    CNGMDoc* GetDocument() const { return m_pDoc; }
    // The session the document holds: the picture, the analysis, the answer and the verdict.
    PuzzleSession& Session() const { return m_session; }
    // The frame whose title the loading flows set (null in tests without a frame).
    void SetFrame(CMainFrame* frame) { m_pFrame = frame; }
    CMainFrame* GetFrame() const { return m_pFrame; }
    // The controls of template 101 by id.
    const ControlMap& Controls() const { return m_controls; }
    QWidget* GetDlgItem(int id) const { return m_controls.Item(id); }

    // Defaults of the panel; run at start and again after File > New or a document opening.
    void OnInitialUpdate();
    // Member values to controls (edit 1000 shows m_strImageInfo).
    void UpdateData();

    // Commands.
    void OnInput();
    void OnFileOpen();
    // A picture file named on the command line, by the desktop or dropped on the frame: read as
    // the input dialog reads the file chosen in it.  True when its picture is shown.
    bool OpenPictureFile(const QString& path);
    void OnAnalyze();
    void OnModeChange();
    void OnPlay();
    void OnDrawBox();
    void OnHScroll(int nSBCode, int nPos, QScrollBar* pScrollBar);
    // Files dropped on the view (local paths; a drop with no local file never gets here).
    void OnDropFiles(const QStringList& paths);
    // The picture on the clipboard as the input picture ("画像を貼り付け", Ctrl+V).
    void OnPaste();
    // Picture data dropped from another program (a browser), without a local file.
    void OnDropPictureData(const QMimeData& mime);
    // True when mime carries picture data (an image, or data of an "image/" type).
    static bool HasPictureData(const QMimeData& mime);

    // Buffers by kind: 1 the picture's planes, 2 the binary image, 3 the answer and play
    // grids.  A zero size or memory that cannot be had is refused with its message box, and
    // the previous buffer stays.
    BOOL AllocBuffer(int nColumns, int nLength, int nKind);

    // Loading.
    int DetectFormat(QIODevice& file);
    // The message box of a refused picture.
    // name: the picture a damaged-data refusal names.
    static void ShowRefusal(PictureRefusal refusal, const QString& name = QString());

    // Analysis.
    // The session's picture analysed with the settings, its binary image drawn (test mode).
    AnalysisEnd Binarize(const AnalysisSettings& settings);
    // The analysis's blocks drawn, or its refusal told once per choice; the number of block
    // columns, 0 when refused.
    int MakeBlockGrid(AnalysisEnd end);
    // Draws the document's puzzle into the puzzle panel.
    void DrawResult();

    // Puzzle files: the open dialog, then the file chosen.  A puzzle read from a file takes
    // the place of the picture and its puzzle, shown with its clues in the puzzle panel and
    // ready to play; a file that cannot be read is named in a message box and nothing changes.
    void OnOpenPuzzleFile();
    bool OpenPuzzleFile(const QString& path);
    // A puzzle in the place of the picture and its puzzle, as a file opened shows it: `name`
    // its name, `line` heading its information lines, `title` in the window's title.
    void ShowPuzzle(Puzzle puzzle, const QString& name, const QString& line, const QString& title);
    // A puzzle from the collection or made new, shown under its title and played at once.
    void PlayPuzzle(Puzzle puzzle);

    // The verdict on the puzzle of the last analysis: judged off the user-interface thread
    // after the panels are drawn; a new analysis or picture cancels the judgement still
    // running.  The verdict arrives through verdictChanged.
    void JudgePuzzle();
    void ClearVerdict();
    VerdictJudge* Judge() const { return m_pJudge; }

    // The search for a puzzle with exactly one solution (機能 > 一意なパズルを探す), possible
    // once a picture is analysed: the dialog searches from the puzzle of the last analysis, and
    // a new picture or analysis closes its results.
    bool CanFindUnique() const;
    void OnFindUnique();
    void StartUniqueSearch();
    CUniqueDialog* UniqueDialog() const { return m_pUniqueDialog; }
    // What the user picked in the dialog: a band, or a colour count, and block count set into
    // the controls as the user sets them, then analysed; or the answer with cells changed.
    void ApplySuggestion(const Suggestion& s);
    void ApplyBand(int lower, int upper, int n);
    // n blocks in the block list, as the user picks them (a custom grid stays as it is).
    void SelectBlockCount(int n);
    void ApplyCellChanges(const std::vector<std::uint8_t>& cells, int changed);

    // The workbench (機能 > 作業台, or a double click on a panel): one window per form, opened
    // again to the front, with `pane` (CWorkbench::Pane) given the whole window or all four.
    // The puzzle panel's "拡大表示" opens it with the puzzle alone.
    void OnWorkbench(int pane = -1);
    void OnZoomPuzzle();
    CWorkbench* Workbench() const { return m_pWorkbench; }
    // The session's answer after a hand edit: the block and puzzle panels drawn again, the play
    // button enabled, and the verdict judged anew (a judgement still running is cancelled).
    void ShowEditedAnswer();
    // Undoes (redo: redoes) an edit of the answer; a step of other analysis settings shows
    // them in the controls and draws the analysis again.
    void UndoAnswer(bool redo);
    // The band typed or dragged in the workbench: into the scroll bars and edits, then
    // analysed as the user's own moves of the bars are.
    void SetBand(int lower, int upper);
    // The part of the picture analysed (none: all of it), dragged in the workbench: analysed.
    void SetCrop(const std::optional<PixelRect>& crop);
    // Shows settings in the threshold bars and edits, the block list and the fit check box,
    // and takes their crop for the next analysis.
    void ShowSettings(const AnalysisSettings& settings);
    // The entries of the puzzle panel's context menu.
    void FillPuzzlePanelMenu(QMenu& menu);

    // Panel painting.
    void DrawInputImage();
    // True once the first paint has created the four panel images.
    bool HasPanelImages() const { return m_bFirstPaint == 0; }
    // Creates the panel images if the first paint has not yet done so.
    void EnsurePanelImages();

    // The blocks asked for: the selected count or the custom width and height, and whether
    // they follow the picture's own width and height (check box 1031).
    BlockChoice SelectedBlocks() const;
    // A list item of 1027 chosen: the custom entry asks for the width and height first (a
    // cancel goes back to the item before, without an analysis); then the analysis runs.
    void OnBlocksChosen(int index);
    // The colours chosen in list 1032: 0 for black and white by the band, or 2..8.
    int SelectedColours() const;
    // Chooses the colours in the list (0 or 1: black and white), then analyses.
    void SetColours(int colours);
    // Sets the custom width and height as chosen in its dialog, without an analysis.
    void SetCustomBlocks(int columns, int rows);
    // How the picture's canvas was cut by the last analysis (empty when its choice was refused).
    const BlockDivision& Division() const { return m_session.Division(); }
    // True while the document has a picture (loaded or stored from the DrawBox).
    bool HasPicture() const;

    // Controls and panel images.
    QComboBox* m_comboBlocks = nullptr;
    QComboBox* m_comboColours = nullptr;
    QWidget* m_stcInput = nullptr;
    QWidget* m_stcBinary = nullptr;
    QWidget* m_stcPreview = nullptr;
    QWidget* m_stcResult = nullptr;
    std::int32_t m_bFirstPaint = 1;
    std::int32_t m_nInputH = 0, m_nInputW = 0;
    std::int32_t m_nBinaryH = 0, m_nBinaryW = 0;
    std::int32_t m_nPreviewH = 0, m_nPreviewW = 0;
    std::int32_t m_nResultH = 0, m_nResultW = 0;
    CBitmap* m_pOldBmpInput = nullptr;
    CBitmap* m_pOldBmpBinary = nullptr;
    CBitmap* m_pOldBmpPreview = nullptr;
    CBitmap* m_pOldBmpResult = nullptr;
    CBitmap m_bmpInput, m_bmpBinary, m_bmpPreview, m_bmpResult;
    CDC m_dcInput, m_dcBinary, m_dcPreview, m_dcResult;

signals:
    // The verdict line for the status bar and its explanation; both empty when there is none.
    void verdictChanged(const QString& text, const QString& toolTip);
    // The picture, its analysis or the puzzle were drawn anew.
    void panelsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

public:
    // Enables the analysis controls and disables "プレイ(P)" when the document has a picture.
    void ApplyPicturePresentState();
    void EnableControls(std::initializer_list<int> ids, bool enable);
    // The analysis button, the band and the block choice: enabled with a picture, disabled
    // while a puzzle file, which has none, is shown.
    void EnablePictureControls(bool enable);
    // Clears the binary, block and puzzle panel images to the face colour.
    void ClearAnalysisPanels();
    void SetMainWindowTitle(const QString& title);
    // Scrolls edit 1000 so that its last line is visible.
    void ScrollInfoToEnd();

private:
    void OnPaint();
    void OnJudged(const SolveResult& result);
    void CloseUniqueResults();
    // Tells the workbench that the panels changed.
    void RefreshZoom();
    bool OverPuzzlePanel(QPoint pos) const;
    // True to analyse: without hand edits, or when the user agrees to replace them (the
    // controls go back to the analysed settings when not).
    bool ConfirmDiscardEdits();
    // Widens the closed combo 1027 (and the group box around it) when `text` needs more room
    // than the template gives, as a custom "99×99" or the custom label does; back to the
    // template's width when not.
    void FitBlocksCombo(const QString& text);
    // A puzzle read with its clues only takes the judge's solution as its answer when it is
    // the only one; otherwise the user is told that any grid that fits the clues will do.
    void AdoptSolution(const SolveResult& result);

    CNGMDoc* m_pDoc;
    PuzzleSession& m_session;
    CMainFrame* m_pFrame = nullptr;
    // The custom width and height, and the list item chosen before the custom entry.
    int m_nCustomColumns = 30;
    int m_nCustomRows = 30;
    int m_nBlocksIndex = -1;
    // The template widths of combo 1027 and of the group box "ブロック数" around it.
    QWidget* m_pBlocksGroup = nullptr;
    int m_nBlocksComboWidth = 0;
    int m_nBlocksGroupWidth = 0;
    ControlMap m_controls;
    VerdictJudge* m_pJudge = nullptr;
    CUniqueDialog* m_pUniqueDialog = nullptr;
    CWorkbench* m_pWorkbench = nullptr;
};
