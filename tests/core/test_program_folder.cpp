// Where the program keeps its files: beside the executable when it may write
// there, else in the per-user data folder.

#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestProgramFolder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void resolvesFolder();
};

void TestProgramFolder::resolvesFolder() {
    QTemporaryDir dir;
    QVERIFY(FolderIsWritable(dir.path()));
    QCOMPARE(ResolveProgramFolder(dir.path()), dir.path());
    // The probe leaves nothing behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());

    // A "folder" that is a file, or one that does not exist, cannot take files.
    const QString file = dir.filePath("program");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(!FolderIsWritable(file));
    QVERIFY(!FolderIsWritable(dir.filePath("missing")));
    QVERIFY(!FolderIsWritable(QString()));

    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QCOMPARE(ResolveProgramFolder(file), data);
    QVERIFY(QFileInfo(data).isDir());
    QVERIFY(FolderIsWritable(data));
    QDir(data).removeRecursively();
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "test_program_folder.moc"
