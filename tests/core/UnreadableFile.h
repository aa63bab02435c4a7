#pragma once
// A file the system refuses to read, for the tests of what the program says
// then. Taking away the file's read permission is not enough for root (the
// tests run as root on CI), so a file that the system refuses even to root
// stands in: /proc/sys/vm/drop_caches may only be written. As root it is
// bound over the test's file for the object's life; for anyone else the
// file's permissions are taken away. works() tells whether the file can now
// not be opened for reading, which a test must check before it believes it.

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
