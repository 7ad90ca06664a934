// The games players leave and the clears they make, kept between runs of the program: for
// each puzzle (known by its clues and answer) the board's marks, the clock and the hints of
// the game in progress, and the fastest clear with the number of clears.  One file under the
// user's data folder, written whole and atomically; the least recently played puzzles leave
// it beyond a bound, and a damaged file is set aside with a message, never read in part.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/play_board.h"
#include "model/puzzle.h"

// What is kept of one puzzle.
struct PuzzleRecord {
    int width = 0;
    int height = 0;
    std::vector<Mark> marks;  // row by row; empty when no game is left
    bool checked = false;     // the game ended with an answer check
    int seconds = 0;          // the clock of the game left
    int hints = 0;            // the hints taken in it
    int bestSeconds = -1;     // the fastest clear; -1 before the first
    int clears = 0;           // how many times the puzzle was cleared
    int clearHints = 0;       // the hints taken in all the clears together
    bool HasGame() const;
    bool IsEmpty() const { return !HasGame() && clears == 0; }
    friend bool operator==(const PuzzleRecord&, const PuzzleRecord&) = default;
};

class ProgressStore {
public:
    // The puzzles kept at most: a store of these loads in a few milliseconds.
    static constexpr int kMaxPuzzles = 2000;
    // ngm/progress.dat in the user's data folder.
    static QString DefaultPath();
    // The key of a puzzle: a digest of its size, clues and answer, and of a colour puzzle's
    // palette and run colours too.
    static QByteArray KeyOf(const Puzzle& puzzle);

    // A store kept in the file at `path`; an empty path keeps it in memory only.
    explicit ProgressStore(QString path = {});
    // Reads the file.  A missing file is an empty store; a damaged one is renamed with
    // ".damaged" added, reported on standard error, and the store starts empty.
    void Load();
    // Writes the store if it changed since it was read or written; false, with a message on
    // standard error, when it cannot be written (the file before stays whole).
    bool Save();

    std::optional<PuzzleRecord> Find(const QByteArray& key) const;
    // Keeps the record as the puzzle's most recent; an empty record drops the puzzle.  The
    // least recently kept puzzle leaves beyond kMaxPuzzles.
    void Put(const QByteArray& key, PuzzleRecord record);
    int Size() const { return static_cast<int>(m_entries.size()); }
    const QString& Path() const { return m_path; }

private:
    struct Entry {
        PuzzleRecord record;
        QByteArray packed;        // the marks as written, `bits` each
        int bits = 2;             // 4 when a fill has a colour beyond the first
        std::uint64_t stamp = 0;  // larger: kept more recently
    };
    bool Read(QByteArray bytes);
    QByteArray Written() const;

    QString m_path;
    QHash<QByteArray, Entry> m_entries;
    std::uint64_t m_stamp = 0;
    bool m_changed = false;
};
