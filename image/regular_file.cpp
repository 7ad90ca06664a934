#include "image/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "image/native_name.h"

RegularFileOpen OpenRegularFile(const QString& path, QFile& file) {
    const QByteArray name = NativeFromName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode))
        return RegularFileOpen::kNotRegularFile;
    // Non-blocking, so that even a pipe put in the file's place cannot hold the open.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return RegularFileOpen::kFailed;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return RegularFileOpen::kNotRegularFile;
    }
    // Reads of a regular file never wait; the descriptor goes back to ordinary reads.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    file.setFileName(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return RegularFileOpen::kFailed;
    }
    return RegularFileOpen::kOpened;
}
