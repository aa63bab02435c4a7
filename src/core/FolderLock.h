#pragma once
// One running copy per program folder. The lock is the kernel's own lock on
// an open file ("quillora.lock" in the folder): it is taken without writing
// anything the disk must wait for, and it ends with the process that holds
// it, however that process ends, so a crashed copy never leaves the folder
// locked.

#include <QString>

class FolderLock {
public:
    enum class Result {
        Locked,        // this object holds the folder
        HeldElsewhere, // another copy (or another lock object) holds it
        CannotWrite,   // the lock file cannot be made in the folder
        NotAFile,      // a link, a folder or a device stands in the lock file's place
    };

    explicit FolderLock(QString lockFilePath);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    Result tryLock();
    bool isLocked() const { return m_fd >= 0; }
    // After CannotWrite: what the system refused, in plain words ("the disk
    // can only be read, not written").
    const QString& refusal() const { return m_refusal; }
    // Lets the folder go; the file stays for the next copy.
    void unlock();

private:
    QString m_path;
    int m_fd = -1;
    QString m_refusal;
};
