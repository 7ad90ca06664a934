#include "drawbox/drawbox.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <new>
#include <utility>

#include "platform/message_box.h"
#include "platform/scroll_codes.h"
#include "res/dialog_template.h"
#include "res/drawbox_ids.h"
#include "session/ngm_doc.h"

namespace {

// Size of a drawing, and of the picture a store makes.
constexpr int kCanvasSize = 260;
constexpr int kCanvasLeft = 100;
constexpr int kCanvasTop = 50;
// The line tool stops this many pixels short of the canvas's right and bottom edges.
constexpr int kLineMargin = 2;
constexpr int kMinPen = 1;
constexpr int kMaxPen = 40;
constexpr int kDefaultPen = 5;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRubberColor = RGB(0, 255, 0);

// The right-button polyline runs on across clears and openings for the whole program run.
int s_bFirstRightClick = 1;
CPoint s_ptLastRightClick;

CPoint ToCPoint(const QPointF& p) {
    const QPoint q = p.toPoint();
    return CPoint{q.x(), q.y()};
}

}  // namespace

CDrawbox::CDrawbox(CNGMDoc* doc, QWidget* pParent) : QDialog(pParent), m_pDoc(doc) {
    const DialogTemplate& t = DrawBoxDialogTemplate();
    setWindowTitle(TemplateText(t.caption));
    setFixedSize(TemplateClientSize(t));
    m_controls = BuildControls(this, t);

    m_canvas = m_controls.Get<PanelFrame>(IDC_DB_CANVAS);
    m_swatch = m_controls.Get<PanelFrame>(IDC_DB_SWATCH);
    m_progress = m_controls.Get<QProgressBar>(IDC_DB_PROGRESS);
    m_spinPenSize = m_controls.Get<UpDownControl>(IDC_DB_PEN_SPIN);

    // Both frames show an off-screen image that fills their client area from its corner.
    m_canvas->installEventFilter(this);
    m_swatch->installEventFilter(this);
    m_dcCanvas.SelectObject(&m_bmpCanvas);
    m_dcSwatch.SelectObject(&m_bmpSwatch);

    // Mouse moves arrive without a button too, as the dialog's own messages.
    setMouseTracking(true);

    connect(m_controls.Get<QPushButton>(IDC_DB_STORE), &QPushButton::clicked, this,
            [this] { OnStore(); });
    connect(m_controls.Get<QPushButton>(IDC_DB_CANCEL), &QPushButton::clicked, this,
            &QDialog::reject);
    connect(m_controls.Get<QPushButton>(IDC_DB_CLEAR), &QPushButton::clicked, this,
            [this] { OnClear(); });
    for (int id : {IDC_DB_RED_SCROLL, IDC_DB_GREEN_SCROLL, IDC_DB_BLUE_SCROLL}) {
        auto* bar = m_controls.Get<ScrollCodeBar>(id);
        connect(bar, &ScrollCodeBar::scrolled, this,
                [this, bar](int code, int pos) { OnHScroll(code, pos, bar); });
    }
}

CDrawbox::~CDrawbox() {
    m_penRubber.DeleteObject();
}

void CDrawbox::ResetRightClickChain() {
    s_bFirstRightClick = 1;
    s_ptLastRightClick = CPoint{};
}

int CDrawbox::OnInitDialog() {
    m_nRed = m_nGreen = m_nBlue = 0;
    m_bFreeStroke = 0;
    m_bLineDrag = 0;
    for (int id : {IDC_DB_RED_EDIT, IDC_DB_GREEN_EDIT, IDC_DB_BLUE_EDIT}) {
        SetDlgItemText(m_controls, id, QStringLiteral("0"));
    }
    for (int id : {IDC_DB_RED_SCROLL, IDC_DB_GREEN_SCROLL, IDC_DB_BLUE_SCROLL}) {
        m_controls.Get<ScrollCodeBar>(id)->setRange(0, 255);
    }
    CheckDlgButton(m_controls, IDC_DB_FREE, true);

    const int width = kCanvasSize;
    const int height = kCanvasSize;
    m_canvas->setGeometry(kCanvasLeft, kCanvasTop, width, height);
    // The drawing lives in this image; every paint of the canvas shows it.
    m_bmpCanvas.CreateBitmap(width, height);
    m_dcCanvas.SetClipRect(WholeClip());
    m_dcCanvas.FillSolidRect(0, 0, width, height, kWhite);
    m_canvas->update();

    const QSize swatch = m_swatch->ClientSize();
    m_bmpSwatch.CreateBitmap(std::max(1, swatch.width()), std::max(1, swatch.height()));
    FillSwatch(RGB(0, 0, 0));

    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_spinPenSize->SetRange(kMinPen, kMaxPen);
    m_spinPenSize->SetPos(kDefaultPen);
    m_penRubber.CreatePen(PS_SOLID, 1, kRubberColor);
    return 1;
}

void CDrawbox::showEvent(QShowEvent* event) {
    // The first show is the opening of the dialog: initialise before it becomes visible.
    if (!m_bInitialized) {
        m_bInitialized = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

CRect CDrawbox::WholeClip() const {
    return CRect{0, 0, m_canvas->ClientSize().width(), m_canvas->ClientSize().height()};
}

CRect CDrawbox::LineClip() const {
    return CRect{0, 0, m_canvas->width() - kLineMargin, m_canvas->height() - kLineMargin};
}

CPoint CDrawbox::ToCanvas(CPoint point) const {
    return CPoint{point.x - m_canvas->x(), point.y - m_canvas->y()};
}

int CDrawbox::PenWidth() const {
    bool error = false;
    // A text that is not a number in range gives the last valid position.
    const int pos = m_spinPenSize->GetPos(&error);
    return std::clamp(pos, kMinPen, kMaxPen);
}

COLORREF CDrawbox::SelectedColor() const {
    return RGB(m_nRed, m_nGreen, m_nBlue);
}

void CDrawbox::StrokeLine(CPen& pen, int rop, const CRect& clip, CPoint from, CPoint to) {
    m_dcCanvas.SetClipRect(clip);
    const int oldRop = m_dcCanvas.SetROP2(rop);
    CPen* old = m_dcCanvas.SelectObject(&pen);
    m_dcCanvas.MoveTo(from);
    m_dcCanvas.LineTo(to);
    m_dcCanvas.SelectObject(old);
    m_dcCanvas.SetROP2(oldRop);
    m_dcCanvas.SetClipRect(WholeClip());
}

void CDrawbox::DrawUserLine(CPoint from, CPoint to) {
    CPen pen(PS_SOLID, PenWidth(), SelectedColor());
    StrokeLine(pen, R2_COPYPEN, WholeClip(), from, to);
    m_canvas->update();
}

void CDrawbox::XorBand() {
    StrokeLine(m_penRubber, R2_XORPEN, LineClip(), m_ptLineStart, m_ptLineEnd);
}

void CDrawbox::OnLButtonDown(Qt::MouseButtons, CPoint point) {
    if (IsDlgButtonChecked(m_controls, IDC_DB_FREE)) {
        m_ptLast = ToCanvas(point);
        m_bFreeStroke = 1;
    } else {
        m_bFreeStroke = 0;
    }
    if (IsDlgButtonChecked(m_controls, IDC_DB_LINE)) {
        // The press grabs the mouse until the release, so moves and the release outside the
        // dialog still arrive here.
        const CPoint p = ToCanvas(point);
        m_ptLineStart = p;
        m_ptLineEnd = p;
        m_bLineDrag = 1;
    }
    if (IsDlgButtonChecked(m_controls, IDC_DB_POINT)) {
        const CPoint p = ToCanvas(point);
        DrawUserLine(p, p);
    }
}

void CDrawbox::OnMouseMove(Qt::MouseButtons nFlags, CPoint point) {
    if (IsDlgButtonChecked(m_controls, IDC_DB_FREE)) {
        if ((nFlags & Qt::LeftButton) && m_bFreeStroke == 1) {
            const CPoint p = ToCanvas(point);
            DrawUserLine(m_ptLast, p);
            m_ptLast = p;
        }
    } else if (IsDlgButtonChecked(m_controls, IDC_DB_LINE) && m_bLineDrag != 0) {
        if (!(nFlags & Qt::LeftButton)) {
            // The button went up where this dialog did not see it: the capture was lost.
            CancelLineDrag();
            return;
        }
        XorBand();  // erases the previous band
        m_ptLineEnd = ToCanvas(point);
        XorBand();
        m_canvas->update();
    }
}

void CDrawbox::OnLButtonUp(Qt::MouseButtons, CPoint point) {
    if (m_bLineDrag == 0)
        return;
    const CPoint p = ToCanvas(point);
    XorBand();

    CPen pen(PS_SOLID, PenWidth(), SelectedColor());
    StrokeLine(pen, R2_COPYPEN, LineClip(), m_ptLineStart, p);
    m_bLineDrag = 0;
    m_canvas->update();
}

void CDrawbox::CancelLineDrag() {
    if (m_bLineDrag == 0)
        return;
    XorBand();
    m_ptLineEnd = m_ptLineStart;
    m_bLineDrag = 0;
    m_canvas->update();
}

void CDrawbox::OnRButtonDown(Qt::MouseButtons, CPoint point) {
    const CPoint p = ToCanvas(point);
    if (s_bFirstRightClick == 1) {
        DrawUserLine(p, p);
        s_bFirstRightClick = 0;
    } else {
        DrawUserLine(s_ptLastRightClick, p);
    }
    s_ptLastRightClick = p;
}

void CDrawbox::OnPaint(QWidget* target) {
    const CDC* source = nullptr;
    QPoint origin;
    if (target == m_canvas) {
        source = &m_dcCanvas;
        origin = m_canvas->ClientRect().topLeft();
    } else if (target == m_swatch) {
        source = &m_dcSwatch;
        origin = m_swatch->ClientRect().topLeft();
    }
    if (!source)
        return;
    QPainter painter(target);
    source->CopyTo(painter, origin.x(), origin.y());
}

void CDrawbox::OnClear() {
    m_dcCanvas.SetClipRect(WholeClip());
    m_dcCanvas.FillSolidRect(0, 0, m_canvas->width(), m_canvas->height(), kWhite);
    // A band being dragged went with the rest; the next move must not XOR it back.
    m_ptLineEnd = m_ptLineStart;
    m_canvas->update();
}

void CDrawbox::FillSwatch(COLORREF color) {
    m_crSwatch = color;
    m_dcSwatch.FillSolidRect(0, 0, m_dcSwatch.Width(), m_dcSwatch.Height(), color);
    m_swatch->update();
}

void CDrawbox::OnHScroll(int nSBCode, int nPos, ScrollCodeBar* pScrollBar) {
    if (!pScrollBar)
        return;
    const int pos = ApplyScrollCode(nSBCode, pScrollBar->GetScrollPos(), nPos, 0, 255);
    pScrollBar->SetScrollPos(pos);

    m_nRed = m_controls.Get<ScrollCodeBar>(IDC_DB_RED_SCROLL)->GetScrollPos();
    m_nGreen = m_controls.Get<ScrollCodeBar>(IDC_DB_GREEN_SCROLL)->GetScrollPos();
    m_nBlue = m_controls.Get<ScrollCodeBar>(IDC_DB_BLUE_SCROLL)->GetScrollPos();
    SetDlgItemText(m_controls, IDC_DB_RED_EDIT, QString::asprintf("%d", m_nRed));
    SetDlgItemText(m_controls, IDC_DB_GREEN_EDIT, QString::asprintf("%d", m_nGreen));
    SetDlgItemText(m_controls, IDC_DB_BLUE_EDIT, QString::asprintf("%d", m_nBlue));
    FillSwatch(SelectedColor());
}

void CDrawbox::OnStore() {
    // A band still on the canvas is not part of the drawing.
    CancelLineDrag();
    QApplication::setOverrideCursor(Qt::WaitCursor);

    Picture picture;
    try {
        picture = Picture::Filling(kCanvasSize, kCanvasSize);
    } catch (const std::bad_alloc&) {
        QApplication::restoreOverrideCursor();
        AppMessageBox(tr("メモリが不足しているため画像を読み込めません。"), MB_OK);
        return;
    }
    ColumnBuffer& planes = picture.planes;
    const int width = kCanvasSize;
    const int height = kCanvasSize;
    const QImage& image = m_bmpCanvas.Image();
    const long long total = static_cast<long long>(width) * height;
    int shown = m_progress->value();
    for (int y = 0; y < height; ++y) {
        const QRgb* line =
            y < image.height() ? reinterpret_cast<const QRgb*>(image.constScanLine(y)) : nullptr;
        for (int x = 0; x < width; ++x) {
            // Outside the drawing a pixel reads as white.
            const QRgb c = (line && x < image.width()) ? line[x] : qRgb(255, 255, 255);
            planes[3 * x][y] = qRed(c);
            planes[3 * x + 1][y] = qGreen(c);
            planes[3 * x + 2][y] = qBlue(c);
            // Share of the pixels done before this one; the bar is only touched when the
            // percentage changes, which looks the same and costs far less.
            const int percent =
                static_cast<int>((static_cast<long long>(y) * width + x) * 100 / total);
            if (percent != shown) {
                shown = percent;
                m_progress->setValue(percent);
            }
        }
    }
    m_pDoc->m_picture = std::move(picture);

    QApplication::beep();
    QApplication::restoreOverrideCursor();
    accept();
}

bool CDrawbox::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::UngrabMouse:
        case QEvent::WindowDeactivate:
        case QEvent::Hide:
            // The mouse went elsewhere in the middle of a line drag.
            CancelLineDrag();
            break;
        default:
            break;
    }
    return QDialog::event(event);
}

bool CDrawbox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && (watched == m_canvas || watched == m_swatch)) {
        // The frame draws its own edges, then its image covers the client area.
        static_cast<QObject*>(watched)->event(event);
        OnPaint(static_cast<QWidget*>(watched));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CDrawbox::mousePressEvent(QMouseEvent* event) {
    // Presses anywhere on the dialog's own surface (the canvas included) are taken.
    event->accept();
    const CPoint p = ToCPoint(event->position());
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(event->buttons(), p);
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDown(event->buttons(), p);
    }
}

void CDrawbox::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    OnMouseMove(event->buttons(), ToCPoint(event->position()));
}

void CDrawbox::mouseReleaseEvent(QMouseEvent* event) {
    QDialog::mouseReleaseEvent(event);
    event->accept();
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(event->buttons(), ToCPoint(event->position()));
}

void CDrawbox::contextMenuEvent(QContextMenuEvent* event) {
    // The right button draws; it opens no menu.
    event->accept();
}
