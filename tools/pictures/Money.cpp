// Coins and notes of the pound, and price tags.

#include "Kinds.h"

#include <QRegularExpression>
#include <algorithm>

namespace bank::pictures {

namespace {

QString moneyText(int pence) {
    if (pence < 100)
        return QStringLiteral("%1p").arg(pence);
    const QString pounds = QStringLiteral("£%1").arg(pence / 100);
    return pence % 100 == 0
               ? pounds
               : pounds + QStringLiteral(".%1").arg(pence % 100, 2, 10, QLatin1Char('0'));
}

// In proportion to the real coins' diameters.
double coinRadius(int pence) {
    static const QHash<int, double> radius = {{1, 30},  {2, 38},  {5, 27},   {10, 36},
                                              {20, 32}, {50, 41}, {100, 35}, {200, 42}};
    return radius.value(pence, 42);
}

QString coin(QPointF c, int pence) {
    const double r = coinRadius(pence);
    const QString copper = QStringLiteral("#d9925a"), copperEdge = QStringLiteral("#8a4b1f");
    const QString silver = QStringLiteral("#e4e8ee"), silverEdge = QStringLiteral("#6b7480");
    const QString gold = QStringLiteral("#f0c85a"), goldEdge = QStringLiteral("#8f6510");
    QString out, ink;
    if (pence <= 10) {
        const bool bronze = pence <= 2;
        ink = bronze ? copperEdge : silverEdge;
        out += circle(c, r, {bronze ? copper : silver, ink, 2.5});
        out += circle(c, r - 5, {QStringLiteral("none"), ink, 1});
    } else if (pence <= 50) {
        ink = silverEdge;
        // Seven curved-edged sides; straight ones read just as well at this size.
        out += polygon(regularPolygon(c, r, 7), {silver, ink, 2.5});
        out += polygon(regularPolygon(c, r - 5, 7), {QStringLiteral("none"), ink, 1});
    } else {
        ink = goldEdge;
        const bool pound = pence == 100;
        if (pound)
            out += polygon(regularPolygon(c, r, 12), {gold, ink, 2.5});
        else
            out += circle(c, r, {gold, ink, 2.5});
        out += circle(c, r * 0.68, {silver, silverEdge, 1.5});
    }
    const QString label = moneyText(pence);
    const double size = std::min(r * 0.7, (2 * r - 12) / std::max(1.0, textWidth(label, 1)));
    out += centredText(c, label, std::max(16.0, size), true, ink);
    return grouped(out, QStringLiteral("class=\"coin\""));
}

QString banknote(double x, double y, int pence) {
    const double w = 200, h = 100;
    // Each note in its own colour: fill and print.
    static const QHash<int, QPair<QString, QString>> colours = {
        {500, {QStringLiteral("#c4e8dc"), QStringLiteral("#0f766e")}},
        {1000, {QStringLiteral("#fbd9b6"), QStringLiteral("#b9470d")}},
        {2000, {QStringLiteral("#e6d7fb"), QStringLiteral("#6b2aa8")}},
        {5000, {QStringLiteral("#fbd0d0"), QStringLiteral("#b12222")}}};
    const QString fill = colours.value(pence).first, dark = colours.value(pence).second;
    const QString label = moneyText(pence);
    QString out = rect(x, y, w, h, {fill, dark, 2.5}, 8);
    out += rect(x + 7, y + 7, w - 14, h - 14, {QStringLiteral("none"), dark, 1}, 5);
    out += rect(x + w * 0.64, y + 20, w * 0.2, h - 40, {QStringLiteral("#f6f8fb"), dark, 1}, 6);
    out += centredText({x + w * 0.34, y + h / 2}, label, 40, true, dark);
    out += textAt(x + 14, y + 30, label, 16, Anchor::Start, true, dark);
    return grouped(out, QStringLiteral("class=\"note\""));
}

// "35p", "£1.20", "£5" in pence; -1 when it is none of these.
int priceInPence(const QString& text) {
    static const QRegularExpression pence(QStringLiteral("^(\\d{1,2})p$"));
    static const QRegularExpression pounds(QStringLiteral("^£(\\d{1,4})(?:\\.(\\d{2}))?$"));
    auto m = pence.match(text);
    if (m.hasMatch())
        return m.captured(1).toInt();
    m = pounds.match(text);
    if (m.hasMatch())
        return m.captured(1).toInt() * 100 + m.captured(2).toInt();
    return -1;
}

} // namespace

void makeMoney(Fields& f, Picture& p) {
    const QVariantList items = f.listOf(QStringLiteral("pieces"));
    static const QList<int> kinds = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000};
    QList<int> pieces;
    for (int i = 0; i < items.size() && f.ok(); ++i) {
        bool ok = false;
        const int v = scalar(items.at(i)).toInt(&ok);
        if (!ok || !kinds.contains(v))
            f.failAt(QStringLiteral("pieces[%1]").arg(i + 1),
                     QStringLiteral("\"%1\" is not a coin or note in pence (1, 2, 5, 10, 20, 50, "
                                    "100, 200, 500, 1000, 2000, 5000)")
                         .arg(scalar(items.at(i))));
        pieces << v;
    }
    if (f.ok() && (pieces.isEmpty() || pieces.size() > 20))
        f.fail(QStringLiteral("pieces"), QStringLiteral("should hold 1 to 20 coins and notes"));
    if (!f.ok())
        return;
    // Notes first, largest first, then the coins on rows of their own.
    std::stable_sort(pieces.begin(), pieces.end(), std::greater<int>());
    const double maxRight = 620, gap = 14;
    double x = 10, y = 10, rowH = 0, width = 0;
    bool coins = false;
    int total = 0;
    const auto newRow = [&] {
        x = 10;
        y += rowH + gap;
        rowH = 0;
    };
    for (int v : pieces) {
        total += v;
        const bool note = v >= 500;
        if (!note && !coins) {
            coins = true;
            if (x > 10)
                newRow();
        }
        const double w = note ? 200 : 2 * coinRadius(v);
        const double h = note ? 100 : 2 * coinRadius(200);
        if (x + w > maxRight && x > 10)
            newRow();
        p.body += note ? banknote(x, y, v) : coin({x + w / 2, y + h / 2}, v);
        x += w + gap;
        width = std::max(width, x);
        rowH = std::max(rowH, h);
    }
    p.width = width;
    p.height = y + rowH + 10;
    p.readings.insert(QStringLiteral("reading"), QString::number(total));
    p.readings.insert(QStringLiteral("total"), QString::number(total));
}

void makePriceTags(Fields& f, Picture& p) {
    const QList<Fields*> tags = f.maps(QStringLiteral("tags"));
    if (f.ok() && (tags.isEmpty() || tags.size() > 8))
        f.fail(QStringLiteral("tags"), QStringLiteral("should hold 1 to 8 tags"));
    QStringList items;
    QList<double> prices;
    for (Fields* t : tags) {
        const QString item = t->textOf(QStringLiteral("item"));
        const QString price = t->textOf(QStringLiteral("price"));
        if (!f.ok())
            return;
        const int pence = priceInPence(price);
        if (pence < 0) {
            t->fail(QStringLiteral("price"),
                    QStringLiteral("\"%1\" is not a price like \"35p\" or \"£1.20\"").arg(price));
            return;
        }
        items << item;
        prices << pence;
    }
    if (!f.ok())
        return;
    double x = 10, y = 10, width = 0;
    for (int i = 0; i < items.size(); ++i) {
        const QString price = moneyText(int(prices.at(i)));
        const double w =
            std::max({130.0, textWidth(items.at(i), 18) + 30, textWidth(price, 24) + 60});
        if (x + w > 620 && x > 10) {
            x = 10;
            y += 170;
        }
        // The thing itself, a plain labelled box, with the tag hanging from it.
        QString tag = rect(x, y, w, 56, {soft(i), Edge(i), 2.5}, 10);
        tag += centredText({x + w / 2, y + 28}, items.at(i), 18);
        const double tx = x + 12, ty = y + 80, tw = w - 24, th = 64;
        tag += line({x + w / 2, y + 56}, {tx + 30, ty + th / 2}, navy(), 1.5);
        tag += polygon({{tx, ty + th / 2},
                        {tx + 22, ty},
                        {tx + tw, ty},
                        {tx + tw, ty + th},
                        {tx + 22, ty + th}},
                       {QString::fromLatin1(Cream), QStringLiteral("#b98514"), 2.5});
        tag += circle({tx + 16, ty + th / 2}, 5, {QString::fromLatin1(White), navy(), 1.5});
        tag += centredText({tx + 22 + (tw - 22) / 2, ty + th / 2}, price, 24, true,
                           QStringLiteral("#b12222"));
        p.body += grouped(tag, QStringLiteral("class=\"tag\""));
        x += w + 16;
        width = std::max(width, x);
    }
    p.width = width;
    p.height = y + 160;
    setRows(p, items, prices, QStringLiteral("items"));
}

} // namespace bank::pictures
