// Checking answers against keys: single blanks by kind, group answers, and
// the model answers revealed in the second attempt.

#include "core/AnswerChecking.h"

#include <QtTest>

Q_DECLARE_METATYPE(ResultMark)

namespace {

constexpr ResultMark Tick = ResultMark::Correct;
constexpr ResultMark Cross = ResultMark::Wrong;
constexpr ResultMark None = ResultMark::None;

void row(const char* name, const QString& answer, const QString& key, const QString& kind,
         ResultMark result) {
    QTest::newRow(name) << answer << key << kind << result;
}

void listRow(const char* name, const QStringList& answers, const QStringList& keys,
             const QList<ResultMark>& results) {
    QTest::newRow(name) << answers << keys << results;
}

void listRow(const char* name, const QStringList& answers, const QStringList& keys,
             const QStringList& models) {
    QTest::newRow(name) << answers << keys << models;
}

} // namespace

class TestAnswerChecking : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void checkAnswer_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<ResultMark>("result");

        row("N trailing zero", "15.0", "15", "N", Tick);
        row("N spaces around", "  15 ", "15", "N", Tick);
        row("N leading zero", "018", "18", "N", Tick);
        row("N plus sign", "+18", "18", "N", Tick);
        row("N money key", "24.8", "24.80", "N", Tick);
        row("N digit grouping", "1,250", "1250", "N", Tick);
        row("N word", "fifteen", "15", "N", Cross);
        row("N with unit", "15 cm", "15", "N", Cross);
        row("N empty", "", "15", "N", Cross);
        row("N only spaces", "   ", "0", "N", Cross);
        row("N exponent", "1.5e1", "15", "N", Cross);
        row("N currency sign", QStringLiteral("\u00A324.80"), "24.80", "N", Cross);
        row("N infinity", "inf", "15", "N", Cross);
        row("N other value", "16", "15", "N", Cross);
        row("N key in words matches word", " eighteen ", "Eighteen", "N", Tick);
        row("N key in words rejects digits", "18", "Eighteen", "N", Cross);
        row("T case and spaces", " SIXTEEN ", "Sixteen", "T", Tick);
        row("T digits for word", "16", "Sixteen", "T", Cross);
        row("T inner space counts", "7.30 pm", "7.30pm", "T", Cross);
        row("T trims spaces only", "\tsixteen", "Sixteen", "T", Cross);
        row("Q letter", "B", "2", "Q", Cross);
        row("L like T", "More Than ", "more than", "L", Tick);
        row("F spaces dropped", "3 / 10 ", "3/10", "F", Tick);
        row("F equivalent fraction", "6/20", "3/10", "F", Cross);
        row("F is case-sensitive", "1/2A", "1/2a", "F", Cross);
        row("X spaces around", "  1 2/3  ", "1 2/3", "X", Tick);
        row("X two spaces after whole", "1  2/3", "1 2/3", "X", Tick);
        row("X spaces around slash", "1 2 / 3", "1 2/3", "X", Tick);
        row("X no space", "12/3", "1 2/3", "X", Cross);
        row("X two-digit whole", "12 1/2", "12 1/2", "X", Tick);
        row("X space in wrong place", "1 21/2", "12 1/2", "X", Cross);
        row("X character kept at space", "1x2/3", "1 2/3", "X", Cross);
        row("R like F", "2 / 5", "2/5", "R", Tick);
    }

    void checkAnswer() {
        QFETCH(QString, answer);
        QFETCH(QString, key);
        QFETCH(QString, kind);
        QFETCH(ResultMark, result);
        const AnswerKind parsed = parseAnswerKind(kind);
        QCOMPARE(CheckAnswer(answer, key, parsed), result);
        // Marking sends every kind other than G and M to the same check.
        QCOMPARE(markBlank({answer}, {key}, {parsed}, 0), result);
        // The results files hold the mark as its text and give it back; text
        // that is no mark reads as none.
        QCOMPARE(resultMarkFromText(resultMarkText(result)), result);
        QCOMPARE(resultMarkFromText(answer), None);
    }

    void kindLetters() {
        const QList<QPair<QString, AnswerKind>> letters = {
            {"N", AnswerKind::N}, {"T", AnswerKind::T}, {"Q", AnswerKind::Q},
            {"L", AnswerKind::L}, {"F", AnswerKind::F}, {"X", AnswerKind::X},
            {"R", AnswerKind::R}, {"G", AnswerKind::G}, {"M", AnswerKind::M}};
        for (const auto& [letter, kind] : letters) {
            QCOMPARE(parseAnswerKind(letter), kind);
            QCOMPARE(answerKindLetter(kind), letter);
        }
        // Exact letters only: another case, spaces, two letters or none are
        // no kind, and a blank of no kind is never checked.
        for (const QString& other : QStringList{"n", "g", " N", "N ", "NN", "", "A", "1"}) {
            QCOMPARE(parseAnswerKind(other), AnswerKind::Unknown);
            QCOMPARE(markBlank({"5"}, {"5"}, {parseAnswerKind(other)}, 0), None);
        }
        QCOMPARE(answerKindLetter(AnswerKind::Unknown), QString());
        // A list shorter than the blanks marks the missing kinds as unknown.
        QCOMPARE(markBlank({"5", "5"}, {"5", "5"}, {AnswerKind::N}, 1), None);
    }

    void numbersFollowTheLocale() {
        const QLocale german(QLocale::German, QLocale::Germany);
        const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(CheckAnswer("24,8", "24.80", AnswerKind::N, german), Tick);
        QCOMPARE(CheckAnswer("1.250,5", "1250.5", AnswerKind::N, german), Tick);
        QCOMPARE(CheckAnswer("1,250", "1.25", AnswerKind::N, english), Cross);
        // The papers' own notation, as the question writes the number, where
        // the pupil's locale reads no number in it.
        for (const QLocale& locale : {german, turkish}) {
            QCOMPARE(CheckAnswer("24.80", "24.80", AnswerKind::N, locale), Tick);
            QCOMPARE(CheckAnswer(" -0.5 ", "-0.5", AnswerKind::N, locale), Tick);
            QCOMPARE(CheckAnswer("1,250.5", "1250.5", AnswerKind::N, locale), Tick);
            QCOMPARE(CheckAnswer("24.8", "24.9", AnswerKind::N, locale), Cross);
            // Read both ways, differently: the pupil's way wins.
            QCOMPARE(CheckAnswer("1.250", "1250", AnswerKind::N, locale), Tick);
            QCOMPARE(CheckAnswer("1.250", "1.25", AnswerKind::N, locale), Cross);
            QCOMPARE(CheckAnswer("1,250", "1.25", AnswerKind::N, locale), Tick);
            // Neither reads a number.
            QCOMPARE(CheckAnswer("1.25,0.5", "1.25", AnswerKind::N, locale), Cross);
        }
        // Marking reads the default locale when given none.
        const QLocale before;
        QLocale::setDefault(german);
        const ResultMark commaByDefault = markBlank({"24,8"}, {"24.80"}, {AnswerKind::N}, 0);
        QLocale::setDefault(before);
        QCOMPARE(commaByDefault, Tick);
    }

    void groupAnswers_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QList<ResultMark>>("results");

        const QStringList group{";2;3;5", " ", " "};
        listRow("M any alternative", {"Dog", " cat ", ""}, {";cat;dog", ";cat;dog", ";cat;dog"},
                {Tick, Tick, Cross});
        listRow("M empty alternative takes empty answer", {""}, {";cat;"}, {Tick});
        listRow("M key without alternatives", {"cat"}, {"cat"}, QList<ResultMark>{None});
        listRow("G any order", {"5", "3", "2"}, group, {Tick, Tick, Tick});
        listRow("G alternative not reused", {"3", "2", "2"}, group, {Tick, Tick, Cross});
        listRow("G head's answer taken by follower", {"2", "2", "5"}, group, {Tick, Cross, Tick});
        listRow("G duplicate alternatives all cleared", {"2", "2"}, {";2;2", " "}, {Tick, Cross});
        listRow("G empty follower is wrong", {"2", ""}, {";2;", " "}, {Tick, Cross});
        listRow("two groups side by side", {"a", "b", "b", "a"}, {";a;b", " ", ";a;b", " "},
                {Tick, Tick, Tick, Tick});
        listRow("follower without head", {"2", "2"}, {" ", " "}, QList<ResultMark>{None, None});
    }

    void groupAnswers() {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, keys);
        QFETCH(QList<ResultMark>, results);
        const QList<AnswerKind> kinds(keys.size(),
                                      keys.contains(" ") ? AnswerKind::G : AnswerKind::M);
        for (int i = 0; i < answers.size(); ++i)
            QCOMPARE(markBlank(answers, keys, kinds, i), results.at(i));
    }

    void modelAnswers_data() {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("models");

        // "*": a correct blank, whose model answer is never shown.
        const QStringList group{";2;3;5", " ", " "};
        listRow("G wrong blanks get what nobody found", {"2", "7", "9"}, group, {"*", "3", "5"});
        listRow("G all wrong in key order", {"1", "1", "1"}, group, {"2", "3", "5"});
        listRow("G wrong head skips found ones", {"9", "5", "2"}, group, {"3", "*", "*"});
        listRow("G rank counts the wrong head", {"7", "3", "9"}, group, {"2", "*", "5"});
        listRow("M first alternative", {"x"}, {";cat;dog"}, {"cat"});
        listRow("M single alternative", {"x"}, {";cat"}, {"cat"});
        listRow("M key without separator", {"x"}, {"cat"}, {"cat"});
    }

    void modelAnswers() {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, models);
        const QList<AnswerKind> kinds(keys.size(), keys.size() > 1 ? AnswerKind::G : AnswerKind::M);
        for (int i = 0; i < answers.size(); ++i) {
            if (models.at(i) != "*")
                QCOMPARE(modelAnswer(answers, keys, kinds, i), models.at(i));
        }
        // Any other kind shows its key.
        QCOMPARE(modelAnswer({"2"}, {"1 2/3"}, {AnswerKind::X}, 0), QString("1 2/3"));
    }
};

QTEST_GUILESS_MAIN(TestAnswerChecking)
#include "test_answer_checking.moc"
