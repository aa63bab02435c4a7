#pragma once
// Replaces a file's whole content so that a crash, a full disk or any other
// refusal leaves either the old bytes or the new ones, never a part: the new
// bytes are written beside the file, every write checked, flushed to the disk,
// then renamed over it. Only a plain file (or nothing) is ever replaced: a
// link, a folder or a device standing at the path is left alone, and nothing
// is written through it to wherever it points.

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

// Why a write did not happen. The file at the path is as it was.
struct FileWriteOutcome {
    enum class Problem {
        None,
        NotAFile,    // a link, a folder or a device stands at the path
        SystemError, // the system refused; systemError holds its errno
    };
    Problem problem = Problem::None;
    int systemError = 0;

    bool ok() const { return problem == Problem::None; }
    bool diskFull() const;
    // Plain words for the pupil, e.g. "the disk is full"; empty when ok.
    QString reason() const;

    static FileWriteOutcome fromErrno(int error);
    static FileWriteOutcome notAFile();
};

// None when nothing stands at path or a plain file does (links are not
// followed); NotAFile for anything else; SystemError when the path cannot be
// looked at (a file where a folder is expected, no permission).
FileWriteOutcome checkWritablePath(const QString& path);

// One replacement in two steps, so that several files can be written first
// and put in place together: write() writes and flushes the temporary file,
// commit() renames it over the file. A temporary that is not committed is
// removed when the object goes.
class AtomicFileWrite {
public:
    explicit AtomicFileWrite(QString path);
    ~AtomicFileWrite();
    AtomicFileWrite(const AtomicFileWrite&) = delete;
    AtomicFileWrite& operator=(const AtomicFileWrite&) = delete;

    const QString& path() const { return m_path; }
    FileWriteOutcome write(const QByteArray& bytes);
    FileWriteOutcome commit();

private:
    void discard();
    QString m_path;
    QByteArray m_temporary; // encoded name of the written temporary, empty when none
};

FileWriteOutcome writeFileAtomically(const QString& path, const QByteArray& bytes);

// Files made again whenever they are needed: written in place without waiting
// for the disk. A write that fails removes the file, so no reader finds a part
// of it; a link or folder at the path is left alone.
FileWriteOutcome writeScratchFile(const QString& path, const QByteArray& bytes);

// Several files replaced together: each is written and flushed beside its file
// as it is added, and only commit() puts them in place, in the order added.
// Until then every file is as it was; a batch that is not committed leaves
// nothing behind.
class FileWriteBatch {
public:
    FileWriteOutcome add(const QString& path, const QByteArray& bytes);
    // Renames every file into place; stops at the first that cannot be
    // (*failedPath names it, *done counts the files put in place before it).
    FileWriteOutcome commit(QString* failedPath = nullptr, int* done = nullptr);
    bool isEmpty() const { return m_files.empty(); }

private:
    std::vector<std::unique_ptr<AtomicFileWrite>> m_files;
};
