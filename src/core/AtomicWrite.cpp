#include "core/AtomicWrite.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// New files get the permissions the old writers gave them; a replaced file
// keeps its own.
constexpr mode_t NewFileMode = 0644;

// Writes every byte, taking short writes and interruptions as they come;
// the errno of the write that failed, or 0.
int writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        left -= written;
    }
    return 0;
}

// The errno of a close that failed (some file systems report a full disk
// only then), or 0.
int closeChecked(int fd) {
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

} // namespace

bool FileWriteOutcome::diskFull() const {
    return problem == Problem::SystemError && (systemError == ENOSPC || systemError == EDQUOT);
}

QString FileWriteOutcome::reason() const {
    switch (problem) {
    case Problem::None:
        return QString();
    case Problem::NotAFile:
        return QStringLiteral("something that is not a plain file (a link to another place, or a "
                              "folder) stands where the file should be");
    case Problem::SystemError:
        break;
    }
    switch (systemError) {
    case ENOSPC:
        return QStringLiteral("the disk is full");
    case EDQUOT:
        return QStringLiteral("the disk space allowed to this user is used up");
    case EFBIG:
        return QStringLiteral("the file would be larger than the system allows");
    case EROFS:
        return QStringLiteral("the disk can only be read, not written");
    case EACCES:
    case EPERM:
        return QStringLiteral("the program is not allowed to write there");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("the folder is missing");
    case EIO:
        return QStringLiteral("the disk reported an error");
    default:
        return QString::fromLocal8Bit(std::strerror(systemError));
    }
}

FileWriteOutcome FileWriteOutcome::fromErrno(int error) {
    FileWriteOutcome outcome;
    outcome.problem = Problem::SystemError;
    outcome.systemError = error != 0 ? error : EIO;
    return outcome;
}

FileWriteOutcome FileWriteOutcome::notAFile() {
    FileWriteOutcome outcome;
    outcome.problem = Problem::NotAFile;
    return outcome;
}

FileWriteOutcome checkWritablePath(const QString& path) {
    struct stat info = {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT ? FileWriteOutcome() : FileWriteOutcome::fromErrno(errno);
    return S_ISREG(info.st_mode) ? FileWriteOutcome() : FileWriteOutcome::notAFile();
}

AtomicFileWrite::AtomicFileWrite(QString path) : m_path(std::move(path)) {}

AtomicFileWrite::~AtomicFileWrite() {
    discard();
}

void AtomicFileWrite::discard() {
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
}

FileWriteOutcome AtomicFileWrite::write(const QByteArray& bytes) {
    discard();
    const QByteArray target = QFile::encodeName(m_path);
    struct stat old = {};
    mode_t mode = NewFileMode;
    if (::lstat(target.constData(), &old) == 0) {
        if (!S_ISREG(old.st_mode))
            return FileWriteOutcome::notAFile();
        mode = old.st_mode & 07777;
    } else if (errno != ENOENT) {
        return FileWriteOutcome::fromErrno(errno);
    }

    // Hidden, in the same folder (a rename does not cross file systems);
    // one a crash leaves behind is removed at the next start.
    const QFileInfo info(m_path);
    QByteArray name = QFile::encodeName(info.path() + QStringLiteral("/.") + info.fileName() +
                                        QStringLiteral(".new-XXXXXX"));
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return FileWriteOutcome::fromErrno(errno);
    m_temporary = name;

    int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
    if (error == 0)
        error = writeAll(fd, bytes);
    // The bytes must be on the disk before the rename makes them the file's:
    // after a power cut the file then holds the old bytes or the new ones.
    if (error == 0 && ::fdatasync(fd) != 0 && errno != EINVAL)
        error = errno;
    const int closeError = closeChecked(fd);
    if (error == 0)
        error = closeError;
    if (error != 0) {
        discard();
        return FileWriteOutcome::fromErrno(error);
    }
    return FileWriteOutcome();
}

FileWriteOutcome AtomicFileWrite::commit() {
    if (m_temporary.isEmpty())
        return FileWriteOutcome::fromErrno(EINVAL);
    // Something may have taken the file's place since the write.
    const FileWriteOutcome check = checkWritablePath(m_path);
    if (!check.ok()) {
        discard();
        return check;
    }
    // A rename replaces the entry itself: it never writes through a link.
    if (::rename(m_temporary.constData(), QFile::encodeName(m_path).constData()) != 0) {
        const int error = errno;
        discard();
        return FileWriteOutcome::fromErrno(error);
    }
    m_temporary.clear();
    return FileWriteOutcome();
}

FileWriteOutcome writeFileAtomically(const QString& path, const QByteArray& bytes) {
    AtomicFileWrite file(path);
    const FileWriteOutcome written = file.write(bytes);
    return written.ok() ? file.commit() : written;
}

FileWriteOutcome writeScratchFile(const QString& path, const QByteArray& bytes) {
    const FileWriteOutcome check = checkWritablePath(path);
    if (!check.ok())
        return check;
    const QByteArray name = QFile::encodeName(path);
    const int fd =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
               NewFileMode);
    if (fd < 0)
        return errno == ELOOP ? FileWriteOutcome::notAFile() : FileWriteOutcome::fromErrno(errno);
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileWriteOutcome::notAFile();
    }
    int error = writeAll(fd, bytes);
    const int closeError = closeChecked(fd);
    if (error == 0)
        error = closeError;
    if (error != 0) {
        // No part of the file is left for a reader to trust.
        ::unlink(name.constData());
        return FileWriteOutcome::fromErrno(error);
    }
    return FileWriteOutcome();
}

FileWriteOutcome FileWriteBatch::add(const QString& path, const QByteArray& bytes) {
    auto file = std::make_unique<AtomicFileWrite>(path);
    const FileWriteOutcome written = file->write(bytes);
    if (written.ok())
        m_files.push_back(std::move(file));
    return written;
}

FileWriteOutcome FileWriteBatch::commit(QString* failedPath, int* done) {
    int committed = 0;
    FileWriteOutcome outcome;
    for (const auto& file : m_files) {
        outcome = file->commit();
        if (!outcome.ok()) {
            if (failedPath)
                *failedPath = file->path();
            break;
        }
        ++committed;
    }
    if (done)
        *done = committed;
    m_files.clear();
    return outcome;
}
