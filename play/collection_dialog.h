// 機能 → パズル集: the bundled puzzles with the player's clears and best times, to play one;
// and 新しいパズル: a random puzzle of a chosen size and difficulty with one solution, made in
// the background and played at once.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "play/puzzle_collection.h"
#include "session/background_task.h"
#include "session/progress_store.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;

class CCollectionDialog : public QDialog {
    Q_OBJECT
public:
    // play: shows a puzzle in the window and plays it; store: the clears and best times
    // shown, none for no columns of them filled.
    CCollectionDialog(std::function<void(Puzzle)> play, const ProgressStore* store,
                      QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_list; }
    QPushButton* PlayButton() const { return m_play; }
    QSpinBox* SizeBox() const { return m_size; }
    QSpinBox* DifficultyBox() const { return m_difficulty; }
    QPushButton* MakeButton() const { return m_make; }
    QLabel* Status() const { return m_status; }
    BackgroundTask& Maker() { return m_maker; }

private:
    void FillList();
    void PlayChosen();
    void MakeNew();
    void Made(std::optional<Puzzle> puzzle, int size, int difficulty);

    std::function<void(Puzzle)> m_playPuzzle;
    const ProgressStore* m_store;
    std::vector<CollectionPuzzle> m_collection;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_play = nullptr;
    QSpinBox* m_size = nullptr;
    QSpinBox* m_difficulty = nullptr;
    QPushButton* m_make = nullptr;
    QLabel* m_status = nullptr;
    BackgroundTask m_maker{this};
};
