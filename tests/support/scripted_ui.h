// Stand-ins for the modal windows in tests: message boxes, file dialogs and the desktop's
// "open" record what they were asked and answer from a script, so that nothing blocks.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/message_box.h"
#include "platform/print_dialog.h"
#include "platform/shell.h"

// While alive, every message box is recorded and answered: from the queued answers first,
// else IDOK for an OK box and IDNO for a Yes/No box.
class ScriptedMessageBoxes {
public:
    struct Shown {
        QString text;
        unsigned flags;
    };
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    void Answer(int id) { m_answers.push_back(id); }
    const std::vector<Shown>& All() const { return m_shown; }
    QStringList Texts() const;
    int Count() const { return static_cast<int>(m_shown.size()); }
    void Clear() { m_shown.clear(); }

private:
    std::vector<Shown> m_shown;
    std::deque<int> m_answers;
    MessageBoxHook m_previous;
};

// While alive, file dialogs return the queued paths in order (an empty string: cancelled;
// nothing queued: cancelled) and record each request.
class ScriptedFileDialogs {
public:
    ScriptedFileDialogs();
    ~ScriptedFileDialogs();
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    void Choose(const QString& path) { m_paths.push_back(path); }
    const std::vector<FileDialogRequest>& Requests() const { return m_requests; }

private:
    std::deque<QString> m_paths;
    std::vector<FileDialogRequest> m_requests;
    FileDialogHook m_previous;
};

// While alive, the print dialog sends what is printed to the PDF file `pdfPath` (an empty path:
// the user cancels) and counts how often it was shown.
class ScriptedPrintDialogs {
public:
    explicit ScriptedPrintDialogs(const QString& pdfPath);
    ~ScriptedPrintDialogs();
    ScriptedPrintDialogs(const ScriptedPrintDialogs&) = delete;
    ScriptedPrintDialogs& operator=(const ScriptedPrintDialogs&) = delete;
    int Count() const { return m_count; }

private:
    QString m_pdfPath;
    int m_count = 0;
    PrintDialogHook m_previous;
};

// While alive, the desktop's "open" succeeds exactly for existing files and records the paths.
class ScriptedShellOpen {
public:
    ScriptedShellOpen();
    ~ScriptedShellOpen();
    ScriptedShellOpen(const ScriptedShellOpen&) = delete;
    ScriptedShellOpen& operator=(const ScriptedShellOpen&) = delete;
    const QStringList& Opened() const { return m_opened; }

private:
    QStringList m_opened;
    ShellOpenHook m_previous;
};
