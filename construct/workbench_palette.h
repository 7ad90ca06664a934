// The palette row of the workbench for a colour puzzle: a swatch for the background and for
// each colour 1..K.  The swatch chosen is the colour the editor's left button paints (the right
// button paints the background); "色を変更..." or a double click on a swatch changes the chosen
// colour in a colour dialog, a "固定" check keeps a colour through the next analyses, and
// "スポイト" takes the chosen colour from a pixel of the picture.  Hidden for black and white.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QHBoxLayout;
class QPushButton;
class QToolButton;
struct Puzzle;

class WorkbenchPalette : public QWidget {
    Q_OBJECT
public:
    explicit WorkbenchPalette(QWidget* parent = nullptr);
    // Shows the puzzle's palette, each colour in `locked` checked as kept; the choice stays
    // unless the puzzle has fewer colours.
    void Show(const Puzzle& puzzle, const std::vector<std::uint32_t>& locked);
    // The palette index chosen: 0 the background, 1..K a colour (1 at first).
    int Chosen() const { return m_chosen; }
    void Choose(int index);
    bool Picking() const;
    void StopPicking();

    // The parts, for the tests.
    QToolButton* Swatch(int index) const { return m_swatches.at(index); }
    QCheckBox* LockBox(int colour) const { return m_locks.at(colour - 1); }
    QPushButton* ChangeButton() const { return m_pChange; }
    QPushButton* PickButton() const { return m_pPick; }

protected:
    // A double click on a swatch chooses it and opens its colour dialog.
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The user chose a new colour 0xRRGGBB for the palette's entry.
    void colourChanged(int index, std::uint32_t rgb);
    // The user checked or cleared "固定" of colour 1..K.
    void lockToggled(int colour, bool locked);
    // The pick mode turned on or off.
    void pickingToggled(bool picking);

private:
    void OnChange();
    void Rebuild(int count);

    QHBoxLayout* m_pSwatchRow;
    QButtonGroup* m_pGroup;
    std::vector<QToolButton*> m_swatches;
    std::vector<QCheckBox*> m_locks;
    std::vector<std::uint32_t> m_palette;
    QPushButton* m_pChange;
    QPushButton* m_pPick;
    int m_chosen = 1;
};
