#include "NumberTopicKit.h"

#include "../source/Expression.h"

#include "Quantities.h"

#include <QSet>

namespace bank::numkit {

QString Sum(const QString& text) {
    return QStringLiteral("<p class=\"sum\">") + text + QStringLiteral("</p>\n");
}

QString Num(int n) {
    return QString::number(n);
}

QString NumberList(const QList<int>& numbers) {
    QStringList text;
    for (int v : numbers)
        text << Num(v);
    return text.join(QStringLiteral(", "));
}

QString InlineNote(const QString& text) {
    return P(QStringLiteral("<span class=\"note\">") + text + QStringLiteral("</span>"));
}

Question One(const QString& html, const QString& key, const QString& kind, int mark) {
    Question q;
    q.html = html;
    q.blanks << Blank{key, kind, mark};
    return q;
}

Question Choice(const QString& stem, const QString& right, const QStringList& wrong, int position) {
    QStringList options = wrong.mid(0, 3);
    options.insert(position - 1, right);
    return One(stem + html::Options(options) + kit::ChooseNote(), Num(position),
               QStringLiteral("Q"));
}

Question TrueOrFalse(const QString& claim, bool right) {
    return One(P(QStringLiteral("True or false? Write <b>true</b> or <b>false</b>.")) + Sum(claim),
               right ? QStringLiteral("true") : QStringLiteral("false"), QStringLiteral("T"));
}

Question ThinkOfNumber(const QString& step, int answer, int number) {
    return One(P(QStringLiteral("I think of a number. I %1 and the answer is %2. What number did I "
                                "think of?")
                     .arg(step, Num(answer))),
               Num(number), QStringLiteral("N"), 2);
}

Question MissingInSubtraction(Rng& r, int a, int b) {
    const QString stem = P(QStringLiteral("What is the missing number?"));
    const Question q =
        r.chance(1, 2)
            ? One(stem +
                      Sum(QStringLiteral("%1 &minus; %2 = %3").arg(a).arg(html::Box()).arg(a - b)),
                  Num(b))
            : One(stem +
                      Sum(QStringLiteral("%1 &minus; %2 = %3").arg(html::Box()).arg(b).arg(a - b)),
                  Num(a));
    QStringList steps;
    if (q.blanks.at(0).key == Num(b)) {
        steps << QStringLiteral("Taking the missing number from %1 leaves %2, so the missing "
                                "number is %1 &minus; %2.")
                     .arg(a)
                     .arg(a - b);
        steps += SubtractSteps(a, a - b);
    } else {
        steps << QStringLiteral("Taking %1 from the missing number leaves %2, so the missing "
                                "number is %2 + %1.")
                     .arg(b)
                     .arg(a - b);
        steps += AddSteps(a - b, b);
    }
    return With(q, steps);
}

Question Equations(const QString& intro, const QStringList& lefts, const QList<int>& answers) {
    Question q;
    QStringList parts;
    for (const QString& left : lefts)
        parts << left + QStringLiteral(" = ") + html::Box();
    q.html = intro + html::Parts(parts);
    for (int answer : answers)
        q.blanks << Blank{Num(answer), QStringLiteral("N"), 1};
    return q;
}

Question AnyOrder(const QString& stem, const QStringList& keys) {
    Question q;
    QStringList boxes;
    for (int i = 0; i < keys.size(); ++i)
        boxes << html::Box();
    q.html = stem + html::Parts(boxes) +
             InlineNote(QStringLiteral("Write one number in each box, in any order."));
    // The first blank carries every key; the others only take part in the group.
    q.blanks << Blank{QStringLiteral(";") + keys.join(QLatin1Char(';')), QStringLiteral("G"), 1};
    for (int i = 1; i < keys.size(); ++i)
        q.blanks << Blank{QStringLiteral(" "), QStringLiteral("G"), 1};
    return q;
}

QString Words(int n) {
    return source::NumberWords(n);
}

QByteArray Svg(int width, int height, const QString& body) {
    static const QString font = QStringLiteral("Verdana, DejaVu Sans, Arial, sans-serif");
    return svg::Document(width, height,
                         QStringLiteral("<g font-family=\"%1\">").arg(font) + body +
                             QStringLiteral("</g>"));
}

QPair<QString, QString> TwoNames(Rng& r, const QStringList& names) {
    const QString first = r.pick(names);
    QString second = r.pick(names);
    while (second == first)
        second = r.pick(names);
    return {first, second};
}

QList<SingleMaker> Interleave(const QList<QPair<SingleMaker, int>>& counts) {
    QList<QPair<SingleMaker, int>> left = counts;
    QList<SingleMaker> recipe;
    for (bool any = true; any;) {
        any = false;
        for (auto& [maker, count] : left) {
            if (count > 0) {
                recipe << maker;
                --count;
                any = true;
            }
        }
    }
    return recipe;
}

Question With(Question q, const QStringList& steps) {
    return kit::Explain(std::move(q), steps);
}

QStringList AddSteps(int a, int b) {
    if (a + b <= 20 || (b < 10 && a % 10 + b < 10) ||
        (a % 10 == 0 && b % 10 == 0 && a + b <= 100)) {
        if (b < 10 && a % 10 + b > 10) {
            const int toTen = 10 - a % 10;
            return {QStringLiteral("Count on from %1 to the next ten: %1 + %2 = %3.")
                        .arg(a)
                        .arg(toTen)
                        .arg(a + toTen),
                    QStringLiteral("Then add the other %1: %2 + %1 = %3.")
                        .arg(b - toTen)
                        .arg(a + toTen)
                        .arg(a + b)};
        }
        return {QStringLiteral("%1 + %2 = %3.").arg(a).arg(b).arg(a + b)};
    }
    return kit::ColumnAddition(a, b);
}

QStringList SubtractSteps(int a, int b) {
    if (a <= 20 || (b < 10 && a % 10 >= b) || (a % 10 == 0 && b % 10 == 0 && a <= 100)) {
        if (a > 10 && b < 10 && a % 10 > 0 && a % 10 < b) {
            const int toTen = a % 10;
            return {QStringLiteral("Count back %1 from %2 to the ten below: %2 &minus; %1 = %3.")
                        .arg(toTen)
                        .arg(a)
                        .arg(a - toTen),
                    QStringLiteral("Then take away the other %1: %2 &minus; %1 = %3.")
                        .arg(b - toTen)
                        .arg(a - toTen)
                        .arg(a - b)};
        }
        return {QStringLiteral("%1 &minus; %2 = %3.").arg(a).arg(b).arg(a - b)};
    }
    return kit::ColumnSubtraction(a, b);
}

QString TextOf(const Question& q) {
    return q.html;
}

QList<Question> BuildRecipePaper(const PaperSpec& paperSpec,
                                 const std::function<Question(int index)>& single,
                                 const std::function<Question(int blanks, int index)>& multi,
                                 const std::function<Question(const FixedQuestion&)>& fixed,
                                 QString (*signature)(const Question&)) {
    QList<Question> questions;
    QSet<QString> seen;
    int singleIndex = 0;
    int multiIndex = 0;
    for (int q = 0; q < paperSpec.blankPlan.size(); ++q) {
        if (const FixedQuestion* f = FixedQuestionAt(paperSpec.paperNum, q + 1)) {
            if (!fixed)
                kit::Fail(QStringLiteral("paper %1: no maker for fixed question %2")
                              .arg(paperSpec.paperNum)
                              .arg(f->id));
            qty::Discard();
            questions << fixed(*f);
            qty::Collect(questions.last());
            NotePage(questions.last().html);
            seen.insert(questions.last().html);
            continue;
        }
        const int blanks = paperSpec.blankPlan.at(q);
        Question question;
        // A handful of tries keeps a paper free of repeated questions.
        for (int attempt = 0; attempt < 40; ++attempt) {
            qty::Discard();
            question = blanks == 1 ? single(singleIndex) : multi(blanks, multiIndex);
            if (!seen.contains(signature(question)) && !PageSeen(question.html))
                break;
        }
        NotePage(question.html);
        qty::Collect(question);
        if (blanks == 1)
            ++singleIndex;
        else
            ++multiIndex;
        seen.insert(signature(question));
        questions << question;
    }
    return questions;
}

} // namespace bank::numkit
