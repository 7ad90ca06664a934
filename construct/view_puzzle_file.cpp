// Opening a puzzle file in the view: the open dialog, reading the file, and the puzzle in the
// puzzle panel with its clues, the other panels blank, "プレイ(P)" enabled and the analysis's
// controls disabled (the file has no picture).  The verdict
// comes from the judge as after an analysis; a file with clues only takes the judge's
// solution as its answer when it is the only one.
#include <QFileInfo>

#include "construct/busy_cursor.h"
#include "construct/ngm_view.h"
#include "formats/puzzle_file.h"
#include "image/native_name.h"
#include "platform/shell.h"
#include "render/result_panel.h"
#include "res/dialog_template.h"
#include "session/ngm_doc.h"
#include "solver/solver.h"

namespace {

const char* const kCannotRead = QT_TRANSLATE_NOOP("CNGMView", "パズルファイルを読めません: ");
const char* const kSeveral = QT_TRANSLATE_NOOP(
    "CNGMView", "このパズルは答えが一つに決まりません。\nヒントに合うように塗れば正解です。");
const char* const kNone =
    QT_TRANSLATE_NOOP("CNGMView", "このパズルのヒントには、すべてを満たす塗り方がありません。");
const char* const kUndecided = QT_TRANSLATE_NOOP(
    "CNGMView",
    "このパズルの答えを時間内に求められませんでした。\nヒントに合うように塗れば正解です。");

}  // namespace

void CNGMView::OnOpenPuzzleFile() {
    FileDialogRequest request;
    request.caption = tr("パズルを開く");
    request.filter = tr("ﾊﾟｽﾞﾙﾌｧｲﾙ(*.non;*.xml) (*.non *.NON *.xml *.XML);;全てのファイル (*)");
    const QString path = RunFileDialog(nullptr, request);
    if (!path.isEmpty())
        OpenPuzzleFile(path);
}

bool CNGMView::OpenPuzzleFile(const QString& path) {
    BusyCursor busy;
    PuzzleReadResult read = ReadPuzzleFile(NativeFromName(path).toStdString());
    if (!read.ok) {
        QString text = tr(kCannotRead);
        if (read.line > 0)
            text += tr("%1 行目 ").arg(read.line);
        UserMessageBox(text + QString::fromStdString(read.error), MB_OK);
        return false;
    }
    const QFileInfo info(path);
    ShowPuzzle(std::move(read.puzzle), DisplayName(info.completeBaseName()),
               DisplayName(info.fileName()), DisplayName(info.absoluteFilePath()));
    return true;
}

void CNGMView::ShowPuzzle(Puzzle puzzle, const QString& name, const QString& line,
                          const QString& title) {
    // The puzzle stands on its own: the picture and the analysis before it are gone.
    ClearVerdict();
    m_session.TakePuzzle(std::move(puzzle), name, line);
    const Puzzle& shown = m_session.GetPuzzle();
    UpdateData();
    ScrollInfoToEnd();
    SetMainWindowTitle(QStringLiteral("NGM - [") + title + QStringLiteral("]"));

    EnsurePanelImages();
    m_dcInput.FillSolidRect(0, 0, m_nInputW, m_nInputH, kFaceColor);
    ClearAnalysisPanels();
    DrawPuzzle(m_dcResult, shown, PanelLayout(shown, m_nResultW, m_nResultH));
    RefreshZoom();
    EnableControls({IDC_PLAY}, true);
    // Nothing to analyse until a picture comes again.
    EnablePictureControls(false);
    update();
    JudgePuzzle();
}

void CNGMView::PlayPuzzle(Puzzle puzzle) {
    const QString title = QString::fromStdString(puzzle.title);
    ShowPuzzle(std::move(puzzle), title, title, title);
    OnPlay();
}

void CNGMView::AdoptSolution(const SolveResult& result) {
    if (m_pDoc->GetPuzzle().HasAnswer())
        return;
    switch (result.verdict) {
        case Verdict::Line:
        case Verdict::Unique:
            m_pDoc->SetAnswer(result.solution);
            return;
        case Verdict::Multiple:
            UserMessageBox(tr(kSeveral), MB_ICONINFORMATION);
            return;
        case Verdict::None:
            UserMessageBox(tr(kNone), MB_ICONINFORMATION);
            return;
        case Verdict::Timeout:
            UserMessageBox(tr(kUndecided), MB_ICONINFORMATION);
            return;
    }
}
