// The four panel images of the view: created on the first paint, copied onto their panels by
// every paint, and the input picture drawn into the first one.
#include <QPainter>
#include <algorithm>

#include "construct/ngm_view.h"
#include "session/ngm_doc.h"

void CNGMView::paintEvent(QPaintEvent*) {
    OnPaint();
}

void CNGMView::OnPaint() {
    // The panels copy their images themselves when they repaint with the view.
    EnsurePanelImages();
}

void CNGMView::EnsurePanelImages() {
    if (!m_bFirstPaint)
        return;
    m_bFirstPaint = 0;

    struct Panel {
        QWidget* control;
        std::int32_t* height;
        std::int32_t* width;
        CBitmap* bitmap;
        CDC* dc;
        CBitmap** old;
    };
    const Panel panels[] = {
        {m_stcInput, &m_nInputH, &m_nInputW, &m_bmpInput, &m_dcInput, &m_pOldBmpInput},
        {m_stcBinary, &m_nBinaryH, &m_nBinaryW, &m_bmpBinary, &m_dcBinary, &m_pOldBmpBinary},
        {m_stcPreview, &m_nPreviewH, &m_nPreviewW, &m_bmpPreview, &m_dcPreview, &m_pOldBmpPreview},
        {m_stcResult, &m_nResultH, &m_nResultW, &m_bmpResult, &m_dcResult, &m_pOldBmpResult},
    };
    for (const Panel& p : panels) {
        auto* frame = static_cast<PanelFrame*>(p.control);
        // The image sits inside the panel's one-pixel rim.
        const QRect client = frame->ClientRect().adjusted(1, 1, -1, -1).normalized();
        *p.width = client.width();
        *p.height = client.height();
        p.bitmap->CreateBitmap(*p.width, *p.height);
        *p.old = p.dc->SelectObject(p.bitmap);
        p.dc->FillSolidRect(0, 0, *p.width, *p.height, kFaceColor);
        frame->SetImageSource(p.dc);
    }
}

void CNGMView::DrawInputImage() {
    EnsurePanelImages();
    m_dcInput.FillSolidRect(0, 0, m_nInputW, m_nInputH, kFaceColor);
    m_dcBinary.FillSolidRect(0, 0, m_nBinaryW, m_nBinaryH, kFaceColor);
    m_dcPreview.FillSolidRect(0, 0, m_nPreviewW, m_nPreviewH, kFaceColor);
    m_dcResult.FillSolidRect(0, 0, m_nResultW, m_nResultH, kFaceColor);

    const ColumnBuffer& planes = m_pDoc->m_ppInputPlanes;
    // Only the part of the picture that falls inside the panel image (and its clip) can show.
    // The pixels go straight into the image, a strip of columns at a time, so that both the
    // column reads and the row writes stay in the cache.
    const CRect clip = m_dcInput.GetClipRect();
    const int left = std::max(clip.left, 0);
    const int top = std::max(clip.top, 0);
    const int right = std::min({clip.right, m_nInputW, planes.Columns() / 3});
    const int bottom = std::min({clip.bottom, m_nInputH, planes.Length()});
    CBitmap* bitmap = m_dcInput.GetCurrentBitmap();
    if (bitmap && bitmap->IsCreated() && right > left && bottom > top) {
        QImage& image = bitmap->Image();
        constexpr int kStrip = 16;
        for (int x0 = left; x0 < right; x0 += kStrip) {
            const int x1 = std::min(x0 + kStrip, right);
            for (int y = top; y < bottom; ++y) {
                QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = x0; x < x1; ++x) {
                    const COLORREF c =
                        RGB(planes[3 * x][y], planes[3 * x + 1][y], planes[3 * x + 2][y]);
                    row[x] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
                }
            }
        }
    }
    update();
    emit panelsChanged();
}
