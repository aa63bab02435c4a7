// Score percentages (exact, halves to even), stored percentage texts and the
// time and date texts of marking.

#include "core/Scoring.h"

#include <QtTest>

class TestScoring : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scorePercent_data();
    void scorePercent();
    void roundHalfEven_data();
    void roundHalfEven();
    void parsePercent_data();
    void parsePercent();
    void elapsedText_data();
    void elapsedText();
    void shortDate();
};

void TestScoring::scorePercent_data() {
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("text");
    QTest::newRow("28 of 32") << 28 << 32 << "87.5";
    QTest::newRow("full marks") << 45 << 45 << "100";
    QTest::newRow("one third") << 1 << 3 << "33.3";
    QTest::newRow("two thirds") << 2 << 3 << "66.7";
    QTest::newRow("nothing") << 0 << 20 << "0";
    QTest::newRow("no marks at all") << 0 << 0 << "0";
    QTest::newRow("whole percent") << 13 << 20 << "65";
    // 1/16 = 6.25 % and 3/16 = 18.75 %: exact ties in the second decimal.
    QTest::newRow("tie rounds down to even") << 1 << 16 << "6.2";
    QTest::newRow("tie rounds up to even") << 3 << 16 << "18.8";
    QTest::newRow("tie at 5/16") << 5 << 16 << "31.2";
    QTest::newRow("tie at 7/16") << 7 << 16 << "43.8";
    QTest::newRow("ordinary rounding up") << 41 << 65 << "63.1";
    QTest::newRow("99.9") << 999 << 1000 << "99.9";
    QTest::newRow("99.95 ties up to 100") << 1999 << 2000 << "100";
    QTest::newRow("99.85 ties down to 99.8") << 1997 << 2000 << "99.8";
}

void TestScoring::scorePercent() {
    QFETCH(int, score);
    QFETCH(int, total);
    QFETCH(QString, text);
    QCOMPARE(ScorePercentText(score, total), text);
    qint64 tenths = -1;
    QVERIFY(ParsePercentTenths(text, &tenths));
    QCOMPARE(TenthsText(tenths), text);
}

void TestScoring::roundHalfEven_data() {
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<qint64>("rounded");
    QTest::newRow("0.5 to 0") << qint64(1) << qint64(2) << qint64(0);
    QTest::newRow("1.5 to 2") << qint64(3) << qint64(2) << qint64(2);
    QTest::newRow("2.5 to 2") << qint64(5) << qint64(2) << qint64(2);
    QTest::newRow("2.4 to 2") << qint64(12) << qint64(5) << qint64(2);
    QTest::newRow("2.6 to 3") << qint64(13) << qint64(5) << qint64(3);
    QTest::newRow("-0.5 to 0") << qint64(-1) << qint64(2) << qint64(0);
    QTest::newRow("-1.5 to -2") << qint64(-3) << qint64(2) << qint64(-2);
    QTest::newRow("-2.6 to -3") << qint64(-13) << qint64(5) << qint64(-3);
    QTest::newRow("exact") << qint64(12) << qint64(4) << qint64(3);
}

void TestScoring::roundHalfEven() {
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(qint64, rounded);
    QCOMPARE(RoundHalfEvenRatio(numerator, denominator), rounded);
}

void TestScoring::parsePercent_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("tenths");
    QTest::newRow("decimal") << "87.5" << true << qint64(875);
    QTest::newRow("hundred") << "100" << true << qint64(1000);
    QTest::newRow("zero") << "0" << true << qint64(0);
    QTest::newRow("empty, not marked") << "" << false << qint64(0);
    QTest::newRow("two decimals") << "87.55" << false << qint64(0);
    QTest::newRow("point without digit") << "87." << false << qint64(0);
    QTest::newRow("percent sign") << "87.5%" << false << qint64(0);
    QTest::newRow("comma") << "87,5" << false << qint64(0);
    QTest::newRow("spaces") << " 87.5" << false << qint64(0);
}

void TestScoring::parsePercent() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, tenths);
    qint64 value = 0;
    QCOMPARE(ParsePercentTenths(text, &value), ok);
    if (ok)
        QCOMPARE(value, tenths);
}

void TestScoring::elapsedText_data() {
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << qint64(0) << "0:0:0";
    QTest::newRow("65 seconds") << qint64(65) << "0:1:5";
    QTest::newRow("seven minutes five") << qint64(7 * 60 + 5) << "0:7:5";
    QTest::newRow("hours") << qint64(2 * 3600 + 10 * 60 + 30) << "2:10:30";
    QTest::newRow("wraps at 24 hours") << qint64(25 * 3600 + 1) << "1:0:1";
    QTest::newRow("clock set back") << qint64(-30) << "0:0:0";
}

void TestScoring::elapsedText() {
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(ElapsedText(seconds), text);
}

void TestScoring::shortDate() {
    const QDate date(2024, 3, 9);
    QCOMPARE(ShortDateText(date, QLocale(QLocale::English, QLocale::UnitedKingdom)),
             QString("09/03/2024"));
    QCOMPARE(ShortDateText(date, QLocale(QLocale::German, QLocale::Germany)), QString("09.03.24"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(ShortDateText(date), QString("3/9/24"));
}

QTEST_GUILESS_MAIN(TestScoring)
#include "test_scoring.moc"
