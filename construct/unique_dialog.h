// The dialog "一意なパズルを探す": it runs the search for a puzzle with exactly one solution and
// lists what it finds, best first, in two lists: other thresholds and block counts, and the
// fewest cells to change.  Each entry shows a small picture of the puzzle it would make (the
// changed cells marked), its verdict and how far it is from the current puzzle.  Modeless: the
// window stays usable while it searches; the view closes its results when the puzzle changes.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "construct/unique_searcher.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;

class CUniqueDialog : public QDialog {
    Q_OBJECT
public:
    // Entries each list keeps.
    static constexpr int kListed = 20;

    explicit CUniqueDialog(QWidget* parent = nullptr);
    ~CUniqueDialog() override;

    // Searches from the picture's gray levels and the current puzzle, clearing the lists.
    void StartSearch(LevelPlane plane, SearchStart start, SearchShape shape = {});
    // Searches a colour puzzle, made from `picture` (the picture its analysis reads) with
    // `settings`, over its colour counts and block counts and for cell changes, clearing the
    // lists.  The picture is copied for the search.
    void StartColourSearch(const Picture& picture, const AnalysisSettings& settings,
                           const Puzzle& puzzle, int n);
    // The puzzle the results belong to is gone: the search stops and the lists empty.
    void CloseResults();
    // True while the lists belong to the current puzzle (searching or searched).
    bool HasCurrentResults() const { return m_bCurrent; }

    UniqueSearcher& Searcher() { return m_searcher; }
    QListWidget* BandList() const { return m_pBandList; }
    QListWidget* CellList() const { return m_pCellList; }
    QLabel* StatusLabel() const { return m_pStatus; }
    QLabel* CurrentLabel() const { return m_pCurrent; }
    QLabel* BandNote() const { return m_pBandNote; }
    QLabel* CellNote() const { return m_pCellNote; }
    QProgressBar* Progress() const { return m_pProgress; }
    QPushButton* ApplyButton() const { return m_pApply; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QPushButton* SearchAgainButton() const { return m_pAgain; }
    // The suggestion of a list entry, or null.
    const Suggestion* SuggestionAt(QListWidget* list, int row) const;

    // Applies the selected entry: the dialog closes and applyRequested carries it.
    void ApplySelected();

signals:
    void applyRequested(const Suggestion& suggestion);
    // The answer of the cell suggestion selected, or an empty grid when none is.
    void cellsChosen(const std::vector<std::uint8_t>& cells);
    // "探し直す": the view starts a search for the puzzle it shows now.
    void searchAgainRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // Empties both lists and their notes, and forgets the chosen suggestion.
    void ClearResults();
    void OnFound(const Suggestion& s);
    void OnFinished(const UniqueSearchSummary& summary);
    void ShowList(QListWidget* list, const std::vector<Suggestion>& entries);
    // The colour search's own list, and what its note says.
    void ShowColours(const ColourSearchResult& colours);
    QString ColourNote(const ColourSearchResult& colours) const;
    void SetRunning(bool running);
    void UpdateApply();
    std::vector<Suggestion>& EntriesOf(QListWidget* list);

    UniqueSearcher m_searcher;
    SearchStart m_start;
    bool m_bCurrent = false;
    bool m_bColour = false;  // the search is a colour puzzle's: colour counts, not bands
    std::vector<Suggestion> m_bands;
    std::vector<Suggestion> m_cells;
    std::optional<Suggestion> m_chosen;  // the entry selected in either list
    QLabel* m_pCurrent = nullptr;        // the settings and share searched from
    QLabel* m_pStatus = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QListWidget* m_pBandList = nullptr;
    QLabel* m_pBandNote = nullptr;
    QListWidget* m_pCellList = nullptr;
    QLabel* m_pCellNote = nullptr;
    QLabel* m_pBandHeading = nullptr;  // bands, or colour counts, and block counts
    QLabel* m_pCellHeading = nullptr;  // with the most cells the search changes
    QPushButton* m_pApply = nullptr;
    QPushButton* m_pCancel = nullptr;
    QPushButton* m_pAgain = nullptr;
};
