// Pictograms, tally charts, bar charts, tables and timetables.

#include "Kinds.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace bank::pictures {

namespace {

constexpr double LabelSize = 18;

struct Row {
    QString label;
    double value = 0;
};

// {label, value} rows, each value a number from 0 that is a multiple of grain.
QList<Row> readRows(Fields& f, const QString& key, double grain, const QString& grainWhy) {
    QList<Row> rows;
    const QList<Fields*> items = f.maps(key);
    if (f.ok() && (items.isEmpty() || items.size() > 12))
        f.fail(key, QStringLiteral("should hold 1 to 12 rows"));
    for (Fields* r : items) {
        Row row{r->textOf(QStringLiteral("label")), r->numberOf(QStringLiteral("value"))};
        if (!f.ok())
            return {};
        if (row.value < 0 || !isMultiple(row.value, grain)) {
            r->fail(QStringLiteral("value"),
                    QStringLiteral("%1 is not %2").arg(num(row.value), grainWhy));
            return {};
        }
        for (const Row& other : rows) {
            if (other.label == row.label) {
                r->fail(QStringLiteral("label"),
                        QStringLiteral("\"%1\" labels two rows").arg(row.label));
                return {};
            }
        }
        rows << row;
    }
    return rows;
}

// The finished chart: its body and size, and its rows' readings.
void setChart(Picture& p, const QString& body, double width, double height,
              const QList<Row>& rows) {
    p.body = body;
    p.width = width;
    p.height = height;
    QStringList labels;
    QList<double> values;
    for (const Row& r : rows) {
        labels << r.label;
        values << r.value;
    }
    setRows(p, labels, values, QStringLiteral("rows"));
}

double labelColumn(const QList<Row>& rows) {
    double w = 90;
    for (const Row& r : rows)
        w = std::max(w, textWidth(r.label, LabelSize) + 44);
    return w;
}

QString Title(const QString& title, double width) {
    return title.isEmpty() ? QString() : textAt(width / 2, 30, title, 20);
}

// One symbol of a pictogram in a box of `size` around c.
QString pictogramSymbol(const QString& kind, QPointF c, double size) {
    const double r = size / 2;
    const QString ink = navy();
    if (kind == QLatin1String("circle"))
        return circle(c, r * 0.92, {QString::fromLatin1(MidBlue), blue(), 2});
    if (kind == QLatin1String("square"))
        return rect(c.x() - r * 0.85, c.y() - r * 0.85, r * 1.7, r * 1.7,
                    {QStringLiteral("#a8dcb8"), QStringLiteral("#2f9a5c"), 2}, 3);
    if (kind == QLatin1String("triangle"))
        return polygon({{c.x(), c.y() - r * 0.9},
                        {c.x() + r * 0.95, c.y() + r * 0.8},
                        {c.x() - r * 0.95, c.y() + r * 0.8}},
                       {QStringLiteral("#f7c6a3"), QStringLiteral("#d4702a"), 2});
    if (kind == QLatin1String("heart")) {
        // Two lobes meeting in a dip at the top, and a point at the bottom.
        const auto at = [&](double dx, double dy) -> QString {
            return num(c.x() + dx * r) + QLatin1Char(' ') + num(c.y() + dy * r);
        };
        return path(QStringLiteral("M %1 C %2 %3 %4 C %5 %6 %1 Z")
                        .arg(at(0, 0.85), at(-1.25, -0.05), at(-0.7, -1.15), at(0, -0.45),
                             at(0.7, -1.15), at(1.25, -0.05)),
                    {QStringLiteral("#f59a9a"), QStringLiteral("#c23434"), 2});
    }
    if (kind == QLatin1String("smiley")) {
        QString s = circle(c, r * 0.92, {QStringLiteral("#fde37a"), QStringLiteral("#b38710"), 2});
        s += circle({c.x() - r * 0.32, c.y() - r * 0.22}, r * 0.11,
                    {ink, QStringLiteral("none"), 0});
        s += circle({c.x() + r * 0.32, c.y() - r * 0.22}, r * 0.11,
                    {ink, QStringLiteral("none"), 0});
        s += path(QStringLiteral("M %1 %2 Q %3 %4 %5 %2")
                      .arg(num(c.x() - r * 0.45), num(c.y() + r * 0.2), num(c.x()),
                           num(c.y() + r * 0.7), num(c.x() + r * 0.45)),
                  {QStringLiteral("none"), ink, 2, QStringLiteral("stroke-linecap=\"round\"")});
        return s;
    }
    // star
    QList<QPointF> points;
    for (int i = 0; i < 10; ++i)
        points << polar({c.x(), c.y() + r * 0.08}, i % 2 == 0 ? r : r * 0.45, i * 36.0);
    return polygon(points, {QStringLiteral("#fcd04b"), QStringLiteral("#b38710"), 2});
}

// A symbol cut to `quarters` of four: the left half for two, one quarter
// square for one, all but the lower right quarter for three.
QString cutSymbol(const QString& kind, QPointF c, double size, int quarters, const QString& cut) {
    const QString body = pictogramSymbol(kind, c, size);
    if (quarters >= 4)
        return grouped(body, QStringLiteral("class=\"symbol\""));
    const double h = size / 2 + 3;
    QString clip;
    const auto quarter = [&](double dx, double dy) {
        clip += rect(c.x() + dx * h, c.y() + dy * h, h, h,
                     {QStringLiteral("#000"), QStringLiteral("none"), 0});
    };
    quarter(-1, -1);
    if (quarters >= 2)
        quarter(-1, 0);
    if (quarters >= 3)
        quarter(0, -1);
    return QStringLiteral("<clipPath id=\"%1\">\n%2</clipPath>\n").arg(cut, clip) +
           grouped(body, QStringLiteral("class=\"part-symbol\" data-quarters=\"%1\" "
                                        "clip-path=\"url(#%2)\"")
                             .arg(quarters)
                             .arg(cut));
}

} // namespace

void makePictogram(Fields& f, Picture& p) {
    const QString title = f.textOf(QStringLiteral("title"), QString());
    const QString symbol =
        f.choice(QStringLiteral("symbol"),
                 {QStringLiteral("circle"), QStringLiteral("star"), QStringLiteral("square"),
                  QStringLiteral("smiley"), QStringLiteral("heart"), QStringLiteral("triangle")});
    const int key = f.integer(QStringLiteral("key"), 1, 1000);
    if (!f.ok())
        return;
    const QList<Row> rows = readRows(
        f, QStringLiteral("rows"), key / 4.0,
        QStringLiteral("a multiple of %1, a quarter of the key %2").arg(num(key / 4.0)).arg(key));
    if (!f.ok())
        return;
    int most = 1;
    for (const Row& r : rows)
        most = std::max(most, int(std::ceil(r.value / key - 1e-9)));
    if (most > 12) {
        f.fail(QStringLiteral("key"), QStringLiteral("a row would need %1 symbols; take a larger "
                                                     "key")
                                          .arg(most));
        return;
    }
    // Symbols close up a little on a long row, so that the chart fits a page.
    const double labelW = labelColumn(rows), rowH = 56;
    const double pitch = std::clamp((740 - labelW) / most, 36.0, 46.0), size = pitch * 0.87;
    const double width = std::max(labelW + most * pitch + 30, 360.0);
    const double top = title.isEmpty() ? 10 : 48;
    QString out = Title(title, width);
    int clip = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const double y = top + i * rowH;
        out += rect(10, y, width - 20, rowH,
                    {i % 2 ? QString::fromLatin1(White) : soft(0), QStringLiteral("none"), 0});
        out += textAt(22, y + rowH / 2 + 6.5, rows.at(i).label, LabelSize, Anchor::Start);
        const int quarters = int(std::lround(rows.at(i).value * 4 / key));
        for (int s = 0; s * 4 < quarters; ++s) {
            out += cutSymbol(symbol, {labelW + pitch * (s + 0.5), y + rowH / 2}, size,
                             std::min(4, quarters - s * 4), p.idPrefix + QString::number(++clip));
        }
    }
    const double bottom = top + rows.size() * rowH;
    out += line({labelW - 6, top}, {labelW - 6, bottom}, navy(), 2);
    out += rect(10, top, width - 20, bottom - top, {QStringLiteral("none"), navy(), 2});
    // The key: one whole symbol "= N".
    const QString equals = QStringLiteral("= %1").arg(key);
    const double keyW = 100 + size + textWidth(equals, 20);
    const double kx = (width - keyW) / 2, ky = bottom + 16;
    out += rect(kx, ky, keyW, 54, {QString::fromLatin1(Cream), QStringLiteral("#c98a12"), 2}, 10);
    out += textAt(kx + 14, ky + 34, QStringLiteral("Key:"), 18, Anchor::Start);
    out += grouped(pictogramSymbol(symbol, {kx + 92, ky + 27}, size),
                   QStringLiteral("class=\"key-symbol\""));
    out += textAt(kx + 92 + size / 2 + 10, ky + 34, equals, 20, Anchor::Start);
    setChart(p, out, width, ky + 64, rows);
}

void makeTally(Fields& f, Picture& p) {
    const QString title = f.textOf(QStringLiteral("title"), QString());
    const QList<Row> rows =
        readRows(f, QStringLiteral("rows"), 1, QStringLiteral("a whole number"));
    if (!f.ok())
        return;
    int most = 0;
    for (const Row& r : rows)
        most = std::max(most, int(r.value));
    if (most > 40) {
        f.fail(QStringLiteral("rows"),
               QStringLiteral("%1 tally marks are too many to count").arg(most));
        return;
    }
    const double labelW = labelColumn(rows), rowH = 50, group = 64;
    const double width = std::max(labelW + std::ceil(most / 5.0) * group + 30, 320.0);
    const double top = (title.isEmpty() ? 10 : 48) + 36;
    QString out = Title(title, width);
    out += rect(10, top - 36, width - 20, 36,
                {QString::fromLatin1(PaleBlue), QStringLiteral("none"), 0});
    out += textAt(labelW + 8, top - 11, QStringLiteral("Tally"), 18, Anchor::Start);
    for (int i = 0; i < rows.size(); ++i) {
        const double y = top + i * rowH;
        if (i > 0)
            out += line({10, y}, {width - 10, y}, QString::fromLatin1(Line), 1.5);
        out += textAt(22, y + rowH / 2 + 6.5, rows.at(i).label, LabelSize, Anchor::Start);
        const int n = int(rows.at(i).value);
        QString marks;
        for (int k = 0; k < n; ++k) {
            const int g = k / 5, inGroup = k % 5;
            const double gx = labelW + 10 + g * group;
            if (inGroup < 4) {
                const double x = gx + inGroup * 11;
                marks += line({x, y + 11}, {x, y + rowH - 11}, navy(), 3,
                              QStringLiteral("stroke-linecap=\"round\""));
            } else {
                marks += line({gx - 6, y + rowH - 14}, {gx + 39, y + 14}, navy(), 3,
                              QStringLiteral("stroke-linecap=\"round\""));
            }
        }
        out += grouped(marks, QStringLiteral("class=\"tally\""));
    }
    const double bottom = top + rows.size() * rowH;
    out += line({labelW, top - 36}, {labelW, bottom}, navy(), 2);
    out += line({10, top}, {width - 10, top}, navy(), 2);
    out += rect(10, top - 36, width - 20, bottom - top + 36, {QStringLiteral("none"), navy(), 2});
    setChart(p, out, width, bottom + 10, rows);
}

void makeBarChart(Fields& f, Picture& p) {
    const QString title = f.textOf(QStringLiteral("title"), QString());
    const QString axis = f.textOf(QStringLiteral("axis"), QString());
    const double step = f.numberOf(QStringLiteral("step"));
    const double max = f.numberOf(QStringLiteral("max"));
    if (f.ok() && step <= 0)
        f.fail(QStringLiteral("step"), QStringLiteral("should be above 0"));
    else if (f.ok() && (max <= 0 || !isMultiple(max, step)))
        f.fail(QStringLiteral("max"),
               QStringLiteral("%1 is not a multiple of the step %2").arg(num(max), num(step)));
    else if (f.ok() && max / step > 20)
        f.fail(QStringLiteral("step"),
               QStringLiteral("%1 gridlines are too many; take a larger step")
                   .arg(std::lround(max / step)));
    if (!f.ok())
        return;
    const QList<Row> bars =
        readRows(f, QStringLiteral("bars"), step / 2,
                 QStringLiteral("on a gridline or halfway between two (step %1)").arg(num(step)));
    if (!f.ok())
        return;
    for (int i = 0; i < bars.size(); ++i) {
        if (bars.at(i).value > max + 1e-9) {
            f.failAt(QStringLiteral("bars[%1].value").arg(i + 1),
                     QStringLiteral("%1 is above the axis's max %2")
                         .arg(num(bars.at(i).value), num(max)));
            return;
        }
    }
    double slot = std::clamp(640.0 / bars.size(), 60.0, 90.0);
    for (const Row& b : bars)
        slot = std::max(slot, textWidth(b.label, 16) + 8);
    const int lines = int(std::lround(max / step));
    double numberW = 0;
    for (int i = 0; i <= lines; ++i)
        numberW = std::max(numberW, textWidth(num(i * step), 17));
    const double left = 10 + (axis.isEmpty() ? 0 : 34) + numberW + 14;
    const double top = title.isEmpty() ? 24 : 60, plotH = std::clamp(lines * 34.0, 200.0, 340.0);
    const double bottom = top + plotH, right = left + bars.size() * slot + 10;
    const auto y = [&](double v) { return bottom - v / max * plotH; };
    QString out = Title(title, right + 10);
    for (int i = 0; i <= lines; ++i) {
        const double gy = y(i * step);
        out += line({left, gy}, {right, gy}, i == 0 ? navy() : QString::fromLatin1(Line),
                    i == 0 ? 2.5 : 1.5);
        out += line({left - 6, gy}, {left, gy}, navy(), 2);
        out += textAt(left - 10, gy + 6, num(i * step), 17, Anchor::End, false);
    }
    for (int i = 0; i < bars.size(); ++i) {
        const double x = left + 10 + i * slot;
        const double h = bottom - y(bars.at(i).value);
        out += rect(x + slot * 0.15, bottom - h, slot * 0.7, h,
                    {soft(i), Edge(i), 2, QStringLiteral("class=\"bar\"")});
        out += textAt(x + slot / 2, bottom + 26, bars.at(i).label, 16);
    }
    out += line({left, top - 8}, {left, bottom}, navy(), 2.5);
    if (!axis.isEmpty()) {
        out += QStringLiteral("<text x=\"0\" y=\"0\" font-size=\"17\" font-weight=\"bold\" "
                              "text-anchor=\"middle\" fill=\"%1\" transform=\"translate(%2 %3) "
                              "rotate(-90)\">%4</text>\n")
                   .arg(navy(), num(26), num(top + plotH / 2), axis.toHtmlEscaped());
    }
    setChart(p, out, right + 10, bottom + 40, bars);
}

namespace {

enum class CellKind { Text, Box, Question };

struct Cell {
    QString text;
    CellKind kind = CellKind::Text;
};

QList<QList<Cell>> readCells(Fields& f, bool withHeader, int* columns) {
    QList<QList<Cell>> grid;
    const auto readRow = [&](const QVariant& row, const QString& name) {
        QList<Cell> cells;
        if (!isList(row)) {
            f.failAt(name, QStringLiteral("should be a list of cells"));
            return cells;
        }
        for (const QVariant& c : toList(row)) {
            // An answer box: "[ ]" written as a list that YAML reads as empty, or quoted.
            if (isList(c) && toList(c).isEmpty()) {
                cells << Cell{QString(), CellKind::Box};
                continue;
            }
            // A bare ? in a flow list is YAML's mark of a key with nothing in it.
            const QVariantMap asMap = c.toMap();
            if (c.typeId() == QMetaType::QVariantMap && asMap.size() == 1 &&
                asMap.firstKey().isEmpty() && scalar(asMap.first()).isEmpty() &&
                !isList(asMap.first())) {
                cells << Cell{QStringLiteral("?"), CellKind::Question};
                continue;
            }
            if (isList(c) || c.typeId() == QMetaType::QVariantMap) {
                f.failAt(name,
                         QStringLiteral(
                             "a cell should be a single value (a question mark written \"?\")"));
                return cells;
            }
            const QString text = scalar(c).trimmed();
            if (text == QLatin1String("[ ]") || text == QLatin1String("[]"))
                cells << Cell{QString(), CellKind::Box};
            else if (text == QLatin1String("?"))
                cells << Cell{text, CellKind::Question};
            else
                cells << Cell{text, CellKind::Text};
        }
        return cells;
    };
    if (withHeader)
        grid << readRow(QVariant(f.listOf(QStringLiteral("header"))),
                        f.pathOf(QStringLiteral("header")));
    const QVariantList rows = f.listOf(QStringLiteral("rows"));
    if (f.ok() && (rows.isEmpty() || rows.size() > 14))
        f.fail(QStringLiteral("rows"), QStringLiteral("should hold 1 to 14 rows"));
    for (int i = 0; i < rows.size() && f.ok(); ++i)
        grid << readRow(rows.at(i), QStringLiteral("rows[%1]").arg(i + 1));
    *columns = grid.isEmpty() ? 0 : int(grid.first().size());
    for (int i = 0; i < grid.size() && f.ok(); ++i) {
        if (grid.at(i).size() != *columns || *columns == 0 || *columns > 8) {
            const QString name = withHeader && i == 0
                                     ? QStringLiteral("header")
                                     : QStringLiteral("rows[%1]").arg(withHeader ? i : i + 1);
            f.failAt(name, QStringLiteral("has %1 where the table has %2 columns (1 to 8)")
                               .arg(count(int(grid.at(i).size()), QStringLiteral("cell")))
                               .arg(*columns));
        }
    }
    return grid;
}

QString drawCells(const QList<QList<Cell>>& grid, int columns, bool header, double* width,
                  double* height) {
    QList<double> widths(columns, 70);
    for (const auto& row : grid) {
        for (int c = 0; c < columns; ++c)
            widths[c] = std::max(widths[c], textWidth(shown(row.at(c).text), LabelSize) + 30);
    }
    const double rowH = 46, x0 = 10, y0 = 10;
    QString out;
    double y = y0;
    for (int r = 0; r < grid.size(); ++r) {
        double x = x0;
        const bool head = header && r == 0;
        for (int c = 0; c < columns; ++c) {
            const Cell& cell = grid.at(r).at(c);
            const bool first = c == 0 && !head;
            out += rect(x, y, widths[c], rowH,
                        {head    ? QString::fromLatin1(PaleBlue)
                         : first ? QStringLiteral("#f3f6fb")
                                 : QString::fromLatin1(White),
                         navy(), 1.5});
            const QPointF mid(x + widths[c] / 2, y + rowH / 2);
            if (cell.kind == CellKind::Box)
                out += rect(mid.x() - 24, mid.y() - 15, 48, 30,
                            {QString::fromLatin1(White), blue(), 2.5,
                             QStringLiteral("class=\"answer-box\"")},
                            4);
            else if (cell.kind == CellKind::Question)
                out += centredText(mid, cell.text, 24, true, blue());
            else
                // A sign or a temperature below zero with its minus sign.
                out += centredText(mid, shown(cell.text), LabelSize, head || first);
            x += widths[c];
        }
        y += rowH;
    }
    double total = 0;
    for (double w : widths)
        total += w;
    out += rect(x0, y0, total, y - y0, {QStringLiteral("none"), navy(), 2.5});
    *width = total + 2 * x0;
    *height = y + y0;
    return out;
}

} // namespace

void makeTable(Fields& f, Picture& p) {
    const bool header = f.has(QStringLiteral("header"));
    int columns = 0;
    const QList<QList<Cell>> grid = readCells(f, header, &columns);
    if (!f.ok())
        return;
    p.body = drawCells(grid, columns, header, &p.width, &p.height);
    // A row's reading is its last cell, when that is a number.
    QStringList labels;
    QList<double> values;
    QString notNumber;
    for (int r = header ? 1 : 0; r < grid.size(); ++r) {
        double v = 0;
        if (columns >= 2 && parseNumber(grid.at(r).last().text, &v)) {
            labels << grid.at(r).first().text;
            values << v;
        } else {
            const QString why = QStringLiteral("the last cell of the row \"%1\" is not a number")
                                    .arg(grid.at(r).first().text);
            p.refusals.insert(QStringLiteral("count:") + grid.at(r).first().text, why);
            if (notNumber.isEmpty())
                notNumber = why;
        }
    }
    setRows(p, labels, values, QStringLiteral("rows with a number"));
    if (!notNumber.isEmpty()) {
        for (const char* key : {"total", "most", "fewest"}) {
            p.readings.remove(QString::fromLatin1(key));
            p.refusals.insert(QString::fromLatin1(key), notNumber);
        }
    }
}

void makeTimetable(Fields& f, Picture& p) {
    int columns = 0;
    const QList<QList<Cell>> grid = readCells(f, true, &columns);
    if (!f.ok())
        return;
    static const QRegularExpression time(QStringLiteral("^([01]\\d|2[0-3]):[0-5]\\d$"));
    for (int r = 1; r < grid.size(); ++r) {
        for (int c = 1; c < columns; ++c) {
            const Cell& cell = grid.at(r).at(c);
            if (cell.kind == CellKind::Text && cell.text != QLatin1String("-") &&
                !time.match(cell.text).hasMatch()) {
                f.failAt(QStringLiteral("rows[%1]").arg(r),
                         QStringLiteral("\"%1\" is not a time like \"09:15\"").arg(cell.text));
                return;
            }
        }
    }
    p.body = drawCells(grid, columns, true, &p.width, &p.height);
}

} // namespace bank::pictures
