// A teacher's module file: packed, read back, validated, refused when it is
// damaged or hostile, and served by the store at slot 1 or 3.

#include "core/ModuleCheck.h"
#include "core/ModuleFile.h"
#include "core/PaperContent.h"
#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"
#include "module_sample.h"
#include "test_support.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using ModuleSample::page;
using ModuleSample::smallModule;

ModuleFile opened(const ModuleSource& source, const ModuleLimits& limits = {}) {
    return ModuleFile::fromBytes(writeModuleBytes(source), limits);
}

QString checkProblems(const ModuleSource& source) {
    return checkModule(opened(source)).text();
}

// The module's entries with one replaced and others added.
QByteArray repacked(const ModuleSource& source, const QString& name, const QByteArray& bytes,
                    const QList<QPair<QString, QByteArray>>& added = {}) {
    const ModuleFile file = opened(source);
    QList<QPair<QString, QByteArray>> entries;
    for (const QString& entry : file.entryNames())
        entries.append({entry, entry == name ? bytes : file.entry(entry)});
    return packZipEntries(entries + added);
}

// Sets a 32-bit little-endian field of every header of the given signature.
void patch(QByteArray& bytes, const QByteArray& signature, int offset, quint32 value) {
    for (qsizetype at = bytes.indexOf(signature); at >= 0; at = bytes.indexOf(signature, at + 1)) {
        for (int i = 0; i < 4; ++i)
            bytes[at + offset + i] = char((value >> (8 * i)) & 0xff);
    }
}

} // namespace

Q_DECLARE_METATYPE(ModuleLimits)

class TestModuleFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip() {
        const ModuleSource source = smallModule();
        const QByteArray bytes = writeModuleBytes(source);
        QCOMPARE(writeModuleBytes(source), bytes); // reproducible
        const ModuleFile file = ModuleFile::fromBytes(bytes);
        QVERIFY2(file.ok(), qPrintable(file.message()));
        const ModuleInfo& info = file.info();
        QCOMPARE(info.mid, QStringLiteral("oak-class-4"));
        QCOMPARE(info.version, 3);
        QCOMPARE(info.heading, QStringLiteral("Oak Class"));
        QCOMPARE(info.topicCount, 1);
        QCOMPARE(info.paperCount, 5);
        QCOMPARE(info.topicNames, QStringList{QStringLiteral("Fractions")});
        QCOMPARE(info.author, QStringLiteral("Mrs Patel"));
        QCOMPARE(info.paperStamps.at(0), modulePaperStamp(source.papers.at(0)));
        QCOMPARE(file.documentIds(), (QList<int>{1, 11, 12, 21, 31, 41}));
        QCOMPARE(file.document(12), source.papers.at(1).questions.at(1).document);
        QCOMPARE(file.keysTable(), moduleTableText(source, ModuleEntry::Keys));
        QVERIFY(file.papersTable().contains("#102#>11>12\r\n"));
        QVERIFY(file.checksTable().contains("#12#>2/5 + 2/5>\r\n"));
        const ModuleCheckResult check = checkModule(file);
        QVERIFY2(check.ok(), qPrintable(check.text()));

        // A stamp follows what the paper asks, not the rest of the module.
        const ModuleSource changed = ModuleSample::withPaper2Changed(source);
        QCOMPARE(modulePaperStamp(changed.papers.at(0)), info.paperStamps.at(0));
        QVERIFY(modulePaperStamp(changed.papers.at(1)) != info.paperStamps.at(1));

        // Text a record cannot carry is refused, not mangled.
        ModuleSource odd = source;
        odd.papers[0].questions[0].blanks[0].check = QStringLiteral("9 \u2212 2");
        QString why;
        QVERIFY(writeModuleBytes(odd, &why).isEmpty());
        QVERIFY2(why.contains(QStringLiteral("cannot carry")), qPrintable(why));

        // The file on disk reads the same; a sparse one over 50 MB is refused
        // by its size, before it is read.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("module1.qmodule"));
        QVERIFY(writeModuleFile(path, source));
        QCOMPARE(ModuleFile::open(path).info().paperStamps, info.paperStamps);
        QFile big(dir.filePath(QStringLiteral("big.qmodule")));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(50LL * 1024 * 1024 + 1));
        big.close();
        QCOMPARE(ModuleFile::open(big.fileName()).message(),
                 QStringLiteral("This module file is larger than 50 MB."));
    }

    // Every refusal of a damaged or hostile file, with what the teacher is told.
    void refusedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ModuleLimits>("limits");
        QTest::addColumn<QString>("message");
        const QByteArray good = writeModuleBytes(smallModule());
        const QByteArray info = moduleInfoText(smallModule());
        const auto withEntry = [&info](const char* name) {
            // The archive library will not write a name twice: patched in.
            return packZipEntries({{QStringLiteral("module.txt"), info}, {name, "x"}})
                .replace("modulX.txt", "module.txt");
        };
        const auto row = [](const char* name, const QByteArray& bytes, const QString& message,
                            const ModuleLimits& limits = {}) {
            QTest::newRow(name) << bytes << limits << message;
        };
        const auto damaged = [](const char* why) {
            return QStringLiteral("This module file is damaged: %1.").arg(QLatin1String(why));
        };
        const auto limited = [](auto field, auto value) {
            ModuleLimits limits;
            limits.*field = value;
            return limits;
        };
        const QString notModule = QStringLiteral("This file is not a Quillora module.");
        row("another kind of file", "%PDF-1.4 not an archive at all", notModule);
        row("empty", QByteArray(), notModule);
        row("another archive", packZipEntries({{QStringLiteral("notes.txt"), "hello"}}), notModule);
        row("too large", good, QStringLiteral("This module file is larger than 0 MB."),
            limited(&ModuleLimits::fileBytes, good.size() - 1));
        row("cut short", good.left(good.size() / 2), damaged("it is cut short or broken"));
        row("entry too large", good,
            damaged("the entry \"documents/1.mht\" expands past 100 bytes"),
            limited(&ModuleLimits::entryBytes, 100));
        row("too many entries", good, damaged("it holds more than 3 entries"),
            limited(&ModuleLimits::entries, 3));
        QByteArray lying = good;
        patch(lying, QByteArrayLiteral("PK\x01\x02"), 24, 20);
        patch(lying, QByteArrayLiteral("PK\x03\x04"), 22, 20);
        row("entry holds more than it declares", lying,
            damaged("the entry \"module.txt\" is not the size it declares"));
        row("parent folder", withEntry("../module.txt"),
            damaged("the entry \"../module.txt\" points outside the module"));
        row("parent folder further in", withEntry("documents/../../x.mht"),
            damaged("the entry \"documents/../../x.mht\" points outside the module"));
        row("absolute path", withEntry("/etc/module.txt"),
            damaged("the entry \"/etc/module.txt\" names an absolute path"));
        row("backslash", withEntry("documents\\1.mht"),
            damaged("the entry \"documents\\1.mht\" holds a backslash"));
        row("drive", withEntry("C:/module.txt"),
            damaged("the entry \"C:/module.txt\" names a drive"));
        row("unknown entry", withEntry("script.js"),
            damaged("it holds an entry \"script.js\" that a module does not have"));
        row("document 0", withEntry("documents/0.mht"),
            damaged("it holds an entry \"documents/0.mht\" that a module does not have"));
        row("name twice", withEntry("modulX.txt"),
            damaged("the entry \"module.txt\" appears twice"));
        QByteArray link = withEntry("papers.txt"); // every entry marked a symlink
        patch(link, QByteArrayLiteral("PK\x01\x02"), 38, quint32(0120777) << 16);
        row("link", link, damaged("the entry \"module.txt\" is a link to somewhere else"));
        QByteArray badInfo = info;
        badInfo.replace("#TP#>5", "#TP#>6");
        row("module.txt against its rules",
            repacked(smallModule(), QStringLiteral("module.txt"), badInfo),
            damaged("module.txt does not give five papers per topic (TP)"));
    }

    void refusedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(ModuleLimits, limits);
        QFETCH(QString, message);
        const ModuleFile file = ModuleFile::fromBytes(bytes, limits);
        QVERIFY(!file.ok());
        QCOMPARE(file.message(), message);
    }

    void validatorProblems() {
        // A script, and documents that fetch from outside the module.
        ModuleSource unsafe = smallModule();
        unsafe.papers[1].questions[1].document =
            page(QStringLiteral("<p onclick=\"go()\">Hi</p><script>fetch('x')</script>"));
        unsafe.papers[0].questions[0].document = page(QStringLiteral(
            "<img src=\"https://example.invalid/track.png\"><a href=\"jav&#97;script:x\">a</a>"
            "<div style=\"background: url('//cdn.invalid/b.png')\"></div>"
            "<style>@import \"file:///etc/x.css\";</style>"));
        QString text = checkProblems(unsafe);
        QVERIFY2(text.contains(QStringLiteral("Topic 1 \"Fractions\", paper 2, question 2: its "
                                              "document holds a <script> element.")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("an on... attribute")));
        QVERIFY(text.contains(QStringLiteral("paper 1, question 1: its document refers to "
                                             "\"https://example.invalid/track.png\"")));
        QVERIFY(text.contains(QStringLiteral("runs a script from a link")));
        QVERIFY(text.contains(QStringLiteral("\"//cdn.invalid/b.png\"")));
        QVERIFY(text.contains(QStringLiteral("\"file:///etc/x.css\"")));

        // A word processor's single-file web page is shown as it is.
        ModuleSource word = smallModule();
        word.papers[4].questions[0].document =
            TestFiles::bytesOf(QStringLiteral(QUILLORA_TEST_DATA_DIR "/module/word_style.mht"));
        word.papers[4].questions[0].blanks[0].check.clear();
        QCOMPARE(checkProblems(word), QString());

        ModuleSource wrong = smallModule();
        wrong.papers[1].questions[1].blanks[0].key = QStringLiteral("3/5");
        wrong.papers[2].questions[0].blanks[0].kind = QStringLiteral("F");
        wrong.papers[3].questions[0].blanks[0].mark = 0;
        text = checkProblems(wrong);
        QVERIFY2(text.contains(QStringLiteral(
                     "Topic 1 \"Fractions\", paper 2, question 2, answer 1: the answer \"3/5\" "
                     "does not match its check 2/5 + 2/5 (4/5).")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("paper 3, question 1: the answer \"9\" is not a "
                                             "fraction.")));
        QVERIFY(text.contains(QStringLiteral("paper 4, question 1: the mark \"0\" is not")));

        // Structure: a paper without questions, a stray document, ids reused.
        ModuleSource shape = smallModule();
        shape.papers[3].questions.clear();
        shape.papers[4].questions[0].id = 1;
        text = checkProblems(shape);
        QVERIFY(text.contains(QStringLiteral("paper 4: the paper has no questions.")));
        QVERIFY(text.contains(QStringLiteral("paper 5, question 1: the question id 1 is used "
                                             "twice.")));
        QByteArray keys = moduleTableText(shape, ModuleEntry::Keys);
        keys.replace("#12#>4/5>Kevin", "#12#>4/5");
        text = checkModule(ModuleFile::fromBytes(repacked(
                               shape, QStringLiteral("keys.txt"), keys,
                               {{ModuleEntry::Document(77), page(QStringLiteral("<p>x</p>"))}})))
                   .text();
        QVERIFY(text.contains(QStringLiteral("paper 2, question 2: it has 1 keys, 2 kinds")));
        QVERIFY(text.contains(QStringLiteral("documents/77.mht belongs to no question")));

        // The problems are capped, and the rest counted.
        const ModuleCheckResult capped = checkModule(opened(wrong), 1);
        QCOMPARE(capped.problems.size(), 1);
        QCOMPARE(capped.notShown, 2);
        QVERIFY(capped.text().endsWith(QStringLiteral("... and 2 more problems.")));
    }

    void attachedStore() {
        QTemporaryDir dir;
        QVERIFY(TestFiles::copyFixtureStore(dir.path()));
        ResourceStore plain(dir.path());
        ResourceStore store = plain;
        QVERIFY(!store.attachModule(2, opened(smallModule())));
        QVERIFY(store.attachModule(3, opened(smallModule())));
        QVERIFY(plain.attachedModule(3) == nullptr); // copies do not share a change

        QCOMPARE(store.itemBytes(15012), smallModule().papers.at(1).questions.at(1).document);
        QVERIFY(store.itemBytes(30131).contains("#FST#>0>0>0>0>0\r\n"));
        QVERIFY(store.itemBytes(30132).contains("#102#>>>\r\n"));
        QCOMPARE(store.itemBytes(30136), QByteArray("#TRD#"));
        const QList<int> ids = store.ids();
        QVERIFY(ids.contains(15041) && ids.contains(30135) && ids.contains(30025));
        bool ok = true;
        store.itemBytes(15002, &ok); // no such question: not the disk's either
        QVERIFY(!ok);
        QVERIFY(!store.contains(15002) && store.contains(15041));

        const DefinitionRead read = readProgramDefinition(store, dir.path());
        QCOMPARE(read.error, DefinitionError::None);
        const ModuleDefinition& module3 = read.definition.module(3);
        QCOMPARE(module3.paperCount, 5);
        QCOMPARE(module3.topicNames, QStringList{QStringLiteral("Fractions")});
        QCOMPARE(module3.paperStamps, opened(smallModule()).info().paperStamps);
        QCOMPARE(read.definition.module(2).heading,
                 readProgramDefinition(plain, dir.path()).definition.module(2).heading);

        const PaperContentRead paper = loadPaperContent(store, dir.path(), 3, 102);
        QVERIFY2(paper.ok(), qPrintable(paper.problems.join(QLatin1Char('\n'))));
        QCOMPARE(paper.content.QuestionIds, (QStringList{"15011", "15012"}));
        QCOMPARE(paper.content.AnswerKeys, (QStringList{"8", "4/5", "Kevin"}));

        store.detachModule(3);
        QVERIFY(!store.contains(30032));
        QVERIFY(readProgramDefinition(store, dir.path()).definition.module(3).heading.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestModuleFile)
#include "test_module_file.moc"
