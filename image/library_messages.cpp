#include "image/library_messages.h"

#include <fcntl.h>
#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <cstdio>
#include <mutex>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NGM_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define NGM_SANITIZED 1
#endif
#if defined(NGM_SANITIZED)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// The watch of this thread, innermost first.
thread_local LibraryMessages* t_watch = nullptr;

struct Silence {
    std::mutex mutex;
    int depth = 0;      // watches alive in the whole process
    int saved = -1;     // the standard error while it is silenced
    int terminal = -1;  // a lasting copy of the standard error, for the program's own messages
    QtMessageHandler previous = nullptr;
};

Silence& TheSilence() {
    static Silence s_silence;
    return s_silence;
}

void Handler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (t_watch) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            CountWarning(*t_watch);
        return;
    }
    if (QtMessageHandler previous = TheSilence().previous)
        previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

void CountWarning(LibraryMessages& watch) {
    ++watch.m_nWarnings;
}

int TerminalErrorDescriptor() {
    Silence& s = TheSilence();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.terminal < 0)
        s.terminal = ::fcntl(s.saved >= 0 ? s.saved : STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    return s.terminal;
}

LibraryMessages::LibraryMessages() : m_pOuter(t_watch) {
    static const bool s_installed = [] {
        TheSilence().previous = qInstallMessageHandler(Handler);
#if defined(NGM_SANITIZED)
        // A sanitizer's report of a fault while the standard error is silenced still shows.
        __sanitizer_set_report_fd(
            reinterpret_cast<void*>(static_cast<std::intptr_t>(TerminalErrorDescriptor())));
#endif
        return true;
    }();
    (void)s_installed;
    t_watch = this;
    Silence& s = TheSilence();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.depth++ == 0) {
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        s.saved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
        if (nowhere >= 0) {
            ::dup2(nowhere, STDERR_FILENO);
            ::close(nowhere);
        }
    }
}

LibraryMessages::~LibraryMessages() {
    t_watch = m_pOuter;
    Silence& s = TheSilence();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (--s.depth == 0 && s.saved >= 0) {
        ::dup2(s.saved, STDERR_FILENO);
        ::close(s.saved);
        s.saved = -1;
    }
}
