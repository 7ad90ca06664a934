// The play dialog "ピクロス": the document's puzzle on a board of 20-pixel cells with its
// clues, the player's fills and crosses by mouse and keyboard, undo and redo by stroke, the
// clues of finished lines in grey, hints, a clock, the answer check (after which a solved
// board shows the picture), retry and help.  The marks and their history live in the
// document's play board; the board image is drawn from it.
#pragma once

#include <QDialog>
#include <QRect>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/board_layout.h"
#include "model/clue_strikes.h"
#include "model/play_board.h"
#include "platform/form.h"
#include "platform/gdi.h"
#include "render/board_drawing.h"
#include "session/puzzle_session.h"

class CNGMDoc;
class QPainter;
class QCheckBox;
class QLabel;
class BoardView;
class ColourPalette;

class CPlaygame : public QDialog {
    Q_OBJECT
public:
    // The cell sizes the zoom steps through.
    static constexpr int kZoomCells[] = {8, 10, 12, 14, 16, 20, 24, 28, 32, 40};
    // Key and button state of a mouse message.
    static constexpr unsigned MK_LBUTTON = 0x0001;
    static constexpr unsigned MK_RBUTTON = 0x0002;
    static constexpr unsigned MK_SHIFT = 0x0004;
    static constexpr unsigned MK_CONTROL = 0x0008;
    static constexpr unsigned MK_MBUTTON = 0x0010;
    // The clock is the dialog's only timer.
    static constexpr std::uintptr_t kClockTimer = 1;
    static constexpr int kClockPeriodMs = 1000;

    // Plays the puzzle of doc, which must outlive the dialog.
    explicit CPlaygame(CNGMDoc* doc, QWidget* pParent = nullptr);
    ~CPlaygame() override;

    // The controls of template 133 by id.
    const ControlMap& Controls() const { return m_controls; }
    QWidget* GetDlgItem(int id) const { return m_controls.Item(id); }

    // Handlers.  Mouse points are in the dialog's client coordinates.
    int OnInitDialog();
    void OnPaint();
    void OnSize(unsigned nType, int cx, int cy);
    void OnLButtonDown(unsigned nFlags, CPoint point);
    void OnRButtonDown(unsigned nFlags, CPoint point);
    void OnMouseMove(unsigned nFlags, CPoint point);
    void OnTimer(std::uintptr_t nIDEvent);
    void OnAnswerCheck();
    void OnRetry();
    void OnShowHelp();
    void OnHint();
    void OnUndo();
    void OnRedo();

    // The drawing pass into the off-screen image m_dcMem: clues, lines, every cell's mark
    // and, after an answer check, the frames of the wrong cells.
    void DrawBoard();

    // The position in board-image coordinates of a point in the dialog's client area.
    CPoint BoardPoint(CPoint point) const;
    // The board view's zoom: cells of the given size (one of kZoomCells or the starting size),
    // the grid point at `focus` (a point of the view; its middle when none) staying there.
    void ZoomTo(int cellSize, std::optional<QPoint> focus = std::nullopt);
    // Steps of kZoomCells up (positive) or down from the present cell size.
    void ZoomBy(int steps, std::optional<QPoint> focus = std::nullopt);
    // The cell size the board opened with, which Ctrl+0 goes back to.
    int StartingCellSize() const { return m_nStartCell; }
    // The row and column shown tinted, when any.
    std::optional<CellPos> Highlight() const { return m_highlight; }
    // Whether every fifth line inside the grid is drawn thick: always on boards with a side
    // longer than 20 cells, else as the option says.
    bool ThickFifthLines() const;
    const ClueStrikes& Strikes() const { return m_strikes; }
    // Where the board's parts lie in the image; set by the first paint.
    const BoardLayout& Layout() const { return m_layout; }
    // Where the clock text is written, in the dialog's client coordinates.
    QRect ClockRect() const;
    // The clock as displayed: the seconds followed by "s".
    QString ClockText() const { return m_strPlayTime + QStringLiteral("s"); }
    // The Qt timer behind timer 1; 0 while the clock is stopped.
    int ClockTimerId() const { return m_nClockTimerId; }
    bool IsClockRunning() const { return m_nClockTimerId != 0; }
    // The answer check has been made: the board takes no change until retry.
    bool IsChecked() const;
    // The swatches of a colour puzzle's colours; none in black and white.
    ColourPalette* Palette() const { return m_pPalette; }
    // The colour the left button and the keys fill with: 1 in black and white.
    int ChosenColour() const;

    // IDOK runs the answer check; the dialog is never ended with IDOK.
    void accept() override;

    // Members.
    int m_nPlaySeconds = 0;
    PanelFrame* m_ctlBoard = nullptr;
    // The view that shows the board image inside the frame, with scroll bars when the board is
    // larger than the room the dialog gives it; created by the first paint.
    BoardView* m_pBoardView = nullptr;
    // The length of the run a mouse drag draws, beside the pointer while the drag lasts.
    QLabel* m_pRunLength = nullptr;
    // "完成したら自動でチェック": the answer check runs by itself once every line forms its
    // clue (kept in the settings; off at first).
    QCheckBox* m_pAutoCheck = nullptr;
    // "5マスごとの太線": every fifth line thick on boards up to 20 x 20 too (kept in the
    // settings; off at first).
    QCheckBox* m_pThickLines = nullptr;
    ColourPalette* m_pPalette = nullptr;
    // The height the button column, with the palette below it, needs.
    int m_nColumnBottom = 0;
    QString m_strPlayTime;
    int m_bRedrawPending = 1;
    int m_bFirstPaint = 1;
    int m_nMemHeight = 0;
    int m_nMemWidth = 0;
    CBitmap* m_pOldBitmap = nullptr;
    CBitmap m_bmpBoard;
    CDC m_dcMem;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // The board's keys reach the dialog before the focused button sees them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sizes the frame and the dialog to the puzzle and creates the board image and its view
    // (once per dialog, before its first paint).
    void FirstPaintLayout();
    // The board image for the layout's cell size, with nothing drawn yet: its parts are drawn
    // as the view shows them.
    void CreateImage();
    // The frame as large as the board, or as the dialog's room, with scroll bars as needed.
    void LayOutBoard(int cx, int cy);
    QSize FrameFor(QSize room) const;
    // After a zoom, the dialog grows towards the size that shows the whole board, within the
    // screen.
    void GrowForBoard();
    // Draws the parts of an image rectangle not drawn since the image was last invalidated.
    void EnsureDrawn(const QRect& rect);
    // The row and column tinted: the cursor's or the pointer's; none when it has left.
    void SetHighlight(std::optional<CellPos> cell);
    // The clue number under a dialog point, when the board view shows one there.
    std::optional<ClueSlotRef> ClueUnder(CPoint point) const;
    void ToggleStrike(const ClueSlotRef& ref);
    // True when the document holds a puzzle with its answer, of the layout's size once the
    // first paint has set it.
    bool IsPlayable() const;
    // One step of a stroke at a point of the dialog: the cell under it takes the step's mark,
    // and so does every cell on the way from the pointer's last position in the stroke.
    void StrokeStep(StrokeKind kind, CPoint point);
    // The run a mouse drag has drawn, `length` cells from the pressed one, beside the pointer.
    void ShowRunLength(CPoint point, int length);
    // The answer check, when the option is on, once a stroke has left every line forming its
    // clue on a board not yet checked.
    void AutoCheckIfComplete();
    // One step of a stroke on a cell; a fill is of `colour`, the chosen one when 0.
    void StepOn(StrokeKind kind, CellPos cell, int colour = 0);
    // A key of the board (arrows, Space, X, Delete, H, Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z, and the
    // digits of a colour puzzle's colours).
    void OnBoardKey(int key, Qt::KeyboardModifiers modifiers);
    void MoveCursor(int dx, int dy, bool drag);
    // Scrolls a board larger than its view so that the cell shows (the cursor's, the hint's).
    void ScrollToCell(CellPos cell);
    void EndKeyDrag();
    // Draws the cells that changed, drops the hint's frame and greys or ungreys the clues
    // of the lines whose state changed, redrawing only those parts.
    void ShowChanges(const std::vector<MarkChange>& changes);
    // The wrong cells or the picture of a board checked before the dialog opened.
    void ShowCheckedBoard();
    // The line the congratulation adds for a clear the store counted: a new best, or how many
    // clears and the best so far; nothing for the first clear or without a store.
    static QString ClearRecordText(const std::optional<ClearRecord>& clear);
    // The rows and columns whose clue the image shows in grey, from the board.
    void UpdateFinishedLines();
    // Draws a part of the image again from the model and repaints it on screen.
    void RedrawArea(const CRect& area);
    // What the image shows, for drawing it.
    BoardScene Scene() const;
    void SetClockTimer();
    void KillClockTimer();
    void PaintClock(QPainter& painter);

    CNGMDoc* m_pDoc;
    BoardLayout m_layout;
    int m_nStartCell = kPlayCellSize;
    // The parts of the image drawn from the model since it was created or last redrawn whole.
    QRegion m_drawn;
    std::optional<CellPos> m_highlight;
    ClueStrikes m_strikes;
    std::unique_ptr<CluePictures> m_pGlyphs = std::make_unique<CluePictures>();
    // A press on a clue number: the drag that follows marks no cell.
    bool m_bClueClick = false;
    ControlMap m_controls;
    int m_nClockTimerId = 0;

    CellPos m_cursor;
    bool m_bCursorShown = false;
    // What Shift + arrow repeats: the last of Space, X and Delete (a fill before any).
    StrokeKind m_keyAction = StrokeKind::Fill;
    bool m_bKeyDrag = false;  // a keyboard drag's stroke is open until Shift is released
    // The cell, on the grid or beyond it, under the pointer's last position in a mouse stroke.
    std::optional<CellPos> m_dragCell;
    // Where the mouse stroke's last press was, and the line its drag keeps to once the
    // pointer has left that cell.
    std::optional<CellPos> m_dragStart;
    std::optional<DragAxis> m_dragAxis;
    std::optional<CellPos> m_hint;
    int m_nHints = 0;
    // What the image shows: grey clues, the checked board's wrong cells, and once a solved
    // board was congratulated, the picture's colour of every cell.
    std::vector<std::uint8_t> m_finishedRows;
    std::vector<std::uint8_t> m_finishedColumns;
    std::vector<CellPos> m_mistakes;
    std::vector<COLORREF> m_fillColors;
};
