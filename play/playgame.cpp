// The play dialog: opening, the layout of the board and its buttons, the clock, the answer
// check, retry, help, undo, redo and hints.  Drawing and input are in playgame_drawing.cpp and
// playgame_input.cpp.
#include "play/playgame.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QResizeEvent>
#include <QSettings>
#include <QShowEvent>
#include <QTimer>
#include <QTimerEvent>
#include <algorithm>
#include <utility>

#include "platform/message_box.h"
#include "play/colour_palette.h"
#include "render/solved_picture.h"
#include "res/dialog_template.h"
#include "session/ngm_doc.h"

namespace {

// Controls of template 133 (the clock's is drawn in playgame_drawing.cpp).
constexpr int IDC_PLAY_TIME = 1028;
constexpr int IDC_RETRY = 1011;
constexpr int IDC_HELP = 1013;
constexpr int IDC_BOARD = 1015;
constexpr int IDC_HINT = 1014;

// Gaps of the button column.
constexpr int kColumnMargin = 20;
constexpr int kColumnGap = 5;

// The mouse's lines, then the keys.
const char* const kHelpText = QT_TRANSLATE_NOOP(
    "CPlaygame",
    "***操作方法***\n\n左クリック ：  塗りつぶし\n右クリック ：  ×表示\nCtrl+クリック ： クリア"
    "\n\n矢印キー ： カーソル移動\nスペース ： 塗りつぶし\nX ： ×表示\nDelete ： クリア\n"
    "Shift+矢印キー ： 直前の操作を続ける\nCtrl+Z ： 元に戻す\nCtrl+Y, Ctrl+Shift+Z ： やり直し\n"
    "H ： ヒント");
// The colours' lines, for a colour puzzle.
const char* const kColourHelpText = QT_TRANSLATE_NOOP(
    "CPlaygame",
    "\n色のクリック、数字キー ： 塗る色を選ぶ\n左クリック、スペース ： 選んだ色で塗る");
// The view's lines, after those of the mouse and the keys.
const char* const kViewHelpText =
    QT_TRANSLATE_NOOP("CPlaygame",
                      "\nCtrl+ホイール, Ctrl+＋/－ ： 拡大・縮小\nCtrl+0 ： "
                      "元の大きさ\n数字をクリック ： 数字に線を引く");

// The colours of the picture's blocks a cell of the board was made from: the analysed picture
// (cropped when the analysis cropped it) cut as its division cuts it.  None for a puzzle that
// did not come from the current analysis (a puzzle file, a board of another size).
// A colour puzzle shows its own colours: every cell in the colour of its fill, the background
// colour where there is none.
std::vector<COLORREF> SolvedColors(const PuzzleSession& session, const BoardLayout& layout) {
    const Puzzle& puzzle = session.GetPuzzle();
    if (puzzle.IsColour()) {
        const std::vector<std::uint8_t> fills = session.Board().Fills();
        std::vector<COLORREF> colors(fills.size());
        for (std::size_t i = 0; i < fills.size(); ++i)
            colors[i] = ColorRefOf(puzzle.palette[fills[i] < puzzle.palette.size() ? fills[i] : 0]);
        return colors;
    }
    const BlockDivision& division = session.Division();
    if (division.columns != layout.Columns() || division.rows != layout.Rows())
        return {};
    return BlockColors(session.AnalysedPicture(), division);
}

}  // namespace

CPlaygame::CPlaygame(CNGMDoc* doc, QWidget* pParent) : QDialog(pParent), m_pDoc(doc) {
    const DialogTemplate& t = PlayDialogTemplate();
    setWindowTitle(TemplateText(t.caption));
    m_controls = BuildControls(this, t);
    m_ctlBoard = m_controls.Get<PanelFrame>(IDC_BOARD);
    setFixedSize(TemplateClientSize(t));

    if (auto* b = m_controls.Get<QAbstractButton>(IDOK)) {
        connect(b, &QAbstractButton::clicked, this, [this] { OnAnswerCheck(); });
    }
    if (auto* b = m_controls.Get<QAbstractButton>(IDCANCEL)) {
        connect(b, &QAbstractButton::clicked, this, [this] { reject(); });
    }
    if (auto* b = m_controls.Get<QAbstractButton>(IDC_RETRY)) {
        connect(b, &QAbstractButton::clicked, this, [this] { OnRetry(); });
    }
    if (auto* b = m_controls.Get<QAbstractButton>(IDC_HELP)) {
        connect(b, &QAbstractButton::clicked, this, [this] { OnShowHelp(); });
    }
    if (auto* b = m_controls.Get<QAbstractButton>(IDC_HINT)) {
        connect(b, &QAbstractButton::clicked, this, [this] { OnHint(); });
    }
    m_pAutoCheck = new QCheckBox(tr("完成したら\n自動でチェック"), this);
    m_pAutoCheck->setChecked(QSettings().value(QStringLiteral("Play/AutoCheck"), false).toBool());
    m_pAutoCheck->adjustSize();
    connect(m_pAutoCheck, &QCheckBox::toggled, this, [this](bool on) {
        QSettings().setValue(QStringLiteral("Play/AutoCheck"), on);
        AutoCheckIfComplete();
    });
    m_pThickLines = new QCheckBox(tr("5マスごとの\n太線"), this);
    m_pThickLines->setChecked(
        QSettings().value(QStringLiteral("Play/ThickFifthLines"), false).toBool());
    m_pThickLines->adjustSize();
    connect(m_pThickLines, &QCheckBox::toggled, this, [this](bool on) {
        QSettings().setValue(QStringLiteral("Play/ThickFifthLines"), on);
        DrawBoard();
        update();
    });
    if (m_pDoc && m_pDoc->HasPuzzle() && m_pDoc->GetPuzzle().IsColour()) {
        const std::vector<std::uint32_t>& palette = m_pDoc->GetPuzzle().palette;
        m_pPalette = new ColourPalette(this);
        m_pPalette->SetColours({palette.begin() + 1, palette.end()});
    }
    // The row and the column under the pointer are tinted while it is over the grid.
    setMouseTracking(true);
    // The board's keys go to the board whichever control has the focus.
    installEventFilter(this);
    for (int id : m_controls.Ids())
        m_controls.Item(id)->installEventFilter(this);
}

CPlaygame::~CPlaygame() {
    KillClockTimer();
    if (m_ctlBoard)
        m_ctlBoard->SetImageSource(nullptr);
    if (m_bFirstPaint == 0) {
        m_dcMem.SelectObject(m_pOldBitmap);
        m_bmpBoard.DeleteObject();
    }
}

void CPlaygame::accept() {
    OnAnswerCheck();
}

bool CPlaygame::IsPlayable() const {
    // A puzzle read with its clues only is played too: a board that forms every clue solves it.
    if (!m_pDoc || !m_pDoc->HasPuzzle())
        return false;
    const PlayBoard& board = m_pDoc->GetPlayBoard();
    return m_bFirstPaint ||
           (board.Width() == m_layout.Columns() && board.Height() == m_layout.Rows());
}

// ---- Opening and layout -------------------------------------------------------------------

int CPlaygame::OnInitDialog() {
    // The game goes on where the dialog was closed last (a new puzzle's at 0 seconds; a check
    // made before the first tick reports 0); the clock stays stopped on a checked board.
    m_nPlaySeconds = m_nHints = 0;
    if (m_pDoc && m_pDoc->HasPuzzle()) {
        m_nPlaySeconds = m_pDoc->Session().Tally().seconds;
        m_nHints = m_pDoc->Session().Tally().hints;
    }
    m_strPlayTime = QString::number(m_nPlaySeconds);
    if (!IsChecked())
        SetClockTimer();
    return 1;
}

void CPlaygame::showEvent(QShowEvent* event) {
    // The base class places the dialog first; the layout then keeps it centred where it was.
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        OnInitDialog();
        if (m_bFirstPaint)
            FirstPaintLayout();
    }
}

void CPlaygame::hideEvent(QHideEvent* event) {
    // The clock goes with the window; minimising is not closing.  Closing keeps the game, in
    // the file of saved games too.
    if (!event->spontaneous()) {
        KillClockTimer();
        if (m_pDoc && m_pDoc->HasPuzzle())
            m_pDoc->Session().KeepProgress();
    }
    QDialog::hideEvent(event);
}

void CPlaygame::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    OnSize(0, event->size().width(), event->size().height());
}

void CPlaygame::OnSize(unsigned /*nType*/, int cx, int cy) {
    LayOutBoard(cx, cy);
    QWidget* check = m_controls.Item(IDOK);
    QWidget* clock = m_controls.Item(IDC_PLAY_TIME);
    QWidget* help = m_controls.Item(IDC_HELP);
    QWidget* retry = m_controls.Item(IDC_RETRY);
    QWidget* end = m_controls.Item(IDCANCEL);
    QWidget* hint = m_controls.Item(IDC_HINT);
    if (!check || !clock || !help || !retry || !end || !hint)
        return;

    // One column at the right edge: the answer check, the clock, help, retry, END and the
    // hint, each keeping its size.  All but the first line up on the clock box's width.
    const int x = cx - clock->width() - kColumnMargin;
    int y = kColumnMargin;
    check->move(cx - check->width() - kColumnMargin, y);
    y += check->height() + kColumnGap;
    clock->move(x, y);
    y += clock->height() + kColumnGap;
    help->move(x, y);
    y += help->height() + kColumnGap;
    retry->move(x, y);
    y += retry->height() + kColumnGap;
    end->move(x, y);
    y += end->height() + kColumnGap;
    hint->move(x, y);
    y += hint->height() + kColumnGap * 3;
    for (QCheckBox* box : {m_pAutoCheck, m_pThickLines}) {
        if (!box)
            continue;
        box->move(std::min(x, cx - box->width() - kColumnMargin / 2), y);
        y += box->height() + kColumnGap * 2;
    }
    if (m_pPalette) {
        m_pPalette->FitWidth(cx - x - kColumnMargin / 2);
        m_pPalette->move(x - ColourPalette::kGap, y);
        y += m_pPalette->height();
    }
    m_nColumnBottom = y + kColumnMargin;
    update();
}

// ---- Clock, answer check, retry, help ------------------------------------------------------

void CPlaygame::SetClockTimer() {
    // Starting a running clock again restarts its period.
    KillClockTimer();
    m_nClockTimerId = startTimer(kClockPeriodMs, Qt::PreciseTimer);
}

void CPlaygame::KillClockTimer() {
    if (m_nClockTimerId != 0) {
        killTimer(m_nClockTimerId);
        m_nClockTimerId = 0;
    }
}

void CPlaygame::timerEvent(QTimerEvent* event) {
    if (m_nClockTimerId != 0 && event->timerId() == m_nClockTimerId) {
        OnTimer(kClockTimer);
    } else {
        QDialog::timerEvent(event);
    }
}

void CPlaygame::OnTimer(std::uintptr_t /*nIDEvent*/) {
    m_nPlaySeconds += 1;
    if (m_pDoc && m_pDoc->HasPuzzle())
        m_pDoc->Session().Tally().seconds = m_nPlaySeconds;
    m_strPlayTime = QString::number(m_nPlaySeconds);
    // The text is painted with the dialog, so covering the dialog never loses it.
    update(ClockRect());
}

void CPlaygame::AutoCheckIfComplete() {
    if (!m_pAutoCheck || !m_pAutoCheck->isChecked() || !IsPlayable() || IsChecked() ||
        m_pDoc->GetPlayBoard().InStroke() || m_bKeyDrag)
        return;
    const auto done = [](const std::vector<std::uint8_t>& lines) {
        return std::all_of(lines.begin(), lines.end(), [](std::uint8_t d) { return d != 0; });
    };
    // After the event that finished the board, so that the check's box does not open inside it.
    if (done(m_finishedRows) && done(m_finishedColumns))
        QTimer::singleShot(0, this, [this] {
            if (!IsChecked())
                OnAnswerCheck();
        });
}

int CPlaygame::ChosenColour() const {
    return m_pPalette ? m_pPalette->Chosen() : 1;
}

bool CPlaygame::IsChecked() const {
    return m_pDoc && m_pDoc->GetPlayBoard().IsChecked();
}

void CPlaygame::OnAnswerCheck() {
    EndKeyDrag();
    // A board whose fills form every clue is solved, even when it is not the answer; any
    // other board is compared with the answer.
    AnswerCheck check;
    check.solved = true;
    const bool checkedBefore = IsChecked();
    if (IsPlayable()) {
        check = m_pDoc->GetPlayBoard().Check(m_pDoc->GetPuzzle());
        m_pDoc->GetPlayBoard().SetChecked();
        m_mistakes = check.mistakes;
        // The hint's frame and the cursor leave the board with the check.
        m_hint.reset();
        DrawBoard();
    }
    const int count = static_cast<int>(check.mistakes.size());
    KillClockTimer();
    if (count > 0) {
        AppMessageBox(tr("間違いが%1個あります。\r\nプレイタイムは%2秒でした。")
                          .arg(count)
                          .arg(m_strPlayTime),
                      MB_OK | MB_ICONQUESTION);
    } else {
        QString text = tr("Congratulations!!!\r\n%1秒でクリアです。").arg(m_strPlayTime);
        if (m_nHints > 0)
            text += tr("\r\nヒント %1 回").arg(m_nHints);
        if (check.otherSolution)
            text += tr("\r\n（作者の答えとは別の解です）");
        // A board checked again is not another clear.
        if (IsPlayable() && !checkedBefore)
            text += ClearRecordText(m_pDoc->Session().RecordClear(m_nPlaySeconds, m_nHints));
        AppMessageBox(text, MB_OK);
        // Closing the congratulation turns the filled cells into the picture's blocks.
        if (IsPlayable() && m_fillColors.empty()) {
            m_fillColors = SolvedColors(m_pDoc->Session(), m_layout);
            if (!m_fillColors.empty())
                DrawBoard();
        }
    }
    update();
}

QString CPlaygame::ClearRecordText(const std::optional<ClearRecord>& clear) {
    if (!clear)
        return QString();
    if (clear->NewBest())
        return tr("\r\n自己ベスト！（これまでは%1秒）").arg(clear->previousBest);
    if (clear->clears == 1)
        return QString();
    return tr("\r\n%1回目のクリア・自己ベストは%2秒").arg(clear->clears).arg(clear->bestSeconds);
}

void CPlaygame::ShowCheckedBoard() {
    // What the check showed when the dialog was closed: the wrong cells' frames, or for a
    // solved board the picture's colours.
    const AnswerCheck check = m_pDoc->GetPlayBoard().Check(m_pDoc->GetPuzzle());
    m_mistakes = check.mistakes;
    if (check.mistakes.empty())
        m_fillColors = SolvedColors(m_pDoc->Session(), m_layout);
}

void CPlaygame::OnRetry() {
    // A new game: blank, with no hint, no picture and no clue struck through.  Blanking the board
    // is a step of its history, so that undo brings back the marks retry took away.
    EndKeyDrag();
    if (IsPlayable()) {
        m_pDoc->GetPlayBoard().Restart();
        m_pDoc->Session().Tally() = PlayTally{};
    }
    m_hint.reset();
    m_strikes.Clear();
    m_nHints = 0;
    m_mistakes.clear();
    m_fillColors.clear();
    UpdateFinishedLines();
    m_nPlaySeconds = 0;
    m_strPlayTime = QStringLiteral("0");
    SetClockTimer();
    DrawBoard();
    update();
}

void CPlaygame::OnShowHelp() {
    AppMessageBox(
        tr(kHelpText) + (m_pPalette ? tr(kColourHelpText) : QString()) + tr(kViewHelpText), MB_OK);
}

void CPlaygame::OnUndo() {
    if (!IsPlayable())
        return;
    EndKeyDrag();
    ShowChanges(m_pDoc->GetPlayBoard().Undo());
    AutoCheckIfComplete();
}

void CPlaygame::OnRedo() {
    if (!IsPlayable())
        return;
    EndKeyDrag();
    ShowChanges(m_pDoc->GetPlayBoard().Redo());
    AutoCheckIfComplete();
}

void CPlaygame::OnHint() {
    // Ignored after a check, as the mouse is.
    if (!IsPlayable() || IsChecked())
        return;
    EndKeyDrag();
    PlayBoard& board = m_pDoc->GetPlayBoard();
    const std::optional<PlayHint> hint = m_pDoc->Session().Hint(m_cursor);
    if (!hint) {
        AppMessageBox(tr("今の盤面から決められるマスはありません。"), MB_OK | MB_ICONINFORMATION);
        return;
    }
    ++m_nHints;
    m_pDoc->Session().Tally().hints = m_nHints;
    if (hint->kind == PlayHint::Kind::WrongMark) {
        // The wrong mark is framed and stays as it is.
        if (m_hint)
            RedrawArea(m_layout.CellInside(*std::exchange(m_hint, std::nullopt)));
    } else {
        // The hint's mark is a step of its own, taken back by undo as any other.
        board.BeginStroke();
        StepOn(hint->kind == PlayHint::Kind::Fill ? StrokeKind::Fill : StrokeKind::Cross,
               hint->cell, hint->colour);
        board.EndStroke();
        AutoCheckIfComplete();
    }
    m_hint = hint->cell;
    RedrawArea(m_layout.CellInside(hint->cell));
    ScrollToCell(hint->cell);
}
