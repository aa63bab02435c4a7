#pragma once
// A folder on a file system that can be made full. As root, a small tmpfs
// mounted over a temporary folder and filled by a file taking every block;
// where nothing can be mounted, the file size limit (RLIMIT_FSIZE, SIGXFSZ
// ignored) lowered to nothing, so every write fails in the kernel (EFBIG).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

class SmallDisk {
public:
    explicit SmallDisk(const char* size = "size=1m") {
        m_mounted =
            ::mount("quillora-test", point().constData(), "tmpfs", MS_NOSUID | MS_NODEV, size) == 0;
        if (!m_mounted)
            qInfo("SmallDisk: no tmpfs (%s); the file size limit stands in for a full disk",
                  std::strerror(errno));
        m_folder = m_mountPoint.path() + QStringLiteral("/folder");
        QDir().mkpath(m_folder);
        ::signal(SIGXFSZ, SIG_IGN);
    }
    ~SmallDisk() {
        release();
        if (m_mounted)
            ::umount2(point().constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // The folder to work in, on the small file system.
    const QString& folder() const { return m_folder; }
    bool mounted() const { return m_mounted; }

    // From now on no write finds room. False when the disk could not be filled.
    bool fill() {
        if (!m_mounted) {
            if (::getrlimit(RLIMIT_FSIZE, &m_limit) != 0)
                return false;
            const rlimit none{0, m_limit.rlim_max};
            m_limited = ::setrlimit(RLIMIT_FSIZE, &none) == 0;
            return m_limited;
        }
        const int fd = ::open(QFile::encodeName(fillerPath()).constData(),
                              O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (fd < 0)
            return false;
        // Whole blocks, then single bytes for what is left of the last one.
        const QByteArray block(4096, 'x');
        for (size_t chunk : {size_t(4096), size_t(1)}) {
            while (::write(fd, block.constData(), chunk) >= 0)
                continue;
        }
        const bool full = errno == ENOSPC;
        ::close(fd);
        return full;
    }
    // From now on nothing in the folder can be written: the file system is
    // made read-only, or, unmounted and not root, the folder. False when
    // neither can be done (root without mounting).
    bool makeReadOnly() {
        if (m_mounted)
            return ::mount("quillora-test", point().constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                           nullptr) == 0;
        return ::geteuid() != 0 &&
               QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    // Room again.
    void release() {
        if (std::exchange(m_limited, false))
            ::setrlimit(RLIMIT_FSIZE, &m_limit);
        QFile::remove(fillerPath());
    }
    // What the program says about a write that found no room.
    QString reason() const {
        return m_mounted ? QStringLiteral("the disk is full")
                         : QStringLiteral("the file would be larger than the system allows");
    }

private:
    QByteArray point() const { return QFile::encodeName(m_mountPoint.path()); }
    QString fillerPath() const { return m_mountPoint.path() + QStringLiteral("/filler"); }

    QTemporaryDir m_mountPoint;
    QString m_folder;
    bool m_mounted = false;
    bool m_limited = false;
    rlimit m_limit = {};
};
