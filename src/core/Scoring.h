#pragma once
// Score and time texts written to the results files and shown on screen.

#include <QDate>
#include <QLocale>
#include <QString>

// Rounds numerator / denominator to the nearest whole number, halves to even,
// exactly (denominator > 0).
qint64 roundHalfEvenRatio(qint64 numerator, qint64 denominator);
// Tenths as text without trailing zeros: 875 -> "87.5", 1000 -> "100", 0 -> "0".
QString tenthsText(qint64 tenths);
// score / totalMarks * 100 to one decimal, halves to even: 28/32 -> "87.5".
// A totalMarks of 0 gives "0".
QString scorePercentText(int score, int totalMarks);
// A stored percentage text ("87.5", "100") in tenths; false when it is not one.
bool parsePercentTenths(const QString& text, qint64* tenths);
// Hours (of the day, wrapping at 24), minutes, seconds without leading zeros:
// 65 -> "0:1:5".
QString elapsedText(qint64 seconds);
// The marking date in the locale's short date form, as far as a results file
// can hold it: other scripts' digits become 0 to 9, and a form that still
// holds characters outside Latin-1 gives way to yyyy-MM-dd.
QString shortDateText(const QDate& date, const QLocale& locale = QLocale());
