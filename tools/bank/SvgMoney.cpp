#include "SvgMoney.h"

#include "SvgExtra.h"

#include <algorithm>
#include <cmath>

namespace bank::svg {

namespace {

QList<QPair<double, double>> Regular(double cx, double cy, double r, int sides) {
    QList<QPair<double, double>> points;
    for (int i = 0; i < sides; ++i)
        points << Polar(cx, cy, r, 360.0 * i / sides);
    return points;
}

const char* const kCopper = "#d08a4e";
const char* const kCopperDark = "#8a4b1f";
const char* const kSilver = "#e5e7eb";
const char* const kSilverDark = "#6b7280";
const char* const kGold = "#eec55b";
const char* const kGoldDark = "#92650f";

} // namespace

const QList<int>& CoinValues() {
    static const QList<int> values = {1, 2, 5, 10, 20, 50, 100, 200};
    return values;
}

const QList<int>& NoteValues() {
    static const QList<int> values = {500, 1000, 2000, 5000};
    return values;
}

QString MoneyLabel(int pence) {
    if (pence < 100)
        return QString::number(pence) + QLatin1Char('p');
    if (pence % 100 == 0)
        return QStringLiteral("£%1").arg(pence / 100);
    return QStringLiteral("£%1.%2").arg(pence / 100).arg(pence % 100, 2, 10, QLatin1Char('0'));
}

double PoundCoinRadius(int pence) {
    // In proportion to the real coins' sizes.
    switch (pence) {
    case 1:
        return 31;
    case 2:
        return 40;
    case 5:
        return 28;
    case 10:
        return 38;
    case 20:
        return 33;
    case 50:
        return 43;
    case 100:
        return 37;
    default:
        return 44;
    }
}

QString PoundCoin(double cx, double cy, int pence) {
    const double r = PoundCoinRadius(pence);
    const QString label = MoneyLabel(pence);
    QString out;
    QString ink;
    if (pence <= 2) {
        ink = QString::fromLatin1(kCopperDark);
        out += Circle(cx, cy, r, QString::fromLatin1(kCopper), ink, 2.5);
        out += Circle(cx, cy, r * 0.84, QStringLiteral("none"), ink, 1);
    } else if (pence == 5 || pence == 10) {
        ink = QString::fromLatin1(kSilverDark);
        out += Circle(cx, cy, r, QString::fromLatin1(kSilver), ink, 2.5);
        out += Circle(cx, cy, r * 0.84, QStringLiteral("none"), ink, 1);
    } else if (pence == 20 || pence == 50) {
        ink = QString::fromLatin1(kSilverDark);
        out += Polygon(Regular(cx, cy, r, 7), QString::fromLatin1(kSilver), ink, 2.5);
        out += Polygon(Regular(cx, cy, r * 0.84, 7), QStringLiteral("none"), ink, 1);
    } else if (pence == 100) {
        ink = QString::fromLatin1(kGoldDark);
        out += Polygon(Regular(cx, cy, r, 12), QString::fromLatin1(kGold), ink, 2.5);
        out += Circle(cx, cy, r * 0.66, QString::fromLatin1(kSilver),
                      QString::fromLatin1(kSilverDark), 1.5);
    } else {
        ink = QString::fromLatin1(kGoldDark);
        out += Circle(cx, cy, r, QString::fromLatin1(kGold), ink, 2.5);
        out += Circle(cx, cy, r * 0.68, QString::fromLatin1(kSilver),
                      QString::fromLatin1(kSilverDark), 1.5);
    }
    const int size = std::max(12, int(std::lround(r * (label.size() > 2 ? 0.55 : 0.66))));
    out += Tagged(BoldText(cx, cy + size * 0.36, label, size, QStringLiteral("middle"), ink),
                  QStringLiteral("money"));
    return out;
}

QString PoundNote(double x, double y, double w, double h, int pence) {
    QString fill = QStringLiteral("#bfe6dc"), dark = QStringLiteral("#0f766e"); // £5
    if (pence == 1000) {
        fill = QStringLiteral("#fcd7b0");
        dark = QStringLiteral("#c2410c");
    } else if (pence == 2000) {
        fill = QStringLiteral("#e9d5ff");
        dark = QStringLiteral("#6b21a8");
    } else if (pence == 5000) {
        fill = QStringLiteral("#fecaca");
        dark = QStringLiteral("#b91c1c");
    }
    const QString label = MoneyLabel(pence);
    QString out = Rect(x, y, w, h, fill, dark, 2, 6);
    out += Rect(x + 5, y + 5, w - 10, h - 10, QStringLiteral("none"), dark, 1, 4);
    // A clear window, as on the polymer notes.
    out +=
        Rect(x + w * 0.62, y + h * 0.22, w * 0.2, h * 0.56, QStringLiteral("#f8fafc"), dark, 1, 6);
    const int big = std::max(12, int(std::lround(h * 0.38)));
    out += Tagged(BoldText(x + w * 0.32, y + h * 0.5 + big * 0.36, label, big,
                           QStringLiteral("middle"), dark),
                  QStringLiteral("money"));
    const int small = std::max(9, int(std::lround(h * 0.15)));
    out += BoldText(x + 10, y + 10 + small, label, small, QStringLiteral("start"), dark);
    out += BoldText(x + w - 10, y + h - 10, label, small, QStringLiteral("end"), dark);
    return out;
}

QByteArray PoundsPicture(QList<int> pieces) {
    std::sort(pieces.begin(), pieces.end(), std::greater<int>());
    QString body;
    double x = 10, y = 10, rowH = 0, right = 0;
    const auto place = [&](double w, double h) {
        if (x + w > 600) {
            x = 10;
            y += rowH + 12;
            rowH = 0;
        }
        const QPair<double, double> at{x, y};
        x += w + 12;
        right = std::max(right, x);
        rowH = std::max(rowH, h);
        return at;
    };
    bool coinsStarted = false;
    for (int p : pieces) {
        if (p < 500 && !coinsStarted) {
            coinsStarted = true;
            if (x > 10) { // coins start a row of their own
                x = 10;
                y += rowH + 12;
                rowH = 0;
            }
        }
        if (p >= 500) {
            const auto at = place(170, 86);
            body += PoundNote(at.first, at.second, 170, 86, p);
        } else {
            const double r = PoundCoinRadius(p);
            const auto at = place(2 * r, 92);
            body += PoundCoin(at.first + r, at.second + 46, p);
        }
    }
    return Document(int(right), int(y + rowH + 10), body);
}

QString PiecesInWords(QList<int> pieces) {
    std::sort(pieces.begin(), pieces.end(), std::greater<int>());
    static const QStringList counts = {QString(),
                                       QStringLiteral("one"),
                                       QStringLiteral("two"),
                                       QStringLiteral("three"),
                                       QStringLiteral("four"),
                                       QStringLiteral("five"),
                                       QStringLiteral("six"),
                                       QStringLiteral("seven"),
                                       QStringLiteral("eight"),
                                       QStringLiteral("nine")};
    QStringList parts;
    for (int i = 0; i < pieces.size();) {
        int j = i;
        while (j < pieces.size() && pieces.at(j) == pieces.at(i))
            ++j;
        const int n = j - i;
        const QString what = pieces.at(i) >= 500 ? QStringLiteral("note") : QStringLiteral("coin");
        parts << QStringLiteral("%1 %2 %3%4")
                     .arg(n < counts.size() ? counts.at(n) : QString::number(n),
                          MoneyLabel(pieces.at(i)), what, n > 1 ? QStringLiteral("s") : QString());
        i = j;
    }
    if (parts.size() == 1)
        return parts.first();
    return parts.mid(0, parts.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           parts.last();
}

QString Roman(int number) {
    static const QStringList romans = {QString(),
                                       QStringLiteral("I"),
                                       QStringLiteral("II"),
                                       QStringLiteral("III"),
                                       QStringLiteral("IV"),
                                       QStringLiteral("V"),
                                       QStringLiteral("VI"),
                                       QStringLiteral("VII"),
                                       QStringLiteral("VIII"),
                                       QStringLiteral("IX"),
                                       QStringLiteral("X"),
                                       QStringLiteral("XI"),
                                       QStringLiteral("XII")};
    return romans.value(number);
}

QString ClockFace(double cx, double cy, double r, int hour, int minute, bool roman) {
    const QString ink = QString::fromLatin1(kInk);
    QString out;
    out += Circle(cx, cy, r, QStringLiteral("#fef9c3"), QStringLiteral("#1e3a8a"), r * 0.07);
    out += Circle(cx, cy, r * 0.93, QStringLiteral("#fffef5"), QStringLiteral("#93c5fd"), 1.5);
    for (int i = 0; i < 60; ++i) {
        const bool hourMark = i % 5 == 0;
        const auto outer = Polar(cx, cy, r * 0.9, i * 6.0);
        const auto inner = Polar(cx, cy, r * (hourMark ? 0.78 : 0.85), i * 6.0);
        out += Line(inner.first, inner.second, outer.first, outer.second, ink,
                    hourMark ? r * 0.035 : r * 0.012);
    }
    for (int h = 1; h <= 12; ++h) {
        const QString label = roman ? Roman(h) : QString::number(h);
        const int size =
            std::max(10, int(std::lround(r * (roman && label.size() > 2 ? 0.14 : 0.19))));
        const auto p = Polar(cx, cy, r * (roman ? 0.62 : 0.64), h * 30.0);
        out += BoldText(p.first, p.second + size * 0.35, label, size);
    }
    const auto hourTip = Polar(cx, cy, r * 0.45, HourHandAngle(hour, minute));
    const auto minuteTip = Polar(cx, cy, r * 0.74, MinuteHandAngle(minute));
    out += Line(cx, cy, hourTip.first, hourTip.second, QStringLiteral("#1e293b"), r * 0.075,
                QStringLiteral("class=\"hour-hand\" stroke-linecap=\"round\""));
    out += Line(cx, cy, minuteTip.first, minuteTip.second, QStringLiteral("#2563eb"), r * 0.04,
                QStringLiteral("class=\"minute-hand\" stroke-linecap=\"round\""));
    out += Circle(cx, cy, r * 0.06, QStringLiteral("#1e293b"), QStringLiteral("none"), 0);
    return out;
}

QString MmRuler(double x, double y, int lengthCm, double pxPerCm) {
    const double height = 56;
    const QString ink = QString::fromLatin1(kInk);
    QString out = Rect(x - 16, y, lengthCm * pxPerCm + 64, height, QStringLiteral("#fef3c7"),
                       QStringLiteral("#b45309"), 1.5, 4);
    for (int mm = 0; mm <= lengthCm * 10; ++mm) {
        const double tx = x + mm * pxPerCm / 10.0;
        const bool cm = mm % 10 == 0;
        const bool half = mm % 5 == 0;
        out += Line(tx, y, tx, y + (cm ? 18 : half ? 12 : 7), ink, cm ? 1.6 : half ? 1.2 : 0.8);
        if (cm)
            out += Tagged(Text(tx, y + 38, QString::number(mm / 10), 15),
                          QStringLiteral("ruler-number"));
    }
    out += Text(x + lengthCm * pxPerCm + 24, y + 38, QStringLiteral("cm"), 13,
                QStringLiteral("start"));
    return out;
}

QString DigitalClock(double x, double y, const QString& text) {
    QString out = Rect(x, y, 200, 80, QStringLiteral("#1f2937"), QStringLiteral("#111827"), 3, 10);
    out +=
        Rect(x + 12, y + 12, 176, 56, QStringLiteral("#0f172a"), QStringLiteral("#334155"), 1, 6);
    out += BoldText(x + 100, y + 56, text, 40, QStringLiteral("middle"), QStringLiteral("#4ade80"));
    return out;
}

} // namespace bank::svg
