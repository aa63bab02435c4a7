// A teacher's module file: packed, read back, validated, refused when it is
// damaged or hostile, and served by the store at slot 1 or 3.

#include "core/ModuleCheck.h"
#include "core/ModuleFile.h"
#include "core/PaperContent.h"
#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"
#include "test_support.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Page(const QString& body) {
    return QByteArrayLiteral("MIME-Version: 1.0\r\n"
                             "Content-Type: multipart/related; boundary=\"b1\"\r\n\r\n"
                             "--b1\r\nContent-Type: text/html; charset=\"utf-8\"\r\n"
                             "Content-Location: file:///q/page.htm\r\n\r\n<html><body>") +
           body.toUtf8() + QByteArrayLiteral("</body></html>\r\n--b1--\r\n");
}

ModuleQuestion Question(int id, const QString& key, const QString& kind, const QString& check) {
    ModuleQuestion q;
    q.id = id;
    q.blanks = {ModuleBlank{key, kind, 2, check}};
    q.document = Page(QStringLiteral("<p>Question %1 of the module.</p>").arg(id));
    return q;
}

// One topic of five papers; paper 2 has a question of two blanks.
ModuleSource smallModule() {
    ModuleSource source;
    source.mid = QStringLiteral("oak-class-4");
    source.version = 3;
    source.heading = QStringLiteral("Oak Class");
    source.topicNames = {QStringLiteral("Fractions")};
    source.author = QStringLiteral("Mrs Patel");
    for (int p = 0; p < 5; ++p) {
        ModulePaper paper;
        paper.questions << Question(10 * p + 1, QString::number(p + 7), QStringLiteral("N"),
                                    QStringLiteral("%1 + 7").arg(p));
        if (p == 1) {
            ModuleQuestion two = Question(12, QStringLiteral("4/5"), QStringLiteral("F"),
                                          QStringLiteral("2/5 + 2/5"));
            two.blanks << ModuleBlank{QStringLiteral("Kevin"), QStringLiteral("T"), 1, QString()};
            paper.questions << two;
        }
        source.papers << paper;
    }
    return source;
}

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

class TestModuleFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip() {
        const ModuleSource source = smallModule();
        const QByteArray bytes = writeModuleBytes(source);
        QVERIFY(!bytes.isEmpty());
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
        QCOMPARE(info.paperStamps.size(), 5);
        QCOMPARE(info.paperStamps.at(0), modulePaperStamp(source.papers.at(0)));
        QCOMPARE(file.documentIds(), (QList<int>{1, 11, 12, 21, 31, 41}));
        QCOMPARE(file.document(12), source.papers.at(1).questions.at(1).document);
        QCOMPARE(file.keysTable(), moduleTableText(source, ModuleEntry::Keys));
        QVERIFY(file.papersTable().contains("#102#>11>12\r\n"));
        QVERIFY(file.checksTable().contains("#12#>2/5 + 2/5>\r\n"));
        const ModuleCheckResult check = checkModule(file);
        QVERIFY2(check.ok(), qPrintable(check.text()));

        // A stamp follows what the paper asks, not the rest of the module.
        ModuleSource changed = source;
        changed.papers[1].questions[0].blanks[0].key = QStringLiteral("9");
        changed.papers[1].questions[0].blanks[0].check = QStringLiteral("2 + 7");
        QCOMPARE(modulePaperStamp(changed.papers.at(0)), info.paperStamps.at(0));
        QVERIFY(modulePaperStamp(changed.papers.at(1)) != info.paperStamps.at(1));

        // Text a record cannot carry is refused, not mangled.
        ModuleSource odd = source;
        odd.papers[0].questions[0].blanks[0].check = QStringLiteral("9 \u2212 2");
        QString why;
        QVERIFY(writeModuleBytes(odd, &why).isEmpty());
        QVERIFY2(why.contains(QStringLiteral("cannot carry")), qPrintable(why));

        // The file on disk reads the same.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("module1.qmodule"));
        QVERIFY(writeModuleFile(path, source));
        QCOMPARE(ModuleFile::open(path).info().paperStamps, info.paperStamps);
    }

    void refusedFiles() {
        const QByteArray good = writeModuleBytes(smallModule());
        auto message = [](const QByteArray& bytes, const ModuleLimits& limits = {}) {
            return ModuleFile::fromBytes(bytes, limits).message();
        };
        const QString notModule = QStringLiteral("This file is not a Quillora module.");
        QCOMPARE(message(QByteArrayLiteral("%PDF-1.4 not an archive at all")), notModule);
        QCOMPARE(message(QByteArray()), notModule);
        QCOMPARE(message(good.left(good.size() / 2)),
                 QStringLiteral("This module file is damaged: it is cut short or broken."));
        QCOMPARE(message(packZipEntries({{QStringLiteral("notes.txt"), "hello"}})), notModule);

        ModuleLimits small;
        small.fileBytes = good.size() - 1;
        QCOMPARE(ModuleFile::fromBytes(good, small).status(), ModuleFile::Status::TooLarge);
        QCOMPARE(message(good, small), QStringLiteral("This module file is larger than 0 MB."));
        // A sparse file over 50 MB is refused by its size, before it is read.
        QTemporaryDir dir;
        QFile big(dir.filePath(QStringLiteral("big.qmodule")));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(50LL * 1024 * 1024 + 1));
        big.close();
        QCOMPARE(ModuleFile::open(big.fileName()).message(),
                 QStringLiteral("This module file is larger than 50 MB."));

        ModuleLimits entryLimit;
        entryLimit.entryBytes = 100;
        QCOMPARE(message(good, entryLimit),
                 QStringLiteral("This module file is damaged: the entry \"documents/1.mht\" "
                                "expands past 100 bytes."));
        ModuleLimits few;
        few.entries = 3;
        QVERIFY(message(good, few).contains(QStringLiteral("more than 3 entries")));

        // An entry that declares fewer bytes than it holds.
        QByteArray lying =
            packZipEntries({{QStringLiteral("module.txt"), moduleInfoText(smallModule())}});
        patch(lying, QByteArrayLiteral("PK\x01\x02"), 24, 20);
        patch(lying, QByteArrayLiteral("PK\x03\x04"), 22, 20);
        const ModuleFile liar = ModuleFile::fromBytes(lying);
        QVERIFY(!liar.ok());
        QVERIFY2(liar.message().startsWith(QStringLiteral("This module file is damaged: ")),
                 qPrintable(liar.message()));

        const QList<QPair<QString, QString>> hostile = {
            {QStringLiteral("../module.txt"), QStringLiteral("points outside the module")},
            {QStringLiteral("documents/../../x.mht"), QStringLiteral("points outside")},
            {QStringLiteral("/etc/module.txt"), QStringLiteral("names an absolute path")},
            {QStringLiteral("documents\\1.mht"), QStringLiteral("holds a backslash")},
            {QStringLiteral("C:/module.txt"), QStringLiteral("names a drive")},
            {QStringLiteral("script.js"), QStringLiteral("that a module does not have")},
            {QStringLiteral("documents/0.mht"), QStringLiteral("that a module does not have")},
            // The archive library will not write a name twice: patched in below.
            {QStringLiteral("modulX.txt"), QStringLiteral("appears twice")},
        };
        for (const auto& [name, why] : hostile) {
            QByteArray bytes = packZipEntries(
                {{QStringLiteral("module.txt"), moduleInfoText(smallModule())}, {name, "x"}});
            bytes.replace("modulX.txt", "module.txt");
            QVERIFY2(!bytes.isEmpty(), qPrintable(name));
            const QString text = message(bytes);
            QVERIFY2(text.startsWith(QStringLiteral("This module file is damaged: ")) &&
                         text.contains(why),
                     qPrintable(name + QStringLiteral(": ") + text));
        }

        // A symlink entry, marked as one in its attributes.
        QByteArray link =
            packZipEntries({{QStringLiteral("module.txt"), moduleInfoText(smallModule())},
                            {QStringLiteral("papers.txt"), "/etc/passwd"}});
        patch(link, QByteArrayLiteral("PK\x01\x02"), 38, quint32(0120777) << 16);
        QVERIFY2(message(link).contains(QStringLiteral("is a link to somewhere else")),
                 qPrintable(message(link)));

        // module.txt that breaks its own rules.
        QByteArray info = moduleInfoText(smallModule());
        info.replace("#TP#>5", "#TP#>6");
        QCOMPARE(message(repacked(smallModule(), QStringLiteral("module.txt"), info)),
                 QStringLiteral("This module file is damaged: module.txt does not give five "
                                "papers per topic (TP)."));
    }

    void validatorProblems() {
        ModuleSource script = smallModule();
        script.papers[1].questions[1].document =
            Page(QStringLiteral("<p onclick=\"go()\">Hi</p><script>fetch('x')</script>"));
        QString text = checkProblems(script);
        QVERIFY2(text.contains(QStringLiteral("Topic 1 \"Fractions\", paper 2, question 2: its "
                                              "document holds a <script> element.")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("an on... attribute")));

        ModuleSource outside = smallModule();
        outside.papers[0].questions[0].document = Page(QStringLiteral(
            "<img src=\"https://example.invalid/track.png\"><a href=\"jav&#97;script:x\">a</a>"
            "<div style=\"background: url('//cdn.invalid/b.png')\"></div>"
            "<style>@import \"file:///etc/x.css\";</style>"));
        text = checkProblems(outside);
        QVERIFY2(text.contains(QStringLiteral("paper 1, question 1: its document refers to "
                                              "\"https://example.invalid/track.png\"")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("runs a script from a link")));
        QVERIFY(text.contains(QStringLiteral("\"//cdn.invalid/b.png\"")));
        QVERIFY(text.contains(QStringLiteral("\"file:///etc/x.css\"")));

        // A word processor's single-file web page is shown as it is.
        ModuleSource word = smallModule();
        word.papers[4].questions[0].document =
            TestFiles::bytesOf(QStringLiteral(QUILLORA_TEST_DATA_DIR "/module/word_style.mht"));
        word.papers[4].questions[0].blanks[0].check.clear();
        QCOMPARE(documentProblems(word.papers[4].questions[0].document), QStringList());
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
                               {{ModuleEntry::Document(77), Page(QStringLiteral("<p>x</p>"))}})))
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
        QVERIFY(!plain.contains(30032));

        const QByteArray papers = store.itemBytes(30032);
        QVERIFY2(papers.contains("#102#>15011>15012\r\n"), papers.constData());
        QVERIFY(store.itemBytes(30033).contains("#15012#>4/5>Kevin\r\n"));
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
        QCOMPARE(module3.heading, QStringLiteral("Oak Class"));
        QCOMPARE(module3.paperCount, 5);
        QCOMPARE(module3.topicNames, QStringList{QStringLiteral("Fractions")});
        QCOMPARE(module3.paperStamps, opened(smallModule()).info().paperStamps);
        QCOMPARE(read.definition.module(2).heading,
                 readProgramDefinition(plain, dir.path()).definition.module(2).heading);

        const PaperContentRead paper = loadPaperContent(store, dir.path(), 3, 102);
        QVERIFY2(paper.ok(), qPrintable(paper.problems.join(QLatin1Char('\n'))));
        QCOMPARE(paper.content.QuestionIds, (QStringList{"15011", "15012"}));
        QCOMPARE(paper.content.AnswerKeys, (QStringList{"8", "4/5", "Kevin"}));
        QCOMPARE(paper.content.BlanksPerQuestion, (QList<int>{1, 2}));
        QCOMPARE(paper.content.TotalMarks, 5);

        store.detachModule(3);
        QVERIFY(!store.contains(30032));
        QVERIFY(readProgramDefinition(store, dir.path()).definition.module(3).heading.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestModuleFile)
#include "test_module_file.moc"
