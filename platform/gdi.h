// Off-screen drawing surfaces with the pixel rules the program's pictures rely on:
// colour values packed as 0x00BBGGRR, one-pixel lines that cover their start pixel but not
// their end pixel, wide pens with round ends, copy and exclusive-or raster modes, a clip
// rectangle, and text written on an opaque box.  Widget-free: a CDC draws into the QImage of
// the CBitmap selected into it, and a widget shows it by copying it in its paintEvent.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <cstdint>

#include "model/geometry.h"

class QPainter;

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16));
}
constexpr int GetRValue(COLORREF c) {
    return static_cast<int>(c & 0xff);
}
constexpr int GetGValue(COLORREF c) {
    return static_cast<int>((c >> 8) & 0xff);
}
constexpr int GetBValue(COLORREF c) {
    return static_cast<int>((c >> 16) & 0xff);
}

// Returned by GetPixel for a point outside the surface or its clip rectangle.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Face colour of every panel image and of the play board.
constexpr COLORREF kFaceColor = RGB(236, 233, 216);

// Raster modes for lines.
constexpr int R2_XORPEN = 7;    // pixel = pixel XOR pen colour
constexpr int R2_COPYPEN = 13;  // pixel = pen colour

constexpr int PS_SOLID = 0;

// Converts between COLORREF and Qt colours.
QColor ToQColor(COLORREF c);
COLORREF FromQRgb(QRgb rgb);

class CPen {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    bool CreatePen(int style, int width, COLORREF color);
    void DeleteObject() { m_bCreated = false; }
    bool IsCreated() const { return m_bCreated; }
    // A width below 1 draws as 1, as a cosmetic pen does.
    int Width() const { return m_nWidth < 1 ? 1 : m_nWidth; }
    COLORREF Color() const { return m_color; }

private:
    bool m_bCreated = false;
    int m_nWidth = 1;
    COLORREF m_color = RGB(0, 0, 0);
};

class CFont {
public:
    // The arguments of the platform's font creation; the face name goes through the font
    // substitutions installed at start-up.  A positive height is the character cell height
    // in pixels.
    bool CreateFont(int height, int width, int escapement, int orientation, int weight, bool italic,
                    bool underline, bool strikeOut, int charSet, int outPrecision,
                    int clipPrecision, int quality, int pitchAndFamily, const QString& face);
    void DeleteObject() { m_bCreated = false; }
    bool IsCreated() const { return m_bCreated; }
    const QFont& Font() const { return m_font; }

private:
    bool m_bCreated = false;
    QFont m_font;
};

class CBitmap {
public:
    // Creates a width x height surface (Format_RGB32), black until something draws on it.
    bool CreateBitmap(int width, int height);
    void DeleteObject() { m_image = QImage(); }
    bool IsCreated() const { return !m_image.isNull(); }
    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};

// A drawing context over the CBitmap selected into it.  Drawing with no bitmap selected does
// nothing.  Defaults as the platform's: one-pixel black pen, black text on an opaque white
// box, copy mode, a default font, no clip beyond the surface.
class CDC {
public:
    CDC();
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Returns the previously selected bitmap (null for the first selection).
    CBitmap* SelectObject(CBitmap* bitmap);
    // Returns the previously selected pen; null selects the default pen.
    CPen* SelectObject(CPen* pen);
    // Returns the previously selected font; null selects the default font.
    CFont* SelectObject(CFont* font);
    CBitmap* GetCurrentBitmap() const { return m_pBitmap; }

    int Width() const;
    int Height() const;

    COLORREF SetTextColor(COLORREF c);
    COLORREF SetBkColor(COLORREF c);
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF GetBkColor() const { return m_bkColor; }
    int SetROP2(int mode);
    int GetROP2() const { return m_rop2; }

    // Restricts all drawing to rect (intersected with the surface); an empty rect removes
    // the restriction.
    void SetClipRect(const CRect& rect);
    CRect GetClipRect() const;

    void FillSolidRect(int x, int y, int cx, int cy, COLORREF c);
    void FillSolidRect(const CRect& r, COLORREF c) {
        FillSolidRect(r.left, r.top, r.Width(), r.Height(), c);
    }
    // Sets one pixel (honouring the clip); returns the colour set, or CLR_INVALID outside.
    COLORREF SetPixel(int x, int y, COLORREF c);
    COLORREF GetPixel(int x, int y) const;

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
    // Draws from the current position to (x, y) with the selected pen and raster mode, then
    // makes (x, y) the current position.  A one-pixel pen covers the start pixel and not the
    // end pixel (so a zero-length line marks nothing); a wider pen draws every pixel whose
    // centre lies within half its width of the segment (round ends: a zero-length line is a
    // filled disc of the pen's width).
    bool LineTo(int x, int y);
    bool LineTo(CPoint p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return m_pos; }

    // Writes text with its top-left corner at (x, y) in the selected font and text colour,
    // on an opaque box in the background colour.
    bool TextOut(int x, int y, const QString& text);
    // Width and height of the box TextOut would fill for text.
    CRect TextExtent(const QString& text) const;

    // Copies the whole surface onto a widget's painter with its top-left at (x, y).
    void CopyTo(QPainter& painter, int x, int y) const;

private:
    void PlotPen(int x, int y, COLORREF c);
    QFont CurrentFont() const;

    CBitmap* m_pBitmap = nullptr;
    CPen* m_pPen = nullptr;
    CFont* m_pFont = nullptr;
    CPen m_defaultPen;
    COLORREF m_textColor;
    COLORREF m_bkColor;
    int m_rop2 = R2_COPYPEN;
    CRect m_clip;  // empty: the whole surface
    CPoint m_pos;
};
