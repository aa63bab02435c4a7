// Topic 10, Area, Perimeter and Volume: counting squares and cubes, adding
// sides, rectangles and squares from their sides, shapes made of rectangles
// and things from a child's world (gardens, photos, tiles). Sides grow and
// steps multiply from paper 1 to paper 5. Keys are whole numbers of square
// centimetres, centimetres, metres or cubic centimetres; the unit stands
// beside the answer box.

#include "Bank.h"
#include "Quantities.h"
#include "SvgArea.h"
#include "SvgExtra.h"
#include "TopicKit.h"
#include "VariedPaper.h"

#include <QSet>
#include <algorithm>

namespace bank {

namespace {

using kit::Gap;
using kit::Make;
using kit::Number;
using kit::P;
using kit::SvgPicture;
using varied::Work;
using Cell = QPair<int, int>; // (column, row)
using qty::Measure;

const QStringList& Names() {
    static const QStringList names = {
        QStringLiteral("Amir"),   QStringLiteral("Bella"),  QStringLiteral("Callum"),
        QStringLiteral("Daisy"),  QStringLiteral("Ethan"),  QStringLiteral("Freya"),
        QStringLiteral("George"), QStringLiteral("Hana"),   QStringLiteral("Isla"),
        QStringLiteral("Jack"),   QStringLiteral("Keira"),  QStringLiteral("Lewis"),
        QStringLiteral("Millie"), QStringLiteral("Nathan"), QStringLiteral("Olivia"),
        QStringLiteral("Poppy"),  QStringLiteral("Rhys"),   QStringLiteral("Sophie"),
        QStringLiteral("Theo"),   QStringLiteral("Zara")};
    return names;
}

QString Name(Rng& rng) {
    return rng.pick(Names());
}

QString N(int v) {
    return QString::number(v);
}

// "3 + 4 + 2"
QString Plus(const QList<int>& values) {
    QStringList parts;
    for (int v : values)
        parts << N(v);
    return parts.join(QStringLiteral(" + "));
}

int Total(const QList<int>& values) {
    int t = 0;
    for (int v : values)
        t += v;
    return t;
}

// The question, its picture, then the answer line "<lead>[ ] <unit>.".
Question Ask(const QString& question, const Picture* pic, const QString& alt, const QString& lead,
             const QString& unit, const Blank& answer) {
    QString html = P(question);
    if (pic)
        html += P(html::Img(pic->name, alt));
    html +=
        P(lead + Gap() + (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit) + QLatin1Char('.'));
    Question q = Make(html, {answer}, pic ? QList<Picture>{*pic} : QList<Picture>{});
    q.working.units = {unit};
    return q;
}

// --- shapes on a grid -------------------------------------------------------------

int Perimeter(const QList<Cell>& cells) {
    const QSet<Cell> set(cells.begin(), cells.end());
    int edges = 0;
    for (const Cell& c : cells) {
        for (const Cell& d : {Cell{1, 0}, Cell{-1, 0}, Cell{0, 1}, Cell{0, -1}}) {
            if (!set.contains({c.first + d.first, c.second + d.second}))
                ++edges;
        }
    }
    return edges;
}

struct Bounds {
    int minC, maxC, minR, maxR;
    int width() const { return maxC - minC + 1; }
    int height() const { return maxR - minR + 1; }
};

Bounds BoundsOf(const QList<Cell>& cells) {
    Bounds b{1 << 20, -1, 1 << 20, -1};
    for (const Cell& c : cells) {
        b.minC = std::min(b.minC, c.first);
        b.maxC = std::max(b.maxC, c.first);
        b.minR = std::min(b.minR, c.second);
        b.maxR = std::max(b.maxR, c.second);
    }
    return b;
}

// True when every empty cell of the bounding box can reach the outside.
bool HasNoHoles(const QList<Cell>& cells) {
    const QSet<Cell> set(cells.begin(), cells.end());
    const Bounds b = BoundsOf(cells);
    QSet<Cell> outside;
    QList<Cell> todo{{b.minC - 1, b.minR - 1}};
    while (!todo.isEmpty()) {
        const Cell c = todo.takeLast();
        if (c.first < b.minC - 1 || c.first > b.maxC + 1 || c.second < b.minR - 1 ||
            c.second > b.maxR + 1)
            continue;
        if (set.contains(c) || outside.contains(c))
            continue;
        outside.insert(c);
        todo << Cell{c.first + 1, c.second} << Cell{c.first - 1, c.second}
             << Cell{c.first, c.second + 1} << Cell{c.first, c.second - 1};
    }
    const int box = (b.width() + 2) * (b.height() + 2);
    return outside.size() + set.size() == box;
}

// A connected shape of n squares without holes inside columns c0..c0+cols-1
// and rows 0..rows-1.
QList<Cell> RandomShape(int n, int c0, int cols, int rows, Rng& rng) {
    for (;;) {
        QList<Cell> cells{{c0 + rng.range(1, std::max(1, cols - 2)), rng.range(1, rows - 2)}};
        QSet<Cell> set(cells.begin(), cells.end());
        int guard = 0;
        while (cells.size() < n && ++guard < 2000) {
            const Cell from = rng.pick(cells);
            static const QList<Cell> steps = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            const Cell d = rng.pick(steps);
            const Cell c{from.first + d.first, from.second + d.second};
            if (c.first < c0 || c.second < 0 || c.first >= c0 + cols || c.second >= rows ||
                set.contains(c))
                continue;
            cells << c;
            set.insert(c);
        }
        if (cells.size() == n && HasNoHoles(cells))
            return cells;
    }
}

QList<Cell> Rectangle(int c0, int r0, int w, int h) {
    QList<Cell> cells;
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c)
            cells << Cell{c0 + c, r0 + r};
    }
    return cells;
}

bool IsRectangle(const QList<Cell>& cells) {
    const Bounds b = BoundsOf(cells);
    return b.width() * b.height() == cells.size();
}

constexpr int kCols = 12, kRows = 7;
constexpr double kCell = 36;

Picture Grid(const QString& name, const QList<Cell>& cells) {
    return SvgPicture(name, svg::GridPicture({cells}, {}, kCols, kRows, kCell));
}

QString GridAlt(const QList<Cell>& cells) {
    const Bounds b = BoundsOf(cells);
    return QStringLiteral("A shaded shape on a grid of squares. At its widest it is %1 squares "
                          "across, and it is %2 squares from top to bottom.")
        .arg(b.width())
        .arg(b.height());
}

// Squares per row, top to bottom.
QList<int> RowCounts(const QList<Cell>& cells) {
    const Bounds b = BoundsOf(cells);
    QList<int> rows;
    for (int r = b.minR; r <= b.maxR; ++r) {
        int n = 0;
        for (const Cell& c : cells)
            n += c.second == r ? 1 : 0;
        rows << n;
    }
    return rows;
}

// The number of squares of a shape for a paper level.
int ShapeSize(int level, Rng& rng) {
    static const int lo[] = {0, 5, 8, 10, 12, 14};
    static const int hi[] = {0, 9, 12, 16, 18, 22};
    return rng.range(lo[level], hi[level]);
}

QList<Cell> ShapeFor(int level, Rng& rng) {
    if (level <= 1 && rng.chance(1, 3))
        return Rectangle(rng.range(1, 4), rng.range(1, 2), rng.range(2, 4), rng.range(2, 3));
    return RandomShape(ShapeSize(level, rng), 0, kCols, kRows, rng);
}

QStringList AreaSteps(const QList<Cell>& cells) {
    const QList<int> rows = RowCounts(cells);
    return {QStringLiteral("Count the shaded squares row by row, from the top: %1 = %2.")
                .arg(Plus(rows))
                .arg(Total(rows)),
            QStringLiteral("Each square is 1 square cm, so the area is %1 square cm.")
                .arg(cells.size())};
}

QStringList PerimeterSteps(const QList<Cell>& cells) {
    if (IsRectangle(cells)) {
        const Bounds b = BoundsOf(cells);
        return {QStringLiteral("The shape is a rectangle %1 squares long and %2 squares wide.")
                    .arg(b.width())
                    .arg(b.height()),
                QStringLiteral("Go all the way round: %1 + %2 + %1 + %2 = %3.")
                    .arg(b.width())
                    .arg(b.height())
                    .arg(Perimeter(cells)),
                QStringLiteral("Each side of a square is 1 cm, so the perimeter is %1 cm.")
                    .arg(Perimeter(cells))};
    }
    return {QStringLiteral("Start at one corner and go all the way round the outside of the "
                           "shape, counting every side of a square you pass."),
            QStringLiteral("There are %1 sides of squares on the outside, each 1 cm long, so the "
                           "perimeter is %1 cm.")
                .arg(Perimeter(cells))};
}

Question AreaCount(int level, Rng& rng) {
    const QList<Cell> cells = ShapeFor(level, rng);
    const Picture pic = Grid(QStringLiteral("grid.svg"), cells);
    const QString name = Name(rng);
    static const char* const asks[] = {
        "%1 shades a shape on squared paper. Each square is 1 square cm. What is the area of "
        "%1's shape?",
        "Each small square on %1's grid is 1 square cm. Find the area of the shaded shape.",
        "%1 covers the shaded shape with 1 cm square stickers, one on each square. What area do "
        "the stickers cover?"};
    Question q =
        Ask(QString::fromLatin1(asks[rng.range(0, 2)]).arg(name), &pic, GridAlt(cells),
            QStringLiteral("The area is "), QStringLiteral("square cm"), Number(int(cells.size())));
    return Work(q, AreaSteps(cells));
}

Question PerimeterCount(int level, Rng& rng) {
    const QList<Cell> cells =
        level <= 2 && rng.chance(2, 3)
            ? Rectangle(rng.range(1, 4), rng.range(1, 2), rng.range(2, 3 + level), rng.range(2, 4))
            : ShapeFor(level, rng);
    const Picture pic = Grid(QStringLiteral("grid.svg"), cells);
    const QString name = Name(rng);
    static const char* const asks[] = {
        "The side of each small square is 1 cm. %1 pushes a toy car once round the edge of the "
        "shaded shape. How far does the car go?",
        "%1 draws this shape on 1 cm squared paper. What is the perimeter of %1's shape?",
        "Each square on %1's grid has sides of 1 cm. How long is the outline of the shaded "
        "shape?"};
    const int ask = rng.range(0, 2);
    Question q = Ask(QString::fromLatin1(asks[ask]).arg(name), &pic, GridAlt(cells),
                     ask == 0   ? QStringLiteral("The car goes ")
                     : ask == 1 ? QStringLiteral("The perimeter is ")
                                : QStringLiteral("The outline is "),
                     QStringLiteral("cm"), Number(Perimeter(cells), level >= 3 ? 2 : 1));
    return Work(q, PerimeterSteps(cells));
}

// Two shapes on one grid, A on the left and B on the right.
Question ShapeDifference(int level, Rng& rng) {
    for (;;) {
        const QList<Cell> a = RandomShape(ShapeSize(level, rng), 0, 6, kRows, rng);
        const QList<Cell> b = RandomShape(ShapeSize(level, rng), 6, 6, kRows, rng);
        if (a.size() == b.size() || BoundsOf(a).maxC >= BoundsOf(b).minC - 1)
            continue;
        const Picture pic =
            SvgPicture(QStringLiteral("shapes.svg"),
                       svg::GridPicture({a, b}, {QStringLiteral("A"), QStringLiteral("B")}, kCols,
                                        kRows, kCell));
        const bool aBigger = a.size() > b.size();
        const int diff = int(std::abs(a.size() - b.size()));
        const QString name = Name(rng);
        Question q = Ask(
            QStringLiteral("%1 draws shape A and shape B on squared paper. Each square is 1 "
                           "square cm. How much larger is the area of shape %2 than the area of "
                           "shape %3?")
                .arg(name, aBigger ? QStringLiteral("A") : QStringLiteral("B"),
                     aBigger ? QStringLiteral("B") : QStringLiteral("A")),
            &pic,
            QStringLiteral("Two shaded shapes on one grid of squares: shape A on the left, "
                           "shape B on the right."),
            QStringLiteral("It is larger by "), QStringLiteral("square cm"), Number(diff, 2));
        return Work(q, {QStringLiteral("Count the squares of shape A: %1 = %2.")
                            .arg(Plus(RowCounts(a)))
                            .arg(a.size()),
                        QStringLiteral("Count the squares of shape B: %1 = %2.")
                            .arg(Plus(RowCounts(b)))
                            .arg(b.size()),
                        QStringLiteral("%1 - %2 = %3, so shape %4 is larger by %3 square cm.")
                            .arg(std::max(a.size(), b.size()))
                            .arg(std::min(a.size(), b.size()))
                            .arg(diff)
                            .arg(aBigger ? QStringLiteral("A") : QStringLiteral("B"))});
    }
}

// Four shapes A to D; which has the largest or smallest area.
Question CompareShapes(int level, Rng& rng) {
    for (;;) {
        QList<QList<Cell>> shapes;
        QList<int> areas;
        for (int i = 0; i < 4; ++i) {
            const QList<Cell> s = RandomShape(rng.range(4, level <= 1 ? 8 : 12), 0, 5, 5, rng);
            shapes << s;
            areas << int(s.size());
        }
        const bool largest = rng.chance(1, 2);
        const int best = largest ? *std::max_element(areas.begin(), areas.end())
                                 : *std::min_element(areas.begin(), areas.end());
        if (areas.count(best) != 1)
            continue;
        QString body;
        const double cell = 24;
        for (int i = 0; i < 4; ++i) {
            body += svg::Translate(10 + i * 145, 10, svg::GridShape(shapes.at(i), 5, 5, cell));
            body += svg::BoldText(10 + i * 145 + 60, 160,
                                  QStringLiteral("Shape %1").arg(QChar(u'A' + i)), 16);
        }
        const Picture pic = SvgPicture(QStringLiteral("shapes.svg"), svg::Document(590, 172, body));
        const QString name = Name(rng);
        const QString html =
            P(QStringLiteral("%1 draws four shapes on squared paper. Which shape has the %2 area?")
                  .arg(name, largest ? QStringLiteral("largest") : QStringLiteral("smallest"))) +
            P(html::Img(pic.name, QStringLiteral("Four shaded shapes, each on its own grid of "
                                                 "squares, named shape A, B, C and D from left "
                                                 "to right."))) +
            html::Options({QStringLiteral("Shape A"), QStringLiteral("Shape B"),
                           QStringLiteral("Shape C"), QStringLiteral("Shape D")}) +
            varied::ChooseNote();
        const int key = int(areas.indexOf(best)) + 1;
        Question q = Make(html, {kit::Choice(key, 2)}, {pic});
        QStringList counts;
        for (int i = 0; i < 4; ++i)
            counts << QStringLiteral("shape %1 has %2").arg(QChar(u'A' + i)).arg(areas.at(i));
        return Work(q, {QStringLiteral("Count the squares of each shape: %1.")
                            .arg(counts.join(QStringLiteral(", "))),
                        QStringLiteral("The %1 area is %2 square cm, shape %3, which is answer %4.")
                            .arg(largest ? QStringLiteral("largest") : QStringLiteral("smallest"))
                            .arg(best)
                            .arg(QChar(u'A' + key - 1))
                            .arg(key)});
    }
}

// --- rectangles, squares and other shapes with their sides marked -------------------

// A rectangle drawn to scale with its length along the top and its width on
// the right.
Picture RectPicture(int length, int width, const QString& unit, int colour = 0) {
    const double scale = std::min(40.0, std::min(340.0 / length, 200.0 / width));
    const double w = length * scale, h = std::max(width * scale, 24.0);
    return SvgPicture(QStringLiteral("rectangle.svg"),
                      svg::SidesPicture({{0, 0}, {w, 0}, {w, h}, {0, h}},
                                        {QStringLiteral("%1 %2").arg(length).arg(unit),
                                         QStringLiteral("%1 %2").arg(width).arg(unit)},
                                        colour));
}

// A rectangle divided into its squares, for counting rows.
Picture RectOnGrid(int length, int width) {
    return SvgPicture(
        QStringLiteral("grid.svg"),
        svg::GridPicture({Rectangle(1, 1, length, width)}, {}, length + 2, width + 2, kCell));
}

QPair<int, int> RectSides(int level, Rng& rng) {
    static const int lo[] = {0, 2, 3, 4, 6, 8};
    static const int hi[] = {0, 5, 8, 12, 15, 20};
    const int length = rng.range(lo[level] + 1, hi[level]);
    const int width = rng.range(lo[level], length - 1);
    return {length, width};
}

Question RectPerimeter(int level, Rng& rng) {
    const auto [l, w] = RectSides(level, rng);
    const Picture pic = RectPicture(l, w, QStringLiteral("cm"), 1);
    const QString name = Name(rng);
    static const char* const asks[] = {
        "%1 draws a rectangle. What is its perimeter?",
        "%1 sticks tape all the way round the edge of this rectangle. How much tape does %1 "
        "need?"};
    const int ask = rng.range(0, 1);
    Question q = Ask(QString::fromLatin1(asks[ask]).arg(name), &pic,
                     QStringLiteral("A rectangle. Its long side is marked %1 cm and its short "
                                    "side %2 cm.")
                         .arg(l)
                         .arg(w),
                     ask == 0 ? QStringLiteral("The perimeter is ") : QStringLiteral("It needs "),
                     QStringLiteral("cm"), Number(2 * (l + w), level >= 2 ? 2 : 1));
    return Work(q, {QStringLiteral("A rectangle has two long sides of %1 cm and two short sides "
                                   "of %2 cm.")
                        .arg(l)
                        .arg(w),
                    QStringLiteral("%1 + %2 + %1 + %2 = %3, so the answer is %3 cm.")
                        .arg(l)
                        .arg(w)
                        .arg(2 * (l + w))});
}

Question RectArea(int level, Rng& rng) {
    const auto [l, w] = RectSides(level, rng);
    const QString name = Name(rng);
    if (level <= 2) {
        const Picture pic = RectOnGrid(l, w);
        Question q =
            Ask(QStringLiteral("%1 draws a rectangle on squared paper. Each square is 1 "
                               "square cm. What is the area of the rectangle?")
                    .arg(name),
                &pic,
                QStringLiteral("A shaded rectangle on a grid of squares: %1 rows of %2 "
                               "squares.")
                    .arg(w)
                    .arg(l),
                QStringLiteral("The area is "), QStringLiteral("square cm"), Number(l * w, 2));
        QStringList rows;
        for (int i = 0; i < w; ++i)
            rows << N(l);
        return Work(q, {QStringLiteral("The rectangle has %1 rows of %2 squares.").arg(w).arg(l),
                        QStringLiteral("%1 = %2 squares, so the area is %2 square cm.")
                            .arg(rows.join(QStringLiteral(" + ")))
                            .arg(l * w)});
    }
    const Picture pic = RectPicture(l, w, QStringLiteral("cm"), 2);
    Question q =
        Ask(QStringLiteral("%1 measures a rectangle of card. What is its area?").arg(name), &pic,
            QStringLiteral("A rectangle. Its long side is marked %1 cm and its short "
                           "side %2 cm.")
                .arg(l)
                .arg(w),
            QStringLiteral("The area is "), QStringLiteral("square cm"), Number(l * w, 2));
    return Work(
        q, {QStringLiteral("The rectangle is %1 cm long and %2 cm wide: it holds %2 rows "
                           "of %1 squares of 1 square cm.")
                .arg(l)
                .arg(w),
            QStringLiteral("%1 × %2 = %3, so the area is %3 square cm.").arg(l).arg(w).arg(l * w)});
}

// Square things of a child's world, by paper level.
QString SquareThing(int level, Rng& rng) {
    static const QList<QStringList> things = {
        {},
        {QStringLiteral("square sticker"), QStringLiteral("square card")},
        {QStringLiteral("square sticker"), QStringLiteral("square photo"),
         QStringLiteral("square tile")},
        {QStringLiteral("square tile"), QStringLiteral("square photo"),
         QStringLiteral("square napkin")},
        {QStringLiteral("square napkin"), QStringLiteral("square cushion"),
         QStringLiteral("square tile")},
        {QStringLiteral("square cushion"), QStringLiteral("square napkin"),
         QStringLiteral("square tile")}};
    return rng.pick(things.at(level));
}

Question SquarePerimeter(int level, Rng& rng) {
    const QString thing = SquareThing(level, rng);
    const int side = qty::Draw(thing, Measure::Centimetres, rng);
    const QString name = Name(rng);
    if (level >= 4 && rng.chance(1, 2)) {
        Question q = Ask(QStringLiteral("%1 puts a ribbon once round the edge of a %2. The ribbon "
                                        "is %3 cm long. How long is each side of the %2?")
                             .arg(name, thing)
                             .arg(4 * side),
                         nullptr, {}, QStringLiteral("Each side is "), QStringLiteral("cm"),
                         Number(side, 2));
        return Work(
            q, {QStringLiteral("A square has 4 sides of the same length, and the ribbon "
                               "goes along all 4."),
                QStringLiteral("%1 ÷ 4 = %2, so each side is %2 cm.").arg(4 * side).arg(side)});
    }
    Question q = Ask(QStringLiteral("Each side of %1's %2 is %3 cm long. What is the perimeter "
                                    "of the %2?")
                         .arg(name, thing)
                         .arg(side),
                     nullptr, {}, QStringLiteral("The perimeter is "), QStringLiteral("cm"),
                     Number(4 * side, level >= 3 ? 2 : 1));
    return Work(q, {QStringLiteral("A square has 4 sides of the same length."),
                    QStringLiteral("%1 + %1 + %1 + %1 = 4 × %1 = %2, so the perimeter is %2 cm.")
                        .arg(side)
                        .arg(4 * side)});
}

Question SquareArea(int level, Rng& rng) {
    const QString thing = SquareThing(std::min(level, 3), rng);
    const int side = qty::Draw(thing, Measure::Centimetres, rng);
    const QString name = Name(rng);
    if (level >= 5 && side <= 12) {
        Question q = Ask(QStringLiteral("The perimeter of %1's %2 is %3 cm. What is its area?")
                             .arg(name, thing)
                             .arg(4 * side),
                         nullptr, {}, QStringLiteral("The area is "), QStringLiteral("square cm"),
                         Number(side * side, 3));
        return Work(
            q, {QStringLiteral("A square has 4 equal sides: %1 ÷ 4 = %2, so each side is "
                               "%2 cm.")
                    .arg(4 * side)
                    .arg(side),
                QStringLiteral("The area is %1 × %1 = %2 square cm.").arg(side).arg(side * side)});
    }
    if (side > 12)
        return {}; // too big to multiply in the head at this age: the paper draws again
    Question q = Ask(
        QStringLiteral("%1's %2 has sides of %3 cm. What is its area?").arg(name, thing).arg(side),
        nullptr, {}, QStringLiteral("The area is "), QStringLiteral("square cm"),
        Number(side * side, 2));
    return Work(
        q,
        {QStringLiteral("A square %1 cm long and %1 cm wide holds %1 rows of %1 squares "
                        "of 1 square cm.")
             .arg(side),
         QStringLiteral("%1 × %1 = %2, so the area is %2 square cm.").arg(side).arg(side * side)});
}

Question TrianglePerimeter(int level, Rng& rng) {
    static const int lo[] = {0, 2, 3, 5, 8, 10};
    static const int hi[] = {0, 6, 9, 15, 25, 40};
    for (;;) {
        QList<int> s = {rng.range(lo[level], hi[level]), rng.range(lo[level], hi[level]),
                        rng.range(lo[level], hi[level])};
        std::sort(s.begin(), s.end());
        if (s.at(0) + s.at(1) <= s.at(2) + 1)
            continue;
        // Base s[2] along the bottom; the apex where the other two sides meet.
        const double k = std::min(34.0, 360.0 / s.at(2));
        const double a = s.at(0) * k, b = s.at(1) * k, c = s.at(2) * k;
        const double x = (a * a - b * b + c * c) / (2 * c);
        const double h = std::sqrt(std::max(0.0, a * a - x * x));
        if (h < 40)
            continue;
        // Clockwise on screen: bottom left, apex, bottom right.
        const QByteArray svg = svg::SidesPicture({{0, h}, {x, 0}, {c, h}},
                                                 {QStringLiteral("%1 cm").arg(s.at(0)),
                                                  QStringLiteral("%1 cm").arg(s.at(1)),
                                                  QStringLiteral("%1 cm").arg(s.at(2))},
                                                 3);
        if (svg.isEmpty())
            continue;
        const Picture pic = SvgPicture(QStringLiteral("triangle.svg"), svg);
        const QString name = Name(rng);
        Question q = Ask(QStringLiteral("%1 makes a triangle from three straws. What is the "
                                        "perimeter of the triangle?")
                             .arg(name),
                         &pic,
                         QStringLiteral("A triangle with its sides marked %1 cm, %2 cm and %3 cm.")
                             .arg(s.at(0))
                             .arg(s.at(1))
                             .arg(s.at(2)),
                         QStringLiteral("The perimeter is "), QStringLiteral("cm"),
                         Number(Total(s), level >= 3 ? 2 : 1));
        return Work(
            q, {QStringLiteral("The perimeter is all three sides added together."),
                QStringLiteral("%1 = %2, so the perimeter is %2 cm.").arg(Plus(s)).arg(Total(s))});
    }
}

Question RegularPerimeter(int level, Rng& rng) {
    static const QList<QPair<const char*, int>> shapes = {
        {"pentagon", 5}, {"hexagon", 6}, {"octagon", 8}};
    const auto& [shape, sides] = rng.pick(shapes);
    const int side = rng.range(level <= 3 ? 2 : 4, level <= 3 ? 6 : level == 4 ? 9 : 12);
    const QString name = Name(rng);
    Question q = Ask(QStringLiteral("%1 draws a %2 with %3 sides, each %4 cm long. What is its "
                                    "perimeter?")
                         .arg(name, QString::fromLatin1(shape))
                         .arg(sides)
                         .arg(side),
                     nullptr, {}, QStringLiteral("The perimeter is "), QStringLiteral("cm"),
                     Number(sides * side, 2));
    return Work(q, {QStringLiteral("All %1 sides are %2 cm long.").arg(sides).arg(side),
                    QStringLiteral("%1 × %2 = %3, so the perimeter is %3 cm.")
                        .arg(sides)
                        .arg(side)
                        .arg(sides * side)});
}

// An L-shape: a W x H rectangle with a cw x ch corner cut from its top right.
struct LShape {
    int W, H, cw, ch;
};

// The shape's picture, or empty when its labels would crowd each other.
QByteArray LSvg(const LShape& s, bool allSides) {
    const double k = std::min(32.0, std::min(360.0 / s.W, 240.0 / s.H));
    const double W = s.W * k, H = s.H * k, cw = s.cw * k, ch = s.ch * k;
    // Clockwise from the top left corner.
    const QList<QPair<double, double>> points = {{0, 0},  {W - cw, 0}, {W - cw, ch},
                                                 {W, ch}, {W, H},      {0, H}};
    const auto cm = [](int v) { return QStringLiteral("%1 cm").arg(v); };
    QStringList labels = {cm(s.W - s.cw), cm(s.ch), cm(s.cw), cm(s.H - s.ch), cm(s.W), cm(s.H)};
    if (!allSides) {
        labels[1].clear(); // the two inner sides follow from the others
        labels[2].clear();
    }
    return svg::SidesPicture(points, labels, 4);
}

LShape RandomL(int level, Rng& rng, bool allSides, QByteArray* svg) {
    for (;;) {
        LShape s;
        s.W = rng.range(level <= 3 ? 5 : 7, level <= 3 ? 10 : 14);
        s.H = rng.range(level <= 3 ? 4 : 5, level <= 3 ? 8 : 10);
        s.cw = rng.range(2, s.W - 3);
        s.ch = rng.range(2, s.H - 2);
        *svg = LSvg(s, allSides);
        if (!svg->isEmpty())
            return s;
    }
}

QString LAlt(const LShape& s, bool allSides) {
    if (allSides)
        return QStringLiteral("A shape like the letter L with right-angled corners. Going round "
                              "from the top left, its sides are marked %1 cm, %2 cm, %3 cm, %4 cm, "
                              "%5 cm and %6 cm.")
            .arg(s.W - s.cw)
            .arg(s.ch)
            .arg(s.cw)
            .arg(s.H - s.ch)
            .arg(s.W)
            .arg(s.H);
    return QStringLiteral("A shape like the letter L with right-angled corners. Its top side is "
                          "marked %1 cm, its short right side %2 cm, its bottom side %3 cm and its "
                          "left side %4 cm; the two sides of the cut corner are not marked.")
        .arg(s.W - s.cw)
        .arg(s.H - s.ch)
        .arg(s.W)
        .arg(s.H);
}

Question LPerimeter(int level, Rng& rng) {
    const bool all = level <= 3;
    QByteArray svg;
    const LShape s = RandomL(level, rng, all, &svg);
    const Picture pic = SvgPicture(QStringLiteral("shape.svg"), svg);
    const QString name = Name(rng);
    const int p = 2 * (s.W + s.H);
    Question q = Ask(QStringLiteral("%1 cuts this shape out of card. All its corners are right "
                                    "angles. What is its perimeter?")
                         .arg(name),
                     &pic, LAlt(s, all), QStringLiteral("The perimeter is "), QStringLiteral("cm"),
                     Number(p, all ? 2 : 3));
    QStringList steps;
    if (!all) {
        steps << QStringLiteral("Find the two sides that are not marked: %1 - %2 = %3 cm across "
                                "and %4 - %5 = %6 cm down.")
                     .arg(s.W)
                     .arg(s.W - s.cw)
                     .arg(s.cw)
                     .arg(s.H)
                     .arg(s.H - s.ch)
                     .arg(s.ch);
    }
    steps << QStringLiteral("Add all six sides: %1 = %2.")
                 .arg(Plus({s.W - s.cw, s.ch, s.cw, s.H - s.ch, s.W, s.H}))
                 .arg(p)
          << QStringLiteral("The perimeter is %1 cm.").arg(p);
    return Work(q, steps);
}

Question LArea(int level, Rng& rng) {
    QByteArray svg;
    const LShape s = RandomL(level, rng, true, &svg);
    const Picture pic = SvgPicture(QStringLiteral("shape.svg"), svg);
    const QString name = Name(rng);
    const int bottom = s.W * (s.H - s.ch), top = (s.W - s.cw) * s.ch;
    Question q = Ask(QStringLiteral("%1 wants to cover this shape with paper. All its corners are "
                                    "right angles. What is its area?")
                         .arg(name),
                     &pic, LAlt(s, true), QStringLiteral("The area is "),
                     QStringLiteral("square cm"), Number(bottom + top, 3));
    return Work(q,
                {QStringLiteral("Cut the shape into two rectangles with a line across."),
                 QStringLiteral("The bottom rectangle is %1 cm by %2 cm: %1 × %2 = %3 square cm.")
                     .arg(s.W)
                     .arg(s.H - s.ch)
                     .arg(bottom),
                 QStringLiteral("The top rectangle is %1 cm by %2 cm: %1 × %2 = %3 square cm.")
                     .arg(s.W - s.cw)
                     .arg(s.ch)
                     .arg(top),
                 QStringLiteral("%1 + %2 = %3, so the area is %3 square cm.")
                     .arg(bottom)
                     .arg(top)
                     .arg(bottom + top)});
}

Question MissingSide(int level, Rng& rng) {
    const int l = rng.range(level <= 4 ? 5 : 8, level <= 4 ? 10 : 15);
    const int w = rng.range(2, l - 1);
    const QString name = Name(rng);
    if (rng.chance(1, 2)) {
        Question q =
            Ask(QStringLiteral("%1's rectangle has a perimeter of %2 cm. It is %3 cm long. "
                               "How wide is it?")
                    .arg(name)
                    .arg(2 * (l + w))
                    .arg(l),
                nullptr, {}, QStringLiteral("It is "), QStringLiteral("cm wide"), Number(w, 3));
        return Work(
            q, {QStringLiteral("Half the perimeter is one length and one width: %1 ÷ 2 = "
                               "%2.")
                    .arg(2 * (l + w))
                    .arg(l + w),
                QStringLiteral("%1 - %2 = %3, so the width is %3 cm.").arg(l + w).arg(l).arg(w)});
    }
    Question q =
        Ask(QStringLiteral("%1's rectangle has an area of %2 square cm. It is %3 cm long. "
                           "How wide is it?")
                .arg(name)
                .arg(l * w)
                .arg(l),
            nullptr, {}, QStringLiteral("It is "), QStringLiteral("cm wide"), Number(w, 3));
    return Work(q,
                {QStringLiteral("Length × width = area, so the width is the area divided by the "
                                "length."),
                 QStringLiteral("%1 ÷ %2 = %3, so the width is %3 cm.").arg(l * w).arg(l).arg(w)});
}

// Rectangles of a child's world measured in metres.
Question FencePlace(int level, Rng& rng) {
    static const QList<QStringList> places = {
        {},
        {},
        {},
        {QStringLiteral("flower bed"), QStringLiteral("sandpit"), QStringLiteral("garden")},
        {QStringLiteral("garden"), QStringLiteral("playground")},
        {QStringLiteral("playground"), QStringLiteral("field")}};
    const QString place = rng.pick(places.at(level));
    int l = 0, w = 0;
    while (w >= l) {
        l = qty::Draw(place, Measure::Metres, rng);
        w = qty::Draw(place, Measure::Metres, rng);
    }
    const QString name = Name(rng);
    if (level >= 5 && rng.chance(1, 2)) {
        const int gate = rng.range(1, 3);
        Question q = Ask(QStringLiteral("A %1 is a rectangle %2 m long and %3 m wide. %4 puts a "
                                        "fence all round it, except for a gate %5 m wide. How "
                                        "many metres of fence are needed?")
                             .arg(place)
                             .arg(l)
                             .arg(w)
                             .arg(name)
                             .arg(gate),
                         nullptr, {}, QStringLiteral("The fence is "), QStringLiteral("m long"),
                         Number(2 * (l + w) - gate, 3));
        return Work(q, {QStringLiteral("All the way round: %1 + %2 + %1 + %2 = %3 m.")
                            .arg(l)
                            .arg(w)
                            .arg(2 * (l + w)),
                        QStringLiteral("Leave out the gate: %1 - %2 = %3, so %3 m of fence.")
                            .arg(2 * (l + w))
                            .arg(gate)
                            .arg(2 * (l + w) - gate)});
    }
    Question q = Ask(QStringLiteral("A %1 is a rectangle %2 m long and %3 m wide. %4 walks once "
                                    "all the way round its edge. How far does %4 walk?")
                         .arg(place)
                         .arg(l)
                         .arg(w)
                         .arg(name),
                     nullptr, {}, QStringLiteral("%1 walks ").arg(name), QStringLiteral("m"),
                     Number(2 * (l + w), 2));
    return Work(q, {QStringLiteral("Round the edge is two lengths and two widths."),
                    QStringLiteral("%1 + %2 + %1 + %2 = %3, so %4 walks %3 m.")
                        .arg(l)
                        .arg(w)
                        .arg(2 * (l + w))
                        .arg(name)});
}

Question TilesCover(int level, Rng& rng) {
    const int l = rng.range(2, level <= 1 ? 5 : 7), w = rng.range(2, level <= 1 ? 3 : 4);
    const QString name = Name(rng);
    Question q = Ask(QStringLiteral("%1 covers a rectangle %2 cm long and %3 cm wide with square "
                                    "stickers of 1 cm by 1 cm, with no gaps. How many stickers "
                                    "does %1 need?")
                         .arg(name)
                         .arg(l)
                         .arg(w),
                     nullptr, {}, QStringLiteral("%1 needs ").arg(name), QStringLiteral("stickers"),
                     Number(l * w, level >= 2 ? 2 : 1));
    QStringList rows;
    for (int i = 0; i < w; ++i)
        rows << N(l);
    return Work(q, {QStringLiteral("The stickers make %1 rows of %2.").arg(w).arg(l),
                    QStringLiteral("%1 = %2, so %3 needs %2 stickers.")
                        .arg(rows.join(QStringLiteral(" + ")))
                        .arg(l * w)
                        .arg(name)});
}

// Which unit measures a thing.
Question UnitChoice(int, Rng& rng) {
    static const QList<QPair<const char*, const char*>> asks = {
        {"the area of a table top", "square cm"},
        {"the perimeter of a photo", "cm"},
        {"the volume of a small box", "cubic cm"},
        {"the area of a page of a book", "square cm"},
        {"the length of the fence round a field", "m"},
        {"the volume of a stack of cubes", "cubic cm"},
        {"the area of a birthday card", "square cm"},
        {"the distance round a playground", "m"},
        {"the space inside a matchbox", "cubic cm"},
        {"the edge of a postcard", "cm"}};
    const auto& a = rng.pick(asks);
    const QString right = QString::fromLatin1(a.second);
    const bool length = right == QLatin1String("cm") || right == QLatin1String("m");
    QStringList wrong;
    for (const QString& u :
         {QStringLiteral("cm"), QStringLiteral("square cm"), QStringLiteral("cubic cm"),
          QStringLiteral("kg"), QStringLiteral("m")}) {
        const bool otherLength = u == QLatin1String("cm") || u == QLatin1String("m");
        if (u != right && !(length && otherLength))
            wrong << u;
    }
    int key = 0;
    const QString options = kit::Options(right, wrong, rng, &key);
    const QString what = QString::fromLatin1(a.first);
    Question q = Make(P(QStringLiteral("Which unit would you use to measure %1?").arg(what)) +
                          options + varied::ChooseNote(),
                      {kit::Choice(key)});
    const QString why = right == QLatin1String("square cm")
                            ? QStringLiteral("An area is measured in squares, so square cm.")
                        : right == QLatin1String("cubic cm")
                            ? QStringLiteral("A volume is measured in cubes, so cubic cm.")
                        : right == QLatin1String("m")
                            ? QStringLiteral("This is a long length, so metres.")
                            : QStringLiteral("This is a short length, so centimetres.");
    return Work(q, {why, QStringLiteral("%1 is answer %2.").arg(kit::Cap(right)).arg(key)});
}

// --- cubes ---------------------------------------------------------------------------

Picture CubePicture(const QList<QList<int>>& heights) {
    const double size = 36;
    int maxH = 0, cols = 0;
    for (const QList<int>& row : heights) {
        cols = std::max(cols, int(row.size()));
        for (int h : row)
            maxH = std::max(maxH, h);
    }
    const auto extent = svg::CubeBlockExtent(int(heights.size()), cols, maxH, size);
    return SvgPicture(QStringLiteral("cubes.svg"),
                      svg::Document(int(extent.first + 24), int(extent.second + 24),
                                    svg::CubeBlock(heights, 12, extent.second + 12, size)));
}

Question CubeTowers(int level, Rng& rng) {
    const int cols = rng.range(2, level <= 1 ? 4 : 5);
    QList<int> row;
    for (int c = 0; c < cols; ++c)
        row << rng.range(1, level <= 1 ? 3 : 5);
    const Picture pic = CubePicture({row});
    const QString name = Name(rng);
    Question q =
        Ask(QStringLiteral("%1 builds %2 towers side by side from 1 cm cubes. What is the "
                           "volume of all the towers together?")
                .arg(name)
                .arg(cols),
            &pic, QStringLiteral("%1 towers of cubes in a row, left to right.").arg(cols),
            QStringLiteral("The volume is "), QStringLiteral("cubic cm"), Number(Total(row)));
    return Work(
        q,
        {QStringLiteral("Count the cubes in each tower from left to right: %1 = %2.")
             .arg(Plus(row))
             .arg(Total(row)),
         QStringLiteral("Each cube is 1 cubic cm, so the volume is %1 cubic cm.").arg(Total(row))});
}

// A box of rows x cols x layers cubes; at level 5 also a staircase, rows
// rising towards the back so that every column shows.
Question CuboidVolume(int level, Rng& rng) {
    const int rows = rng.range(2, level <= 3 ? 2 : 3);
    const int cols = rng.range(2, level <= 3 ? 3 : 4);
    const int layers = rng.range(level <= 3 ? 1 : 2, level <= 3 ? 2 : 3);
    const bool stairs = level >= 5 && rng.chance(1, 2);
    QList<QList<int>> heights;
    QList<int> rowCubes;
    for (int r = 0; r < rows; ++r) {
        const int h = stairs ? layers + (rows - 1 - r) : layers; // row 0 at the back
        heights << QList<int>(cols, h);
    }
    const Picture pic = CubePicture(heights);
    const QString name = Name(rng);
    int total = 0;
    for (const auto& row : heights)
        total += Total(row);
    Question q = Ask(QStringLiteral("%1 builds a solid from 1 cm cubes with no gaps. What is its "
                                    "volume?")
                         .arg(name),
                     &pic,
                     stairs ? QStringLiteral("A solid of cubes like steps: %1 cubes wide and %2 "
                                             "rows deep, each row higher than the one in front.")
                                  .arg(cols)
                                  .arg(rows)
                            : QStringLiteral("A solid box of cubes, %1 cubes wide and %2 rows "
                                             "deep.")
                                  .arg(cols)
                                  .arg(rows),
                     QStringLiteral("The volume is "), QStringLiteral("cubic cm"),
                     Number(total, level >= 5 ? 3 : 2));
    if (stairs) {
        QStringList rowText;
        QList<int> perRow;
        for (int r = rows - 1; r >= 0; --r) {
            perRow << cols * heights.at(r).at(0);
            rowText << QStringLiteral("%1 × %2 = %3")
                           .arg(cols)
                           .arg(heights.at(r).at(0))
                           .arg(perRow.last());
        }
        return Work(q, {QStringLiteral("Work row by row from the front. Each row is %1 cubes wide: "
                                       "%2.")
                            .arg(cols)
                            .arg(rowText.join(QStringLiteral(", "))),
                        QStringLiteral("%1 = %2, so the volume is %2 cubic cm.")
                            .arg(Plus(perRow))
                            .arg(total)});
    }
    return Work(q,
                {QStringLiteral("Each layer has %1 rows of %2 cubes: %1 × %2 = %3 cubes.")
                     .arg(rows)
                     .arg(cols)
                     .arg(rows * cols),
                 QStringLiteral("There %1 %2 layer%3: %4 × %2 = %5, so the volume is %5 cubic cm.")
                     .arg(layers == 1 ? QStringLiteral("is") : QStringLiteral("are"))
                     .arg(layers)
                     .arg(layers == 1 ? QString() : QStringLiteral("s"))
                     .arg(rows * cols)
                     .arg(total)});
}

Question BoxLayers(int level, Rng& rng) {
    const int rows = rng.range(2, level <= 2 ? 3 : 5), cols = rng.range(2, level <= 2 ? 4 : 6);
    const int layers = rng.range(2, level <= 2 ? 2 : level <= 4 ? 4 : 5);
    const QString name = Name(rng);
    Question q = Ask(QStringLiteral("%1 fills a box with 1 cm cubes. Each layer has %2 rows of %3 "
                                    "cubes, and there are %4 layers. What is the volume of the "
                                    "cubes in the box?")
                         .arg(name)
                         .arg(rows)
                         .arg(cols)
                         .arg(layers),
                     nullptr, {}, QStringLiteral("The volume is "), QStringLiteral("cubic cm"),
                     Number(rows * cols * layers, level >= 4 ? 3 : 2));
    return Work(
        q, {QStringLiteral("One layer: %1 × %2 = %3 cubes.").arg(rows).arg(cols).arg(rows * cols),
            QStringLiteral("%1 layers: %2 × %1 = %3 cubes, so the volume is %3 cubic cm.")
                .arg(layers)
                .arg(rows * cols)
                .arg(rows * cols * layers)});
}

// --- questions in parts --------------------------------------------------------------

Question PartQ(const QString& text, const QString& unit, const Blank& blank,
               const QStringList& steps) {
    Question q = Make(text + QLatin1Char(' ') + Gap() +
                          (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit),
                      {blank});
    return Work(q, steps, {unit});
}

Question Story(int level, int blanks, int index, Rng& rng) {
    const QString name = Name(rng);
    if ((level >= 3 && index % 2 == 1) || (level >= 3 && rng.chance(1, 3))) {
        const int rows = rng.range(2, 3), cols = rng.range(2, 4), layers = rng.range(2, level);
        const QList<QList<int>> heights(rows, QList<int>(cols, layers));
        const Picture pic = CubePicture(heights);
        const int layer = rows * cols;
        const QString intro =
            P(QStringLiteral("%1 builds a box shape from 1 cm cubes with no gaps.").arg(name)) +
            P(html::Img(pic.name, QStringLiteral("A solid box of cubes, %1 cubes wide and %2 rows "
                                                 "deep.")
                                      .arg(cols)
                                      .arg(rows)));
        QList<Question> pool = {
            PartQ(QStringLiteral("How many cubes are in the top layer?"), QStringLiteral("cubes"),
                  Number(layer),
                  {QStringLiteral("The top layer has %1 rows of %2 cubes: %1 × %2 = %3.")
                       .arg(rows)
                       .arg(cols)
                       .arg(layer)}),
            PartQ(QStringLiteral("How many layers are there?"), QStringLiteral("layers"),
                  Number(layers),
                  {QStringLiteral("Count the cubes up one corner: %1 layers.").arg(layers)}),
            PartQ(QStringLiteral("What is the volume of the box shape?"),
                  QStringLiteral("cubic cm"), Number(layer * layers, 2),
                  {QStringLiteral("%1 cubes in each layer and %2 layers: %1 × %2 = %3, so %3 "
                                  "cubic cm.")
                       .arg(layer)
                       .arg(layers)
                       .arg(layer * layers)}),
            PartQ(QStringLiteral("%1 adds one more layer on top. How many cubes are there now?")
                      .arg(name),
                  QStringLiteral("cubes"), Number(layer * (layers + 1), 2),
                  {QStringLiteral("One more layer adds %1 cubes: %2 + %1 = %3.")
                       .arg(layer)
                       .arg(layer * layers)
                       .arg(layer * (layers + 1))}),
        };
        QList<Question> parts;
        if (blanks == 2)
            parts << pool.at(0) << pool.at(2);
        else
            parts = pool.mid(0, blanks);
        return varied::Combine(intro, parts, {pic});
    }
    const QList<Cell> cells = RandomShape(ShapeSize(std::max(level, 2), rng), 0, kCols, kRows, rng);
    const Picture pic = Grid(QStringLiteral("grid.svg"), cells);
    const Bounds b = BoundsOf(cells);
    const int bw = b.width(), bh = b.height();
    const QString intro =
        P(QStringLiteral("%1 shades a shape on squared paper. Each small square has sides of 1 cm.")
              .arg(name)) +
        P(html::Img(pic.name, GridAlt(cells)));
    const QList<Question> pool = {
        PartQ(QStringLiteral("What is the area of the shaded shape?"), QStringLiteral("square cm"),
              Number(int(cells.size())), AreaSteps(cells)),
        PartQ(QStringLiteral("What is the perimeter of the shaded shape?"), QStringLiteral("cm"),
              Number(Perimeter(cells), 2), PerimeterSteps(cells)),
        PartQ(QStringLiteral("%1 shades more squares to make the smallest rectangle round the "
                             "shape, %2 squares long and %3 squares wide. How many more squares "
                             "must %1 shade?")
                  .arg(name)
                  .arg(std::max(bw, bh))
                  .arg(std::min(bw, bh)),
              QStringLiteral("squares"), Number(bw * bh - int(cells.size()), 2),
              {QStringLiteral("The rectangle holds %1 × %2 = %3 squares.")
                   .arg(bw)
                   .arg(bh)
                   .arg(bw * bh),
               QStringLiteral("%1 are shaded already: %2 - %1 = %3 more.")
                   .arg(cells.size())
                   .arg(bw * bh)
                   .arg(bw * bh - int(cells.size()))}),
        PartQ(QStringLiteral("What is the perimeter of that rectangle?"), QStringLiteral("cm"),
              Number(2 * (bw + bh), 2),
              {QStringLiteral("%1 + %2 + %1 + %2 = %3, so %3 cm.")
                   .arg(bw)
                   .arg(bh)
                   .arg(2 * (bw + bh))}),
    };
    return varied::Combine(intro, pool.mid(0, blanks), {pic});
}

} // namespace

QList<Question> GenerateTopic10(const PaperSpec& paperSpec, Rng& rng) {
    // Questions that drew a thing too large for the level come back empty and
    // are drawn again by the wrapper.
    const auto again = [](Question (*make)(int, Rng&)) {
        return [make](int level, Rng& r) {
            for (;;) {
                Question q = make(level, r);
                if (!q.blanks.isEmpty())
                    return q;
            }
        };
    };
    const QList<varied::Single> singles = {
        {1, 4, AreaCount, 5},         {1, 5, PerimeterCount, 4},    {1, 3, UnitChoice, 3},
        {1, 2, CubeTowers, 4},        {1, 5, RectPerimeter, 4},     {1, 3, TilesCover, 4},
        {1, 3, CompareShapes, 3},     {1, 5, SquarePerimeter, 4},   {1, 5, RectArea, 4},
        {2, 5, TrianglePerimeter, 3}, {2, 4, ShapeDifference, 3},   {2, 5, BoxLayers, 3},
        {3, 5, CuboidVolume, 3},      {3, 5, again(SquareArea), 3}, {3, 5, RegularPerimeter, 3},
        {3, 5, LPerimeter, 3},        {3, 5, FencePlace, 3},        {4, 5, LArea, 3},
        {4, 5, MissingSide, 3},
    };
    return varied::Build(paperSpec, rng, singles, Story);
}

} // namespace bank
