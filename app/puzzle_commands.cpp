// The File menu's puzzle commands: export to a file in the format its name asks for, and print
// the puzzle and its answer.  Both show the verdict of the judge, waiting for it if need be.
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>

#include "app/main_frame.h"
#include "construct/busy_cursor.h"
#include "construct/ngm_view.h"
#include "construct/verdict_judge.h"
#include "formats/puzzle_export.h"
#include "formats/puzzle_sheet.h"
#include "platform/message_box.h"
#include "platform/print_dialog.h"
#include "platform/shell.h"
#include "res/dialog_template.h"
#include "session/ngm_doc.h"

namespace {

const char* const kCannotWrite =
    QT_TRANSLATE_NOOP("CMainFrame", "ファイルに書き込めませんでした。");
const char* const kUnknownType =
    QT_TRANSLATE_NOOP("CMainFrame",
                      "ファイルの種類がわかりません。\n名前の終わりを .non、.xml、.png、.pdf "
                      "のどれかにしてください。");

// Longest wait for a verdict still being judged; a puzzle the solver gives up on takes less.
constexpr int kVerdictWaitMs = 10000;

}  // namespace

void CMainFrame::UpdatePuzzleCommands() {
    const bool puzzle = m_pDoc->HasPuzzle();
    for (int id : {ID_PUZZLE_EXPORT, ID_FILE_PRINT}) {
        if (QAction* a = Action(id))
            a->setEnabled(puzzle);
    }
}

namespace {

// The verdict line of the status bar once the judge has delivered it.
QString VerdictLine(CNGMView& view, const QLabel& pane) {
    if (view.Judge()->Busy())
        view.Judge()->WaitUntilDelivered(kVerdictWaitMs);
    return pane.text();
}

}  // namespace

void CMainFrame::OnExportPuzzle() {
    if (!m_pDoc->HasPuzzle())
        return;
    const Puzzle& puzzle = m_pDoc->GetPuzzle();
    FileDialogRequest request;
    request.save = true;
    request.caption = tr("パズルをエクスポート");
    request.filter = tr("パズル (*.non);;XMLパズル (*.xml);;PNG画像 (*.png);;PDF (*.pdf)");
    request.defaultSuffix = QStringLiteral("non");
    request.fileName = QString::fromStdString(puzzle.title);
    const QString path = RunFileDialog(this, request);
    if (path.isEmpty())
        return;
    const std::optional<PuzzleFileFormat> format = PuzzleFormatOfPath(path.toStdString());
    if (!format) {
        AppMessageBox(tr(kUnknownType), MB_OK);
        return;
    }
    const QString verdict = VerdictLine(*m_pView, *m_pVerdictPane);
    BusyCursor busy;
    const QString failed = WriteExportFiles(ExportFiles(puzzle, *format, path, verdict));
    if (!failed.isEmpty())
        UserMessageBox(tr(kCannotWrite) + QStringLiteral("\n") + failed, MB_OK);
}

void CMainFrame::OnPrintPuzzle() {
    if (!m_pDoc->HasPuzzle())
        return;
    const Puzzle& puzzle = m_pDoc->GetPuzzle();
    const QString title = QString::fromStdString(puzzle.title);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(title);
    if (!RunPrintDialog(this, printer))
        return;
    const QString verdict = VerdictLine(*m_pView, *m_pVerdictPane);
    BusyCursor busy;
    PaintPuzzlePages(printer, puzzle, title, verdict);
}
