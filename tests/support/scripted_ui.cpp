#include "support/scripted_ui.h"

#include <QFileInfo>
#include <QPrinter>

ScriptedMessageBoxes::ScriptedMessageBoxes()
    : ScopedHook([this](const QString& text, unsigned flags) {
          m_shown.push_back({text, flags});
          if (!m_answers.isEmpty())
              return m_answers.takeFirst();
          return (flags & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
      }) {}

QStringList ScriptedMessageBoxes::Texts() const {
    QStringList texts;
    for (const Shown& s : m_shown)
        texts << s.text;
    return texts;
}

ScriptedFileDialogs::ScriptedFileDialogs()
    : ScopedHook([this](const FileDialogRequest& request) {
          m_requests.push_back(request);
          return m_paths.isEmpty() ? QString() : m_paths.takeFirst();
      }) {}

ScriptedShellOpen::ScriptedShellOpen()
    : ScopedHook([this](const QString& path) {
          m_opened << path;
          return QFileInfo(path).isFile();
      }) {}

ScriptedPrintDialogs::ScriptedPrintDialogs(const QString& pdfPath)
    : ScopedHook([this](QPrinter& printer) {
          ++m_count;
          if (m_pdfPath.isEmpty())
              return false;
          printer.setOutputFormat(QPrinter::PdfFormat);
          printer.setOutputFileName(m_pdfPath);
          return true;
      }),
      m_pdfPath(pdfPath) {}
