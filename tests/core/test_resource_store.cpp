// The store of numbered items: lookup by id, extraction to a file, and the
// graphics folder written at start.

#include "core/GraphicsTable.h"
#include "core/ProgramFolder.h"
#include "core/ResourceStore.h"
#include "test_support.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestFiles;

class TestResourceStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void graphicsTable() {
        // No two items share a name (one would overwrite the other's file).
        QSet<QString> unique;
        for (const GraphicsItem& item : graphicsItems())
            unique.insert(graphicsFileName(item.id));
        QCOMPARE(unique.size(), graphicsItems().size());
        QCOMPARE(graphicsFileName(93), QString()); // not a graphics item
    }

    void findsItemsById() {
        const ResourceStore store(FixtureRoot);
        QCOMPARE(store.itemPath(30000), FixtureRoot + "/store/30000.txt");
        QCOMPARE(store.itemPath(25016), FixtureRoot + "/store/25016.mht");
        QCOMPARE(store.itemPath(89), FixtureRoot + "/graphics/Logo.gif");
        QVERIFY(!store.contains(30012));
        QVERIFY(!store.contains(2));
        bool ok = true;
        store.itemBytes(30012, &ok);
        QVERIFY(!ok);
        const QList<int> ids = store.ids();
        QCOMPARE(ids.size(), 2 + 12);
        QCOMPARE(ids.first(), 1);
        QCOMPARE(ids.at(2), 25016);
        QCOMPARE(ids.last(), 30126);
    }

    void extractResource_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("succeeds");
        const QList<std::tuple<const char*, int, const char*, const char*, bool>> rows{
            {"definition", 30000, "Custom", "temptext30000.txt", true},
            {"absent id of module 1", 30012, "Custom", "temptext.txt", false},
            {"unknown type", 30000, "Bitmap", "temptext.txt", false},
            {"missing folder", 30000, "Custom", "no/such/folder/t.txt", false},
            {"path is a folder", 30000, "Custom", "", false}};
        for (const auto& [name, id, type, target, succeeds] : rows)
            QTest::newRow(name) << id << QString(type) << QString(target) << succeeds;
    }

    void extractResource() {
        QFETCH(int, id);
        QFETCH(QString, type);
        QFETCH(QString, target);
        QFETCH(bool, succeeds);
        const ResourceStore store(FixtureRoot);
        // Scratch files are written in place, results files through a flushed
        // copy: both must leave exactly the item, or nothing at all.
        for (const auto durability :
             {ResourceStore::Durability::Durable, ResourceStore::Durability::Scratch}) {
            QTemporaryDir dir;
            const QString path = target.isEmpty() ? dir.path() : dir.filePath(target);
            QCOMPARE(store.ExtractResource(id, type, path, durability) ==
                         ResourceStore::ExtractResult::Done,
                     succeeds);
            if (succeeds)
                QCOMPARE(bytesOf(path), store.itemBytes(id));
            else
                QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                         QStringList());

            // The item replaces everything the file held: 5 bytes over 200 leave 5.
            const QString trend = dir.filePath("trend2FX.txt");
            QVERIFY(writeBytes(trend, "#TRD#" + QByteArray(">87.5").repeated(39)));
            QCOMPARE(store.ExtractResource(30126, "Custom", trend, durability),
                     ResourceStore::ExtractResult::Done);
            QCOMPARE(bytesOf(trend), QByteArray("#TRD#"));
        }
    }

    void extractGraphicsCreatesAndRestores() {
        const ResourceStore store(FixtureRoot);
        QTemporaryDir dir;
        const QString programFolder = dir.filePath("deep/program");
        const QString folder = graphicsFolder(programFolder);
        QCOMPARE(folder, programFolder + "/Graphics");

        // The fixture holds two of the items; every other name is reported.
        QStringList failed = ExtractGraphics(store, programFolder);
        QCOMPARE(failed.size(), 87);
        QVERIFY(failed.contains("Border_bot_right.gif"));
        const QString about = folder + "/about_off.bmp", logo = folder + "/Logo.gif";
        QCOMPARE(bytesOf(about), store.itemBytes(1));
        QCOMPARE(bytesOf(logo), store.itemBytes(89));

        // A changed file is restored; an unchanged one is not rewritten.
        QVERIFY(writeBytes(about, "changed by a user"));
        QCOMPARE(ExtractGraphics(store, programFolder).size(), 87);
        QCOMPARE(bytesOf(about), store.itemBytes(1));
        QFile file(about);
        const QDateTime old(QDate(2001, 1, 1), QTime(0, 0));
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(old, QFileDevice::FileModificationTime));
        file.close();
        ExtractGraphics(store, programFolder);
        QCOMPARE(QFileInfo(about).lastModified(), old);

        // A Graphics folder that is a link elsewhere, and a picture file that
        // is one: nothing is written through either.
        QTemporaryDir elsewhere;
        QTemporaryDir linked;
        QVERIFY(QFile::link(elsewhere.path(), linked.filePath("Graphics")));
        QCOMPARE(ExtractGraphics(store, linked.path()).size(), 89);
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        QTemporaryDir one;
        QVERIFY(QDir().mkpath(one.filePath("Graphics")));
        const QString victim = elsewhere.filePath("victim.bmp");
        QVERIFY(writeBytes(victim, "not a picture"));
        QVERIFY(QFile::link(victim, one.filePath("Graphics/Logo.gif")));
        QCOMPARE(ExtractGraphics(store, one.path()).size(), 88);
        QCOMPARE(bytesOf(victim), QByteArray("not a picture"));
        QVERIFY(QFileInfo(one.filePath("Graphics/Logo.gif")).isSymLink());
        QCOMPARE(bytesOf(one.filePath("Graphics/about_off.bmp")), store.itemBytes(1));
    }

    void programFolder() {
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir dir;
        QCOMPARE(resolveProgramFolder(dir.path()), dir.path());
        // The write probe leaves nothing behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
        // A folder that cannot take files (here a file) falls back to the user's data folder.
        const QString file = dir.filePath("program");
        QVERIFY(writeBytes(file, "x"));
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCOMPARE(resolveProgramFolder(file), data);
        QVERIFY(folderIsWritable(data));
        QDir(data).removeRecursively();

        // Scratch copies a cut-off run left behind go; everything else stays.
        for (const char* name :
             {"temppaper25016.mht", "temppaper101.mht", "temptext.txt", "temptext30000.txt",
              "temppaper.txt", "mypaper.mht", "marks2QMP.txt", "temptext2.txt",
              // the new bytes of a results file, never put in place
              ".marks2QMP.txt.new-a1B2c3", ".marks2QMP.txt.new-"})
            QVERIFY(writeBytes(dir.filePath(name), "x"));
        QCOMPARE(removeLeftoverScratchFiles(dir.path()), 5);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({".marks2QMP.txt.new-", "marks2QMP.txt", "mypaper.mht", "program",
                              "temppaper.txt", "temptext2.txt"}));
        QCOMPARE(removeLeftoverScratchFiles(dir.path()), 0);
    }
};

QTEST_GUILESS_MAIN(TestResourceStore)
#include "test_resource_store.moc"
