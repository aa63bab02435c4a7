// A teacher's module through the real window and the real question view: the
// packed sample is added on the free tab's page, one of its papers is
// answered and marked and shows on its Report, while the built-in module's
// results files stay byte for byte; a newer version replaces it keeping the
// score, and removal sets its files aside and frees the tab again.

#include "test_practice_window_harness.h"

#include "core/ModuleFile.h"

#include <QAbstractButton>

namespace {

const QString SamplePath = QStringLiteral(QUILLORA_SAMPLE_MODULE);

// The first record of an entry's table whose tag is tag, split into fields.
QStringList tableFields(const ModuleFile& file, const char* entry, const QString& tag) {
    const QString text = QString::fromLatin1(file.entry(QString::fromLatin1(entry)));
    const QString head = QLatin1Char('#') + tag + QStringLiteral("#>");
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(head, Qt::CaseInsensitive))
            return line.mid(head.size()).split(QLatin1Char('>'));
    }
    return {};
}

// The same module with module.txt's version raised by one.
QByteArray nextVersion(const ModuleFile& file) {
    QList<QPair<QString, QByteArray>> entries;
    for (const QString& name : file.entryNames()) {
        QByteArray bytes = file.entry(name);
        if (name == QLatin1String(ModuleEntry::Info)) {
            const QByteArray old = "#VER#>" + QByteArray::number(file.info().version);
            const QByteArray next = "#VER#>" + QByteArray::number(file.info().version + 1);
            bytes.replace(old, next);
        }
        entries.append({name, bytes});
    }
    return packZipEntries(entries);
}

} // namespace

class TestModuleWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sampleAddedPractisedReplacedRemoved();
};

void TestModuleWindow::sampleAddedPractisedReplacedRemoved() {
    REQUIRE_CONTENT();
    const ModuleFile sample = ModuleFile::open(SamplePath);
    QVERIFY2(sample.ok(), qPrintable(SamplePath + QStringLiteral(": ") + sample.message()));
    MainWindow main;
    Contents* contents = main.start();
    QVERIFY(contents);
    const auto bank = main.snapshot();
    QString chosen = SamplePath;
    contents->setModuleFileChooser([&chosen](const QString&) { return chosen; });

    // The free tab, 3 first, leads to the page; the module takes slot 3.
    auto* tab3 = main.child<PictureButton>("Tab03");
    QCOMPARE(tab3->caption()->text(), QStringLiteral("Add a module\u2026"));
    QVERIFY(tab3->x() >= 0);
    QVERIFY(click(tab3));
    QVERIFY(main.child("Body_Modules")->isVisible());
    QVERIFY(click(main.child("ButModuleAdd")));
    QVERIFY2(contents->modules().find(3), qPrintable(main.told.join('\n')));
    QCOMPARE(tab3->caption()->text(), sample.info().heading);
    QCOMPARE(main.child<PictureButton>("Tab01")->caption()->text(),
             QStringLiteral("Add a module\u2026"));
    QVERIFY(main.child("Body_Home")->isVisible());
    QCOMPARE(main.child<QAbstractButton>("Topic1")->text(), sample.info().topicNames.first());
    QVERIFY(main.child("Topic3")->isHidden() == (sample.info().topicCount < 3));

    // Paper 101 opens on its first question, shown by the question view.
    QVERIFY(click(main.child("P1a")));
    QPointer<PracticeWindow> practice = contents->practiceWindow();
    QVERIFY(practice);
    auto* view = child<QuestionView>(practice, "brwWebBrowser");
    QVERIFY(view);
    QTRY_VERIFY_WITH_TIMEOUT(
        !js(*view, "document.body ? document.body.innerText : ''").toString().trimmed().isEmpty(),
        20000);
    const QString first = tableFields(sample, ModuleEntry::Papers, "101").value(0);
    const QString key = tableFields(sample, ModuleEntry::Keys, first).value(0);
    QVERIFY2(!key.isEmpty(), "the sample's first key is not found");
    QTest::keyClicks(child<QLineEdit>(practice, "FA1"), key);
    QTest::mouseClick(child(practice, "ToolBar02"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return practice && !practice->isMarking(); }));
    // Home reads the marks again (the paper stays open).
    QVERIFY(click(main.child("ToolBar01")));

    const QString marks3 = main.path(ResultsFile::Marks, 3);
    const MarksRecords marks = readMarksFile(marks3, sample.info().paperCount).value;
    QCOMPARE(marks.FST.value(0), QStringLiteral("1"));
    QVERIFY(!marks.FSE.value(0).isEmpty());
    QVERIFY(TestFiles::bytesOf(main.path(ResultsFile::First, 3)).contains(key.toLatin1()));
    QCOMPARE(main.child<QLabel>("MSA1")->text(), marks.FSE.value(0));

    // Its Report counts the paper; module 2's does not, and its files are
    // as they were.
    QVERIFY(click(main.child("ToolBar02")));
    QTRY_COMPARE(main.child<QLabel>("PCNum")->text(),
                 QStringLiteral("1 / %1").arg(sample.info().paperCount));
    QVERIFY(main.child<QLabel>("OScore1")->text().startsWith(marks.FSE.value(0)));
    QVERIFY(click(main.child("Tab02")));
    QVERIFY(click(main.child("ToolBar02")));
    QTRY_COMPARE(main.child<QLabel>("PCNum")->text(), QStringLiteral("0 / 50"));
    QCOMPARE(main.snapshot(), bank);

    // A newer version through the page (the free tab is now 1): the score stays.
    chosen = main.dir.filePath("newer.qmodule");
    QVERIFY(TestFiles::writeBytes(chosen, nextVersion(sample)));
    QVERIFY(click(main.child("Tab01")));
    QVERIFY(main.child<QLabel>("lblModule3")->text().contains(sample.info().heading));
    main.told.clear();
    QVERIFY(click(main.child("ButModuleReplace3")));
    QCOMPARE(contents->modules().find(3)->version, sample.info().version + 1);
    QVERIFY(!practice); // the open paper was saved and closed first
    QVERIFY2(main.told.join(' ').contains(QStringLiteral("Every result is kept")),
             qPrintable(main.told.join('\n')));
    QCOMPARE(readMarksFile(marks3, sample.info().paperCount).value.FSE.value(0),
             marks.FSE.value(0));
    // The same version again is refused in the program's dialog.
    main.told.clear();
    QVERIFY(click(main.child("ButModuleReplace3")));
    QVERIFY(main.told.join(' ').contains(QStringLiteral("only a higher version")));

    // The next start finds it at its new version. Removal asks, naming the
    // module and its marked paper, then sets its files aside (where they go
    // is the modules' own test).
    contents = main.start();
    QVERIFY(contents);
    QCOMPARE(contents->modules().find(3)->version, sample.info().version + 1);
    tab3 = main.child<PictureButton>("Tab03");
    QVERIFY(click(main.child("Tab01")));
    main.told.clear();
    QVERIFY(click(main.child("ButModuleRemove3")));
    QVERIFY(main.told.value(0).contains(sample.info().heading));
    QVERIFY(main.told.value(0).contains(QStringLiteral("1 paper of it has been marked")));
    QVERIFY(!contents->modules().find(3));
    QVERIFY(!QFileInfo::exists(marks3));
    QCOMPARE(tab3->caption()->text(), QStringLiteral("Add a module\u2026"));
    QVERIFY(main.child("Tab01")->x() < 0);
    QVERIFY(main.child("Body_Modules")->isVisible());
    QCOMPARE(main.snapshot(), bank);

    // A module file broken since is left out at the next start, named.
    QByteArray cut = TestFiles::bytesOf(chosen);
    cut.chop(cut.size() / 3);
    QVERIFY(TestFiles::writeBytes(main.dir.filePath("module1.qmodule"), cut));
    main.told.clear();
    contents = main.start();
    QVERIFY(contents);
    QVERIFY2(main.told.join(' ').contains(QStringLiteral("module1.qmodule")),
             qPrintable(main.told.join('\n')));
    QVERIFY(main.child("Tab01")->x() < 0);
    QCOMPARE(main.snapshot(), bank);
}

QUESTION_VIEW_TEST_MAIN(TestModuleWindow)
#include "test_module_window.moc"
