#include "render/panel_drawing.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <algorithm>

namespace {

QRgb ToPixel(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The pen LineTo would draw with: selecting the default pen returns the current one, which is
// then selected back.
const CPen* CurrentPen(CDC& dc) {
    CPen* current = dc.SelectObject(static_cast<CPen*>(nullptr));
    dc.SelectObject(current);
    return current;
}

// What TextOut paints for one text: the opaque box and the glyphs, as an image whose
// transparent pixels are left alone, placed with its top-left at (x + dx, y + dy).
struct Stamp {
    QImage image;
    int dx = 0;
    int dy = 0;
};

Stamp RenderStamp(const QString& text, int fontHeight, const QString& face, int charSet,
                  COLORREF textColor, COLORREF bkColor) {
    CFont font;
    font.CreateFont(fontHeight, 0, 0, 0, 400, false, false, false, charSet, 0, 0, 0, 0, face);
    const QFontMetrics fm(font.Font());
    const int width = fm.horizontalAdvance(text);
    const int height = fm.height();
    // Room for glyphs that reach beyond their box.
    const int margin = height;
    Stamp stamp;
    stamp.image = QImage(width + 2 * margin, height + 2 * margin, QImage::Format_ARGB32);
    stamp.image.fill(Qt::transparent);
    {
        QPainter painter(&stamp.image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.fillRect(QRect(margin, margin, width, height), ToQColor(bkColor));
        painter.setFont(font.Font());
        painter.setPen(ToQColor(textColor));
        painter.drawText(margin, margin + fm.ascent(), text);
    }
    font.DeleteObject();

    // Keep only the bounding box of what was painted.
    QRect painted;
    for (int y = 0; y < stamp.image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(stamp.image.constScanLine(y));
        for (int x = 0; x < stamp.image.width(); ++x) {
            if (qAlpha(row[x]) != 0)
                painted |= QRect(x, y, 1, 1);
        }
    }
    stamp.image = painted.isEmpty() ? QImage() : stamp.image.copy(painted);
    stamp.dx = painted.x() - margin;
    stamp.dy = painted.y() - margin;
    return stamp;
}

struct StampKey {
    int fontHeight;
    int charSet;
    COLORREF textColor;
    COLORREF bkColor;
    QString face;
    QString text;
    friend bool operator==(const StampKey&, const StampKey&) = default;
};

size_t qHash(const StampKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.fontHeight, key.charSet, key.textColor, key.bkColor, key.face,
                      key.text);
}

const Stamp& CachedStamp(const StampKey& key) {
    static QHash<StampKey, Stamp> s_stamps;
    auto it = s_stamps.find(key);
    if (it == s_stamps.end()) {
        // The clue numbers of a puzzle are few; anything else is not worth keeping long.
        if (s_stamps.size() >= 256)
            s_stamps.clear();
        it = s_stamps.insert(key, RenderStamp(key.text, key.fontHeight, key.face, key.charSet,
                                              key.textColor, key.bkColor));
    }
    return it.value();
}

}  // namespace

void DrawStraightLine(CDC& dc, int x0, int y0, int x1, int y1) {
    const CPen* pen = CurrentPen(dc);
    CBitmap* bitmap = dc.GetCurrentBitmap();
    if ((x0 != x1 && y0 != y1) || !bitmap || !bitmap->IsCreated() || pen->Width() > 1 ||
        dc.GetROP2() != R2_COPYPEN) {
        dc.MoveTo(x0, y0);
        dc.LineTo(x1, y1);
        return;
    }
    dc.MoveTo(x1, y1);  // where LineTo leaves the current position
    const CRect clip = dc.GetClipRect();
    const QRgb color = ToPixel(pen->Color());
    QImage& image = bitmap->Image();
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    if (y0 == y1) {
        // From the start pixel towards the end pixel, which is left out.
        const int from = std::max(x0 <= x1 ? x0 : x1 + 1, clip.left);
        const int to = std::min(x0 <= x1 ? x1 : x0 + 1, clip.right);
        if (y0 < clip.top || y0 >= clip.bottom || from >= to)
            return;
        QRgb* row = reinterpret_cast<QRgb*>(bits + y0 * stride);
        std::fill(row + from, row + to, color);
    } else {
        const int from = std::max(y0 <= y1 ? y0 : y1 + 1, clip.top);
        const int to = std::min(y0 <= y1 ? y1 : y0 + 1, clip.bottom);
        if (x0 < clip.left || x0 >= clip.right)
            return;
        for (int y = from; y < to; ++y)
            reinterpret_cast<QRgb*>(bits + y * stride)[x0] = color;
    }
}

void StampText(CDC& dc, int x, int y, const QString& text, int fontHeight, const QString& face,
               int charSet) {
    CBitmap* bitmap = dc.GetCurrentBitmap();
    if (!bitmap || !bitmap->IsCreated())
        return;
    const Stamp& stamp =
        CachedStamp(StampKey{fontHeight, charSet, dc.GetTextColor(), dc.GetBkColor(), face, text});
    const CRect clip = dc.GetClipRect();
    const int left = x + stamp.dx, top = y + stamp.dy;
    const int fromX = std::max(left, clip.left);
    const int toX = std::min(left + stamp.image.width(), clip.right);
    const int fromY = std::max(top, clip.top);
    const int toY = std::min(top + stamp.image.height(), clip.bottom);
    if (fromX >= toX || fromY >= toY)
        return;
    QImage& image = bitmap->Image();
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int ty = fromY; ty < toY; ++ty) {
        const QRgb* src = reinterpret_cast<const QRgb*>(stamp.image.constScanLine(ty - top));
        QRgb* dst = reinterpret_cast<QRgb*>(bits + ty * stride);
        for (int tx = fromX; tx < toX; ++tx) {
            const QRgb p = src[tx - left];
            if (qAlpha(p) != 0)
                dst[tx] = p | 0xff000000u;
        }
    }
}
