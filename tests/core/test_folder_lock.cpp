// The one-copy-per-folder lock: a second holder is refused, a lock ends with
// its holder however the holder ends, and a lock file that cannot be written
// (or a link in its place) says so.

#include "core/FolderLock.h"
#include "main_window/Startup.h"
#include "test_support.h"

#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class TestFolderLock : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void secondHolderIsRefusedUntilTheFirstLetsGo() {
        QTemporaryDir dir;
        const QString path = dir.filePath("quillora.lock");
        // A lock file left by an earlier version or a crashed copy: its content
        // does not matter, only whether someone holds it.
        QVERIFY(TestFiles::writeBytes(path, "4242\nquillora\nsomehost\n"));
        auto first = std::make_unique<FolderLock>(path);
        QCOMPARE(first->tryLock(), FolderLock::Result::Locked);
        QVERIFY(first->isLocked());
        QCOMPARE(first->tryLock(), FolderLock::Result::Locked); // asking again changes nothing

        FolderLock second(path);
        QCOMPARE(second.tryLock(), FolderLock::Result::HeldElsewhere);
        QVERIFY(!second.isLocked());
        // The refused copy wrote nothing into the holder's file.
        QCOMPARE(TestFiles::bytesOf(path),
                 QByteArray::number(QCoreApplication::applicationPid()) + "\n");

        first.reset();
        QCOMPARE(second.tryLock(), FolderLock::Result::Locked);
        second.unlock();
        QVERIFY(!second.isLocked());
        QCOMPARE(FolderLock(path).tryLock(), FolderLock::Result::Locked);
    }

    void lockEndsWithAKilledHolder() {
        QTemporaryDir dir;
        const QString path = dir.filePath("quillora.lock");
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            FolderLock lock(path);
            if (lock.tryLock() == FolderLock::Result::Locked)
                ::raise(SIGSTOP); // holding it
            ::_exit(1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, WUNTRACED), child);
        QVERIFY(WIFSTOPPED(status));
        QCOMPARE(FolderLock(path).tryLock(), FolderLock::Result::HeldElsewhere);

        // Killed without any chance to clean up: the folder is free at once.
        ::kill(child, SIGKILL);
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(QFile::exists(path));
        QCOMPARE(FolderLock(path).tryLock(), FolderLock::Result::Locked);
    }

    // Where the lock file cannot be written, or something that is not a plain
    // file stands in its place: refused, and never written through a link.
    void lockFileThatCannotBeWritten() {
        QTemporaryDir dir;
        QCOMPARE(FolderLock(dir.filePath("no such folder/quillora.lock")).tryLock(),
                 FolderLock::Result::CannotWrite);
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.filePath("victim.txt");
        const QString missing = elsewhere.filePath("never made");
        QVERIFY(TestFiles::writeBytes(victim, "not the program's\n"));
        const QString lock = QDir(dir.path()).filePath(Startup::LockFileName);
        for (const QString& target : {victim, missing}) {
            QFile::remove(lock);
            QVERIFY(QFile::link(target, lock));
            FolderLock folderLock(lock);
            QCOMPARE(folderLock.tryLock(), FolderLock::Result::NotAFile);
            QVERIFY(!folderLock.isLocked());
            const ResourceStore store;
            QCOMPARE(Startup(store, dir.path()).run().problem, Startup::Problem::LockNotAFile);
        }
        QCOMPARE(TestFiles::bytesOf(victim), QByteArray("not the program's\n"));
        QVERIFY(!QFileInfo::exists(missing));
        QFile::remove(lock);
        QVERIFY(QDir().mkdir(lock));
        QCOMPARE(FolderLock(lock).tryLock(), FolderLock::Result::NotAFile);
    }
};

QTEST_GUILESS_MAIN(TestFolderLock)
#include "test_folder_lock.moc"
