#include "VariedPaper.h"

#include "Quantities.h"
#include "TopicKit.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <cstdio>

namespace bank::varied {

namespace {

QSet<QString>& Vocabulary() {
    static QSet<QString> words;
    return words;
}

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
    return kit::Note(QStringLiteral("Write the number of your answer (1, 2, 3 or 4)."));
}

QStringList Keys(const Question& question) {
    QStringList keys;
    for (const Blank& b : question.blanks) {
        // A kind-M key lists its spellings after a ";": the first is the answer.
        keys << (b.key.startsWith(QLatin1Char(';')) ? b.key.mid(1).section(QLatin1Char(';'), 0, 0)
                                                    : b.key);
    }
    return keys;
}

Question& Work(Question& question, const QStringList& steps, const QStringList& answers) {
    question.working.steps.clear();
    for (const QString& s : steps)
        question.working.steps << s.toHtmlEscaped();
    question.working.answers = answers.isEmpty() ? Keys(question) : answers;
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
        w.pictures += pw.pictures;
    }
    q.working = w;
    return q;
}

QString VisibleText(const Question& question) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QString text = question.html;
    text.replace(tag, QStringLiteral(" "));
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    text.replace(QStringLiteral("&minus;"), QStringLiteral("-"));
    text.replace(QStringLiteral("&times;"), QStringLiteral("x"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text.replace(space, QStringLiteral(" ")).trimmed();
}

QString KindOf(const Question& question) {
    static const QRegularExpression number(QStringLiteral("\\d+([.,]\\d+)*"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z']+"));
    QString text = VisibleText(question).replace(number, QStringLiteral("#"));
    QString out;
    qsizetype at = 0;
    auto it = word.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += text.mid(at, m.capturedStart() - at);
        out += Vocabulary().contains(m.captured()) ? QStringLiteral("@") : m.captured();
        at = m.capturedEnd();
    }
    return out + text.mid(at);
}

void AddVocabulary(const QStringList& words) {
    for (const QString& w : words)
        Vocabulary().insert(w);
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
            qty::TakeUses();
            question = fixed(*f, level, rng);
            found = true;
        } else if (blanks > 1 || makers.isEmpty()) {
            for (int pass = 0; pass < 2 && !found; ++pass) {
                for (int attempt = 0; attempt < 80 && !found; ++attempt) {
                    qty::TakeUses();
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
                        qty::TakeUses();
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
        if (question.blanks.size() != blanks)
            kit::Fail(QStringLiteral("paper %1 question %2: %3 blanks instead of %4")
                          .arg(paperSpec.paperNum)
                          .arg(q + 1)
                          .arg(question.blanks.size())
                          .arg(blanks));
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
        questions << question;
    }
    kit::FitMarks(questions, paperSpec);
    return questions;
}

} // namespace bank::varied
