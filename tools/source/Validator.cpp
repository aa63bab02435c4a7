#include "Validator.h"

#include "Expression.h"
#include "Markup.h"
#include "Render.h"
#include "StoreWriter.h"
#include "core/ModuleCheck.h"

#include "core/AnswerChecking.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

namespace bank::source {

namespace {

// A picture as drawn: its description without the name and the alternative.
QByteArray descriptionKey(const QVariantMap& picture) {
    QVariantMap drawn = picture;
    drawn.remove(QStringLiteral("name"));
    drawn.remove(QStringLiteral("alt"));
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << drawn;
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

// The check with each picture name replaced by letters standing for what the
// picture shows, so that readings of two equal pictures read alike.
QString checkWithPictures(const QString& check, const SourceQuestion& q) {
    QString out = check;
    for (const QVariantMap& p : q.pictures) {
        const QByteArray key = descriptionKey(p).toHex().left(12);
        QString letters;
        for (char c : key)
            letters += QChar(u'a' + (c >= 'a' ? c - 'a' + 10 : c - '0'));
        out.replace(QRegularExpression(
                        QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(pictureName(p)))),
                    letters);
    }
    return out;
}

bool isVouchedWord(const QString& check) {
    const QString c = check.trimmed();
    return c.startsWith(QLatin1Char('\'')) || c.startsWith(QLatin1Char('"'));
}

// For comparing the sides of a working step: no spaces, units or pound signs.
QString comparableForm(const QString& text) {
    QString out = text.toLower();
    out.remove(QRegularExpression(QStringLiteral("[\\s\u00a3.,!]")));
    return out;
}

QString withoutUnits(const QString& side) {
    QString out = side;
    out.remove(QChar(0x00a3));
    static const QRegularExpression unit(
        QStringLiteral("(?<=[0-9])\\s*(p|cm|mm|km|m|kg|g|ml|l|minutes|hours|seconds)\\b"));
    out.remove(unit);
    return out;
}

class PaperValidator {
public:
    PaperValidator(const SourcePaper& paper, const Curriculum& curriculum)
        : m_paper(paper), m_curriculum(curriculum) {}

    QStringList problems;

    void run() {
        if (module())
            checkModulePaper();
        else
            checkPaper();
        QHash<QString, int> tasks;       // task signature -> question id
        QHash<QByteArray, int> drawings; // picture description -> question id
        for (const SourceQuestion& q : m_paper.questions) {
            if (!q.document.isEmpty()) {
                // The page is the teacher's own: only its blanks are ours.
                QStringList blankProblems;
                StoreWriter::checkBlanks(QStringLiteral("blanks"), toBlanks(q), blankProblems);
                for (const QString& p : blankProblems)
                    problem(q, {}, p);
                if (q.blanks.size() > MaxQuestionBlanks)
                    problem(q, QStringLiteral("blanks"), tooManyBlanks(q));
                checkKeys(q);
                continue;
            }
            QStringList renderErrors;
            const bank::Question rendered = renderQuestion(q, m_paper.file, &renderErrors);
            problems << renderErrors;
            QStringList storeProblems;
            StoreWriter::checkStoredQuestion(QStringLiteral("as rendered"), rendered,
                                             storeProblems);
            for (const QString& p : storeProblems)
                problem(q, {}, p);
            checkQuestion(q);
            checkKeys(q);
            checkWorking(q);
            // A teacher may well ask the same sum twice; the bank never does.
            if (module())
                continue;
            for (int b = 0; b < q.blanks.size(); ++b) {
                const QString signature = taskSignature(checkWithPictures(q.blanks.at(b).check, q));
                if (signature.isEmpty())
                    continue;
                if (tasks.contains(signature) && tasks.value(signature) != q.id)
                    problem(q, QStringLiteral("blanks[%1].check").arg(b + 1),
                            QStringLiteral("the same task on the same numbers as question %1 "
                                           "(%2): change the numbers or the task")
                                .arg(tasks.value(signature))
                                .arg(q.blanks.at(b).check));
                tasks.insert(signature, q.id);
            }
            for (int i = 0; i < q.pictures.size(); ++i) {
                const QByteArray key = descriptionKey(q.pictures.at(i));
                if (drawings.contains(key) && drawings.value(key) != q.id)
                    problem(
                        q, QStringLiteral("pictures[%1]").arg(i + 1),
                        QStringLiteral("the same picture as question %1").arg(drawings.value(key)));
                drawings.insert(key, q.id);
            }
        }
    }

private:
    // The answer sheet shows 20 blanks; the bank keeps to 10.
    static constexpr int MaxQuestionBlanks = 20;
    bool module() const { return m_paper.kind == SourceKind::Module; }

    static QList<bank::Blank> toBlanks(const SourceQuestion& q) {
        QList<bank::Blank> blanks;
        for (const SourceBlank& b : q.blanks)
            blanks << bank::Blank{b.key, b.kind, b.mark};
        return blanks;
    }
    int blankLimit() const { return module() ? MaxQuestionBlanks : 10; }
    QString tooManyBlanks(const SourceQuestion& q) const {
        return QStringLiteral("%1 blanks; a question has at most %2")
            .arg(q.blanks.size())
            .arg(blankLimit());
    }

    void problem(const SourceQuestion& q, const QString& field, const QString& text) {
        problems << locationPrefix(m_paper.file, q.line, module() ? q.number : q.id, field) + text;
    }

    // A teacher's paper: any number of questions, as long as the window can
    // lay out its blanks.
    void checkModulePaper() {
        int blanks = 0;
        for (const SourceQuestion& q : m_paper.questions)
            blanks += int(q.blanks.size());
        if (blanks > 80)
            paperProblem(QStringLiteral("%1 answers in all; a paper can have at most 80: "
                                        "move some questions to another paper")
                             .arg(blanks));
    }
    void paperProblem(const QString& text) { problems << locationPrefix(m_paper.file, 0) + text; }

    void checkPaper() {
        const int num = m_paper.paper;
        const QList<bank::PaperSpec> plan = bank::bankPlan();
        if (num < 101 || num > 150)
            return; // the reader said so
        // The plan's table: one row "| N | ..." per question.
        static const QRegularExpression row(QStringLiteral("^\\s*\\|\\s*[0-9]+\\s*\\|"),
                                            QRegularExpression::MultilineOption);
        const int rows = int(m_paper.plan.count(row));
        if (rows != m_paper.questions.size())
            paperProblem(QStringLiteral("plan: its table has %1 rows \"| N | ...\" for %2 "
                                        "questions")
                             .arg(rows)
                             .arg(m_paper.questions.size()));
        const bank::PaperSpec& shape = plan.at(num - 101);
        const QString base = QFileInfo(m_paper.file).fileName();
        if (base != QStringLiteral("paper%1.yaml").arg(num))
            paperProblem(QStringLiteral("paper %1 belongs in paper%1.yaml").arg(num));
        if (m_paper.topic != shape.topic)
            paperProblem(QStringLiteral("paper %1 is in topic %2, not %3")
                             .arg(num)
                             .arg(shape.topic)
                             .arg(m_paper.topic));
        const QString year = shape.paperInTopic == 1   ? QStringLiteral("Y2")
                             : shape.paperInTopic <= 3 ? QStringLiteral("Y3")
                                                       : QStringLiteral("Y4");
        if (m_paper.year != year)
            paperProblem(QStringLiteral("year: paper %1 of its topic is at %2, not \"%3\"")
                             .arg(shape.paperInTopic)
                             .arg(year, m_paper.year));
        QList<int> blanks;
        QList<int> ids;
        int totalBlanks = 0, marks = 0;
        for (const SourceQuestion& q : m_paper.questions) {
            blanks << int(q.blanks.size());
            ids << q.id;
            totalBlanks += int(q.blanks.size());
            for (const SourceBlank& b : q.blanks)
                marks += b.mark;
        }
        problems << StoreWriter::shapeProblems(shape, blanks, locationPrefix(m_paper.file, 0));
        const QList<int> expected = StoreWriter::assignIds(plan).at(num - 101);
        for (int i = 0; i < ids.size() && i < expected.size(); ++i) {
            if (ids.at(i) != expected.at(i))
                problem(m_paper.questions.at(i), QStringLiteral("id"),
                        QStringLiteral("question %1 of paper %2 has the id %3")
                            .arg(i + 1)
                            .arg(num)
                            .arg(expected.at(i)));
        }
        if (totalBlanks < 20 || totalBlanks > 60)
            paperProblem(QStringLiteral("%1 blanks in all; a paper has 20 to 60").arg(totalBlanks));
        if (marks < 20 || marks > 65)
            paperProblem(QStringLiteral("%1 marks in all; a paper has 20 to 65").arg(marks));
        for (int i = 0; i < m_paper.questions.size(); ++i) {
            const bank::FixedQuestion* fixed = bank::fixedQuestionAt(num, i + 1);
            if (!fixed)
                continue;
            const SourceQuestion& q = m_paper.questions.at(i);
            QStringList keys, kinds;
            QList<int> fixedMarks;
            for (const SourceBlank& b : q.blanks) {
                keys << b.key;
                kinds << b.kind;
                fixedMarks << b.mark;
            }
            if (keys != fixed->keys || kinds != fixed->kinds || fixedMarks != fixed->marks) {
                QStringList marksText;
                for (int m : fixed->marks)
                    marksText << QString::number(m);
                problem(q, QStringLiteral("blanks"),
                        QStringLiteral("a sample record of the bank: keys %1, kinds %2, marks %3")
                            .arg(fixed->keys.join(QLatin1Char('>')),
                                 fixed->kinds.join(QLatin1Char('>')),
                                 marksText.join(QLatin1Char('>'))));
            }
        }
    }

    void checkQuestion(const SourceQuestion& q) {
        if ((q.form == QLatin1String("choice")) != !q.options.isEmpty())
            problem(q, QStringLiteral("form"),
                    q.options.isEmpty() ? QStringLiteral("a choice question gives its options")
                                        : QStringLiteral("a question with options is of the form "
                                                         "choice"));
        QStringList inline_ = q.options;
        inline_ << q.note;
        for (const QString& text : std::as_const(inline_)) {
            if (!pictureRefs(text).isEmpty())
                problem(q,
                        q.options.contains(text) ? QStringLiteral("options")
                                                 : QStringLiteral("note"),
                        QStringLiteral("a picture goes in the text, not here"));
        }
        if (q.blanks.size() > blankLimit())
            problem(q, QStringLiteral("blanks"), tooManyBlanks(q));
        const int boxes = boxesOf(q);
        if (boxes >= 0 && boxes != q.blanks.size())
            problem(
                q, QStringLiteral("text"),
                QStringLiteral("%1 answer boxes for %2 blanks").arg(boxes).arg(q.blanks.size()));
        if (boxes < 0 && q.blanks.size() > 1)
            problem(q, QStringLiteral("text"),
                    QStringLiteral("%1 blanks and no box: give each its [ ] or a part")
                        .arg(q.blanks.size()));
        const bool choice = !q.options.isEmpty();
        for (int b = 0; b < q.blanks.size(); ++b) {
            const bool q_kind = q.blanks.at(b).kind == QLatin1String("Q");
            if (choice != q_kind)
                problem(q, QStringLiteral("blanks[%1].kind").arg(b + 1),
                        choice ? QStringLiteral("a multiple-choice blank is kind Q")
                               : QStringLiteral("kind Q needs the question's four options"));
        }
        if (choice && q.blanks.size() != 1)
            problem(q, QStringLiteral("options"),
                    QStringLiteral("a multiple-choice question has one blank"));
        const QString all = q.text + QLatin1Char(' ') + q.note;
        if (all.contains(choiceNote()))
            problem(q, QStringLiteral("text"),
                    QStringLiteral("\"%1\" is added by itself: leave it out").arg(choiceNote()));
        for (const QString& s : q.statements) {
            if (!module() && !m_curriculum.statements.contains(s))
                problem(q, QStringLiteral("statements"),
                        QStringLiteral("unknown statement \"%1\" (see curriculum.yaml)").arg(s));
        }
        // Every text a pupil reads.
        QList<QPair<QString, QString>> texts{{QStringLiteral("text"), q.text},
                                             {QStringLiteral("note"), q.note}};
        for (int i = 0; i < q.parts.size(); ++i)
            texts.append({QStringLiteral("parts[%1]").arg(i + 1), q.parts.at(i)});
        for (int i = 0; i < q.options.size(); ++i)
            texts.append({QStringLiteral("options[%1]").arg(i + 1), q.options.at(i)});
        for (int i = 0; i < q.working.size(); ++i)
            texts.append({QStringLiteral("working[%1]").arg(i + 1), q.working.at(i).text});
        QList<QPair<QString, const QVariantMap*>> pictures;
        for (int i = 0; i < q.pictures.size(); ++i)
            pictures.append({QStringLiteral("pictures[%1]").arg(i + 1), &q.pictures.at(i)});
        for (int i = 0; i < q.working.size(); ++i) {
            if (q.working.at(i).isPicture())
                pictures.append(
                    {QStringLiteral("working[%1].picture").arg(i + 1), &q.working.at(i).picture});
        }
        for (const auto& [field, picture] : pictures) {
            const QString alt = picture->value(QStringLiteral("alt")).toString().trimmed();
            if (alt.isEmpty())
                problem(q, field + QStringLiteral(".alt"),
                        QStringLiteral("picture \"%1\" has no text alternative: say what a "
                                       "sighted pupil sees")
                            .arg(pictureName(*picture)));
            texts.append({field + QStringLiteral(".alt"), alt});
        }
        for (const auto& [field, text] : texts) {
            if (module())
                break; // the bank's list of slips is made for its own wording
            for (const QString& slip : grammarSlips(plainTextOf(text)))
                problem(q, field, slip);
        }
    }

    void checkKeys(const SourceQuestion& q) {
        const PictureLookup lookup = [&q](const QString& name) { return findPicture(q, name); };
        QStringList keys;
        QList<AnswerKind> kinds;
        QList<QStringList> candidates;
        bool computed = true;
        for (int b = 0; b < q.blanks.size(); ++b) {
            const SourceBlank& blank = q.blanks.at(b);
            const QString field = QStringLiteral("blanks[%1].check").arg(b + 1);
            keys << blank.key;
            kinds << parseAnswerKind(blank.kind);
            if (blank.check.trimmed().isEmpty()) {
                // A teacher's blank without a check: nothing to hold its key to.
                candidates << QStringList{blank.key};
                continue;
            }
            if (isVouchedWord(blank.check) && blank.why.trimmed().isEmpty())
                problem(q, QStringLiteral("blanks[%1].why").arg(b + 1),
                        QStringLiteral("a check that is a word needs a sentence why"));
            const Evaluation e = evaluate(blank.check, lookup);
            if (!e.error.isEmpty()) {
                problem(q, field,
                        QStringLiteral("cannot compute \"%1\": %2").arg(blank.check, e.error));
                computed = false;
                candidates << QStringList();
                continue;
            }
            if (kinds.last() == AnswerKind::Q && !q.options.isEmpty()) {
                const QList<int> shown = optionsShowing(q, e.value);
                if (shown.size() != 1) {
                    QStringList numbers;
                    for (int o : shown)
                        numbers << QString::number(o);
                    problem(q, field,
                            shown.isEmpty()
                                ? QStringLiteral("no option shows %1").arg(e.value.describe())
                                : QStringLiteral("options %1 all show %2")
                                      .arg(numbers.join(QStringLiteral(", ")), e.value.describe()));
                    computed = false;
                    candidates << QStringList();
                    continue;
                }
                candidates << QStringList{QString::number(shown.first())};
                continue;
            }
            candidates << e.value.answers(kinds.last());
        }
        if (!computed)
            return;
        QStringList answers;
        for (const QStringList& c : candidates)
            answers << c.value(0);
        for (int b = 0; b < q.blanks.size(); ++b) {
            if (q.blanks.at(b).check.trimmed().isEmpty())
                continue;
            if (!checkGivesKey(answers, candidates.at(b), keys, kinds, b))
                problem(
                    q, QStringLiteral("blanks[%1]").arg(b + 1),
                    QStringLiteral("the key \"%1\" (kind %2) is not what its check %3 gives: %4")
                        .arg(keys.at(b), q.blanks.at(b).kind, q.blanks.at(b).check,
                             candidates.at(b).value(0)));
        }
    }

    void checkWorking(const SourceQuestion& q) {
        QStringList sums, answers;
        for (const SourceBlank& b : q.blanks) {
            if (!taskSignature(b.check).isEmpty() && !b.check.contains(QLatin1Char('(')))
                sums << normalisedExpression(b.check);
            answers << comparableForm(b.key);
            for (const QString& unit : q.units)
                answers << comparableForm(b.key + unit) << comparableForm(unit + b.key);
        }
        // The sentences of the question, to find one copied into the working.
        QSet<QString> sentences;
        static const QRegularExpression sentenceEnd(QStringLiteral("(?<=[.?!])\\s+"));
        for (const QString& sentence : plainTextOf(q.text).split(sentenceEnd)) {
            if (!comparableForm(sentence).isEmpty())
                sentences.insert(comparableForm(sentence));
        }
        for (int i = 0; i < q.working.size(); ++i) {
            const SourceStep& step = q.working.at(i);
            if (step.isPicture())
                continue;
            const QString field = QStringLiteral("working[%1]").arg(i + 1);
            QString plain = plainTextOf(step.text);
            if (plain.contains(QLatin1String("the answer is"), Qt::CaseInsensitive)) {
                problem(q, field,
                        QStringLiteral("a step that states the answer: the working ends with "
                                       "the answer by itself"));
                continue;
            }
            if (sentences.contains(comparableForm(plain))) {
                problem(q, field,
                        QStringLiteral("\"%1\" restates the data: the question says it already")
                            .arg(plain));
                continue;
            }
            QString bare = plain;
            bare.remove(QRegularExpression(QStringLiteral("^(so|that is|it is)\\s+"),
                                           QRegularExpression::CaseInsensitiveOption));
            if (answers.contains(comparableForm(bare))) {
                problem(q, field,
                        QStringLiteral("a step that states the answer: the working ends with "
                                       "the answer by itself"));
                continue;
            }
            const QStringList sides = plain.split(QLatin1Char('='));
            if (sides.size() != 2)
                continue;
            QString right = sides.at(1);
            if (right.endsWith(QLatin1Char('.')))
                right.chop(1);
            if (comparableForm(sides.at(0)) == comparableForm(right) &&
                !comparableForm(right).isEmpty()) {
                problem(
                    q, field,
                    QStringLiteral("\"%1\" restates the data: say what it means or leave it out")
                        .arg(plain));
                continue;
            }
            // "9 - 2 = 7." for the question 9 - 2; "13 - 4 = 13 - 3 - 1" teaches.
            const QString left = normalisedExpression(withoutUnits(sides.at(0)));
            const bool resultOnly =
                valueOfText(withoutUnits(right).trimmed()).type == Value::Type::Number;
            if (sums.contains(left) && resultOnly)
                problem(q, field,
                        QStringLiteral("\"%1\" restates the question's sum: show how to work it "
                                       "out for these numbers")
                            .arg(plain));
        }
    }

    const SourcePaper& m_paper;
    const Curriculum& m_curriculum;
};

} // namespace

// The options (1..4) that show the value.
QList<int> optionsShowing(const SourceQuestion& q, const Value& value) {
    QList<int> shown;
    static const QRegularExpression amount(
        QStringLiteral("^(\u00a3)?\\s*([0-9]+(?:\\.[0-9]+)?)\\s*([A-Za-z]+)?$"));
    for (int i = 0; i < q.options.size(); ++i) {
        const QString text = plainTextOf(q.options.at(i));
        bool same = false;
        const Evaluation e = evaluate(text);
        if (e.error.isEmpty() && e.value.type == value.type) {
            same = e.value.type == Value::Type::Number ? e.value.number == value.number
                   : e.value.type == Value::Type::Truth
                       ? e.value.truth == value.truth
                       : e.value.text.compare(value.text, Qt::CaseInsensitive) == 0;
        } else if (const QRegularExpressionMatch m = amount.match(text);
                   m.hasMatch() && value.type == Value::Type::Number) {
            const Value v = valueOfText(m.captured(2));
            same = v.number == value.number;
            if (!same && !m.captured(1).isEmpty()) {
                // "£1.20" shows 120 when the check counts pence.
                const Evaluation pence = evaluate(m.captured(2) + QStringLiteral(" * 100"));
                same = pence.value.number == value.number;
            }
        } else if (value.type == Value::Type::Text) {
            same = text.compare(value.text, Qt::CaseInsensitive) == 0;
        }
        if (same)
            shown << i + 1;
    }
    return shown;
}

QString SourceReport::summary() const {
    return QStringLiteral("%1 papers and %2 questions from sources checked: %3")
        .arg(papers)
        .arg(questions)
        .arg(problems.isEmpty() ? QStringLiteral("no problems")
                                : QStringLiteral("%1 problems").arg(problems.size()));
}

QStringList grammarSlips(const QString& text) {
    QStringList slips;
    // "1" alone (not in 21, 1.5, 3/1 or £1) before a plural.
    static const QRegularExpression one(QStringLiteral("(?<![0-9.,/\u00a3])\\b1 ([A-Za-z]+)\\b"));
    const auto words = [](const char* list) {
        const QStringList split = QString::fromLatin1(list).split(QLatin1Char(' '));
        return QSet<QString>(split.begin(), split.end());
    };
    // Words that end in "s" but follow "1" well, and plurals without an "s".
    static const QSet<QString> singularS =
        words("is was has does plus minus less bus class glass cross across gas dress grass "
              "boss times equals lots bonus circus cactus walrus shows holds weighs costs takes "
              "makes gives needs gets goes comes says means stands lies sits fits reads points "
              "starts ends leaves arrives runs wins scores sells buys eats");
    static const QSet<QString> plurals =
        words("are were have ones tens hundreds thousands pence children people men women feet "
              "teeth mice geese");
    auto it = one.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString word = m.captured(1).toLower();
        const bool plural =
            plurals.contains(word) ||
            (word.endsWith(QLatin1Char('s')) && !word.endsWith(QLatin1String("ss")) &&
             !word.endsWith(QLatin1String("us")) && !word.endsWith(QLatin1String("is")) &&
             !singularS.contains(word) && word.size() > 2);
        if (plural)
            slips << QStringLiteral("\"%1\": one takes the singular").arg(m.captured(0));
    }
    // "a" before a vowel sound, "an" before a consonant sound.
    static const QRegularExpression article(QStringLiteral("\\b([Aa]n?) ([A-Za-z0-9]+)"));
    static const QRegularExpression vowelSound(
        QStringLiteral(
            "^([aeio]|u(?!ni|s[eu]|ro|ku)|hour|honest|honour|heir|8|11$|18$|80|8[0-9]{2}$)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression consonantException(
        QStringLiteral("^(one|once|uni|use|usu|eu|ewe)"),
        QRegularExpression::CaseInsensitiveOption);
    auto at = article.globalMatch(text);
    while (at.hasNext()) {
        const QRegularExpressionMatch m = at.next();
        const QString next = m.captured(2);
        const bool vowel =
            vowelSound.match(next).hasMatch() && !consonantException.match(next).hasMatch();
        const bool an = m.captured(1).size() == 2;
        // "A is bigger than B": a letter naming something, not an article.
        static const QSet<QString> afterLetter =
            words("is and or has was are weighs holds shows on in at of to as");
        if (!an && m.captured(1) == QLatin1String("A") && afterLetter.contains(next))
            continue;
        if (an != vowel && !(next.size() == 1 && !next.front().isDigit()))
            slips << QStringLiteral("\"%1\": say \"%2 %3\"")
                         .arg(m.captured(0),
                              an ? m.captured(1).left(1) : m.captured(1) + QLatin1Char('n'), next);
    }
    return slips;
}

QStringList validatePaper(const SourcePaper& paper, const Curriculum& curriculum) {
    PaperValidator validator(paper, curriculum);
    validator.run();
    return validator.problems;
}

QStringList coverageProblems(const Curriculum& curriculum, const QMap<int, int>& papersOfTopic,
                             const QMap<int, QMap<QString, int>>& practised) {
    QStringList problems;
    // Every statement is practised somewhere in the topics that share its
    // area (topics 1 and 2 share place value and addition: within 100 and
    // within 10000), once all their papers are written.
    QSet<int> judged;
    for (auto it = papersOfTopic.begin(); it != papersOfTopic.end(); ++it) {
        const int topic = it.key();
        if (judged.contains(topic))
            continue;
        QList<int> group;
        for (auto t = curriculum.areas.begin(); t != curriculum.areas.end(); ++t) {
            if (t.value() == curriculum.areas.value(topic))
                group << t.key();
        }
        bool written = true;
        for (int t : group) {
            judged.insert(t);
            written = written && papersOfTopic.value(t) == 5;
        }
        if (!written)
            continue;
        for (const QString& s : curriculum.statementsOfTopic(topic)) {
            int count = 0;
            for (int t : group)
                count += practised.value(t).value(s);
            if (count == 0)
                problems << QStringLiteral("topic %1: statement %2 (%3) is never "
                                           "practised")
                                .arg(topic)
                                .arg(s, curriculum.statements.value(s));
        }
    }
    return problems;
}

SourceReport validateSources(const QString& folder, int onlyPaper) {
    SourceReport report;
    QStringList curriculumErrors;
    const Curriculum curriculum =
        readCurriculum(QDir(folder).filePath(QStringLiteral("curriculum.yaml")), &curriculumErrors);
    report.problems << curriculumErrors;
    QMap<int, QMap<QString, int>> practised; // topic -> statement -> questions
    QMap<int, int> papersOfTopic;
    for (int paper = 101; paper <= 150; ++paper) {
        if (onlyPaper != 0 && paper != onlyPaper)
            continue;
        const QString path = paperFile(folder, paper);
        if (!QFileInfo::exists(path)) {
            if (onlyPaper != 0)
                report.problems << locationPrefix(path, 0) + QStringLiteral("no such file");
            continue;
        }
        const PaperRead read = readPaper(path);
        ++report.papers;
        report.problems << read.errors;
        if (!read.errors.isEmpty())
            continue;
        report.questions += int(read.paper.questions.size());
        report.problems << validatePaper(read.paper, curriculum);
        const int topic = (paper - 101) / 5 + 1;
        ++papersOfTopic[topic];
        for (const SourceQuestion& q : read.paper.questions)
            for (const QString& s : q.statements)
                ++practised[topic][s];
    }
    for (auto it = papersOfTopic.begin(); it != papersOfTopic.end(); ++it) {
        const int topic = it.key();
        const QStringList statements = curriculum.statementsOfTopic(topic);
        const QMap<QString, int>& counts = practised.value(topic);
        int covered = 0;
        for (const QString& s : statements)
            covered += counts.value(s) > 0 ? 1 : 0;
        report.coverage << QStringLiteral("topic %1 (%2 of 5 papers from sources): %3 of %4 "
                                          "statements practised")
                               .arg(topic)
                               .arg(it.value())
                               .arg(covered)
                               .arg(statements.size());
        for (const QString& s : statements)
            report.coverage << QStringLiteral("  %1  %2  %3")
                                   .arg(s, -9)
                                   .arg(counts.value(s), 3)
                                   .arg(curriculum.statements.value(s));
        for (auto c = counts.begin(); c != counts.end(); ++c) {
            if (!statements.contains(c.key()))
                report.coverage << QStringLiteral("  %1  %2  (of another topic)")
                                       .arg(c.key(), -9)
                                       .arg(c.value(), 3);
        }
    }
    report.problems << coverageProblems(curriculum, papersOfTopic, practised);
    return report;
}

} // namespace bank::source
