// Score percentages (exact, halves to even), stored percentage texts and the
// time and date texts of marking.

#include "core/Scoring.h"

#include <QtTest>

class TestScoring : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scorePercent() {
        const QList<std::tuple<const char*, int, int, const char*>> rows{
            {"28 of 32", 28, 32, "87.5"},
            {"one third", 1, 3, "33.3"},
            {"two thirds", 2, 3, "66.7"},
            {"no marks at all", 0, 0, "0"},
            {"whole percent", 13, 20, "65"},
            // Exact ties in the second decimal: 6.25, 18.75, 99.95 and 99.85 %.
            {"tie 6.25 down to even", 1, 16, "6.2"},
            {"tie 18.75 up to even", 3, 16, "18.8"},
            {"tie 99.95 up to 100", 1999, 2000, "100"},
            {"tie 99.85 down to 99.8", 1997, 2000, "99.8"},
        };
        for (const auto& [name, score, total, text] : rows) {
            QVERIFY2(scorePercentText(score, total) == QLatin1String(text), name);
            qint64 tenths = -1;
            QVERIFY2(parsePercentTenths(text, &tenths) && tenthsText(tenths) == QLatin1String(text),
                     name);
        }
    }

    void roundingAndParsing() {
        const QList<std::tuple<qint64, qint64, qint64>> ratios{
            {1, 2, 0}, {3, 2, 2}, {5, 2, 2}, {13, 5, 3}, {-1, 2, 0}, {-3, 2, -2}, {-13, 5, -3}};
        for (const auto& [numerator, denominator, rounded] : ratios)
            QCOMPARE(roundHalfEvenRatio(numerator, denominator), rounded);

        // (What parses is read back in scorePercent.)
        qint64 tenths = 0;
        for (const char* text : {"", "87.55", "87.", "87.5%", "87,5", " 87.5", "abc"})
            QVERIFY2(!parsePercentTenths(text, &tenths), text);
    }

    void timeAndDateTexts() {
        QCOMPARE(elapsedText(65), QString("0:1:5"));
        QCOMPARE(elapsedText(2 * 3600 + 10 * 60 + 30), QString("2:10:30"));
        QCOMPARE(elapsedText(25 * 3600 + 1), QString("1:0:1")); // hours of the day wrap
        QCOMPARE(elapsedText(-30), QString("0:0:0"));           // clock set back

        const QDate date(2024, 3, 9);
        QCOMPARE(shortDateText(date, QLocale(QLocale::English, QLocale::UnitedKingdom)),
                 QString("09/03/2024"));
        // Qt's own locale data, whatever locales the system has installed.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(shortDateText(date), QString("09.03.24"));
        QLocale::setDefault(QLocale::c());
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "test_scoring.moc"
