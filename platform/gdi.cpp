#include "platform/gdi.h"

#include "platform/fonts.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF FromQRgb(QRgb rgb) {
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

namespace {

QRgb ToQRgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

QFont DefaultFont() {
    QFont font(QStringLiteral("System"));
    font.setPixelSize(16);
    font.setWeight(QFont::Bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace

bool CPen::CreatePen(int /*style*/, int width, COLORREF color) {
    m_nWidth = width;
    m_color = color;
    m_bCreated = true;
    return true;
}

bool CFont::CreateFont(int height, int /*width*/, int /*escapement*/, int /*orientation*/,
                       int weight, bool italic, bool underline, bool strikeOut, int /*charSet*/,
                       int /*outPrecision*/, int /*clipPrecision*/, int /*quality*/,
                       int /*pitchAndFamily*/, const QString& face) {
    QFont font(face);
    const int pixels = height == 0 ? 12 : std::abs(height);
    font.setPixelSize(pixels);
    font.setWeight(weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    font.setStyleStrategy(QFont::NoAntialias);
    if (const int stretch = SubstituteStretch(face); stretch != 100)
        font.setStretch(stretch);
    if (height > 0) {
        // A positive height is the whole character cell: shrink the font until its cell
        // (ascent + descent, each rounded up to whole pixels) is within a pixel of it.  Fonts
        // are made per number drawn, so the size found for a font is remembered.
        static QHash<QString, int> s_fittedSizes;
        const QString key = font.key();
        const auto found = s_fittedSizes.constFind(key);
        if (found != s_fittedSizes.constEnd()) {
            font.setPixelSize(found.value());
        } else {
            for (int size = pixels - 1; size > 1 && QFontMetrics(font).height() > height + 1;
                 --size) {
                font.setPixelSize(size);
            }
            s_fittedSizes.insert(key, font.pixelSize());
        }
    }
    m_font = font;
    m_bCreated = true;
    return true;
}

bool CBitmap::CreateBitmap(int width, int height) {
    if (width <= 0 || height <= 0) {
        m_image = QImage();
        return false;
    }
    m_image = QImage(width, height, QImage::Format_RGB32);
    m_image.fill(qRgb(0, 0, 0));
    return !m_image.isNull();
}

CDC::CDC() : m_textColor(RGB(0, 0, 0)), m_bkColor(RGB(255, 255, 255)) {
    m_defaultPen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
}

CDC::~CDC() = default;

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    CBitmap* old = m_pBitmap;
    m_pBitmap = bitmap;
    return old;
}

CPen* CDC::SelectObject(CPen* pen) {
    CPen* old = m_pPen ? m_pPen : &m_defaultPen;
    m_pPen = (pen == &m_defaultPen) ? nullptr : pen;
    return old;
}

CFont* CDC::SelectObject(CFont* font) {
    CFont* old = m_pFont;
    m_pFont = font;
    return old;
}

int CDC::Width() const {
    return m_pBitmap ? m_pBitmap->Image().width() : 0;
}

int CDC::Height() const {
    return m_pBitmap ? m_pBitmap->Image().height() : 0;
}

COLORREF CDC::SetTextColor(COLORREF c) {
    const COLORREF old = m_textColor;
    m_textColor = c;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF c) {
    const COLORREF old = m_bkColor;
    m_bkColor = c;
    return old;
}

int CDC::SetROP2(int mode) {
    const int old = m_rop2;
    m_rop2 = mode;
    return old;
}

void CDC::SetClipRect(const CRect& rect) {
    m_clip = rect;
}

CRect CDC::GetClipRect() const {
    CRect r{0, 0, Width(), Height()};
    if (!m_clip.IsEmpty()) {
        r.left = std::max(r.left, m_clip.left);
        r.top = std::max(r.top, m_clip.top);
        r.right = std::min(r.right, m_clip.right);
        r.bottom = std::min(r.bottom, m_clip.bottom);
    }
    return r;
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF c) {
    if (!m_pBitmap)
        return;
    const CRect clip = GetClipRect();
    const int left = std::max(x, clip.left);
    const int top = std::max(y, clip.top);
    const int right = std::min(x + cx, clip.right);
    const int bottom = std::min(y + cy, clip.bottom);
    if (right <= left || bottom <= top)
        return;
    QImage& img = m_pBitmap->Image();
    const QRgb rgb = ToQRgb(c);
    // One row filled, the others copied from it: a copy of a row runs in wide stores.
    QRgb* first = reinterpret_cast<QRgb*>(img.scanLine(top));
    std::fill(first + left, first + right, rgb);
    const std::size_t bytes = static_cast<std::size_t>(right - left) * sizeof(QRgb);
    for (int yy = top + 1; yy < bottom; ++yy)
        std::memcpy(reinterpret_cast<QRgb*>(img.scanLine(yy)) + left, first + left, bytes);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF c) {
    if (!m_pBitmap || !GetClipRect().Contains(x, y))
        return CLR_INVALID;
    reinterpret_cast<QRgb*>(m_pBitmap->Image().scanLine(y))[x] = ToQRgb(c);
    return c & 0x00FFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const {
    if (!m_pBitmap || !GetClipRect().Contains(x, y))
        return CLR_INVALID;
    return FromQRgb(reinterpret_cast<const QRgb*>(m_pBitmap->Image().constScanLine(y))[x]);
}

CPoint CDC::MoveTo(int x, int y) {
    const CPoint old = m_pos;
    m_pos = CPoint{x, y};
    return old;
}

void CDC::PlotPen(int x, int y, COLORREF c) {
    QRgb& px = reinterpret_cast<QRgb*>(m_pBitmap->Image().scanLine(y))[x];
    if (m_rop2 == R2_XORPEN) {
        px = qRgb(qRed(px) ^ GetRValue(c), qGreen(px) ^ GetGValue(c), qBlue(px) ^ GetBValue(c));
    } else {
        px = ToQRgb(c);
    }
}

bool CDC::LineTo(int x, int y) {
    const CPoint from = m_pos;
    m_pos = CPoint{x, y};
    if (!m_pBitmap)
        return false;
    const CPen& pen = m_pPen ? *m_pPen : m_defaultPen;
    const COLORREF color = pen.Color();
    const CRect clip = GetClipRect();
    if (clip.IsEmpty())
        return true;

    if (pen.Width() <= 1) {
        // Bresenham from the start pixel, stopping before the end pixel.
        int x0 = from.x, y0 = from.y;
        const int dx = std::abs(x - x0), dy = -std::abs(y - y0);
        const int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
        int err = dx + dy;
        while (!(x0 == x && y0 == y)) {
            if (clip.Contains(x0, y0))
                PlotPen(x0, y0, color);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
        return true;
    }

    // Wide pen: every pixel whose centre lies within half the width of the segment.  Even
    // widths are centred half a pixel up and to the left, so a width of 2 covers 2 x 2.
    const double w = pen.Width();
    const double r = w / 2.0;
    const double shift = (pen.Width() % 2 == 0) ? -0.5 : 0.0;
    const double ax = from.x + shift, ay = from.y + shift;
    const double bx = x + shift, by = y + shift;
    const int reach = static_cast<int>(std::ceil(r)) + 1;
    const int left = std::max(clip.left, std::min(from.x, x) - reach);
    const int right = std::min(clip.right, std::max(from.x, x) + reach + 1);
    const int top = std::max(clip.top, std::min(from.y, y) - reach);
    const int bottom = std::min(clip.bottom, std::max(from.y, y) + reach + 1);
    const double vx = bx - ax, vy = by - ay;
    const double len2 = vx * vx + vy * vy;
    const double r2 = r * r + 1e-9;
    for (int py = top; py < bottom; ++py) {
        for (int px = left; px < right; ++px) {
            double t = 0.0;
            if (len2 > 0)
                t = std::clamp(((px - ax) * vx + (py - ay) * vy) / len2, 0.0, 1.0);
            const double ex = px - (ax + t * vx), ey = py - (ay + t * vy);
            if (ex * ex + ey * ey <= r2)
                PlotPen(px, py, color);
        }
    }
    return true;
}

QFont CDC::CurrentFont() const {
    return m_pFont ? m_pFont->Font() : DefaultFont();
}

CRect CDC::TextExtent(const QString& text) const {
    const QFontMetrics fm(CurrentFont());
    return CRect{0, 0, fm.horizontalAdvance(text), fm.height()};
}

bool CDC::TextOut(int x, int y, const QString& text) {
    if (!m_pBitmap)
        return false;
    const CRect clip = GetClipRect();
    if (clip.IsEmpty())
        return true;
    const QFont font = CurrentFont();
    const QFontMetrics fm(font);
    QPainter painter(&m_pBitmap->Image());
    painter.setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()));
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), ToQColor(m_bkColor));
    painter.setFont(font);
    painter.setPen(ToQColor(m_textColor));
    painter.drawText(x, y + fm.ascent(), text);
    return true;
}

void CDC::CopyTo(QPainter& painter, int x, int y) const {
    if (m_pBitmap && m_pBitmap->IsCreated())
        painter.drawImage(x, y, m_pBitmap->Image());
}
