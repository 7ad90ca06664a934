#include "formats/file_writing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "image/native_name.h"

namespace {

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// One file on its way: its temporary file, and a second name of the old file kept until all
// are in place.
struct Pending {
    QByteArray target;     // the name replaced; a symbolic link's target, not the link
    QByteArray temporary;  // written and complete
    QByteArray backup;     // a hard link to the old file, or empty
    bool existed = false;  // an old file was there
    bool replaced = false;
};

// A name beside `target` that no other writer picks: the process, a counter and the time.
QByteArray TemporaryName(const QByteArray& target, const char* kind) {
    static std::atomic<unsigned> s_counter{0};
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray dir = slash < 0 ? QByteArray() : target.left(slash + 1);
    const QByteArray name = target.mid(slash + 1).left(64);
    return dir + '.' + name + '.' + kind + '-' + QByteArray::number(getpid()) + '-' +
           QByteArray::number(s_counter.fetch_add(1)) + '-' +
           QByteArray::number(static_cast<qulonglong>(std::rand()));
}

// The name to replace: a symbolic link is followed, so that the file it names is written and
// the link stays.  Refuses what is not a regular file.
QString Target(const QString& path, QByteArray& target) {
    target = NativeFromName(path);
    struct stat status {};
    if (::stat(target.constData(), &status) != 0)
        return errno == ENOENT ? QString() : SystemReason(errno);
    if (!S_ISREG(status.st_mode))
        return QCoreApplication::translate("FileWriting", "通常のファイルではありません");
    // A file its owner made read-only stays as it is, though the folder would let it go.
    if (::access(target.constData(), W_OK) != 0)
        return SystemReason(errno);
    struct stat link {};
    if (::lstat(target.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(target.constData(), resolved))
            target = resolved;
    }
    return QString();
}

// Writes the bytes to a new temporary file beside the target, with the old file's permissions
// (a new file's come from the process's mask).
QString WriteTemporary(Pending& p, const QByteArray& bytes) {
    struct stat old {};
    p.existed = ::stat(p.target.constData(), &old) == 0;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        p.temporary = TemporaryName(p.target, "new");
        fd = ::open(p.temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return SystemReason(errno);
    }
    if (fd < 0)
        return SystemReason(EEXIST);
    if (p.existed)
        ::fchmod(fd, old.st_mode & 07777);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            ::close(fd);
            ::unlink(p.temporary.constData());
            p.temporary.clear();
            return SystemReason(error);
        }
        done += n;
    }
    const bool synced = ::fdatasync(fd) == 0;
    const int error = errno;
    if (::close(fd) != 0 || !synced) {
        ::unlink(p.temporary.constData());
        p.temporary.clear();
        return SystemReason(synced ? errno : error);
    }
    return QString();
}

// Puts the files written back as they were: the new ones removed, the old ones returned.
void Undo(std::vector<Pending>& pending) {
    for (Pending& p : pending) {
        if (p.replaced) {
            // An old file without a second name cannot come back: the new one then stays.
            if (!p.backup.isEmpty())
                ::rename(p.backup.constData(), p.target.constData());
            else if (!p.existed)
                ::unlink(p.target.constData());
        } else if (!p.temporary.isEmpty()) {
            ::unlink(p.temporary.constData());
        }
        if (!p.replaced && !p.backup.isEmpty())
            ::unlink(p.backup.constData());
    }
}

}  // namespace

QString SaveFilesAtomically(const std::vector<FileToWrite>& files) {
    std::vector<Pending> pending(files.size());
    const auto failed = [&](std::size_t i, const QString& reason) {
        Undo(pending);
        return DisplayName(QFileInfo(files[i].path).fileName()) + QStringLiteral(": ") + reason;
    };
    // Every name is checked and every file written before any is replaced.
    for (std::size_t i = 0; i < files.size(); ++i) {
        QString reason = Target(files[i].path, pending[i].target);
        if (reason.isEmpty())
            reason = WriteTemporary(pending[i], files[i].bytes);
        if (!reason.isEmpty())
            return failed(i, reason);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        Pending& p = pending[i];
        // With more files to come, the old file keeps a second name until all are in place.
        if (files.size() > 1 && p.existed) {
            const QByteArray backup = TemporaryName(p.target, "old");
            if (::link(p.target.constData(), backup.constData()) == 0)
                p.backup = backup;
        }
        if (::rename(p.temporary.constData(), p.target.constData()) != 0)
            return failed(i, SystemReason(errno));
        p.replaced = true;
    }
    for (Pending& p : pending)
        if (!p.backup.isEmpty())
            ::unlink(p.backup.constData());
    return QString();
}

QString SaveFileAtomically(const QString& path, const QByteArray& bytes) {
    const QString failed = SaveFilesAtomically({{path, bytes}});
    if (failed.isEmpty())
        return failed;
    // The reason alone: the caller names the file.
    const qsizetype colon = failed.indexOf(QStringLiteral(": "));
    return failed.mid(colon + 2);
}
