// Topic 10, Area, Perimeter and Volume: counting squares on a grid, the
// perimeter of grid shapes and of rectangles with their sides given, and the
// volume of stacks of unit cubes. Keys are whole numbers of square
// centimetres, centimetres or cubic centimetres.

#include "Bank.h"
#include "SvgExtra.h"
#include "TopicKit.h"

#include <QSet>
#include <algorithm>

namespace bank {

namespace {

using namespace kit;

using Cell = QPair<int, int>; // (column, row)

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

// True when every empty cell of the bounding box can reach the outside.
bool HasNoHoles(const QList<Cell>& cells) {
    const QSet<Cell> set(cells.begin(), cells.end());
    int minC = 1 << 20, maxC = -1, minR = 1 << 20, maxR = -1;
    for (const Cell& c : cells) {
        minC = std::min(minC, c.first);
        maxC = std::max(maxC, c.first);
        minR = std::min(minR, c.second);
        maxR = std::max(maxR, c.second);
    }
    QSet<Cell> outside;
    QList<Cell> todo{{minC - 1, minR - 1}};
    while (!todo.isEmpty()) {
        const Cell c = todo.takeLast();
        if (c.first < minC - 1 || c.first > maxC + 1 || c.second < minR - 1 || c.second > maxR + 1)
            continue;
        if (set.contains(c) || outside.contains(c))
            continue;
        outside.insert(c);
        todo << Cell{c.first + 1, c.second} << Cell{c.first - 1, c.second}
             << Cell{c.first, c.second + 1} << Cell{c.first, c.second - 1};
    }
    const int box = (maxC - minC + 3) * (maxR - minR + 3);
    return outside.size() + set.size() == box;
}

// A connected shape of n squares, without holes, inside cols x rows, and not
// a plain rectangle unless asked for.
QList<Cell> RandomShape(int n, int cols, int rows, Rng& rng) {
    for (;;) {
        QList<Cell> cells{{rng.range(1, cols - 2), rng.range(1, rows - 2)}};
        QSet<Cell> set(cells.begin(), cells.end());
        int guard = 0;
        while (cells.size() < n && ++guard < 1000) {
            const Cell from = rng.pick(cells);
            static const QList<Cell> steps = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            const Cell d = rng.pick(steps);
            const Cell c{from.first + d.first, from.second + d.second};
            if (c.first < 0 || c.second < 0 || c.first >= cols || c.second >= rows ||
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

constexpr int kCols = 12, kRows = 7;
constexpr double kCell = 40;

Picture GridPicture(const QList<Cell>& cells) {
    return SvgPicture(
        QStringLiteral("grid.svg"),
        svg::Document(int(kCols * kCell + 20), int(kRows * kCell + 20),
                      svg::Translate(10, 10, svg::GridShape(cells, kCols, kRows, kCell))));
}

QList<Cell> ShapeFor(int level, Rng& rng) {
    if (level <= 1 && rng.chance(1, 2))
        return Rectangle(rng.range(1, 4), rng.range(1, 2), rng.range(2, 5), rng.range(2, 3));
    const int n = level <= 1 ? rng.range(5, 9) : level == 2 ? rng.range(7, 12) : rng.range(10, 20);
    return RandomShape(n, kCols, kRows, rng);
}

// The question, the picture, then the answer line "<lead>[ ] <unit>.".
Question Pictured(const QString& question, const Picture& pic, const QString& alt,
                  const QString& lead, const QString& unit, const Blank& answer) {
    const QString html = P(question) + P(html::Img(pic.name, alt)) +
                         P(lead + Gap() + QLatin1Char(' ') + unit + QLatin1Char('.'));
    return Make(html, {answer}, {pic});
}

// The shape on a grid between the question and the answer line.
Question GridQuestion(const QList<Cell>& cells, const QString& question, const QString& lead,
                      const QString& unit, const Blank& answer) {
    return Pictured(question, GridPicture(cells), QStringLiteral("a shape on a grid"), lead, unit,
                    answer);
}

Question AreaCount(int level, Rng& rng) {
    const QList<Cell> cells = ShapeFor(level, rng);
    return GridQuestion(cells,
                        QStringLiteral("Each small square is 1 square centimetre. What is the area "
                                       "of the shaded shape?"),
                        QStringLiteral("The area is "), QStringLiteral("square cm"),
                        Number(int(cells.size())));
}

Question PerimeterCount(int level, Rng& rng) {
    const QList<Cell> cells =
        level <= 1 ? Rectangle(rng.range(1, 4), rng.range(1, 2), rng.range(2, 5), rng.range(2, 4))
                   : ShapeFor(level, rng);
    return GridQuestion(cells,
                        QStringLiteral("The side of each small square is 1 cm. What is the "
                                       "perimeter of the shaded shape?"),
                        QStringLiteral("The perimeter is "), QStringLiteral("cm"),
                        Number(Perimeter(cells), level >= 3 ? 2 : 1));
}

// A rectangle drawn to scale with its length and width written beside it.
Picture RectPicture(int length, int width) {
    const double scale = std::min(45.0, 360.0 / length);
    const double w = length * scale, h = width * scale;
    return SvgPicture(
        QStringLiteral("rectangle.svg"),
        svg::Document(int(w + 120), int(h + 50),
                      svg::LabelledRect(20, 36, w, h, QStringLiteral("%1 cm").arg(length),
                                        QStringLiteral("%1 cm").arg(width), 0)));
}

QPair<int, int> RectSides(int level, Rng& rng) {
    const int length = rng.range(level <= 3 ? 3 : 5, level <= 3 ? 9 : 15);
    int width = rng.range(2, std::max(2, length - 1));
    return {length, width};
}

Question RectArea(int level, Rng& rng) {
    const auto [l, w] = RectSides(level, rng);
    return Pictured(QStringLiteral("What is the area of the rectangle?"), RectPicture(l, w),
                    QStringLiteral("a rectangle"), QStringLiteral("The area is "),
                    QStringLiteral("square cm"), Number(l * w, 2));
}

Question RectPerimeter(int level, Rng& rng) {
    const auto [l, w] = RectSides(level, rng);
    return Pictured(QStringLiteral("What is the perimeter of the rectangle?"), RectPicture(l, w),
                    QStringLiteral("a rectangle"), QStringLiteral("The perimeter is "),
                    QStringLiteral("cm"), Number(2 * (l + w), 2));
}

Question Square(int level, Rng& rng) {
    const int side = rng.range(3, level >= 5 ? 25 : 12);
    if (level >= 4 && rng.chance(1, 2)) {
        return GapQuestion(
            QStringLiteral("A square has a perimeter of %1 cm. How long is each side?")
                .arg(4 * side),
            QStringLiteral("Each side is "), QStringLiteral(" cm."), Number(side, 2));
    }
    return GapQuestion(
        QStringLiteral("Each side of a square is %1 cm long. What is its perimeter?").arg(side),
        QStringLiteral("The perimeter is "), QStringLiteral(" cm."), Number(4 * side, 2));
}

Question MissingSide(int, Rng& rng) {
    const int l = rng.range(5, 12);
    const int w = rng.range(2, l - 1);
    if (rng.chance(1, 2)) {
        return GapQuestion(
            QStringLiteral("A rectangle has a perimeter of %1 cm. Its length is %2 cm. "
                           "What is its width?")
                .arg(2 * (l + w))
                .arg(l),
            QStringLiteral("The width is "), QStringLiteral(" cm."), Number(w, 3));
    }
    return GapQuestion(
        QStringLiteral("A rectangle has an area of %1 square cm. Its length is %2 cm. "
                       "What is its width?")
            .arg(l * w)
            .arg(l),
        QStringLiteral("The width is "), QStringLiteral(" cm."), Number(w, 3));
}

// An L-shape: a W x H rectangle with a cw x ch corner cut from its top right.
struct LShape {
    int W, H, cw, ch;
};

LShape RandomL(Rng& rng) {
    LShape s;
    s.W = rng.range(6, 14);
    s.H = rng.range(5, 10);
    s.cw = rng.range(2, s.W - 3);
    s.ch = rng.range(2, s.H - 2);
    return s;
}

Picture LPicture(const LShape& s, bool allSides) {
    const double k = std::min(26.0, std::min(360.0 / s.W, 240.0 / s.H));
    const double x = 70, y = 40;
    const double W = s.W * k, H = s.H * k, cw = s.cw * k, ch = s.ch * k;
    // Clockwise from the top left corner.
    const QList<QPair<double, double>> points = {
        {x, y}, {x + W - cw, y}, {x + W - cw, y + ch}, {x + W, y + ch}, {x + W, y + H}, {x, y + H}};
    const auto cm = [](int v) { return QStringLiteral("%1 cm").arg(v); };
    QStringList labels = {cm(s.W - s.cw), cm(s.ch), cm(s.cw), cm(s.H - s.ch), cm(s.W), cm(s.H)};
    if (!allSides) {
        labels[1].clear(); // the two inner sides follow from the others
        labels[2].clear();
    }
    return SvgPicture(
        QStringLiteral("shape.svg"),
        svg::Document(int(W + 160), int(H + 90), svg::LabelledPolygon(points, labels, 2)));
}

Question LPerimeter(int level, Rng& rng) {
    const LShape s = RandomL(rng);
    const bool all = level <= 4;
    return Pictured(
        QStringLiteral("All the corners of the shape are right angles. What is its perimeter?"),
        LPicture(s, all), QStringLiteral("a shape with its sides marked"),
        QStringLiteral("The perimeter is "), QStringLiteral("cm"),
        Number(2 * (s.W + s.H), all ? 2 : 3));
}

Question LArea(int, Rng& rng) {
    const LShape s = RandomL(rng);
    return Pictured(
        QStringLiteral("All the corners of the shape are right angles. What is its area?"),
        LPicture(s, true), QStringLiteral("a shape with its sides marked"),
        QStringLiteral("The area is "), QStringLiteral("square cm"),
        Number(s.W * s.H - s.cw * s.ch, 3));
}

Picture CubePicture(const QList<QList<int>>& heights) {
    const double size = 40;
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

int Sum(const QList<QList<int>>& heights) {
    int total = 0;
    for (const QList<int>& row : heights) {
        for (int h : row)
            total += h;
    }
    return total;
}

Question CubeCount(int level, Rng& rng) {
    const int cols = rng.range(2, level <= 1 ? 4 : 5);
    QList<int> row;
    for (int c = 0; c < cols; ++c)
        row << rng.range(1, level <= 1 ? 3 : 4);
    return Pictured(QStringLiteral("The solid is made of 1 cm cubes. What is its volume?"),
                    CubePicture({row}), QStringLiteral("a stack of cubes"),
                    QStringLiteral("The volume is "), QStringLiteral("cubic cm"),
                    Number(Sum({row})));
}

// A box of rows x cols x layers cubes; at level 5 a staircase, rows rising
// towards the back so that every column shows.
QList<QList<int>> Block(int level, Rng& rng) {
    const int rows = rng.range(2, level <= 3 ? 2 : 3);
    const int cols = rng.range(2, level <= 3 ? 3 : 4);
    const int layers = rng.range(1, level <= 3 ? 2 : 3);
    QList<QList<int>> heights;
    for (int r = 0; r < rows; ++r) {
        // Row 0 is the back row.
        const int h = level >= 5 ? layers + (rows - 1 - r) : layers;
        heights << QList<int>(cols, h);
    }
    return heights;
}

Question CuboidVolume(int level, Rng& rng) {
    const QList<QList<int>> heights = Block(level, rng);
    return Pictured(
        QStringLiteral("The solid is built from 1 cm cubes with no gaps. What is its volume?"),
        CubePicture(heights), QStringLiteral("a solid of cubes"), QStringLiteral("The volume is "),
        QStringLiteral("cubic cm"), Number(Sum(heights), level >= 5 ? 3 : 2));
}

Question Unit(int, Rng& rng) {
    static const QList<QPair<const char*, const char*>> asks = {
        {"the area of a table top", "square cm"},
        {"the perimeter of a photo", "cm"},
        {"the volume of a small box", "cubic cm"},
        {"the area of a page", "square cm"},
        {"the length of a fence around a garden", "m"},
        {"the volume of a stack of cubes", "cubic cm"}};
    const auto& a = rng.pick(asks);
    const QStringList all = {QStringLiteral("cm"), QStringLiteral("square cm"),
                             QStringLiteral("cubic cm"), QStringLiteral("kg"), QStringLiteral("m")};
    const QString right = QString::fromLatin1(a.second);
    const bool length = right == QLatin1String("cm") || right == QLatin1String("m");
    QStringList wrong;
    for (const QString& u : all) { // a length is not offered in the other length unit
        const bool otherLength = u == QLatin1String("cm") || u == QLatin1String("m");
        if (u != right && !(length && otherLength))
            wrong << u;
    }
    int key = 0;
    const QString options = Options(right, wrong, rng, &key);
    return Make(
        P(QStringLiteral("Which unit would you use for %1?").arg(QString::fromLatin1(a.first))) +
            options + ChooseNote(),
        {Choice(key)});
}

// Four shapes A to D; which has the largest or smallest area.
Question CompareShapes(int level, Rng& rng) {
    for (;;) {
        QList<QList<Cell>> shapes;
        QList<int> areas;
        for (int i = 0; i < 4; ++i) {
            const QList<Cell> s = RandomShape(rng.range(4, level <= 2 ? 9 : 13), 5, 5, rng);
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
        const QString html =
            P(QStringLiteral("Which shape has the %1 area?")
                  .arg(largest ? QStringLiteral("largest") : QStringLiteral("smallest"))) +
            P(html::Img(pic.name, QStringLiteral("four shapes on grids"))) +
            html::Options({QStringLiteral("Shape A"), QStringLiteral("Shape B"),
                           QStringLiteral("Shape C"), QStringLiteral("Shape D")}) +
            ChooseNote();
        return Make(html, {Choice(int(areas.indexOf(best)) + 1, 2)}, {pic});
    }
}

// Several questions about one shape on a grid, or about one block of cubes.
Question Story(int level, int blanks, Rng& rng) {
    if (level >= 3 && rng.chance(1, 2)) {
        const int rows = rng.range(2, 3), cols = rng.range(2, 4), layers = rng.range(2, 3);
        const QList<QList<int>> heights(rows, QList<int>(cols, layers));
        const Picture pic = CubePicture(heights);
        const QString intro = P(QStringLiteral("The box is built from 1 cm cubes with no gaps.")) +
                              P(html::Img(pic.name, QStringLiteral("a box of cubes")));
        const QList<Question> pool = {
            Make(QStringLiteral("How many cubes are in the top layer? ") + Gap(),
                 {Number(rows * cols)}),
            Make(QStringLiteral("How many layers are there? ") + Gap(), {Number(layers)}),
            Make(QStringLiteral("What is the volume of the box? ") + Gap() +
                     QStringLiteral(" cubic cm"),
                 {Number(rows * cols * layers, 2)}),
            Make(QStringLiteral("How many cubes would one more layer add? ") + Gap(),
                 {Number(rows * cols)}),
        };
        QList<Question> parts;
        if (blanks == 2)
            parts << pool.at(0) << pool.at(2);
        for (int k = 0; parts.size() < blanks; ++k)
            parts << pool.at(k % pool.size());
        return Combine(intro, parts, {pic});
    }
    const QList<Cell> cells = RandomShape(rng.range(8, 16), kCols, kRows, rng);
    const Picture pic = GridPicture(cells);
    int minC = kCols, maxC = 0, minR = kRows, maxR = 0;
    for (const Cell& c : cells) {
        minC = std::min(minC, c.first);
        maxC = std::max(maxC, c.first);
        minR = std::min(minR, c.second);
        maxR = std::max(maxR, c.second);
    }
    const int bw = maxC - minC + 1, bh = maxR - minR + 1;
    const QString intro = P(QStringLiteral("Each small square has sides of 1 cm.")) +
                          P(html::Img(pic.name, QStringLiteral("a shape on a grid")));
    const QList<Question> pool = {
        Make(QStringLiteral("What is the area of the shaded shape? ") + Gap() +
                 QStringLiteral(" square cm"),
             {Number(int(cells.size()))}),
        Make(QStringLiteral("What is the perimeter of the shaded shape? ") + Gap() +
                 QStringLiteral(" cm"),
             {Number(Perimeter(cells), 2)}),
        Make(QStringLiteral("The smallest rectangle around the shape is %1 squares long and %2 "
                            "squares wide. How many more squares must be shaded to fill it? ")
                     .arg(std::max(bw, bh))
                     .arg(std::min(bw, bh)) +
                 Gap(),
             {Number(bw * bh - int(cells.size()), 2)}),
        Make(QStringLiteral("What is the perimeter of that rectangle? ") + Gap() +
                 QStringLiteral(" cm"),
             {Number(2 * (bw + bh), 2)}),
    };
    QList<Question> parts;
    for (int k = 0; k < blanks; ++k)
        parts << pool.at(k % pool.size());
    return Combine(intro, parts, {pic});
}

} // namespace

QList<Question> GenerateTopic10(const PaperSpec& paperSpec, Rng& rng) {
    const QList<kit::Maker> makers = {
        {1, 2, Unit, 1},           {1, 5, AreaCount, 4},     {1, 3, CubeCount, 3},
        {1, 5, PerimeterCount, 3}, {2, 3, CompareShapes, 1}, {3, 5, RectArea, 2},
        {2, 5, RectPerimeter, 2},  {3, 5, CuboidVolume, 2},  {3, 5, Square, 2},
        {4, 5, LPerimeter, 2},     {5, 5, LArea, 2},         {5, 5, MissingSide, 2},
    };
    return kit::BuildPaper(paperSpec, rng, makers, Story, kit::FixedChoice(CompareShapes));
}

} // namespace bank
