// The play board's view: the board image shown in four pieces so that the clues stay in view
// while the grid scrolls.  The corner above the row clues stays; the column clues move only
// sideways and the row clues only up and down, with the grid; clue areas larger than half the
// view scroll away first until only their part next to the grid is left.  Ctrl + wheel asks for
// a zoom.  Mouse presses and moves are left to the parent, which maps them with ImagePoint.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <optional>
#include <vector>

class BoardView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent);

    // The image shown (which must outlive its use here) and the top-left corner of its grid:
    // the row clues lie left of it, the column clues above it.
    void SetImage(const QImage* image, QPoint gridOrigin);
    // Called with each rectangle of the image just before it is painted, so that it can be
    // drawn first.
    void SetPrepare(std::function<void(const QRect&)> prepare) { m_prepare = std::move(prepare); }
    // Called before a paint of the whole viewport that no scroll asked for (a paint of the
    // window, a resize), so that the whole board can be drawn again first.
    void SetWholePaint(std::function<void()> wholePaint) { m_wholePaint = std::move(wholePaint); }

    // A piece of the view: the image rectangle shown with its top-left at `at` of the viewport.
    struct Piece {
        QRect source;
        QPoint at;
    };
    // The pieces the viewport shows now: corner, column clues, row clues, grid.
    std::vector<Piece> Pieces() const;
    // The image point a viewport point shows (or would show, beyond the viewport's edges).
    QPoint ImagePoint(QPoint viewportPoint) const;
    // Where the viewport shows an image point; none when it is scrolled out of sight or hidden
    // under the clues.
    std::optional<QPoint> ViewportPoint(QPoint imagePoint) const;
    // Repaints what the viewport shows of an image rectangle.
    void UpdateImageRect(const QRect& rect);
    // Scrolls the least that shows an image rectangle of the grid whole, if it fits.
    void EnsureVisible(const QRect& rect);
    void ScrollTo(QPoint scroll);
    QPoint Scroll() const;

signals:
    // Ctrl + wheel: steps up (positive) or down, at a viewport point.
    void ZoomRequested(int steps, QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // One axis of the view: the clue area's length g before the grid, the viewport's length v,
    // the scroll s.  The clue area shows from its offset t, the grid from the scroll.
    struct Axis {
        int clues = 0;
        int view = 0;
        int scroll = 0;
        int ClueOffset() const;
        int ClueEnd() const { return clues - ClueOffset(); }  // where the grid's part starts
        int ToImage(int v) const { return v < ClueEnd() ? v + ClueOffset() : v + scroll; }
    };
    Axis XAxis() const;
    Axis YAxis() const;
    void UpdateRanges();

    const QImage* m_image = nullptr;
    QPoint m_gridOrigin;
    std::function<void(const QRect&)> m_prepare;
    std::function<void()> m_wholePaint;
    bool m_scrolled = false;  // the next paint shows a scroll
    int m_wheelDelta = 0;
};
