// Stand-ins for the modal windows in tests: message boxes, file dialogs and the desktop's
// "open" record what they were asked and answer from a script, so that nothing blocks.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "platform/message_box.h"
#include "platform/print_dialog.h"
#include "platform/shell.h"

// While alive, `Set`'s hook is the one given; the hook before it comes back at the end.
template <class Hook, Hook (*Set)(Hook)>
class ScopedHook {
public:
    explicit ScopedHook(Hook hook) : m_previous(Set(std::move(hook))) {}
    ~ScopedHook() { Set(std::move(m_previous)); }
    ScopedHook(const ScopedHook&) = delete;
    ScopedHook& operator=(const ScopedHook&) = delete;

private:
    Hook m_previous;
};

// While alive, every message box is recorded and answered: from the queued answers first,
// else IDOK for an OK box and IDNO for a Yes/No box.
class ScriptedMessageBoxes : ScopedHook<MessageBoxHook, SetMessageBoxHook> {
public:
    struct Shown {
        QString text;
        unsigned flags;
    };
    ScriptedMessageBoxes();

    void Answer(int id) { m_answers.push_back(id); }
    const std::vector<Shown>& All() const { return m_shown; }
    QStringList Texts() const;
    int Count() const { return static_cast<int>(m_shown.size()); }
    void Clear() { m_shown.clear(); }

private:
    std::vector<Shown> m_shown;
    QList<int> m_answers;
};

// While alive, file dialogs return the queued paths in order (an empty string: cancelled;
// nothing queued: cancelled) and record each request.
class ScriptedFileDialogs : ScopedHook<FileDialogHook, SetFileDialogHook> {
public:
    ScriptedFileDialogs();

    void Choose(const QString& path) { m_paths.push_back(path); }
    const std::vector<FileDialogRequest>& Requests() const { return m_requests; }

private:
    QStringList m_paths;
    std::vector<FileDialogRequest> m_requests;
};

// While alive, the print dialog sends what is printed to the PDF file `pdfPath` (an empty path:
// the user cancels) and counts how often it was shown.
class ScriptedPrintDialogs : ScopedHook<PrintDialogHook, SetPrintDialogHook> {
public:
    explicit ScriptedPrintDialogs(const QString& pdfPath);
    int Count() const { return m_count; }

private:
    QString m_pdfPath;
    int m_count = 0;
};

// While alive, the desktop's "open" succeeds exactly for existing files and records the paths.
class ScriptedShellOpen : ScopedHook<ShellOpenHook, SetShellOpenHook> {
public:
    ScriptedShellOpen();
    const QStringList& Opened() const { return m_opened; }

private:
    QStringList m_opened;
};
