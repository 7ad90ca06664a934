// One session of making and playing a puzzle, without windows: the picture and its name, the
// information lines, the analysis settings and the last analysis with its binary image, the
// answer (the one place it is kept), the board the player marks, the verdict and the block
// choice last refused.  The window and ngm-cli make both read pictures and analyse here.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/analysis.h"
#include "model/picture.h"
#include "model/picture_loader.h"
#include "model/play_board.h"
#include "model/puzzle.h"
#include "session/answer_edits.h"
#include "session/play_board_hint.h"
#include "session/progress_store.h"
#include "session/verdict_text.h"
#include "solver/solver.h"

// Whoever reading a picture must ask or tell: the window asks the user in message boxes, the
// command line answers every question Yes and turns refusals into its error lines.
class PictureAsker {
public:
    virtual ~PictureAsker() = default;
    // The header is read and refuses nothing: the size and what decoding may take are known
    // before the data is decoded.
    virtual void HeaderRead(const PictureHeader& header, std::int64_t decodedBytes);
    // True to go on with a bitmap of fewer than 16 colour bits.
    virtual bool AskFewColorBits() = 0;
    // True to go on with a canvas larger than the input panel; asked once the canvas's size
    // lines are in the session's information text.
    virtual bool AskLargePicture() = 0;
    // name: the picture's, for the message of damaged data.
    virtual void Refuse(PictureRefusal refusal, const QString& name) = 0;
    // A refused picture with no picture before it: there is nothing to draw.
    virtual void TellTooSmall() {}
    // Shows `title` as the window's while a picture is read; returns the title it replaces.
    virtual QString ShowTitle(const QString& title) { return title; }
};

// How reading a picture ended.
enum class PictureIntake {
    kRead,       // the new picture is the session's
    kRefused,    // the picture is refused; the previous one goes on
    kAbandoned,  // declined at a question, empty, or no memory: the picture stays as it was
    kDamaged,    // its data is damaged: refused before any question
    // Only from ShowPicture, after a refusal:
    kKept,       // No to the question about the previous, large picture: nothing drawn
    kNoPicture,  // no previous picture to go on with
};

// What undoing or redoing an answer did.
enum class AnswerRestore {
    kNothing,   // no step
    kCells,     // the answer changed
    kAnalysed,  // the picture was analysed again with the step's settings, then the answer set
};

// The line and the title a picture is read under (a file chosen, the clipboard).
struct PictureNaming {
    QString infoLine;  // heads the picture's information lines in brackets; empty for none
    QString title;     // the window's title while it is read
    // A damaged picture takes the information text back to before the line, or only to
    // after it.
    bool lineStaysWhenDamaged = false;
};

// What a picture is read into.
enum class PictureReading {
    kPlanes,        // the colour planes, over those of the previous picture when of its size
    kFreshPlanes,   // the colour planes, newly allocated
    kGraySumsOnly,  // the gray sums alone, enough for its puzzles (Picture::SumsOnly)
};

// What became of an analysis's blocks.
enum class AnalysisEnd {
    kPuzzle,        // the blocks are the session's answer and puzzle
    kRefused,       // blocks smaller than a pixel, a choice not refused just before: tell it
    kRefusedAgain,  // the same choice refused again: the user has heard of it already
    kEmptyCrop,     // the crop holds no pixel of the picture: nothing to analyse, no puzzle
};

// The clock and the hints of the game on the session's board: kept with the board while the
// play dialog is closed, so that playing the puzzle again goes on where it stopped.
struct PlayTally {
    int seconds = 0;
    int hints = 0;
};

// A clear as the puzzle's record tells it.
struct ClearRecord {
    int clears = 0;         // this one included
    int bestSeconds = 0;    // the fastest, this one included
    int previousBest = -1;  // the fastest before this one; -1 for the first clear
    bool NewBest() const { return previousBest >= 0 && bestSeconds < previousBest; }
};

class PuzzleSession {
public:
    // The picture: loaded, stored from a drawing, or none.
    Picture& GetPicture() { return m_picture; }
    const Picture& GetPicture() const { return m_picture; }
    bool HasPicture() const { return !m_picture.IsEmpty(); }
    // The name its puzzle takes as title.
    QString& PictureName() { return m_pictureName; }
    const QString& PictureName() const { return m_pictureName; }
    void SetPictureName(const QString& name) { m_pictureName = name; }
    // Reads a picture: header, data, the questions, pixels.  The new picture replaces the
    // session's only once read whole, and takes the puzzle of the previous one away; the
    // canvas's size lines go to the information text before the size question.  The binary
    // image of a previous picture of another size is given back.
    PictureIntake ReadPicture(PictureLoader& loader, const QString& name, PictureAsker& asker,
                              PictureReading reading = PictureReading::kPlanes);
    // Names the picture about to be read in the information text and the title; a picture
    // then declined or damaged gives the title back, a damaged one the information text too.
    void NamePicture(const PictureNaming& naming, PictureAsker& asker);
    // ReadPicture as the window shows it.  Read whole, the picture takes `pictureName`.  After
    // a refusal the previous picture goes on: a large one is asked about again, and without
    // one the asker hears that there is nothing to draw.  A picture named before and not read
    // restores what NamePicture changed.
    PictureIntake ShowPicture(PictureLoader& loader, const QString& name,
                              const QString& pictureName, PictureAsker& asker);
    // Gives up the picture: a puzzle file stands on its own, and a batch does not keep one
    // picture while it reads the next.  The binary image stays, for the next analysis to reuse.
    void DropPicture();
    // A new picture: the puzzle, the verdict and the refused choice were the previous one's.
    void PictureChanged();
    // The drawing stored as the picture: its information lines and its name, which it returns;
    // the binary image of the picture before is given back.
    QString DrawingStored();
    // A puzzle read from a file in place of the picture and its puzzle: titled `name` unless
    // it has a title, with the file's information lines.  The binary image is given back.
    void TakePuzzle(Puzzle puzzle, const QString& name, const QString& fileName);

    // The information text, lines ended by CR LF.
    QString& Info() { return m_info; }
    const QString& Info() const { return m_info; }

    // The band and the blocks of the last analysis, or those set for the next one.
    AnalysisSettings& Settings() { return m_settings; }
    const AnalysisSettings& Settings() const { return m_settings; }
    // Play mode hides the solution: the window draws neither the binary image nor the blocks.
    bool TestMode() const { return m_testMode != 0; }
    void SetTestMode(bool testMode) { m_testMode = testMode ? 1 : 0; }
    std::int32_t& TestModeFlag() { return m_testMode; }
    // Analyses the picture with the settings (kept as the session's).  A puzzle made becomes
    // the answer, titled with the picture's name; a refused choice leaves no puzzle.  With
    // kAlways the binary image is sized to the canvas first (std::bad_alloc when it cannot be).
    // An answer edited by hand that the analysis replaces stays one step to undo.
    AnalysisEnd Analyze(const AnalysisSettings& settings,
                        BinaryImage binaryImage = BinaryImage::kIfNeeded);
    // The settings of the last analysis, whatever has been set for the next since.
    const AnalysisSettings& AnalysedSettings() const { return m_analysedSettings; }
    // The picture the analysis reads: the crop of the settings as a picture of its own (see
    // CroppedPicture), or the picture itself without a crop.  The binary image, the division
    // and the blocks are this picture's.
    const Picture& AnalysedPicture() const;
    // The last analysis: binary extent, division and blocks (its puzzle is the session's).
    const Analysis& LastAnalysis() const { return m_analysis; }
    const BlockDivision& Division() const { return m_analysis.division; }
    // The black and white of the canvas, kept between analyses (the largest part of memory).
    ColumnBuffer& BinaryBuffer() { return m_binary; }
    const ColumnBuffer& BinaryBuffer() const { return m_binary; }
    // The choice refused last for this picture, whose refusal has been told.
    const std::optional<BlockChoice>& RefusedChoice() const { return m_refusedChoice; }

    // The puzzle with its answer; 0 x 0 before an analysis.
    bool HasPuzzle() const { return m_puzzle.width > 0 && m_puzzle.height > 0; }
    const Puzzle& GetPuzzle() const { return m_puzzle; }
    // The answer, row by row, 0 empty and 1 filled (a colour puzzle's: 0 background and the
    // colours 1..K); empty for a puzzle read with clues only.
    const std::vector<std::uint8_t>& Answer() const { return m_puzzle.answer; }
    // The answer as blocks ([column][row], 1 filled), as an analysis gives them.
    ColumnBuffer AnswerBlocks() const;
    // Makes `puzzle` the session's, with a blank board of its size, a new game and no verdict.
    void SetPuzzle(Puzzle puzzle);
    void ClearPuzzle() { SetPuzzle(Puzzle{}); }
    // Gives a puzzle read with its clues only the answer found for it; the player's marks stay.
    // Nothing changes unless the answer is a grid of the puzzle's size that forms its clues.
    bool SetAnswer(std::vector<std::uint8_t> answer);
    // A new answer of the puzzle's size (cells changed by hand or by a suggestion): the clues
    // follow it, the title stays, and the answer before is one step to undo.  False, and
    // nothing changes, for a grid of another size.
    bool ChangeAnswer(const std::vector<std::uint8_t>& cells);
    // A tool applied to the whole answer, as one step to undo; false without an answer.
    bool ApplyTool(GridTool tool);
    // A stroke of the mouse: every cell it sets is one step to undo together.  StrokeCell
    // returns true when the cell changed.
    void BeginStroke();
    bool StrokeCell(CellPos cell, bool filled);
    // The same with the colour index the cell takes (0 = background, 1..K); StrokeCell of a
    // colour puzzle paints colour 1 or the background.
    bool StrokeColour(CellPos cell, int colour);
    void EndStroke();
    // A colour of a colour puzzle's palette (0 the background, 1..K) changed to 0xRRGGBB: the
    // cells and the clues keep their colour indices.  False for black and white or an index
    // outside the palette.
    bool SetPaletteColour(int index, std::uint32_t rgb);
    // Back and forth through the answers the edits, and the analyses that threw edits away,
    // left behind.  An answer of other analysis settings is analysed again first.
    AnswerRestore Undo();
    AnswerRestore Redo();
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    // True when the answer is no longer the one the analysis or the file gave.
    bool HandEdited() const { return m_puzzle.answer != m_givenAnswer; }
    // The answer now, with the settings of its analysis.
    AnswerState CurrentAnswer() const;
    // Counters that move whenever the picture, the analysis or the puzzle change, so that a
    // window can tell what it must draw again.
    std::uint64_t PictureSerial() const { return m_pictureSerial; }
    std::uint64_t AnalysisSerial() const { return m_analysisSerial; }
    std::uint64_t PuzzleSerial() const { return m_puzzleSerial; }
    // ChangeAnswer for cells a suggestion changed: the information text tells how many.
    bool ChangeCells(const std::vector<std::uint8_t>& cells, int changed);
    // The player's marks on the puzzle's cells.
    PlayBoard& Board() { return m_board; }
    const PlayBoard& Board() const { return m_board; }
    PlayTally& Tally() { return m_tally; }
    // Keeps the game of each puzzle and its clears in `store` (none: the game of the current
    // puzzle is kept only until another puzzle comes).  A puzzle coming into the session
    // resumes the game the store has of it.
    void UseProgressStore(ProgressStore* store) { m_store = store; }
    const ProgressStore* Progress() const { return m_store; }
    // The current game into the store, and the store into its file.
    void KeepProgress();
    // A clear of the current puzzle in `seconds` with `hints`, counted in its record; none
    // without a store.
    std::optional<ClearRecord> RecordClear(int seconds, int hints);
    // The hint for the board, nearest the cell `near` (see FindHint).
    std::optional<PlayHint> Hint(CellPos near) const { return FindHint(m_board, m_puzzle, near); }

    // The verdict on the current puzzle, once judged.
    const std::optional<SolveResult>& Verdict() const { return m_verdict; }
    // The verdict's label, or the warning for a puzzle too empty or too full to be a picture
    // (see FillProblemOf).
    VerdictLabel VerdictText() const;
    void SetVerdict(SolveResult result) { m_verdict = std::move(result); }
    void ClearVerdict() { m_verdict.reset(); }
    // Solves the current puzzle here and keeps the verdict.
    const SolveResult& Judge(const SolveOptions& options = {});

private:
    // The answer replaced, the puzzle's clues following it, without touching the history.
    void ReplaceAnswer(const std::vector<std::uint8_t>& cells);
    AnalysisEnd RunAnalysis(const AnalysisSettings& settings, BinaryImage binaryImage);
    AnswerRestore RestoreAnswer(const AnswerState& state);
    // The current game into the store's record of the puzzle (not yet written).
    void StashProgress();

    Picture m_picture;
    QString m_pictureName;
    QString m_info;
    // What a picture named and then not read gives back.
    struct Restore {
        QString info;
        QString title;
    };
    std::optional<Restore> m_restore;
    AnalysisSettings m_settings;
    std::int32_t m_testMode = 1;
    Analysis m_analysis;
    // The crop of the picture last analysed with one, kept while the picture and the crop
    // stay: each step of a dragged threshold analyses again.
    struct Cropped {
        PixelRect rect;
        Picture picture;
    };
    std::optional<Cropped> m_cropped;
    ColumnBuffer m_binary;
    std::optional<BlockChoice> m_refusedChoice;
    Puzzle m_puzzle;
    PlayBoard m_board;
    PlayTally m_tally;
    ProgressStore* m_store = nullptr;
    QByteArray m_progressKey;  // the store's key of the puzzle as it came
    std::optional<SolveResult> m_verdict;
    // The answer as the analysis or the file gave it, and the edits since.
    std::vector<std::uint8_t> m_givenAnswer;
    AnalysisSettings m_analysedSettings;
    AnswerHistory m_history;
    std::optional<AnswerState> m_strokeBefore;
    std::uint64_t m_pictureSerial = 0;
    std::uint64_t m_analysisSerial = 0;
    std::uint64_t m_puzzleSerial = 0;
};
