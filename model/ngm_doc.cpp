#include "model/ngm_doc.h"

#include <utility>

CNGMDoc::CNGMDoc() = default;
CNGMDoc::~CNGMDoc() = default;

void CNGMDoc::SetPuzzle(Puzzle puzzle) {
    m_puzzle = std::move(puzzle);
    m_board = PlayBoard(m_puzzle.width, m_puzzle.height);
}

bool CNGMDoc::SetAnswer(std::vector<std::uint8_t> answer) {
    if (!HasPuzzle() || !GridMatchesClues(m_puzzle, answer))
        return false;
    m_puzzle.answer = std::move(answer);
    return true;
}
