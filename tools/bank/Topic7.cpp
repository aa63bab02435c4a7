// Topic 7, Time: reading clocks, later and earlier times, durations, units of
// time, am and pm, calendars. A time the pupil writes takes every fair way of
// writing it (7.30 and 7:30); a weekday or month takes its name and its short
// forms; durations and dates are numbers.

#include "Bank.h"
#include "SvgExtra.h"
#include "TopicKit.h"

namespace bank {

namespace {

using namespace kit;

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
    return Note(QStringLiteral("Write the time like 4.15 or 4:15."));
}

QString AmPmNote() {
    return Note(QStringLiteral("Write the time with am or pm, like 4.15 pm."));
}

// Minutes past midnight written as "3.40 pm".
QString ClockText(int minutes) {
    const int h = minutes / 60, m = minutes % 60;
    return TimeText(Hour12(h), m) + (h < 12 ? QStringLiteral(" am") : QStringLiteral(" pm"));
}

QStringList AmPmSpellings(int minutes) {
    const int h = minutes / 60;
    return TimeSpellings(Hour12(h), minutes % 60,
                         h < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
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
        return {hour, rng.range(0, 59)};
    }
}

QByteArray ClockPicture(int hour, int minute) {
    return svg::Document(250, 250, svg::Clock(125, 125, 115, hour, minute));
}

QByteArray TwoClocks(int h1, int m1, int h2, int m2, const QString& label1, const QString& label2) {
    const QString body = svg::Clock(110, 110, 100, h1, m1) + svg::Clock(350, 110, 100, h2, m2) +
                         svg::BoldText(110, 240, label1, 18) + svg::BoldText(350, 240, label2, 18);
    return svg::Document(460, 252, body);
}

Question ReadClock(int level, Rng& rng) {
    const auto [h, m] = ClockTime(level, rng);
    const Picture pic = SvgPicture(QStringLiteral("clock.svg"), ClockPicture(h, m));
    const QString html = P(QStringLiteral("What time does the clock show?")) +
                         P(html::Img(pic.name, QStringLiteral("a clock"))) + TimeNote();
    return Make(html, {AnyOf(TimeSpellings(h, m), level >= 5 ? 2 : 1)}, {pic});
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
Question ClockWords(int, Rng& rng) {
    const int h = rng.range(1, 12);
    const int m = 15 * rng.range(0, 3);
    const Picture pic = SvgPicture(QStringLiteral("clock.svg"), ClockPicture(h, m));
    // The classic confusions: hands swapped, the hour before or after.
    QStringList wrong;
    const int swappedHour = m == 0 ? 12 : m / 5;
    const int swappedMinute = (h % 12) * 5;
    if (swappedMinute % 15 == 0 && !(swappedHour == h && swappedMinute == m))
        wrong << Words(swappedHour, swappedMinute);
    wrong << Words(h % 12 + 1, m) << Words((h + 10) % 12 + 1, m) << Words(h, (m + 30) % 60)
          << Words(h, (m + 15) % 60);
    int key = 0;
    const QString options = Options(Words(h, m), wrong, rng, &key);
    return Make(P(QStringLiteral("What time does the clock show?")) +
                    P(html::Img(pic.name, QStringLiteral("a clock"))) + options + ChooseNote(),
                {Choice(key)}, {pic});
}

Question LaterOnClock(int level, Rng& rng) {
    const auto [h, m] = ClockTime(std::min(level, 4), rng);
    const int step = level <= 3 ? 5 * rng.range(2, 9) : 5 * rng.range(5, 23);
    const bool later = level <= 3 || rng.chance(2, 3);
    const int start = h * 60 + m;
    const int end = ((start + (later ? step : -step)) % 720 + 720) % 720;
    const int eh = end / 60 == 0 ? 12 : end / 60;
    const Picture pic = SvgPicture(QStringLiteral("clock.svg"), ClockPicture(h, m));
    const QString html =
        P((later ? QStringLiteral("Look at the clock. What time will it be %1 minutes later?")
                 : QStringLiteral("Look at the clock. What time was it %1 minutes earlier?"))
              .arg(step)) +
        P(html::Img(pic.name, QStringLiteral("a clock"))) + TimeNote();
    return Make(html, {AnyOf(TimeSpellings(eh, end % 60), 2)}, {pic});
}

// Start and end times within one day, 7 am to 9 pm, as minutes past midnight.
QPair<int, int> Interval(int level, Rng& rng) {
    const int start =
        60 * rng.range(7, 17) + (level <= 2 ? 30 * rng.range(0, 1) : 5 * rng.range(0, 11));
    int length = 0;
    switch (level) {
    case 1:
    case 2:
        length = 30 * rng.range(1, 4);
        break;
    case 3:
        length = 5 * rng.range(3, 20);
        break;
    default:
        length = 5 * rng.range(10, 40);
        break;
    }
    return {start, start + length};
}

Question Duration(int level, Rng& rng) {
    const auto [start, end] = Interval(level, rng);
    static const QList<QPair<const char*, const char*>> events = {
        {"The swimming lesson", "starts"}, {"The film", "starts"},
        {"The football match", "starts"},  {"The school concert", "starts"},
        {"The train ride", "starts"},      {"The art class", "starts"}};
    const auto& e = rng.pick(events);
    QString html;
    if (level <= 3) {
        html = P(QStringLiteral("%1 starts at %2 and ends at %3. How many minutes does it last?")
                     .arg(QString::fromLatin1(e.first), TimeText(Hour12(start / 60), start % 60),
                          TimeText(Hour12(end / 60), end % 60)));
    } else {
        html = P(QStringLiteral("%1 starts at %2 and ends at %3. How many minutes does it last?")
                     .arg(QString::fromLatin1(e.first), ClockText(start), ClockText(end)));
    }
    html += P(QStringLiteral("It lasts ") + Gap() + QStringLiteral(" minutes."));
    return Make(html, {Number(end - start, level >= 4 ? 3 : 2)});
}

Question ClocksDuration(int level, Rng& rng) {
    const auto [start, end] = Interval(std::min(level, 3), rng);
    const Picture pic =
        SvgPicture(QStringLiteral("clocks.svg"),
                   TwoClocks(Hour12(start / 60), start % 60, Hour12(end / 60), end % 60,
                             QStringLiteral("Starts"), QStringLiteral("Ends")));
    const QString html =
        P(QStringLiteral("The clocks show when a lesson starts and ends. How long is the "
                         "lesson?")) +
        P(html::Img(pic.name, QStringLiteral("two clocks"))) +
        P(QStringLiteral("It lasts ") + Gap() + QStringLiteral(" minutes."));
    return Make(html, {Number(end - start, 2)}, {pic});
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
        return Make(P(QStringLiteral("%1 = ").arg(QString::fromLatin1(have)) + Gap() +
                      QLatin1Char(' ') + QString::fromLatin1(unit)),
                    {Number(value)});
    }
    case 2: {
        const int n = rng.range(2, 5);
        static const QList<std::tuple<const char*, const char*, int>> units = {
            {"hours", "minutes", 60},
            {"weeks", "days", 7},
            {"days", "hours", 24},
            {"years", "months", 12}};
        const auto& [have, unit, per] = rng.pick(units);
        return Make(P(QStringLiteral("%1 %2 = ").arg(n).arg(QString::fromLatin1(have)) + Gap() +
                      QLatin1Char(' ') + QString::fromLatin1(unit)),
                    {Number(n * per)});
    }
    case 3: {
        const int h = rng.range(1, 3), m = 5 * rng.range(1, 11);
        return Make(
            P(QStringLiteral("%1 h %2 min = ").arg(h).arg(m) + Gap() + QStringLiteral(" min")),
            {Number(h * 60 + m)});
    }
    default: {
        if (rng.chance(1, 2)) {
            const int total = 60 * rng.range(1, 3) + 5 * rng.range(1, 11);
            return Make(P(QStringLiteral("%1 min = %2 h ").arg(total).arg(total / 60) + Gap() +
                          QStringLiteral(" min")),
                        {Number(total % 60, 2)});
        }
        const int w = rng.range(2, 6), d = rng.range(1, 6);
        return Make(P(QStringLiteral("%1 weeks %2 days = ").arg(w).arg(d) + Gap() +
                      QStringLiteral(" days")),
                    {Number(7 * w + d, 2)});
    }
    }
}

Question DaysAndMonths(int level, Rng& rng) {
    switch (rng.range(0, level <= 1 ? 1 : 3)) {
    case 0: {
        const int day = rng.range(0, 6);
        const bool after = rng.chance(1, 2);
        const int answer = (day + (after ? 1 : 6)) % 7;
        return Make(
            P(QStringLiteral("Which day comes %1 %2?")
                  .arg(after ? QStringLiteral("after") : QStringLiteral("before"), kDays.at(day))),
            {AnyOf(DaySpellings(answer))});
    }
    case 1: {
        const int month = rng.range(0, 11);
        const bool after = rng.chance(1, 2);
        const int answer = (month + (after ? 1 : 11)) % 12;
        return Make(P(QStringLiteral("Which month comes %1 %2?")
                          .arg(after ? QStringLiteral("after") : QStringLiteral("before"),
                               kMonths.at(month))),
                    {AnyOf(MonthSpellings(answer))});
    }
    case 2: {
        int month = rng.range(0, 11);
        while (month == 1) // February depends on the year
            month = rng.range(0, 11);
        return Make(P(QStringLiteral("How many days are there in %1?").arg(kMonths.at(month))),
                    {Number(kMonthDays.at(month))});
    }
    default: {
        const int day = rng.range(0, 6);
        const int n = rng.range(2, 5);
        const int answer = (day + n) % 7;
        return Make(P(QStringLiteral("Today is %1. What day will it be in %2 days?")
                          .arg(kDays.at(day))
                          .arg(n)),
                    {AnyOf(DaySpellings(answer), 2)});
    }
    }
}

// A month of the calendar and one question about it.
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

Question CalendarPart(const Month& m, int kind, Rng& rng) {
    const int days = kMonthDays.at(m.month);
    const QString month = kMonths.at(m.month);
    const auto weekday = [&](int date) { return (m.firstWeekday + date - 1) % 7; };
    switch (kind % 5) {
    case 0: {
        const int date = rng.range(2, days);
        return Make(QStringLiteral("What day of the week is %1 %2? ").arg(date).arg(month),
                    {AnyOf(DaySpellings(weekday(date)))});
    }
    case 1: {
        const int day = rng.range(0, 6);
        const int nth = rng.range(2, 4);
        const int first = (day - m.firstWeekday + 7) % 7 + 1;
        static const QStringList ordinal = {QString(), QString(), QStringLiteral("second"),
                                            QStringLiteral("third"), QStringLiteral("fourth")};
        return Make(QStringLiteral("What is the date of the %1 %2 in %3? ")
                        .arg(ordinal.at(nth), kDays.at(day), month),
                    {Number(first + 7 * (nth - 1))});
    }
    case 2: {
        const int day = rng.range(0, 6);
        int count = 0;
        for (int d = 1; d <= days; ++d)
            count += weekday(d) == day ? 1 : 0;
        return Make(QStringLiteral("How many %1s are there in %2? ").arg(kDays.at(day), month),
                    {Number(count)});
    }
    case 3: {
        const int date = rng.range(1, days - 10);
        const int later = rng.range(5, std::min(14, days - date));
        return Make(QStringLiteral("What is the date %1 days after %2 %3? ")
                        .arg(later)
                        .arg(date)
                        .arg(month),
                    {Number(date + later, 2)});
    }
    default: {
        const int date = rng.range(1, days - 7);
        return Make(QStringLiteral("Sam's party is one week after %1 %2. On what day of the week "
                                   "is the party? ")
                        .arg(date)
                        .arg(month),
                    {AnyOf(DaySpellings(weekday(date + 7)), 2)});
    }
    }
}

Question CalendarQuestion(int, Rng& rng) {
    const Month m = RandomMonth(rng);
    Question part = CalendarPart(m, rng.range(0, 4), rng);
    part.html = P(QStringLiteral("Look at the calendar.")) +
                P(html::Img(m.picture.name, QStringLiteral("a calendar"))) + P(part.html.trimmed());
    part.pictures << m.picture;
    return part;
}

Question AmPm(int level, Rng& rng) {
    struct Moment {
        const char* text; // with %1 for the time
        int hour24;
    };
    static const QList<Moment> moments = {{"Tom wakes up at %1 in the morning.", 7},
                                          {"Lily has lunch at %1 in the afternoon.", 12},
                                          {"Ben goes to bed at %1 at night.", 20},
                                          {"School starts at %1 in the morning.", 8},
                                          {"Mia has a snack at %1 in the afternoon.", 15},
                                          {"The shop opens at %1 in the morning.", 9},
                                          {"Dad cooks dinner at %1 in the evening.", 18}};
    const Moment& mo = rng.pick(moments);
    const int minute = level <= 2 ? 15 * rng.range(0, 3) : 5 * rng.range(0, 11);
    const int minutes = mo.hour24 * 60 + minute;
    const QString text = QString::fromLatin1(mo.text).arg(TimeText(Hour12(mo.hour24), minute));
    if (level <= 2) {
        return Make(
            P(text) + P(QStringLiteral("Is that time <b>am</b> or <b>pm</b>?")),
            {AnyOf(mo.hour24 < 12 ? QStringList{QStringLiteral("am"), QStringLiteral("a.m.")}
                                  : QStringList{QStringLiteral("pm"), QStringLiteral("p.m.")})});
    }
    return Make(P(text) + P(QStringLiteral("Write this time using am or pm.")) + AmPmNote(),
                {AnyOf(AmPmSpellings(minutes), 2)});
}

Question EndTime(int level, Rng& rng) {
    const auto [start, end] = Interval(std::max(level, 4), rng);
    const int length = end - start;
    const QString lasts = length >= 60
                              ? QStringLiteral("%1 h %2 min").arg(length / 60).arg(length % 60)
                              : QStringLiteral("%1 minutes").arg(length);
    if (level >= 5 && rng.chance(1, 2)) {
        return Make(P(QStringLiteral("A bus trip takes %1. The bus arrives at %2. At what time "
                                     "did it leave?")
                          .arg(lasts, ClockText(end))) +
                        AmPmNote(),
                    {AnyOf(AmPmSpellings(start), 3)});
    }
    return Make(P(QStringLiteral("A film starts at %1 and lasts %2. At what time does it end?")
                      .arg(ClockText(start), lasts)) +
                    AmPmNote(),
                {AnyOf(AmPmSpellings(end), level >= 5 ? 3 : 2)});
}

// Two clocks, start and end of an activity, with questions on both.
Question ClockStory(int level, int blanks, Rng& rng) {
    const auto [start, end] = Interval(std::min(level, 3), rng);
    const QString name = rng.pick(QStringList{QStringLiteral("Ann"), QStringLiteral("Raj"),
                                              QStringLiteral("Zoe"), QStringLiteral("Omar")});
    const Picture pic =
        SvgPicture(QStringLiteral("clocks.svg"),
                   TwoClocks(Hour12(start / 60), start % 60, Hour12(end / 60), end % 60,
                             QStringLiteral("Starts"), QStringLiteral("Ends")));
    const QString intro = P(QStringLiteral("The clocks show when %1 starts and ends reading a "
                                           "book.")
                                .arg(name)) +
                          P(html::Img(pic.name, QStringLiteral("two clocks"))) + TimeNote();
    const int after = end + 5 * rng.range(2, 8);
    const QList<Question> pool = {
        Make(QStringLiteral("At what time does %1 start? ").arg(name),
             {AnyOf(TimeSpellings(Hour12(start / 60), start % 60))}),
        Make(QStringLiteral("At what time does %1 finish? ").arg(name),
             {AnyOf(TimeSpellings(Hour12(end / 60), end % 60))}),
        Make(QStringLiteral("How many minutes does %1 read for? ").arg(name) + Gap() +
                 QStringLiteral(" minutes"),
             {Number(end - start, 2)}),
        Make(QStringLiteral("%1 has tea %2 minutes after finishing. At what time is tea? ")
                 .arg(name)
                 .arg(after - end),
             {AnyOf(TimeSpellings(Hour12(after / 60), after % 60), 2)}),
    };
    QList<Question> parts;
    for (int k = 0; k < blanks; ++k)
        parts << pool.at(k % pool.size());
    return Combine(intro, parts, {pic});
}

} // namespace

QList<Question> GenerateTopic7(const PaperSpec& paperSpec, Rng& rng) {
    const QList<kit::Maker> makers = {
        {1, 5, ReadClock, 3}, {1, 2, ClockWords, 1},     {2, 5, LaterOnClock, 2},
        {1, 5, Units, 3},     {1, 3, DaysAndMonths, 1},  {2, 5, CalendarQuestion, 2},
        {1, 4, AmPm, 1},      {1, 4, ClocksDuration, 2}, {2, 5, Duration, 3},
        {4, 5, EndTime, 2},
    };
    return kit::BuildPaper(paperSpec, rng, makers, ClockStory, kit::FixedChoice(ClockWords));
}

} // namespace bank
