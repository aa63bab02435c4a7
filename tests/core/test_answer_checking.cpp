// Checking answers against keys: single blanks by kind, group answers, and
// the model answers revealed in the second attempt.

#include "core/AnswerChecking.h"

#include <QtTest>

namespace {

const QString Tick = ResultMark::Correct();
const QString Cross = ResultMark::Wrong();

} // namespace

class TestAnswerChecking : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void checkAnswer_data();
    void checkAnswer();
    void numbersFollowTheLocale_data();
    void numbersFollowTheLocale();
    void keyAlternatives_data();
    void keyAlternatives();
    void groupAnswers_data();
    void groupAnswers();
    void modelAnswers_data();
    void modelAnswers();
};

void TestAnswerChecking::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    QCOMPARE(Tick, QString(QChar(0xFC)));
    QCOMPARE(Cross, QString(QChar(0xFB)));
}

void TestAnswerChecking::checkAnswer_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("result");

    QTest::newRow("N equal") << "15"
                             << "15"
                             << "N" << Tick;
    QTest::newRow("N trailing zero") << "15.0"
                                     << "15"
                                     << "N" << Tick;
    QTest::newRow("N spaces around") << "  15 "
                                     << "15"
                                     << "N" << Tick;
    QTest::newRow("N leading zero") << "018"
                                    << "18"
                                    << "N" << Tick;
    QTest::newRow("N plus sign") << "+18"
                                 << "18"
                                 << "N" << Tick;
    QTest::newRow("N money key") << "24.8"
                                 << "24.80"
                                 << "N" << Tick;
    QTest::newRow("N digit grouping") << "1,250"
                                      << "1250"
                                      << "N" << Tick;
    QTest::newRow("N word") << "fifteen"
                            << "15"
                            << "N" << Cross;
    QTest::newRow("N with unit") << "15 cm"
                                 << "15"
                                 << "N" << Cross;
    QTest::newRow("N empty") << ""
                             << "15"
                             << "N" << Cross;
    QTest::newRow("N only spaces") << "   "
                                   << "0"
                                   << "N" << Cross;
    QTest::newRow("N exponent") << "1.5e1"
                                << "15"
                                << "N" << Cross;
    QTest::newRow("N currency sign") << QStringLiteral("\u00A324.80") << "24.80"
                                     << "N" << Cross;
    QTest::newRow("N infinity") << "inf"
                                << "15"
                                << "N" << Cross;
    QTest::newRow("N other value") << "16"
                                   << "15"
                                   << "N" << Cross;
    QTest::newRow("N negative") << "-15"
                                << "15"
                                << "N" << Cross;
    QTest::newRow("N key in words matches word") << " eighteen "
                                                 << "Eighteen"
                                                 << "N" << Tick;
    QTest::newRow("N key in words rejects digits") << "18"
                                                   << "Eighteen"
                                                   << "N" << Cross;
    QTest::newRow("T case and spaces") << " SIXTEEN "
                                       << "Sixteen"
                                       << "T" << Tick;
    QTest::newRow("T digits for word") << "16"
                                       << "Sixteen"
                                       << "T" << Cross;
    QTest::newRow("T time text") << "7.30PM"
                                 << "7.30pm"
                                 << "T" << Tick;
    QTest::newRow("T inner space counts") << "7.30 pm"
                                          << "7.30pm"
                                          << "T" << Cross;
    QTest::newRow("T only spaces are trimmed") << "\tsixteen"
                                               << "Sixteen"
                                               << "T" << Cross;
    QTest::newRow("Q option") << "2"
                              << "2"
                              << "Q" << Tick;
    QTest::newRow("Q letter") << "B"
                              << "2"
                              << "Q" << Cross;
    QTest::newRow("L long text") << "More Than "
                                 << "more than"
                                 << "L" << Tick;
    QTest::newRow("F spaces dropped") << "3 / 10"
                                      << "3/10"
                                      << "F" << Tick;
    QTest::newRow("F trailing space") << "1/4 "
                                      << "1/4"
                                      << "F" << Tick;
    QTest::newRow("F equivalent fraction") << "6/20"
                                           << "3/10"
                                           << "F" << Cross;
    QTest::newRow("F decimal") << "0.3"
                               << "3/10"
                               << "F" << Cross;
    QTest::newRow("F is case-sensitive") << "1/2A"
                                         << "1/2a"
                                         << "F" << Cross;
    QTest::newRow("X exact") << "1 2/3"
                             << "1 2/3"
                             << "X" << Tick;
    QTest::newRow("X spaces around") << "  1 2/3  "
                                     << "1 2/3"
                                     << "X" << Tick;
    QTest::newRow("X two spaces after whole") << "1  2/3"
                                              << "1 2/3"
                                              << "X" << Tick;
    QTest::newRow("X spaces around slash") << "1 2 / 3"
                                           << "1 2/3"
                                           << "X" << Tick;
    QTest::newRow("X no space") << "12/3"
                                << "1 2/3"
                                << "X" << Cross;
    QTest::newRow("X other fraction") << "19/15"
                                      << "1 4/15"
                                      << "X" << Cross;
    QTest::newRow("X two-digit whole") << "12 1/2"
                                       << "12 1/2"
                                       << "X" << Tick;
    QTest::newRow("X space in wrong place") << "1 21/2"
                                            << "12 1/2"
                                            << "X" << Cross;
    QTest::newRow("X character kept at space") << "1x2/3"
                                               << "1 2/3"
                                               << "X" << Cross;
    QTest::newRow("R like F") << "2 / 5"
                              << "2/5"
                              << "R" << Tick;
    QTest::newRow("unknown kind") << "5"
                                  << "5"
                                  << "Z" << QString();
    QTest::newRow("empty kind") << "5"
                                << "5"
                                << "" << QString();
    QTest::newRow("kind is case-sensitive") << "5"
                                            << "5"
                                            << "n" << QString();
}

void TestAnswerChecking::checkAnswer() {
    QFETCH(QString, answer);
    QFETCH(QString, key);
    QFETCH(QString, kind);
    QFETCH(QString, result);
    QCOMPARE(CheckAnswer(answer, key, kind), result);
    // Marking sends every kind other than G and M to the same check.
    QCOMPARE(MarkBlank({answer}, {key}, {kind}, 0), result);
}

void TestAnswerChecking::numbersFollowTheLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("result");
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("German decimal comma") << german << "24,8"
                                          << "24.80" << Tick;
    QTest::newRow("German grouping") << german << "1.250"
                                     << "1250" << Tick;
    QTest::newRow("German grouping and comma") << german << "1.250,5"
                                               << "1250.5" << Tick;
    QTest::newRow("German reads point as grouping") << german << "24.80"
                                                    << "24.80" << Cross;
    QTest::newRow("English decimal point") << english << "24.80"
                                           << "24.80" << Tick;
    QTest::newRow("English comma is grouping") << english << "1,250"
                                               << "1.25" << Cross;
}

void TestAnswerChecking::numbersFollowTheLocale() {
    QFETCH(QLocale, locale);
    QFETCH(QString, answer);
    QFETCH(QString, key);
    QFETCH(QString, result);
    QCOMPARE(CheckAnswer(answer, key, "N", locale), result);
}

void TestAnswerChecking::keyAlternatives_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("alternatives");
    QTest::newRow("three") << ";2;3;5" << QStringList{"2", "3", "5"};
    QTest::newRow("one") << ";cat" << QStringList{"cat"};
    QTest::newRow("empty last") << ";a;" << QStringList{"a", ""};
    QTest::newRow("spaces kept") << "; dog ;Cat" << QStringList{" dog ", "Cat"};
    QTest::newRow("none") << "cat" << QStringList{};
    QTest::newRow("follower") << " " << QStringList{};
    // The first character always stands for the first separator.
    QTest::newRow("no leading separator") << "a;b;c" << QStringList{"", "b;c"};
}

void TestAnswerChecking::keyAlternatives() {
    QFETCH(QString, key);
    QFETCH(QStringList, alternatives);
    QCOMPARE(KeyAlternatives(key), alternatives);
}

void TestAnswerChecking::groupAnswers_data() {
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("results");

    const QStringList group{";2;3;5", " ", " "};
    QTest::newRow("M matches case-blind")
        << QStringList{"Dog"} << QStringList{";cat;dog"} << QStringList{Tick};
    QTest::newRow("M spaces around")
        << QStringList{" cat "} << QStringList{";cat;dog"} << QStringList{Tick};
    QTest::newRow("M empty answer")
        << QStringList{""} << QStringList{";cat;dog"} << QStringList{Cross};
    QTest::newRow("M empty alternative takes empty answer")
        << QStringList{""} << QStringList{";cat;"} << QStringList{Tick};
    QTest::newRow("M key without alternatives")
        << QStringList{"cat"} << QStringList{"cat"} << QStringList{QString()};
    QTest::newRow("G any order") << QStringList{"5", "3", "2"} << group
                                 << QStringList{Tick, Tick, Tick};
    QTest::newRow("G alternative not reused")
        << QStringList{"3", "2", "2"} << group << QStringList{Tick, Tick, Cross};
    QTest::newRow("G head's answer taken by follower")
        << QStringList{"2", "2", "5"} << group << QStringList{Tick, Cross, Tick};
    QTest::newRow("G duplicate alternatives all cleared")
        << QStringList{"2", "2"} << QStringList{";2;2", " "} << QStringList{Tick, Cross};
    QTest::newRow("G empty follower is wrong")
        << QStringList{"2", ""} << QStringList{";2;", " "} << QStringList{Tick, Cross};
    QTest::newRow("G wrong head leaves all for followers")
        << QStringList{"7", "2", "3"} << group << QStringList{Cross, Tick, Tick};
    QTest::newRow("two groups side by side")
        << QStringList{"a", "b", "b", "a"} << QStringList{";a;b", " ", ";a;b", " "}
        << QStringList{Tick, Tick, Tick, Tick};
    QTest::newRow("follower without head")
        << QStringList{"2", "2"} << QStringList{" ", " "} << QStringList{QString(), QString()};
}

void TestAnswerChecking::groupAnswers() {
    QFETCH(QStringList, answers);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, results);
    const QStringList kinds(keys.size(), keys.first().startsWith(';') && keys.size() == 1
                                             ? QStringLiteral("M")
                                             : QStringLiteral("G"));
    for (int i = 0; i < answers.size(); ++i) {
        QCOMPARE(CheckGroupAnswer(answers, keys, kinds, i), results.at(i));
        QCOMPARE(MarkBlank(answers, keys, kinds, i), results.at(i));
    }
}

void TestAnswerChecking::modelAnswers_data() {
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<QStringList>("models");

    const QStringList group{";2;3;5", " ", " "};
    const QStringList g3{"G", "G", "G"};
    // "*": a correct blank, whose model answer is never shown.
    QTest::newRow("G wrong blanks get what nobody found")
        << QStringList{"2", "7", "9"} << group << g3 << QStringList{"*", "3", "5"};
    QTest::newRow("G all wrong in key order")
        << QStringList{"1", "1", "1"} << group << g3 << QStringList{"2", "3", "5"};
    QTest::newRow("G wrong head skips found ones")
        << QStringList{"9", "5", "2"} << group << g3 << QStringList{"3", "*", "*"};
    QTest::newRow("G rank counts the wrong head")
        << QStringList{"7", "3", "9"} << group << g3 << QStringList{"2", "*", "5"};
    QTest::newRow("M first alternative")
        << QStringList{"x"} << QStringList{";cat;dog"} << QStringList{"M"} << QStringList{"cat"};
    QTest::newRow("M single alternative")
        << QStringList{"x"} << QStringList{";cat"} << QStringList{"M"} << QStringList{"cat"};
    QTest::newRow("M key without separator")
        << QStringList{"x"} << QStringList{"cat"} << QStringList{"M"} << QStringList{"cat"};
    QTest::newRow("other kinds show the key")
        << QStringList{"1", "2"} << QStringList{"1 2/3", "24.80"} << QStringList{"X", "N"}
        << QStringList{"1 2/3", "24.80"};
}

void TestAnswerChecking::modelAnswers() {
    QFETCH(QStringList, answers);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, kinds);
    QFETCH(QStringList, models);
    for (int i = 0; i < answers.size(); ++i) {
        if (models.at(i) != "*")
            QCOMPARE(ModelAnswer(answers, keys, kinds, i), models.at(i));
    }
}

QTEST_GUILESS_MAIN(TestAnswerChecking)
#include "test_answer_checking.moc"
