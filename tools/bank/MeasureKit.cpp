#include "MeasureKit.h"

#include "Quantities.h"
#include "Vocabulary.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <climits>

namespace bank::mk {

QString ChooseNote() {
    return kit::Note(QStringLiteral("Write the number of your answer (1, 2, 3 or 4)."));
}

QString Line(const QString& lead, const QString& before, const QString& after,
             const QString& tail) {
    QString out = lead;
    if (!before.isEmpty())
        out += before + QLatin1Char(' ');
    out += kit::Gap();
    if (!after.isEmpty())
        out += QLatin1Char(' ') + after;
    return kit::P(out + tail);
}

QString Typed(const Blank& blank) {
    if (blank.kind == QLatin1String("M") || blank.kind == QLatin1String("G"))
        return blank.key.section(QLatin1Char(';'), 1, 1);
    return blank.key;
}

Question Worked(Question q, const QStringList& steps) {
    q.working.steps = steps;
    q.working.answers.clear();
    for (const Blank& b : q.blanks)
        q.working.answers << Typed(b);
    // The unit beside each answer space goes with the answer in the working:
    // "£" before the space, or the words after it ("g heavier", "August").
    static const QRegularExpression gap(QStringLiteral("(£ )?<span class=\"box\"></span>([^<]*)"));
    QStringList units;
    for (auto it = gap.globalMatch(q.html); it.hasNext();) {
        const auto m = it.next();
        QString after = m.captured(2).trimmed();
        while (after.endsWith(QLatin1Char('.')))
            after.chop(1);
        units << (m.captured(1).isEmpty() ? after : QStringLiteral("£"));
    }
    if (units.size() == q.blanks.size())
        q.working.units = units;
    return q;
}

Question Combine(const QString& intro, const QList<Question>& parts, const QList<Picture>& shared) {
    // Each part stays on one line of the source, as a table cell of its own.
    QList<Question> oneLine = parts;
    for (Question& part : oneLine)
        part.html = part.html.trimmed().replace(QLatin1Char('\n'), QLatin1Char(' '));
    Question q = kit::Combine(intro, oneLine, shared);
    q.working = Working{};
    for (int i = 0; i < parts.size(); ++i) {
        const Working& w = parts.at(i).working;
        for (int s = 0; s < w.steps.size(); ++s) {
            q.working.steps << (s == 0 ? html::PartLabel(i) + QLatin1Char(' ') : QString()) +
                                   w.steps.at(s);
        }
        q.working.answers += w.answers;
        QStringList units = w.units;
        while (units.size() < w.answers.size())
            units << QString();
        q.working.units += units;
        q.working.pictures += w.pictures;
    }
    return q;
}

Question CombineFrom(const QString& intro, const QList<Question>& pool, int count,
                     const QList<Picture>& shared) {
    QList<Question> parts;
    for (int k = 0; k < count; ++k)
        parts << pool.at(k % pool.size());
    return Combine(intro, parts, shared);
}

const QList<Child>& Children() {
    static const QList<Child> children = {
        {QStringLiteral("Amelia"), true}, {QStringLiteral("Oliver"), false},
        {QStringLiteral("Isla"), true},   {QStringLiteral("Harry"), false},
        {QStringLiteral("Priya"), true},  {QStringLiteral("Jack"), false},
        {QStringLiteral("Freya"), true},  {QStringLiteral("Noah"), false},
        {QStringLiteral("Aisha"), true},  {QStringLiteral("George"), false},
        {QStringLiteral("Poppy"), true},  {QStringLiteral("Yusuf"), false},
        {QStringLiteral("Ruby"), true},   {QStringLiteral("Alfie"), false},
        {QStringLiteral("Maya"), true},   {QStringLiteral("Kofi"), false},
    };
    return children;
}

Child AnyChild(Rng& rng) {
    return rng.pick(Children());
}

QPair<Child, Child> TwoChildren(Rng& rng) {
    const Child a = AnyChild(rng);
    Child b = AnyChild(rng);
    while (b.name == a.name)
        b = AnyChild(rng);
    return {a, b};
}

FixedMaker NoFixed() {
    return [](const FixedQuestion&, int, Rng&) { return Question{}; };
}

QStringList WithPeople(QStringList words) {
    for (const Child& c : Children())
        words << c.name;
    words << QStringLiteral("she") << QStringLiteral("he") << QStringLiteral("her")
          << QStringLiteral("his");
    std::sort(words.begin(), words.end(),
              [](const QString& x, const QString& y) { return x.size() > y.size(); });
    return words;
}

QString KindOf(const QString& visibleText, const QStringList& words) {
    static const QRegularExpression number(QStringLiteral("\\d+([.:,]\\d+)*"));
    QString kind = visibleText;
    kind.replace(number, QStringLiteral("#"));
    for (const QString& w : words) {
        kind.replace(
            QRegularExpression(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(w)),
                               QRegularExpression::CaseInsensitiveOption),
            QStringLiteral("@"));
    }
    return kind;
}

int Mark(int level, int base) {
    return std::min(3, base + (level >= 2 ? 1 : 0) + (level >= 4 ? 1 : 0));
}

int Draw(const QString& object, int measure, int step, Rng& rng) {
    return DrawWithin(object, measure, step, INT_MIN / 2, INT_MAX / 2, rng);
}

namespace {
QPair<int, int> Multiples(const QString& object, int measure, int step, int lo, int hi) {
    const qty::Range& r = qty::Of(object, qty::Measure(measure));
    const int from = std::max(r.lo, lo), to = std::min(r.hi, hi);
    const int first = (from + step - 1) / step, last = to / step;
    return {first, last};
}
} // namespace

bool Fits(const QString& object, int measure, int step, int lo, int hi) {
    const auto [first, last] = Multiples(object, measure, step, lo, hi);
    return first <= last;
}

int DrawWithin(const QString& object, int measure, int step, int lo, int hi, Rng& rng) {
    const auto [first, last] = Multiples(object, measure, step, lo, hi);
    if (first > last)
        kit::Fail(QStringLiteral("no multiple of %1 in the range of %2").arg(step).arg(object));
    return qty::Use(object, qty::Measure(measure), step * rng.range(first, last));
}

QString ListAnd(const QStringList& items) {
    if (items.size() <= 1)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           items.last();
}

Question WholeConversion(const Units& units, int amount, int level, Rng& rng) {
    const QString n = QString::number(amount), factor = QString::number(units.factor);
    const QString inSmall = QString::number(amount * units.factor);
    if (level == 1 || rng.chance(1, 2)) {
        const QString ask =
            rng.chance(1, 2)
                ? Line(QStringLiteral("%1 %2 = ").arg(n, units.large), QString(), units.small)
                : kit::P(QStringLiteral("How many %1 are there in %2 %3?")
                             .arg(units.smallWord, n, units.large)) +
                      Line(QString(), QString(), units.small);
        return Worked(kit::Make(ask, {kit::Number(amount * units.factor)}),
                      {QStringLiteral("1 %1 = %2 %3.").arg(units.large, factor, units.small),
                       QStringLiteral("%1 %2 = %1 × %3 %4 = %5 %4.")
                           .arg(n, units.large, factor, units.small, inSmall)});
    }
    return Worked(kit::Make(kit::P(QStringLiteral("Write %1 %2 in %3.")
                                       .arg(inSmall, units.small, units.largeWord)) +
                                Line(QString(), QString(), units.large),
                            {kit::Number(amount)}),
                  {QStringLiteral("%1 %2 = 1 %3.").arg(factor, units.small, units.large),
                   QStringLiteral("%1 %2 = %1 ÷ %3 %4 = %5 %4.")
                       .arg(inSmall, units.small, factor, units.large, n)});
}

Question SmallToMixed(const Units& units, int amount, int level) {
    const int whole = amount / units.factor;
    const QString n = QString::number(amount), rest = QString::number(amount % units.factor);
    const QString wholeSmall = QString::number(whole * units.factor);
    return Worked(
        kit::Make(Line(QStringLiteral("%1 %2 = %3 %4 ")
                           .arg(n, units.small, QString::number(whole), units.large),
                       QString(), units.small),
                  {kit::Number(amount % units.factor, Mark(level))}),
        {QStringLiteral("%1 %2 is %3 %2 and %4 %2 more.").arg(n, units.small, wholeSmall, rest),
         QStringLiteral("%1 %2 = %3 %4, so %5 %2 = %3 %4 %6 %2.")
             .arg(wholeSmall, units.small, QString::number(whole), units.large, n, rest)});
}

Question MixedToSmall(const Units& units, int amount, const QString& mixed, int level) {
    const int whole = amount / units.factor;
    const QString wholeSmall = QString::number(whole * units.factor);
    return Worked(kit::Make(Line(mixed + QStringLiteral(" = "), QString(), units.small),
                            {kit::Number(amount, Mark(level))}),
                  {QStringLiteral("1 %1 = %2 %3, so %4 %1 = %5 %3.")
                       .arg(units.large, QString::number(units.factor), units.small,
                            QString::number(whole), wholeSmall),
                   QStringLiteral("%1 %2 + %3 %2 = %4 %2.")
                       .arg(wholeSmall, units.small, QString::number(amount % units.factor),
                            QString::number(amount))});
}

QString BothInSmall(const Units& units, const QString& writtenA, int a, const QString& writtenB,
                    int b) {
    return QStringLiteral("Write both in %1: %2 = %3 %4 and %5 = %6 %4.")
        .arg(units.smallWord, writtenA, QString::number(a), units.small, writtenB,
             QString::number(b));
}

Question WhichIsMost(const QList<int>& amounts, const Units& units,
                     const std::function<QString(int)>& mixed, const QStringList& words,
                     const QStringList& asks, int level, Rng& rng) {
    const bool most = rng.chance(1, 2);
    int best = amounts.at(0);
    for (int v : amounts)
        best = most ? std::max(best, v) : std::min(best, v);
    QHash<int, QString> written;
    for (int v : amounts)
        written[v] = rng.chance(1, 2) ? QStringLiteral("%1 %2").arg(QString::number(v), units.small)
                                      : mixed(v);
    QStringList others, inSmall;
    for (int v : amounts) {
        if (v != best)
            others << written.value(v);
        inSmall
            << QStringLiteral("%1 = %2 %3").arg(written.value(v), QString::number(v), units.small);
    }
    int key = 0;
    const QString options = kit::Options(written.value(best), others, rng, &key);
    const QString word = most ? words.at(0) : words.at(1);
    const QString ask = (rng.chance(1, 2) ? asks.at(0) : asks.at(1)).arg(word);
    return Worked(kit::Make(kit::P(ask) + options + ChooseNote(), {kit::Choice(key, Mark(level))}),
                  {QStringLiteral("Write them all in %1: %2.")
                       .arg(units.smallWord, inSmall.join(QStringLiteral(", "))),
                   QStringLiteral("The %1 is %2 %3, option %4.")
                       .arg(word, QString::number(best), units.small, QString::number(key))});
}

namespace {

// The texts every paper built so far holds, by paper: a paper built again
// replaces its own entries, so that building the bank twice gives the same.
QHash<int, QSet<QString>>& TextsByPaper() {
    static QHash<int, QSet<QString>> texts;
    return texts;
}

bool TakenElsewhere(int paperNum, const QString& text) {
    const auto& all = TextsByPaper();
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        if (it.key() != paperNum && it.value().contains(text))
            return true;
    }
    return false;
}

} // namespace

QList<Question> BuildPaper(const PaperSpec& paperSpec, Rng& rng, const QList<Maker>& singles,
                           const MultiMaker& multi, const FixedMaker& fixed,
                           const QStringList& words) {
    const int level = paperSpec.paperInTopic;
    QList<const Maker*> makers;
    for (const Maker& m : singles) {
        if (level >= m.minLevel && level <= m.maxLevel)
            makers << &m;
    }
    if (makers.isEmpty())
        kit::Fail(QStringLiteral("paper %1: no question makers").arg(paperSpec.paperNum));
    // A fresh order of the makers for each round through them.
    QList<const Maker*> order;
    int next = 0;
    const auto nextMaker = [&]() {
        if (next >= order.size()) {
            const Maker* last = order.isEmpty() ? nullptr : order.last();
            order = makers;
            rng.shuffle(order);
            if (order.size() > 1 && order.first() == last)
                order.swapItemsAt(0, 1);
            next = 0;
        }
        return order.at(next++);
    };

    TextsByPaper().remove(paperSpec.paperNum);
    QSet<QString> texts;
    QHash<QString, int> kindCount;
    QStringList kinds;
    QList<Question> questions;
    qty::Discard();
    for (int q = 0; q < paperSpec.blankPlan.size(); ++q) {
        const int blanks = paperSpec.blankPlan.at(q);
        const FixedQuestion* f = FixedQuestionAt(paperSpec.paperNum, q + 1);
        Question question;
        QString text, kind, stem;
        const Maker* maker = nullptr;
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (f) {
                question = fixed(*f, level, rng);
            } else if (blanks == 1) {
                if (!maker || attempt % 4 == 0)
                    maker = nextMaker();
                question = maker->make(level, rng);
            } else {
                question = multi(level, blanks, rng);
            }
            text = vocab::VisibleText(question.html);
            // A multiple-choice question about a named thing asks something new
            // only if its stem is new.
            static const QRegularExpression options(
                QStringLiteral("<table class=\"options\">.*</table>"),
                QRegularExpression::DotMatchesEverythingOption);
            stem = question.html;
            stem = vocab::VisibleText(stem.remove(options));
            if (stem == text || KindOf(stem, words) == KindOf(stem, {}))
                stem = text; // options alone may tell two general questions apart
            kind = vocab::KindOf(text);
            const bool fresh = !texts.contains(text) && !TakenElsewhere(paperSpec.paperNum, text) &&
                               !texts.contains(stem) && !TakenElsewhere(paperSpec.paperNum, stem);
            const bool spread =
                kindCount.value(kind) < 4 && (kinds.isEmpty() || kinds.last() != kind);
            if (fresh && (spread || attempt >= 150))
                break;
            qty::Discard(); // a question thrown away keeps none of its quantities
        }
        if (f)
            kit::RequireFixedKeys(question, *f);
        kit::RequireBlanks(question, paperSpec, q, blanks);
        if (question.working.answers.size() != question.blanks.size())
            kit::Fail(QStringLiteral("paper %1 question %2: no working")
                          .arg(paperSpec.paperNum)
                          .arg(q + 1));
        qty::Collect(question);
        texts.insert(text);
        texts.insert(stem);
        kindCount[kind] += 1;
        kinds << kind;
        questions << question;
    }
    TextsByPaper()[paperSpec.paperNum] = texts;
    // The marks per blank rise steadily from paper 1 to paper 5, within the
    // paper's budget.
    static const double perBlank[] = {1.0, 1.45, 1.8, 2.15, 2.5};
    int blankCount = 0;
    for (const Question& q : questions)
        blankCount += int(q.blanks.size());
    PaperSpec target = paperSpec;
    const int want = int(perBlank[std::clamp(level, 1, 5) - 1] * blankCount + 0.5);
    target.minMarks = target.maxMarks = std::clamp(want, paperSpec.minMarks, paperSpec.maxMarks);
    kit::FitMarks(questions, target);
    return questions;
}

} // namespace bank::mk
