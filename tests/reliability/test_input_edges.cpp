// Input at the edges: huge answers and documents, unstorable answers, missing
// store items. Each is kept whole or refused, and nothing stored is lost.

#include "core/PaperContent.h"
#include "core/RecordFile.h"
#include "practice/MhtmlArchive.h"
#include "test_support.h"

#include <QtTest>

using namespace TestFiles;

class TestInputEdges : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void longAnswersKeptWhole() {
        ModuleFolder folder;
        QVERIFY(folder.start());
        // 10,000 characters in every blank of paper 102 (nine blanks), with spaces
        // and the single-byte letters the files can hold.
        QStringList rows;
        for (int b = 0; b < 8; ++b)
            rows.append(QStringLiteral("caf\u00E9 12.5 ")
                            .repeated(1000)
                            .prepend(QStringLiteral(" %1 ").arg(b))
                            .left(10000));
        auto session = folder.open(102);
        QVERIFY(session->moveToQuestion(rows, 2).ok());
        QVERIFY(session->moveToQuestion({rows.first()}, 1).ok());

        auto reopened = folder.open(102);
        QCOMPARE(reopened->paper().Answers, rows + QStringList{rows.first()});
        QCOMPARE(reopened->answeredCount(), 9);

        // Marked: every long answer is simply wrong, and stays stored as typed.
        QVERIFY(reopened->prepareMarking(rows).ok());
        QVERIFY(reopened->completeMarking().ok());
        QCOMPARE(reopened->paper().PScoring, QString("0"));
        auto marked = folder.open(102);
        QVERIFY(marked->isMarked());
        QCOMPARE(marked->paper().Answers.at(3), rows.at(3));
    }

    void unstorableAnswerRefused() {
        // (Which texts a results file cannot hold is the record file's test.)
        const QString answer = "3>2";
        ModuleFolder folder;
        QVERIFY(folder.start());
        auto session = folder.open(101);
        QVERIFY(session->moveToQuestion({"9"}, 1).ok());
        const QByteArray saved = bytesOf(folder.file(ResultsFile::First));

        // Refused with a plain reason; the answers already saved stay as they were.
        const WriteOutcome refused = session->moveToQuestion({answer}, 2);
        QCOMPARE(refused.error, RecordError::Unencodable);
        QCOMPARE(refused.path, folder.file(ResultsFile::First));
        QCOMPARE(session->paper().QSCount, 1);
        QCOMPARE(bytesOf(folder.file(ResultsFile::First)), saved);

        // Marking refuses it the same way and leaves the paper not marked.
        const WriteOutcome marking = session->prepareMarking({answer});
        QCOMPARE(marking.error, RecordError::Unencodable);
        QVERIFY(!session->isMarked());
        QCOMPARE(bytesOf(folder.file(ResultsFile::First)), saved);
    }

    void largeQuestionDocument() {
        // A 5 MB question document travels through the store and the parser.
        QTemporaryDir storeDir;
        QVERIFY(copyFixtureStore(storeDir.path()));
        // A long page and a large picture.
        QByteArray page = "<html><body><p>Question 25016</p>";
        while (page.size() < 1024 * 1024)
            page += "<p>Work out 345 + 678 and write the answer in the box.</p>\r\n";
        const QByteArray base64 = noiseBytes(3 * 1024 * 1024, 5).toBase64();
        QByteArray picture;
        for (int i = 0; i < base64.size(); i += 76)
            picture += base64.mid(i, 76) + "\r\n";
        const QByteArray document =
            "MIME-Version: 1.0\r\nContent-Type: multipart/related; boundary=\"b1\"\r\n\r\n"
            "--b1\r\nContent-Type: text/html; charset=utf-8\r\nContent-Location: "
            "http://q/page.htm\r\n\r\n" +
            page +
            "<img src=\"picture.png\"></body></html>\r\n--b1\r\nContent-Type: image/png\r\n"
            "Content-Transfer-Encoding: base64\r\nContent-Location: http://q/picture.png\r\n\r\n" +
            picture + "--b1--\r\n";
        QVERIFY(document.size() >= 5 * 1024 * 1024);
        QVERIFY(writeBytes(storeDir.path() + "/store/25016.mht", document));

        ModuleFolder folder(storeDir.path());
        QVERIFY(folder.start());
        auto session = folder.open(101);
        QVERIFY(session->extractQuestionDocument());
        QCOMPARE(bytesOf(session->paper().DocumentPath), document);

        MhtmlArchive archive;
        QVERIFY2(archive.load(session->paper().DocumentPath), qPrintable(archive.errorString()));
        QVERIFY(archive.rootHtml().contains("Question 25016"));
        const int part = archive.findPart("picture.png", archive.rootIndex());
        QVERIFY(part >= 0);
        QCOMPARE(archive.parts().at(part).body.size(), 3 * 1024 * 1024);
        session->removeQuestionDocument();
        QVERIFY(!QFile::exists(session->paper().DocumentPath));
    }

    void missingStoreItem_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("message");
        // (Every table's absence is met in the paper content's own tests, and a
        // results template's in the erase's.)
        QTest::newRow("answer keys table")
            << 30023 << "The answer key table (item 30023) could not be read from the program";
        QTest::newRow("question document") << 25016 << QString();
    }

    void missingStoreItem() {
        QFETCH(int, item);
        QFETCH(QString, message);
        // The results files exist from an earlier start; then the item goes.
        QTemporaryDir storeDir;
        QVERIFY(copyFixtureStore(storeDir.path()));
        ModuleFolder folder(storeDir.path());
        QVERIFY(folder.start());
        const QDir items(storeDir.path() + "/store");
        const QStringList names = items.entryList({QString::number(item) + ".*"});
        QCOMPARE(names.size(), 1);
        QVERIFY(QFile::remove(items.filePath(names.first())));
        const QByteArray marksBefore = bytesOf(folder.file(ResultsFile::Marks));

        auto session = folder.session(101);
        const LoadOutcome loaded = session->load();
        if (!message.isEmpty()) {
            // A content table: the paper does not open, and says why.
            QCOMPARE(loaded.problem, LoadProblem::ContentUnreadable);
            QVERIFY2(loaded.details.join(' ').startsWith(message),
                     qPrintable(loaded.details.join(' ')));
            QVERIFY(!QFile::exists(folder.dir.filePath("temptext.txt")));
        } else {
            // The question document: the paper opens without it, no file left.
            QVERIFY(loaded.ok());
            QVERIFY(!session->extractQuestionDocument());
            QVERIFY(!QFile::exists(session->paper().DocumentPath));
            QVERIFY(session->moveToQuestion({"9"}, 2).ok());
        }
        QCOMPARE(bytesOf(folder.file(ResultsFile::Marks)), marksBefore);
    }
};

QTEST_GUILESS_MAIN(TestInputEdges)
#include "test_input_edges.moc"
