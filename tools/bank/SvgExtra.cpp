#include "SvgExtra.h"

#include <cmath>

namespace bank::svg {

namespace {

QString Ink() {
    return QString::fromLatin1(kInk);
}

} // namespace

QString SoftColour(int index) {
    static const char* const soft[] = {"#dbeafe", "#fef3c7", "#dcfce7", "#fce7f3",
                                       "#ede9fe", "#ffedd5", "#cffafe"};
    return QString::fromLatin1(soft[((index % 7) + 7) % 7]);
}

QString AccentColour(int index) {
    static const char* const accent[] = {"#3b82f6", "#f59e0b", "#10b981", "#ec4899",
                                         "#8b5cf6", "#f97316", "#06b6d4"};
    return QString::fromLatin1(accent[((index % 7) + 7) % 7]);
}

QString Num(double value) {
    // Two decimals at most, no trailing zeros, never "-0".
    double rounded = std::round(value * 100.0) / 100.0;
    if (rounded == 0)
        rounded = 0;
    QString text = QString::number(rounded, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString Line(double x1, double y1, double x2, double y2, const QString& stroke, double width,
             const QString& extra) {
    return QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" stroke=\"%5\" "
                          "stroke-width=\"%6\"%7/>\n")
        .arg(Num(x1), Num(y1), Num(x2), Num(y2), stroke, Num(width),
             extra.isEmpty() ? QString() : QLatin1Char(' ') + extra);
}

QString Rect(double x, double y, double w, double h, const QString& fill, const QString& stroke,
             double strokeWidth, double radius) {
    QString round;
    if (radius > 0)
        round = QStringLiteral(" rx=\"%1\"").arg(Num(radius));
    return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5 fill=\"%6\" "
                          "stroke=\"%7\" stroke-width=\"%8\"/>\n")
        .arg(Num(x), Num(y), Num(w), Num(h), round, fill, stroke, Num(strokeWidth));
}

QString Circle(double cx, double cy, double r, const QString& fill, const QString& stroke,
               double strokeWidth) {
    return QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\" stroke=\"%5\" "
                          "stroke-width=\"%6\"/>\n")
        .arg(Num(cx), Num(cy), Num(r), fill, stroke, Num(strokeWidth));
}

QString Polygon(const QList<QPair<double, double>>& points, const QString& fill,
                const QString& stroke, double strokeWidth) {
    QStringList coords;
    for (const auto& p : points)
        coords << Num(p.first) + QLatin1Char(',') + Num(p.second);
    return QStringLiteral("<polygon points=\"%1\" fill=\"%2\" stroke=\"%3\" stroke-width=\"%4\" "
                          "stroke-linejoin=\"round\"/>\n")
        .arg(coords.join(QLatin1Char(' ')), fill, stroke, Num(strokeWidth));
}

QString Translate(double x, double y, const QString& body) {
    return QStringLiteral("<g transform=\"translate(%1 %2)\">\n%3</g>\n").arg(Num(x), Num(y), body);
}

QString Tagged(const QString& element, const QString& cls) {
    const int space = int(element.indexOf(QLatin1Char(' ')));
    if (!element.startsWith(QLatin1Char('<')) || space < 0)
        return element;
    return element.left(space) + QStringLiteral(" class=\"%1\"").arg(cls) + element.mid(space);
}

QString BoldText(double x, double y, const QString& text, int size, const QString& anchor,
                 const QString& fill) {
    return QStringLiteral("<text x=\"%1\" y=\"%2\" font-size=\"%3\" font-weight=\"bold\" "
                          "text-anchor=\"%4\" fill=\"%5\">%6</text>\n")
        .arg(Num(x), Num(y), QString::number(size), anchor, fill, text.toHtmlEscaped());
}

QString ThingPicture(Thing thing, double x, double y, double w, double h, int colour) {
    const QString ink = Ink();
    const QString soft = SoftColour(colour);
    const QString accent = AccentColour(colour);
    QString out;
    switch (thing) {
    case Thing::Parcel:
        out += Rect(x, y, w, h, QStringLiteral("#f5d0a9"), QStringLiteral("#92400e"), 2, 3);
        out += Rect(x + w * 0.44, y, w * 0.12, h, QStringLiteral("#fde68a"),
                    QStringLiteral("#92400e"), 1);
        break;
    case Thing::Bag: {
        out += QStringLiteral("<path d=\"M %1 %2 Q %3 %4 %5 %2 L %6 %7 Q %3 %8 %9 %7 Z\" "
                              "fill=\"%10\" stroke=\"%11\" stroke-width=\"2\"/>\n")
                   .arg(Num(x + w * 0.2), Num(y + h * 0.2), Num(x + w * 0.5), Num(y - h * 0.05),
                        Num(x + w * 0.8), Num(x + w), Num(y + h), Num(y + h * 1.06), Num(x))
                   .arg(soft, accent);
        out += Line(x + w * 0.3, y + h * 0.28, x + w * 0.7, y + h * 0.28, accent, 2);
        break;
    }
    case Thing::Melon:
        out += QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\" fill=\"#86efac\" "
                              "stroke=\"#166534\" stroke-width=\"2\"/>\n")
                   .arg(Num(x + w / 2), Num(y + h / 2), Num(w / 2), Num(h / 2));
        for (int i = 1; i <= 3; ++i) {
            const double sx = x + w * i / 4.0;
            out += QStringLiteral("<path d=\"M %1 %2 Q %3 %4 %1 %5\" fill=\"none\" "
                                  "stroke=\"#15803d\" stroke-width=\"2\"/>\n")
                       .arg(Num(sx), Num(y + h * 0.08), Num(sx + (i - 2) * w * 0.12),
                            Num(y + h / 2), Num(y + h * 0.92));
        }
        break;
    case Thing::Apples: {
        const double r = std::min(w / 6.0, h / 3.2);
        const double base = y + h - r;
        for (int i = 0; i < 3; ++i) {
            const double cx = x + w / 2 + (i - 1) * r * 2.05;
            out += Circle(cx, base, r, QStringLiteral("#f87171"), QStringLiteral("#991b1b"), 1.5);
            out += Line(cx, base - r, cx + 2, base - r - 6, QStringLiteral("#78350f"), 2);
        }
        out += Circle(x + w / 2, base - r * 1.7, r, QStringLiteral("#fb7185"),
                      QStringLiteral("#991b1b"), 1.5);
        break;
    }
    case Thing::Pencil: {
        // Eraser, body, sharpened wood, lead; the point ends exactly at x + w.
        const double tip = std::min(w * 0.18, h * 1.6);
        out += Rect(x, y, h * 0.9, h, QStringLiteral("#fda4af"), ink, 1.5, 2);
        out += Rect(x + h * 0.9, y, w - tip - h * 0.9, h, QStringLiteral("#fcd34d"), ink, 1.5);
        out += Line(x + h * 0.9, y + h / 2, x + w - tip, y + h / 2, QStringLiteral("#d97706"), 1);
        out += Polygon({{x + w - tip, y}, {x + w, y + h / 2}, {x + w - tip, y + h}},
                       QStringLiteral("#fde3b5"), ink, 1.5);
        out += Polygon({{x + w - tip * 0.35, y + h * 0.33},
                        {x + w, y + h / 2},
                        {x + w - tip * 0.35, y + h * 0.67}},
                       ink, ink, 1);
        break;
    }
    case Thing::Crayon: {
        const double tip = std::min(w * 0.2, h * 1.4);
        out += Rect(x, y, w - tip, h, accent, ink, 1.5, 3);
        out += Rect(x + (w - tip) * 0.2, y, (w - tip) * 0.55, h, soft, ink, 1);
        out += Polygon({{x + w - tip, y + h * 0.12},
                        {x + w, y + h * 0.4},
                        {x + w, y + h * 0.6},
                        {x + w - tip, y + h * 0.88}},
                       accent, ink, 1.5);
        break;
    }
    case Thing::Ribbon:
        out += Polygon({{x, y},
                        {x + w, y},
                        {x + w - h * 0.4, y + h / 2},
                        {x + w, y + h},
                        {x, y + h},
                        {x + h * 0.4, y + h / 2}},
                       accent, ink, 1.2);
        break;
    case Thing::Straw: {
        out += Rect(x, y, w, h, QStringLiteral("#ffffff"), ink, 1.5, 2);
        for (double sx = x + 8; sx < x + w - 4; sx += 16)
            out += Line(sx, y + 1, sx + 8, y + h - 1, accent, 4);
        break;
    }
    case Thing::Stick:
        out += Rect(x, y, w, h, QStringLiteral("#d6a56f"), QStringLiteral("#78350f"), 1.5, h / 2);
        break;
    }
    return out;
}

QString Balance(double x, double y, const QString& left, const QString& right, int tilt) {
    const QString ink = Ink();
    const double cx = x + 180, pivotY = y + 70;
    const double half = 130, drop = 22.0 * tilt; // right end moves down by drop
    QString out;
    out += Polygon({{cx, pivotY}, {cx - 40, y + 205}, {cx + 40, y + 205}},
                   QStringLiteral("#cbd5e1"), ink, 2);
    out += Rect(x + 80, y + 203, 200, 12, QStringLiteral("#94a3b8"), ink, 2, 4);
    const double lx = cx - half, ly = pivotY - drop, rx = cx + half, ry = pivotY + drop;
    out += Line(lx, ly, rx, ry, QStringLiteral("#78350f"), 7,
                QStringLiteral("stroke-linecap=\"round\""));
    out += Circle(cx, pivotY, 7, QStringLiteral("#f59e0b"), ink, 2);
    const auto pan = [&](double px, double py, const QString& label, int colour) {
        QString p;
        const double panY = py + 70;
        p += Line(px, py, px - 42, panY, ink, 1.5);
        p += Line(px, py, px + 42, panY, ink, 1.5);
        p += QStringLiteral("<path d=\"M %1 %2 Q %3 %4 %5 %2 Z\" fill=\"#e2e8f0\" "
                            "stroke=\"%6\" stroke-width=\"2\"/>\n")
                 .arg(Num(px - 52), Num(panY), Num(px), Num(panY + 26), Num(px + 52), ink);
        const double w = std::max(64.0, label.size() * 10.0 + 20);
        p += Rect(px - w / 2, panY - 44, w, 44, SoftColour(colour), AccentColour(colour), 2, 6);
        p += BoldText(px, panY - 16, label, 15);
        return p;
    };
    out += pan(lx, ly, left, 1);
    out += pan(rx, ry, right, 3);
    return out;
}

QPair<double, double> CubeBlockExtent(int rows, int columns, int maxHeight, double size) {
    const double dx = size * 0.45, dy = size * 0.35;
    return {columns * size + rows * dx, maxHeight * size + rows * dy};
}

QString CubeBlock(const QList<QList<int>>& heights, double x, double y, double size) {
    // Oblique view: depth runs up and to the right. Painted back row first, then
    // left to right, bottom to top, so nearer faces cover farther ones.
    const double dx = size * 0.45, dy = size * 0.35;
    const int rows = int(heights.size());
    const QString ink = QStringLiteral("#1e3a8a");
    QString out;
    for (int row = 0; row < rows; ++row) {
        const int depth = rows - 1 - row; // 0 for the front row
        const double ox = x + depth * dx, oy = y - depth * dy;
        for (int col = 0; col < heights.at(row).size(); ++col) {
            for (int level = 0; level < heights.at(row).at(col); ++level) {
                const double fx = ox + col * size, fy = oy - (level + 1) * size;
                out += Polygon(
                    {{fx, fy}, {fx + dx, fy - dy}, {fx + size + dx, fy - dy}, {fx + size, fy}},
                    QStringLiteral("#dbeafe"), ink, 1.5);
                out += Polygon({{fx + size, fy},
                                {fx + size + dx, fy - dy},
                                {fx + size + dx, fy + size - dy},
                                {fx + size, fy + size}},
                               QStringLiteral("#60a5fa"), ink, 1.5);
                out += Tagged(Rect(fx, fy, size, size, QStringLiteral("#93c5fd"), ink, 1.5),
                              QStringLiteral("cube"));
            }
        }
    }
    return out;
}

QString Calendar(const QString& title, int firstWeekday, int dayCount, double x, double y,
                 double cell) {
    static const char* const heads[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const double titleH = cell * 0.8, headH = cell * 0.55, rowH = cell * 0.7;
    const int weeks = (firstWeekday + dayCount + 6) / 7;
    const QString ink = Ink();
    QString out = Rect(x, y, cell * 7, CalendarHeight(firstWeekday, dayCount, cell),
                       QStringLiteral("#ffffff"), ink, 2, 6);
    out += Rect(x, y, cell * 7, titleH, QStringLiteral("#bfdbfe"), ink, 2, 6);
    out += BoldText(x + cell * 3.5, y + titleH * 0.68, title, int(cell * 0.32));
    for (int d = 0; d < 7; ++d) {
        out += BoldText(x + cell * (d + 0.5), y + titleH + headH * 0.7,
                        QString::fromLatin1(heads[d]), int(cell * 0.24), QStringLiteral("middle"),
                        d == 0 ? QStringLiteral("#dc2626") : QString::fromLatin1(kInk));
    }
    const double gridTop = y + titleH + headH;
    for (int w = 0; w <= weeks; ++w)
        out += Line(x, gridTop + w * rowH, x + cell * 7, gridTop + w * rowH, kFaint, 1);
    for (int d = 1; d < 7; ++d)
        out += Line(x + d * cell, gridTop, x + d * cell, gridTop + weeks * rowH, kFaint, 1);
    for (int day = 1; day <= dayCount; ++day) {
        const int slot = firstWeekday + day - 1;
        const double cx = x + cell * (slot % 7 + 0.5);
        const double cy = gridTop + rowH * (slot / 7) + rowH * 0.65;
        out += Text(cx, cy, QString::number(day), int(cell * 0.28));
    }
    return out;
}

double CalendarHeight(int firstWeekday, int dayCount, double cell) {
    const int weeks = (firstWeekday + dayCount + 6) / 7;
    return cell * 0.8 + cell * 0.55 + weeks * cell * 0.7;
}

QString LabelledRect(double x, double y, double w, double h, const QString& topLabel,
                     const QString& sideLabel, int colour) {
    QString out = Rect(x, y, w, h, SoftColour(colour), Ink(), 2.5);
    out += BoldText(x + w / 2, y - 10, topLabel, 19);
    out += BoldText(x + w + 10, y + h / 2 + 7, sideLabel, 19, QStringLiteral("start"));
    return out;
}

SideSpot SideLabelSpot(QPair<double, double> a, QPair<double, double> b, double offset) {
    const double dx = b.first - a.first, dy = b.second - a.second;
    const double len = std::sqrt(dx * dx + dy * dy);
    // Clockwise on screen (y down): the outside lies to the left of travel.
    const double nx = dy / len, ny = -dx / len;
    return {(a.first + b.first) / 2 + nx * offset, (a.second + b.second) / 2 + ny * offset, ny,
            nx > 0.5    ? QStringLiteral("start")
            : nx < -0.5 ? QStringLiteral("end")
                        : QStringLiteral("middle")};
}

QString LabelledPolygon(const QList<QPair<double, double>>& points, const QStringList& labels,
                        int colour) {
    QString out = Polygon(points, SoftColour(colour), Ink(), 2.5);
    const int n = int(points.size());
    for (int i = 0; i < n && i < labels.size(); ++i) {
        if (labels.at(i).isEmpty())
            continue;
        const auto [mx, my, ny, anchor] = SideLabelSpot(points.at(i), points.at((i + 1) % n), 16);
        out += BoldText(mx, my + 7 + ny * 4, labels.at(i), 19, anchor);
    }
    return out;
}

QString PriceTag(double x, double y, double w, const QString& item, const QString& price,
                 int colour) {
    QString out = Rect(x, y, w, 92, SoftColour(colour), AccentColour(colour), 2, 10);
    out += BoldText(x + w / 2, y + 30, item, 16);
    out += Rect(x + w * 0.18, y + 46, w * 0.64, 34, QStringLiteral("#ffffff"), Ink(), 1.5, 6);
    out +=
        BoldText(x + w / 2, y + 70, price, 18, QStringLiteral("middle"), QStringLiteral("#b91c1c"));
    return out;
}

QString SymbolPicture(Symbol symbol, double cx, double cy, double size, bool half,
                      const QString& clipId) {
    const double r = size / 2;
    const QString ink = Ink();
    QString shape;
    switch (symbol) {
    case Symbol::Star: {
        QList<QPair<double, double>> pts;
        for (int i = 0; i < 10; ++i) {
            const double a = (i * 36.0) * 3.14159265358979323846 / 180.0;
            const double len = i % 2 == 0 ? r : r * 0.45;
            pts << qMakePair(cx + len * std::sin(a), cy + r * 0.08 - len * std::cos(a));
        }
        shape = Polygon(pts, QStringLiteral("#fbbf24"), QStringLiteral("#b45309"), 1.5);
        break;
    }
    case Symbol::Smiley:
        shape = Circle(cx, cy, r * 0.92, QStringLiteral("#fde047"), QStringLiteral("#a16207"), 1.5);
        shape += Circle(cx - r * 0.32, cy - r * 0.2, r * 0.1, ink, ink, 0);
        shape += Circle(cx + r * 0.32, cy - r * 0.2, r * 0.1, ink, ink, 0);
        shape += QStringLiteral("<path d=\"M %1 %2 Q %3 %4 %5 %2\" fill=\"none\" stroke=\"%6\" "
                                "stroke-width=\"1.5\" stroke-linecap=\"round\"/>\n")
                     .arg(Num(cx - r * 0.45), Num(cy + r * 0.2), Num(cx), Num(cy + r * 0.65),
                          Num(cx + r * 0.45), ink);
        break;
    case Symbol::Heart:
        shape = QStringLiteral("<path d=\"M %1 %2 C %3 %4 %5 %6 %1 %7 C %8 %6 %9 %4 %1 %2 Z\" "
                               "fill=\"#f87171\" stroke=\"#b91c1c\" stroke-width=\"1.5\"/>\n")
                    .arg(Num(cx), Num(cy - r * 0.45), Num(cx - r * 0.2), Num(cy - r * 1.1),
                         Num(cx - r * 1.3), Num(cy - r * 0.1), Num(cy + r * 0.9), Num(cx + r * 1.3),
                         Num(cx + r * 0.2));
        break;
    case Symbol::Apple:
        shape = Circle(cx, cy + r * 0.1, r * 0.8, QStringLiteral("#ef4444"),
                       QStringLiteral("#991b1b"), 1.5);
        shape += Line(cx, cy - r * 0.6, cx + r * 0.1, cy - r * 0.95, QStringLiteral("#78350f"), 2);
        shape += QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\" fill=\"#22c55e\" "
                                "stroke=\"#166534\" stroke-width=\"1\"/>\n")
                     .arg(Num(cx + r * 0.35), Num(cy - r * 0.8), Num(r * 0.28), Num(r * 0.14));
        break;
    case Symbol::Book:
        shape = Rect(cx - r * 0.7, cy - r * 0.9, r * 1.4, r * 1.8, QStringLiteral("#60a5fa"),
                     QStringLiteral("#1e3a8a"), 1.5, 2);
        shape += Rect(cx - r * 0.7, cy - r * 0.9, r * 0.3, r * 1.8, QStringLiteral("#1d4ed8"),
                      QStringLiteral("#1e3a8a"), 1);
        shape += Rect(cx - r * 0.2, cy - r * 0.45, r * 0.7, r * 0.4, QStringLiteral("#ffffff"),
                      QStringLiteral("none"), 0);
        break;
    case Symbol::Flower:
        for (int i = 0; i < 5; ++i) {
            const double a = i * 72.0 * 3.14159265358979323846 / 180.0;
            shape += Circle(cx + r * 0.5 * std::sin(a), cy - r * 0.5 * std::cos(a), r * 0.42,
                            QStringLiteral("#f9a8d4"), QStringLiteral("#be185d"), 1);
        }
        shape += Circle(cx, cy, r * 0.3, QStringLiteral("#fde047"), QStringLiteral("#a16207"), 1);
        break;
    case Symbol::Fish:
        shape = Polygon({{cx + r * 0.3, cy}, {cx + r, cy - r * 0.5}, {cx + r, cy + r * 0.5}},
                        QStringLiteral("#0ea5e9"), QStringLiteral("#075985"), 1.5);
        shape += QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\" fill=\"#38bdf8\" "
                                "stroke=\"#075985\" stroke-width=\"1.5\"/>\n")
                     .arg(Num(cx - r * 0.15), Num(cy), Num(r * 0.7), Num(r * 0.5));
        shape += Circle(cx - r * 0.5, cy - r * 0.1, r * 0.08, ink, ink, 0);
        break;
    case Symbol::Ball:
        shape = Circle(cx, cy, r * 0.85, QStringLiteral("#fb923c"), QStringLiteral("#9a3412"), 1.5);
        shape += Line(cx - r * 0.85, cy, cx + r * 0.85, cy, QStringLiteral("#9a3412"), 1.2);
        shape +=
            QStringLiteral("<path d=\"M %1 %2 Q %3 %4 %1 %5\" fill=\"none\" stroke=\"#9a3412\" "
                           "stroke-width=\"1.2\"/>\n")
                .arg(Num(cx), Num(cy - r * 0.85), Num(cx + r * 0.6), Num(cy), Num(cy + r * 0.85));
        break;
    }
    if (!half)
        return shape;
    return QStringLiteral("<clipPath id=\"%1\"><rect x=\"%2\" y=\"%3\" width=\"%4\" "
                          "height=\"%5\"/></clipPath>\n<g clip-path=\"url(#%1)\">\n%6</g>\n")
        .arg(clipId, Num(cx - size), Num(cy - size), Num(size), Num(size * 2), shape);
}

namespace {

// One symbol of row (or column) `row`: whole, or half.
QString SymbolGroup(const QString& symbol, int row, bool half) {
    return QStringLiteral("<g class=\"%1\" data-row=\"%2\">\n%3</g>\n")
        .arg(half ? QStringLiteral("half-symbol") : QStringLiteral("symbol"))
        .arg(row)
        .arg(symbol);
}

} // namespace

QString KeyCaption(const PictureGraphData& data) {
    return QStringLiteral("stands for %1 %2").arg(data.perSymbol).arg(data.unitWord);
}

QByteArray PictureGraph(const PictureGraphData& data) {
    const int n = int(data.labels.size());
    int maxSymbols = 1;
    for (int v : data.values)
        maxSymbols = std::max(maxSymbols, (2 * v + data.perSymbol - 1) / data.perSymbol);
    maxSymbols = (maxSymbols + 1) / 2; // in whole symbols, a half counting as one
    const QString ink = Ink();
    QString body;
    int clip = 0;
    const auto symbolsOf = [&](int value) {
        const int halves = 2 * value / data.perSymbol;
        return qMakePair(halves / 2, halves % 2 == 1);
    };
    const double width = 600;
    double height = 0;
    const double titleH = data.title.isEmpty() ? 10 : 44;
    if (!data.title.isEmpty())
        body += BoldText(width / 2, 28, data.title, 19);
    double keyTop = 0;
    if (!data.vertical) {
        const double labelW = 130;
        const double spacing = std::min(46.0, (width - labelW - 24) / maxSymbols);
        const double size = spacing * 0.86;
        const double rowH = std::max(48.0, size + 14);
        for (int i = 0; i < n; ++i) {
            const double top = titleH + i * rowH;
            body += Rect(10, top, width - 20, rowH, SoftColour(i % 2 == 0 ? 0 : 1 + 5),
                         QStringLiteral("none"), 0);
            body += Tagged(
                BoldText(22, top + rowH / 2 + 6, data.labels.at(i), 17, QStringLiteral("start")),
                QStringLiteral("row-label"));
            const auto [whole, half] = symbolsOf(data.values.at(i));
            for (int s = 0; s < whole + (half ? 1 : 0); ++s) {
                const double cx = labelW + spacing * (s + 0.5);
                body += SymbolGroup(SymbolPicture(data.symbol, cx, top + rowH / 2, size, s == whole,
                                                  QStringLiteral("half%1").arg(++clip)),
                                    i, s == whole);
            }
        }
        body += Line(labelW - 6, titleH, labelW - 6, titleH + n * rowH, ink, 2);
        body += Rect(10, titleH, width - 20, n * rowH, QStringLiteral("none"), ink, 2);
        keyTop = titleH + n * rowH + 16;
    } else {
        const double colW = (width - 40) / n;
        const double spacing = std::min({40.0, colW * 0.8, 330.0 / maxSymbols});
        const double size = spacing * 0.86;
        const double plotTop = titleH;
        const double plotH = maxSymbols * spacing + 14;
        const double baseY = plotTop + plotH;
        for (int i = 0; i < n; ++i) {
            const double left = 20 + i * colW;
            body += Rect(left, plotTop, colW, plotH + 34, SoftColour(i % 2 == 0 ? 0 : 6),
                         QStringLiteral("none"), 0);
            const auto [whole, half] = symbolsOf(data.values.at(i));
            for (int s = 0; s < whole + (half ? 1 : 0); ++s) {
                const double cy = baseY - 7 - spacing * (s + 0.5);
                body += SymbolGroup(SymbolPicture(data.symbol, left + colW / 2, cy, size,
                                                  s == whole, QStringLiteral("half%1").arg(++clip)),
                                    i, s == whole);
            }
            body += Tagged(BoldText(left + colW / 2, baseY + 23, data.labels.at(i), 15),
                           QStringLiteral("row-label"));
        }
        body += Line(20, baseY, width - 20, baseY, ink, 2);
        body += Rect(20, plotTop, width - 40, plotH + 34, QStringLiteral("none"), ink, 2);
        keyTop = baseY + 34 + 16;
    }
    // The key: "Each <symbol> stands for N things".
    // Picture graphs: the box grows with its caption ("stands for 20 children").
    const double keyW = std::max(300.0, 118 + 10.5 * KeyCaption(data).size());
    const double keyX = (width - keyW) / 2;
    body +=
        Rect(keyX, keyTop, keyW, 44, QStringLiteral("#fff7ed"), QStringLiteral("#f59e0b"), 2, 8);
    body += BoldText(keyX + 56, keyTop + 28, QStringLiteral("Each"), 16, QStringLiteral("end"));
    body += SymbolPicture(data.symbol, keyX + 76, keyTop + 22, 30, false, QString());
    body += Tagged(BoldText(keyX + 98, keyTop + 28, KeyCaption(data), 16, QStringLiteral("start")),
                   QStringLiteral("key"));
    height = keyTop + 44 + 10;
    return Document(int(width), int(std::ceil(height)), body);
}

} // namespace bank::svg
