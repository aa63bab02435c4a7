// The checks of the bank's sources: the evaluator, each rule of the
// validator, and the store written from a source.
#include "Expression.h"
#include "Render.h"
#include "Validator.h"
#include "source_fixture.h"

#include "core/NumberWords.h"
#include "core/RecordFile.h"

#include <QTest>

using namespace bank::source;

namespace {

QString computed(const QString& expression, const PictureLookup& pictures = {}) {
    const Evaluation e = evaluate(expression, pictures);
    return e.error.isEmpty() ? e.value.describe() : "error: " + e.error;
}

// The validator's problems for a folder of the one paper.
QStringList problemsOf(const QString& yaml, const QString& file = "paper121.yaml") {
    SourceFolder folder;
    folder.write(file, yaml);
    return validateSources(folder.folder()).problems;
}

// A question read off a dial scale of 600 g; `name` names the picture.
QString scaleQuestion(int id, const QString& thing, const QString& name,
                      const QString& alt = "A dial scale.", const QString& key = "600") {
    return QStringLiteral(
               "  - id: %1\n    form: picture\n    statements: [Y2-MA-3]\n"
               "    text: \"How heavy is the %2? [pic %3] [ ] g\"\n"
               "    pictures:\n      - name: %3\n        type: scale\n        max: 1000\n"
               "        label_step: 200\n        minor: 4\n        value: 600\n        unit: g\n"
               "        alt: \"%4\"\n"
               "    blanks: [{key: \"%5\", kind: N, mark: 1, check: reading(%3)}]\n"
               "    working: [Each small mark is 50 g.]\n")
        .arg(id)
        .arg(thing, name, alt, key);
}

QString choiceQuestion(int id, const QString& options, const QString& key) {
    return QStringLiteral(
               "  - id: %1\n    form: choice\n    statements: [Y3-MA-3]\n"
               "    text: Which weighs the same as 500 g + 500 g?\n"
               "    options: [%2]\n"
               "    blanks: [{key: \"%3\", kind: Q, mark: 1, check: (500 + 500) / 1000}]\n"
               "    working: [1000 g make 1 kg.]\n")
        .arg(id)
        .arg(options, key);
}

} // namespace

class TestSourceChecks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // (Sums, comparisons and yes() as the bank's checks write them are also
    // met by the validation of its sources, each against its key.)
    void evaluatesExactly() {
        QCOMPARE(computed("3/4 - 1/4"), "0.5");
        QCOMPARE(evaluate("3/4 - 1/4").value.number.fraction(), "1/2");
        QCOMPARE(computed("0.1 + 0.2"), "0.3");
        QCOMPARE(computed("1 / 3"), "1/3");
        // Far too many places for a decimal: the fraction, not an overflow.
        QCOMPARE(computed("1 / (1024 * 1024 * 1024 * 1024 * 1024 * 1024)"),
                 "1/1152921504606846976");
        QVERIFY(computed("99999999 * 99999999 * 99999999").contains("too large"));
        QCOMPARE(computed("(2 + 3) \u00d7 4 \u00f7 5"), "4");
        QCOMPARE(computed("9 \u2212 12"), "-3");
        QVERIFY(computed("5 / (3 - 3)").contains("division by zero"));
        QVERIFY(computed("50p - 35p").contains("write numbers without units"));
        QVERIFY(computed("4 +").startsWith("error"));
        QVERIFY(computed("count(p, \"Ivan\")").contains("no picture"));

        // Readings of the question's pictures, inside sums.
        const QVariantMap t = tally("t", {{"Ivan", "12"}, {"Kevin", "5"}});
        const PictureLookup lookup = [&](const QString& name) {
            return name == QLatin1String("t") ? &t : nullptr;
        };
        QCOMPARE(computed("count(t, \"Ivan\") - count(t, \"Kevin\")", lookup), "7");
        QCOMPARE(computed("most(t)", lookup), "\"Ivan\"");

        // Values as a pupil writes them for each kind of answer.
        const Value v = evaluate("5/3").value;
        QCOMPARE(v.answers(AnswerKind::X), QStringList{"1 2/3"});
        QCOMPARE(v.answers(AnswerKind::F), QStringList{"5/3"});
        QVERIFY(evaluate("9 + 7").value.answers(AnswerKind::T).contains("sixteen"));
        QCOMPARE(numberWords(1042), "one thousand and forty-two");
        QCOMPARE(numberWords(370), "three hundred and seventy");

        QCOMPARE(normalisedExpression("9 x 2"), normalisedExpression("9*2"));
        QCOMPARE(taskSignature("2 + 7"), taskSignature("7 + 2"));
        QVERIFY(taskSignature("7 - 2") != taskSignature("7 + 2"));
        QVERIFY(taskSignature("7").isEmpty());
    }

    void goodPaperPasses() {
        SourceFolder folder;
        folder.write("paper121.yaml", weightPaper());
        const SourceReport report = validateSources(folder.folder());
        QVERIFY2(report.problems.isEmpty(), qPrintable(report.problems.join('\n')));
        QCOMPARE(report.papers, 1);
        QCOMPARE(report.questions, 20);
        // The coverage of the topic: the statement practised twenty times.
        QVERIFY(report.coverage.first().startsWith("topic 5 (1 of 5 papers"));
        QVERIFY(report.coverage.filter("Y3-MA-3").first().contains(" 20 "));
    }

    void eachRuleFails_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("message");
        const int id = idsOf(121).at(3);
        const auto add = [&](const char* name, const QString& q, const QString& message) {
            QTest::newRow(name) << 3 << q << message;
        };
        // Question 4 adds 500 g and 40 g, with this step of working and with
        // `from` changed to `to`; the problem the rule reports.
        const struct {
            const char *rule, *step, *from, *to, *message;
        } rules[] = {
            {"key against check", "Add them.", "key: \"540\"", "key: \"450\"",
             "blanks[1]: the key \"450\" (kind N) is not what its check 500 + 40 gives: 540"},
            {"restates the sum", "500 g + 40 g = 540 g.", "", "",
             "working[1]: \"500 g + 40 g = 540 g.\" restates the question's sum"},
            {"restates the data", "500 g = 500 g", "", "",
             "working[1]: \"500 g = 500 g\" restates the data"},
            {"copies the question", "A bag of rice weighs 40 g.", "", "",
             "working[1]: \"A bag of rice weighs 40 g.\" restates the data"},
            {"states the answer", "So the answer is 540 g.", "", "",
             "working[1]: a step that states the answer"},
            {"answer alone", "540 g.", "", "", "working[1]: a step that states the answer"},
            {"one parts", "Split 40 into 1 parts of forty.", "", "",
             "working[1]: \"1 parts\": one takes the singular"},
            {"a octagon", "Draw a octagon.", "", "",
             "working[1]: \"a octagon\": say \"an octagon\""},
            {"unknown statement", "Add them.", "[Y3-MA-3]", "[Y3-MA-9]",
             "statements: unknown statement \"Y3-MA-9\""},
            {"boxes", "Add them.", "[ ] g", "[ ] g or [ ] kg", "text: 2 answer boxes for 1 blanks"},
        };
        for (const auto& r : rules) {
            QString q = weightQuestion(id, 500, 40, QString::fromUtf8(r.step));
            q.replace(QString::fromUtf8(r.from), QString::fromUtf8(r.to));
            add(r.rule, q, QString::fromUtf8(r.message));
        }
        add("same task", weightQuestion(id, 100, 20, "Add them."),
            QStringLiteral("the same task on the same numbers as question %1")
                .arg(idsOf(121).at(0)));
        add("wrong id", weightQuestion(23031, 500, 40, "Add them."),
            QStringLiteral("question 4 of paper 121 has the id %1").arg(id));
        add("picture without alt", scaleQuestion(id, "parcel", "dial", QString()),
            "pictures[1].alt: picture \"dial\" has no text alternative");
        add("reading against key", scaleQuestion(id, "parcel", "dial", "A dial scale.", "650"),
            "the key \"650\" (kind N) is not what its check reading(dial) gives: "
            "600");
        add("option against key", choiceQuestion(id, "1 kg, 100 g, 5 kg, 550 g", "2"),
            "the key \"2\" (kind Q) is not what its check (500 + 500) / 1000 "
            "gives: 1");
        // "£1" shows the value too: two options cannot both be right.
        add("options showing the key twice",
            choiceQuestion(id, "1 kg, 100 g, 5 kg, \"\u00a31\"", "1"), "options 1, 4 all show 1");
        QTest::newRow("paper too short") << 19 << QString() << "19 questions; the paper has 20";
    }

    void eachRuleFails() {
        QFETCH(int, index);
        QFETCH(QString, question);
        QFETCH(QString, message);
        const QStringList problems = problemsOf(weightPaper(index, question));
        QVERIFY2(!problems.filter(message).isEmpty(),
                 qPrintable("expected: " + message + "\ngot:\n" + problems.join('\n')));
        // Every message names the file.
        for (const QString& p : problems)
            QVERIFY2(p.contains("paper121.yaml"), qPrintable(p));
    }

    void paperRules() {
        // Head of the wrong topic and year.
        QString wrongHead = weightPaper();
        wrongHead.replace("topic: 5\nyear: Y2", "topic: 6\nyear: Y3");
        QString problems = problemsOf(wrongHead).join('\n');
        QVERIFY2(problems.contains("paper 121 is in topic 5, not 6"), qPrintable(problems));
        QVERIFY2(problems.contains("year: paper 1 of its topic is at Y2, not \"Y3\""),
                 qPrintable(problems));
        // In the file of another paper.
        problems = problemsOf(weightPaper(), "paper122.yaml").join('\n');
        QVERIFY2(problems.contains("paper 121 belongs in paper121.yaml"), qPrintable(problems));
        // Paper 101, thirty questions of three marks: too many marks.
        const QList<int> ids = idsOf(101);
        QString heavy = paperHead(101, 1, "Y2", 30);
        for (int i = 0; i < ids.size(); ++i)
            heavy += weightQuestion(ids.at(i), 100 + 10 * i, 20 + i, "Add them.");
        heavy.replace("mark: 1", "mark: 3");
        problems = problemsOf(heavy, "paper101.yaml").join('\n');
        QVERIFY2(problems.contains("90 marks in all; a paper has 20 to 65"), qPrintable(problems));
        // 25016 is a sample record: key 9, kind N, mark 2.
        QVERIFY2(
            problems.contains(
                "question 25016: blanks: a sample record of the bank: keys 9, kinds N, marks 2"),
            qPrintable(problems));
    }

    void samePicture() {
        const QList<int> ids = idsOf(121);
        QString yaml = weightPaper(3, scaleQuestion(ids.at(3), "parcel", "dial"));
        yaml.replace(weightQuestion(ids.at(5), 150, 25, "Add the tens first, then the ones."),
                     scaleQuestion(ids.at(5), "melon", "scale"));
        const QStringList problems = problemsOf(yaml);
        QVERIFY2(
            !problems
                 .filter(QStringLiteral("question %1: pictures[1]: the same picture as question %2")
                             .arg(ids.at(5))
                             .arg(ids.at(3)))
                 .isEmpty(),
            qPrintable(problems.join('\n')));
        // Reading the same picture is the same task as well.
        QVERIFY(!problems.filter("the same task on the same numbers").isEmpty());
    }

    void teachingStepsAndRightKeysPass() {
        // Steps that work these numbers out, and a choice whose key alone is
        // right, are no problem.
        const int id = idsOf(121).at(3);
        QStringList questions = {choiceQuestion(id, "1 kg, 100 g, 5 kg, 50 g", "1")};
        for (const char* step :
             {"500 g + 40 g = 500 g + 20 g + 20 g.", "500 + 40 is 5 hundreds and 4 tens.",
              "1 kg = 1000 g.", "Count on 40 from 500."})
            questions << weightQuestion(id, 500, 40, QString::fromUtf8(step));
        for (const QString& question : questions) {
            const QStringList problems = problemsOf(weightPaper(3, question));
            QVERIFY2(problems.isEmpty(), qPrintable(question + problems.join('\n')));
        }
    }

    void coverage() {
        QStringList errors;
        const Curriculum curriculum =
            readCurriculum(QStringLiteral(QUILLORA_CONTENT_SOURCE "/curriculum.yaml"), &errors);
        QVERIFY(errors.isEmpty());
        QVERIFY(curriculum.statementsOfTopic(5).contains("Y2-MA-1"));
        QVERIFY(!curriculum.statementsOfTopic(5).contains("Y2-LE-1"));
        QMap<int, QMap<QString, int>> practised;
        for (const QString& s : curriculum.statementsOfTopic(5))
            practised[5][s] = 2;
        practised[5]["Y4-MA-3"] = 0;
        // Four papers of five written: no verdict yet.
        QVERIFY(coverageProblems(curriculum, {{5, 4}}, practised).isEmpty());
        QCOMPARE(coverageProblems(curriculum, {{5, 5}}, practised),
                 QStringList{"topic 5: statement Y4-MA-3 (problems with mixed "
                             "units of mass) is never practised"});
        // Topics 1 and 2 share their statements: one of them practising it is enough.
        for (const QString& s : curriculum.statementsOfTopic(1))
            practised[s.startsWith(QLatin1String("Y4")) ? 2 : 1][s] = 1;
        QVERIFY(coverageProblems(curriculum, {{1, 5}}, practised).isEmpty());
        QVERIFY(coverageProblems(curriculum, {{1, 5}, {2, 5}}, practised).isEmpty());
        practised[2].remove("Y4-PV-6");
        QVERIFY(
            !coverageProblems(curriculum, {{1, 5}, {2, 5}}, practised).filter("Y4-PV-6").isEmpty());
    }

    void grammar() {
        const QStringList fine =
            QString(
                "1 part is shaded.|Two \u00a31 coins.|an octagon and a hexagon|a unicorn, a one|"
                "an 8 and a 7|21 parts and 1.5 cups|an hour|Row 1 has 4 stars.|"
                "a European coin|A is bigger than B.")
                .split('|');
        for (const QString& text : fine)
            QVERIFY2(grammarSlips(text).isEmpty(),
                     qPrintable(text + ": " + grammarSlips(text).join(' ')));
        const QStringList slips = {"1 ones", "a apple", "an pear", "a hour", "a 8", "1 pens"};
        for (const QString& text : slips)
            QVERIFY2(grammarSlips(text).size() == 1, qPrintable(text));
    }

    void digestFollowsWhatIsAnswered() {
        const auto digest = [](const QString& yaml) {
            const PaperRead read = readPaperText(yaml.toUtf8(), "paper121.yaml");
            return read.errors.isEmpty() ? paperDigest(read.paper) : QByteArray();
        };
        const QByteArray base = digest(weightPaper());
        QVERIFY(!base.isEmpty());
        const int id = idsOf(121).at(3);
        const QString working = "Add the tens first, then the ones.";
        // Another working, the same questions: the saved answers still fit.
        QCOMPARE(digest(weightPaper(3, weightQuestion(id, 130, 23, "Add 20, then 3."))), base);
        // Other numbers: they do not.
        QVERIFY(digest(weightPaper(3, weightQuestion(id, 130, 24, working))) != base);
        QString mark = weightQuestion(id, 130, 23, working);
        mark.replace("mark: 1", "mark: 2");
        QVERIFY(digest(weightPaper(3, mark)) != base);
    }

    void shapeRules() {
        const QList<bank::PaperSpec> plan = bank::bankPlan();
        const auto problems = [&](int paper, const QList<int>& blanks) {
            return StoreWriter::shapeProblems(plan.at(paper - 101), blanks, "p: ").join('\n');
        };
        // Paper 116: twenty questions, nineteen of one blank; the other anywhere.
        QList<int> paper116(20, 1);
        paper116[3] = 4;
        QCOMPARE(problems(116, paper116), QString());
        paper116[7] = 2;
        QCOMPARE(problems(116, paper116),
                 "p: 18 questions with one blank; the paper must have 19 (and 1 "
                 "with several)");
        QCOMPARE(problems(116, QList<int>(19, 1)), "p: 19 questions; the paper has 20");
        // Paper 136 as the sample records have it, question by question.
        QCOMPARE(problems(136, {8, 8, 4, 10, 10}), QString());
        QCOMPARE(problems(136, {8, 8, 10, 4, 10}),
                 "p: the questions must have 8, 8, 4, 10, 10 blanks");
        // Paper 141: sixty blanks, six questions of one.
        QList<int> paper141 = {1, 3, 4, 1, 3, 4, 3, 1, 5, 4, 3, 1, 4, 4, 3, 1, 5, 4, 5, 1};
        QCOMPARE(problems(141, paper141), QString());
        std::swap(paper141[1], paper141[2]);
        QCOMPARE(problems(141, paper141), QString());
        paper141[2] = 2;
        QCOMPARE(problems(141, paper141), "p: 59 blanks in all; the paper has 60");
    }

    void storeFromSource() {
        // The shipped sources with paper 121 replaced by the test's own, written
        // over a store that holds a question no longer in the bank, an item of a
        // module not shipped, a file that is not the bank's and an item to
        // overwrite.
        SourceFolder folder(QStringLiteral(QUILLORA_CONTENT_SOURCE));
        folder.write("paper121.yaml", weightPaper());
        QTemporaryDir out;
        const QDir store(out.path());
        for (const char* name : {"23030.mht", "30011.txt", "README.txt", "25016.mht"}) {
            QFile file(store.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
        }
        QStringList problems = StoreWriter(store.path(), folder.folder()).writeAll();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        const QStringList files = store.entryList(QDir::Files);
        QVERIFY(files.contains("README.txt"));
        QVERIFY(!files.contains("23030.mht"));
        QVERIFY(!files.contains("30011.txt"));
        // (The shipped papers as the shipped store has them: bank_store_reproducible.)
        QVERIFY(bytesOf(store.filePath("25016.mht")) != "old");
        const int first = idsOf(121).first();
        QVERIFY(bytesOf(store.filePath("30023.txt"))
                    .contains(QStringLiteral("#%1#>120\r\n").arg(first).toLatin1()));
        QVERIFY(bytesOf(store.filePath(QString::number(first) + ".mht"))
                    .contains("A bag of flour weighs 100 g."));
        // The definition stamps each paper with the digest of its source.
        const Read<QStringList> stamps = ReadRecordAllFields(store.filePath("30000.txt"), "PS2");
        QVERIFY(stamps.ok());
        QCOMPARE(stamps.value.size(), 50);
        const QByteArray digest = paperDigest(readPaperText(weightPaper().toUtf8(), "x").paper);
        QCOMPARE(stamps.value.at(20), "3." + QString::fromLatin1(digest.toHex().left(10)));
        QVERIFY(stamps.value.at(19) != stamps.value.at(21));

        // Without one paper's source nothing is written, and the one problem
        // names the missing file.
        QVERIFY(QFile::remove(folder.path("paper123.yaml")));
        const QString nowhere = out.filePath("store");
        problems = StoreWriter(nowhere, folder.folder()).writeAll();
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.first().startsWith(folder.path("paper123.yaml")) &&
                     problems.first().contains(QLatin1String("paper 123 has no source")),
                 qPrintable(problems.first()));
        QVERIFY(!QDir(nowhere).exists());
        // Nor when a source cannot be read.
        folder.write("paper121.yaml", weightPaper(2, "  - id: [\n"));
        problems = StoreWriter(nowhere, folder.folder()).writeAll();
        QVERIFY(!problems.isEmpty());
        QVERIFY(problems.first().contains("paper121.yaml"));
        QVERIFY(!QDir(nowhere).exists());
    }
};

QTEST_GUILESS_MAIN(TestSourceChecks)
#include "test_source_checks.moc"
