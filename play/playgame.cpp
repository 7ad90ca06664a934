#include "play/playgame.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTimerEvent>

#include "model/ngm_doc.h"
#include "construct/clue_rule.h"
#include "platform/message_box.h"
#include "play/answer_check.h"
#include "res/dialog_template.h"

namespace {

// Controls of template 133.
constexpr int IDC_PLAY_TIME = 1028;
constexpr int IDC_RETRY = 1011;
constexpr int IDC_HELP = 1013;
constexpr int IDC_BOARD = 1015;

constexpr COLORREF kFillColor = RGB(50, 50, 50);
// PaintCell draws a cross instead of filling when asked for this colour.
constexpr COLORREF kCrossColor = RGB(255, 0, 0);
constexpr COLORREF kGridLineColor = RGB(0, 105, 145);
constexpr COLORREF kFifthLineColor = RGB(200, 0, 105);
constexpr COLORREF kClueColor = RGB(70, 150, 70);
constexpr COLORREF kMistakeColor = RGB(50, 255, 50);
constexpr COLORREF kClockColor = RGB(0, 160, 105);

constexpr int kShiftJisCharset = 128;

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

CPlaygame::CPlaygame(QWidget* pParent) : QDialog(pParent) {
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

CNGMDoc* CPlaygame::PlayableDocument() const {
    CNGMDoc* doc = CNGMDoc::Current();
    if (!doc)
        return nullptr;
    const int n = m_bFirstPaint ? doc->m_nGridSize : m_nGridSize;
    if (n < 1)
        return nullptr;
    const auto holds = [n](const ColumnBuffer& grid) {
        return grid.IsAllocated() && grid.Columns() >= n && grid.Length() >= n;
    };
    return holds(doc->m_ppAnswerGrid) && holds(doc->m_ppPlayGrid) ? doc : nullptr;
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
    CNGMDoc* doc = PlayableDocument();
    m_bFirstPaint = 0;
    m_nGridSize = doc ? doc->m_nGridSize : 0;
    m_nCellSize = 20;
    m_nBoardWidth = m_nGridSize * m_nCellSize;
    m_nBoardHeight = m_nGridSize * m_nCellSize;
    // The board always opens empty, as the blank image shows it.
    if (doc)
        doc->m_ppPlayGrid.Fill(0);

    const int c = m_nCellSize;
    // The frame keeps its place and takes the size of the grid with its clue areas.
    m_ctlBoard->resize((3 * m_nBoardWidth) / 2 + c / 2, (3 * c) / 2 + (3 * m_nBoardHeight) / 2);
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
    if (CNGMDoc* doc = PlayableDocument()) {
        const int n = m_nGridSize;
        for (int col = 0; col < n; ++col) {
            const std::vector<int> clues = ColumnClues(doc->m_ppAnswerGrid, n, col);
            for (int slot = 0; slot < static_cast<int>(clues.size()); ++slot) {
                DrawColumnClue(col, slot, clues[slot]);
            }
        }
        for (int row = 0; row < n; ++row) {
            const std::vector<int> clues = RowClues(doc->m_ppAnswerGrid, n, row);
            for (int slot = 0; slot < static_cast<int>(clues.size()); ++slot) {
                DrawRowClue(row, slot, clues[slot]);
            }
        }
        DrawGridLines();
    }
    // The pass after the image was created or blanked paints once more.
    if (m_bRedrawPending) {
        update();
        m_bRedrawPending = 0;
    }
}

namespace {

// Writes one clue number in the clue font of cell size c, green on the face colour, inside
// the clue area `area`: a text box taller or wider than its place must not reach into the
// grid, where it would wipe the player's marks.
void WriteClue(CDC& dc, const CRect& area, int x, int y, int c, int count) {
    dc.SetClipRect(area);
    CFont font;
    font.CreateFont(c, 0, 0, 0, 400, false, false, false, kShiftJisCharset, 0, 0, 0, 0,
                    QStringLiteral("MS P明朝"));
    CFont* old = dc.SelectObject(&font);
    dc.SetTextColor(kClueColor);
    dc.SetBkColor(kFaceColor);
    dc.TextOut(x, y, QString::number(count));
    dc.SelectObject(old);
    font.DeleteObject();
    dc.SetClipRect(CRect{});
}

}  // namespace

void CPlaygame::DrawColumnClue(int col, int slot, int count) {
    const int c = m_nCellSize;
    // Single digits sit a third of a cell in; longer numbers start at the place's edge.
    const int x = m_nBoardWidth / 2 + col * c + (count < 10 ? c / 3 : 0);
    const int y = m_nBoardHeight / 2 - slot * c;
    // Everything above the grid's top line.
    WriteClue(m_dcMem, CRect{0, 0, m_nMemWidth, m_nBoardHeight / 2 + c}, x, y, c, count);
}

void CPlaygame::DrawRowClue(int row, int slot, int count) {
    const int c = m_nCellSize;
    const int x = m_nBoardWidth / 2 - (slot + 1) * c + (count < 10 ? c / 3 : 0);
    const int y = m_nBoardHeight / 2 + (row + 1) * c;
    // Everything left of the grid's left line.
    WriteClue(m_dcMem, CRect{0, 0, m_nBoardWidth / 2, m_nMemHeight}, x, y, c, count);
}

void CPlaygame::DrawGridLines() {
    const int n = m_nGridSize;
    const int c = m_nCellSize;
    const int w = m_nBoardWidth;
    const int h = m_nBoardHeight;
    CPen penGrid(PS_SOLID, 1, kGridLineColor);
    CPen penFifth(PS_SOLID, 1, kFifthLineColor);
    // Every fifth inner line stands out; the outer edges never do.
    const auto pen = [&](int k) { return (k % 5 == 0 && k > 0 && k < n) ? &penFifth : &penGrid; };
    CPen* old = m_dcMem.SelectObject(&penGrid);
    // The lines run across the clue areas too, giving each row and column its own strip.
    for (int k = 0; k <= n; ++k) {
        const int y = h / 2 + (k + 1) * c;
        m_dcMem.SelectObject(pen(k));
        m_dcMem.MoveTo(0, y);
        m_dcMem.LineTo((3 * w) / 2, y);
    }
    for (int k = 0; k <= n; ++k) {
        const int x = w / 2 + k * c;
        m_dcMem.SelectObject(pen(k));
        m_dcMem.MoveTo(x, 0);
        m_dcMem.LineTo(x, (3 * h) / 2 + c);
    }
    m_dcMem.SelectObject(old);
    penGrid.DeleteObject();
    penFifth.DeleteObject();
}

void CPlaygame::PaintCell(int x, int y, COLORREF clr) {
    const int c = m_nCellSize;
    const int left = ((x - m_nBoardWidth / 2) / c) * c + m_nBoardWidth / 2;
    const int top = ((y - m_nBoardHeight / 2) / c) * c + m_nBoardHeight / 2;
    if (clr == kCrossColor) {
        // Both diagonals of the interior, over whatever it holds.
        for (int i = 1; i <= c - 1; ++i) {
            for (int j = 1; j <= c - 1; ++j) {
                if (i == j || i + j == c - 1)
                    m_dcMem.SetPixel(left + i, top + j, kCrossColor);
            }
        }
    } else {
        m_dcMem.FillSolidRect(left + 1, top + 1, c - 1, c - 1, clr);
    }
}

// ---- Mouse ---------------------------------------------------------------------------------

CPoint CPlaygame::BoardPoint(CPoint point) const {
    // The image's pixel (0, 0) is shown at (1, 1) of the frame's client area.
    const QPoint origin =
        m_ctlBoard->geometry().topLeft() + m_ctlBoard->ClientRect().topLeft() + QPoint(1, 1);
    return CPoint{point.x - origin.x(), point.y - origin.y()};
}

bool CPlaygame::HitTest(CPoint board, int* col, int* row) const {
    const int c = m_nCellSize;
    const int half = (m_nGridSize * c) / 2;
    const int threeHalves = (3 * m_nGridSize * c) / 2;
    // Both ends open: the grid's outer lines belong to no cell.
    if (!(board.x > half && board.x < threeHalves))
        return false;
    if (!(board.y > half + c && board.y < threeHalves + c))
        return false;
    *col = (board.x - half) / c;
    *row = (board.y - half - c) / c;
    return true;
}

void CPlaygame::OnLButtonDown(unsigned nFlags, CPoint point) {
    if (m_bChecked)
        return;
    const CPoint board = BoardPoint(point);
    int col = 0, row = 0;
    CNGMDoc* doc = PlayableDocument();
    if (doc && HitTest(board, &col, &row)) {
        if (nFlags & MK_CONTROL) {
            PaintCell(board.x, board.y, kFaceColor);
            doc->m_ppPlayGrid[col][row] = 0;
        } else {
            PaintCell(board.x, board.y, kFillColor);
            doc->m_ppPlayGrid[col][row] = 1;
        }
    }
    update();
}

void CPlaygame::OnRButtonDown(unsigned /*nFlags*/, CPoint point) {
    if (m_bChecked)
        return;
    const CPoint board = BoardPoint(point);
    int col = 0, row = 0;
    CNGMDoc* doc = PlayableDocument();
    if (doc && HitTest(board, &col, &row)) {
        // A cross empties a filled cell; the cross itself is only drawn, never stored.
        if (doc->m_ppPlayGrid[col][row] == 1) {
            PaintCell(board.x, board.y, kFaceColor);
            PaintCell(board.x, board.y, kCrossColor);
            doc->m_ppPlayGrid[col][row] = 0;
        } else {
            PaintCell(board.x, board.y, kCrossColor);
        }
    }
    update();
}

void CPlaygame::OnMouseMove(unsigned nFlags, CPoint point) {
    // Dragging repeats the press of the held button; the left button wins over the right.
    if (nFlags & MK_LBUTTON) {
        OnLButtonDown(nFlags, point);
    } else if (nFlags & MK_RBUTTON) {
        OnRButtonDown(nFlags, point);
    }
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
    int count = 0;
    if (CNGMDoc* doc = PlayableDocument()) {
        const int n = m_nGridSize;
        const int c = m_nCellSize;
        count = CountMistakes(doc->m_ppAnswerGrid, doc->m_ppPlayGrid, n);
        for (const CPoint& cell : FindMistakes(doc->m_ppAnswerGrid, doc->m_ppPlayGrid, n)) {
            DrawMistakeFrame(m_dcMem, m_nBoardWidth / 2 + cell.x * c,
                             m_nBoardHeight / 2 + (cell.y + 1) * c, c, kMistakeColor);
        }
    }
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
    if (CNGMDoc* doc = PlayableDocument())
        doc->m_ppPlayGrid.Fill(0);
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
