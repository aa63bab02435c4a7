// The checks of the bank's sources: the evaluator, each rule of the
// validator, and the store written from a source.
#include "Expression.h"
#include "Render.h"
#include "Validator.h"
#include "source_fixture.h"

#include "core/NumberWords.h"
#include "core/RecordFile.h"

#include <QCryptographicHash>
#include <QTest>

using namespace bank::source;

namespace {

QString computed(const QString& expression, const PictureLookup& pictures = {}) {
    const Evaluation e = evaluate(expression, pictures);
    return e.error.isEmpty() ? e.value.describe() : QStringLiteral("error: ") + e.error;
}

// The validator's problems for paper 121 with question `index` replaced.
QStringList problemsWithQuestion(int index, const QString& question) {
    SourceFolder folder;
    folder.write(QStringLiteral("paper121.yaml"), weightPaper(index, question));
    return validateSources(folder.folder(), 121).problems;
}

QByteArray storeDigest(const QString& store) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const QStringList names = QDir(store).entryList(QDir::Files, QDir::Name);
    for (const QString& name : names) {
        QFile file(QDir(store).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        hash.addData(name.toUtf8());
        hash.addData(file.readAll());
    }
    return hash.result();
}

} // namespace

class TestSourceChecks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void evaluatesExactly() {
        QCOMPARE(computed(QStringLiteral("3/4 - 1/4")), QStringLiteral("0.5"));
        QCOMPARE(evaluate(QStringLiteral("3/4 - 1/4")).value.number.fraction(),
                 QStringLiteral("1/2"));
        QCOMPARE(computed(QStringLiteral("7.80 + 17.00")), QStringLiteral("24.8"));
        QCOMPARE(computed(QStringLiteral("0.1 + 0.2")), QStringLiteral("0.3"));
        QCOMPARE(computed(QStringLiteral("1 / 3")), QStringLiteral("1/3"));
        // Far too many places for a decimal: the fraction, not an overflow.
        QCOMPARE(computed(QStringLiteral("1 / (1024 * 1024 * 1024 * 1024 * 1024 * 1024)")),
                 QStringLiteral("1/1152921504606846976"));
        QVERIFY(computed(QStringLiteral("99999999 * 99999999 * 99999999"))
                    .contains(QStringLiteral("too large")));
        QCOMPARE(computed(QStringLiteral("2 + 3 x 4")), QStringLiteral("14"));
        QCOMPARE(computed(QStringLiteral("(2 + 3) \u00d7 4 \u00f7 5")), QStringLiteral("4"));
        QCOMPARE(computed(QStringLiteral("9 \u2212 12")), QStringLiteral("-3"));
        QCOMPARE(computed(QStringLiteral("4 x 6 = 6 x 4")), QStringLiteral("true"));
        QCOMPARE(computed(QStringLiteral("36 < 29")), QStringLiteral("false"));
        QCOMPARE(computed(QStringLiteral("yes(1/2 = 2/4)")), QStringLiteral("\"yes\""));
        QCOMPARE(computed(QStringLiteral("'Kevin'")), QStringLiteral("\"Kevin\""));
        QVERIFY(
            computed(QStringLiteral("5 / (3 - 3)")).contains(QStringLiteral("division by zero")));
        QVERIFY(computed(QStringLiteral("50p - 35p"))
                    .contains(QStringLiteral("write numbers without units")));
        QVERIFY(computed(QStringLiteral("4 +")).startsWith(QStringLiteral("error")));
        QVERIFY(
            computed(QStringLiteral("count(p, \"Ivan\")")).contains(QStringLiteral("no picture")));

        // Readings of the question's pictures, inside sums.
        const QVariantMap tally{
            {QStringLiteral("name"), QStringLiteral("t")},
            {QStringLiteral("type"), QStringLiteral("tally")},
            {QStringLiteral("title"), QStringLiteral("Goals")},
            {QStringLiteral("rows"),
             QVariantList{QVariantMap{{QStringLiteral("label"), QStringLiteral("Ivan")},
                                      {QStringLiteral("value"), QStringLiteral("12")}},
                          QVariantMap{{QStringLiteral("label"), QStringLiteral("Kevin")},
                                      {QStringLiteral("value"), QStringLiteral("5")}}}}};
        const PictureLookup lookup = [&](const QString& name) {
            return name == QLatin1String("t") ? &tally : nullptr;
        };
        QCOMPARE(computed(QStringLiteral("count(t, \"Ivan\") - count(t, \"Kevin\")"), lookup),
                 QStringLiteral("7"));
        QCOMPARE(computed(QStringLiteral("most(t)"), lookup), QStringLiteral("\"Ivan\""));

        // Values as a pupil writes them for each kind of answer.
        const Value v = evaluate(QStringLiteral("5/3")).value;
        QCOMPARE(v.answers(AnswerKind::X), QStringList{QStringLiteral("1 2/3")});
        QCOMPARE(v.answers(AnswerKind::F), QStringList{QStringLiteral("5/3")});
        QVERIFY(evaluate(QStringLiteral("9 + 7"))
                    .value.answers(AnswerKind::T)
                    .contains(QStringLiteral("sixteen")));
        QCOMPARE(numberWords(1042), QStringLiteral("one thousand and forty-two"));
        QCOMPARE(numberWords(370), QStringLiteral("three hundred and seventy"));

        QCOMPARE(normalisedExpression(QStringLiteral("9 x 2")),
                 normalisedExpression(QStringLiteral("9*2")));
        QCOMPARE(taskSignature(QStringLiteral("2 + 7")), taskSignature(QStringLiteral("7 + 2")));
        QVERIFY(taskSignature(QStringLiteral("7 - 2")) != taskSignature(QStringLiteral("7 + 2")));
        QVERIFY(taskSignature(QStringLiteral("7")).isEmpty());
    }

    void goodPaperPasses() {
        SourceFolder folder;
        folder.write(QStringLiteral("paper121.yaml"), weightPaper());
        const SourceReport report = validateSources(folder.folder());
        QVERIFY2(report.problems.isEmpty(), qPrintable(report.problems.join(QLatin1Char('\n'))));
        QCOMPARE(report.papers, 1);
        QCOMPARE(report.questions, 20);
        // The coverage of the topic: the statement practised twenty times.
        QVERIFY(report.coverage.first().startsWith(QStringLiteral("topic 5 (1 of 5 papers")));
        QVERIFY(report.coverage.filter(QStringLiteral("Y3-MA-3"))
                    .first()
                    .contains(QStringLiteral(" 20 ")));
    }

    void eachRuleFails_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("message");
        const int id = idsOf(121).at(3);
        const QString working = QStringLiteral("Add the tens first, then the ones.");
        const auto add = [&](const char* name, const QString& q, const QString& message) {
            QTest::newRow(name) << 3 << q << message;
        };
        QString wrongKey = weightQuestion(id, 500, 40, working);
        wrongKey.replace(QStringLiteral("key: \"540\""), QStringLiteral("key: \"450\""));
        add("key against check", wrongKey,
            QStringLiteral("blanks[1]: the key \"450\" (kind N) is not what its check 500 + 40 "
                           "gives: 540"));
        add("same task", weightQuestion(id, 100, 20, working),
            QStringLiteral("the same task on the same numbers as question %1")
                .arg(idsOf(121).at(0)));
        add("restates the sum",
            weightQuestion(id, 500, 40, QStringLiteral("500 g + 40 g = 540 g.")),
            QStringLiteral("working[1]: \"500 g + 40 g = 540 g.\" restates the question's sum"));
        add("restates the data", weightQuestion(id, 500, 40, QStringLiteral("500 g = 500 g")),
            QStringLiteral("working[1]: \"500 g = 500 g\" restates the data"));
        add("copies the question",
            weightQuestion(id, 500, 40, QStringLiteral("A bag of rice weighs 40 g.")),
            QStringLiteral("working[1]: \"A bag of rice weighs 40 g.\" restates the data"));
        add("states the answer",
            weightQuestion(id, 500, 40, QStringLiteral("So the answer is 540 g.")),
            QStringLiteral("working[1]: a step that states the answer"));
        add("answer alone", weightQuestion(id, 500, 40, QStringLiteral("540 g.")),
            QStringLiteral("working[1]: a step that states the answer"));
        add("one parts",
            weightQuestion(id, 500, 40, QStringLiteral("Split 40 into 1 parts of forty.")),
            QStringLiteral("working[1]: \"1 parts\": one takes the singular"));
        add("a octagon", weightQuestion(id, 500, 40, QStringLiteral("Draw a octagon.")),
            QStringLiteral("working[1]: \"a octagon\": say \"an octagon\""));
        add("1 tens", weightQuestion(id, 500, 40, QStringLiteral("There are 1 tens.")),
            QStringLiteral("working[1]: \"1 tens\": one takes the singular"));
        QString unknown = weightQuestion(id, 500, 40, working);
        unknown.replace(QStringLiteral("[Y3-MA-3]"), QStringLiteral("[Y3-MA-9]"));
        add("unknown statement", unknown,
            QStringLiteral("statements: unknown statement \"Y3-MA-9\""));
        QString boxes = weightQuestion(id, 500, 40, working);
        boxes.replace(QStringLiteral("[ ] g"), QStringLiteral("[ ] g or [ ] kg"));
        add("boxes", boxes, QStringLiteral("text: 2 answer boxes for 1 blanks"));
        add("wrong id", weightQuestion(23031, 500, 40, working),
            QStringLiteral("question 4 of paper 121 has the id %1").arg(id));
        QString mark = weightQuestion(id, 500, 40, working);
        mark.replace(QStringLiteral("mark: 1"), QStringLiteral("mark: 3"));
        const QString pictureQuestion = QStringLiteral(
            "  - id: %1\n    form: picture\n    statements: [Y2-MA-3]\n"
            "    text: \"How heavy is the parcel? [pic dial] [ ] g\"\n"
            "    pictures:\n      - name: dial\n        type: scale\n        max: 1000\n"
            "        label_step: 200\n        minor: 4\n        value: 600\n        unit: g\n"
            "        alt: \"%2\"\n"
            "    blanks: [{key: \"%3\", kind: N, mark: 1, check: reading(dial)}]\n"
            "    working: [Each small mark is 50 g.]\n");
        add("picture without alt", pictureQuestion.arg(id).arg(QString(), QStringLiteral("600")),
            QStringLiteral("pictures[1].alt: picture \"dial\" has no text alternative"));
        add("reading against key",
            pictureQuestion.arg(id).arg(QStringLiteral("A dial scale."), QStringLiteral("650")),
            QStringLiteral("the key \"650\" (kind N) is not what its check reading(dial) gives: "
                           "600"));
        const QString choice = QStringLiteral(
            "  - id: %1\n    form: choice\n    statements: [Y3-MA-3]\n"
            "    text: Which weighs the same as 500 g + 500 g?\n"
            "    options: [1 kg, 100 g, 5 kg, 550 g]\n"
            "    blanks: [{key: \"%2\", kind: Q, mark: 1, check: (500 + 500) / 1000}]\n"
            "    working: [1000 g make 1 kg.]\n");
        add("option against key", choice.arg(id).arg(2),
            QStringLiteral("the key \"2\" (kind Q) is not what its check (500 + 500) / 1000 "
                           "gives: 1"));
        QTest::newRow("paper too short")
            << 19 << QString() << QStringLiteral("19 questions; the paper has 20");
    }

    void eachRuleFails() {
        QFETCH(int, index);
        QFETCH(QString, question);
        QFETCH(QString, message);
        const QStringList problems = problemsWithQuestion(index, question);
        QVERIFY2(!problems.filter(message).isEmpty(),
                 qPrintable(QStringLiteral("expected: ") + message + QStringLiteral("\ngot:\n") +
                            problems.join(QLatin1Char('\n'))));
        // Every message names the file.
        for (const QString& p : problems)
            QVERIFY2(p.contains(QStringLiteral("paper121.yaml")), qPrintable(p));
    }

    void paperRules() {
        const auto problemsOf = [](const QString& file, const QString& yaml) {
            SourceFolder folder;
            folder.write(file, yaml);
            return validateSources(folder.folder()).problems.join(QLatin1Char('\n'));
        };
        // Head of the wrong topic and year.
        QString wrongHead = weightPaper();
        wrongHead.replace(QStringLiteral("topic: 5\nyear: Y2"),
                          QStringLiteral("topic: 6\nyear: Y3"));
        QString problems = problemsOf(QStringLiteral("paper121.yaml"), wrongHead);
        QVERIFY2(problems.contains(QStringLiteral("paper 121 is in topic 5, not 6")),
                 qPrintable(problems));
        QVERIFY2(
            problems.contains(QStringLiteral("year: paper 1 of its topic is at Y2, not \"Y3\"")),
            qPrintable(problems));
        // In the file of another paper.
        problems = problemsOf(QStringLiteral("paper122.yaml"), weightPaper());
        QVERIFY2(problems.contains(QStringLiteral("paper 121 belongs in paper121.yaml")),
                 qPrintable(problems));
        // Paper 101, thirty questions of three marks: too many marks.
        const QList<int> ids = idsOf(101);
        QString heavy = paperHead(101, 1, QStringLiteral("Y2"), 30);
        for (int i = 0; i < ids.size(); ++i)
            heavy += weightQuestion(ids.at(i), 100 + 10 * i, 20 + i, QStringLiteral("Add them."));
        heavy.replace(QStringLiteral("mark: 1"), QStringLiteral("mark: 3"));
        problems = problemsOf(QStringLiteral("paper101.yaml"), heavy);
        QVERIFY2(problems.contains(QStringLiteral("90 marks in all; a paper has 20 to 65")),
                 qPrintable(problems));
        // 25016 is a sample record: key 9, kind N, mark 2.
        QVERIFY2(
            problems.contains(QStringLiteral(
                "question 25016: blanks: a sample record of the bank: keys 9, kinds N, marks 2")),
            qPrintable(problems));
    }

    void samePicture() {
        const QList<int> ids = idsOf(121);
        const QString pictureQuestion = QStringLiteral(
            "  - id: %1\n    form: picture\n    statements: [Y2-MA-3]\n"
            "    text: \"How heavy is the %2? [pic %3] [ ] g\"\n"
            "    pictures:\n      - name: %3\n        type: scale\n        max: 1000\n"
            "        label_step: 200\n        minor: 4\n        value: 600\n        unit: g\n"
            "        alt: A dial scale.\n"
            "    blanks: [{key: \"600\", kind: N, mark: 1, check: reading(%3)}]\n"
            "    working: [Each small mark is 50 g.]\n");
        QString yaml = weightPaper(3, pictureQuestion.arg(ids.at(3)).arg("parcel", "dial"));
        yaml.replace(weightQuestion(ids.at(5), 150, 25,
                                    QStringLiteral("Add the tens first, then the ones.")),
                     pictureQuestion.arg(ids.at(5)).arg("melon", "scale"));
        SourceFolder folder;
        folder.write(QStringLiteral("paper121.yaml"), yaml);
        const QStringList problems = validateSources(folder.folder()).problems;
        QVERIFY2(
            !problems
                 .filter(QStringLiteral("question %1: pictures[1]: the same picture as question %2")
                             .arg(ids.at(5))
                             .arg(ids.at(3)))
                 .isEmpty(),
            qPrintable(problems.join(QLatin1Char('\n'))));
        // Reading the same picture is the same task as well.
        QVERIFY(!problems.filter(QStringLiteral("the same task on the same numbers")).isEmpty());
    }

    void teachingStepsPass() {
        // Steps that work these numbers out are no problem.
        const int id = idsOf(121).at(3);
        for (const QString& step :
             {QStringLiteral("500 g + 40 g = 500 g + 20 g + 20 g."),
              QStringLiteral("500 + 40 is 5 hundreds and 4 tens."),
              QStringLiteral("1 kg = 1000 g."), QStringLiteral("Count on 40 from 500.")}) {
            const QStringList problems = problemsWithQuestion(3, weightQuestion(id, 500, 40, step));
            QVERIFY2(problems.isEmpty(),
                     qPrintable(step + QStringLiteral(": ") + problems.join(QLatin1Char('\n'))));
        }
    }

    void choiceAndPicturePass() {
        // The same questions with their right keys are no problem at all.
        const int id = idsOf(121).at(3);
        const QString choice =
            QStringLiteral(
                "  - id: %1\n    form: choice\n    statements: [Y3-MA-3]\n"
                "    text: Which weighs the same as 500 g + 500 g?\n"
                "    options: [1 kg, 100 g, 5 kg, \"\u00a31\"]\n"
                "    blanks: [{key: \"1\", kind: Q, mark: 1, check: (500 + 500) / 1000}]\n"
                "    working: [1000 g make 1 kg.]\n")
                .arg(id);
        QStringList problems = problemsWithQuestion(3, choice);
        // "£1" shows the value too: two options cannot both be right.
        QVERIFY2(!problems.filter(QStringLiteral("options 1, 4 all show 1")).isEmpty(),
                 qPrintable(problems.join(QLatin1Char('\n'))));
        problems = problemsWithQuestion(
            3, QString(choice).replace(QStringLiteral("\"\u00a31\""), QStringLiteral("50 g")));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void coverage() {
        QStringList errors;
        const Curriculum curriculum =
            readCurriculum(QStringLiteral(QUILLORA_CONTENT_SOURCE "/curriculum.yaml"), &errors);
        QVERIFY(errors.isEmpty());
        QVERIFY(curriculum.statementsOfTopic(5).contains(QStringLiteral("Y2-MA-1")));
        QVERIFY(!curriculum.statementsOfTopic(5).contains(QStringLiteral("Y2-LE-1")));
        QMap<int, QMap<QString, int>> practised;
        for (const QString& s : curriculum.statementsOfTopic(5))
            practised[5][s] = 2;
        practised[5][QStringLiteral("Y4-MA-3")] = 0;
        // Four papers of five written: no verdict yet.
        QVERIFY(coverageProblems(curriculum, {{5, 4}}, practised).isEmpty());
        QCOMPARE(coverageProblems(curriculum, {{5, 5}}, practised),
                 QStringList{QStringLiteral("topic 5: statement Y4-MA-3 (problems with mixed "
                                            "units of mass) is never practised")});
        // Topics 1 and 2 share their statements: one of them practising it is enough.
        for (const QString& s : curriculum.statementsOfTopic(1))
            practised[s.startsWith(QLatin1String("Y4")) ? 2 : 1][s] = 1;
        QVERIFY(coverageProblems(curriculum, {{1, 5}}, practised).isEmpty());
        QVERIFY(coverageProblems(curriculum, {{1, 5}, {2, 5}}, practised).isEmpty());
        practised[2].remove(QStringLiteral("Y4-PV-6"));
        QVERIFY(!coverageProblems(curriculum, {{1, 5}, {2, 5}}, practised)
                     .filter(QStringLiteral("Y4-PV-6"))
                     .isEmpty());
    }

    void grammar() {
        const QStringList fine = {QStringLiteral("1 part is shaded."),
                                  QStringLiteral("Two \u00a31 coins."),
                                  QStringLiteral("an octagon and a hexagon"),
                                  QStringLiteral("a unicorn, a one"),
                                  QStringLiteral("an 8 and a 7"),
                                  QStringLiteral("21 parts and 1.5 cups"),
                                  QStringLiteral("an hour"),
                                  QStringLiteral("Row 1 has 4 stars."),
                                  QStringLiteral("a European coin"),
                                  QStringLiteral("A is bigger than B.")};
        for (const QString& text : fine)
            QVERIFY2(grammarSlips(text).isEmpty(),
                     qPrintable(text + QStringLiteral(": ") + grammarSlips(text).join(' ')));
        const QStringList slips = {QStringLiteral("1 ones"),     QStringLiteral("There 1 are."),
                                   QStringLiteral("a apple"),    QStringLiteral("an pear"),
                                   QStringLiteral("a hour"),     QStringLiteral("a 8"),
                                   QStringLiteral("1 children"), QStringLiteral("1 pens")};
        for (const QString& text : slips)
            QVERIFY2(grammarSlips(text).size() == 1, qPrintable(text));
    }

    void digestFollowsWhatIsAnswered() {
        const auto digest = [](const QString& yaml) {
            const PaperRead read = readPaperText(yaml.toUtf8(), QStringLiteral("paper121.yaml"));
            return read.errors.isEmpty() ? paperDigest(read.paper) : QByteArray();
        };
        const QByteArray base = digest(weightPaper());
        QVERIFY(!base.isEmpty());
        const int id = idsOf(121).at(3);
        const QString working = QStringLiteral("Add the tens first, then the ones.");
        // Another working, the same questions: the saved answers still fit.
        QCOMPARE(
            digest(weightPaper(3, weightQuestion(id, 130, 23, QStringLiteral("Add 20, then 3.")))),
            base);
        // Other numbers: they do not.
        QVERIFY(digest(weightPaper(3, weightQuestion(id, 130, 24, working))) != base);
        QString mark = weightQuestion(id, 130, 23, working);
        mark.replace(QStringLiteral("mark: 1"), QStringLiteral("mark: 2"));
        QVERIFY(digest(weightPaper(3, mark)) != base);
    }

    void shapeRules() {
        const QList<bank::PaperSpec> plan = bank::bankPlan();
        const auto problems = [&](int paper, const QList<int>& blanks) {
            return StoreWriter::shapeProblems(plan.at(paper - 101), blanks, QStringLiteral("p: "))
                .join(QLatin1Char('\n'));
        };
        // Paper 116: twenty questions, nineteen of one blank; the other anywhere.
        QList<int> paper116(20, 1);
        paper116[3] = 4;
        QCOMPARE(problems(116, paper116), QString());
        paper116[7] = 2;
        QCOMPARE(problems(116, paper116),
                 QStringLiteral("p: 18 questions with one blank; the paper must have 19 (and 1 "
                                "with several)"));
        QCOMPARE(problems(116, QList<int>(19, 1)),
                 QStringLiteral("p: 19 questions; the paper has 20"));
        // Paper 136 as the sample records have it, question by question.
        QCOMPARE(problems(136, {8, 8, 4, 10, 10}), QString());
        QCOMPARE(problems(136, {8, 8, 10, 4, 10}),
                 QStringLiteral("p: the questions must have 8, 8, 4, 10, 10 blanks"));
        // Paper 141: sixty blanks, six questions of one.
        QList<int> paper141 = {1, 3, 4, 1, 3, 4, 3, 1, 5, 4, 3, 1, 4, 4, 3, 1, 5, 4, 5, 1};
        QCOMPARE(problems(141, paper141), QString());
        std::swap(paper141[1], paper141[2]);
        QCOMPARE(problems(141, paper141), QString());
        paper141[2] = 2;
        QCOMPARE(problems(141, paper141), QStringLiteral("p: 59 blanks in all; the paper has 60"));
    }

    void storeFromSource() {
        // The shipped sources with paper 121 replaced by the test's own.
        SourceFolder folder;
        const QDir shipped(QStringLiteral(QUILLORA_CONTENT_SOURCE));
        for (const QString& name : shipped.entryList({QStringLiteral("paper*.yaml")}, QDir::Files))
            QVERIFY(QFile::copy(shipped.filePath(name), folder.path(name)));
        folder.write(QStringLiteral("paper121.yaml"), weightPaper());
        QTemporaryDir out;
        const QString store = out.filePath(QStringLiteral("store"));
        QStringList problems = StoreWriter(store, folder.folder()).writeAll();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        const int first = idsOf(121).first();
        QFile keys(QDir(store).filePath(QStringLiteral("30023.txt")));
        QVERIFY(keys.open(QIODevice::ReadOnly));
        QVERIFY(keys.readAll().contains(QStringLiteral("#%1#>120\r\n").arg(first).toLatin1()));
        QFile page(QDir(store).filePath(QStringLiteral("%1.mht").arg(first)));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains("A bag of flour weighs 100 g."));
        // The definition stamps each paper with the digest of its source.
        const Read<QStringList> stamps =
            ReadRecordAllFields(QDir(store).filePath(QStringLiteral("30000.txt")), "PS2");
        QVERIFY(stamps.ok());
        QCOMPARE(stamps.value.size(), 50);
        for (int p = 0; p < 50; ++p)
            QVERIFY(stamps.value.at(p).startsWith(QStringLiteral("3.")));
        QCOMPARE(
            stamps.value.at(20),
            QStringLiteral("3.") +
                QString::fromLatin1(paperDigest(readPaperText(weightPaper().toUtf8(), "x").paper)
                                        .toHex()
                                        .left(10)));
        QVERIFY(stamps.value.at(19) != stamps.value.at(21));
        // The same bytes again.
        const QByteArray digest = storeDigest(store);
        QTemporaryDir again;
        const QString store2 = again.filePath(QStringLiteral("store"));
        QVERIFY(StoreWriter(store2, folder.folder()).writeAll().isEmpty());
        QCOMPARE(storeDigest(store2), digest);

        // A source that cannot be read writes nothing.
        folder.write(QStringLiteral("paper121.yaml"),
                     weightPaper(2, QStringLiteral("  - id: [\n")));
        QTemporaryDir broken;
        const QString store3 = broken.filePath(QStringLiteral("store"));
        problems = StoreWriter(store3, folder.folder()).writeAll();
        QVERIFY(!problems.isEmpty());
        QVERIFY(problems.first().contains(QStringLiteral("paper121.yaml")));
        QVERIFY(!QDir(store3).exists());
    }
};

QTEST_GUILESS_MAIN(TestSourceChecks)
#include "test_source_checks.moc"
