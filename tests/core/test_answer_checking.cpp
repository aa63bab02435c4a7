// Checking answers against keys: single blanks by kind, group answers, and
// the model answers revealed in the second attempt.

#include "core/AnswerChecking.h"

#include <QtTest>

namespace {

constexpr ResultMark Tick = ResultMark::Correct;
constexpr ResultMark Cross = ResultMark::Wrong;
constexpr ResultMark None = ResultMark::None;

} // namespace

class TestAnswerChecking : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    void checkAnswer() {
        const struct {
            const char* name;
            QString answer, key, kind;
            ResultMark result;
        } rows[] = {
            {"N trailing zero", "15.0", "15", "N", Tick},
            {"N spaces around", "  15 ", "15", "N", Tick},
            {"N leading zero", "018", "18", "N", Tick},
            {"N plus sign", "+18", "18", "N", Tick},
            {"N money key", "24.8", "24.80", "N", Tick},
            {"N digit grouping", "1,250", "1250", "N", Tick},
            {"N word", "fifteen", "15", "N", Cross},
            {"N with unit", "15 cm", "15", "N", Cross},
            {"N empty", "", "15", "N", Cross},
            {"N only spaces", "   ", "0", "N", Cross},
            {"N exponent", "1.5e1", "15", "N", Cross},
            {"N currency sign", QStringLiteral("\u00A324.80"), "24.80", "N", Cross},
            {"N infinity", "inf", "15", "N", Cross},
            {"N other value", "16", "15", "N", Cross},
            {"N key in words matches word", " eighteen ", "Eighteen", "N", Tick},
            {"N key in words rejects digits", "18", "Eighteen", "N", Cross},
            {"T case and spaces", " SIXTEEN ", "Sixteen", "T", Tick},
            {"T digits for word", "16", "Sixteen", "T", Cross},
            {"T inner space counts", "7.30 pm", "7.30pm", "T", Cross},
            {"T trims spaces only", "\tsixteen", "Sixteen", "T", Cross},
            {"Q letter", "B", "2", "Q", Cross},
            {"L like T", "More Than ", "more than", "L", Tick},
            {"F spaces dropped", "3 / 10 ", "3/10", "F", Tick},
            {"F equivalent fraction", "6/20", "3/10", "F", Cross},
            {"F is case-sensitive", "1/2A", "1/2a", "F", Cross},
            {"X spaces around", "  1 2/3  ", "1 2/3", "X", Tick},
            {"X two spaces after whole", "1  2/3", "1 2/3", "X", Tick},
            {"X spaces around slash", "1 2 / 3", "1 2/3", "X", Tick},
            {"X no space", "12/3", "1 2/3", "X", Cross},
            {"X two-digit whole", "12 1/2", "12 1/2", "X", Tick},
            {"X space in wrong place", "1 21/2", "12 1/2", "X", Cross},
            {"X character kept at space", "1x2/3", "1 2/3", "X", Cross},
            {"R like F", "2 / 5", "2/5", "R", Tick},
        };
        for (const auto& [name, answer, key, kind, result] : rows) {
            const AnswerKind parsed = parseAnswerKind(kind);
            QVERIFY2(CheckAnswer(answer, key, parsed) == result, name);
            // Marking sends every kind other than G and M to the same check.
            QVERIFY2(markBlank({answer}, {key}, {parsed}, 0) == result, name);
            // The results files hold the mark as its text and give it back; text
            // that is no mark reads as none.
            QVERIFY2(resultMarkFromText(resultMarkText(result)) == result, name);
            QVERIFY2(resultMarkFromText(answer) == None, name);
        }
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

    void groupAnswers() {
        const QStringList group{";2;3;5", " ", " "};
        const struct {
            const char* name;
            QStringList answers, keys;
            QList<ResultMark> results;
        } rows[] = {
            {"M any alternative",
             {"Dog", " cat ", ""},
             {";cat;dog", ";cat;dog", ";cat;dog"},
             {Tick, Tick, Cross}},
            {"M empty alternative takes empty answer", {""}, {";cat;"}, {Tick}},
            {"M key without alternatives", {"cat"}, {"cat"}, {None}},
            {"G any order", {"5", "3", "2"}, group, {Tick, Tick, Tick}},
            {"G alternative not reused", {"3", "2", "2"}, group, {Tick, Tick, Cross}},
            {"G head's answer taken by follower", {"2", "2", "5"}, group, {Tick, Cross, Tick}},
            {"G duplicate alternatives all cleared", {"2", "2"}, {";2;2", " "}, {Tick, Cross}},
            {"G empty follower is wrong", {"2", ""}, {";2;", " "}, {Tick, Cross}},
            {"two groups side by side",
             {"a", "b", "b", "a"},
             {";a;b", " ", ";a;b", " "},
             {Tick, Tick, Tick, Tick}},
            {"follower without head", {"2", "2"}, {" ", " "}, {None, None}},
        };
        for (const auto& [name, answers, keys, results] : rows) {
            const QList<AnswerKind> kinds(keys.size(),
                                          keys.contains(" ") ? AnswerKind::G : AnswerKind::M);
            for (int i = 0; i < answers.size(); ++i)
                QVERIFY2(markBlank(answers, keys, kinds, i) == results.at(i), name);
        }
    }

    void modelAnswers() {
        // "*": a correct blank, whose model answer is never shown.
        const QStringList group{";2;3;5", " ", " "};
        const struct {
            const char* name;
            QStringList answers, keys, models;
        } rows[] = {
            {"G wrong blanks get what nobody found", {"2", "7", "9"}, group, {"*", "3", "5"}},
            {"G all wrong in key order", {"1", "1", "1"}, group, {"2", "3", "5"}},
            {"G wrong head skips found ones", {"9", "5", "2"}, group, {"3", "*", "*"}},
            {"G rank counts the wrong head", {"7", "3", "9"}, group, {"2", "*", "5"}},
            {"M first alternative", {"x"}, {";cat;dog"}, {"cat"}},
            {"M single alternative", {"x"}, {";cat"}, {"cat"}},
            {"M key without separator", {"x"}, {"cat"}, {"cat"}},
        };
        for (const auto& [name, answers, keys, models] : rows) {
            const QList<AnswerKind> kinds(keys.size(),
                                          keys.size() > 1 ? AnswerKind::G : AnswerKind::M);
            for (int i = 0; i < answers.size(); ++i) {
                if (models.at(i) != "*")
                    QVERIFY2(modelAnswer(answers, keys, kinds, i) == models.at(i), name);
            }
        }
        // Any other kind shows its key.
        QCOMPARE(modelAnswer({"2"}, {"1 2/3"}, {AnswerKind::X}, 0), QString("1 2/3"));
    }
};

QTEST_GUILESS_MAIN(TestAnswerChecking)
#include "test_answer_checking.moc"
