#include "session/puzzle_session.h"

#include <QCoreApplication>
#include <utility>
#include <variant>

#include "analysis/crop.h"
#include "image/square_canvas.h"
#include "session/fill_warning.h"

void PictureAsker::HeaderRead(const PictureHeader&, std::int64_t) {}

PictureIntake PuzzleSession::ReadPicture(PictureLoader& loader, const QString& name,
                                         PictureAsker& asker, PictureReading reading) {
    std::variant<PictureHeader, PictureRefusal> header = loader.ReadHeader();
    if (const PictureHeader* h = std::get_if<PictureHeader>(&header)) {
        asker.HeaderRead(*h, loader.DecodedBytes());
        if (const std::optional<PictureRefusal> refusal = loader.ReadData())
            header = *refusal;
    }
    if (const PictureRefusal* refusal = std::get_if<PictureRefusal>(&header)) {
        asker.Refuse(*refusal, name);
        if (*refusal == PictureRefusal::kDamaged)
            return PictureIntake::kDamaged;
        const bool onlyThisPicture =
            *refusal == PictureRefusal::kEmpty || *refusal == PictureRefusal::kOutOfMemory;
        return onlyThisPicture ? PictureIntake::kAbandoned : PictureIntake::kRefused;
    }
    const PictureHeader& h = std::get<PictureHeader>(header);
    if (h.Asks(PictureQuestion::kFewColorBits) && !asker.AskFewColorBits())
        return PictureIntake::kAbandoned;
    m_info += CanvasInfoLines(h.width, h.height, h.canvas.side);
    if (h.Asks(PictureQuestion::kLargerThanPanel) && !asker.AskLargePicture())
        return PictureIntake::kAbandoned;
    // A picture of the same canvas size is written into the planes of the previous one, which
    // spares allocating and first touching them.
    std::variant<Picture, PictureRefusal> pixels =
        reading == PictureReading::kGraySumsOnly ? loader.ReadGraySums()
        : reading == PictureReading::kPlanes     ? loader.ReadPixels(&m_picture)
                                                 : loader.ReadPixels();
    if (const PictureRefusal* refusal = std::get_if<PictureRefusal>(&pixels)) {
        asker.Refuse(*refusal, name);
        // Data that cannot be decoded is refused like a header; the memory is this picture's.
        return *refusal == PictureRefusal::kUnsupported ? PictureIntake::kRefused
                                                        : PictureIntake::kAbandoned;
    }
    m_picture = std::get<Picture>(std::move(pixels));
    PictureChanged();
    // The binary image was the previous picture's.  The next analysis writes one of the same
    // size over; one of another size is given back now and made anew then.
    if (m_binary.Columns() != m_picture.CanvasWidth() ||
        m_binary.Length() != m_picture.CanvasHeight())
        m_binary.Free();
    return PictureIntake::kRead;
}

void PuzzleSession::NamePicture(const PictureNaming& naming, PictureAsker& asker) {
    const QString infoBefore = m_info;
    if (!naming.infoLine.isEmpty())
        m_info += QStringLiteral("[") + naming.infoLine + QStringLiteral("]\r\n");
    const QString titleBefore = asker.ShowTitle(naming.title);
    m_restore = Restore{naming.lineStaysWhenDamaged ? m_info : infoBefore, titleBefore};
}

PictureIntake PuzzleSession::ShowPicture(PictureLoader& loader, const QString& name,
                                         const QString& pictureName, PictureAsker& asker) {
    const std::optional<Restore> restore = std::exchange(m_restore, std::nullopt);
    const PictureIntake read = ReadPicture(loader, name, asker);
    if (restore && (read == PictureIntake::kDamaged || read == PictureIntake::kAbandoned)) {
        asker.ShowTitle(restore->title);
        if (read == PictureIntake::kDamaged)
            m_info = restore->info;
    }
    if (read == PictureIntake::kRead)
        m_pictureName = pictureName;
    if (read != PictureIntake::kRefused)
        return read;
    if ((m_picture.CanvasWidth() > kPanelLimit || m_picture.CanvasHeight() > kPanelLimit) &&
        !asker.AskLargePicture())
        return PictureIntake::kKept;
    if (!HasPicture()) {
        asker.TellTooSmall();
        return PictureIntake::kNoPicture;
    }
    return PictureIntake::kRefused;
}

void PuzzleSession::DropPicture() {
    m_picture = Picture{};
    ++m_pictureSerial;
    m_cropped.reset();
}

void PuzzleSession::PictureChanged() {
    ClearPuzzle();
    m_cropped.reset();
    // A crop is a part of the picture it was drawn on, and the colours locked were its own.
    m_settings.crop.reset();
    m_settings.locked.clear();
    m_refusedChoice.reset();
    // The edits were the previous picture's.
    m_history.Clear();
    ++m_pictureSerial;
}

QString PuzzleSession::DrawingStored() {
    m_info += QStringLiteral("My Image\r\nXsize : 260px\r\nYsize : 260px\r\n");
    m_pictureName = QStringLiteral("Ro Rudav Izedo");
    m_binary.Free();
    PictureChanged();
    return m_pictureName;
}

void PuzzleSession::TakePuzzle(Puzzle puzzle, const QString& name, const QString& fileName) {
    DropPicture();
    m_binary.Free();
    m_pictureName = name;
    if (puzzle.title.empty())
        puzzle.title = name.toStdString();
    m_info += QStringLiteral("[") + fileName + QStringLiteral("]\r\n");
    m_info += QStringLiteral("Puzzle : %1x%2\r\n").arg(puzzle.width).arg(puzzle.height);
    m_refusedChoice.reset();
    m_history.Clear();
    SetPuzzle(std::move(puzzle));
}

const Picture& PuzzleSession::AnalysedPicture() const {
    return m_settings.crop && m_cropped ? m_cropped->picture : m_picture;
}

AnalysisEnd PuzzleSession::Analyze(const AnalysisSettings& settings, BinaryImage binaryImage) {
    if (HasPuzzle() && HandEdited())
        m_history.Record(CurrentAnswer());
    return RunAnalysis(settings, binaryImage);
}

AnalysisEnd PuzzleSession::RunAnalysis(const AnalysisSettings& settings, BinaryImage binaryImage) {
    m_settings = settings;
    m_analysedSettings = settings;
    ++m_analysisSerial;
    if (settings.crop) {
        // Clipped to the picture, so that the same part asked for twice is cut once.
        const std::optional<PixelRect> rect = ClipToPicture(m_picture, *settings.crop);
        if (!rect) {
            m_cropped.reset();
            m_analysis = Analysis{};
            ClearPuzzle();
            return AnalysisEnd::kEmptyCrop;
        }
        if (!m_cropped || m_cropped->rect != *rect)
            m_cropped = Cropped{*rect, CroppedPicture(m_picture, *rect)};
    }
    Picture& picture = settings.crop ? m_cropped->picture : m_picture;
    // The window's analysis writes the binary image and makes the gray sums along; a batch
    // counts straight from the sums it read.
    GraySums* gray = nullptr;
    if (binaryImage == BinaryImage::kAlways) {
        gray = &picture.gray;
        const int width = picture.CanvasWidth();
        const int height = picture.CanvasHeight();
        if (m_binary.Columns() != width || m_binary.Length() != height)
            m_binary.Allocate(width, height);
    }
    m_analysis = ::Analyze(picture, settings, m_binary, binaryImage, gray);
    if (m_analysis.Refused()) {
        // Blocks smaller than a pixel would smear the picture: no puzzle.  The refusal is told
        // once per choice, not again on every analysis that follows (each step of a dragged
        // threshold analyses).
        ClearPuzzle();
        if (m_refusedChoice == settings.blocks)
            return AnalysisEnd::kRefusedAgain;
        m_refusedChoice = settings.blocks;
        return AnalysisEnd::kRefused;
    }
    m_refusedChoice.reset();
    Puzzle puzzle = std::exchange(m_analysis.puzzle, Puzzle{});
    puzzle.title = m_pictureName.toStdString();
    SetPuzzle(std::move(puzzle));
    return AnalysisEnd::kPuzzle;
}

void PuzzleSession::SetPuzzle(Puzzle puzzle) {
    StashProgress();
    m_puzzle = std::move(puzzle);
    m_givenAnswer = m_puzzle.answer;
    m_board = PlayBoard(m_puzzle.width, m_puzzle.height, m_puzzle.ColourCount());
    m_tally = PlayTally{};
    m_verdict.reset();
    ++m_puzzleSerial;
    m_progressKey.clear();
    if (!m_store || !HasPuzzle())
        return;
    m_progressKey = ProgressStore::KeyOf(m_puzzle);
    if (const std::optional<PuzzleRecord> record = m_store->Find(m_progressKey)) {
        if (m_board.Resume(record->marks, record->checked))
            m_tally = PlayTally{record->seconds, record->hints};
    }
}

void PuzzleSession::StashProgress() {
    if (!m_store || m_progressKey.isEmpty())
        return;
    PuzzleRecord record = m_store->Find(m_progressKey).value_or(PuzzleRecord{});
    record.width = m_board.Width();
    record.height = m_board.Height();
    record.marks = m_board.Marks();
    record.checked = m_board.IsChecked();
    record.seconds = m_tally.seconds;
    record.hints = m_tally.hints;
    m_store->Put(m_progressKey, std::move(record));
}

void PuzzleSession::KeepProgress() {
    if (!m_store)
        return;
    StashProgress();
    m_store->Save();
}

std::optional<ClearRecord> PuzzleSession::RecordClear(int seconds, int hints) {
    if (!m_store || m_progressKey.isEmpty())
        return std::nullopt;
    PuzzleRecord record = m_store->Find(m_progressKey).value_or(PuzzleRecord{});
    ClearRecord clear{record.clears + 1, seconds, record.bestSeconds};
    if (record.bestSeconds >= 0)
        clear.bestSeconds = std::min(seconds, record.bestSeconds);
    record.clears = clear.clears;
    record.bestSeconds = clear.bestSeconds;
    record.clearHints += hints;
    record.width = m_board.Width();
    record.height = m_board.Height();
    m_store->Put(m_progressKey, std::move(record));
    return clear;
}

bool PuzzleSession::SetAnswer(std::vector<std::uint8_t> answer) {
    if (!HasPuzzle() || !GridMatchesClues(m_puzzle, answer))
        return false;
    m_puzzle.answer = std::move(answer);
    m_givenAnswer = m_puzzle.answer;
    ++m_puzzleSerial;
    return true;
}

void PuzzleSession::ReplaceAnswer(const std::vector<std::uint8_t>& cells) {
    std::vector<std::uint8_t> given = std::move(m_givenAnswer);
    Puzzle puzzle = m_puzzle.IsColour() ? Puzzle::FromColourGrid(m_puzzle.width, m_puzzle.height,
                                                                 cells, m_puzzle.palette)
                                        : Puzzle::FromGrid(m_puzzle.width, m_puzzle.height, cells);
    puzzle.title = m_puzzle.title;
    SetPuzzle(std::move(puzzle));
    m_givenAnswer = std::move(given);
}

bool PuzzleSession::ChangeAnswer(const std::vector<std::uint8_t>& cells) {
    if (!HasPuzzle() || cells.size() != static_cast<std::size_t>(m_puzzle.CellCount()))
        return false;
    m_history.Record(CurrentAnswer());
    ReplaceAnswer(cells);
    return true;
}

bool PuzzleSession::ApplyTool(GridTool tool) {
    if (!HasPuzzle() || !m_puzzle.HasAnswer())
        return false;
    return ChangeAnswer(
        ApplyGridTool(tool, m_puzzle.width, m_puzzle.height, m_puzzle.answer, m_puzzle.IsColour()));
}

void PuzzleSession::BeginStroke() {
    m_strokeBefore = CurrentAnswer();
}

bool PuzzleSession::StrokeCell(CellPos cell, bool filled) {
    if (m_puzzle.HasAnswer() && !m_puzzle.IsColour() && cell.column >= 0 &&
        cell.column < m_puzzle.width && cell.row >= 0 && cell.row < m_puzzle.height &&
        (m_puzzle.AnswerAt(cell.column, cell.row) != 0) == filled) {
        return false;
    }
    return StrokeColour(cell, filled ? 1 : 0);
}

bool PuzzleSession::StrokeColour(CellPos cell, int colour) {
    if (!m_puzzle.HasAnswer() || cell.column < 0 || cell.row < 0 || cell.column >= m_puzzle.width ||
        cell.row >= m_puzzle.height || colour < 0 || colour > m_puzzle.ColourCount() ||
        m_puzzle.AnswerAt(cell.column, cell.row) == colour) {
        return false;
    }
    std::vector<std::uint8_t> cells = m_puzzle.answer;
    cells[static_cast<std::size_t>(cell.row) * m_puzzle.width + cell.column] =
        static_cast<std::uint8_t>(colour);
    ReplaceAnswer(cells);
    return true;
}

bool PuzzleSession::SetPaletteColour(int index, std::uint32_t rgb) {
    if (!m_puzzle.IsColour() || index < 0 || index > m_puzzle.ColourCount())
        return false;
    m_puzzle.palette[static_cast<std::size_t>(index)] = rgb & 0xffffffu;
    ++m_puzzleSerial;
    return true;
}

void PuzzleSession::EndStroke() {
    if (m_strokeBefore && m_strokeBefore->cells != m_puzzle.answer &&
        m_strokeBefore->width == m_puzzle.width && m_strokeBefore->height == m_puzzle.height) {
        m_history.Record(std::move(*m_strokeBefore));
    }
    m_strokeBefore.reset();
}

AnswerState PuzzleSession::CurrentAnswer() const {
    return {m_analysedSettings, m_puzzle.width, m_puzzle.height, m_puzzle.answer};
}

AnswerRestore PuzzleSession::Undo() {
    EndStroke();
    const std::optional<AnswerState> state = m_history.Undo(CurrentAnswer());
    return state ? RestoreAnswer(*state) : AnswerRestore::kNothing;
}

AnswerRestore PuzzleSession::Redo() {
    EndStroke();
    const std::optional<AnswerState> state = m_history.Redo(CurrentAnswer());
    return state ? RestoreAnswer(*state) : AnswerRestore::kNothing;
}

AnswerRestore PuzzleSession::RestoreAnswer(const AnswerState& state) {
    AnswerRestore done = AnswerRestore::kCells;
    if (HasPicture() && !(state.settings == m_analysedSettings)) {
        RunAnalysis(state.settings, BinaryImage::kAlways);
        done = AnswerRestore::kAnalysed;
    }
    if (m_puzzle.width == state.width && m_puzzle.height == state.height)
        ReplaceAnswer(state.cells);
    return done;
}

bool PuzzleSession::ChangeCells(const std::vector<std::uint8_t>& cells, int changed) {
    if (!ChangeAnswer(cells))
        return false;
    m_info += QCoreApplication::translate("PuzzleSession", "変更マス : %1\r\n").arg(changed);
    return true;
}

ColumnBuffer PuzzleSession::AnswerBlocks() const {
    ColumnBuffer blocks;
    if (!m_puzzle.HasAnswer())
        return blocks;
    blocks.Allocate(m_puzzle.width, m_puzzle.height);
    for (int i = 0; i < m_puzzle.width; ++i) {
        for (int j = 0; j < m_puzzle.height; ++j)
            blocks[i][j] = m_puzzle.AnswerAt(i, j) ? 1 : 0;
    }
    return blocks;
}

VerdictLabel PuzzleSession::VerdictText() const {
    if (!m_verdict)
        return {};
    return WarnedVerdict(FillProblemOf(m_puzzle), DescribeVerdict(*m_verdict));
}

const SolveResult& PuzzleSession::Judge(const SolveOptions& options) {
    m_verdict = Solve(m_puzzle, options);
    return *m_verdict;
}
