// The workbench ("作業台"): a window of its own beside the form, resizable and maximisable,
// showing the whole picture and every stage of its analysis at the window's size: the picture
// with its crop, the black and white, the answer grid as an editor, and the puzzle with
// readable clues.  It follows every analysis and every change of the answer, edits the answer
// through the session (strokes, tools, undo and redo), and sets the band, which the form's
// threshold controls follow.
#pragma once

#include <QPoint>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "session/answer_edits.h"

class CNGMView;
class PuzzleSession;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QToolButton;
class WorkbenchGridPane;
class WorkbenchImagePane;
class WorkbenchPalette;
class WorkbenchPuzzlePane;

class CWorkbench : public QWidget {
    Q_OBJECT
public:
    // The panes, for Enlarge.
    enum Pane { kPicture, kBinary, kEditor, kPuzzle, kNoPane = -1 };

    explicit CWorkbench(CNGMView* view);
    // Draws again what the session changed since the last time: the picture, the analysis,
    // the answer, the verdict.
    void Refresh();
    // Gives one pane the whole window; kNoPane shows all four.
    void Enlarge(int pane);
    int Enlarged() const { return m_enlarged; }

    // The parts, for the tests.
    WorkbenchImagePane* PicturePane() const { return m_pPicture; }
    WorkbenchImagePane* BinaryPane() const { return m_pBinary; }
    WorkbenchGridPane* Editor() const { return m_pEditor; }
    WorkbenchPuzzlePane* PuzzlePane() const { return m_pPuzzle; }
    QSpinBox* LowerSpin() const { return m_pLower; }
    QSpinBox* UpperSpin() const { return m_pUpper; }
    QToolButton* ToolButton(GridTool tool) const;
    QLabel* VerdictLabel() const { return m_pVerdict; }
    QPushButton* AutoButton() const { return m_pAuto; }
    QPushButton* TrimButton() const { return m_pTrim; }
    QComboBox* ColoursBox() const { return m_pColours; }
    WorkbenchPalette* Palette() const { return m_pPalette; }
    // A suggestion of the search for a unique puzzle: the answer it proposes, its changed
    // cells marked in the editor until 提案を採用 applies it (one step to undo) or the puzzle
    // changes.  An empty grid takes the marks away.
    void ShowSuggestion(std::vector<std::uint8_t> cells);
    QPushButton* AcceptButton() const { return m_pAccept; }
    // Sends the band typed or dragged to the analysis now, not after the pause it waits for.
    void FlushBand();

private:
    QWidget* MakeBandRow();
    QWidget* MakeToolRow();
    QGroupBox* Framed(const QString& title, QWidget* pane);
    void OnStroke(CellPos cell, bool filled);
    // A palette colour set (in its dialog or picked from the picture), and a colour's lock.
    void OnPaletteColour(int index, std::uint32_t rgb);
    void OnLock(int colour, bool on);
    void OnPicked(QPoint source);
    void OnTool(GridTool tool);
    void OnUndo();
    void OnRedo();
    void OnBandEdited();
    void OnCropDragged(std::optional<QRect> crop);
    void OnAutoBand();
    void OnTrim();
    void ShowBand(int lower, int upper);
    void UpdateCommands();

    CNGMView* m_pView;
    PuzzleSession& m_session;
    WorkbenchImagePane* m_pPicture;
    WorkbenchImagePane* m_pBinary;
    WorkbenchGridPane* m_pEditor;
    WorkbenchPuzzlePane* m_pPuzzle;
    QGroupBox* m_frames[4] = {};
    int m_enlarged = kNoPane;
    QSpinBox* m_pLower = nullptr;
    QSpinBox* m_pUpper = nullptr;
    QSlider* m_pLowerSlider = nullptr;
    QSlider* m_pUpperSlider = nullptr;
    QPushButton* m_pAuto = nullptr;
    QCheckBox* m_pInvert = nullptr;
    QPushButton* m_pTrim = nullptr;
    QComboBox* m_pColours = nullptr;
    WorkbenchPalette* m_pPalette = nullptr;
    QToolButton* m_pUndo = nullptr;
    QToolButton* m_pRedo = nullptr;
    QToolButton* m_tools[8] = {};
    QLabel* m_pVerdict = nullptr;
    QPushButton* m_pAccept = nullptr;
    std::vector<std::uint8_t> m_suggestion;
    // Typed or dragged bounds wait this long for the next before the analysis runs.
    QTimer m_bandPause;
    // What was drawn last, so that Refresh draws only what changed.
    std::uint64_t m_pictureSerial = ~0ull;
    std::uint64_t m_analysisSerial = ~0ull;
};
