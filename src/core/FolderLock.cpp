#include "core/FolderLock.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderLock::FolderLock(QString lockFilePath) : m_path(std::move(lockFilePath)) {}

FolderLock::~FolderLock() {
    unlock();
}

FolderLock::Result FolderLock::tryLock() {
    if (m_fd >= 0)
        return Result::Locked;
    const QByteArray name = QFile::encodeName(m_path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return Result::CannotWrite;
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
