// Topic 4, Money: counting coins and notes, cents and dollars, adding prices,
// change, comparing amounts, the fewest coins. Coins are 5c, 10c, 20c, 50c and
// $1; notes $2, $5 and $10. Dollar keys are written with two decimals
// ("24.80"), cent keys as whole numbers.

#include "Bank.h"
#include "SvgExtra.h"
#include "TopicKit.h"

#include <algorithm>
#include <cmath>

namespace bank {

namespace {

using namespace kit;

const QStringList kNames = {QStringLiteral("Ann"),  QStringLiteral("Ben"),  QStringLiteral("Mia"),
                            QStringLiteral("Sam"),  QStringLiteral("Lily"), QStringLiteral("Raj"),
                            QStringLiteral("Zoe"),  QStringLiteral("Tom"),  QStringLiteral("Ella"),
                            QStringLiteral("Omar"), QStringLiteral("Nina"), QStringLiteral("Leo")};

struct Item {
    const char* name; // with its article: "a pencil"
    const char* tag;  // caption on a price tag
    int lo;           // price range in cents
    int hi;
};

const QList<Item> kCheap = {{"a pencil", "Pencil", 20, 95},     {"an eraser", "Eraser", 15, 80},
                            {"an apple", "Apple", 30, 90},      {"a sticker", "Sticker", 10, 60},
                            {"a lollipop", "Lollipop", 20, 75}, {"a balloon", "Balloon", 25, 95}};
const QList<Item> kMiddle = {
    {"a ruler", "Ruler", 85, 260},        {"a juice box", "Juice", 120, 310},
    {"a notebook", "Notebook", 150, 480}, {"a sandwich", "Sandwich", 250, 650},
    {"a toy car", "Toy car", 290, 890},   {"a comic", "Comic", 230, 760}};
const QList<Item> kDear = {{"a cap", "Cap", 650, 1590},
                           {"a book", "Book", 780, 1850},
                           {"a school bag", "Bag", 1450, 2890},
                           {"a T-shirt", "T-shirt", 990, 2250},
                           {"a football", "Football", 1190, 2480},
                           {"a kite", "Kite", 560, 1380}};

int Price(Rng& rng, int lo, int hi) {
    return lo + 5 * rng.range(0, (hi - lo) / 5);
}

const QList<Item>& ItemsFor(int level, Rng& rng) {
    if (level <= 1)
        return kCheap;
    if (level == 2)
        return rng.chance(1, 2) ? kCheap : kMiddle;
    if (level == 3)
        return kMiddle;
    return rng.chance(1, 2) ? kMiddle : kDear;
}

QString Plural(const QString& noun) {
    return noun + (noun.endsWith(QLatin1Char('h')) ? QStringLiteral("es") : QStringLiteral("s"));
}

QString Pronoun(const QString& name) {
    static const QStringList girls = {QStringLiteral("Ann"),  QStringLiteral("Mia"),
                                      QStringLiteral("Lily"), QStringLiteral("Zoe"),
                                      QStringLiteral("Ella"), QStringLiteral("Nina")};
    return girls.contains(name) ? QStringLiteral("she") : QStringLiteral("he");
}

// Two different items of a list, with prices.
QList<QPair<Item, int>> PickItems(const QList<Item>& items, int count, Rng& rng) {
    QList<int> order;
    for (int i = 0; i < items.size(); ++i)
        order << i;
    rng.shuffle(order);
    QList<QPair<Item, int>> out;
    for (int i = 0; i < count; ++i) {
        const Item& it = items.at(order.at(i % order.size()));
        out << qMakePair(it, Price(rng, it.lo, it.hi));
    }
    return out;
}

QString Label(int cents) {
    return cents < 100 ? QString::number(cents) + QLatin1Char('c') : Dollars(cents).chopped(3);
}

bool IsNote(int cents) {
    return cents >= 200;
}

// Coins and notes laid out in rows, notes first.
QByteArray MoneyPicture(QList<int> pieces) {
    std::sort(pieces.begin(), pieces.end(), std::greater<int>());
    QString body;
    double x = 10, y = 10, rowH = 0, right = 0;
    const auto place = [&](double w, double h) {
        if (x + w > 590) {
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
    bool notesDone = false;
    for (int p : pieces) {
        if (!IsNote(p) && !notesDone) {
            notesDone = true;
            if (x > 10) { // coins start a row of their own
                x = 10;
                y += rowH + 12;
                rowH = 0;
            }
        }
        if (IsNote(p)) {
            const auto at = place(160, 80);
            body += svg::Note(at.first, at.second, 160, 80, Label(p));
        } else {
            const double r = p == 5 ? 28 : p == 10 ? 32 : p == 20 ? 37 : p == 50 ? 43 : 40;
            const auto at = place(2 * r, 90);
            body += svg::Coin(at.first + r, at.second + 45, r, Label(p));
        }
    }
    return svg::Document(int(right), int(y + rowH + 10), body);
}

QByteArray ShopPicture(const QList<QPair<Item, int>>& items) {
    QString body;
    for (int i = 0; i < items.size(); ++i) {
        body += svg::PriceTag(10 + i * 145, 6, 132, QString::fromLatin1(items.at(i).first.tag),
                              Amount(items.at(i).second), i);
    }
    return svg::Document(int(items.size()) * 145 + 10, 104, body);
}

int Sum(const QList<int>& pieces) {
    int total = 0;
    for (int p : pieces)
        total += p;
    return total;
}

// Random coins (and at higher levels notes) for counting.
QList<int> RandomPieces(int level, Rng& rng) {
    QList<int> kinds;
    int count = 0;
    switch (level) {
    case 1:
        kinds = {5, 10, 20, 50};
        count = rng.range(3, 5);
        break;
    case 2:
        kinds = {10, 20, 50, 100};
        count = rng.range(4, 6);
        break;
    case 3:
        kinds = {5, 10, 20, 50, 100, 200, 500};
        count = rng.range(5, 7);
        break;
    default:
        kinds = {5, 10, 20, 50, 100, 200, 500, 1000};
        count = rng.range(6, 8);
        break;
    }
    for (;;) {
        QList<int> pieces;
        for (int i = 0; i < count; ++i)
            pieces << rng.pick(kinds);
        if (level == 1 && Sum(pieces) >= 100)
            continue;
        int notes = 0;
        for (int p : pieces)
            notes += IsNote(p) ? 1 : 0;
        if (notes <= 3)
            return pieces;
    }
}

Question CountMoney(int level, Rng& rng) {
    const QList<int> pieces = RandomPieces(level, rng);
    const int total = Sum(pieces);
    const Picture pic = SvgPicture(QStringLiteral("money.svg"), MoneyPicture(pieces));
    QString html = P(QStringLiteral("How much money is there?")) +
                   P(html::Img(pic.name, QStringLiteral("coins and notes")));
    if (total < 100) {
        html += P(QStringLiteral("There is ") + Gap() + QStringLiteral(" c."));
        return Make(html, {Number(total, 1)}, {pic});
    }
    html += P(QStringLiteral("There is $") + Gap() + QLatin1Char('.'));
    return Make(html, {NumberText(DollarKey(total), level >= 4 ? 2 : 1)}, {pic});
}

Question Convert(int level, Rng& rng) {
    if (level == 1) {
        const int dollars = rng.range(1, 9);
        return Make(P(QStringLiteral("$%1 = ").arg(dollars) + Gap() + QStringLiteral(" c")),
                    {Number(dollars * 100)});
    }
    const int cents = level == 2 ? 100 * rng.range(1, 9) + 50 : 5 * rng.range(21, 199);
    if (rng.chance(1, 2)) {
        return Make(P(Dollars(cents) + QStringLiteral(" = ") + Gap() + QStringLiteral(" c")),
                    {Number(cents)});
    }
    return Make(P(QStringLiteral("%1c = $").arg(cents) + Gap()), {NumberText(DollarKey(cents))});
}

Question AddPrices(int level, Rng& rng, int target = -1, int mark = -1) {
    const QString name = rng.pick(kNames);
    const int count = level >= 4 && target < 0 ? 3 : 2;
    QList<QPair<Item, int>> items = PickItems(ItemsFor(level, rng), count, rng);
    if (target >= 0) {
        // A given total: split it into two prices, the first a whole number of
        // ten cents near half of it.
        if (target >= 1000)
            items = PickItems(kDear, 2, rng);
        int first = (target * rng.range(45, 65) / 100) / 10 * 10;
        if (first <= 0 || first >= target)
            first = target / 2;
        items[0].second = first;
        items[1].second = target - first;
    }
    int total = 0;
    QStringList bought;
    for (const auto& it : items) {
        total += it.second;
        bought << QString::fromLatin1(it.first.name) + QStringLiteral(" for ") + Amount(it.second);
    }
    const QString list = bought.size() == 2
                             ? bought.join(QStringLiteral(" and "))
                             : bought.mid(0, bought.size() - 1).join(QStringLiteral(", ")) +
                                   QStringLiteral(" and ") + bought.last();
    QString html = P(QStringLiteral("%1 buys %2. How much does %3 spend altogether?")
                         .arg(name, list, Pronoun(name)));
    QList<Picture> pics;
    if (level <= 3) {
        pics << SvgPicture(QStringLiteral("shop.svg"), ShopPicture(items));
        html += P(html::Img(pics.first().name, QStringLiteral("price tags")));
    }
    const int m = mark > 0 ? mark : count == 3 ? 2 : level >= 2 ? 2 : 1;
    if (total < 100 && target < 0) {
        html += P(Cap(Pronoun(name)) + QStringLiteral(" spends ") + Gap() + QStringLiteral(" c."));
        return Make(html, {Number(total, m)}, pics);
    }
    html += P(Cap(Pronoun(name)) + QStringLiteral(" spends $") + Gap() + QLatin1Char('.'));
    return Make(html, {NumberText(DollarKey(total), m)}, pics);
}

Question Change(int level, Rng& rng) {
    const QString name = rng.pick(kNames);
    static const QList<int> payments = {100, 500, 1000, 2000, 5000};
    const int count = level >= 4 ? 2 : 1;
    QList<QPair<Item, int>> items = PickItems(ItemsFor(level, rng), count, rng);
    int cost = 0;
    for (const auto& it : items)
        cost += it.second;
    int paid = 0;
    for (int p : payments) {
        if (p > cost) {
            paid = p;
            break;
        }
    }
    if (level >= 4 && rng.chance(1, 3) && paid < 5000)
        paid = payments.at(payments.indexOf(paid) + 1);
    const int change = paid - cost;
    QString what = QString::fromLatin1(items.at(0).first.name) + QStringLiteral(" for ") +
                   Amount(items.at(0).second);
    if (count == 2) {
        what += QStringLiteral(" and ") + QString::fromLatin1(items.at(1).first.name) +
                QStringLiteral(" for ") + Amount(items.at(1).second);
    }
    const QString paidText =
        paid == 100 ? QStringLiteral("a $1 coin") : QStringLiteral("a %1 note").arg(Label(paid));
    QString html = P(QStringLiteral("%1 buys %2. %3 pays with %4. How much change does %5 get?")
                         .arg(name, what, Cap(Pronoun(name)), paidText, Pronoun(name)));
    const int mark = count == 2 ? 3 : 2;
    if (change < 100) {
        html += P(QStringLiteral("The change is ") + Gap() + QStringLiteral(" c."));
        return Make(html, {Number(change, mark)});
    }
    html += P(QStringLiteral("The change is $") + Gap() + QLatin1Char('.'));
    return Make(html, {NumberText(DollarKey(change), mark)});
}

// Four different amounts in mixed writing; the question asks for the most or least.
Question CompareAmounts(int level, Rng& rng, int forced = 0) {
    QList<int> values;
    while (values.size() < 4) {
        int v = 0;
        if (level == 1)
            v = 5 * rng.range(2, 19);
        else if (level <= 3)
            v = 5 * rng.range(20, 199);
        else
            v = 5 * rng.range(100, 999);
        if (!values.contains(v))
            values << v;
    }
    if (level >= 3) {
        // Make two of them look alike: same digits in another order.
        const int swapped =
            (values.at(0) / 100) * 100 + (values.at(0) % 10) * 10 + (values.at(0) / 10) % 10;
        if (swapped != values.at(0) && swapped % 5 == 0 && !values.contains(swapped))
            values[1] = swapped;
    }
    const bool most = rng.chance(1, 2);
    int best = values.at(0);
    for (int v : values)
        best = most ? std::max(best, v) : std::min(best, v);
    const auto write = [&](int v) -> QString {
        if (v < 100 || (level >= 3 && rng.chance(1, 3)))
            return QString::number(v) + QLatin1Char('c');
        return Dollars(v);
    };
    QStringList others;
    for (int v : values) {
        if (v != best)
            others << write(v);
    }
    int key = 0;
    const QString options = Options(write(best), others, rng, &key, forced);
    return Make(P(QStringLiteral("Which amount of money is the %1?")
                      .arg(most ? QStringLiteral("greatest") : QStringLiteral("smallest"))) +
                    options + ChooseNote(),
                {Choice(key)});
}

Question CoinsInAmount(int level, Rng& rng) {
    static const QList<QPair<int, int>> easy = {{10, 100}, {20, 100}, {50, 200},
                                                {5, 50},   {10, 200}, {50, 300}};
    int coin = 0, amount = 0;
    if (level <= 3) {
        const auto pair = rng.pick(easy);
        coin = pair.first;
        amount = pair.second * (level == 3 ? rng.range(1, 3) : 1);
    } else {
        coin = rng.pick(QList<int>{20, 50, 10});
        amount = coin * rng.range(11, 24);
    }
    return Make(P(QStringLiteral("How many %1c coins make %2?").arg(coin).arg(Amount(amount))) +
                    P(Gap() + QStringLiteral(" coins")),
                {Number(amount / coin, level >= 4 ? 2 : 1)});
}

Question HowMuchMore(int level, Rng& rng) {
    const QList<QPair<Item, int>> items = PickItems(ItemsFor(level, rng), 2, rng);
    if (items.at(0).second == items.at(1).second)
        return HowMuchMore(level, rng);
    const auto& dear = items.at(0).second > items.at(1).second ? items.at(0) : items.at(1);
    const auto& cheap = items.at(0).second > items.at(1).second ? items.at(1) : items.at(0);
    const int diff = dear.second - cheap.second;
    const QString dearName = QString::fromLatin1(dear.first.tag).toLower();
    const QString cheapName = QString::fromLatin1(cheap.first.tag).toLower();
    QString html = P(QStringLiteral("%1 costs %2. %3 costs %4. How much more does the %5 cost "
                                    "than the %6?")
                         .arg(QString::fromLatin1(dear.first.name).left(1).toUpper() +
                                  QString::fromLatin1(dear.first.name).mid(1),
                              Amount(dear.second),
                              QString::fromLatin1(cheap.first.name).left(1).toUpper() +
                                  QString::fromLatin1(cheap.first.name).mid(1),
                              Amount(cheap.second), dearName, cheapName));
    if (diff < 100) {
        html += P(QStringLiteral("It costs ") + Gap() + QStringLiteral(" c more."));
        return Make(html, {Number(diff, 2)});
    }
    html += P(QStringLiteral("It costs $") + Gap() + QStringLiteral(" more."));
    return Make(html, {NumberText(DollarKey(diff), 2)});
}

Question Multiply(int level, Rng& rng) {
    const Item& it = rng.pick(level <= 3 ? kCheap : kMiddle);
    const int price = level <= 3 ? 5 * rng.range(4, 19) : Price(rng, it.lo, std::min(it.hi, 500));
    const int n = rng.range(level <= 3 ? 2 : 3, level <= 3 ? 5 : 6);
    const QString name = QString::fromLatin1(it.tag).toLower();
    QString html = P(QStringLiteral("One %1 costs %2. How much do %3 %4 cost?")
                         .arg(name, Amount(price))
                         .arg(n)
                         .arg(Plural(name)));
    if (price * n < 100) {
        html += P(QStringLiteral("They cost ") + Gap() + QStringLiteral(" c."));
        return Make(html, {Number(price * n, 2)});
    }
    html += P(QStringLiteral("They cost $") + Gap() + QLatin1Char('.'));
    return Make(html, {NumberText(DollarKey(price * n), 2)});
}

Question FewestPieces(int level, Rng& rng) {
    static const QList<int> all = {1000, 500, 200, 100, 50, 20, 10, 5};
    const int amount = level == 4 ? 5 * rng.range(21, 199) : 5 * rng.range(201, 399);
    int left = amount, count = 0;
    for (int d : all) { // this set of coins and notes is canonical: largest first is fewest
        count += left / d;
        left %= d;
    }
    return Make(P(QStringLiteral("What is the smallest number of coins and notes that make %1?")
                      .arg(Dollars(amount))) +
                    Note(QStringLiteral("Coins: 5c, 10c, 20c, 50c, $1. Notes: $2, $5, $10.")) +
                    P(Gap() + QStringLiteral(" coins and notes")),
                {Number(count, 3)});
}

Question Saving(int level, Rng& rng) {
    const QString name = rng.pick(kNames);
    const int weekly = level == 4 ? 50 * rng.range(2, 6) : 5 * rng.range(25, 70);
    const int weeks = rng.range(3, 8);
    if (rng.chance(1, 2) || level == 5) {
        const QString html =
            P(QStringLiteral("%1 saves %2 every week. How much has %3 saved after %4 weeks?")
                  .arg(name, Amount(weekly), Pronoun(name))
                  .arg(weeks)) +
            P(Cap(Pronoun(name)) + QStringLiteral(" has saved $") + Gap() + QLatin1Char('.'));
        return Make(html, {NumberText(DollarKey(weekly * weeks), 2)});
    }
    const QString html =
        P(QStringLiteral("%1 saves %2 every week. How many weeks does %3 need to save %4?")
              .arg(name, Amount(weekly), Pronoun(name), Dollars(weekly * weeks))) +
        P(Gap() + QStringLiteral(" weeks"));
    return Make(html, {Number(weeks, 2)});
}

Question Shortfall(int level, Rng& rng) {
    const QString name = rng.pick(kNames);
    const auto items = PickItems(ItemsFor(level, rng), 1, rng);
    const int price = items.at(0).second;
    const int has = std::max(5, price - 5 * rng.range(3, std::max(4, price / 10)));
    const QString html =
        P(QStringLiteral("%1 has %2. %3 wants to buy %4 that costs %5. How much more money does "
                         "%6 need?")
              .arg(name, Amount(has), Cap(Pronoun(name)),
                   QString::fromLatin1(items.at(0).first.name), Amount(price), Pronoun(name))) +
        P((price - has < 100 ? QString() : QStringLiteral("$")) + Gap() +
          (price - has < 100 ? QStringLiteral(" c") : QString()));
    const int diff = price - has;
    return Make(html, {diff < 100 ? Number(diff, 2) : NumberText(DollarKey(diff), 2)});
}

// A shop with price tags and several questions about it.
Question ShopQuestion(int level, int blanks, Rng& rng) {
    const int shown = std::min(4, std::max(3, blanks));
    QList<QPair<Item, int>> items = PickItems(ItemsFor(std::min(level, 3), rng), shown, rng);
    const Picture pic = SvgPicture(QStringLiteral("shop.svg"), ShopPicture(items));
    const QString intro = P(QStringLiteral("Look at the prices in the shop.")) +
                          P(html::Img(pic.name, QStringLiteral("price tags")));
    const auto name = [&](int i) { return QString::fromLatin1(items.at(i).first.tag).toLower(); };
    const auto money = [&](int cents, int mark, const QString& before) -> QPair<QString, Blank> {
        if (cents < 100)
            return qMakePair(before + Gap() + QStringLiteral(" c"), Number(cents, mark));
        return qMakePair(before + QStringLiteral("$") + Gap(), NumberText(DollarKey(cents), mark));
    };
    QList<Question> parts;
    for (int k = 0; k < blanks; ++k) {
        const int a = k % shown, b = (k + 1) % shown;
        const int pa = items.at(a).second, pb = items.at(b).second;
        QPair<QString, Blank> part;
        switch (k % 4) {
        case 0:
            part = money(pa + pb, 1,
                         QStringLiteral("How much do the %1 and the %2 cost altogether? ")
                             .arg(name(a), name(b)));
            break;
        case 1: {
            const int hi = std::max(pa, pb), lo = std::min(pa, pb);
            const int dear = pa >= pb ? a : b, cheap = pa >= pb ? b : a;
            part = money(hi - lo, 2,
                         QStringLiteral("How much more does the %1 cost than the %2? ")
                             .arg(name(dear), name(cheap)));
            break;
        }
        case 2: {
            const int note = pa + pb < 500 ? 500 : pa + pb < 1000 ? 1000 : 2000;
            part = money(note - pa - pb, 2,
                         QStringLiteral("Ben buys the %1 and the %2 with a %3 note. How much "
                                        "change does he get? ")
                             .arg(name(a), name(b), Label(note)));
            break;
        }
        default: {
            const int n = rng.range(2, 4);
            part = money(pa * n, 2,
                         QStringLiteral("How much do %1 %2 cost? ").arg(n).arg(Plural(name(a))));
            break;
        }
        }
        parts << Make(part.first, {part.second});
    }
    return Combine(intro, parts, {pic});
}

Question FixedMoney(const FixedQuestion& f, int level, Rng& rng) {
    if (f.keys.size() == 1 && f.kinds.at(0) == QLatin1String("N")) {
        const int cents = int(std::lround(f.keys.at(0).toDouble() * 100));
        Question q = AddPrices(std::max(level, 2), rng, cents, f.marks.at(0));
        q.blanks[0].key = f.keys.at(0);
        return q;
    }
    if (f.keys.size() == 1 && f.kinds.at(0) == QLatin1String("Q")) {
        Question q = CompareAmounts(level, rng, f.keys.at(0).toInt());
        q.blanks[0].mark = f.marks.at(0);
        return q;
    }
    return Question{};
}

} // namespace

QList<Question> GenerateTopic4(const PaperSpec& paperSpec, Rng& rng) {
    const QList<kit::Maker> makers = {
        {1, 3, CountMoney, 3},
        {1, 3, Convert, 2},
        {1, 5, [](int level, Rng& r) { return AddPrices(level, r); }, 3},
        {1, 4, [](int level, Rng& r) { return CompareAmounts(level, r); }, 1},
        {2, 4, CoinsInAmount, 2},
        {4, 5, CountMoney, 1},
        {2, 5, HowMuchMore, 2},
        {1, 5, Change, 3},
        {3, 5, Multiply, 2},
        {3, 5, Shortfall, 2},
        {4, 5, Saving, 2},
        {4, 5, FewestPieces, 1},
    };
    return kit::BuildPaper(paperSpec, rng, makers, ShopQuestion, FixedMoney);
}

} // namespace bank
