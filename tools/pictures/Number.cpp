// Number lines, bar models, place-value charts, arrays, objects in groups
// and calendars.

#include "Kinds.h"

#include <QDate>
#include <algorithm>
#include <cmath>

namespace bank::pictures {

void makeNumberLine(Fields& f, Picture& p) {
    const double from = f.numberOf(QStringLiteral("from"));
    const double to = f.numberOf(QStringLiteral("to"));
    const double step = f.numberOf(QStringLiteral("step"));
    const int labelEvery = f.integer(QStringLiteral("labels"), 0, 100, 1);
    if (f.ok() && step <= 0)
        f.fail(QStringLiteral("step"), QStringLiteral("should be above 0"));
    else if (f.ok() && (to <= from || !isMultiple(to - from, step)))
        f.fail(QStringLiteral("to"), QStringLiteral("%1 is not a whole number of steps of %2 "
                                                    "after %3")
                                         .arg(num(to), num(step), num(from)));
    else if (f.ok() && (to - from) / step > 40)
        f.fail(QStringLiteral("step"), QStringLiteral("%1 steps are too many to draw; take a "
                                                      "larger step")
                                           .arg(std::lround((to - from) / step)));
    if (!f.ok())
        return;
    const auto onLine = [&](Fields* item, const QString& key) {
        const double v = item->numberOf(key);
        if (f.ok() && (v < from - 1e-9 || v > to + 1e-9 || !isMultiple(v - from, step / 2)))
            item->fail(key, QStringLiteral("%1 is not on the line from %2 to %3, at a tick or "
                                           "halfway between two")
                                .arg(num(v), num(from), num(to)));
        return v;
    };
    struct Mark {
        double at;
        QString label;
    };
    struct Jump {
        double from, to;
        QString label;
    };
    QList<Mark> marks;
    QList<Jump> jumps;
    for (Fields* m : f.maps(QStringLiteral("marks"), true)) {
        const double at = onLine(m, QStringLiteral("at"));
        marks << Mark{at, m->textOf(QStringLiteral("label"))};
    }
    for (Fields* j : f.maps(QStringLiteral("jumps"), true)) {
        const double a = onLine(j, QStringLiteral("from"));
        const double b = onLine(j, QStringLiteral("to"));
        if (f.ok() && a == b)
            j->fail(QStringLiteral("to"),
                    QStringLiteral("a jump goes somewhere: from and to are both %1").arg(num(a)));
        jumps << Jump{a, b, j->textOf(QStringLiteral("label"), QString())};
    }
    if (!f.ok())
        return;
    const int steps = int(std::lround((to - from) / step));
    const double left = 40, length = std::max(400.0, std::min(600.0, steps * 60.0));
    const double px = length / steps;
    const auto x = [&](double v) { return left + (v - from) / step * px; };
    // Labels must not run into each other.
    if (labelEvery > 0) {
        double widest = 0;
        for (int i = 0; i <= steps; i += labelEvery)
            widest = std::max(widest, textWidth(num(from + i * step), 17));
        if (widest + 6 > labelEvery * px) {
            f.fail(QStringLiteral("labels"), QStringLiteral("numbers every %1 steps would run "
                                                            "into each other; label fewer")
                                                 .arg(labelEvery));
            return;
        }
    }
    // Each jump's height, and how far above the line its label's baseline
    // stands: raised over an earlier label it would run into.
    QList<double> heights, lifts, sizes;
    QList<QPair<double, double>> spans; // placed labels, left and right
    double arcTop = 0;
    for (const Jump& j : jumps) {
        const double a = x(j.from), b = x(j.to);
        const double h = std::clamp(std::fabs(b - a) * 0.3, 26.0, 70.0);
        // Lettering of a short jump a little smaller, so neighbours keep apart.
        const double size = textWidth(shown(j.label), 18) + 8 > std::fabs(b - a) ? 16 : 18;
        const double w = textWidth(shown(j.label), size) * 0.9;
        double lift = h + 14;
        for (int i = 0; i < spans.size(); ++i) {
            const bool apart = (a + b) / 2 + w / 2 + 3 < spans.at(i).first ||
                               (a + b) / 2 - w / 2 - 3 > spans.at(i).second;
            if (!apart && std::fabs(lifts.at(i) - lift) < 24)
                lift = lifts.at(i) + 24;
        }
        heights << h;
        lifts << lift;
        sizes << size;
        spans << qMakePair((a + b) / 2 - w / 2, (a + b) / 2 + w / 2);
        arcTop = std::max(arcTop, lift + 18);
    }
    const double lineY = 20 + (jumps.isEmpty() ? 10 : arcTop);
    // Marks' letters side by side must not touch.
    for (int i = 0; i < marks.size(); ++i) {
        for (int k = 0; k < i; ++k) {
            const double gap =
                (textWidth(marks.at(i).label, 22) + textWidth(marks.at(k).label, 22)) / 2;
            if (std::fabs(x(marks.at(i).at) - x(marks.at(k).at)) < gap + 4) {
                f.failAt(QStringLiteral("marks[%1]").arg(i + 1),
                         QStringLiteral("stands too close to marks[%1] for both labels to show")
                             .arg(k + 1));
                return;
            }
        }
    }
    QString out;
    out += line({left - 26, lineY}, {left + length + 26, lineY}, navy(), 3);
    out += arrowHead({left, lineY}, {left - 30, lineY}, 14, navy());
    out += arrowHead({left + length, lineY}, {left + length + 30, lineY}, 14, navy());
    for (int i = 0; i <= steps; ++i) {
        const double v = from + i * step;
        const bool labelled = labelEvery > 0 && i % labelEvery == 0;
        out += line({x(v), lineY - (labelled ? 12 : 8)}, {x(v), lineY + (labelled ? 12 : 8)},
                    navy(), labelled ? 2.5 : 1.8);
        const bool marked = std::any_of(marks.begin(), marks.end(),
                                        [&](const Mark& m) { return std::fabs(m.at - v) < 1e-9; });
        if (labelled && !marked)
            out += textAt(x(v), lineY + 36, shown(v), 17, Anchor::Middle, false);
    }
    for (int i = 0; i < jumps.size(); ++i) {
        const Jump& j = jumps.at(i);
        const double a = x(j.from), b = x(j.to), h = heights.at(i);
        const QPointF control((a + b) / 2, lineY - 4 - 2 * h);
        out += path(QStringLiteral("M %1 %2 Q %3 %4 %5 %2")
                        .arg(num(a), num(lineY - 4), num(control.x()), num(control.y()), num(b)),
                    {QStringLiteral("none"), blue(), 2.5, QStringLiteral("class=\"jump\"")});
        // The head along the curve's last direction.
        const QPointF end(b, lineY - 4);
        out += arrowHead(
            {end.x() + (control.x() - end.x()) * 0.2, end.y() + (control.y() - end.y()) * 0.2}, end,
            std::min(12.0, std::fabs(b - a) * 0.3), blue());
        if (!j.label.isEmpty())
            out += textAt((a + b) / 2, lineY - 4 - lifts.at(i), shown(j.label), sizes.at(i),
                          Anchor::Middle, true, blue());
    }
    double bottom = lineY + 46;
    for (const Mark& m : marks) {
        out += line({x(m.at), lineY + 58}, {x(m.at), lineY + 22}, QString::fromLatin1(Red), 3,
                    QStringLiteral("class=\"mark\""));
        out +=
            arrowHead({x(m.at), lineY + 40}, {x(m.at), lineY + 10}, 14, QString::fromLatin1(Red));
        out += textAt(x(m.at), lineY + 84, m.label, 22, Anchor::Middle, true,
                      QString::fromLatin1(Red));
        bottom = lineY + 96;
    }
    p.body = out;
    p.width = left + length + 50;
    p.height = bottom;
    if (!marks.isEmpty())
        p.readings.insert(QStringLiteral("reading"), num(marks.first().at));
    else
        p.refusals.insert(QStringLiteral("reading"),
                          QStringLiteral("the number line has no marks; its reading is the "
                                         "first mark's value"));
}

namespace {

struct Part {
    QString label;
    double size;
};

QList<Part> readParts(Fields& f, const QString& key) {
    QList<Part> parts;
    const QList<Fields*> items = f.maps(key);
    if (f.ok() && (items.isEmpty() || items.size() > 12))
        f.fail(key, QStringLiteral("should hold 1 to 12 parts"));
    for (Fields* item : items) {
        const QString label = item->textOf(QStringLiteral("label"), QString());
        const double size = item->numberOf(QStringLiteral("size"));
        if (f.ok() && size <= 0)
            item->fail(QStringLiteral("size"), QStringLiteral("should be above 0"));
        parts << Part{label, size};
    }
    return parts;
}

// One bar of parts from x, `scale` pixels per unit.
QString partsBar(const QList<Part>& parts, double x, double y, double h, double scale, int colour) {
    QString out;
    for (const Part& part : parts) {
        const double w = part.size * scale;
        out += rect(x, y, w, h, {soft(colour), navy(), 2, QStringLiteral("class=\"part\"")});
        const bool question = part.label == QLatin1String("?");
        const double size = question ? 24 : 18;
        if (textWidth(part.label, size) + 8 <= w)
            out += centredText({x + w / 2, y + h / 2}, part.label, size, true,
                               question ? blue() : navy());
        else
            out += textAt(x + w / 2, y + h + 22, part.label, 16);
        x += w;
    }
    return out;
}

double total(const QList<Part>& parts) {
    double t = 0;
    for (const Part& p : parts)
        t += p.size;
    return t;
}

} // namespace

void makeBarModel(Fields& f, Picture& p) {
    const bool comparison = f.has(QStringLiteral("bars"));
    if (comparison && f.has(QStringLiteral("parts"))) {
        f.fail(QStringLiteral("bars"),
               QStringLiteral("a bar model has either parts or bars, not both"));
        return;
    }
    const double width = 520, h = 56;
    if (!comparison) {
        const QString whole = f.textOf(QStringLiteral("whole"), QString());
        const QList<Part> parts = readParts(f, QStringLiteral("parts"));
        if (!f.ok())
            return;
        const double scale = width / total(parts);
        double y = 10;
        if (!whole.isEmpty()) {
            p.body += partsBar({{whole, total(parts)}}, 10, y, h, scale, 1);
            y += h + 12;
        }
        p.body += partsBar(parts, 10, y, h, scale, 0);
        p.width = width + 20;
        p.height = y + h + 34;
        return;
    }
    struct Bar {
        QString name;
        QList<Part> parts;
    };
    QList<Bar> bars;
    for (Fields* b : f.maps(QStringLiteral("bars"))) {
        const QString name = b->textOf(QStringLiteral("name"));
        bars << Bar{name, readParts(*b, QStringLiteral("parts"))};
    }
    if (f.ok() && (bars.size() < 2 || bars.size() > 5))
        f.fail(QStringLiteral("bars"), QStringLiteral("a comparison has 2 to 5 bars"));
    if (!f.ok())
        return;
    double nameW = 0, longest = 0;
    for (const Bar& b : bars) {
        nameW = std::max(nameW, textWidth(b.name, 18) + 20);
        longest = std::max(longest, total(b.parts));
    }
    const double scale = (width - nameW) / longest;
    double y = 10;
    for (int i = 0; i < bars.size(); ++i) {
        p.body += textAt(10 + nameW - 14, y + h / 2 + 6.5, bars.at(i).name, 18, Anchor::End);
        p.body += partsBar(bars.at(i).parts, 10 + nameW, y, h, scale, i);
        y += h + 34;
    }
    p.width = width + 20;
    p.height = y;
}

void makePlaceValue(Fields& f, Picture& p) {
    const QVariantList heads = f.listOf(QStringLiteral("columns"));
    const bool counters = f.has(QStringLiteral("counters"));
    if (f.ok() && (heads.isEmpty() || heads.size() > 6))
        f.fail(QStringLiteral("columns"), QStringLiteral("should hold 1 to 6 column heads"));
    if (f.ok() && counters == f.has(QStringLiteral("digits")))
        f.fail(QStringLiteral("digits"), QStringLiteral("give either digits or counters"));
    if (!f.ok())
        return;
    const int n = int(heads.size());
    QList<int> values(n, 0);
    QList<bool> shown(n, true);
    if (counters) {
        const QList<double> c = f.numbers(QVariant(f.listOf(QStringLiteral("counters"))),
                                          f.pathOf(QStringLiteral("counters")));
        if (f.ok() && c.size() != n)
            f.fail(QStringLiteral("counters"),
                   QStringLiteral("has %1 counts for %2 columns").arg(c.size()).arg(n));
        for (int i = 0; i < c.size() && i < n && f.ok(); ++i) {
            if (c.at(i) < 0 || c.at(i) > 20 || !isMultiple(c.at(i), 1))
                f.failAt(QStringLiteral("counters[%1]").arg(i + 1),
                         QStringLiteral("%1 is not a count from 0 to 20").arg(num(c.at(i))));
            values[i] = int(c.at(i));
        }
    } else {
        const QString digits = f.textOf(QStringLiteral("digits"));
        if (f.ok() && (digits.isEmpty() || digits.size() > n ||
                       std::any_of(digits.begin(), digits.end(),
                                   [](QChar c) { return !c.isDigit() && c != QLatin1Char('?'); })))
            f.fail(QStringLiteral("digits"),
                   QStringLiteral("\"%1\" is not a number of at most %2 digits (a missing one "
                                  "written ?)")
                       .arg(digits)
                       .arg(n));
        for (int i = 0; i < n && f.ok(); ++i) {
            const int k = i - (n - int(digits.size()));
            shown[i] = k >= 0;
            values[i] = k >= 0 ? digits.at(k).digitValue() : 0; // -1 for a missing digit
        }
    }
    if (!f.ok())
        return;
    int most = 0;
    for (int v : values)
        most = std::max(most, v);
    // Every column as wide as the longest heading needs ("Hundredths").
    double colW = counters ? 136 : 110;
    for (int i = 0; i < n; ++i)
        colW = std::max(colW, textWidth(scalar(heads.at(i)), 22) + 16);
    const double headH = 50;
    const double bodyH = counters ? std::max(100.0, (most + 3) / 4 * 30.0 + 20) : 80;
    QString out;
    long long number = 0;
    bool known = true;
    for (int i = 0; i < n; ++i) {
        const QString head = scalar(heads.at(i));
        const double x = 10 + i * colW;
        out += rect(x, 10, colW, headH, {soft(i), navy(), 2});
        out += centredText({x + colW / 2, 10 + headH / 2}, head, 22, true, Edge(i));
        out += rect(x, 10 + headH, colW, bodyH, {QString::fromLatin1(White), navy(), 2});
        if (counters) {
            for (int k = 0; k < values.at(i); ++k) {
                const QPointF c(x + (colW - 120) / 2 + 15 + (k % 4) * 30,
                                10 + headH + 25 + (k / 4) * 30);
                out += circle(c, 12, {soft(i), Edge(i), 2.5, QStringLiteral("class=\"counter\"")});
            }
        } else if (shown.at(i)) {
            const bool missing = values.at(i) < 0;
            out += centredText({x + colW / 2, 10 + headH + bodyH / 2},
                               missing ? QStringLiteral("?") : QString::number(values.at(i)), 40,
                               true, missing ? blue() : navy());
        }
        static const QHash<QString, long long> places = {{QStringLiteral("TTh"), 10000},
                                                         {QStringLiteral("Th"), 1000},
                                                         {QStringLiteral("H"), 100},
                                                         {QStringLiteral("T"), 10},
                                                         {QStringLiteral("O"), 1},
                                                         {QStringLiteral("Ten thousands"), 10000},
                                                         {QStringLiteral("Thousands"), 1000},
                                                         {QStringLiteral("Hundreds"), 100},
                                                         {QStringLiteral("Tens"), 10},
                                                         {QStringLiteral("Ones"), 1}};
        if (places.contains(head))
            number += places.value(head) * values.at(i);
        else
            known = false;
    }
    p.body = out;
    p.width = n * colW + 20;
    p.height = headH + bodyH + 20;
    if (std::any_of(values.begin(), values.end(), [](int v) { return v < 0; }))
        p.refusals.insert(QStringLiteral("reading"), QStringLiteral("a digit is missing (?)"));
    else if (known)
        p.readings.insert(QStringLiteral("reading"), QString::number(number));
    else
        p.refusals.insert(
            QStringLiteral("reading"),
            QStringLiteral("its column heads are not place values (TTh, Th, H, T, O)"));
}

namespace {

QString objectShape(const QString& kind, QPointF c, double r, int colour) {
    const Style style{soft(colour), Edge(colour), 2.5, QStringLiteral("class=\"object\"")};
    if (kind == QLatin1String("square"))
        return rect(c.x() - r * 0.85, c.y() - r * 0.85, r * 1.7, r * 1.7, style, 3);
    if (kind == QLatin1String("star")) {
        QList<QPointF> points;
        for (int i = 0; i < 10; ++i)
            points << polar({c.x(), c.y() + r * 0.08}, i % 2 == 0 ? r : r * 0.45, i * 36.0);
        return polygon(points, style);
    }
    return circle(c, r * 0.9, style);
}

} // namespace

void makeArray(Fields& f, Picture& p) {
    const int rows = f.integer(QStringLiteral("rows"), 1, 12);
    const int columns = f.integer(QStringLiteral("columns"), 1, 12);
    const QString object =
        f.choice(QStringLiteral("object"),
                 {QStringLiteral("circle"), QStringLiteral("square"), QStringLiteral("star")},
                 QStringLiteral("circle"));
    if (!f.ok())
        return;
    const double pitch = 46;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            p.body += objectShape(object, {10 + pitch * (c + 0.5), 10 + pitch * (r + 0.5)}, 19, 0);
    }
    p.width = columns * pitch + 20;
    p.height = rows * pitch + 20;
    const QString total = QString::number(rows * columns);
    for (const char* key : {"reading", "count", "total"})
        p.readings.insert(QString::fromLatin1(key), total);
}

void makeObjects(Fields& f, Picture& p) {
    struct GroupOf {
        int count;
        QString label;
    };
    QList<GroupOf> groups;
    const QList<Fields*> items = f.maps(QStringLiteral("groups"));
    if (f.ok() && (items.isEmpty() || items.size() > 10))
        f.fail(QStringLiteral("groups"), QStringLiteral("should hold 1 to 10 groups"));
    int total = 0;
    for (Fields* g : items) {
        groups << GroupOf{g->integer(QStringLiteral("count"), 1, 20),
                          g->textOf(QStringLiteral("label"), QString())};
        total += groups.last().count;
    }
    const int ringed = f.integer(QStringLiteral("ringed"), 0, 200, 0);
    if (f.ok() && ringed > total)
        f.fail(QStringLiteral("ringed"),
               QStringLiteral("%1 ringed of only %2 shapes").arg(ringed).arg(total));
    if (!f.ok())
        return;
    QStringList kinds; // one colour per label
    for (const GroupOf& g : groups) {
        if (!kinds.contains(g.label))
            kinds << g.label;
    }
    const double pitch = 42;
    double x = 10, y = 10, rowH = 0, width = 0;
    int drawn = 0;
    QHash<QString, int> perLabel;
    for (const GroupOf& g : groups) {
        const int across = std::min(g.count, 5), down = (g.count + 4) / 5;
        const double w = std::max(across * pitch + 16, textWidth(g.label, 17) + 16);
        const double h = down * pitch + 16;
        if (x + w > 740 && x > 10) {
            x = 10;
            y += rowH + 16;
            rowH = 0;
        }
        p.body += rect(x, y, w, h,
                       {QStringLiteral("none"), QString::fromLatin1(Line), 2,
                        QStringLiteral("stroke-dasharray=\"6 4\"")},
                       14);
        const double ox = x + (w - across * pitch) / 2;
        const int colour = int(kinds.indexOf(g.label));
        for (int k = 0; k < g.count; ++k) {
            const QPointF c(ox + pitch * (k % 5 + 0.5), y + 8 + pitch * (k / 5 + 0.5));
            p.body += objectShape(QStringLiteral("circle"), c, 17, colour);
            if (drawn++ < ringed)
                p.body +=
                    circle(c, 19.5,
                           {QStringLiteral("none"), blue(), 3.5, QStringLiteral("class=\"ring\"")});
        }
        if (!g.label.isEmpty())
            p.body += textAt(x + w / 2, y + h + 22, g.label, 17);
        perLabel[g.label] += g.count;
        x += w + 16;
        width = std::max(width, x);
        rowH = std::max(rowH, h + 30);
    }
    p.width = width;
    p.height = y + rowH + 4;
    for (const char* key : {"reading", "count", "total"})
        p.readings.insert(QString::fromLatin1(key), QString::number(total));
    p.readings.insert(QStringLiteral("count:ringed"), QString::number(ringed));
    for (auto it = perLabel.cbegin(); it != perLabel.cend(); ++it) {
        if (!it.key().isEmpty())
            p.readings.insert(QStringLiteral("count:") + it.key(), QString::number(it.value()));
    }
    p.unknownLabel =
        QStringLiteral("the labels are %1, or \"ringed\"").arg(kinds.join(QStringLiteral(", ")));
}

void makeCalendar(Fields& f, Picture& p) {
    static const QStringList months = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    static const QStringList weekdays = {QStringLiteral("Monday"),    QStringLiteral("Tuesday"),
                                         QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                                         QStringLiteral("Friday"),    QStringLiteral("Saturday"),
                                         QStringLiteral("Sunday")};
    QString month = f.textOf(QStringLiteral("month"));
    const int year = f.integer(QStringLiteral("year"), 1900, 2100, 0);
    const int first = f.integer(QStringLiteral("first_weekday"), 1, 7);
    const int days = f.integer(QStringLiteral("days"), 28, 31);
    if (!f.ok())
        return;
    bool numeric = false;
    const int monthNumber = month.toInt(&numeric);
    if (numeric && monthNumber >= 1 && monthNumber <= 12)
        month = months.at(monthNumber - 1);
    const int index = int(months.indexOf(month));
    if (index < 0) {
        f.fail(QStringLiteral("month"), QStringLiteral("\"%1\" is not a month").arg(month));
        return;
    }
    if (year > 0) {
        const QDate start(year, index + 1, 1);
        if (start.dayOfWeek() != first) {
            f.fail(QStringLiteral("first_weekday"),
                   QStringLiteral("%1 %2 starts on a %3 (%4), not %5")
                       .arg(month)
                       .arg(year)
                       .arg(weekdays.at(start.dayOfWeek() - 1))
                       .arg(start.dayOfWeek())
                       .arg(first));
            return;
        }
        if (start.daysInMonth() != days) {
            f.fail(
                QStringLiteral("days"),
                QStringLiteral("%1 %2 has %3 days").arg(month).arg(year).arg(start.daysInMonth()));
            return;
        }
    }
    const double cellW = 70, cellH = 48, headH = 40, titleH = 50, x0 = 10, y0 = 10;
    const int weeks = (first - 1 + days + 6) / 7;
    QString out = rect(x0, y0, 7 * cellW, titleH, {QString::fromLatin1(Blue), navy(), 2}, 8);
    out += centredText({x0 + 3.5 * cellW, y0 + titleH / 2},
                       year > 0 ? QStringLiteral("%1 %2").arg(month).arg(year) : month, 22, true,
                       QString::fromLatin1(White));
    const double headTop = y0 + titleH;
    for (int d = 0; d < 7; ++d) {
        out += rect(x0 + d * cellW, headTop, cellW, headH,
                    {QString::fromLatin1(PaleBlue), navy(), 1.5});
        out += centredText({x0 + (d + 0.5) * cellW, headTop + headH / 2}, weekdays.at(d).left(3),
                           17, true, d >= 5 ? QString::fromLatin1(Red) : navy());
    }
    const double gridTop = headTop + headH;
    QHash<int, int> perWeekday;
    for (int cell = 0; cell < weeks * 7; ++cell) {
        const int day = cell - (first - 1) + 1;
        const double x = x0 + (cell % 7) * cellW, y = gridTop + (cell / 7) * cellH;
        const bool real = day >= 1 && day <= days;
        out += rect(x, y, cellW, cellH,
                    {real ? QString::fromLatin1(White) : QStringLiteral("#f1f4f8"), navy(), 1.5});
        if (real) {
            out += textAt(x + cellW - 10, y + 26, QString::number(day), 18, Anchor::End, false);
            ++perWeekday[cell % 7];
        }
    }
    p.body = out;
    p.width = 7 * cellW + 2 * x0;
    p.height = gridTop + weeks * cellH + y0;
    for (int d = 0; d < 7; ++d)
        p.readings.insert(QStringLiteral("count:") + weekdays.at(d),
                          QString::number(perWeekday.value(d)));
    p.unknownLabel = QStringLiteral("count a weekday: %1").arg(weekdays.join(QStringLiteral(", ")));
}

} // namespace bank::pictures
