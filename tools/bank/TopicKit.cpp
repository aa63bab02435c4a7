#include "TopicKit.h"

#include <QSet>
#include <cstdio>
#include <cstdlib>

namespace bank::kit {

namespace {

int TotalMarks(const QList<Question>& questions) {
    int total = 0;
    for (const Question& q : questions) {
        for (const Blank& b : q.blanks)
            total += b.mark;
    }
    return total;
}

// What tells two questions apart: the same words may come with other pictures.
QString Signature(const Question& q) {
    QString s = q.html;
    for (const Picture& p : q.pictures)
        s += QString::fromUtf8(p.data);
    return s;
}

} // namespace

void Fail(const QString& message) {
    std::fprintf(stderr, "quillora-gen-bank: %s\n", qPrintable(message));
    std::exit(1);
}

Blank Number(int value, int mark) {
    return Blank{QString::number(value), QStringLiteral("N"), mark};
}

Blank NumberText(const QString& value, int mark) {
    return Blank{value, QStringLiteral("N"), mark};
}

Blank Word(const QString& text, int mark) {
    return Blank{text, QStringLiteral("T"), mark};
}

Blank Choice(int option, int mark) {
    return Blank{QString::number(option), QStringLiteral("Q"), mark};
}

Blank AnyOf(const QStringList& spellings, int mark) {
    return Blank{QLatin1Char(';') + spellings.join(QLatin1Char(';')), QStringLiteral("M"), mark};
}

QString DollarKey(int cents) {
    return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString Dollars(int cents) {
    return QLatin1Char('$') + DollarKey(cents);
}

QString Amount(int cents) {
    return cents < 100 ? QString::number(cents) + QLatin1Char('c') : Dollars(cents);
}

int Hour12(int hour24) {
    const int h = hour24 % 12;
    return h == 0 ? 12 : h;
}

QString TimeText(int hour, int minute) {
    return QStringLiteral("%1.%2").arg(hour).arg(minute, 2, 10, QLatin1Char('0'));
}

QStringList TimeSpellings(int hour, int minute, const QString& suffix) {
    const QString mm = QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0'));
    QStringList forms{QStringLiteral("%1.%2").arg(hour).arg(mm),
                      QStringLiteral("%1:%2").arg(hour).arg(mm)};
    if (minute == 0)
        forms << QStringLiteral("%1 o'clock").arg(hour) << QString::number(hour);
    if (suffix.isEmpty())
        return forms;
    // "pm" may also be written "p.m."
    const QString dotted =
        suffix.left(1) + QStringLiteral(".") + suffix.mid(1) + QStringLiteral(".");
    QStringList withSuffix;
    for (const QString& f : forms) {
        if (f.contains(QLatin1String("o'clock")))
            continue;
        for (const QString& s : {suffix, dotted})
            withSuffix << f + s << f + QLatin1Char(' ') + s;
    }
    return withSuffix;
}

QPair<int, int> DrawPair(const std::function<bool(int& a, int& b)>& draw) {
    for (;;) {
        int a = 0;
        int b = 0;
        if (draw(a, b))
            return {a, b};
    }
}

QString Cap(const QString& text) {
    return text.left(1).toUpper() + text.mid(1);
}

QString Gap() {
    // The page's style draws this as an empty answer box.
    return QStringLiteral("<span class=\"box\"></span>");
}

QString P(const QString& html) {
    return QStringLiteral("<p>") + html + QStringLiteral("</p>\n");
}

QString Note(const QString& html) {
    return QStringLiteral("<p class=\"note\">") + html + QStringLiteral("</p>\n");
}

QString ChooseNote() {
    return Note(QStringLiteral("Write the number of the answer."));
}

Picture SvgPicture(const QString& name, const QByteArray& svg) {
    return Picture{name, QStringLiteral("image/svg+xml"), svg};
}

QString Options(const QString& correct, QStringList distractors, Rng& rng, int* key, int forced) {
    QStringList unique;
    for (const QString& d : distractors) {
        if (d != correct && !unique.contains(d))
            unique << d;
    }
    if (unique.size() < 3)
        Fail(QStringLiteral("too few distinct options for %1").arg(correct));
    unique = unique.mid(0, 3);
    rng.shuffle(unique);
    const int position = forced >= 1 && forced <= 4 ? forced : rng.range(1, 4);
    unique.insert(position - 1, correct);
    *key = position;
    return html::Options(unique);
}

Question Make(const QString& html, const QList<Blank>& blanks, const QList<Picture>& pictures) {
    Question q;
    q.html = html;
    q.blanks = blanks;
    q.pictures = pictures;
    return q;
}

Question GapQuestion(const QString& question, const QString& lead, const QString& tail,
                     const Blank& blank) {
    return Make(P(question) + P(lead + Gap() + tail), {blank});
}

Question WholeUnits(const UnitPair& units, int level, Rng& rng) {
    const auto largeToSmall = [&](int n) {
        return Make(P(QStringLiteral("%1 %2 = ").arg(n).arg(units.large) + Gap() +
                      QLatin1Char(' ') + units.small),
                    {Number(n * units.factor)});
    };
    if (level <= 1)
        return largeToSmall(rng.range(1, 9));
    const int n = rng.range(2, 9);
    if (rng.chance(1, 2))
        return Make(P(QStringLiteral("%1 %2 = ").arg(n * units.factor).arg(units.small) + Gap() +
                      QLatin1Char(' ') + units.large),
                    {Number(n)});
    return largeToSmall(n);
}

Question MixedToSmall(const UnitPair& units, int amount, int mark) {
    return Make(
        P(units.mixed(amount) + QStringLiteral(" = ") + Gap() + QLatin1Char(' ') + units.small),
        {Number(amount, mark)});
}

Question SmallToMixed(const UnitPair& units, int amount, int mark) {
    return Make(P(QStringLiteral("%1 %2 = %3 %4 ")
                      .arg(QString::number(amount), units.small,
                           QString::number(amount / units.factor), units.large) +
                  Gap() + QLatin1Char(' ') + units.small),
                {Number(amount % units.factor, mark)});
}

Question Combine(const QString& intro, const QList<Question>& parts, const QList<Picture>& shared) {
    Question q;
    q.html = intro;
    q.pictures = shared;
    QStringList items;
    for (int i = 0; i < parts.size(); ++i) {
        Question part = parts.at(i);
        for (Picture& pic : part.pictures) {
            const QString renamed = QStringLiteral("%1-%2").arg(QChar(u'a' + i)).arg(pic.name);
            part.html.replace(QStringLiteral("src=\"%1\"").arg(pic.name),
                              QStringLiteral("src=\"%1\"").arg(renamed));
            pic.name = renamed;
            q.pictures << pic;
        }
        items << part.html;
        q.blanks += part.blanks;
    }
    q.html += html::Parts(items);
    return q;
}

void FitMarks(QList<Question>& questions, const PaperSpec& paperSpec) {
    QList<Blank*> free;
    for (int q = 0; q < questions.size(); ++q) {
        if (FixedQuestionAt(paperSpec.paperNum, q + 1))
            continue;
        for (Blank& b : questions[q].blanks)
            free << &b;
    }
    int total = TotalMarks(questions);
    while (total > paperSpec.maxMarks) {
        Blank* pick = nullptr;
        for (Blank* b : free) { // the first of the highest: early questions lose first
            if (b->mark > 1 && (!pick || b->mark > pick->mark))
                pick = b;
        }
        if (!pick)
            Fail(QStringLiteral("paper %1: marks cannot come down to %2")
                     .arg(paperSpec.paperNum)
                     .arg(paperSpec.maxMarks));
        --pick->mark;
        --total;
    }
    while (total < paperSpec.minMarks) {
        Blank* pick = nullptr;
        for (int i = int(free.size()) - 1; i >= 0; --i) { // the last of the lowest
            Blank* b = free.at(i);
            if (b->mark < 3 && (!pick || b->mark < pick->mark))
                pick = b;
        }
        if (!pick)
            Fail(QStringLiteral("paper %1: marks cannot reach %2")
                     .arg(paperSpec.paperNum)
                     .arg(paperSpec.minMarks));
        ++pick->mark;
        ++total;
    }
}

FixedMaker FixedChoice(const std::function<Question(int level, Rng& rng)>& make) {
    return [make](const FixedQuestion& f, int level, Rng& rng) {
        if (f.keys.size() != 1 || f.kinds.at(0) != QLatin1String("Q"))
            return Question{};
        Question q = make(level, rng);
        for (int i = 0; i < 200 && q.blanks.at(0).key != f.keys.at(0); ++i)
            q = make(level, rng);
        q.blanks[0].mark = f.marks.at(0);
        return q;
    };
}

QList<Question> BuildPaper(const PaperSpec& paperSpec, Rng& rng, const QList<Maker>& singles,
                           const MultiMaker& multi, const FixedMaker& fixed) {
    const int level = paperSpec.paperInTopic;
    QList<const Maker*> makers;
    int totalWeight = 0;
    for (const Maker& m : singles) {
        if (level >= m.minLevel && level <= m.maxLevel && m.weight > 0) {
            makers << &m;
            totalWeight += m.weight;
        }
    }
    // The maker of the i-th single-blank question: the one whose stretch of
    // the weights holds the middle of that question's equal slice.
    const auto makerFor = [&](int i, int count) {
        const qint64 point = (2 * qint64(i) + 1) * totalWeight; // in units of 1 / (2 * count)
        qint64 upTo = 0;
        for (const Maker* m : makers) {
            upTo += qint64(m->weight) * 2 * count;
            if (point < upTo)
                return m;
        }
        return makers.last();
    };
    int singleCount = 0;
    for (int q = 0; q < paperSpec.blankPlan.size(); ++q) {
        if (paperSpec.blankPlan.at(q) == 1 && !FixedQuestionAt(paperSpec.paperNum, q + 1))
            ++singleCount;
    }
    if (singleCount > 0 && makers.isEmpty() && !multi)
        Fail(QStringLiteral("paper %1: no question makers").arg(paperSpec.paperNum));

    QList<Question> questions;
    QSet<QString> seen;
    int singleIndex = 0;
    for (int q = 0; q < paperSpec.blankPlan.size(); ++q) {
        const int blanks = paperSpec.blankPlan.at(q);
        const FixedQuestion* f = FixedQuestionAt(paperSpec.paperNum, q + 1);
        Question question;
        if (f) {
            question = fixed(*f, level, rng);
            bool same = question.blanks.size() == f->keys.size();
            for (int b = 0; same && b < question.blanks.size(); ++b) {
                const Blank& x = question.blanks.at(b);
                same =
                    x.key == f->keys.at(b) && x.kind == f->kinds.at(b) && x.mark == f->marks.at(b);
            }
            if (!same)
                Fail(QStringLiteral("question %1 does not carry its fixed keys").arg(f->id));
        } else {
            for (int attempt = 0; attempt < 40; ++attempt) {
                if (blanks == 1 && !makers.isEmpty()) {
                    question = makerFor(singleIndex, singleCount)->make(level, rng);
                } else {
                    question = multi(level, blanks, rng);
                }
                if (!seen.contains(Signature(question)))
                    break;
            }
            if (blanks == 1)
                ++singleIndex;
        }
        if (question.blanks.size() != blanks)
            Fail(QStringLiteral("paper %1 question %2: %3 blanks instead of %4")
                     .arg(paperSpec.paperNum)
                     .arg(q + 1)
                     .arg(question.blanks.size())
                     .arg(blanks));
        seen.insert(Signature(question));
        questions << question;
    }
    FitMarks(questions, paperSpec);
    return questions;
}

} // namespace bank::kit
