// The bundled collection and the dialog that lists it: sixty different puzzles with one
// solution each at their stated difficulty; the player's clears shown from the saved games; a
// chosen puzzle and a newly made one handed over to be played.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <set>

#include "play/collection_dialog.h"
#include "solver/solver.h"

namespace {

TEST(Collection, SixtyDifferentPuzzlesWithOneSolutionAtTheirDifficulty) {
    const std::vector<CollectionPuzzle> collection = LoadPuzzleCollection();
    ASSERT_EQ(collection.size(), 60u);
    std::set<std::vector<std::uint8_t>> answers;
    int perDifficulty[6] = {};
    for (const CollectionPuzzle& entry : collection) {
        SCOPED_TRACE(entry.title.toStdString());
        const Puzzle& p = entry.puzzle;
        EXPECT_TRUE(p.width >= 5 && p.width <= 40 && p.height == p.width);
        const SolveResult r = Solve(p, {10.0});
        EXPECT_TRUE(r.verdict == Verdict::Line || r.verdict == Verdict::Unique);
        EXPECT_EQ(r.difficulty, entry.difficulty);
        EXPECT_EQ(p.title, entry.title.toStdString());
        answers.insert(p.answer);
        ++perDifficulty[entry.difficulty];
    }
    EXPECT_EQ(answers.size(), 60u);
    EXPECT_EQ(std::vector(perDifficulty + 1, perDifficulty + 6), std::vector(5, 12));
}

TEST(Collection, TheDialogShowsClearsAndHandsOverPuzzlesToPlay) {
    ProgressStore store;
    std::vector<Puzzle> played;
    CCollectionDialog dialog([&](Puzzle p) { played.push_back(std::move(p)); }, &store);
    QTreeWidget& list = *dialog.List();
    ASSERT_EQ(list.topLevelItemCount(), 60);
    const Puzzle second = LoadPuzzleCollection()[1].puzzle;
    store.Put(ProgressStore::KeyOf(second),
              {second.width, second.height, {}, false, 0, 0, 42, 2, 0});
    list.setCurrentItem(list.topLevelItem(1));
    dialog.PlayButton()->click();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].answer, second.answer);
    // The list is made again after a game: the clears are the store's.
    EXPECT_EQ(list.topLevelItem(1)->text(3), QStringLiteral("2"));
    EXPECT_EQ(list.topLevelItem(1)->text(4), QStringLiteral("42秒"));
    EXPECT_EQ(list.topLevelItem(0)->text(3), QString());

    dialog.SizeBox()->setValue(8);
    dialog.DifficultyBox()->setValue(2);
    dialog.MakeButton()->click();
    EXPECT_FALSE(dialog.MakeButton()->isEnabled());
    ASSERT_TRUE(dialog.Maker().WaitUntilFinished(60000));
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(std::pair(played[1].width, played[1].height), std::pair(8, 8));
    EXPECT_EQ(Solve(played[1]).difficulty, 2);
    EXPECT_TRUE(dialog.MakeButton()->isEnabled());
}

}  // namespace
