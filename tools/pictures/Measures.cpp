// Clocks, scales, a balance, a ruler, a thermometer and a measuring jug.

#include "Kinds.h"

#include <QRegularExpression>
#include <cmath>

namespace bank::pictures {

namespace {

QString romanNumeral(int n) {
    static const char* const romans[] = {"",    "I",    "II", "III", "IV", "V",  "VI",
                                         "VII", "VIII", "IX", "X",   "XI", "XII"};
    return QString::fromLatin1(romans[n]);
}

} // namespace

void makeClock(Fields& f, Picture& p) {
    const int hour = f.integer(QStringLiteral("hour"), 1, 12);
    const int minute = f.integer(QStringLiteral("minute"), 0, 59);
    const QString numerals =
        f.choice(QStringLiteral("numerals"),
                 {QStringLiteral("arabic"), QStringLiteral("roman"), QStringLiteral("none")},
                 QStringLiteral("arabic"));
    if (!f.ok())
        return;
    const QPointF c(150, 150);
    const double r = 138;
    QString out;
    out += circle(c, r, {QString::fromLatin1(Cream), QString::fromLatin1(Blue), 8});
    out += circle(c, r - 8, {QStringLiteral("none"), QString::fromLatin1(PaleBlue), 2});
    for (int i = 0; i < 60; ++i) {
        const bool five = i % 5 == 0;
        out += line(polar(c, r * (five ? 0.8 : 0.87), i * 6.0), polar(c, r * 0.92, i * 6.0), navy(),
                    five ? 4 : 1.5, QStringLiteral("stroke-linecap=\"round\""));
    }
    if (numerals != QLatin1String("none")) {
        for (int h = 1; h <= 12; ++h) {
            const bool roman = numerals == QLatin1String("roman");
            const QString label = roman ? romanNumeral(h) : QString::number(h);
            const double size = roman ? (label.size() > 2 ? 20 : 24) : 28;
            out += centredText(polar(c, r * (roman ? 0.62 : 0.64), h * 30.0), label, size);
        }
    }
    const double hourAngle = (hour % 12) * 30.0 + minute * 0.5;
    out += line(c, polar(c, r * 0.46, hourAngle), navy(), 11,
                QStringLiteral("class=\"hour-hand\" stroke-linecap=\"round\""));
    out += line(c, polar(c, r * 0.86, minute * 6.0), QString::fromLatin1(Blue), 5,
                QStringLiteral("class=\"minute-hand\" stroke-linecap=\"round\""));
    out += circle(c, 9, {navy(), QStringLiteral("none"), 0});
    p.body = out;
    p.width = p.height = 300;
    p.readings.insert(QStringLiteral("reading"),
                      QStringLiteral("%1:%2").arg(hour).arg(minute, 2, 10, QLatin1Char('0')));
}

void makeDigital(Fields& f, Picture& p) {
    const QString time = f.textOf(QStringLiteral("time"));
    if (!f.ok())
        return;
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):(\\d{2})(?: (am|pm))?$"));
    const auto m = form.match(time);
    const int h = m.captured(1).toInt(), min = m.captured(2).toInt();
    const bool twelve = !m.captured(3).isEmpty();
    if (!m.hasMatch() || min > 59 || (twelve ? h < 1 || h > 12 : h > 23)) {
        f.fail(QStringLiteral("time"),
               QStringLiteral("\"%1\" is not a time like \"19:15\" or \"7:05 pm\"").arg(time));
        return;
    }
    const double size = 56;
    const double w = textWidth(time, size) + 60;
    QString out = rect(4, 4, w, 110, {QStringLiteral("#2b3550"), navy(), 4}, 18);
    out += rect(18, 18, w - 28, 82, {QStringLiteral("#0f1626"), QStringLiteral("#44507a"), 2}, 10);
    out += textAt(4 + w / 2, 80, time, size, Anchor::Middle, true, QStringLiteral("#7cf0a8"));
    p.body = out;
    p.width = w + 8;
    p.height = 118;
    p.readings.insert(QStringLiteral("reading"), time);
}

namespace {

// The dial of a kitchen scale: the graduation round 300 degrees clockwise
// from lower left, the pointer at value.
QString dial(QPointF c, double r, const Graduation& g, double value, const QString& unit) {
    const auto angle = [&](double v) { return -150.0 + 300.0 * (v - g.min) / (g.max - g.min); };
    QString out = circle(c, r, {QString::fromLatin1(White), navy(), 3});
    QString labels;
    for (int i = 0; i <= g.divisions(); ++i) {
        const double a = angle(g.at(i));
        const bool label = g.labelled(i);
        const double inner = label ? 0.8 : g.halfway(i) ? 0.84 : 0.88;
        out += line(polar(c, r * inner, a), polar(c, r * 0.95, a), navy(), label ? 3 : 1.6);
        if (label) {
            // Just inside the long tick, however wide the number is.
            const QString text = num(g.at(i));
            const double size = r >= 120 ? 19 : 17, rad = a * 3.14159265358979323846 / 180;
            const double reach = std::fabs(std::sin(rad)) * textWidth(text, size) / 2 +
                                 std::fabs(std::cos(rad)) * size * 0.4;
            labels += centredText(polar(c, r * 0.8 - 6 - reach, a), text, size);
        }
    }
    out += textAt(c.x(), c.y() + r * 0.5, unit, 22);
    const double a = angle(value);
    out += line(polar(c, r * 0.16, a + 180), polar(c, r * 0.9, a), QString::fromLatin1(Red), 4,
                QStringLiteral("class=\"pointer\" stroke-linecap=\"round\""));
    out += labels;
    out += circle(c, 9, {QString::fromLatin1(Red), navy(), 2});
    return out;
}

} // namespace

void makeScale(Fields& f, Picture& p) {
    const Graduation g = readGraduation(f, false);
    const QString unit =
        f.choice(QStringLiteral("unit"), {QStringLiteral("g"), QStringLiteral("kg")});
    const double value = f.ok() ? readValueOn(f, g) : 0;
    if (!f.ok())
        return;
    const QPointF c(190, 250);
    const double r = 140;
    QString out;
    // Tray and stem above the body.
    out += rect(c.x() - 24, 52, 48, 40, {QStringLiteral("#aab6c8"), navy(), 2});
    out += rect(c.x() - 150, 40, 300, 16, {QStringLiteral("#d5dde8"), navy(), 2.5}, 8);
    out += rect(c.x() - 175, 86, 350, 338, {QString::fromLatin1(PaleBlue), navy(), 3}, 40);
    out += dial(c, r, g, value, unit);
    p.body = out;
    p.width = 380;
    p.height = 430;
    p.readings.insert(QStringLiteral("reading"), num(value));
}

void makeBalance(Fields& f, Picture& p) {
    const QString left = f.textOf(QStringLiteral("left"));
    const QString right = f.textOf(QStringLiteral("right"));
    const QString tilt =
        f.choice(QStringLiteral("tilt"),
                 {QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("level")});
    if (!f.ok())
        return;
    // The heavier side hangs lower.
    const double drop = tilt == QLatin1String("left")    ? -26
                        : tilt == QLatin1String("right") ? 26
                                                         : 0;
    const double boxW = std::max({110.0, textWidth(left, 18) + 24, textWidth(right, 18) + 24});
    const double half = std::max(150.0, boxW / 2 + 70);
    const double cx = half + boxW / 2 + 20, pivotY = 110;
    QString out;
    out += polygon({{cx, pivotY}, {cx - 44, 300}, {cx + 44, 300}},
                   {QStringLiteral("#d5dde8"), navy(), 2.5});
    out += rect(cx - 110, 298, 220, 16, {QStringLiteral("#aab6c8"), navy(), 2.5}, 6);
    const QPointF l(cx - half, pivotY - drop), rgt(cx + half, pivotY + drop);
    out += line(l, rgt, QStringLiteral("#8a5a2b"), 9, QStringLiteral("stroke-linecap=\"round\""));
    out += circle({cx, pivotY}, 9, {QStringLiteral("#f2b233"), navy(), 2});
    const auto pan = [&](QPointF top, const QString& label, int colour) {
        const double panY = top.y() + 95;
        QString s = line(top, {top.x() - 56, panY}, navy(), 2);
        s += line(top, {top.x() + 56, panY}, navy(), 2);
        s += path(
            QStringLiteral("M %1 %2 Q %3 %4 %5 %2 Z")
                .arg(num(top.x() - 70), num(panY), num(top.x()), num(panY + 34), num(top.x() + 70)),
            {QStringLiteral("#e3e8ef"), navy(), 2.5});
        s += rect(top.x() - boxW / 2, panY - 54, boxW, 54, {soft(colour), Edge(colour), 2.5}, 8);
        s += centredText({top.x(), panY - 27}, label, 18);
        return s;
    };
    out += pan(l, left, 1);
    out += pan(rgt, right, 3);
    p.body = out;
    p.width = 2 * cx;
    p.height = 320;
}

void makeRuler(Fields& f, Picture& p) {
    const int length = f.integer(QStringLiteral("length"), 1, 30);
    const double start = f.numberOf(QStringLiteral("start"), 0);
    const double end = f.numberOf(QStringLiteral("end"));
    const QString object = f.textOf(QStringLiteral("object"));
    const bool mm = f.flag(QStringLiteral("mm"), false);
    if (!f.ok())
        return;
    const double grain = mm ? 0.1 : 0.5;
    if (start < 0 || start >= length || !isMultiple(start, grain)) {
        f.fail(QStringLiteral("start"), QStringLiteral("%1 is not a %2 mark from 0 to %3 on the "
                                                       "ruler")
                                            .arg(num(start), mm ? QStringLiteral("millimetre")
                                                                : QStringLiteral("half-centimetre"))
                                            .arg(length - 1));
        return;
    }
    QString why;
    if (end > length)
        why = QStringLiteral("%1 is beyond the end of the %2 cm ruler").arg(num(end)).arg(length);
    else if (end <= start)
        why = QStringLiteral("%1 is not after the start %2").arg(num(end), num(start));
    else if (!isMultiple(end, grain))
        why = mm ? QStringLiteral("%1 is not on a millimetre mark").arg(num(end))
                 : QStringLiteral("%1 is not on a half-centimetre mark (mm: true draws "
                                  "millimetres)")
                       .arg(num(end));
    if (!why.isEmpty()) {
        f.fail(QStringLiteral("end"), why);
        return;
    }
    const double cm = std::min(48.0, 600.0 / length);
    const double x0 = 30, rulerTop = 104;
    const auto x = [&](double v) { return x0 + v * cm; };
    QString out;
    // The object, a plain labelled bar lying from start to end.
    const double labelW = textWidth(object, 18);
    const bool inside = labelW + 12 < x(end) - x(start);
    out += rect(x(start), 58, x(end) - x(start), 34,
                {soft(1), Edge(1), 2.5, QStringLiteral("class=\"object\"")}, 6);
    out += inside ? centredText({(x(start) + x(end)) / 2, 75}, object, 18)
                  : textAt((x(start) + x(end)) / 2, 46, object, 18);
    for (double v : {start, end}) {
        out += line({x(v), 92}, {x(v), rulerTop}, QString::fromLatin1(Blue), 2,
                    QStringLiteral("stroke-dasharray=\"4 3\""));
    }
    out += rect(x0 - 20, rulerTop, length * cm + 70, 64,
                {QStringLiteral("#fdf1c9"), QStringLiteral("#b98514"), 2}, 6);
    const int perCm = mm ? 10 : 2;
    for (int i = 0; i <= length * perCm; ++i) {
        const bool whole = i % perCm == 0;
        const bool half = !whole && (i * 2) % perCm == 0;
        const double h = whole ? 22 : half ? 15 : 9;
        out += line({x(double(i) / perCm), rulerTop}, {x(double(i) / perCm), rulerTop + h}, navy(),
                    whole         ? 2
                    : mm && !half ? 1
                                  : 1.5);
        if (whole)
            out += textAt(x(i / perCm), rulerTop + 44, QString::number(i / perCm), 17);
    }
    out += textAt(x(length) + textWidth(QString::number(length), 17) / 2 + 8, rulerTop + 44,
                  QStringLiteral("cm"), 16, Anchor::Start);
    p.body = out;
    p.width = x(length) + 60;
    p.height = rulerTop + 74;
    p.readings.insert(QStringLiteral("reading"), num(end - start));
}

void makeThermometer(Fields& f, Picture& p) {
    const Graduation g = readGraduation(f, true);
    const double value = f.ok() ? readValueOn(f, g) : 0;
    if (!f.ok())
        return;
    const int labels = int(std::lround((g.max - g.min) / g.labelStep));
    const double spacing = std::clamp(380.0 / labels, 30.0, 64.0);
    const double top = 56, bottom = top + labels * spacing, cx = 70;
    const auto y = [&](double v) { return bottom - (v - g.min) / g.labelStep * spacing; };
    QString out;
    out += textAt(cx, 30, QStringLiteral("°C"), 20);
    out +=
        rect(cx - 14, top - 18, 28, bottom - top + 50, {QString::fromLatin1(White), navy(), 3}, 14);
    out += circle({cx, bottom + 42}, 26, {QString::fromLatin1(Red), navy(), 3});
    out += rect(
        cx - 7, y(value), 14, bottom + 30 - y(value),
        {QString::fromLatin1(Red), QStringLiteral("none"), 0, QStringLiteral("class=\"liquid\"")});
    for (int i = 0; i <= g.divisions(); ++i) {
        const double ty = y(g.at(i));
        const bool label = g.labelled(i);
        const double len = label ? 20 : g.halfway(i) ? 15 : 10;
        out += line({cx + 16, ty}, {cx + 16 + len, ty}, navy(), label ? 2.5 : 1.5);
        if (label)
            out += textAt(cx + 44, ty + 6.5, shown(g.at(i)), 18, Anchor::Start);
    }
    p.body = out;
    p.width = 170;
    p.height = bottom + 76;
    p.readings.insert(QStringLiteral("reading"), num(value));
}

namespace {

// "200 ml"; litres in words, as a lone "l" reads like a one.
QString jugLabel(double value, const QString& unit) {
    if (unit == QLatin1String("ml"))
        return num(value) + QStringLiteral(" ml");
    return num(value) + (value == 1 ? QStringLiteral(" litre") : QStringLiteral(" litres"));
}

} // namespace

void makeJug(Fields& f, Picture& p) {
    const Graduation g = readGraduation(f, false);
    const QString unit =
        f.choice(QStringLiteral("unit"), {QStringLiteral("ml"), QStringLiteral("l")});
    const double value = f.ok() ? readValueOn(f, g) : 0;
    if (!f.ok())
        return;
    const double left = 40, right = 250, rim = 40, bottom = 400, full = 80;
    const auto y = [&](double v) {
        return bottom - (v - g.min) / (g.max - g.min) * (bottom - full);
    };
    QString out;
    // Handle, then the water, then the glass over it.
    out += path(QStringLiteral("M %1 %2 C %3 %2 %3 %4 %1 %4")
                    .arg(num(right), num(rim + 50), num(right + 70), num(bottom - 120)),
                {QStringLiteral("none"), navy(), 12, QStringLiteral("stroke-linecap=\"round\"")});
    out += rect(
        left, y(value), right - left, bottom - y(value),
        {QStringLiteral("#a9d2f5"), QStringLiteral("none"), 0, QStringLiteral("class=\"liquid\"")});
    out += line({left, y(value)}, {right, y(value)}, QString::fromLatin1(Blue), 3);
    out += polyline(
        {{left - 22, rim - 14}, {left, rim + 14}, {left, bottom}, {right, bottom}, {right, rim}},
        {QStringLiteral("none"), navy(), 4});
    out += line({left - 22, rim - 14}, {right, rim}, navy(), 2);
    for (int i = 0; i <= g.divisions(); ++i) {
        const double ty = y(g.at(i));
        const bool label = g.labelled(i);
        const double len = label ? 30 : g.halfway(i) ? 22 : 14;
        out += line({left, ty}, {left + len, ty}, navy(), label ? 2.5 : 1.5);
        if (label && i > 0)
            out += textAt(left + 38, ty + 6.5, jugLabel(g.at(i), unit), 18, Anchor::Start);
    }
    p.body = out;
    p.width = right + 60;
    p.height = bottom + 10;
    p.readings.insert(QStringLiteral("reading"), num(value));
}

} // namespace bank::pictures
