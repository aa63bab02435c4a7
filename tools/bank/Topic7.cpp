// Topic 7, Time: reading clocks (Roman numerals too), later and earlier
// times, durations, units of time, am and pm, the 24-hour clock, calendars.
// A time the pupil writes takes every fair way of writing it (7.30 and 7:30);
// noon takes "12 noon"; a weekday or month takes its name and its short
// forms; durations and dates are numbers.

#include "Bank.h"
#include "MeasureKit.h"
#include "Quantities.h"
#include "SvgExtra.h"
#include "SvgMoney.h"
#include "TopicKit.h"

#include <QHash>

#include <algorithm>
#include <tuple>

namespace bank {

namespace {

using kit::Choice;
using kit::Make;
using kit::Number;
using kit::P;
using kit::SvgPicture;
using kit::TimeSpellings;
using kit::TimeText;
using mk::Child;
using mk::Worked;
using qty::Measure;

constexpr int kMinutes = int(Measure::Minutes);

const QStringList kDays = {QStringLiteral("Sunday"),   QStringLiteral("Monday"),
                           QStringLiteral("Tuesday"),  QStringLiteral("Wednesday"),
                           QStringLiteral("Thursday"), QStringLiteral("Friday"),
                           QStringLiteral("Saturday")};
const QStringList kMonths = {
    QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
    QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
    QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
    QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
// Days of each month in a year that is not a leap year.
const QList<int> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

QStringList DaySpellings(int day) {
    const QString name = kDays.at(day);
    QStringList forms{name, name.left(3)};
    if (day == 2)
        forms << QStringLiteral("Tues");
    if (day == 4)
        forms << QStringLiteral("Thur") << QStringLiteral("Thurs");
    return forms;
}

QStringList MonthSpellings(int month) {
    const QString name = kMonths.at(month);
    QStringList forms{name};
    if (name.size() > 3)
        forms << name.left(3);
    if (month == 8)
        forms << QStringLiteral("Sept");
    return forms;
}

QString TimeNote() {
    return kit::Note(QStringLiteral("Write the time like 4.15 or 4:15."));
}

QString AmPmNote() {
    return kit::Note(QStringLiteral("Write the time with am or pm, like 4.15 pm."));
}

int Hour12(int hour24) {
    return kit::Hour12(hour24);
}

// Minutes past midnight written as "3.40 pm"; midday is "12 noon".
QString ClockText(int minutes) {
    const int h = minutes / 60 % 24, m = minutes % 60;
    if (h == 12 && m == 0)
        return QStringLiteral("12 noon");
    return TimeText(Hour12(h), m) + (h < 12 ? QStringLiteral(" am") : QStringLiteral(" pm"));
}

QStringList AmPmSpellings(int minutes) {
    const int h = minutes / 60 % 24;
    QStringList forms = TimeSpellings(Hour12(h), minutes % 60,
                                      h < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
    if (h == 12 && minutes % 60 == 0)
        forms = QStringList{QStringLiteral("12 noon"), QStringLiteral("noon"),
                            QStringLiteral("midday"), QStringLiteral("12 midday")} +
                forms;
    return forms;
}

// "15:40"
QString Time24(int minutes) {
    return QStringLiteral("%1:%2")
        .arg(minutes / 60 % 24, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
QStringList Time24Spellings(int minutes) {
    const QString hh = QStringLiteral("%1").arg(minutes / 60 % 24, 2, 10, QLatin1Char('0'));
    const QString mm = QStringLiteral("%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return {hh + QLatin1Char(':') + mm, hh + QLatin1Char('.') + mm, hh + mm};
}

// "1 hour 25 minutes", "2 hours", "45 minutes".
QString Lasting(int minutes) {
    const int h = minutes / 60, m = minutes % 60;
    QStringList parts;
    if (h > 0)
        parts << QStringLiteral("%1 hour%2").arg(h).arg(h > 1 ? QStringLiteral("s") : QString());
    if (m > 0)
        parts << QStringLiteral("%1 minute%2").arg(m).arg(m > 1 ? QStringLiteral("s") : QString());
    return parts.join(QLatin1Char(' '));
}

// A time on a clock face for the level: whole and half hours first, then
// quarters, fives, and any minute.
QPair<int, int> ClockTime(int level, Rng& rng) {
    const int hour = rng.range(1, 12);
    switch (level) {
    case 1:
        return {hour, rng.chance(1, 2) ? 0 : 30};
    case 2:
        return {hour, 15 * rng.range(0, 3)};
    case 3:
    case 4:
        return {hour, 5 * rng.range(0, 11)};
    default:
        return {hour, rng.chance(1, 2) ? rng.range(0, 59) : 5 * rng.range(0, 11)};
    }
}

QString HourName(int hour, bool roman) {
    return roman ? QStringLiteral("%1 (%2)").arg(svg::Roman(hour)).arg(hour)
                 : QString::number(hour);
}

// Where the hands are, as a sighted pupil sees them.
QString HandsAlt(int h, int m, bool roman) {
    const int next = h % 12 + 1;
    const QString face = roman ? QStringLiteral("A clock face with the Roman numerals I to XII. ")
                               : QStringLiteral("A clock face with the numbers 1 to 12. ");
    const auto label = [&](int n) { return roman ? svg::Roman(n) : QString::number(n); };
    QString hour;
    if (m == 0)
        hour = QStringLiteral("The hour hand points at %1").arg(label(h));
    else if (m < 20)
        hour = QStringLiteral("The hour hand is just past %1").arg(label(h));
    else if (m <= 40)
        hour = QStringLiteral("The hour hand is about halfway between %1 and %2")
                   .arg(label(h), label(next));
    else
        hour = QStringLiteral("The hour hand is nearly at %1").arg(label(next));
    const int at = m / 5 == 0 ? 12 : m / 5;
    QString minute;
    if (m % 5 == 0)
        minute = QStringLiteral("the minute hand points at %1.").arg(label(at));
    else
        minute = QStringLiteral("the minute hand is %1 small mark%2 past %3.")
                     .arg(m % 5)
                     .arg(m % 5 > 1 ? QStringLiteral("s") : QString(), label(at));
    return face + hour + QStringLiteral(" and ") + minute;
}

QStringList ReadSteps(int h, int m, bool roman) {
    QStringList steps;
    if (roman)
        steps << QStringLiteral(
            "The numbers are Roman numerals: I = 1, V = 5, X = 10, and IV = 4, IX = 9, XII = 12.");
    if (m == 0) {
        steps << QStringLiteral("The minute hand points at 12, so it is o'clock.");
    } else if (m % 5 == 0) {
        steps << QStringLiteral(
                     "The minute hand points at %1, so it is %2 × 5 = %3 minutes past the hour.")
                     .arg(HourName(m / 5, roman))
                     .arg(m / 5)
                     .arg(m);
    } else {
        steps << QStringLiteral("The minute hand is %1 small mark%5 past %2: %3 × 5 + %1 = %4 "
                                "minutes past the hour.")
                     .arg(m % 5)
                     .arg(m / 5 == 0 ? HourName(12, roman) : HourName(m / 5, roman))
                     .arg(m / 5)
                     .arg(m)
                     .arg(m % 5 > 1 ? QStringLiteral("s") : QString());
    }
    if (m == 0)
        steps << QStringLiteral("The hour hand points at %1.").arg(HourName(h, roman));
    else
        steps << QStringLiteral(
                     "The hour hand has gone past %1 but not reached %2, so the hour is %3.")
                     .arg(HourName(h, roman), HourName(h % 12 + 1, roman))
                     .arg(h);
    steps << QStringLiteral("The time is %1.").arg(TimeText(h, m));
    return steps;
}

QByteArray ClockPicture(int hour, int minute, bool roman) {
    return svg::Document(300, 300, svg::ClockFace(150, 150, 140, hour, minute, roman));
}

QByteArray TwoClocks(int h1, int m1, int h2, int m2, const QString& label1, const QString& label2) {
    const QString body = svg::ClockFace(110, 110, 100, h1, m1, false) +
                         svg::ClockFace(350, 110, 100, h2, m2, false) +
                         svg::BoldText(110, 240, label1, 18) + svg::BoldText(350, 240, label2, 18);
    return svg::Document(460, 252, body);
}

Question ReadClock(int level, Rng& rng) {
    const auto [h, m] = ClockTime(level, rng);
    const bool roman = level >= 5 || (level == 4 && rng.chance(1, 2));
    const Picture pic = SvgPicture(QStringLiteral("clock.svg"), ClockPicture(h, m, roman));
    QString ask;
    switch (rng.range(0, 2)) {
    case 0:
        ask = QStringLiteral("What time does the clock show?");
        break;
    case 1:
        ask = QStringLiteral("%1 looks at the clock in the hall. What time is it?")
                  .arg(mk::AnyChild(rng).name);
        break;
    default:
        ask = QStringLiteral("Write the time shown on this clock.");
        break;
    }
    return Worked(Make(P(ask) + P(html::Img(pic.name, HandsAlt(h, m, roman))) + TimeNote(),
                       {kit::AnyOf(TimeSpellings(h, m), mk::Mark(level))}, {pic}),
                  ReadSteps(h, m, roman));
}

QString Words(int hour, int minute) {
    static const QStringList numbers = {
        QStringLiteral("twelve"), QStringLiteral("one"),   QStringLiteral("two"),
        QStringLiteral("three"),  QStringLiteral("four"),  QStringLiteral("five"),
        QStringLiteral("six"),    QStringLiteral("seven"), QStringLiteral("eight"),
        QStringLiteral("nine"),   QStringLiteral("ten"),   QStringLiteral("eleven")};
    const QString next = numbers.at((hour + 1) % 12);
    const QString now = numbers.at(hour % 12);
    switch (minute) {
    case 0:
        return now + QStringLiteral(" o'clock");
    case 15:
        return QStringLiteral("quarter past ") + now;
    case 30:
        return QStringLiteral("half past ") + now;
    default:
        return QStringLiteral("quarter to ") + next;
    }
}

// A clock with the time in words to choose.
Question ClockWords(int level, Rng& rng) {
    const int h = rng.range(1, 12);
    const int m = level <= 1 ? 30 * rng.range(0, 1) : 15 * rng.range(0, 3);
    const Picture pic = SvgPicture(QStringLiteral("clock.svg"), ClockPicture(h, m, false));
    QStringList wrong;
    const int swappedHour = m == 0 ? 12 : m / 5;
    const int swappedMinute = (h % 12) * 5;
    if (swappedMinute % 15 == 0 && !(swappedHour == h && swappedMinute == m))
        wrong << Words(swappedHour, swappedMinute);
    wrong << Words(h % 12 + 1, m) << Words((h + 10) % 12 + 1, m) << Words(h, (m + 30) % 60)
          << Words(h, (m + 15) % 60);
    int key = 0;
    const QString options = kit::Options(Words(h, m), wrong, rng, &key);
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("Which words tell the time on the clock?")
            : QStringLiteral(
                  "The clock shows when playtime starts. Choose the right time in words.");
    QStringList steps = ReadSteps(h, m, false);
    steps << QStringLiteral("In words that is %1, option %2.").arg(Words(h, m)).arg(key);
    return Worked(
        Make(P(ask) + P(html::Img(pic.name, HandsAlt(h, m, false))) + options + mk::ChooseNote(),
             {Choice(key, mk::Mark(level))}, {pic}),
        steps);
}

// Counting on from one time of day to another, in minutes.
QStringList CountOnSteps(int start, int end, bool ampm) {
    const auto show = [&](int t) { return ampm ? ClockText(t) : TimeText(Hour12(t / 60), t % 60); };
    const int nextHour = (start / 60 + 1) * 60;
    if (end <= nextHour || (start % 60 == 0 && end - start < 60))
        return {QStringLiteral("From %1 to %2 is %3 minutes.")
                    .arg(show(start), show(end))
                    .arg(end - start)};
    QStringList steps;
    int total = 0;
    if (start % 60 != 0) {
        steps << QStringLiteral("From %1 to %2 is %3 minutes.")
                     .arg(show(start), show(nextHour))
                     .arg(nextHour - start);
        total += nextHour - start;
    }
    const int from = start % 60 != 0 ? nextHour : start;
    const int hours = (end - from) / 60;
    if (hours > 0) {
        steps << QStringLiteral("From %1 to %2 is %3 hour%4, %5 minutes.")
                     .arg(show(from), show(from + 60 * hours))
                     .arg(hours)
                     .arg(hours > 1 ? QStringLiteral("s") : QString())
                     .arg(60 * hours);
        total += 60 * hours;
    }
    if (end > from + 60 * hours) {
        steps << QStringLiteral("From %1 to %2 is %3 minutes.")
                     .arg(show(from + 60 * hours), show(end))
                     .arg(end - from - 60 * hours);
        total += end - from - 60 * hours;
    }
    Q_ASSERT(total == end - start);
    steps << QStringLiteral("Altogether %1 minutes.").arg(total);
    return steps;
}

Question LaterOnClock(int level, Rng& rng) {
    const auto [h, m] = ClockTime(std::min(level, 4), rng);
    const int step = level <= 3 ? 5 * rng.range(2, 9) : 5 * rng.range(5, 23);
    const bool later = level <= 3 || rng.chance(2, 3);
    const int start = h * 60 + m;
    const int end = ((start + (later ? step : -step)) % 720 + 720) % 720;
    const int eh = end / 60 == 0 ? 12 : end / 60;
    const bool roman = level >= 5;
    const Picture pic = SvgPicture(QStringLiteral("clock.svg"), ClockPicture(h, m, roman));
    const QString ask =
        later
            ? QStringLiteral("Look at the clock. What time will it be %1 later?").arg(Lasting(step))
            : QStringLiteral("Look at the clock. What time was it %1 earlier?").arg(Lasting(step));
    QStringList steps = ReadSteps(h, m, roman);
    steps << QStringLiteral("%1 %2 is %3.")
                 .arg(later ? QStringLiteral("Count on") : QStringLiteral("Count back"),
                      Lasting(step), TimeText(eh, end % 60));
    return Worked(Make(P(ask) + P(html::Img(pic.name, HandsAlt(h, m, roman))) + TimeNote(),
                       {kit::AnyOf(TimeSpellings(eh, end % 60), mk::Mark(level))}, {pic}),
                  steps);
}

struct Event {
    const char* name; // as the table names it
    const char* the;  // "The swimming lesson"
};

const QList<Event> kEvents = {{"swimming lesson", "The swimming lesson"},
                              {"film", "The film"},
                              {"football match", "The football match"},
                              {"school concert", "The school concert"},
                              {"train journey", "The train journey"},
                              {"art class", "The art class"},
                              {"piano lesson", "The piano lesson"},
                              {"bus journey", "The bus journey"},
                              {"boat trip", "The boat trip"},
                              {"birthday party", "The birthday party"},
                              {"dance class", "The dance class"},
                              {"bike ride", "The bike ride"}};

// An event with a start (minutes past midnight, 7 am to 5 pm) and a length
// that fits it, on the level's steps.
struct Slot {
    Event event;
    int start;
    int length;
};

Slot DrawSlot(int level, Rng& rng) {
    const int step = level <= 2 ? 30 : level == 3 ? 5 : 5;
    const int top = level <= 2 ? 120 : level == 3 ? 90 : 180;
    for (;;) {
        const Event& e = rng.pick(kEvents);
        const QString name = QString::fromLatin1(e.name);
        if (!mk::Fits(name, kMinutes, step, step, top))
            continue;
        const int length = mk::DrawWithin(name, kMinutes, step, step, top, rng);
        const int start =
            60 * rng.range(7, 16) + (level <= 2 ? 30 * rng.range(0, 1) : 5 * rng.range(0, 11));
        return {e, start, length};
    }
}

Question Duration(int level, Rng& rng) {
    const Slot s = DrawSlot(level, rng);
    const bool ampm = level >= 4;
    const auto show = [&](int t) { return ampm ? ClockText(t) : TimeText(Hour12(t / 60), t % 60); };
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("%1 starts at %2 and ends at %3. How many minutes does it last?")
                  .arg(QString::fromLatin1(s.event.the), show(s.start), show(s.start + s.length))
            : QStringLiteral("%1's %2 runs from %3 to %4. How long is that in minutes?")
                  .arg(mk::AnyChild(rng).name, QString::fromLatin1(s.event.name), show(s.start),
                       show(s.start + s.length));
    return Worked(Make(P(ask) + mk::Line(QStringLiteral("It lasts "), QString(),
                                         QStringLiteral("minutes"), QStringLiteral(".")),
                       {Number(s.length, mk::Mark(level))}),
                  CountOnSteps(s.start, s.start + s.length, ampm));
}

Question ClocksDuration(int level, Rng& rng) {
    const Slot s = DrawSlot(std::min(level, 3), rng);
    const int end = s.start + s.length;
    const Picture pic =
        SvgPicture(QStringLiteral("clocks.svg"),
                   TwoClocks(Hour12(s.start / 60), s.start % 60, Hour12(end / 60), end % 60,
                             QStringLiteral("Starts"), QStringLiteral("Ends")));
    const QString alt = QStringLiteral("Two clocks. Starts: %1 Ends: %2")
                            .arg(HandsAlt(Hour12(s.start / 60), s.start % 60, false),
                                 HandsAlt(Hour12(end / 60), end % 60, false));
    const QString name = QString::fromLatin1(s.event.name);
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("The clocks show when the %1 starts and ends. How long is the %1?")
                  .arg(name)
            : QStringLiteral("Look at the two clocks. For how many minutes does the %1 go on?")
                  .arg(name);
    QStringList steps{QStringLiteral("The first clock shows %1 and the second shows %2.")
                          .arg(TimeText(Hour12(s.start / 60), s.start % 60),
                               TimeText(Hour12(end / 60), end % 60))};
    steps += CountOnSteps(s.start, end, false);
    return Worked(Make(P(ask) + P(html::Img(pic.name, alt)) +
                           mk::Line(QStringLiteral("It lasts "), QString(),
                                    QStringLiteral("minutes"), QStringLiteral(".")),
                       {Number(s.length, mk::Mark(level))}, {pic}),
                  steps);
}

Question Units(int level, Rng& rng) {
    switch (level) {
    case 1: {
        static const QList<std::tuple<const char*, const char*, int>> facts = {
            {"1 hour", "minutes", 60},
            {"1 week", "days", 7},
            {"1 day", "hours", 24},
            {"1 year", "months", 12},
            {"1 minute", "seconds", 60}};
        const auto& [have, unit, value] = rng.pick(facts);
        const QString ask =
            rng.chance(1, 2) ? mk::Line(QStringLiteral("%1 = ").arg(QString::fromLatin1(have)),
                                        QString(), QString::fromLatin1(unit))
                             : P(QStringLiteral("How many %1 are there in %2?")
                                     .arg(QString::fromLatin1(unit), QString::fromLatin1(have))) +
                                   mk::Line(QString(), QString(), QString::fromLatin1(unit));
        return Worked(Make(ask, {Number(value)}),
                      {QStringLiteral("There are %1 %2 in %3.")
                           .arg(value)
                           .arg(QString::fromLatin1(unit), QString::fromLatin1(have))});
    }
    case 2: {
        const int n = rng.range(2, 5);
        static const QList<std::tuple<const char*, const char*, int>> units = {
            {"hours", "minutes", 60},
            {"weeks", "days", 7},
            {"days", "hours", 24},
            {"years", "months", 12}};
        const auto& [have, unit, per] = rng.pick(units);
        return Worked(
            Make(mk::Line(QStringLiteral("%1 %2 = ").arg(n).arg(QString::fromLatin1(have)),
                          QString(), QString::fromLatin1(unit)),
                 {Number(n * per)}),
            {QStringLiteral("Each one is %1 %2, so %3 × %1 = %4 %2.")
                 .arg(per)
                 .arg(QString::fromLatin1(unit))
                 .arg(n)
                 .arg(n * per)});
    }
    case 3: {
        if (rng.chance(1, 2)) {
            const int minutes = rng.range(2, 5);
            return Worked(
                Make(P(QStringLiteral("How many seconds are there in %1 minutes?").arg(minutes)) +
                         mk::Line(QString(), QString(), QStringLiteral("seconds")),
                     {Number(minutes * 60, mk::Mark(level))}),
                {QStringLiteral("1 minute = 60 seconds."),
                 QStringLiteral("%1 × 60 = %2 seconds.").arg(minutes).arg(minutes * 60)});
        }
        const int h = rng.range(1, 3), m = 5 * rng.range(1, 11);
        return Worked(Make(mk::Line(QStringLiteral("%1 h %2 min = ").arg(h).arg(m), QString(),
                                    QStringLiteral("min")),
                           {Number(h * 60 + m, mk::Mark(level))}),
                      {QStringLiteral("1 hour = 60 minutes, so %1 h = %2 min.").arg(h).arg(h * 60),
                       QStringLiteral("%1 + %2 = %3 minutes.").arg(h * 60).arg(m).arg(h * 60 + m)});
    }
    default: {
        switch (rng.range(0, 2)) {
        case 0: {
            const int total =
                60 * rng.range(1, 3) + (level >= 5 ? rng.range(1, 59) : 5 * rng.range(1, 11));
            return Worked(Make(mk::Line(QStringLiteral("%1 min = %2 h ").arg(total).arg(total / 60),
                                        QString(), QStringLiteral("min")),
                               {Number(total % 60, mk::Mark(level))}),
                          {QStringLiteral("%1 hour%2 = %3 minutes.")
                               .arg(total / 60)
                               .arg(total / 60 > 1 ? QStringLiteral("s") : QString())
                               .arg(total / 60 * 60),
                           QStringLiteral("%1 − %2 = %3 minutes left over.")
                               .arg(total)
                               .arg(total / 60 * 60)
                               .arg(total % 60)});
        }
        case 1: {
            const int w = rng.range(2, 6), d = rng.range(1, 6);
            return Worked(Make(mk::Line(QStringLiteral("%1 weeks %2 days = ").arg(w).arg(d),
                                        QString(), QStringLiteral("days")),
                               {Number(7 * w + d, mk::Mark(level))}),
                          {QStringLiteral("%1 weeks = %1 × 7 = %2 days.").arg(w).arg(7 * w),
                           QStringLiteral("%1 + %2 = %3 days.").arg(7 * w).arg(d).arg(7 * w + d)});
        }
        default: {
            const int m = rng.range(1, 4), s = 5 * rng.range(1, 11);
            return Worked(
                Make(mk::Line(QStringLiteral("%1 min %2 s = ").arg(m).arg(s), QString(),
                              QStringLiteral("seconds")),
                     {Number(60 * m + s, mk::Mark(level))}),
                {QStringLiteral("%1 minute%2 = %3 seconds.")
                     .arg(m)
                     .arg(m > 1 ? QStringLiteral("s") : QString())
                     .arg(60 * m),
                 QStringLiteral("%1 + %2 = %3 seconds.").arg(60 * m).arg(s).arg(60 * m + s)});
        }
        }
    }
    }
}

Question DaysAndMonths(int level, Rng& rng) {
    switch (rng.range(0, level <= 1 ? 1 : 3)) {
    case 0: {
        const int day = rng.range(0, 6);
        const bool after = rng.chance(1, 2);
        const int answer = (day + (after ? 1 : 6)) % 7;
        return Worked(Make(P(QStringLiteral("Which day comes %1 %2?")
                                 .arg(after ? QStringLiteral("after") : QStringLiteral("before"),
                                      kDays.at(day))),
                           {kit::AnyOf(DaySpellings(answer), mk::Mark(level))}),
                      {QStringLiteral("The days go Monday, Tuesday, Wednesday, Thursday, Friday, "
                                      "Saturday, Sunday, then Monday again."),
                       QStringLiteral("The day %1 %2 is %3.")
                           .arg(after ? QStringLiteral("after") : QStringLiteral("before"),
                                kDays.at(day), kDays.at(answer))});
    }
    case 1: {
        const int month = rng.range(0, 11);
        const bool after = rng.chance(1, 2);
        const int answer = (month + (after ? 1 : 11)) % 12;
        return Worked(Make(P(QStringLiteral("Which month comes %1 %2?")
                                 .arg(after ? QStringLiteral("after") : QStringLiteral("before"),
                                      kMonths.at(month))),
                           {kit::AnyOf(MonthSpellings(answer), mk::Mark(level))}),
                      {QStringLiteral("The months go January, February, March, ... November, "
                                      "December, then January again."),
                       QStringLiteral("The month %1 %2 is %3.")
                           .arg(after ? QStringLiteral("after") : QStringLiteral("before"),
                                kMonths.at(month), kMonths.at(answer))});
    }
    case 2: {
        int month = rng.range(0, 11);
        while (month == 1) // February depends on the year
            month = rng.range(0, 11);
        return Worked(
            Make(P(QStringLiteral("How many days are there in %1?").arg(kMonths.at(month))) +
                     mk::Line(QString(), QString(), QStringLiteral("days")),
                 {Number(kMonthDays.at(month), mk::Mark(level))}),
            {QStringLiteral("\"30 days has September, April, June and November; all the rest have "
                            "31, except February.\""),
             QStringLiteral("%1 has %2 days.").arg(kMonths.at(month)).arg(kMonthDays.at(month))});
    }
    default: {
        const int day = rng.range(0, 6);
        const int n = rng.range(2, 5);
        const int answer = (day + n) % 7;
        return Worked(Make(P(QStringLiteral("Today is %1. What day will it be in %2 days?")
                                 .arg(kDays.at(day))
                                 .arg(n)),
                           {kit::AnyOf(DaySpellings(answer), mk::Mark(level))}),
                      {QStringLiteral("Count on %1 days from %2.").arg(n).arg(kDays.at(day)),
                       QStringLiteral("It will be %1.").arg(kDays.at(answer))});
    }
    }
}

struct Month {
    int month;
    int firstWeekday;
    Picture picture;
};

Month RandomMonth(Rng& rng) {
    Month m;
    m.month = rng.range(0, 11);
    m.firstWeekday = rng.range(0, 6);
    const int days = kMonthDays.at(m.month);
    const double cell = 72;
    const double height = svg::CalendarHeight(m.firstWeekday, days, cell);
    m.picture = SvgPicture(
        QStringLiteral("calendar.svg"),
        svg::Document(int(cell * 7 + 8), int(height + 8),
                      svg::Calendar(kMonths.at(m.month), m.firstWeekday, days, 4, 4, cell)));
    return m;
}

QString CalendarAlt(const Month& m) {
    return QStringLiteral("A calendar page for %1 with columns for the days of the week from "
                          "Sunday to Saturday. "
                          "The 1st is a %2 and the month has %3 days.")
        .arg(kMonths.at(m.month), kDays.at(m.firstWeekday))
        .arg(kMonthDays.at(m.month));
}

Question CalendarPart(const Month& m, int kind, Rng& rng) {
    const int days = kMonthDays.at(m.month);
    const QString month = kMonths.at(m.month);
    const auto weekday = [&](int date) { return (m.firstWeekday + date - 1) % 7; };
    switch (kind % 5) {
    case 0: {
        const int date = rng.range(2, days);
        return Worked(
            Make(QStringLiteral("What day of the week is %1 %2?").arg(date).arg(month),
                 {kit::AnyOf(DaySpellings(weekday(date)))}),
            {QStringLiteral("Find %1 on the calendar and look up to the top of its column.")
                 .arg(date),
             QStringLiteral("It is in the %1 column.").arg(kDays.at(weekday(date)))});
    }
    case 1: {
        const int day = rng.range(0, 6);
        const int nth = rng.range(2, 4);
        const int first = (day - m.firstWeekday + 7) % 7 + 1;
        static const QStringList ordinal = {QString(), QString(), QStringLiteral("second"),
                                            QStringLiteral("third"), QStringLiteral("fourth")};
        return Worked(Make(QStringLiteral("What is the date of the %1 %2 in %3?")
                                   .arg(ordinal.at(nth), kDays.at(day), month) +
                               mk::Line(QString(), QString(), month),
                           {Number(first + 7 * (nth - 1))}),
                      {QStringLiteral("The first %1 of the month is %2 %3.")
                           .arg(kDays.at(day))
                           .arg(first)
                           .arg(month),
                       QStringLiteral("Each week adds 7: %1 + %2 × 7 = %3.")
                           .arg(first)
                           .arg(nth - 1)
                           .arg(first + 7 * (nth - 1))});
    }
    case 2: {
        const int day = rng.range(0, 6);
        int count = 0;
        QStringList dates;
        for (int d = 1; d <= days; ++d) {
            if (weekday(d) == day) {
                ++count;
                dates << QString::number(d);
            }
        }
        return Worked(
            Make(QStringLiteral("How many %1s are there in %2?").arg(kDays.at(day), month) +
                     mk::Line(QString(), QString(), kDays.at(day) + QLatin1Char('s')),
                 {Number(count)}),
            {QStringLiteral("Count down the %1 column: %2.")
                 .arg(kDays.at(day), dates.join(QStringLiteral(", "))),
             QStringLiteral("That is %1 %2s.").arg(count).arg(kDays.at(day))});
    }
    case 3: {
        const int date = rng.range(1, days - 10);
        const int later = rng.range(5, std::min(14, days - date));
        return Worked(Make(QStringLiteral("What is the date %1 days after %2 %3?")
                                   .arg(later)
                                   .arg(date)
                                   .arg(month) +
                               mk::Line(QString(), QString(), month),
                           {Number(date + later, 2)}),
                      {QStringLiteral("%1 + %2 = %3.").arg(date).arg(later).arg(date + later)});
    }
    default: {
        const int date = rng.range(1, days - 7);
        const Child c = mk::AnyChild(rng);
        return Worked(
            Make(QStringLiteral(
                     "%1's party is one week after %2 %3. On what day of the week is the party?")
                     .arg(c.name)
                     .arg(date)
                     .arg(month),
                 {kit::AnyOf(DaySpellings(weekday(date + 7)), 2)}),
            {QStringLiteral("One week later is 7 days later: %1 + 7 = %2 %3.")
                 .arg(date)
                 .arg(date + 7)
                 .arg(month),
             QStringLiteral("A week later is always the same day of the week: %1.")
                 .arg(kDays.at(weekday(date + 7)))});
    }
    }
}

Question CalendarQuestion(int level, Rng& rng) {
    const Month m = RandomMonth(rng);
    Question part = CalendarPart(m, rng.range(0, 4), rng);
    part.html = P(QStringLiteral("Look at the calendar.")) +
                P(html::Img(m.picture.name, CalendarAlt(m))) + P(part.html.trimmed());
    part.pictures << m.picture;
    for (Blank& b : part.blanks)
        b.mark = std::max(b.mark, mk::Mark(level));
    return part;
}

Question AmPm(int level, Rng& rng) {
    struct Moment {
        const char* text; // with %1 for the time
        int hour24;
    };
    static const QList<Moment> moments = {{"%2 wakes up at %1 in the morning.", 7},
                                          {"%2 has lunch at %1, just after midday.", 12},
                                          {"%2 goes to bed at %1 at night.", 20},
                                          {"School starts at %1 in the morning.", 8},
                                          {"%2 has a snack at %1 in the afternoon.", 15},
                                          {"The shop opens at %1 in the morning.", 9},
                                          {"Dinner is cooked at %1 in the evening.", 18}};
    const Child c = mk::AnyChild(rng);
    if (level >= 3 && rng.chance(1, 5)) {
        // Midday itself.
        return Worked(
            Make(P(QStringLiteral("The church clock strikes twelve in the middle of the day.")) +
                     P(QStringLiteral("Write this time with am or pm, or as noon.")),
                 {kit::AnyOf(AmPmSpellings(12 * 60), mk::Mark(level))}),
            {QStringLiteral("Twelve o'clock in the middle of the day is neither morning nor "
                            "afternoon: it is midday."),
             QStringLiteral("We write it 12 noon.")});
    }
    const Moment& mo = rng.pick(moments);
    int minute = level <= 2 ? 15 * rng.range(0, 3) : 5 * rng.range(0, 11);
    if (mo.hour24 == 12 && minute == 0)
        minute = 15;
    const int minutes = mo.hour24 * 60 + minute;
    const QString text = QString::fromLatin1(mo.text)
                             .replace(QStringLiteral("%1"), TimeText(Hour12(mo.hour24), minute))
                             .replace(QStringLiteral("%2"), c.name);
    const bool am = mo.hour24 < 12;
    const QString why = am ? QStringLiteral("Times from midnight to midday are am.")
                           : QStringLiteral("Times from midday to midnight are pm.");
    if (level <= 2) {
        return Worked(
            Make(P(text) + P(QStringLiteral("Is that time <b>am</b> or <b>pm</b>?")),
                 {kit::AnyOf(am ? QStringList{QStringLiteral("am"), QStringLiteral("a.m.")}
                                : QStringList{QStringLiteral("pm"), QStringLiteral("p.m.")})}),
            {why, QStringLiteral("So %1 here is %2.")
                      .arg(TimeText(Hour12(mo.hour24), minute),
                           am ? QStringLiteral("am") : QStringLiteral("pm"))});
    }
    return Worked(Make(P(text) + AmPmNote(), {kit::AnyOf(AmPmSpellings(minutes), mk::Mark(level))}),
                  {why, QStringLiteral("So the time is %1.").arg(ClockText(minutes))});
}

Question EndTime(int level, Rng& rng) {
    const Slot s = DrawSlot(std::max(level, 4), rng);
    const int end = s.start + s.length;
    const QString name = QString::fromLatin1(s.event.name);
    QStringList steps;
    if (level >= 5 && rng.chance(1, 2)) {
        steps << QStringLiteral("Count back %1 from %2.").arg(Lasting(s.length), ClockText(end));
        steps += CountOnSteps(s.start, end, true);
        steps << QStringLiteral("So it started at %1.").arg(ClockText(s.start));
        return Worked(
            Make(P(QStringLiteral("The %1 lasts %2 and finishes at %3. At what time did it start?")
                       .arg(name, Lasting(s.length), ClockText(end))) +
                     AmPmNote(),
                 {kit::AnyOf(AmPmSpellings(s.start), mk::Mark(level, 2))}),
            steps);
    }
    steps << QStringLiteral("Count on %1 from %2.").arg(Lasting(s.length), ClockText(s.start));
    steps += CountOnSteps(s.start, end, true);
    steps << QStringLiteral("So it ends at %1.").arg(ClockText(end));
    return Worked(
        Make(P(QStringLiteral("The %1 starts at %2 and lasts %3. At what time does it end?")
                   .arg(name, ClockText(s.start), Lasting(s.length))) +
                 AmPmNote(),
             {kit::AnyOf(AmPmSpellings(end), mk::Mark(level, 2))}),
        steps);
}

Question TwentyFour(int level, Rng& rng) {
    const int minutes =
        60 * rng.range(1, 23) + (level >= 5 ? rng.range(0, 59) : 5 * rng.range(0, 11));
    const int h = minutes / 60;
    const QString why =
        h < 12 ? QStringLiteral("Before midday the hours are the same as on the 24-hour clock.")
        : h == 12
            ? QStringLiteral("From 12 midday to 1 pm the hour stays 12.")
            : QStringLiteral("After 1 pm add 12 to the hour: %1 + 12 = %2.").arg(h - 12).arg(h);
    if (rng.chance(1, 2)) {
        if (h == 12 && minutes % 60 == 0)
            return TwentyFour(level, rng);
        return Worked(
            Make(P(QStringLiteral("Write %1 as a 24-hour clock time.").arg(ClockText(minutes))) +
                     kit::Note(QStringLiteral("Write it like 07:15 or 19:15.")),
                 {kit::AnyOf(Time24Spellings(minutes), mk::Mark(level))}),
            {why, QStringLiteral("So %1 is %2.").arg(ClockText(minutes), Time24(minutes))});
    }
    const Picture pic =
        SvgPicture(QStringLiteral("digital.svg"),
                   svg::Document(220, 100, svg::DigitalClock(10, 10, Time24(minutes))));
    const QString back = h < 12 ? QStringLiteral("Hours before 12 are am.")
                         : h == 12
                             ? QStringLiteral("12 in the hour is just after midday, pm.")
                             : QStringLiteral("Hours after 12 are pm: take away 12, %1 − 12 = %2.")
                                   .arg(h)
                                   .arg(h - 12);
    return Worked(
        Make(P(QStringLiteral("The station clock shows the time a train leaves. Write this time "
                              "with am or pm.")) +
                 P(html::Img(
                     pic.name,
                     QStringLiteral("A 24-hour digital clock showing %1.").arg(Time24(minutes)))) +
                 AmPmNote(),
             {kit::AnyOf(AmPmSpellings(minutes), mk::Mark(level))}, {pic}),
        {back, QStringLiteral("So %1 is %2.").arg(Time24(minutes), ClockText(minutes))});
}

Question LongestTime(int level, Rng& rng) {
    QList<int> values;
    while (values.size() < 4) {
        const int v = level >= 5 ? rng.range(50, 150) : 5 * rng.range(10, 30);
        if (!values.contains(v))
            values << v;
    }
    const bool most = rng.chance(1, 2);
    int best = values.at(0);
    for (int v : values)
        best = most ? std::max(best, v) : std::min(best, v);
    QHash<int, QString> written;
    QStringList others, inMinutes;
    for (int v : values)
        written[v] = v >= 60 && rng.chance(1, 2)
                         ? (v % 60 == 0 ? QStringLiteral("%1 h").arg(v / 60)
                                        : QStringLiteral("%1 h %2 min").arg(v / 60).arg(v % 60))
                         : QStringLiteral("%1 minutes").arg(v);
    for (int v : values) {
        if (v != best)
            others << written.value(v);
        inMinutes << QStringLiteral("%1 = %2 minutes").arg(written.value(v)).arg(v);
    }
    int key = 0;
    const QString options = kit::Options(written.value(best), others, rng, &key);
    const QString word = most ? QStringLiteral("longest") : QStringLiteral("shortest");
    return Worked(
        Make(P(QStringLiteral("Which is the %1 time?").arg(word)) + options + mk::ChooseNote(),
             {Choice(key, mk::Mark(level))}),
        {QStringLiteral("1 hour = 60 minutes. Write them all in minutes: %1.")
             .arg(inMinutes.join(QStringLiteral(", "))),
         QStringLiteral("The %1 is %2 minutes, option %3.").arg(word).arg(best).arg(key)});
}

// Two clocks, start and end of an activity, with questions on both.
Question ClockStory(int level, int blanks, Rng& rng) {
    const Slot s = DrawSlot(std::min(level, 3), rng);
    const int start = s.start, end = s.start + s.length;
    const Child c = mk::AnyChild(rng);
    const Picture pic =
        SvgPicture(QStringLiteral("clocks.svg"),
                   TwoClocks(Hour12(start / 60), start % 60, Hour12(end / 60), end % 60,
                             QStringLiteral("Starts"), QStringLiteral("Ends")));
    const QString name = QString::fromLatin1(s.event.name);
    const QString alt = QStringLiteral("Two clocks. Starts: %1 Ends: %2")
                            .arg(HandsAlt(Hour12(start / 60), start % 60, false),
                                 HandsAlt(Hour12(end / 60), end % 60, false));
    const QString intro =
        P(QStringLiteral("The clocks show when %1's %2 starts and ends.").arg(c.name, name)) +
        P(html::Img(pic.name, alt)) + TimeNote();
    const int after = end + 5 * rng.range(2, 8);
    const QList<Question> pool = {
        Worked(Make(QStringLiteral("At what time does it start?"),
                    {kit::AnyOf(TimeSpellings(Hour12(start / 60), start % 60))}),
               ReadSteps(Hour12(start / 60), start % 60, false)),
        Worked(Make(QStringLiteral("At what time does it finish?"),
                    {kit::AnyOf(TimeSpellings(Hour12(end / 60), end % 60))}),
               ReadSteps(Hour12(end / 60), end % 60, false)),
        Worked(Make(QStringLiteral("How many minutes does it last?") +
                        mk::Line(QString(), QString(), QStringLiteral("minutes")),
                    {Number(end - start, 2)}),
               CountOnSteps(start, end, false)),
        Worked(Make(QStringLiteral("%1 has tea %2 minutes after the end. At what time is tea?")
                        .arg(c.name)
                        .arg(after - end),
                    {kit::AnyOf(TimeSpellings(Hour12(after / 60), after % 60), 2)}),
               {QStringLiteral("%1 + %2 minutes = %3.")
                    .arg(TimeText(Hour12(end / 60), end % 60))
                    .arg(after - end)
                    .arg(TimeText(Hour12(after / 60), after % 60))}),
    };
    return mk::CombineFrom(intro, pool, blanks, {pic});
}

QStringList Words() {
    QStringList words;
    for (const Event& e : kEvents)
        words << QString::fromLatin1(e.name);
    words += kDays;
    words += kMonths;
    return mk::WithPeople(words);
}

} // namespace

QList<Question> GenerateTopic7(const PaperSpec& paperSpec, Rng& rng) {
    const QList<mk::Maker> makers = {
        {1, 5, ReadClock},        {1, 5, ReadClock}, {1, 3, ClockWords},
        {2, 5, LaterOnClock},     {1, 5, Units},     {1, 3, DaysAndMonths},
        {2, 5, CalendarQuestion}, {1, 4, AmPm},      {1, 4, ClocksDuration},
        {2, 5, Duration},         {4, 5, EndTime},   {4, 5, TwentyFour},
        {3, 5, LongestTime},
    };
    return mk::BuildPaper(paperSpec, rng, makers, ClockStory, mk::NoFixed(), Words());
}

} // namespace bank
