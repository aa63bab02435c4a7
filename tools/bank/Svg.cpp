#include "Bank.h"
#include "SvgExtra.h"

#include <QSet>
#include <cmath>

namespace bank::svg {

QPair<double, double> Polar(double cx, double cy, double length, double degrees) {
    constexpr double kPi = 3.14159265358979323846;
    const double a = degrees * kPi / 180.0;
    return {cx + length * std::sin(a), cy - length * std::cos(a)};
}

QByteArray Document(int width, int height, const QString& body) {
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                          "viewBox=\"0 0 %1 %2\" font-family=\"%3\">\n%4</svg>\n")
        .arg(QString::number(width), QString::number(height), QString::fromLatin1(kFont), body)
        .toUtf8();
}

QString Text(double x, double y, const QString& text, int size, const QString& anchor) {
    return QStringLiteral("<text x=\"%1\" y=\"%2\" font-size=\"%3\" text-anchor=\"%4\" "
                          "fill=\"%5\">%6</text>\n")
        .arg(Num(x), Num(y), QString::number(size), anchor, QString::fromLatin1(kInk),
             text.toHtmlEscaped());
}

QString Ruler(double x, double y, double lengthCm, double pxPerCm) {
    // The 0 mark lies at x; the ruler's top edge at y, ticks hang down from it.
    const int cm = int(std::lround(lengthCm));
    const double height = 50;
    QString out = Rect(x - 16, y, cm * pxPerCm + 48, height, QStringLiteral("#fef3c7"),
                       QStringLiteral("#b45309"), 1.5, 4);
    for (int half = 0; half <= cm * 2; ++half) {
        const double tx = x + half * pxPerCm / 2.0;
        const bool whole = half % 2 == 0;
        out += Line(tx, y, tx, y + (whole ? 16 : 9), QString::fromLatin1(kInk), whole ? 1.6 : 1);
        if (whole)
            out += Tagged(Text(tx, y + 35, QString::number(half / 2), 15),
                          QStringLiteral("ruler-number"));
    }
    out += Text(x + cm * pxPerCm + 18, y + 35, QStringLiteral("cm"), 13);
    return out;
}

QString GridLines(int cols, int rows, double cell) {
    QString out;
    for (int i = 0; i <= cols; ++i)
        out += Line(i * cell, 0, i * cell, rows * cell, QStringLiteral("#cbd5e1"), 1);
    for (int j = 0; j <= rows; ++j)
        out += Line(0, j * cell, cols * cell, j * cell, QStringLiteral("#cbd5e1"), 1);
    return out;
}

QString CellOutline(const QList<QPair<int, int>>& cells, double cell) {
    const QSet<QPair<int, int>> filled(cells.begin(), cells.end());
    const auto side = [&](double x1, double y1, double x2, double y2) {
        return Line(x1, y1, x2, y2, QStringLiteral("#1d4ed8"), 3,
                    QStringLiteral("class=\"outline\" stroke-linecap=\"square\""));
    };
    QString out;
    for (const auto& c : cells) {
        const double x0 = c.first * cell, y0 = c.second * cell;
        if (!filled.contains({c.first, c.second - 1}))
            out += side(x0, y0, x0 + cell, y0);
        if (!filled.contains({c.first, c.second + 1}))
            out += side(x0, y0 + cell, x0 + cell, y0 + cell);
        if (!filled.contains({c.first - 1, c.second}))
            out += side(x0, y0, x0, y0 + cell);
        if (!filled.contains({c.first + 1, c.second}))
            out += side(x0 + cell, y0, x0 + cell, y0 + cell);
    }
    return out;
}

QString GridShape(const QList<QPair<int, int>>& cells, int cols, int rows, double cell) {
    // Cells are (column, row) from the top left; the grid starts at (0, 0).
    QString out;
    for (const auto& c : cells) {
        out += Tagged(Rect(c.first * cell, c.second * cell, cell, cell, QStringLiteral("#bfdbfe"),
                           QStringLiteral("none"), 0),
                      QStringLiteral("cell"));
    }
    return out + GridLines(cols, rows, cell) + CellOutline(cells, cell);
}

QString FractionBar(int parts, int shaded, double x, double y, double w, double h) {
    QString out;
    const double pw = w / std::max(1, parts);
    for (int i = 0; i < parts; ++i) {
        out += Tagged(Rect(x + i * pw, y, pw, h,
                           i < shaded ? QStringLiteral("#93c5fd") : QString::fromLatin1(kPaper),
                           QString::fromLatin1(kInk), 2),
                      i < shaded ? QStringLiteral("shaded") : QStringLiteral("slice"));
    }
    return out;
}

QString FractionCircle(int parts, int shaded, double cx, double cy, double r) {
    const QString ink = QString::fromLatin1(kInk);
    if (parts <= 1) {
        return Circle(cx, cy, r,
                      shaded > 0 ? QStringLiteral("#93c5fd") : QString::fromLatin1(kPaper), ink, 2);
    }
    // Slices clockwise from twelve o'clock, the first `shaded` of them filled.
    // Each is at most a half turn, so the small-arc flag is always right.
    QString out;
    for (int i = 0; i < parts; ++i) {
        const auto a = Polar(cx, cy, r, 360.0 * i / parts);
        const auto b = Polar(cx, cy, r, 360.0 * (i + 1) / parts);
        const bool filled = i < shaded;
        out += QStringLiteral("<path class=\"%1\" d=\"M %2 %3 L %4 %5 A %6 %6 0 0 1 %7 %8 Z\" "
                              "fill=\"%9\" stroke=\"%10\" stroke-width=\"2\" "
                              "stroke-linejoin=\"round\"/>\n")
                   .arg(filled ? QStringLiteral("shaded") : QStringLiteral("slice"), Num(cx),
                        Num(cy), Num(a.first), Num(a.second), Num(r), Num(b.first), Num(b.second),
                        filled ? QStringLiteral("#93c5fd") : QString::fromLatin1(kPaper))
                   .arg(ink);
    }
    return out;
}

QString Note(double x, double y, double w, double h, const QString& label) {
    QString fill = QStringLiteral("#fde68a");
    QString dark = QStringLiteral("#92400e");
    if (label == QLatin1String("$2")) {
        fill = QStringLiteral("#e9d5ff");
        dark = QStringLiteral("#6b21a8");
    } else if (label == QLatin1String("$5")) {
        fill = QStringLiteral("#bbf7d0");
        dark = QStringLiteral("#166534");
    } else if (label == QLatin1String("$10")) {
        fill = QStringLiteral("#fecaca");
        dark = QStringLiteral("#991b1b");
    } else if (label == QLatin1String("$50")) {
        fill = QStringLiteral("#bfdbfe");
        dark = QStringLiteral("#1e40af");
    }
    QString out = Rect(x, y, w, h, fill, dark, 2, 6);
    out += Rect(x + 5, y + 5, w - 10, h - 10, QStringLiteral("none"), dark, 1, 4);
    out += Circle(x + w * 0.72, y + h * 0.5, h * 0.28, QStringLiteral("#ffffff"), dark, 1);
    const int big = std::max(12, int(std::lround(h * 0.36)));
    out += Tagged(BoldText(x + w * 0.36, y + h * 0.5 + big * 0.36, label, big,
                           QStringLiteral("middle"), dark),
                  QStringLiteral("money"));
    const int small = std::max(9, int(std::lround(h * 0.16)));
    out += BoldText(x + 10, y + 10 + small, label, small, QStringLiteral("start"), dark);
    out += BoldText(x + w - 10, y + h - 10, label, small, QStringLiteral("end"), dark);
    return out;
}

QString Scale(double cx, double cy, double r, int maxValue, int step, double value,
              const QString& unit) {
    return ScaleDial(cx, cy, r, maxValue, step, step / 2.0, value, unit);
}

double HourHandAngle(int hour, int minute) {
    return (hour % 12) * 30.0 + minute * 0.5;
}

double MinuteHandAngle(int minute) {
    return minute * 6.0;
}

double ScalePointerAngle(double maxValue, double value) {
    return -150.0 + 300.0 * value / maxValue;
}

QString ScaleDial(double cx, double cy, double r, double maxValue, double labelStep,
                  double minorStep, double value, const QString& unit) {
    const QString ink = QString::fromLatin1(kInk);
    QString out;
    // Stem and tray above the body, body around the dial.
    const double trayTop = ScaleTrayTop(cy, r);
    out += Rect(cx - r * 0.18, trayTop + 8, r * 0.36, r * 0.2 + 10, QStringLiteral("#94a3b8"), ink,
                1.5);
    out += Rect(cx - r * 1.15, trayTop, r * 2.3, 10, QStringLiteral("#cbd5e1"), ink, 2, 4);
    out += Rect(cx - r * 1.2, cy - r * 1.2, r * 2.4, r * 2.35, QStringLiteral("#bae6fd"), ink, 2.5,
                r * 0.25);
    out += Circle(cx, cy, r, QStringLiteral("#ffffff"), ink, 3);
    const int steps = int(std::lround(maxValue / minorStep));
    const int labelEvery = std::max(1, int(std::lround(labelStep / minorStep)));
    // With many small ticks between numbers, the halfway tick is longer.
    const int midEvery = labelEvery >= 4 && labelEvery % 2 == 0 ? labelEvery / 2 : 0;
    const int labelSize = std::max(12, std::min(18, int(std::lround(r * 0.13))));
    QString labels;
    for (int i = 0; i <= steps; ++i) {
        const double v = i * minorStep;
        const double angle = ScalePointerAngle(maxValue, v);
        const bool major = i % labelEvery == 0;
        const bool mid = !major && midEvery > 0 && i % midEvery == 0;
        const auto outer = Polar(cx, cy, r * 0.93, angle);
        const auto inner = Polar(cx, cy, r * (major ? 0.79 : mid ? 0.83 : 0.87), angle);
        out += Line(inner.first, inner.second, outer.first, outer.second, ink,
                    major ? 2.2
                    : mid ? 1.6
                          : 1.1);
        if (major) {
            const auto p = Polar(cx, cy, r * 0.63, angle);
            labels +=
                QStringLiteral("<text class=\"dial-label\" x=\"%1\" y=\"%2\" font-size=\"%3\" "
                               "font-weight=\"bold\" text-anchor=\"middle\" fill=\"%4\" "
                               "stroke=\"#ffffff\" stroke-width=\"4\" "
                               "paint-order=\"stroke\">%5</text>\n")
                    .arg(Num(p.first), Num(p.second + labelSize * 0.36), QString::number(labelSize),
                         ink, Num(v));
        }
    }
    out += BoldText(cx, cy + r * 0.5, unit, std::max(12, int(std::lround(r * 0.16))));
    const double angle = ScalePointerAngle(maxValue, value);
    const auto tip = Polar(cx, cy, r * 0.86, angle);
    const auto tail = Polar(cx, cy, r * 0.15, angle + 180.0);
    out += Line(tail.first, tail.second, tip.first, tip.second, QStringLiteral("#dc2626"), 3,
                QStringLiteral("class=\"pointer\" stroke-linecap=\"round\""));
    out += labels; // over the pointer, each on a white halo, so none is hidden
    out += Circle(cx, cy, r * 0.07, QStringLiteral("#dc2626"), ink, 1.5);
    return out;
}

double ScaleTrayTop(double cy, double r) {
    return cy - r * 1.2 - r * 0.2 - 18;
}

} // namespace bank::svg
