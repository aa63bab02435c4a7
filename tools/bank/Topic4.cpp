// Topic 4, Money: counting coins and notes, pounds and pence, adding prices,
// change, comparing amounts, the fewest coins, sharing and saving. Amounts of
// a pound and more are answered in pounds with two decimals ("24.80", with
// "£" beside the box), smaller ones in pence ("45", with "p" beside it).

#include "Bank.h"
#include "MeasureKit.h"
#include "Quantities.h"
#include "SvgExtra.h"
#include "SvgMoney.h"
#include "TopicKit.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace bank {

namespace {

using kit::Choice;
using kit::Gap;
using kit::Make;
using kit::Number;
using kit::NumberText;
using kit::P;
using kit::SvgPicture;
using mk::Child;
using mk::Worked;
using qty::Measure;

struct Item {
    const char* noun;   // "rubber"
    const char* plural; // "rubbers"
    const char* article;
};

// Price bands: what a pupil buys with coins, with a few pounds, with notes.
const QList<Item> kCheap = {{"pencil", "pencils", "a"},   {"rubber", "rubbers", "a"},
                            {"sticker", "stickers", "a"}, {"apple", "apples", "an"},
                            {"banana", "bananas", "a"},   {"lollipop", "lollipops", "a"},
                            {"balloon", "balloons", "a"}};
const QList<Item> kMiddle = {{"ruler", "rulers", "a"},
                             {"carton of juice", "cartons of juice", "a"},
                             {"notebook", "notebooks", "a"},
                             {"sandwich", "sandwiches", "a"},
                             {"comic", "comics", "a"},
                             {"toy car", "toy cars", "a"},
                             {"pencil case", "pencil cases", "a"},
                             {"bottle of water", "bottles of water", "a"}};
const QList<Item> kDear = {{"cap", "caps", "a"},
                           {"book", "books", "a"},
                           {"school bag", "school bags", "a"},
                           {"T-shirt", "T-shirts", "a"},
                           {"football", "footballs", "a"},
                           {"kite", "kites", "a"},
                           {"board game", "board games", "a"}};

QString Noun(const Item& it) {
    return QString::fromLatin1(it.noun);
}
QString WithArticle(const Item& it) {
    return QString::fromLatin1(it.article) + QLatin1Char(' ') + Noun(it);
}

// "45p", "£3.45", "£3".
QString Amount(int pence) {
    return svg::MoneyLabel(pence);
}
// "£3.45" even for whole pounds, as a sum is written.
QString Pounds(int pence) {
    return QStringLiteral("£%1.%2").arg(pence / 100).arg(pence % 100, 2, 10, QLatin1Char('0'));
}
QString PoundKey(int pence) {
    return QStringLiteral("%1.%2").arg(pence / 100).arg(pence % 100, 2, 10, QLatin1Char('0'));
}

// The answer line and blank for an amount: pence under a pound, else pounds.
QPair<QString, Blank> MoneyAnswer(const QString& lead, int pence, int mark,
                                  const QString& tail = QStringLiteral("."),
                                  bool forcePounds = false) {
    if (pence < 100 && !forcePounds)
        return {mk::Line(lead, QString(), QStringLiteral("p"), tail), Number(pence, mark)};
    return {mk::Line(lead, QStringLiteral("£"), QString(), tail),
            NumberText(PoundKey(pence), mark)};
}

QString InAnswerForm(int pence) {
    return pence < 100 ? Amount(pence) : Pounds(pence);
}

const QList<Item>& Band(int level, Rng& rng) {
    if (level <= 1)
        return kCheap;
    if (level == 2)
        return rng.chance(1, 2) ? kCheap : kMiddle;
    if (level == 3)
        return kMiddle;
    return rng.chance(1, 2) ? kMiddle : kDear;
}

// A price of the item, a multiple of 5p (of 10p at the lowest level).
int PriceOf(const Item& it, int level, Rng& rng) {
    return qty::Draw(Noun(it), Measure::Pence, rng, level <= 1 ? 10 : 5);
}

QList<QPair<Item, int>> PickItems(const QList<Item>& items, int count, int level, Rng& rng) {
    QList<int> order;
    for (int i = 0; i < items.size(); ++i)
        order << i;
    rng.shuffle(order);
    QList<QPair<Item, int>> out;
    for (int i = 0; i < count; ++i) {
        const Item& it = items.at(order.at(i % order.size()));
        out << qMakePair(it, PriceOf(it, level, rng));
    }
    return out;
}

// How to add two amounts, in words a pupil can follow.
QStringList AddSteps(int a, int b) {
    const int total = a + b;
    if (a < 100 && b < 100) {
        QStringList steps{QStringLiteral("Add the pence: %1 + %2 = %3p.").arg(a).arg(b).arg(total)};
        if (total >= 100)
            steps << QStringLiteral("100p is £1, so %1p is %2.").arg(total).arg(Pounds(total));
        return steps;
    }
    const int pence = a % 100 + b % 100;
    QStringList steps{
        QStringLiteral("Add the pounds: £%1 + £%2 = £%3.")
            .arg(a / 100)
            .arg(b / 100)
            .arg(a / 100 + b / 100),
        QStringLiteral("Add the pence: %1p + %2p = %3p.").arg(a % 100).arg(b % 100).arg(pence)};
    if (pence >= 100)
        steps << QStringLiteral("%1p is £1 and %2p, so carry £1 to the pounds.")
                     .arg(pence)
                     .arg(pence - 100);
    steps << QStringLiteral("Altogether: %1 + %2 = %3.").arg(Pounds(a), Pounds(b), Pounds(total));
    return steps;
}

// How to take one amount from another: both in pence, then back to pounds.
QStringList SubtractSteps(int big, int small) {
    const int diff = big - small;
    if (big < 100)
        return {QStringLiteral("Take away: %1p − %2p = %3p.").arg(big).arg(small).arg(diff)};
    QStringList steps;
    if (small >= 100)
        steps << QStringLiteral("Write both in pence: %1 = %2p and %3 = %4p.")
                     .arg(InAnswerForm(big))
                     .arg(big)
                     .arg(InAnswerForm(small))
                     .arg(small);
    else
        steps << QStringLiteral("Write %1 in pence: %2p.").arg(InAnswerForm(big)).arg(big);
    steps << QStringLiteral("Take away: %1p − %2p = %3p.").arg(big).arg(small).arg(diff);
    if (diff >= 100)
        steps << QStringLiteral("%1p is %2.").arg(diff).arg(Pounds(diff));
    return steps;
}

// Counting on from the cost to the amount paid, in easy jumps.
QStringList CountOnSteps(int cost, int paid) {
    QStringList jumps;
    int at = cost;
    QStringList trail{InAnswerForm(cost)};
    const auto jump = [&](int to) {
        if (to <= at)
            return;
        jumps << Amount(to - at);
        at = to;
        trail << InAnswerForm(at);
    };
    jump(std::min(paid, (at + 9) / 10 * 10));    // to the next 10p
    jump(std::min(paid, (at + 99) / 100 * 100)); // to the next pound
    jump(paid);
    QStringList steps{
        QStringLiteral("Count on from %1 to %2: %3.")
            .arg(InAnswerForm(cost), InAnswerForm(paid), trail.join(QStringLiteral(", ")))};
    steps << QStringLiteral("The jumps are %1, which make %2.")
                 .arg(mk::ListAnd(jumps), InAnswerForm(paid - cost));
    return steps;
}

// ---------------------------------------------------------------------------

// Coins (and at higher levels notes) to count.
QList<int> RandomPieces(int level, Rng& rng) {
    QList<int> kinds;
    int count = 0;
    int limit = 0;
    switch (level) {
    case 1:
        kinds = {1, 2, 5, 10, 20};
        count = rng.range(3, 5);
        limit = 99;
        break;
    case 2:
        kinds = {2, 5, 10, 20, 50, 100};
        count = rng.range(4, 6);
        limit = 300;
        break;
    case 3:
        kinds = {5, 10, 20, 50, 100, 200};
        count = rng.range(5, 7);
        limit = 1000;
        break;
    case 4:
        kinds = {1, 2, 5, 10, 20, 50, 100, 200, 500};
        count = rng.range(6, 8);
        limit = 2000;
        break;
    default:
        kinds = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000};
        count = rng.range(7, 9);
        limit = 5000;
        break;
    }
    for (;;) {
        QList<int> pieces;
        int notes = 0;
        for (int i = 0; i < count; ++i) {
            pieces << rng.pick(kinds);
            notes += pieces.last() >= 500 ? 1 : 0;
        }
        int total = 0;
        for (int p : pieces)
            total += p;
        if (total <= limit && notes <= 2 && (level < 3 || total >= 100))
            return pieces;
    }
}

Question CountMoney(int level, Rng& rng) {
    QList<int> pieces = RandomPieces(level, rng);
    std::sort(pieces.begin(), pieces.end(), std::greater<int>());
    int total = 0;
    QStringList running;
    for (int p : pieces) {
        total += p;
        running << InAnswerForm(total);
    }
    const Picture pic = SvgPicture(QStringLiteral("money.svg"), svg::PoundsPicture(pieces));
    const QString alt = QStringLiteral("Money: %1.").arg(svg::PiecesInWords(pieces));
    const Child c = mk::AnyChild(rng);
    QString ask;
    switch (rng.range(0, 2)) {
    case 0:
        ask = QStringLiteral("How much money is there altogether?");
        break;
    case 1:
        ask = QStringLiteral("%1 has this money in %2 purse. How much does %3 have?")
                  .arg(c.name, c.his(), c.he());
        break;
    default:
        ask = QStringLiteral("%1 empties a money box and finds this money. How much is there?")
                  .arg(c.name);
        break;
    }
    const auto [line, blank] =
        MoneyAnswer(QStringLiteral("There is "), total, mk::Mark(level), QStringLiteral("."));
    QStringList steps{
        QStringLiteral("Start with the largest coin or note and add on the others one at a time."),
        QStringLiteral("The money is: %1.").arg(svg::PiecesInWords(pieces)),
        QStringLiteral("Counting on: %1.").arg(running.join(QStringLiteral(", ")))};
    if (total >= 100)
        steps << QStringLiteral("So there is %1.").arg(Pounds(total));
    return Worked(Make(P(ask) + P(html::Img(pic.name, alt)) + line, {blank}, {pic}), steps);
}

Question Convert(int level, Rng& rng) {
    if (level <= 1) {
        const int pounds = rng.range(1, 4);
        const bool askPence = rng.chance(2, 3);
        if (askPence)
            return Worked(
                Make(mk::Line(QStringLiteral("£%1 = ").arg(pounds), QString(), QStringLiteral("p")),
                     {Number(pounds * 100)}),
                {QStringLiteral("£1 is 100p."),
                 QStringLiteral("£%1 is %1 × 100p = %2p.").arg(pounds).arg(pounds * 100)});
        return Worked(Make(P(QStringLiteral("How many pence are there in £%1?").arg(pounds)) +
                               mk::Line(QString(), QString(), QStringLiteral("p")),
                           {Number(pounds * 100)}),
                      {QStringLiteral("Each pound is 100p."),
                       QStringLiteral("%1 lots of 100p make %2p.").arg(pounds).arg(pounds * 100)});
    }
    const int pence =
        level == 2 ? 100 * rng.range(1, 9) + 10 * rng.range(1, 9)
                   : 100 * rng.range(1, 19) +
                         (level >= 4 && rng.chance(1, 2) ? rng.range(1, 9) : 5 * rng.range(1, 19));
    const QStringList steps{
        QStringLiteral(
            "100p is £1, so the pounds are the hundreds and the pence are the last two digits."),
        QStringLiteral("%1p = £%2 and %3p = %4.")
            .arg(pence)
            .arg(pence / 100)
            .arg(pence % 100)
            .arg(Pounds(pence))};
    if (rng.chance(1, 2))
        return Worked(Make(P(QStringLiteral("Write %1 in pence.").arg(Pounds(pence))) +
                               mk::Line(QString(), QString(), QStringLiteral("p")),
                           {Number(pence, mk::Mark(level))}),
                      steps);
    return Worked(Make(P(QStringLiteral("Write %1p in pounds.").arg(pence)) +
                           mk::Line(QString(), QStringLiteral("£"), QString()),
                       {NumberText(PoundKey(pence), mk::Mark(level))}),
                  steps);
}

QByteArray ShopPicture(const QList<QPair<Item, int>>& items) {
    QString body;
    for (int i = 0; i < items.size(); ++i) {
        QString tag = kit::Cap(Noun(items.at(i).first));
        body += svg::PriceTag(10 + i * 165, 6, 152, tag, Amount(items.at(i).second), i);
    }
    return svg::Document(int(items.size()) * 165 + 10, 104, body);
}

QString TagsAlt(const QList<QPair<Item, int>>& items) {
    QStringList tags;
    for (const auto& it : items)
        tags << QStringLiteral("%1 %2").arg(kit::Cap(Noun(it.first)), Amount(it.second));
    return QStringLiteral("Price tags: %1.").arg(tags.join(QStringLiteral(", ")));
}

Question AddPrices(int level, Rng& rng) {
    const Child c = mk::AnyChild(rng);
    const int count = level >= 4 ? 3 : 2;
    auto items = PickItems(Band(level, rng), count, level, rng);
    for (int i = 0; i < 20 && level <= 1 && items.at(0).second + items.at(1).second >= 100; ++i) {
        qty::TakeUses();
        items = PickItems(Band(level, rng), count, level, rng);
    }
    int total = 0;
    QStringList bought;
    for (const auto& it : items) {
        total += it.second;
        bought << WithArticle(it.first) + QStringLiteral(" for ") + Amount(it.second);
    }
    QString ask;
    QList<Picture> pics;
    QString pictureHtml;
    switch (rng.range(0, 2)) {
    case 0:
        ask = QStringLiteral("%1 buys %2. How much does %3 spend altogether?")
                  .arg(c.name, mk::ListAnd(bought), c.he());
        break;
    case 1: {
        QStringList names;
        for (const auto& it : items)
            names << QStringLiteral("the ") + Noun(it.first);
        pics << SvgPicture(QStringLiteral("shop.svg"), ShopPicture(items));
        pictureHtml = P(html::Img(pics.first().name, TagsAlt(items)));
        ask = QStringLiteral("Look at the price tags. What is the total cost of %1?")
                  .arg(mk::ListAnd(names));
        break;
    }
    default:
        ask = QStringLiteral("At the school fair %1 pays for %2. What does %3 pay in all?")
                  .arg(c.name, mk::ListAnd(bought), c.he());
        break;
    }
    QStringList steps;
    int sum = items.at(0).second;
    for (int i = 1; i < items.size(); ++i) {
        steps += AddSteps(sum, items.at(i).second);
        sum += items.at(i).second;
    }
    const auto [line, blank] = MoneyAnswer(QStringLiteral("Total: "), total,
                                           mk::Mark(level, count == 3 ? 2 : 1), QString());
    return Worked(Make(P(ask) + pictureHtml + line, {blank}, pics), steps);
}

// The coin or note paid with: the first that covers the cost.
int PaidWith(int cost, int level, Rng& rng) {
    static const QList<int> payments = {20, 50, 100, 200, 500, 1000, 2000, 5000};
    int i = 0;
    while (payments.at(i) <= cost)
        ++i;
    if (level >= 4 && rng.chance(1, 3) && i + 1 < payments.size())
        ++i;
    return payments.at(i);
}

QString PaidText(int paid) {
    return paid >= 500 ? QStringLiteral("a %1 note").arg(Amount(paid))
                       : QStringLiteral("a %1 coin").arg(Amount(paid));
}

Question Change(int level, Rng& rng) {
    const Child c = mk::AnyChild(rng);
    const int count = level >= 5 ? 2 : 1;
    const auto items = PickItems(Band(level, rng), count, level, rng);
    int cost = 0;
    QStringList what;
    for (const auto& it : items) {
        cost += it.second;
        what << WithArticle(it.first) + QStringLiteral(" for ") + Amount(it.second);
    }
    const int paid = PaidWith(cost, level, rng);
    const int change = paid - cost;
    QString ask;
    switch (rng.range(0, 2)) {
    case 0:
        ask = QStringLiteral("%1 buys %2 and pays with %3. How much change does %4 get?")
                  .arg(c.name, mk::ListAnd(what), PaidText(paid), c.he());
        break;
    case 1:
        ask = QStringLiteral("%1 hands the shopkeeper %2 for %3. What change should %1 be given?")
                  .arg(c.name, PaidText(paid), mk::ListAnd(what));
        break;
    default:
        ask = QStringLiteral("%1 wants %2. %3 has only %4. How much change will %5 get back?")
                  .arg(c.name, mk::ListAnd(what), kit::Cap(c.he()), PaidText(paid), c.he());
        break;
    }
    QStringList steps;
    if (count == 2) {
        steps += AddSteps(items.at(0).second, items.at(1).second);
    }
    steps += CountOnSteps(cost, paid);
    const auto [line, blank] =
        MoneyAnswer(QStringLiteral("Change: "), change, mk::Mark(level, 1), QString());
    return Worked(Make(P(ask) + line, {blank}), steps);
}

// Four different amounts written in pence or pounds; which is most or least.
Question CompareAmounts(int level, Rng& rng, int forced = 0) {
    QList<int> values;
    while (values.size() < 4) {
        int v = 0;
        if (level <= 1)
            v = 5 * rng.range(2, 19);
        else if (level <= 2)
            v = 5 * rng.range(10, 60);
        else
            v = 5 * rng.range(20, 199);
        if (!values.contains(v))
            values << v;
    }
    if (level >= 3) {
        // Two that look alike: the same digits, in pence and in pounds.
        const int swapped =
            (values.at(0) / 100) * 100 + (values.at(0) % 10) * 10 + (values.at(0) / 10) % 10;
        if (swapped != values.at(0) && swapped % 5 == 0 && !values.contains(swapped) && swapped > 0)
            values[1] = swapped;
    }
    const bool most = rng.chance(1, 2);
    int best = values.at(0);
    for (int v : values)
        best = most ? std::max(best, v) : std::min(best, v);
    QHash<int, QString> written;
    for (int v : values)
        written[v] = v < 100 || (level >= 3 && rng.chance(1, 3))
                         ? QString::number(v) + QLatin1Char('p')
                         : Pounds(v);
    QStringList others;
    for (int v : values) {
        if (v != best)
            others << written.value(v);
    }
    int key = 0;
    const QString options = kit::Options(written.value(best), others, rng, &key, forced);
    QStringList inPence;
    for (int v : values)
        inPence << QStringLiteral("%1 = %2p").arg(written.value(v)).arg(v);
    const QString word = most ? QStringLiteral("most") : QStringLiteral("least");
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("Which amount of money is the %1?")
                  .arg(most ? QStringLiteral("greatest") : QStringLiteral("smallest"))
            : QStringLiteral("Four purses hold these amounts. Which purse holds the %1 money?")
                  .arg(word);
    return Worked(
        Make(P(ask) + options + mk::ChooseNote(), {Choice(key, mk::Mark(level))}),
        QStringList{QStringLiteral("Write every amount in pence: %1.")
                        .arg(inPence.join(QStringLiteral(", "))),
                    QStringLiteral("The %1 is %2p, which is %3, option %4.")
                        .arg(most ? QStringLiteral("greatest") : QStringLiteral("smallest"))
                        .arg(best)
                        .arg(written.value(best))
                        .arg(key)});
}

Question CoinsInAmount(int level, Rng& rng) {
    int coin = 0, amount = 0;
    if (level <= 2) {
        static const QList<QPair<int, int>> easy = {{10, 100}, {20, 100}, {50, 100}, {5, 50},
                                                    {2, 20},   {10, 50},  {50, 200}, {20, 200}};
        const auto pair = rng.pick(easy);
        coin = pair.first;
        amount = pair.second;
    } else if (level == 3) {
        coin = rng.pick(QList<int>{5, 10, 20, 50});
        amount = 100 * rng.range(2, 5);
    } else {
        coin = rng.pick(QList<int>{20, 50, 10, 5});
        amount = coin * rng.range(11, 30);
    }
    const Child c = mk::AnyChild(rng);
    const int n = amount / coin;
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("How many %1 coins make %2?").arg(Amount(coin), Amount(amount))
            : QStringLiteral("%1 changes %2 into %3 coins at the bank. How many coins does %4 get?")
                  .arg(c.name, Amount(amount), Amount(coin), c.he());
    QStringList steps;
    if (amount >= 100)
        steps << QStringLiteral("%1 is %2p.").arg(Amount(amount)).arg(amount);
    steps << QStringLiteral("%1 ÷ %2 = %3, because %3 × %2p = %1p.").arg(amount).arg(coin).arg(n);
    return Worked(Make(P(ask) + mk::Line(QString(), QString(), QStringLiteral("coins")),
                       {Number(n, mk::Mark(level))}),
                  steps);
}

Question HowMuchMore(int level, Rng& rng) {
    auto items = PickItems(Band(level, rng), 2, level, rng);
    while (items.at(0).second == items.at(1).second)
        items = PickItems(Band(level, rng), 2, level, rng);
    const auto& dear = items.at(0).second > items.at(1).second ? items.at(0) : items.at(1);
    const auto& cheap = items.at(0).second > items.at(1).second ? items.at(1) : items.at(0);
    const int diff = dear.second - cheap.second;
    const bool cheaper = rng.chance(1, 2);
    const QString ask =
        cheaper
            ? QStringLiteral("%1 costs %2 and %3 costs %4. How much cheaper is the %5 than the %6?")
                  .arg(kit::Cap(WithArticle(dear.first)), Amount(dear.second),
                       WithArticle(cheap.first), Amount(cheap.second), Noun(cheap.first),
                       Noun(dear.first))
            : QStringLiteral(
                  "%1 costs %2. %3 costs %4. How much more does the %5 cost than the %6?")
                  .arg(kit::Cap(WithArticle(dear.first)), Amount(dear.second),
                       kit::Cap(WithArticle(cheap.first)), Amount(cheap.second), Noun(dear.first),
                       Noun(cheap.first));
    QStringList steps{
        QStringLiteral("Find the difference: take the smaller price from the larger.")};
    steps += SubtractSteps(dear.second, cheap.second);
    const auto [line, blank] =
        MoneyAnswer(QString(), diff, mk::Mark(level, 1),
                    cheaper ? QStringLiteral(" cheaper") : QStringLiteral(" more"));
    return Worked(Make(P(ask) + line, {blank}), steps);
}

Question Multiply(int level, Rng& rng) {
    const Item& it = rng.pick(level <= 3 ? kCheap : kMiddle);
    int price = PriceOf(it, level, rng);
    const int n = rng.range(level <= 3 ? 2 : 3, level <= 3 ? 5 : 8);
    const int total = price * n;
    const Child c = mk::AnyChild(rng);
    const QString ask = rng.chance(1, 2)
                            ? QStringLiteral("One %1 costs %2. How much do %3 %4 cost?")
                                  .arg(Noun(it), Amount(price))
                                  .arg(n)
                                  .arg(QString::fromLatin1(it.plural))
                            : QStringLiteral("%1 buys %2 %3 at %4 each. How much does %5 pay?")
                                  .arg(c.name)
                                  .arg(n)
                                  .arg(QString::fromLatin1(it.plural), Amount(price), c.he());
    QStringList steps{QStringLiteral("%1 lots of %2: %1 × %3p = %4p.")
                          .arg(n)
                          .arg(Amount(price))
                          .arg(price)
                          .arg(total)};
    if (price >= 100)
        steps.prepend(QStringLiteral("%1 is %2p.").arg(Amount(price)).arg(price));
    if (total >= 100)
        steps << QStringLiteral("%1p is %2.").arg(total).arg(Pounds(total));
    const auto [line, blank] =
        MoneyAnswer(QStringLiteral("Cost: "), total, mk::Mark(level, 1), QString());
    return Worked(Make(P(ask) + line, {blank}), steps);
}

Question Shortfall(int level, Rng& rng) {
    const Child c = mk::AnyChild(rng);
    const auto items = PickItems(Band(level, rng), 1, level, rng);
    const int price = items.at(0).second;
    const int has = std::max(5, price - 5 * rng.range(2, std::max(3, price / 10)));
    const int diff = price - has;
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral(
                  "%1 has %2. %3 wants to buy %4 that costs %5. How much more money does %6 need?")
                  .arg(c.name, Amount(has), kit::Cap(c.he()), WithArticle(items.at(0).first),
                       Amount(price), c.he())
            : QStringLiteral("%1 costs %2. %3 has saved %4. How much is %5 short?")
                  .arg(kit::Cap(WithArticle(items.at(0).first)), Amount(price), c.name, Amount(has),
                       c.he());
    QStringList steps{QStringLiteral("Take what %1 has from the price.").arg(c.name)};
    steps += SubtractSteps(price, has);
    const auto [line, blank] =
        MoneyAnswer(QString(), diff, mk::Mark(level, 1), QStringLiteral(" more"));
    return Worked(Make(P(ask) + line, {blank}), steps);
}

Question Saving(int level, Rng& rng) {
    const Child c = mk::AnyChild(rng);
    const int weekly =
        qty::Draw(QStringLiteral("pocket money"), Measure::Pence, rng, level <= 4 ? 50 : 25);
    const int weeks = rng.range(3, level <= 4 ? 6 : 10);
    const int total = weekly * weeks;
    if (rng.chance(1, 2)) {
        return Worked(
            Make(P(QStringLiteral("%1 saves %2 of pocket money every week. How much has %3 saved "
                                  "after %4 weeks?")
                       .arg(c.name, Amount(weekly), c.he())
                       .arg(weeks)) +
                     MoneyAnswer(QStringLiteral("Saved: "), total, 2, QString(), true).first,
                 {MoneyAnswer(QString(), total, mk::Mark(level, 1), QString(), true).second}),
            {QStringLiteral("%1 weeks of %2: %1 × %3p = %4p.")
                 .arg(weeks)
                 .arg(Amount(weekly))
                 .arg(weekly)
                 .arg(total),
             QStringLiteral("%1p is %2.").arg(total).arg(Pounds(total))});
    }
    return Worked(
        Make(P(QStringLiteral("%1 saves %2 every week. How many weeks does %3 need to save %4?")
                   .arg(c.name, Amount(weekly), c.he(), Pounds(total))) +
                 mk::Line(QString(), QString(), QStringLiteral("weeks")),
             {Number(weeks, mk::Mark(level, 1))}),
        {QStringLiteral("%1 is %2p.").arg(Pounds(total)).arg(total),
         QStringLiteral("How many lots of %1p make %2p? %2 ÷ %1 = %3.")
             .arg(weekly)
             .arg(total)
             .arg(weeks)});
}

Question FewestCoins(int level, Rng& rng) {
    const QList<int> all = level >= 5 ? QList<int>{2000, 1000, 500, 200, 100, 50, 20, 10, 5, 2, 1}
                                      : QList<int>{200, 100, 50, 20, 10, 5, 2, 1};
    const int amount = level == 4 ? rng.range(21, 99) : 5 * rng.range(60, 700) + rng.range(0, 4);
    int left = amount;
    QList<int> used;
    for (int d : all) { // the pound's coins and notes: largest first gives the fewest
        while (left >= d) {
            used << d;
            left -= d;
        }
    }
    QStringList labels;
    for (int p : used)
        labels << Amount(p);
    const QString what = level >= 5 ? QStringLiteral("coins and notes") : QStringLiteral("coins");
    return Worked(
        Make(P(QStringLiteral("What is the smallest number of %1 that make %2 exactly?")
                   .arg(what, InAnswerForm(amount))) +
                 mk::Line(QString(), QString(), what),
             {Number(int(used.size()), mk::Mark(level, 1))}),
        {QStringLiteral("Take the largest coin or note that fits, again and again."),
         QStringLiteral("%1 = %2.").arg(InAnswerForm(amount), labels.join(QStringLiteral(" + "))),
         QStringLiteral("That is %1 %2.").arg(used.size()).arg(what)});
}

Question Share(int level, Rng& rng) {
    const int people = rng.range(2, level >= 5 ? 6 : 4);
    const int each = level >= 5 ? 5 * rng.range(11, 99) : 10 * rng.range(3, 30);
    const int total = each * people;
    const Child c = mk::AnyChild(rng);
    const QString ask =
        rng.chance(1, 2)
            ? QStringLiteral("%1 friends share %2 equally. How much does each friend get?")
                  .arg(people)
                  .arg(Pounds(total))
            : QStringLiteral("%1 shares %2 equally between %4 %3 pots. How much goes in each pot?")
                  .arg(c.name, Pounds(total))
                  .arg(people)
                  .arg(c.his());
    QStringList steps{
        QStringLiteral("%1 is %2p.").arg(Pounds(total)).arg(total),
        QStringLiteral("%1p ÷ %2 = %3p, because %2 × %3 = %1.").arg(total).arg(people).arg(each)};
    if (each >= 100)
        steps << QStringLiteral("%1p is %2.").arg(each).arg(Pounds(each));
    const auto [line, blank] =
        MoneyAnswer(QStringLiteral("Each: "), each, mk::Mark(level, 1), QString());
    return Worked(Make(P(ask) + line, {blank}), steps);
}

// Which note or coin to pay with, and what is left.
Question MissingCoin(int level, Rng& rng) {
    const Child c = mk::AnyChild(rng);
    QList<int> pieces;
    const QList<int> kinds = level <= 2 ? QList<int>{5, 10, 20} : QList<int>{10, 20, 50, 100};
    for (int i = rng.range(2, 3); i > 0; --i)
        pieces << rng.pick(kinds);
    int has = 0;
    for (int p : pieces)
        has += p;
    const QList<Item>& band = level <= 2 ? kCheap : kMiddle;
    Item item = rng.pick(band);
    int target = PriceOf(item, level, rng);
    for (int i = 0; i < 50 && target <= has; ++i) {
        qty::TakeUses(); // too cheap: a price the question does not use
        item = rng.pick(band);
        target = PriceOf(item, level, rng);
    }
    if (target <= has)
        return MissingCoin(level, rng);
    const int need = target - has;
    std::sort(pieces.begin(), pieces.end(), std::greater<int>());
    const Picture pic = SvgPicture(QStringLiteral("coins.svg"), svg::PoundsPicture(pieces));
    return Worked(
        Make(P(QStringLiteral(
                   "%1 has these coins. %2 wants %3 that costs %4. How much more does %5 need?")
                   .arg(c.name, kit::Cap(c.he()), WithArticle(item), Amount(target), c.he())) +
                 P(html::Img(pic.name,
                             QStringLiteral("Money: %1.").arg(svg::PiecesInWords(pieces)))) +
                 MoneyAnswer(QString(), need, 1, QStringLiteral(" more")).first,
             {MoneyAnswer(QString(), need, mk::Mark(level, 1)).second}, {pic}),
        QStringList{QStringLiteral("Count the coins: %1 make %2.")
                        .arg(svg::PiecesInWords(pieces), InAnswerForm(has))} +
            SubtractSteps(target, has));
}

// A shop with price tags and several questions about it.
Question ShopQuestion(int level, int blanks, Rng& rng) {
    const int shown = std::min(4, std::max(3, blanks));
    const auto items = PickItems(level >= 4 ? kMiddle : Band(level, rng), shown, level, rng);
    const Picture pic = SvgPicture(QStringLiteral("shop.svg"), ShopPicture(items));
    const Child c = mk::AnyChild(rng);
    const QString intro = P(QStringLiteral("%1 looks at the prices in the shop.").arg(c.name)) +
                          P(html::Img(pic.name, TagsAlt(items)));
    const auto name = [&](int i) { return Noun(items.at(i).first); };
    QList<Question> parts;
    for (int k = 0; k < blanks; ++k) {
        const int a = k % shown, b = (k + 1) % shown;
        const int pa = items.at(a).second, pb = items.at(b).second;
        switch ((k + level) % 4) {
        case 0: {
            const auto ans = MoneyAnswer(QString(), pa + pb, 1, QString());
            parts << Worked(Make(QStringLiteral("How much do the %1 and the %2 cost altogether?")
                                         .arg(name(a), name(b)) +
                                     ans.first,
                                 {ans.second}),
                            AddSteps(pa, pb));
            break;
        }
        case 1: {
            const int dear = pa >= pb ? a : b, cheap = pa >= pb ? b : a;
            const int hi = std::max(pa, pb), lo = std::min(pa, pb);
            if (hi == lo) {
                const auto ans = MoneyAnswer(QString(), pa + pb, 1, QString());
                parts << Worked(Make(QStringLiteral("What do the %1 and the %2 cost together?")
                                             .arg(name(a), name(b)) +
                                         ans.first,
                                     {ans.second}),
                                AddSteps(pa, pb));
                break;
            }
            const auto ans = MoneyAnswer(QString(), hi - lo, std::min(2, level), QString());
            parts << Worked(Make(QStringLiteral("How much more does the %1 cost than the %2?")
                                         .arg(name(dear), name(cheap)) +
                                     ans.first,
                                 {ans.second}),
                            SubtractSteps(hi, lo));
            break;
        }
        case 2: {
            const int paid = PaidWith(pa + pb, 3, rng);
            const auto ans = MoneyAnswer(QString(), paid - pa - pb, std::min(2, level), QString());
            parts << Worked(
                Make(QStringLiteral(
                         "%1 buys the %2 and the %3 with %4. How much change does %5 get?")
                             .arg(c.name, name(a), name(b), PaidText(paid), c.he()) +
                         ans.first,
                     {ans.second}),
                AddSteps(pa, pb) + CountOnSteps(pa + pb, paid));
            break;
        }
        default: {
            const int n = rng.range(2, 4);
            const auto ans = MoneyAnswer(QString(), pa * n, 2, QString());
            parts << Worked(
                Make(QStringLiteral("How much do %1 %2 cost?")
                             .arg(n)
                             .arg(QString::fromLatin1(items.at(a).first.plural)) +
                         ans.first,
                     {ans.second}),
                QStringList{QStringLiteral("%1 × %2p = %3p.").arg(n).arg(pa).arg(pa * n)} +
                    (pa * n >= 100
                         ? QStringList{QStringLiteral("%1p is %2.").arg(pa * n).arg(Pounds(pa * n))}
                         : QStringList{}));
            break;
        }
        }
    }
    return mk::Combine(intro, parts, {pic});
}

// The sample record: two things whose prices make the fixed total.
Question FixedMoney(const FixedQuestion& f, int level, Rng& rng) {
    if (f.keys.size() != 1 || f.kinds.at(0) != QLatin1String("N"))
        return Question{};
    const int total = int(std::lround(f.keys.at(0).toDouble() * 100));
    for (;;) {
        QList<Item> dear = kDear;
        rng.shuffle(dear);
        const qty::Range& ra = qty::Of(Noun(dear.at(0)), Measure::Pence);
        const qty::Range& rb = qty::Of(Noun(dear.at(1)), Measure::Pence);
        const int lo = std::max(ra.lo, total - rb.hi), hi = std::min(ra.hi, total - rb.lo);
        if (lo > hi)
            continue;
        const int a = lo + 5 * rng.range(0, (hi - lo) / 5);
        const int b = total - a;
        qty::Use(Noun(dear.at(0)), Measure::Pence, a);
        qty::Use(Noun(dear.at(1)), Measure::Pence, b);
        const Child c = mk::AnyChild(rng);
        const QString ask =
            QStringLiteral(
                "For %1 birthday, %2 chooses %3 for %4 and %5 for %6. What do they cost together?")
                .arg(c.his(), c.name, WithArticle(dear.at(0)), Pounds(a), WithArticle(dear.at(1)),
                     Pounds(b));
        Question q =
            Make(P(ask) + mk::Line(QStringLiteral("Together: "), QStringLiteral("£"), QString()),
                 {NumberText(f.keys.at(0), f.marks.at(0))});
        Q_UNUSED(level);
        return Worked(q, AddSteps(a, b));
    }
}

QStringList Words() {
    QStringList words;
    for (const auto* band : {&kCheap, &kMiddle, &kDear}) {
        for (const Item& it : *band)
            words << QString::fromLatin1(it.plural) << Noun(it);
    }
    for (const Child& c : mk::Children())
        words << c.name;
    words << QStringLiteral("she") << QStringLiteral("he") << QStringLiteral("her")
          << QStringLiteral("his") << QStringLiteral("him");
    return words;
}

} // namespace

QList<Question> GenerateTopic4(const PaperSpec& paperSpec, Rng& rng) {
    const QList<mk::Maker> makers = {
        {1, 5, CountMoney},    {1, 4, Convert},
        {1, 5, AddPrices},     {1, 4, [](int level, Rng& r) { return CompareAmounts(level, r); }},
        {1, 4, CoinsInAmount}, {1, 3, MissingCoin},
        {2, 5, HowMuchMore},   {1, 5, Change},
        {3, 5, Multiply},      {3, 5, Shortfall},
        {4, 5, Saving},        {4, 5, FewestCoins},
        {4, 5, Share},
    };
    return mk::BuildPaper(paperSpec, rng, makers, ShopQuestion, FixedMoney, Words());
}

} // namespace bank
