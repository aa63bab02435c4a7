#pragma once
// A file the system refuses to read. Root (as on CI) reads past permissions,
// so as root a file refused even to root (/proc/sys/vm/drop_caches, which
// may only be written) is bound over it for the object's life; anyone else
// loses the read permission. A test must check works() before it believes it.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

class UnreadableFile {
public:
    // Refused to every user, root too.
    static QString refusedToAll() { return QStringLiteral("/proc/sys/vm/drop_caches"); }

    explicit UnreadableFile(const QString& path) : m_path(QFile::encodeName(path)) {
        if (::geteuid() == 0)
            m_bound = ::mount(QFile::encodeName(refusedToAll()).constData(), m_path.constData(),
                              nullptr, MS_BIND, nullptr) == 0;
        else
            m_chmodded = ::chmod(m_path.constData(), 0) == 0;
    }
    ~UnreadableFile() {
        if (m_bound)
            ::umount2(m_path.constData(), MNT_DETACH);
        if (m_chmodded)
            ::chmod(m_path.constData(), 0644);
    }
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

    bool works() const {
        const int fd = ::open(m_path.constData(), O_RDONLY);
        if (fd >= 0)
            ::close(fd);
        return (m_bound || m_chmodded) && fd < 0;
    }

private:
    QByteArray m_path;
    bool m_bound = false;
    bool m_chmodded = false;
};
