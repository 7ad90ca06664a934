#include "support/scripted_ui.h"

#include <QFileInfo>
#include <QPrinter>

ScriptedMessageBoxes::ScriptedMessageBoxes() {
    m_previous = SetMessageBoxHook([this](const QString& text, unsigned flags) {
        m_shown.push_back({text, flags});
        if (!m_answers.empty()) {
            const int answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        }
        return (flags & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    SetMessageBoxHook(std::move(m_previous));
}

QStringList ScriptedMessageBoxes::Texts() const {
    QStringList texts;
    for (const Shown& s : m_shown)
        texts << s.text;
    return texts;
}

ScriptedFileDialogs::ScriptedFileDialogs() {
    m_previous = SetFileDialogHook([this](const FileDialogRequest& request) {
        m_requests.push_back(request);
        if (m_paths.empty())
            return QString();
        QString path = m_paths.front();
        m_paths.pop_front();
        return path;
    });
}

ScriptedFileDialogs::~ScriptedFileDialogs() {
    SetFileDialogHook(std::move(m_previous));
}

ScriptedShellOpen::ScriptedShellOpen() {
    m_previous = SetShellOpenHook([this](const QString& path) {
        m_opened << path;
        return QFileInfo(path).isFile();
    });
}

ScriptedShellOpen::~ScriptedShellOpen() {
    SetShellOpenHook(std::move(m_previous));
}

ScriptedPrintDialogs::ScriptedPrintDialogs(const QString& pdfPath) : m_pdfPath(pdfPath) {
    m_previous = SetPrintDialogHook([this](QPrinter& printer) {
        ++m_count;
        if (m_pdfPath.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_pdfPath);
        return true;
    });
}

ScriptedPrintDialogs::~ScriptedPrintDialogs() {
    SetPrintDialogHook(std::move(m_previous));
}
