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

QString VisibleText(const QString& html) {
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    QString text = html;
    text.replace(tags, QStringLiteral(" "));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return text.replace(spaces, QStringLiteral(" ")).trimmed();
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
        if (f) {
            bool same = question.blanks.size() == f->keys.size();
            for (int b = 0; same && b < question.blanks.size(); ++b) {
                const Blank& x = question.blanks.at(b);
                same =
                    x.key == f->keys.at(b) && x.kind == f->kinds.at(b) && x.mark == f->marks.at(b);
            }
            if (!same)
                kit::Fail(QStringLiteral("question %1 does not carry its fixed keys").arg(f->id));
        }
        if (question.blanks.size() != blanks)
            kit::Fail(QStringLiteral("paper %1 question %2: %3 blanks instead of %4")
                          .arg(paperSpec.paperNum)
                          .arg(q + 1)
                          .arg(question.blanks.size())
                          .arg(blanks));
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
