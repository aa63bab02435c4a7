#include "SvgArea.h"

#include "SvgExtra.h"

#include <QSet>
#include <cmath>

namespace bank::svg {

TextBox BoxOfText(double x, double baseline, const QString& text, int size, const QString& anchor) {
    const double width = 0.68 * size * text.size();
    double left = x;
    if (anchor == QLatin1String("middle"))
        left = x - width / 2;
    else if (anchor == QLatin1String("end"))
        left = x - width;
    return {left, baseline - 0.8 * size, left + width, baseline + 0.25 * size};
}

bool Overlap(const TextBox& a, const TextBox& b, double gap) {
    return a.left < b.right + gap && b.left < a.right + gap && a.top < b.bottom + gap &&
           b.top < a.bottom + gap;
}

QByteArray SidesPicture(const QList<QPair<double, double>>& points, const QStringList& labels,
                        int colour) {
    constexpr int kSize = 19;
    constexpr double kMargin = 10;
    struct Label {
        double x, y;
        QString text, anchor;
        TextBox box;
    };
    QList<Label> placed;
    const int n = int(points.size());
    for (int i = 0; i < n && i < labels.size(); ++i) {
        if (labels.at(i).isEmpty())
            continue;
        const auto [mx, my, ny, anchor] = SideLabelSpot(points.at(i), points.at((i + 1) % n), 12);
        // Lettering sits above a point below it and below a point above it.
        const double baseline = ny < -0.5 ? my : ny > 0.5 ? my + 0.8 * kSize : my + 0.3 * kSize;
        placed << Label{mx, baseline, labels.at(i), anchor,
                        BoxOfText(mx, baseline, labels.at(i), kSize, anchor)};
    }
    for (int i = 0; i < placed.size(); ++i) {
        for (int j = i + 1; j < placed.size(); ++j) {
            if (Overlap(placed.at(i).box, placed.at(j).box))
                return {};
        }
    }
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (const auto& p : points) {
        minX = std::min(minX, p.first);
        maxX = std::max(maxX, p.first);
        minY = std::min(minY, p.second);
        maxY = std::max(maxY, p.second);
    }
    for (const Label& l : placed) {
        minX = std::min(minX, l.box.left);
        maxX = std::max(maxX, l.box.right);
        minY = std::min(minY, l.box.top);
        maxY = std::max(maxY, l.box.bottom);
    }
    const double sx = kMargin - minX, sy = kMargin - minY;
    QList<QPair<double, double>> moved;
    for (const auto& p : points)
        moved << qMakePair(p.first + sx, p.second + sy);
    QString body = Polygon(moved, SoftColour(colour), QString::fromLatin1(kInk), 2.5);
    for (const Label& l : placed)
        body += Tagged(BoldText(l.x + sx, l.y + sy, l.text, kSize, l.anchor),
                       QStringLiteral("side-label"));
    return Document(int(std::ceil(maxX - minX + 2 * kMargin)),
                    int(std::ceil(maxY - minY + 2 * kMargin)), body);
}

QByteArray GridPicture(const QList<QList<QPair<int, int>>>& shapes, const QStringList& letters,
                       int cols, int rows, double cell) {
    const double top = letters.join(QString()).isEmpty() ? 10 : 36;
    QString body = Translate(10, top, [&] {
        QString grid;
        // Cells of every shape, then the grid lines, then each outline.
        for (int k = 0; k < shapes.size(); ++k) {
            for (const auto& c : shapes.at(k)) {
                grid += Tagged(Rect(c.first * cell, c.second * cell, cell, cell,
                                    k == 0 ? QStringLiteral("#bfdbfe") : QStringLiteral("#fde68a"),
                                    QStringLiteral("none"), 0),
                               QStringLiteral("cell"));
            }
        }
        grid += GridLines(cols, rows, cell);
        for (const auto& s : shapes)
            grid += CellOutline(s, cell);
        return grid;
    }());
    for (int k = 0; k < shapes.size() && k < letters.size(); ++k) {
        if (letters.at(k).isEmpty() || shapes.at(k).isEmpty())
            continue;
        int minC = cols, maxC = 0, minR = rows;
        for (const auto& c : shapes.at(k)) {
            minC = std::min(minC, c.first);
            maxC = std::max(maxC, c.first);
            minR = std::min(minR, c.second);
        }
        // Over the shape's top row, in the strip above the grid when it starts at the top.
        const double x = 10 + (minC + maxC + 1) * cell / 2;
        const double y = minR == 0 ? top - 8 : top + minR * cell - 8;
        body += BoldText(x, y, letters.at(k), 18);
    }
    return Document(int(cols * cell + 20), int(top + rows * cell + 10), body);
}

} // namespace bank::svg
