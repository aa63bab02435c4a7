#include "VariedPaper.h"

#include "Quantities.h"
#include "TopicKit.h"
#include "Vocabulary.h"

#include <QHash>
#include <QSet>
#include <cstdio>

namespace bank::varied {

namespace {

// The texts of each paper made so far in this run, so that a later paper of
// the topic never repeats one. A paper made again replaces its own entry,
// which keeps a second run of the whole bank identical to the first.
QHash<int, QSet<QString>>& TextsByPaper() {
    static QHash<int, QSet<QString>> texts;
    return texts;
}

bool UsedEarlier(const QString& text, const PaperSpec& paperSpec) {
    const int first = 101 + 5 * (paperSpec.topic - 1);
    for (int p = first; p < paperSpec.paperNum; ++p) {
        if (TextsByPaper().value(p).contains(text))
            return true;
    }
    return false;
}

} // namespace

QString ChooseNote() {
    return kit::ChooseNote();
}

Question& Work(Question& question, const QStringList& steps, const QStringList& units) {
    question.working.steps.clear();
    for (const QString& s : steps)
        question.working.steps << s.toHtmlEscaped();
    question.working.answers = bank::AnswersOf(question.blanks);
    if (!units.isEmpty())
        question.working.units = units;
    return question;
}

Question Combine(const QString& intro, const QList<Question>& parts, const QList<Picture>& shared,
                 const QStringList& introSteps) {
    Question q;
    if (parts.size() == 1) {
        q = parts.first();
        q.html = intro + q.html;
        q.pictures = shared + q.pictures;
    } else {
        q = kit::Combine(intro, parts);
        q.pictures = shared + q.pictures;
    }
    Working w;
    for (const QString& s : introSteps)
        w.steps << s.toHtmlEscaped();
    for (int i = 0; i < parts.size(); ++i) {
        const Working& pw = parts.at(i).working;
        for (int s = 0; s < pw.steps.size(); ++s) {
            w.steps << (s == 0 && parts.size() > 1 ? html::PartLabel(i) + QLatin1Char(' ')
                                                   : QString()) +
                           pw.steps.at(s);
        }
        w.answers += pw.answers;
        // Units stay aligned with the answers, empty where a part has none.
        for (int b = 0; b < pw.answers.size(); ++b)
            w.units << pw.units.value(b);
        w.pictures += pw.pictures;
    }
    q.working = w;
    return q;
}

QString VisibleText(const Question& question) {
    return vocab::VisibleText(question.html);
}

QString KindOf(const Question& question) {
    return vocab::KindOf(VisibleText(question));
}

QList<Question> Build(const PaperSpec& paperSpec, Rng& rng, const QList<Single>& singles,
                      const Multi& multi, const Fixed& fixed, int kindLimit) {
    const int level = paperSpec.paperInTopic;
    QList<const Single*> makers;
    for (const Single& s : singles) {
        if (level >= s.minLevel && level <= s.maxLevel)
            makers << &s;
    }
    QSet<QString>& texts = TextsByPaper()[paperSpec.paperNum];
    texts.clear();
    QHash<QString, int> kindCount;
    QHash<const Single*, int> makerCount;
    QString previousKind;
    const auto fits = [&](const Question& q, bool strict) {
        const QString text = VisibleText(q);
        if (texts.contains(text) || UsedEarlier(text, paperSpec))
            return false;
        if (!strict)
            return true;
        const QString kind = KindOf(q);
        return kind != previousKind && kindCount.value(kind) < kindLimit;
    };
    QList<Question> questions;
    int cursor = 0;
    int multiIndex = 0;
    for (int q = 0; q < paperSpec.blankPlan.size(); ++q) {
        const int blanks = paperSpec.blankPlan.at(q);
        Question question;
        bool found = false;
        if (const FixedQuestion* f = FixedQuestionAt(paperSpec.paperNum, q + 1)) {
            qty::Discard();
            question = fixed(*f, level, rng);
            found = true;
        } else if (blanks > 1 || makers.isEmpty()) {
            for (int pass = 0; pass < 2 && !found; ++pass) {
                for (int attempt = 0; attempt < 80 && !found; ++attempt) {
                    qty::Discard();
                    question = multi(level, blanks, multiIndex, rng);
                    found = fits(question, pass == 0);
                }
            }
            ++multiIndex;
        } else {
            for (int pass = 0; pass < 2 && !found; ++pass) {
                for (int k = 0; k < makers.size() && !found; ++k) {
                    const int index = (cursor + k) % int(makers.size());
                    const Single* maker = makers.at(index);
                    if (pass == 0 && makerCount.value(maker) >= maker->most)
                        continue;
                    for (int attempt = 0; attempt < 6 && !found; ++attempt) {
                        qty::Discard();
                        question = maker->make(level, rng);
                        found = fits(question, pass == 0);
                    }
                    if (found) {
                        ++makerCount[maker];
                        cursor = index + 1;
                    }
                }
            }
        }
        if (!found)
            kit::Fail(QStringLiteral("paper %1 question %2: no fresh question")
                          .arg(paperSpec.paperNum)
                          .arg(q + 1));
        kit::RequireBlanks(question, paperSpec, q, blanks);
        if (question.working.answers.size() != blanks)
            kit::Fail(QStringLiteral("paper %1 question %2: working gives %3 answers for %4 blanks")
                          .arg(paperSpec.paperNum)
                          .arg(q + 1)
                          .arg(question.working.answers.size())
                          .arg(blanks));
        const QString kind = KindOf(question);
        ++kindCount[kind];
        previousKind = kind;
        texts.insert(VisibleText(question));
        qty::Collect(question);
        questions << question;
    }
    kit::FitMarks(questions, paperSpec);
    return questions;
}

} // namespace bank::varied
