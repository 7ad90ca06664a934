// The colours a colour puzzle's player fills with: a row of swatches, one for each colour
// 1..K in its RGB, the chosen one outlined.  A click on a swatch chooses its colour.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

class ColourPalette : public QWidget {
    Q_OBJECT
public:
    // Side of a swatch and the gap between two, in pixels.
    static constexpr int kSwatch = 22;
    static constexpr int kGap = 4;

    explicit ColourPalette(QWidget* parent);

    // The colours 1..K as 0xRRGGBB; the first is chosen.
    void SetColours(std::vector<std::uint32_t> colours);
    int ColourCount() const { return static_cast<int>(m_colours.size()); }
    // The chosen colour, 1..K.
    int Chosen() const { return m_chosen; }
    // Chooses a colour of the palette; a number outside 1..K changes nothing.
    void Choose(int colour);
    // The swatches in rows of as many as `width` pixels hold, the widget sized to them.
    void FitWidth(int width);
    // Where the swatch of a colour 1..K lies in the widget.
    QRect SwatchRect(int colour) const;

signals:
    void ColourChosen(int colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::vector<std::uint32_t> m_colours;
    int m_chosen = 1;
    int m_perRow = 1;
};
