// The four panel images: sizes from the panels, the copy at (1, 1) inside each panel's rim, and
// the input picture drawn at 1:1 and cut off at the image's edges.
#include <QImage>

#include "view_fixture.h"

namespace {

QRgb At(const QImage& img, QPoint p) {
    return img.pixel(p);
}

TEST_F(ViewTest, PanelImagesAreTheClientAreasLessTheRim) {
    ASSERT_TRUE(view->HasPanelImages());
    // 176 x 192 dialog units make a 264 x 312 pixel panel.
    EXPECT_EQ(view->m_stcInput->size(), QSize(264, 312));
    EXPECT_EQ(view->m_nInputW, 262);
    EXPECT_EQ(view->m_nInputH, 310);
    // Panels with a sunken edge lose one more pixel each side.
    EXPECT_EQ(view->m_nBinaryW, 260);
    EXPECT_EQ(view->m_nBinaryH, 308);
    EXPECT_EQ(view->m_nPreviewW, 260);
    EXPECT_GT(view->m_nResultW, 140 * 3 / 2);
    EXPECT_GT(view->m_nResultH, 140 * 3 / 2 + 7);
    for (CDC* dc : {&view->m_dcInput, &view->m_dcBinary, &view->m_dcPreview, &view->m_dcResult}) {
        EXPECT_EQ(dc->GetPixel(0, 0), kFaceColor);
        EXPECT_EQ(dc->GetPixel(dc->Width() - 1, dc->Height() - 1), kFaceColor);
    }
}

TEST_F(ViewTest, EveryPaintCopiesEachImageAtOneOneInsideItsPanel) {
    const COLORREF marks[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255)};
    CDC* dcs[] = {&view->m_dcInput, &view->m_dcBinary, &view->m_dcPreview, &view->m_dcResult};
    QWidget* panels[] = {view->m_stcInput, view->m_stcBinary, view->m_stcPreview,
                         view->m_stcResult};
    for (int i = 0; i < 4; ++i) {
        dcs[i]->SetPixel(0, 0, marks[i]);
        dcs[i]->SetPixel(dcs[i]->Width() - 1, dcs[i]->Height() - 1, marks[i]);
    }
    view->update();
    const QImage shot = view->grab().toImage();
    for (int i = 0; i < 4; ++i) {
        auto* frame = static_cast<PanelFrame*>(panels[i]);
        const QPoint client = frame->mapTo(view.get(), frame->ClientRect().topLeft());
        const QRgb mark = ToQColor(marks[i]).rgb();
        EXPECT_EQ(At(shot, client + QPoint(1, 1)), mark) << i;
        EXPECT_NE(At(shot, client), mark) << i;  // the rim stays the frame's
        EXPECT_EQ(At(shot, client + QPoint(dcs[i]->Width(), dcs[i]->Height())), mark) << i;
        EXPECT_EQ(At(shot, client + QPoint(2, 1)), ToQColor(kFaceColor).rgb()) << i;
    }
}

TEST_F(ViewTest, InputPictureIsDrawnOneToOneAndCutAtTheImageEdges) {
    PutPicture(300, 10, 20, 30);
    doc->m_ppInputPlanes[0][0] = 200;  // red of pixel (0, 0)
    view->m_dcResult.SetPixel(3, 3, RGB(1, 2, 3));
    view->DrawInputImage();
    EXPECT_EQ(view->m_dcInput.GetPixel(0, 0), RGB(200, 20, 30));
    EXPECT_EQ(view->m_dcInput.GetPixel(261, 299), RGB(10, 20, 30));  // cut at the right
    EXPECT_EQ(view->m_dcInput.GetPixel(261, 300), kFaceColor);       // below the picture
    // The other three panels come out uniform.
    for (CDC* dc : {&view->m_dcBinary, &view->m_dcPreview, &view->m_dcResult}) {
        for (int y = 0; y < dc->Height(); y += 7)
            for (int x = 0; x < dc->Width(); x += 7)
                ASSERT_EQ(dc->GetPixel(x, y), kFaceColor);
    }

    PutPicture(20, 0, 0, 0);
    view->DrawInputImage();
    EXPECT_EQ(view->m_dcInput.GetPixel(19, 19), RGB(0, 0, 0));
    EXPECT_EQ(view->m_dcInput.GetPixel(20, 19), kFaceColor);  // the old picture is gone
}

}  // namespace
