// The store of numbered items: lookup by id, extraction to a file, and the
// graphics folder written at start.

#include "core/GraphicsTable.h"
#include "core/ResourceStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString FixtureRoot = QStringLiteral(QUILLORA_TEST_DATA_DIR "/fixture_store");

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestResourceStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void graphicsTable_data();
    void graphicsTable();
    void findsItemsById();
    void extractResource_data();
    void extractResource();
    void extractReplacesWholeFile();
    void extractGraphicsCreatesAndRestores();
};

void TestResourceStore::graphicsTable_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 1 << "about_off.bmp";
    QTest::newRow("last before the gap") << 37 << "trash_pressed.bmp";
    QTest::newRow("gap 38") << 38 << "";
    QTest::newRow("gap 40") << 40 << "";
    QTest::newRow("after the gap") << 41 << "tabs_back_off.bmp";
    QTest::newRow("load button order") << 68 << "loadbutton_on.bmp";
    QTest::newRow("capital H") << 82 << "Handle.bmp";
    QTest::newRow("icon") << 85 << "Qzicon.ico";
    QTest::newRow("last") << 92 << "Border_bot_right.gif";
    QTest::newRow("not graphics") << 93 << "";
    QTest::newRow("zero") << 0 << "";
}

void TestResourceStore::graphicsTable() {
    QFETCH(int, id);
    QFETCH(QString, name);
    QCOMPARE(GraphicsFileName(id), name);
    if (!name.isEmpty())
        QCOMPARE(GraphicsId(name), id);
    QCOMPARE(GraphicsId("handle.bmp"), 0);

    QCOMPARE(int(GraphicsItems().size()), 89);
    QSet<QString> names;
    for (const GraphicsItem& item : GraphicsItems())
        names.insert(QString::fromLatin1(item.fileName));
    QCOMPARE(names.size(), 89);
}

void TestResourceStore::findsItemsById() {
    const ResourceStore store(FixtureRoot);
    QCOMPARE(store.itemPath(30000), FixtureRoot + "/store/30000.txt");
    QCOMPARE(store.itemPath(25016), FixtureRoot + "/store/25016.mht");
    QCOMPARE(store.itemPath(89), FixtureRoot + "/graphics/Logo.gif");
    QVERIFY(store.contains(30126));
    QVERIFY(!store.contains(30012));
    QVERIFY(!store.contains(2));
    QVERIFY(!store.contains(-1));

    bool ok = false;
    QCOMPARE(store.itemBytes(30126, &ok), QByteArray("#TRD#"));
    QVERIFY(ok);
    QVERIFY(store.itemBytes(30012, &ok).isEmpty());
    QVERIFY(!ok);

    const QList<int> ids = store.ids();
    QCOMPARE(ids.first(), 1);
    QCOMPARE(ids.last(), 30126);
    QVERIFY(ids.contains(89));
    QVERIFY(ids.contains(25016));
    QCOMPARE(ids.size(), 2 + 12);
}

void TestResourceStore::extractResource_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("succeeds");

    QTest::newRow("definition") << 30000 << "Custom"
                                << "temptext30000.txt" << true;
    QTest::newRow("question document") << 25016 << "Custom"
                                       << "temppaper25016.mht" << true;
    QTest::newRow("graphics item") << 1 << "Custom"
                                   << "about_off.bmp" << true;
    QTest::newRow("absent id of module 1") << 30012 << "Custom"
                                           << "temptext.txt" << false;
    QTest::newRow("unknown type") << 30000 << "Bitmap"
                                  << "temptext.txt" << false;
    QTest::newRow("missing folder") << 30000 << "Custom"
                                    << "no/such/folder/t.txt" << false;
    QTest::newRow("path is a folder") << 30000 << "Custom"
                                      << "" << false;
}

void TestResourceStore::extractResource() {
    QFETCH(int, id);
    QFETCH(QString, type);
    QFETCH(QString, target);
    QFETCH(bool, succeeds);
    const ResourceStore store(FixtureRoot);
    QTemporaryDir dir;
    const QString path = target.isEmpty() ? dir.path() : dir.filePath(target);
    const int result = store.ExtractResource(id, type, path);
    QCOMPARE(result == 0, succeeds);
    if (succeeds) {
        QCOMPARE(bytesOf(path), store.itemBytes(id));
    } else if (!target.isEmpty()) {
        QVERIFY(!QFile::exists(path));
    }
    if (!succeeds)
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
}

void TestResourceStore::extractReplacesWholeFile() {
    const ResourceStore store(FixtureRoot);
    QTemporaryDir dir;
    const QString path = dir.filePath("trend2FX.txt");
    writeBytes(path, "#TRD#" + QByteArray(">87.5", 5).repeated(39));
    QCOMPARE(QFileInfo(path).size(), 200);
    QCOMPARE(store.ExtractResource(30126, "Custom", path), 0);
    QCOMPARE(bytesOf(path), QByteArray("#TRD#"));
}

void TestResourceStore::extractGraphicsCreatesAndRestores() {
    const ResourceStore store(FixtureRoot);
    QTemporaryDir dir;
    const QString programFolder = dir.filePath("deep/program");
    const QString folder = GraphicsFolder(programFolder);
    QCOMPARE(folder, programFolder + "/Graphics");

    // The fixture holds two of the items; every other name is reported.
    QStringList failed = ExtractGraphics(store, programFolder);
    QCOMPARE(failed.size(), 87);
    QVERIFY(!failed.contains("about_off.bmp"));
    QVERIFY(failed.contains("Border_bot_right.gif"));
    const QString about = folder + "/about_off.bmp";
    const QString logo = folder + "/Logo.gif";
    QCOMPARE(bytesOf(about), store.itemBytes(1));
    QCOMPARE(bytesOf(logo), store.itemBytes(89));

    // A changed file and a deleted one are restored; an unchanged one is not touched.
    writeBytes(about, "changed by a user");
    QVERIFY(QFile::remove(logo));
    const QString untouched = folder + "/untouched.txt";
    writeBytes(untouched, "x");
    failed = ExtractGraphics(store, programFolder);
    QCOMPARE(failed.size(), 87);
    QCOMPARE(bytesOf(about), store.itemBytes(1));
    QCOMPARE(bytesOf(logo), store.itemBytes(89));
    QCOMPARE(bytesOf(untouched), QByteArray("x"));

    QFile file(about);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QDateTime old(QDate(2001, 1, 1), QTime(0, 0));
    QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();
    ExtractGraphics(store, programFolder);
    QCOMPARE(QFileInfo(about).lastModified(), old);

    // A Graphics "folder" that is a file: nothing can be written, all is reported.
    QTemporaryDir blocked;
    writeBytes(blocked.filePath("Graphics"), "not a folder");
    QCOMPARE(ExtractGraphics(store, blocked.path()).size(), 89);
}

QTEST_GUILESS_MAIN(TestResourceStore)
#include "test_resource_store.moc"
