// A teacher's module packed from its sources: the sample packs, twice to the
// same bytes; each refusal of the pack names the file and line with a message,
// and leaves nothing to write.

#include "ModulePack.h"
#include "source_fixture.h"

#include "core/ModuleFile.h"
#include "core/RecordFile.h"

#include <QTest>

using namespace bank::source;

static const QString Samples = QStringLiteral(QUILLORA_CONTENT_SOURCE "/../samples");

class TestModulePack : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sampleRoundTrip() {
        const PackResult first = packModule(Samples);
        QVERIFY2(first.problems.isEmpty(), qPrintable(first.problems.join('\n')));
        QCOMPARE(packModule(Samples).bytes, first.bytes);
        // (The program's own check of the packed sample: content_validate_sample_module.)
        const ModuleFile file = ModuleFile::fromBytes(first.bytes);
        QVERIFY2(file.ok(), qPrintable(file.message()));
        QCOMPARE(file.info().mid, "sample-year3-autumn");
        QCOMPARE(file.info().heading, "Our class");
        QCOMPARE(file.info().topicNames,
                 QStringList({"Fractions of amounts", "Time in our school day"}));
        QCOMPARE(file.info().paperCount, 10);

        // Questions numbered within their paper (paper k's from 100k + 1),
        // every one with its document; the teacher's page travels byte for byte.
        int questions = 0;
        for (int k = 0; k < first.module.papers.size(); ++k) {
            int n = 0;
            for (const ModuleQuestion& q : first.module.papers.at(k).questions) {
                QCOMPARE(q.id, 100 * k + ++n);
                ++questions;
            }
        }
        QCOMPARE(file.documentIds().size(), questions);
        const ModuleQuestion& page = first.module.papers.at(7).questions.at(0);
        QCOMPARE(page.document, bytesOf(Samples + "/timetable.mht"));
        QCOMPARE(page.blanks.at(1).check, QString());

        // Readings of pictures arrive as the values they read.
        const auto checkOf = [&](int k, int q) {
            return first.module.papers.at(k).questions.at(q).blanks.at(0).check;
        };
        QCOMPARE(checkOf(0, 1), "(1/4)");
        QCOMPARE(checkOf(2, 2), "2 / 6");
        QCOMPARE(checkOf(5, 0), "'8:45'");
        const int clock = first.module.papers.at(5).questions.at(0).id;
        QVERIFY(
            file.checksTable().contains(QByteArray("#" + QByteArray::number(clock) + "#>'8:45'")));
    }

    void resolvingReadings() {
        const QVariantMap p = tally("p", {{"Ivan", "12"}, {"Kev", "7"}});
        const PictureLookup lookup = [&](const QString& name) {
            return name == QLatin1String("p") ? &p : nullptr;
        };
        QString why;
        // A label in quotes holding a bracket, and yes(...) around a reading.
        QCOMPARE(resolveReadings("count(p, \"Ivan\") - count(p,\"Kev\")", lookup, &why), "12 - 7");
        QCOMPARE(resolveReadings("yes(count(p, \"Kev\") < 10)", lookup, &why), "yes(7 < 10)");
        QCOMPARE(resolveReadings("most(p)", lookup, &why), "'Ivan'");
        QVERIFY(why.isEmpty());
        QCOMPARE(resolveReadings("'count(p)'", lookup, &why), "'count(p)'");
        QVERIFY(resolveReadings("2 * total(q)", lookup, &why).isEmpty());
        QVERIFY(why.contains("no picture \"q\""));
    }

    void refusals_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("from"); // empty: the file removed
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* file, const char* from, const char* to,
                            const char* expected) {
            QTest::newRow(name) << file << QByteArray(from) << QByteArray(to) << expected;
        };
        row("missing document", "timetable.mht", "", "",
            "topic2-paper3.yaml:5: question 1: document: there is no file \"timetable.mht\"");
        row("document that does not parse", "timetable.mht", "boundary=\"----=_NextPart",
            "boundary=\"elsewhere",
            "topic2-paper3.yaml:5: question 1: document: \"timetable.mht\" cannot be read as a "
            "single-file web page");
        row("document with a script", "timetable.mht", "Here is the timetable",
            "<script>go()</script>Here is the timetable",
            "topic2-paper3.yaml:5: question 1: document: \"timetable.mht\": ");
        row("key against its check", "topic1-paper1.yaml", "key: \"12\"", "key: \"13\"",
            "topic1-paper1.yaml:4: question 1: blanks[1]: the key \"13\" (kind N) is not what its "
            "check 24 / 2 gives: 12");
        row("topic without five papers", "topic2-paper4.yaml", "", "",
            "module.yaml:9: topic 2 \"Time in our school day\" needs five papers; there is no file "
            "for paper 4");
        row("too many topics", "module.yaml", "  - Time in our school day\n",
            "  - Time in our school day\n  - A\n  - B\n  - C\n  - D\n  - E\n"
            "  - F\n  - G\n  - H\n  - I\n",
            "module.yaml:8: topics: 11 topics; a module has at most 10");
        row("a comparison with >", "topic2-paper3.yaml", "yes(60 < 90)", "yes(90 > 60)",
            "topic2-paper3.yaml:31: question 3: blanks[1].check: write the comparison the other "
            "way round");
    }

    void refusals() {
        QFETCH(QString, file);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, expected);
        SourceFolder copy(Samples);
        if (from.isEmpty())
            QVERIFY(QFile::remove(copy.path(file)));
        else
            copy.replace(file, from, to);
        const PackResult result = packModule(copy.folder());
        const QString line = result.problems.filter(expected).value(0);
        QVERIFY2(!line.isEmpty(), qPrintable(result.problems.join('\n')));
        QVERIFY(line.startsWith(copy.path(QString())));
        QVERIFY(result.bytes.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestModulePack)
#include "test_module_pack.moc"
