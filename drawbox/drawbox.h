// The DrawBox editor: a modal dialog with a 260 x 260 drawing canvas, free-hand, line and
// point tools, a right-button polyline, pen size and RGB colour.  Its store command makes the
// drawing the document's picture and closes the dialog with OK.
#pragma once

#include <QDialog>
#include <cstdint>

#include "platform/form.h"
#include "platform/gdi.h"

class CNGMDoc;
class QPaintEvent;
class QProgressBar;
class ScrollCodeBar;

class CDrawbox : public QDialog {
    Q_OBJECT
public:
    // doc: the document whose picture a store replaces.
    explicit CDrawbox(CNGMDoc* doc, QWidget* pParent = nullptr);
    ~CDrawbox() override;

    // The controls of template 130 by id.
    const ControlMap& Controls() const { return m_controls; }
    QWidget* GetDlgItem(int id) const { return m_controls.Item(id); }

    // Handlers.  Mouse positions are in the dialog's client coordinates.
    int OnInitDialog();
    void OnLButtonDown(Qt::MouseButtons nFlags, CPoint point);
    void OnMouseMove(Qt::MouseButtons nFlags, CPoint point);
    void OnLButtonUp(Qt::MouseButtons nFlags, CPoint point);
    void OnRButtonDown(Qt::MouseButtons nFlags, CPoint point);
    // Paints the canvas or the swatch (target) from its off-screen image.
    void OnPaint(QWidget* target);
    void OnClear();
    void OnHScroll(int nSBCode, int nPos, ScrollCodeBar* pScrollBar);
    // Makes the drawing the document's picture and closes the dialog; without the memory for
    // it, says so and stays open with the drawing, the document's picture unchanged.
    void OnStore();

    // The drawing as it stands, in canvas coordinates.
    const CDC& CanvasImage() const { return m_dcCanvas; }
    COLORREF GetCanvasPixel(int x, int y) const { return m_dcCanvas.GetPixel(x, y); }
    // The colour the swatch shows.
    COLORREF SwatchColor() const { return m_crSwatch; }
    // The width the next user pen gets: the up-down's position, within 1..40.
    int PenWidth() const;
    // The drawing colour RGB(m_nRed, m_nGreen, m_nBlue).
    COLORREF SelectedColor() const;

    // The right-button polyline goes on for the whole run of the program; tests start it
    // afresh with this.
    static void ResetRightClickChain();

    // Members.
    PanelFrame* m_canvas = nullptr;
    PanelFrame* m_swatch = nullptr;
    std::int32_t m_nRed = 0;
    std::int32_t m_nGreen = 0;
    std::int32_t m_nBlue = 0;
    std::int32_t m_bFreeStroke = 0;
    std::int32_t m_bLineDrag = 0;
    CPoint m_ptLast;
    CPen m_penRubber;
    CPoint m_ptLineEnd;
    CPoint m_ptLineStart;
    QProgressBar* m_progress = nullptr;
    UpDownControl* m_spinPenSize = nullptr;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CPoint ToCanvas(CPoint point) const;
    // Draws a line with a new user pen and the whole-canvas clip.
    // Draws one line into the canvas image with the pen, raster mode and clip given, and puts
    // the image's mode and pen back.
    void StrokeLine(CPen& pen, int rop, const CRect& clip, CPoint from, CPoint to);
    void DrawUserLine(CPoint from, CPoint to);
    // Clip of the line tool: the canvas less its last two columns and rows.
    CRect LineClip() const;
    CRect WholeClip() const;
    // XORs the rubber band from the anchor to the band end into the drawing.
    void XorBand();
    // Ends a line drag whose capture was lost: the band goes, no line is drawn.
    void CancelLineDrag();
    void FillSwatch(COLORREF color);

    CNGMDoc* m_pDoc;
    ControlMap m_controls;
    bool m_bInitialized = false;
    CBitmap m_bmpCanvas;
    CDC m_dcCanvas;
    CBitmap m_bmpSwatch;
    CDC m_dcSwatch;
    COLORREF m_crSwatch = RGB(0, 0, 0);
};
