// The content tool run as a program: validate on a sound store and on one with
// planted faults (broken_store: "faults" over "base"), and its other commands.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "practice/MhtmlArchive.h"
#include "practice/QuestionWorking.h"
#include "practice/SpokenQuestion.h"
#include "test_support.h"

namespace {

struct Run {
    int exitCode = -1;
    QStringList out; // stdout lines
    QString err;
};

Run runTool(const QStringList& args, const QByteArray& input = QByteArray()) {
    QProcess p;
    p.start(QStringLiteral(QUILLORA_CONTENT_TOOL), args);
    Run r;
    if (!p.waitForStarted(10000))
        return r;
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    r.out = text.split(QLatin1Char('\n'));
    if (!r.out.isEmpty() && r.out.last().isEmpty())
        r.out.removeLast();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Run validate(const QString& store) {
    return runTool({"--store", store, "validate"});
}

// Copies the files under from to the same places under to, over any there.
bool copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QFile::remove(target);
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

// The sound store with the shipped window graphics, in folder.
bool makeSoundStore(const QString& folder) {
    return copyTree(QStringLiteral(QUILLORA_TEST_DATA_DIR "/broken_store/base"), folder) &&
           copyTree(QStringLiteral(QUILLORA_SOURCE_DIR "/content/graphics"), folder + "/graphics");
}

} // namespace

class TestContentTool : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_brokenDir.isValid() && m_workingDir.isValid());
        const QString store = m_brokenDir.path();
        QVERIFY(makeSoundStore(store));
        QVERIFY(copyTree(QStringLiteral(QUILLORA_TEST_DATA_DIR "/broken_store/faults"), store));
        QVERIFY(QFile::remove(store + "/graphics/bullet.bmp"));
        m_broken = validate(store);

        // The sound store with a teacher's document with working (23005) and
        // one without (23006).
        QVERIFY(makeSoundStore(m_workingDir.path()));
        for (const auto& [item, sample] :
             {std::pair("23005", "with_working.mht"), std::pair("23006", "browser_saved.mht")}) {
            const QString target = m_workingDir.filePath(QStringLiteral("store/%1.mht").arg(item));
            QVERIFY(QFile::remove(target));
            QVERIFY(QFile::copy(QStringLiteral(QUILLORA_TEST_DATA_DIR "/mhtml/") + sample, target));
        }
    }

    void validateSoundStoreThenWithItemsMissing() {
        QTemporaryDir dir;
        QVERIFY(makeSoundStore(dir.path()));
        Run r = validate(dir.path());
        // One figures line per paper, then the summary.
        QCOMPARE(r.out.size(), 6);
        QCOMPARE(r.out.first(),
                 QStringLiteral("paper 101: 2 questions, 2 kinds, at most 1 of a kind, "
                                "at most 1 in a row, difficulty 2.28"));
        QCOMPARE(r.out.last(),
                 QStringLiteral("5 papers, 8 questions, 13 blanks, 16 marks: no problems"));
        QCOMPARE(r.exitCode, 0);

        // A content table and the trend template are looked for apart.
        for (const char* f : {"store/30023.txt", "store/30126.txt"})
            QVERIFY(QFile::remove(dir.filePath(QString::fromLatin1(f))));
        r = validate(dir.path());
        QCOMPARE(r.exitCode, 1);
        for (const char* line :
             {"30023: item missing from the store", "30126: item missing from the store"})
            QVERIFY2(r.out.contains(QString::fromUtf8(line)), line);
    }

    void validateReportsPlantedFault_data() {
        QTest::addColumn<QString>("line");
        // Each line names one fault planted in tests/data/broken_store/faults.
        static const char* const lines[] = {
            "30000: program code \"Q/S\" cannot be part of a results file name",
            "30000: TN2 names 2 topics, but TT2 is 1",
            "30000: PS2 stamps 3 papers, but TP2 is 5",
            "30022: paper 102, question 3: \"2300\" is not a five-digit question id",
            "30022: paper 104, question 2: 23001 is already listed in paper 101",
            "30022: line 7: record 106 is not a paper of module 2 (101 to 105)",
            "30025: 1 line(s) end in LF alone; lines must end in CR LF",
            "30023: question 23003: 1 keys, 2 kinds and 1 marks; the three must agree",
            "30025: no record for question 23008 of paper 105",
            "30024: records out of paper order: 23002 (paper 101) stands before 23001 (paper "
            "101); papers load in one forward pass",
            "30023: question 23001 (a): kind N key \"twelve\" is not a number",
            "30023: question 23002 (b): kind X key \"5/3\" has no space between the whole number "
            "and the fraction",
            "30023: question 23004 (a): kind Q key \"12\" is longer than the one character its "
            "answer box takes",
            "30025: question 23004 (a): mark \"4\" is not 1, 2 or 3",
            "30023: question 23005 (a): a group of 3 blanks has only 2 alternatives, so one blank "
            "can never be right",
            "30023: question 23006 (a): kind M key \"cat\" lists no alternatives (\";a;b\")",
            "30024: question 23007 (a): unknown answer kind \"Z\"",
            "30025: paper 104: its marks total 0; at least 1",
            "30023: question 23010 has 21 blanks; the answer sheet shows at most 20",
            "30022: paper 105 has 84 blanks; at most 80",
            "30121: SSE has 4 fields; the module has 5 papers",
            "30121: FST field 2 is \"1\"; \"0\" expected",
            "30122: paper 101 has 2 fields for its 3 blanks",
            "30122: record 103 stands before the record of paper 102; papers must follow in "
            "ascending order",
            "30124: differs from item 30122; the four answer and results templates are identical",
            "30126: the trend template must be exactly the 5 bytes \"#TRD#\" with no line end; it "
            "holds 7 bytes",
            "1: \"about_off.bmp\": 8 bits per pixel; 24 expected",
            "5: \"back_off.bmp\": pixel data cut short: 46 bytes for 8280 needed",
            "81: graphics file \"bullet.bmp\" is missing",
            "85: \"Qzicon.ico\": not an ICO file (header 0, 1 missing)",
            "89: \"Logo.gif\": GIF data cut short (no trailer)",
            "graphics/Bullet.bmp: not one of the graphics items (file names are case-sensitive)",
            "23001: 14 line end(s) are not CR LF (first at line 1); the HTML view refuses such an "
            "archive",
            "23002: the boundary \"abc\" never occurs",
            "23004: the closing boundary \"--b--\" is missing",
            "23005: not a multipart/related archive (Content-Type: text/html)",
            "23006: part 2: its base64 body is damaged",
            "23008: <img src=\"graph.svg\"> points to a part of type text/plain, not an image",
            "23013: question document missing",
            "23099: item \"23099.mht\" is not used: no paper lists it and no defined module needs "
            "it",
        };
        for (const char* line : lines)
            QTest::newRow(line) << QString::fromUtf8(line);
    }

    void validateReportsPlantedFault() {
        QFETCH(QString, line);
        QVERIFY2(m_broken.out.contains(line),
                 qPrintable("missing: " + line + "\n--- output:\n" + m_broken.out.join('\n')));
        QCOMPARE(m_broken.exitCode, 1);
        // The summary comes last and counts exactly the problem lines above it
        // (the papers' figures aside).
        const QString summary = m_broken.out.last();
        const qsizetype figures =
            m_broken.out.filter(QRegularExpression(QStringLiteral("^paper \\d+: \\d+ questions, ")))
                .size();
        QVERIFY2(summary.endsWith(
                     QStringLiteral(": %1 problems").arg(m_broken.out.size() - 1 - figures)),
                 qPrintable(summary));
    }

    // The commands that change no store: what they print and how they exit.
    void commandsReply_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QString>("err"); // part of standard error
        const auto row = [](const char* name, const QStringList& args, const char* input,
                            int exitCode, const QStringList& out, const QString& err = "") {
            QTest::newRow(name) << args << QByteArray(input) << exitCode << out << err;
        };
        // A paper with its working: a teacher's document with working (23005)
        // and one without (23006). The working's plain text has tests of its
        // own, and so have what "Read to me" says of it.
        MhtmlArchive document;
        QVERIFY(document.load(QStringLiteral(QUILLORA_TEST_DATA_DIR "/mhtml/with_working.mht")));
        const QString working = m_workingDir.path();
        QStringList expected{"Paper 103: topic 1 \"Numbers\", paper 3 of 5 (module 2 \"Practice\")",
                             "Question 1 (23005): 3 blanks",
                             "  (a) blank 1: kind G, key \";2;3;5\", mark 1",
                             "  (b) blank 2: kind G, key \" \", mark 1",
                             "  (c) blank 3: kind G, key \" \", mark 1",
                             "  Working:"};
        for (const QString& line : QuestionWorking::plainTextLines(document.workingHtml()))
            expected << "    " + line;
        expected << "Question 2 (23006): 1 blank"
                 << "  (a) blank 4: kind M, key \";cat;dog\", mark 2"
                 << "  Working: none"
                 << "Total: 2 questions, 4 blanks, 5 marks";
        row("paper with working", {"--store", working, "--working", "paper", "103"}, "", 0,
            expected);
        const auto said = [&document](bool withWorking) {
            return SpokenQuestion::spokenTextOf(document, withWorking).split(QLatin1Char('\n'));
        };
        row("speech", {"--store", working, "speech", "23005"}, "", 0, said(false));
        row("speech with working", {"--store", working, "--working", "speech", "23005"}, "", 0,
            said(true));
        const ResourceStore builtIn;
        const QList<int> ids = builtIn.ids();
        const int id = *std::find_if(ids.begin(), ids.end(), [](int i) { return i >= 10000; });
        QVERIFY(document.parse(builtIn.itemBytes(id)));
        row("speech of the built-in store", {"speech", QString::number(id)}, "", 0, said(false));
        const QString c = QStringLiteral("correct"), w = QStringLiteral("wrong");
        // The program's answer checking has tests of its own; these rows catch the
        // arguments reaching it in the wrong order or trimmed.
        row("check: alternative in another case", {"check", "M", ";cat;dog", "Dog"}, "", 0, {c});
        row("check: empty answer", {"check", "N", "15", ""}, "", 0, {w});
        row("check: unknown kind", {"check", "Z", "1", "1"}, "", 0, {"none"});
        row("mark: group answer taken twice", {"mark"}, "G\t;2;3;5\t3\nG\t \t2\nG\t \t2\n", 0,
            {c, c, w});
        row("mark: follower key is one space, not trimmed away", {"mark"}, "G\t;2;3\t2\nG\t \t3\n",
            0, {c, c});
        row("mark: CR LF ends are not part of the answer", {"mark"}, "N\t12\t12\r\nT\tcat\tCat\r\n",
            0, {c, c});
        row("mark: last line without a line end", {"mark"}, "N\t24.80\t24.8\nF\t3/10\t3 / 10", 0,
            {c, c});
        row("mark: tab inside the answer stays in the answer", {"mark"}, "T\tcat\tcat\tdog\n", 0,
            {w});
        row("mark: empty answer", {"mark"}, "N\t5\t\n", 0, {w});
        row("mark: no blanks at all", {"mark"}, "", 0, {});
        row("mark: malformed line", {"mark"}, "N\t12\t12\nN\t12\n", 2, {},
            "line 2: expected KIND<TAB>KEY<TAB>ANSWER");
        const QString base = QStringLiteral(QUILLORA_TEST_DATA_DIR "/broken_store/base");
        row("paper beyond the module", {"--store", base, "paper", "106"}, "", 1, {},
            "no paper 106");
        row("speech of a table", {"--store", base, "speech", "30126"}, "", 1, {},
            "no question document");
        row("speech of no item", {"--store", base, "speech", "23999"}, "", 1, {}, "no store item");
        const QString nowhere = m_workingDir.filePath(QStringLiteral("no/such/t.txt"));
        row("extract of an absent item", {"--store", base, "extract", "30012", nowhere}, "", 2, {},
            "item 30012 could not be written to " + nowhere + " (error 2)");
        row("extract into a missing folder", {"--store", base, "extract", "30126", nowhere}, "", 3,
            {}, "(error 3)");
        const char* usage = "usage: quillora-content";
        row("help", {"--help"}, "", 0, {usage});
        // Refused with the usage, before anything is read (arguments split at spaces).
        for (const char* args : {"", "frobnicate", "check N 1", "paper", "speech", "paper abc",
                                 "paper 99", "extract x /tmp/y", "extract 70000 /tmp/y",
                                 "validate now", "--store /no/such/folder validate", "--store",
                                 "--module 7 paper 101", "--working validate", "--fast validate"})
            row(qPrintable(QStringLiteral("usage: ") + args),
                QString(args).split(' ', Qt::SkipEmptyParts), "", 2, {}, usage);
    }

    void commandsReply() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QStringList, out);
        QFETCH(QString, err);
        const Run r = runTool(args, input);
        QCOMPARE(r.exitCode, exitCode);
        if (args == QStringList{QStringLiteral("--help")}) // the usage, then the commands
            QVERIFY(r.out.value(0).startsWith(out.at(0)));
        else
            QCOMPARE(r.out, out);
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
    }

    // (That the item replaces what the file held: test_resource_store.)
    void extractCopiesItem() {
        const QString target = m_workingDir.filePath(QStringLiteral("trend.txt"));
        const Run r = runTool({"--store", m_workingDir.path(), "extract", "30126", target});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(TestFiles::bytesOf(target), QByteArray("#TRD#"));
    }

private:
    QTemporaryDir m_brokenDir;
    Run m_broken;
    QTemporaryDir m_workingDir;
};

QTEST_GUILESS_MAIN(TestContentTool)
#include "test_content_tool.moc"
