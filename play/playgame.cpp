#include "play/playgame.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimerEvent>

#include "model/ngm_doc.h"
#include "platform/message_box.h"
#include "play/board_drawing.h"
#include "res/dialog_template.h"

namespace {

// Controls of template 133.
constexpr int IDC_PLAY_TIME = 1028;
constexpr int IDC_RETRY = 1011;
constexpr int IDC_HELP = 1013;
constexpr int IDC_BOARD = 1015;

constexpr COLORREF kClockColor = RGB(0, 160, 105);

// Room the dialog keeps around the board frame's client area: the button column on the right
// and the margins.
constexpr int kExtraWidth = 180;
constexpr int kExtraHeight = 110;

// Gaps of the button column.
constexpr int kColumnMargin = 20;
constexpr int kColumnGap = 5;

const QString kHelpText = QStringLiteral(
    "***操作方法***\n\n左クリック ：  塗りつぶし\n右クリック ：  ×表示\nCtrl+クリック ： クリア");

unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    unsigned flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= CPlaygame::MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= CPlaygame::MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= CPlaygame::MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= CPlaygame::MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= CPlaygame::MK_CONTROL;
    return flags;
}

CPoint ToCPoint(const QPointF& p) {
    const QPoint q = p.toPoint();
    return CPoint{q.x(), q.y()};
}

}  // namespace

CPlaygame::CPlaygame(CNGMDoc* doc, QWidget* pParent) : QDialog(pParent), m_pDoc(doc) {
    const DialogTemplate& t = PlayDialogTemplate();
    setWindowTitle(QString::fromUtf8(t.caption));
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
    if (!m_pDoc || !m_pDoc->HasPuzzle() || !m_pDoc->GetPuzzle().HasAnswer())
        return false;
    const PlayBoard& board = m_pDoc->GetPlayBoard();
    return m_bFirstPaint ||
           (board.Width() == m_layout.Columns() && board.Height() == m_layout.Rows());
}

// ---- Opening and layout -------------------------------------------------------------------

int CPlaygame::OnInitDialog() {
    SetClockTimer();
    m_nPlaySeconds = 0;
    // A check made before the first tick reports 0 seconds.
    m_strPlayTime = QStringLiteral("0");
    m_bChecked = 0;
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
    // The clock goes with the window; minimising is not closing.
    if (!event->spontaneous())
        KillClockTimer();
    QDialog::hideEvent(event);
}

void CPlaygame::FirstPaintLayout() {
    const bool playable = IsPlayable();
    m_bFirstPaint = 0;
    const Puzzle* puzzle = playable ? &m_pDoc->GetPuzzle() : nullptr;
    m_layout = BoardLayout(puzzle ? puzzle->width : 0, puzzle ? puzzle->height : 0, kPlayCellSize);
    // The board always opens empty, as the blank image shows it.
    if (playable)
        m_pDoc->GetPlayBoard().Clear();

    // The frame keeps its place and takes the size of the board.
    m_ctlBoard->resize(m_layout.Width(), m_layout.Height());
    const QSize newClient = m_ctlBoard->ClientSize();

    // The dialog follows the frame and moves by half of its change, staying centred where
    // it was.
    const QSize oldSize = size();
    setFixedSize(newClient.width() + kExtraWidth, newClient.height() + kExtraHeight);
    if (isWindow()) {
        move(pos() + QPoint((oldSize.width() - width()) / 2, (oldSize.height() - height()) / 2));
    }
    OnSize(0, width(), height());

    // The image fills the frame's client area inside its one-pixel rim.
    m_nMemWidth = newClient.width() - 2;
    m_nMemHeight = newClient.height() - 2;
    m_bmpBoard.CreateBitmap(m_nMemWidth, m_nMemHeight);
    m_pOldBitmap = m_dcMem.SelectObject(&m_bmpBoard);
    m_dcMem.FillSolidRect(0, 0, m_nMemWidth, m_nMemHeight, kFaceColor);
    m_ctlBoard->SetImageSource(&m_dcMem);
}

void CPlaygame::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    OnSize(0, event->size().width(), event->size().height());
}

void CPlaygame::OnSize(unsigned /*nType*/, int cx, int /*cy*/) {
    QWidget* check = m_controls.Item(IDOK);
    QWidget* clock = m_controls.Item(IDC_PLAY_TIME);
    QWidget* help = m_controls.Item(IDC_HELP);
    QWidget* retry = m_controls.Item(IDC_RETRY);
    QWidget* end = m_controls.Item(IDCANCEL);
    if (!check || !clock || !help || !retry || !end)
        return;

    // One column at the right edge: the answer check, the clock, help, retry and END, each
    // keeping its size.  All but the first line up on the clock box's width.
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
    update();
}

// ---- Painting ------------------------------------------------------------------------------

void CPlaygame::paintEvent(QPaintEvent* event) {
    // The board frame is a child: it copies the image at (1, 1) of its client area in this
    // same pass, after the dialog, so the clues and lines drawn here reach the screen with it.
    // A clock tick repaints only the clock, which leaves the board alone.
    if (!ClockRect().contains(event->rect()))
        OnPaint();
    QPainter painter(this);
    PaintClock(painter);
}

void CPlaygame::OnPaint() {
    if (m_bFirstPaint || !m_bmpBoard.IsCreated())
        return;
    DrawBoard();
}

void CPlaygame::PaintClock(QPainter& painter) {
    const QRect r = ClockRect();
    painter.fillRect(r, ToQColor(kFaceColor));
    painter.setPen(ToQColor(kClockColor));
    // Plain pixels in the clock colour, as the board's texts.
    QFont clockFont = font();
    clockFont.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(clockFont);
    painter.drawText(r, Qt::AlignRight | Qt::AlignTop, ClockText());
}

QRect CPlaygame::ClockRect() const {
    const QWidget* box = m_controls.Item(IDC_PLAY_TIME);
    if (!box)
        return QRect();
    // Inside the group box, below its caption, clear of its frame.
    const QRect g = box->geometry();
    const int top = box->fontMetrics().height() + 2;
    return QRect(g.left() + 5, g.top() + top, g.width() - 10, g.height() - top - 4);
}

void CPlaygame::DrawBoard() {
    if (IsPlayable()) {
        DrawClues(m_dcMem, m_layout, m_pDoc->GetPuzzle());
        DrawGridLines(m_dcMem, m_layout);
        // The marks come from the board, so nothing that happens to the image loses them.
        const PlayBoard& board = m_pDoc->GetPlayBoard();
        for (int row = 0; row < board.Height(); ++row) {
            for (int col = 0; col < board.Width(); ++col)
                DrawCellMark(m_dcMem, m_layout, {col, row}, board.At({col, row}));
        }
        if (m_bChecked)
            DrawMistakes();
    }
    // The pass after the image was created or blanked paints once more.
    if (m_bRedrawPending) {
        update();
        m_bRedrawPending = 0;
    }
}

int CPlaygame::DrawMistakes() {
    const std::vector<CellPos> wrong = m_pDoc->GetPlayBoard().Mistakes(m_pDoc->GetPuzzle());
    for (const CellPos& cell : wrong)
        DrawMistakeFrame(m_dcMem, m_layout, cell);
    return static_cast<int>(wrong.size());
}

// ---- Mouse ---------------------------------------------------------------------------------

CPoint CPlaygame::BoardPoint(CPoint point) const {
    // The image's pixel (0, 0) is shown at (1, 1) of the frame's client area.
    const QPoint origin =
        m_ctlBoard->geometry().topLeft() + m_ctlBoard->ClientRect().topLeft() + QPoint(1, 1);
    return CPoint{point.x - origin.x(), point.y - origin.y()};
}

void CPlaygame::StrokeStep(StrokeKind kind, CPoint point) {
    if (m_bChecked)
        return;
    const std::optional<CellPos> cell = m_layout.CellAt(BoardPoint(point));
    if (cell && IsPlayable()) {
        PlayBoard& board = m_pDoc->GetPlayBoard();
        if (board.Apply(kind, *cell))
            DrawCellMark(m_dcMem, m_layout, *cell, board.At(*cell));
    }
    update();
}

void CPlaygame::OnLButtonDown(unsigned nFlags, CPoint point) {
    StrokeStep(StrokeOf(MouseButton::Left, nFlags & MK_CONTROL), point);
}

void CPlaygame::OnRButtonDown(unsigned nFlags, CPoint point) {
    StrokeStep(StrokeOf(MouseButton::Right, nFlags & MK_CONTROL), point);
}

void CPlaygame::OnMouseMove(unsigned nFlags, CPoint point) {
    // Dragging repeats the step of the held button.
    if (const auto button = DragButton(nFlags & MK_LBUTTON, nFlags & MK_RBUTTON))
        StrokeStep(StrokeOf(*button, nFlags & MK_CONTROL), point);
}

void CPlaygame::mousePressEvent(QMouseEvent* event) {
    const unsigned flags = MouseFlags(event->buttons(), event->modifiers());
    const CPoint point = ToCPoint(event->position());
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(flags, point);
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDown(flags, point);
    } else {
        QDialog::mousePressEvent(event);
    }
}

void CPlaygame::mouseMoveEvent(QMouseEvent* event) {
    OnMouseMove(MouseFlags(event->buttons(), event->modifiers()), ToCPoint(event->position()));
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
    m_strPlayTime = QString::number(m_nPlaySeconds);
    // The text is painted with the dialog, so covering the dialog never loses it.
    update(ClockRect());
}

void CPlaygame::OnAnswerCheck() {
    m_bChecked = 1;
    const int count = IsPlayable() ? DrawMistakes() : 0;
    KillClockTimer();
    if (count > 0) {
        AppMessageBox(QStringLiteral("間違いが") + QString::number(count) +
                          QStringLiteral("個あります。\r\nプレイタイムは") + m_strPlayTime +
                          QStringLiteral("秒でした。"),
                      MB_OK | MB_ICONQUESTION);
    } else {
        AppMessageBox(QStringLiteral("Congratulations!!!\r\n") + m_strPlayTime +
                          QStringLiteral("秒でクリアです。"),
                      MB_OK);
    }
    update();
}

void CPlaygame::OnRetry() {
    m_dcMem.FillSolidRect(0, 0, m_nMemWidth, m_nMemHeight, kFaceColor);
    if (IsPlayable())
        m_pDoc->GetPlayBoard().Clear();
    m_nPlaySeconds = 0;
    m_strPlayTime = QStringLiteral("0");
    SetClockTimer();
    m_bChecked = 0;
    m_bRedrawPending = 1;
    update();
}

void CPlaygame::OnShowHelp() {
    AppMessageBox(kHelpText, MB_OK);
}
