// Squared paper with shapes on it, straight-sided shapes with their sides
// labelled, fraction shapes, stacks of cubes and named 2-D shapes.

#include "Kinds.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace bank::pictures {

namespace {

// A grid point, in whole units.
using Point = QPair<int, int>;
using Side = QPair<Point, Point>;

Side makeSide(Point a, Point b) {
    return a < b ? Side{a, b} : Side{b, a};
}

} // namespace

void makeGrid(Fields& f, Picture& p) {
    const int columns = f.integer(QStringLiteral("columns"), 1, 20);
    const int rows = f.integer(QStringLiteral("rows"), 1, 16);
    const QList<Fields*> shapes = f.maps(QStringLiteral("shapes"));
    if (f.ok() && (shapes.isEmpty() || shapes.size() > 6))
        f.fail(QStringLiteral("shapes"), QStringLiteral("should hold 1 to 6 shapes"));
    if (!f.ok())
        return;
    const double cell = std::min(40.0, std::min(600.0 / columns, 440.0 / rows));
    const double x0 = 12, y0 = 12;
    const auto at = [&](double x, double y) { return QPointF(x0 + x * cell, y0 + y * cell); };
    QSet<Point> used;
    QString fills, outlines, letters;
    QStringList names;
    for (int k = 0; k < shapes.size(); ++k) {
        Fields* s = shapes.at(k);
        const QString letter = s->textOf(QStringLiteral("letter"), QString());
        QList<Point> cells;
        for (const QVariant& c : s->listOf(QStringLiteral("cells"))) {
            const QList<double> xy = s->numbers(c, s->pathOf(QStringLiteral("cells")));
            if (!f.ok())
                return;
            if (xy.size() != 2 || !isMultiple(xy.at(0), 1) || !isMultiple(xy.at(1), 1) ||
                xy.at(0) < 0 || xy.at(0) >= columns || xy.at(1) < 0 || xy.at(1) >= rows) {
                s->fail(QStringLiteral("cells"),
                        QStringLiteral("[%1] is not a square [column, row] of the %2 x %3 grid "
                                       "(from [0, 0] at the top left)")
                            .arg(scalar(c.toList().value(0)) + QStringLiteral(", ") +
                                 scalar(c.toList().value(1)))
                            .arg(columns)
                            .arg(rows));
                return;
            }
            const Point pt{int(xy.at(0)), int(xy.at(1))};
            if (used.contains(pt)) {
                s->fail(QStringLiteral("cells"), QStringLiteral("the square [%1, %2] is used twice")
                                                     .arg(pt.first)
                                                     .arg(pt.second));
                return;
            }
            used.insert(pt);
            cells << pt;
        }
        struct Half {
            Point cell;
            QString corner;
        };
        QList<Half> halves;
        for (const QVariant& h : s->listOf(QStringLiteral("half_squares"), true)) {
            const QVariantList parts = toList(h);
            double x = -1, y = -1;
            const QString corner = parts.size() == 3 ? scalar(parts.at(2)) : QString();
            if (!isList(h) || parts.size() != 3 || !parseNumber(scalar(parts.at(0)), &x) ||
                !parseNumber(scalar(parts.at(1)), &y) || !isMultiple(x, 1) || !isMultiple(y, 1) ||
                x < 0 || x >= columns || y < 0 || y >= rows ||
                !QStringList{QStringLiteral("nw"), QStringLiteral("ne"), QStringLiteral("se"),
                             QStringLiteral("sw")}
                     .contains(corner)) {
                s->fail(QStringLiteral("half_squares"),
                        QStringLiteral("each is [column, row, corner], the corner nw, ne, se or "
                                       "sw where the half square's right angle is"));
                return;
            }
            const Point pt{int(x), int(y)};
            if (used.contains(pt)) {
                s->fail(QStringLiteral("half_squares"),
                        QStringLiteral("the square [%1, %2] is used twice")
                            .arg(pt.first)
                            .arg(pt.second));
                return;
            }
            used.insert(pt);
            halves << Half{pt, corner};
        }
        if (cells.isEmpty() && halves.isEmpty()) {
            s->fail(QStringLiteral("cells"), QStringLiteral("a shape needs at least one square"));
            return;
        }
        // Each piece's sides; a side two pieces share is inside the shape.
        QMap<Side, int> sides;
        const auto addPolygon = [&](const QList<Point>& corners, bool full) {
            QList<QPointF> points;
            for (int i = 0; i < corners.size(); ++i) {
                ++sides[makeSide(corners.at(i), corners.at((i + 1) % corners.size()))];
                points << at(corners.at(i).first, corners.at(i).second);
            }
            fills += polygon(points, {soft(k), QStringLiteral("none"), 0,
                                      full ? QStringLiteral("class=\"square\"")
                                           : QStringLiteral("class=\"half-square\"")});
        };
        for (const Point& c : cells) {
            addPolygon({{c.first, c.second},
                        {c.first + 1, c.second},
                        {c.first + 1, c.second + 1},
                        {c.first, c.second + 1}},
                       true);
        }
        for (const Half& h : halves) {
            const int x = h.cell.first, y = h.cell.second;
            const Point nw(x, y), ne(x + 1, y), se(x + 1, y + 1), sw(x, y + 1);
            if (h.corner == QLatin1String("nw"))
                addPolygon({nw, ne, sw}, false);
            else if (h.corner == QLatin1String("ne"))
                addPolygon({nw, ne, se}, false);
            else if (h.corner == QLatin1String("se"))
                addPolygon({ne, se, sw}, false);
            else
                addPolygon({nw, se, sw}, false);
        }
        int perimeter = 0;
        for (auto it = sides.cbegin(); it != sides.cend(); ++it) {
            if (it.value() != 1)
                continue;
            outlines += line(at(it.key().first.first, it.key().first.second),
                             at(it.key().second.first, it.key().second.second), Edge(k), 3.5,
                             QStringLiteral("stroke-linecap=\"round\""));
            ++perimeter;
        }
        if (!letter.isEmpty()) {
            // In the square nearest the middle of the shape.
            double mx = 0, my = 0;
            for (const Point& c : cells) {
                mx += c.first + 0.5;
                my += c.second + 0.5;
            }
            const QList<Point> pool = cells.isEmpty() ? QList<Point>{halves.first().cell} : cells;
            if (!cells.isEmpty()) {
                mx /= cells.size();
                my /= cells.size();
            }
            Point best = pool.first();
            for (const Point& c : pool) {
                if (std::hypot(c.first + 0.5 - mx, c.second + 0.5 - my) <
                    std::hypot(best.first + 0.5 - mx, best.second + 0.5 - my))
                    best = c;
            }
            letters += centredText(at(best.first + 0.5, best.second + 0.5), letter,
                                   std::max(16.0, cell * 0.55), true, Edge(k));
        }
        const QString squares = num(cells.size() + 0.5 * halves.size());
        const QString key = letter.isEmpty() ? QString() : QLatin1Char(':') + letter;
        if (!letter.isEmpty())
            names << letter;
        p.readings.insert(QStringLiteral("squares") + key, squares);
        if (halves.isEmpty())
            p.readings.insert(QStringLiteral("perimeter") + key, QString::number(perimeter));
        else
            p.refusals.insert(QStringLiteral("perimeter") + key,
                              QStringLiteral("a shape with half squares has slanted sides"));
        if (shapes.size() == 1 && !key.isEmpty()) {
            p.readings.insert(QStringLiteral("squares"), squares);
            if (halves.isEmpty())
                p.readings.insert(QStringLiteral("perimeter"), QString::number(perimeter));
        }
    }
    if (shapes.size() > 1) {
        const QString which =
            QStringLiteral("there are %1 shapes; say which by its letter").arg(shapes.size());
        p.refusals.insert(QStringLiteral("squares"), which);
        p.refusals.insert(QStringLiteral("perimeter"), which);
    }
    p.unknownLabel =
        QStringLiteral("the shapes' letters are %1").arg(names.join(QStringLiteral(", ")));
    QString grid;
    for (int i = 0; i <= columns; ++i)
        grid += line(at(i, 0), at(i, rows), QString::fromLatin1(Line), 1.2);
    for (int j = 0; j <= rows; ++j)
        grid += line(at(0, j), at(columns, j), QString::fromLatin1(Line), 1.2);
    p.body = fills + grid + outlines + letters;
    p.width = columns * cell + 2 * x0;
    p.height = rows * cell + 2 * y0;
}

namespace {

// "5 cm", "12m", "7.5 cm": the number a side label states; false for "?" or "".
bool labelNumber(const QString& label, double* value) {
    static const QRegularExpression number(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*[a-z]*$"));
    const auto m = number.match(label);
    return m.hasMatch() && parseNumber(m.captured(1), value);
}

bool inside(const QList<QPointF>& polygon, QPointF q) {
    bool in = false;
    for (int i = 0, j = int(polygon.size()) - 1; i < polygon.size(); j = i++) {
        const QPointF a = polygon.at(i), b = polygon.at(j);
        if ((a.y() > q.y()) != (b.y() > q.y()) &&
            q.x() < (b.x() - a.x()) * (q.y() - a.y()) / (b.y() - a.y()) + a.x())
            in = !in;
    }
    return in;
}

} // namespace

void makeShape(Fields& f, Picture& p) {
    QList<QPointF> points;
    const QVariantList list = f.listOf(QStringLiteral("points"));
    for (int i = 0; i < list.size() && f.ok(); ++i) {
        const QList<double> xy = f.numbers(list.at(i), QStringLiteral("points[%1]").arg(i + 1));
        if (f.ok() && xy.size() != 2)
            f.failAt(QStringLiteral("points[%1]").arg(i + 1), QStringLiteral("should be [x, y]"));
        if (f.ok())
            points << QPointF(xy.at(0), xy.at(1));
    }
    if (f.ok() && (points.size() < 3 || points.size() > 12))
        f.fail(QStringLiteral("points"), QStringLiteral("a shape has 3 to 12 corners"));
    const QVariantList sideList = f.listOf(QStringLiteral("sides"), true);
    if (f.ok() && !sideList.isEmpty() && sideList.size() != points.size())
        f.fail(QStringLiteral("sides"),
               QStringLiteral("has %1 for %2 sides")
                   .arg(count(int(sideList.size()), QStringLiteral("label")))
                   .arg(points.size()));
    if (!f.ok())
        return;
    const int n = int(points.size());
    QStringList labels;
    double perimeter = 0, twiceArea = 0;
    for (int i = 0; i < n; ++i) {
        const QPointF a = points.at(i), b = points.at((i + 1) % n);
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        twiceArea += a.x() * b.y() - b.x() * a.y();
        if (length <= 0) {
            f.failAt(QStringLiteral("points[%1]").arg(i + 1),
                     QStringLiteral("repeats the corner before it"));
            return;
        }
        const QString label = sideList.isEmpty() ? QString() : scalar(sideList.at(i)).trimmed();
        double stated = 0;
        if (labelNumber(label, &stated) && std::fabs(stated - length) > 0.01 * length) {
            f.failAt(QStringLiteral("sides[%1]").arg(i + 1),
                     QStringLiteral("\"%1\" but the side from (%2, %3) to (%4, %5) is %6 long")
                         .arg(label, num(a.x()), num(a.y()), num(b.x()), num(b.y()), num(length)));
            return;
        }
        if (!label.isEmpty() && label != QLatin1String("?") && !labelNumber(label, &stated)) {
            f.failAt(
                QStringLiteral("sides[%1]").arg(i + 1),
                QStringLiteral("\"%1\" is not a length like \"5 cm\", \"?\" or \"\"").arg(label));
            return;
        }
        perimeter += labelNumber(label, &stated) ? stated : length;
        labels << label;
    }
    double minX = points.first().x(), maxX = minX, minY = points.first().y(), maxY = minY;
    for (const QPointF& q : points) {
        minX = std::min(minX, q.x());
        maxX = std::max(maxX, q.x());
        minY = std::min(minY, q.y());
        maxY = std::max(maxY, q.y());
    }
    const double scale =
        std::min({60.0, 420.0 / std::max(1e-9, maxX - minX), 300.0 / std::max(1e-9, maxY - minY)});
    const double margin = 90;
    QList<QPointF> screen;
    for (const QPointF& q : points)
        screen << QPointF(margin + (q.x() - minX) * scale, margin * 0.6 + (q.y() - minY) * scale);
    QString out = polygon(screen, {soft(0), navy(), 3, QStringLiteral("class=\"shape\"")});
    // A small square in each right-angled corner that points out of the shape.
    for (int i = 0; i < n; ++i) {
        const QPointF corner = screen.at(i);
        const QPointF before = screen.at((i + n - 1) % n), after = screen.at((i + 1) % n);
        const QPointF u =
            (before - corner) / std::hypot(before.x() - corner.x(), before.y() - corner.y());
        const QPointF v =
            (after - corner) / std::hypot(after.x() - corner.x(), after.y() - corner.y());
        const double mark = 14;
        if (std::fabs(u.x() * v.x() + u.y() * v.y()) > 1e-6 ||
            !inside(screen, corner + (u + v) * 3))
            continue;
        out += polyline(
            {corner + u * mark, corner + (u + v) * mark, corner + v * mark},
            {QStringLiteral("none"), navy(), 1.5, QStringLiteral("class=\"right-angle\"")});
    }
    for (int i = 0; i < n; ++i) {
        if (labels.at(i).isEmpty())
            continue;
        const QPointF a = screen.at(i), b = screen.at((i + 1) % n);
        const double len = std::hypot(b.x() - a.x(), b.y() - a.y());
        QPointF normal((b.y() - a.y()) / len, -(b.x() - a.x()) / len);
        const QPointF mid = (a + b) / 2;
        if (inside(screen, mid + normal * 4))
            normal = -normal;
        const double size = labels.at(i) == QLatin1String("?") ? 24 : 19;
        const double w = textWidth(labels.at(i), size);
        const double away =
            10 + std::fabs(normal.x()) * w / 2 + std::fabs(normal.y()) * size * 0.45;
        out += centredText(mid + normal * away, labels.at(i), size, true,
                           labels.at(i) == QLatin1String("?") ? blue() : navy());
    }
    p.body = out;
    p.width = 2 * margin + (maxX - minX) * scale;
    p.height = 1.2 * margin + (maxY - minY) * scale;
    p.readings.insert(QStringLiteral("perimeter"), num(std::round(perimeter * 100) / 100));
    p.readings.insert(QStringLiteral("squares"), num(std::fabs(twiceArea) / 2));
}

void makeFraction(Fields& f, Picture& p) {
    const QString shape =
        f.choice(QStringLiteral("shape"),
                 {QStringLiteral("bar"), QStringLiteral("circle"), QStringLiteral("rectangle")});
    const bool rectangle = shape == QLatin1String("rectangle");
    int rows = 1, columns = 0;
    if (rectangle) {
        rows = f.integer(QStringLiteral("rows"), 1, 6);
        columns = f.integer(QStringLiteral("columns"), 1, 8);
    }
    const int parts = rectangle && !f.has(QStringLiteral("parts"))
                          ? rows * columns
                          : f.integer(QStringLiteral("parts"), 1, 24);
    const int shaded = f.integer(QStringLiteral("shaded"), 0, 24);
    if (!f.ok())
        return;
    if (rectangle && parts != rows * columns) {
        f.fail(QStringLiteral("parts"),
               QStringLiteral("%1 parts but %2 rows of %3").arg(parts).arg(rows).arg(columns));
        return;
    }
    if (shaded > parts) {
        f.fail(QStringLiteral("shaded"),
               QStringLiteral("%1 shaded of only %2 parts").arg(shaded).arg(parts));
        return;
    }
    const Style on{QString::fromLatin1(MidBlue), navy(), 2.5, QStringLiteral("class=\"shaded\"")};
    const Style off{QString::fromLatin1(White), navy(), 2.5, QStringLiteral("class=\"part\"")};
    QString out;
    if (shape == QLatin1String("circle")) {
        const QPointF c(140, 140);
        const double r = 125;
        if (parts == 1) {
            out += circle(c, r, shaded ? on : off);
        } else {
            for (int i = 0; i < parts; ++i) {
                const QPointF a = polar(c, r, 360.0 * i / parts),
                              b = polar(c, r, 360.0 * (i + 1) / parts);
                out += path(QStringLiteral("M %1 %2 L %3 %4 A %5 %5 0 0 1 %6 %7 Z")
                                .arg(num(c.x()), num(c.y()), num(a.x()), num(a.y()), num(r),
                                     num(b.x()), num(b.y())),
                            i < shaded ? on : off);
            }
        }
        p.width = p.height = 280;
    } else {
        if (!rectangle)
            columns = parts;
        const double w = rectangle ? std::min(70.0, 480.0 / columns) : 520.0 / parts;
        const double h = rectangle ? w : 80;
        for (int i = 0; i < parts; ++i)
            out +=
                rect(10 + (i % columns) * w, 10 + (i / columns) * h, w, h, i < shaded ? on : off);
        p.width = columns * w + 20;
        p.height = rows * h + 20;
    }
    p.body = out;
    p.readings.insert(QStringLiteral("shaded"), QStringLiteral("%1/%2").arg(shaded).arg(parts));
}

void makeCubes(Fields& f, Picture& p) {
    QList<QList<int>> heights;
    const QVariantList rows = f.listOf(QStringLiteral("heights"));
    if (f.ok() && (rows.isEmpty() || rows.size() > 6))
        f.fail(QStringLiteral("heights"), QStringLiteral("should hold 1 to 6 rows"));
    int count = 0;
    for (int r = 0; r < rows.size() && f.ok(); ++r) {
        const QString name = QStringLiteral("heights[%1]").arg(r + 1);
        const QList<double> row = f.numbers(rows.at(r), name);
        QList<int> ints;
        for (double h : row) {
            if (f.ok() && (h < 0 || h > 8 || !isMultiple(h, 1)))
                f.failAt(name, QStringLiteral("%1 is not a height from 0 to 8 cubes").arg(num(h)));
            ints << int(h);
            count += int(h);
        }
        if (f.ok() && (ints.isEmpty() || ints.size() > 8))
            f.failAt(name, QStringLiteral("a row holds 1 to 8 columns"));
        heights << ints;
    }
    if (f.ok() && count == 0)
        f.fail(QStringLiteral("heights"), QStringLiteral("there is not a single cube"));
    if (!f.ok())
        return;
    // Isometric: columns run down to the right, rows (the first at the back)
    // down to the left. Back to front, bottom to top, so nearer faces cover.
    const double s = 42, a = s * 0.866, b = s * 0.5;
    const auto at = [&](double r, double c, double z) {
        return QPointF((c - r) * a, (c + r) * b - z * s);
    };
    QString faces;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    const Style top{QStringLiteral("#e4eefc"), navy(), 1.8};
    const Style leftFace{QString::fromLatin1(MidBlue), navy(), 1.8};
    const Style rightFace{QStringLiteral("#5f8fdc"), navy(), 1.8};
    // Every face in drawing order, and where each stack's top face is drawn,
    // so that a stack hidden behind nearer ones can be found.
    QList<QList<QPointF>> drawnFaces;
    struct Top {
        int r, c, after;
    };
    QList<Top> tops;
    for (int r = 0; r < heights.size(); ++r) {
        for (int c = 0; c < heights.at(r).size(); ++c) {
            for (int z = 0; z < heights.at(r).at(c); ++z) {
                const QList<QPointF> topFace = {at(r, c, z + 1), at(r, c + 1, z + 1),
                                                at(r + 1, c + 1, z + 1), at(r + 1, c, z + 1)};
                const QList<QPointF> leftSide = {at(r + 1, c, z), at(r + 1, c + 1, z),
                                                 at(r + 1, c + 1, z + 1), at(r + 1, c, z + 1)};
                const QList<QPointF> rightSide = {at(r, c + 1, z), at(r + 1, c + 1, z),
                                                  at(r + 1, c + 1, z + 1), at(r, c + 1, z + 1)};
                drawnFaces << topFace << leftSide << rightSide;
                if (z + 1 == heights.at(r).at(c))
                    tops << Top{r, c, int(drawnFaces.size())};
                QString cube = polygon(topFace, top);
                cube += polygon(leftSide, leftFace);
                cube += polygon(rightSide, rightFace);
                faces += grouped(cube, QStringLiteral("class=\"cube\""));
                for (const QPointF q :
                     {at(r, c, z + 1), at(r + 1, c, z), at(r, c + 1, z), at(r + 1, c + 1, z)}) {
                    minX = std::min(minX, q.x());
                    maxX = std::max(maxX, q.x());
                    minY = std::min(minY, q.y());
                    maxY = std::max(maxY, q.y());
                }
            }
        }
    }
    // A pupil counts a stack by its top: at least one half of it must show.
    for (const Top& t : tops) {
        const int h = heights.at(t.r).at(t.c);
        const QPointF n = at(t.r, t.c, h), e = at(t.r, t.c + 1, h), s2 = at(t.r + 1, t.c + 1, h),
                      w = at(t.r + 1, t.c, h);
        bool seen = false;
        for (const QPointF& sample : {(n + s2 + w) / 3, (n + e + s2) / 3}) {
            bool covered = false;
            for (int i = t.after; i < drawnFaces.size() && !covered; ++i)
                covered = inside(drawnFaces.at(i), sample);
            seen = seen || !covered;
        }
        if (!seen) {
            f.failAt(QStringLiteral("heights[%1]").arg(t.r + 1),
                     QStringLiteral("the stack of %1 in column %2 is hidden behind nearer ones")
                         .arg(h)
                         .arg(t.c + 1));
            return;
        }
    }
    p.body = translate(12 - minX, 12 - minY, faces);
    p.width = maxX - minX + 24;
    p.height = maxY - minY + 24;
    for (const char* key : {"cubes", "reading", "count"})
        p.readings.insert(QString::fromLatin1(key), QString::number(count));
}

void makeShapes2d(Fields& f, Picture& p) {
    const QStringList names = {QStringLiteral("square"),   QStringLiteral("rectangle"),
                               QStringLiteral("triangle"), QStringLiteral("right-angled triangle"),
                               QStringLiteral("pentagon"), QStringLiteral("hexagon"),
                               QStringLiteral("heptagon"), QStringLiteral("octagon"),
                               QStringLiteral("circle"),   QStringLiteral("semicircle"),
                               QStringLiteral("oval"),     QStringLiteral("rhombus"),
                               QStringLiteral("kite"),     QStringLiteral("parallelogram"),
                               QStringLiteral("trapezium")};
    const QList<Fields*> items = f.maps(QStringLiteral("shapes"));
    if (f.ok() && (items.isEmpty() || items.size() > 8))
        f.fail(QStringLiteral("shapes"), QStringLiteral("should hold 1 to 8 shapes"));
    // Four shapes to a row; a column is as wide as its longest label needs.
    const double box = 140, labelSize = 19;
    QStringList shapeNames, labels;
    QList<double> columns(std::min(int(items.size()), 4), box);
    for (int i = 0; i < items.size() && f.ok(); ++i) {
        shapeNames << items.at(i)->choice(QStringLiteral("name"), names);
        labels << items.at(i)->textOf(QStringLiteral("label"), QString());
        columns[i % 4] = std::max(columns.at(i % 4), textWidth(labels.last(), labelSize) + 12);
    }
    if (!f.ok())
        return;
    QHash<QString, int> counts;
    for (int i = 0; i < items.size(); ++i) {
        const QString& name = shapeNames.at(i);
        const QString& label = labels.at(i);
        double x = 10;
        for (int col = 0; col < i % 4; ++col)
            x += columns.at(col);
        const double y = 10 + (i / 4) * (box + 34), w = columns.at(i % 4);
        const QPointF c(x + w / 2, y + box / 2);
        const double r = box * 0.4;
        const Style st{soft(i), Edge(i), 3, QStringLiteral("class=\"shape\"")};
        QString s;
        if (name == QLatin1String("circle"))
            s = circle(c, r, st);
        else if (name == QLatin1String("oval"))
            s = ellipse(c, r, r * 0.62, st);
        else if (name == QLatin1String("semicircle"))
            s = path(QStringLiteral("M %1 %2 A %3 %3 0 0 1 %4 %2 Z")
                         .arg(num(c.x() - r), num(c.y() + r * 0.4), num(r), num(c.x() + r)),
                     st);
        else if (name == QLatin1String("square"))
            s = rect(c.x() - r * 0.8, c.y() - r * 0.8, r * 1.6, r * 1.6, st);
        else if (name == QLatin1String("rectangle"))
            s = rect(c.x() - r, c.y() - r * 0.6, r * 2, r * 1.2, st);
        else if (name == QLatin1String("triangle"))
            s = polygon(regularPolygon({c.x(), c.y() + r * 0.15}, r * 1.05, 3), st);
        else if (name == QLatin1String("right-angled triangle"))
            s = polygon({{c.x() - r * 0.8, c.y() - r * 0.8},
                         {c.x() - r * 0.8, c.y() + r * 0.8},
                         {c.x() + r * 0.8, c.y() + r * 0.8}},
                        st);
        else if (name == QLatin1String("rhombus"))
            s = polygon({{c.x(), c.y() - r},
                         {c.x() + r * 0.7, c.y()},
                         {c.x(), c.y() + r},
                         {c.x() - r * 0.7, c.y()}},
                        st);
        else if (name == QLatin1String("kite"))
            s = polygon({{c.x(), c.y() - r},
                         {c.x() + r * 0.65, c.y() - r * 0.3},
                         {c.x(), c.y() + r},
                         {c.x() - r * 0.65, c.y() - r * 0.3}},
                        st);
        else if (name == QLatin1String("parallelogram"))
            s = polygon({{c.x() - r * 0.6, c.y() - r * 0.55},
                         {c.x() + r, c.y() - r * 0.55},
                         {c.x() + r * 0.6, c.y() + r * 0.55},
                         {c.x() - r, c.y() + r * 0.55}},
                        st);
        else if (name == QLatin1String("trapezium"))
            s = polygon({{c.x() - r * 0.5, c.y() - r * 0.55},
                         {c.x() + r * 0.5, c.y() - r * 0.55},
                         {c.x() + r, c.y() + r * 0.55},
                         {c.x() - r, c.y() + r * 0.55}},
                        st);
        else {
            const int sides = name == QLatin1String("pentagon")   ? 5
                              : name == QLatin1String("hexagon")  ? 6
                              : name == QLatin1String("heptagon") ? 7
                                                                  : 8;
            s = polygon(regularPolygon(c, r, sides, sides == 8 ? 22.5 : sides == 6 ? 30 : 0), st);
        }
        p.body += s;
        if (!label.isEmpty())
            p.body += textAt(c.x(), y + box + 20, label, labelSize);
        ++counts[name];
        p.width = std::max(p.width, x + w + 10);
        p.height = std::max(p.height, y + box + 34);
    }
    for (const QString& name : names)
        p.readings.insert(QStringLiteral("count:") + name, QString::number(counts.value(name)));
    p.readings.insert(QStringLiteral("total"), QString::number(items.size()));
    p.unknownLabel =
        QStringLiteral("count a shape by its name: %1").arg(names.join(QStringLiteral(", ")));
}

} // namespace bank::pictures
