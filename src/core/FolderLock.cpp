#include "core/FolderLock.h"

#include "core/AtomicWrite.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

FolderLock::FolderLock(QString lockFilePath) : m_path(std::move(lockFilePath)) {}

FolderLock::~FolderLock() {
    unlock();
}

FolderLock::Result FolderLock::tryLock() {
    if (m_fd >= 0)
        return Result::Locked;
    const QByteArray name = QFile::encodeName(m_path);
    // Never through a link: the file's process number would be written
    // wherever it points. (Non-blocking, so a pipe put there does not hang.)
    const int fd =
        ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == ELOOP || errno == EISDIR)
            return Result::NotAFile;
        m_refusal = FileWriteOutcome::fromErrno(errno).reason();
        return Result::CannotWrite;
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Result::NotAFile;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EWOULDBLOCK) {
            ::close(fd);
            return Result::HeldElsewhere;
        }
        // A file system without locks (some network shares): the pupil can
        // still practise; only the guard against a second copy is lost.
    }
    // The process number is for a person looking at the folder; nothing
    // reads it back, so it is not flushed.
    const QByteArray pid = QByteArray::number(qint64(QCoreApplication::applicationPid())) + '\n';
    if (::ftruncate(fd, 0) == 0) {
        const ssize_t written = ::write(fd, pid.constData(), size_t(pid.size()));
        Q_UNUSED(written);
    }
    m_fd = fd;
    return Result::Locked;
}

void FolderLock::unlock() {
    if (m_fd < 0)
        return;
    ::close(m_fd); // closing the last descriptor of the file releases the lock
    m_fd = -1;
}
