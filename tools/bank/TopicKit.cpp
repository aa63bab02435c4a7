#include "TopicKit.h"

#include "Quantities.h"

#include <QSet>
#include <algorithm>
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

QString PoundKey(int pence) {
    return QStringLiteral("%1.%2").arg(pence / 100).arg(pence % 100, 2, 10, QLatin1Char('0'));
}

QString Pounds(int pence) {
    return QStringLiteral("\u00a3") + PoundKey(pence);
}

QString Money(int pence) {
    return pence < 100 ? QString::number(pence) + QLatin1Char('p') : Pounds(pence);
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
    return Note(QStringLiteral("Write the number of your answer (1, 2, 3 or 4)."));
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

Question Explain(Question question, const QStringList& steps, const QStringList& units) {
    question.working.steps = steps;
    question.working.answers = AnswersOf(question.blanks);
    question.working.units = units;
    return question;
}

namespace {

const char* const kPlaces[] = {"ones", "tens", "hundreds", "thousands", "ten thousands"};
const char* const kPlace[] = {"one", "ten", "hundred", "thousand", "ten thousand"};

QList<int> Digits(int n) {
    QList<int> d;
    do {
        d << n % 10;
        n /= 10;
    } while (n > 0);
    return d;
}

} // namespace

QStringList ColumnAddition(int a, int b, const QString& unit) {
    const QList<int> da = Digits(a), db = Digits(b);
    const int columns = int(std::max(da.size(), db.size()));
    QStringList steps;
    if (columns == 1) {
        steps << QStringLiteral("%1 + %2 = %3%4.").arg(a).arg(b).arg(a + b).arg(unit);
        return steps;
    }
    steps << QStringLiteral("Write %1 above %2, ones under ones, and add one column at a "
                            "time, starting with the ones.")
                 .arg(std::max(a, b))
                 .arg(std::min(a, b));
    int carry = 0;
    for (int c = 0; c < columns; ++c) {
        const int x = da.value(c), y = db.value(c);
        const int total = x + y + carry;
        if (c >= db.size() && !carry) {
            // Nothing below it: the digit comes down as it is.
            steps << QStringLiteral("The %1: nothing to add, so %2 %1.")
                         .arg(QLatin1String(kPlaces[c]))
                         .arg(x);
            continue;
        }
        QString sum = c >= db.size() ? QString::number(x) : QStringLiteral("%1 + %2").arg(x).arg(y);
        if (carry)
            sum += QStringLiteral(" + 1");
        QString step =
            QStringLiteral("The %1: %2 = %3.").arg(QLatin1String(kPlaces[c]), sum).arg(total);
        if (total >= 10 && c + 1 < columns) {
            step += QStringLiteral(" Write %1 and exchange 10 %2 for 1 %3.")
                        .arg(total % 10)
                        .arg(QLatin1String(kPlaces[c]), QLatin1String(kPlace[c + 1]));
        } else if (total >= 10) {
            step += QStringLiteral(" That is 1 %1 and %2 %3.")
                        .arg(QLatin1String(kPlace[c + 1]))
                        .arg(total % 10)
                        .arg(QLatin1String(kPlaces[c]));
        }
        steps << step;
        carry = total >= 10 ? 1 : 0;
    }
    steps << QStringLiteral("So %1%3 + %2%3 = %4%3.").arg(a).arg(b).arg(unit).arg(a + b);
    return steps;
}

QStringList ColumnSubtraction(int a, int b, const QString& unit) {
    const QList<int> da = Digits(a), db = Digits(b);
    const int columns = int(da.size());
    QStringList steps;
    if (columns == 1 || (a < 20 && b < 10)) {
        steps << QStringLiteral("%1 &minus; %2 = %3%4.").arg(a).arg(b).arg(a - b).arg(unit);
        return steps;
    }
    steps << QStringLiteral("Write %1 above %2, ones under ones, and take away one column at a "
                            "time, starting with the ones.")
                 .arg(a)
                 .arg(b);
    QList<int> top = da;
    for (int c = 0; c < columns; ++c) {
        const int y = db.value(c);
        QString step = QStringLiteral("The %1: ").arg(QLatin1String(kPlaces[c]));
        if (top[c] < 0) {
            // An exchange came from a column that had none: it exchanges in turn.
            step += QStringLiteral("there were no %1 to give, so exchange 1 %2 for 10 %1; "
                                   "after giving 1 away, %3 %1 are left. ")
                        .arg(QLatin1String(kPlaces[c]), QLatin1String(kPlace[c + 1]))
                        .arg(top[c] + 10);
            top[c] += 10;
            top[c + 1] -= 1;
        } else if (top[c] != da.at(c)) {
            step += QStringLiteral("One of the %1 %2 was exchanged, so %3 are left. ")
                        .arg(da.at(c))
                        .arg(QLatin1String(kPlaces[c]))
                        .arg(top[c]);
        }
        if (top[c] < y) {
            step += QStringLiteral("%1 is less than %2, so exchange 1 %3 for 10 %4. ")
                        .arg(top[c])
                        .arg(y)
                        .arg(QLatin1String(kPlace[c + 1]), QLatin1String(kPlaces[c]));
            top[c] += 10;
            top[c + 1] -= 1;
        }
        if (c >= db.size()) {
            // Nothing to take away: what is left of the column comes down.
            if (step.endsWith(QLatin1String("are left. ")))
                step.chop(1);
            else if (top[c] == 0 && c == columns - 1)
                step += QStringLiteral("none are left.");
            else
                step += QStringLiteral("nothing to take away, so %1 %2.")
                            .arg(top[c])
                            .arg(QLatin1String(kPlaces[c]));
        } else {
            step += QStringLiteral("%1 &minus; %2 = %3.").arg(top[c]).arg(y).arg(top[c] - y);
        }
        steps << step;
    }
    steps << QStringLiteral("So %1%3 &minus; %2%3 = %4%3.").arg(a).arg(b).arg(unit).arg(a - b);
    return steps;
}

Question Combine(const QString& intro, const QList<Question>& parts, const QList<Picture>& shared) {
    Question q;
    q.html = intro;
    q.pictures = shared;
    QStringList items;
    bool units = false;
    for (int i = 0; i < parts.size(); ++i) {
        Question part = parts.at(i);
        const auto rename = [&](Picture& pic, QString& html) {
            const QString renamed = QStringLiteral("%1-%2").arg(QChar(u'a' + i)).arg(pic.name);
            html.replace(QStringLiteral("src=\"%1\"").arg(pic.name),
                         QStringLiteral("src=\"%1\"").arg(renamed));
            pic.name = renamed;
        };
        for (Picture& pic : part.pictures) {
            rename(pic, part.html);
            q.pictures << pic;
        }
        QString steps = part.working.steps.join(QLatin1Char('\n'));
        for (Picture& pic : part.working.pictures) {
            rename(pic, steps);
            q.working.pictures << pic;
        }
        if (!steps.isEmpty()) {
            QStringList partSteps = steps.split(QLatin1Char('\n'));
            partSteps[0] = QStringLiteral("<b>%1</b> ").arg(html::PartLabel(i)) + partSteps[0];
            q.working.steps += partSteps;
        }
        items << part.html;
        q.blanks += part.blanks;
        QStringList partUnits = part.working.units;
        units = units || !partUnits.isEmpty();
        while (partUnits.size() < part.blanks.size())
            partUnits << QString();
        q.working.units += partUnits.mid(0, part.blanks.size());
    }
    if (!units)
        q.working.units.clear();
    if (!q.working.steps.isEmpty())
        q.working.answers = AnswersOf(q.blanks);
    q.html += html::Parts(items);
    return q;
}

void RequireFixedKeys(const Question& question, const FixedQuestion& fixed) {
    bool same = question.blanks.size() == fixed.keys.size();
    for (int b = 0; same && b < question.blanks.size(); ++b) {
        const Blank& x = question.blanks.at(b);
        same =
            x.key == fixed.keys.at(b) && x.kind == fixed.kinds.at(b) && x.mark == fixed.marks.at(b);
    }
    if (!same)
        Fail(QStringLiteral("question %1 does not carry its fixed keys").arg(fixed.id));
}

void RequireBlanks(const Question& question, const PaperSpec& paperSpec, int index, int blanks) {
    if (question.blanks.size() != blanks)
        Fail(QStringLiteral("paper %1 question %2: %3 blanks instead of %4")
                 .arg(paperSpec.paperNum)
                 .arg(index + 1)
                 .arg(question.blanks.size())
                 .arg(blanks));
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

} // namespace bank::kit
