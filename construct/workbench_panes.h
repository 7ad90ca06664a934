// The panes of the workbench: an image scaled to its pane (the picture, with the crop the user
// drags, and its black and white), the answer grid the user edits with the mouse, and the
// puzzle with its clues.  Each paints from images it keeps, made again only when what they
// show or the pane's size changes.
#pragma once

#include <QImage>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "render/workbench_drawing.h"

class PuzzleSession;
class QPainter;

// A double click on any pane asks the workbench to give it the whole window, or back.
class WorkbenchPane : public QWidget {
    Q_OBJECT
public:
    explicit WorkbenchPane(QWidget* parent = nullptr);

signals:
    void enlargeToggled();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void FillBackground(QPainter& painter);
};

// An image scaled to fit the pane, kept at the pane's size: scaled fast while the pane is being
// resized, smoothly once it rests.  With a crop, a rectangle over the image (in pixels of the
// source, sourceSize) that the mouse moves by its inside and resizes by its edges and corners;
// a drag outside it draws a new one.
class WorkbenchImagePane : public WorkbenchPane {
    Q_OBJECT
public:
    explicit WorkbenchImagePane(QWidget* parent = nullptr);
    // The image and the size of what it shows, in source pixels.
    void SetImage(QImage image, QSize sourceSize);
    void SetCropEnabled(bool enabled) { m_cropEnabled = enabled; }
    void SetCrop(std::optional<QRect> crop);
    const std::optional<QRect>& Crop() const { return m_crop; }
    bool Dragging() const { return m_dragEdges != 0; }
    // Where the image is drawn in the pane.
    QRect ImageRect() const { return m_imageRect; }
    // While picking, a left click (at any time a Ctrl+click) picks the pixel under it.
    void SetPicking(bool picking);

signals:
    // A drag of the crop has ended with this rectangle (none: the whole picture).
    void cropChanged(std::optional<QRect> crop);
    // The source pixel picked.
    void pointPicked(QPoint source);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Rescale(Qt::TransformationMode mode);
    QPoint ToSource(QPoint p) const;
    QRect ToPane(QRect r) const;
    // The edges of the crop near a point: bits 1 left, 2 top, 4 right, 8 bottom; 15 inside.
    int EdgesAt(QPoint p) const;

    QImage m_image;
    QSize m_sourceSize;
    QImage m_scaled;
    QRect m_imageRect;
    QTimer m_smooth;
    bool m_cropEnabled = false;
    bool m_picking = false;
    std::optional<QRect> m_crop;
    // The drag: the edges it moves (0 none), where it started and the crop then.
    int m_dragEdges = 0;
    QPoint m_dragFrom;
    QRect m_cropFrom;
};

// The answer grid: a left drag fills cells, a right drag empties them, each drag reported as
// one stroke.  The undecided cells of the verdict and the cells of a suggestion are marked.
class WorkbenchGridPane : public WorkbenchPane {
    Q_OBJECT
public:
    WorkbenchGridPane(const PuzzleSession& session, QWidget* parent = nullptr);
    GridPlacement Placement() const;
    // Cells a suggestion would change (row by row, 1 fill, 2 empty); empty for none.
    void SetChanges(std::vector<std::uint8_t> changes);

signals:
    void strokeStarted();
    void cellStroked(CellPos cell, bool filled);
    void strokeEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Strokes every cell on the way from the last cell to the one under p.
    void StrokeTo(QPoint p);

    const PuzzleSession& m_session;
    std::vector<std::uint8_t> m_changes;
    std::optional<bool> m_fill;  // while a stroke goes on: filling or emptying
    std::optional<CellPos> m_last;
};

// The blank puzzle with its clues, as large as the pane allows; where the cells are too small
// for the numbers to be read, the pane says so instead of drawing them.
class WorkbenchPuzzlePane : public WorkbenchPane {
    Q_OBJECT
public:
    WorkbenchPuzzlePane(const PuzzleSession& session, QWidget* parent = nullptr);
    // Draws the session's puzzle again into the kept image.
    void Redraw();
    const QImage& Image() const { return m_image; }
    const FittedBoard& Board() const { return m_board; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const PuzzleSession& m_session;
    QImage m_image;
    FittedBoard m_board;
    ClueGlyphs m_glyphs;
};
