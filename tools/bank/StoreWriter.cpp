#include "StoreWriter.h"

#include "MhtmlWriter.h"
#include "core/ContentTemplates.h"

#include "core/AnswerChecking.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <numeric>

using bank::Blank;
using bank::FixedQuestion;
using bank::PaperSpec;
using bank::Question;

namespace {

constexpr int PaperCount = 50;
constexpr int QuestionCount = 1121;
constexpr int SingleBlankQuestions = 1005;
constexpr int MinPaperBlanks = 20;
constexpr int MaxPaperBlanks = 60;
constexpr int MaxQuestionBlanks = 20;

QByteArray crlf(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines)
        out += line.toLatin1() + "\r\n";
    return out;
}

bool isNumber(const QString& text) {
    // Plain decimal text only: what a pupil would type, no signs or exponents.
    static const QRegularExpression number(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    return number.match(text).hasMatch();
}

bool isPrintableAscii(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 32 || c.unicode() > 126)
            return false;
    }
    return true;
}

// "a/b" in lowest terms, or with whole > 0 the mixed number "w a/b" with a < b.
bool isFractionKey(const QString& key, bool mixed) {
    static const QRegularExpression fraction(QStringLiteral("^([0-9]+)/([0-9]+)$"));
    static const QRegularExpression mixedNumber(
        QStringLiteral("^([1-9][0-9]*) ([0-9]+)/([0-9]+)$"));
    const QRegularExpressionMatch m = (mixed ? mixedNumber : fraction).match(key);
    if (!m.hasMatch())
        return false;
    const int num = m.captured(mixed ? 2 : 1).toInt();
    const int den = m.captured(mixed ? 3 : 2).toInt();
    if (num <= 0 || den <= 1 || std::gcd(num, den) != 1)
        return false;
    return !mixed || num < den;
}

// The alternatives of a group key ";a;b;c".
QStringList groupAlternatives(const QString& key) {
    if (!key.startsWith(QLatin1Char(';')))
        return {};
    return key.mid(1).split(QLatin1Char(';'));
}

QSet<QString> imageSources(const QString& html) {
    static const QRegularExpression img(QStringLiteral("<img\\s[^>]*src=\"([^\"]*)\""));
    QSet<QString> sources;
    auto it = img.globalMatch(html);
    while (it.hasNext())
        sources.insert(it.next().captured(1));
    return sources;
}

} // namespace

int StoreWriter::checkBlanks(const QString& where, const QList<Blank>& blanks,
                             QStringList& problems) {
    auto problem = [&](const QString& text) { problems << where + QStringLiteral(": ") + text; };
    int maxOption = 0;
    for (int b = 0; b < blanks.size(); ++b) {
        const Blank& blank = blanks.at(b);
        const QString at = QStringLiteral("blank %1 ").arg(b + 1);
        if (blank.mark < 1 || blank.mark > 3)
            problem(at + QStringLiteral("mark %1 is not 1, 2 or 3").arg(blank.mark));
        const AnswerKind kind = parseAnswerKind(blank.kind);
        if (kind == AnswerKind::Unknown) {
            problem(at + QStringLiteral("unknown kind \"%1\"").arg(blank.kind));
            continue;
        }
        const QString& key = blank.key;
        if (key.contains(QLatin1Char('>')) || key.contains(QLatin1Char('#')) ||
            !isPrintableAscii(key)) {
            problem(
                at +
                QStringLiteral("key \"%1\" holds a character the tables cannot carry").arg(key));
            continue;
        }
        if (kind == AnswerKind::G && key == QLatin1String(" ")) {
            // A follower: needs a head (or another follower) right before it.
            if (b == 0 || parseAnswerKind(blanks.at(b - 1).kind) != AnswerKind::G)
                problem(at + QStringLiteral("group follower without a head"));
            continue;
        }
        if (key.isEmpty() || key.trimmed() != key) {
            problem(at + QStringLiteral("key \"%1\" is empty or has outer spaces").arg(key));
            continue;
        }
        if (kind == AnswerKind::N && !isNumber(key))
            problem(at + QStringLiteral("number key \"%1\" is not a number").arg(key));
        if ((kind == AnswerKind::T || kind == AnswerKind::L) && isNumber(key))
            problem(at + QStringLiteral("word key \"%1\" is a number").arg(key));
        if (kind == AnswerKind::F && !isFractionKey(key, false))
            problem(at + QStringLiteral("fraction key \"%1\" is not in lowest terms").arg(key));
        if (kind == AnswerKind::X && !isFractionKey(key, true))
            problem(at + QStringLiteral("mixed number key \"%1\" is malformed").arg(key));
        if (kind == AnswerKind::Q) {
            const int option = key.toInt();
            if (key.size() != 1 || option < 1 || option > 4)
                problem(at + QStringLiteral("choice key \"%1\" is not 1 to 4").arg(key));
            maxOption = std::max(maxOption, option);
        }
        if (isGroupKind(kind)) {
            const QStringList alternatives = groupAlternatives(key);
            bool blankAlternative = alternatives.isEmpty();
            for (const QString& alternative : alternatives)
                blankAlternative = blankAlternative || alternative.trimmed().isEmpty();
            if (blankAlternative)
                problem(at + QStringLiteral("group key \"%1\" is not \";a;b...\"").arg(key));
            if (kind == AnswerKind::G) {
                int followers = 0;
                while (b + 1 + followers < blanks.size() &&
                       parseAnswerKind(blanks.at(b + 1 + followers).kind) == AnswerKind::G &&
                       blanks.at(b + 1 + followers).key == QLatin1String(" "))
                    ++followers;
                if (followers + 1 > alternatives.size())
                    problem(at + QStringLiteral("group of %1 blanks has only %2 answers")
                                     .arg(followers + 1)
                                     .arg(alternatives.size()));
            }
        }
    }

    return maxOption;
}

void StoreWriter::checkStoredQuestion(const QString& where, const Question& question,
                                      QStringList& problems) {
    auto problem = [&](const QString& text) { problems << where + QStringLiteral(": ") + text; };
    const int maxOption = checkBlanks(where, question.blanks, problems);
    const QList<Blank>& blanks = question.blanks;

    const QString& html = question.html;
    if (html.trimmed().isEmpty())
        problem(QStringLiteral("empty page"));
    static const QRegularExpression numbered(QStringLiteral("Question\\s+[0-9]"));
    if (numbered.match(html).hasMatch())
        problem(QStringLiteral("the page numbers itself; the window does that"));
    if (blanks.size() > 1) {
        for (int b = 0; b < blanks.size(); ++b) {
            if (!html.contains(bank::html::partLabel(b)))
                problem(QStringLiteral("part %1 is not labelled").arg(bank::html::partLabel(b)));
        }
    }
    if (maxOption > 0) {
        const int options = int(html.count(QStringLiteral("<td class=\"number\">")));
        if (options < maxOption || options > 4)
            problem(QStringLiteral("%1 options shown for a choice up to %2")
                        .arg(options)
                        .arg(maxOption));
    }

    const bank::Working& working = question.working;
    if (working.steps.isEmpty() && working.answers.isEmpty()) {
        problem(QStringLiteral("no working"));
    } else {
        if (working.steps.isEmpty())
            problem(QStringLiteral("working without steps"));
        if (working.answers.size() != blanks.size())
            problem(QStringLiteral("working gives %1 answers for %2 blanks")
                        .arg(working.answers.size())
                        .arg(blanks.size()));
        else if (working.answers != bank::answersOf(blanks))
            problem(QStringLiteral("working's answers %1 are not the keys %2")
                        .arg(working.answers.join(QLatin1Char('|')),
                             bank::answersOf(blanks).join(QLatin1Char('|'))));
        const QSet<QString> workingSources = imageSources(working.steps.join(QLatin1Char(' ')));
        QSet<QString> workingNames;
        for (const bank::Picture& picture : working.pictures) {
            workingNames.insert(picture.name);
            if (question.pictures.end() !=
                std::find_if(question.pictures.begin(), question.pictures.end(),
                             [&](const bank::Picture& p) { return p.name == picture.name; }))
                problem(QStringLiteral("working picture \"%1\" has the name of a question picture")
                            .arg(picture.name));
        }
        if (workingSources != workingNames)
            problem(QStringLiteral(
                "working shows pictures it does not carry, or carries unshown ones"));
    }

    static const QRegularExpression safeName(QStringLiteral("^[A-Za-z0-9_-]+\\.(svg|png)$"));
    QSet<QString> names;
    for (const bank::Picture& picture : question.pictures) {
        if (!safeName.match(picture.name).hasMatch())
            problem(
                QStringLiteral("picture name \"%1\" is not a plain file name").arg(picture.name));
        if (names.contains(picture.name))
            problem(QStringLiteral("picture \"%1\" appears twice").arg(picture.name));
        names.insert(picture.name);
        if (picture.data.isEmpty())
            problem(QStringLiteral("picture \"%1\" is empty").arg(picture.name));
        const bool svg = picture.mimeType == QLatin1String("image/svg+xml");
        if (!svg && picture.mimeType != QLatin1String("image/png"))
            problem(
                QStringLiteral("picture \"%1\" has type %2").arg(picture.name, picture.mimeType));
    }
    const QSet<QString> sources = imageSources(html);
    for (const QString& source : sources) {
        if (!names.contains(source))
            problem(
                QStringLiteral("the page shows \"%1\" but carries no such picture").arg(source));
    }
    for (const QString& name : std::as_const(names)) {
        if (!sources.contains(name))
            problem(QStringLiteral("picture \"%1\" is never shown").arg(name));
    }
}

StoreWriter::StoreWriter(QString storeDir, QString sourceDir)
    : m_storeDir(std::move(storeDir)), m_sourceDir(std::move(sourceDir)) {}

const QStringList& StoreWriter::topicNames() {
    static const QStringList names = {
        QStringLiteral("Addition and Subtraction within 100"),
        QStringLiteral("Addition and Subtraction within 10000"),
        QStringLiteral("Multiplication and Division"),
        QStringLiteral("Money"),
        QStringLiteral("Weight"),
        QStringLiteral("Length"),
        QStringLiteral("Time"),
        QStringLiteral("Picture Graphs"),
        QStringLiteral("Fraction"),
        QStringLiteral("Area, Perimeter and Volume"),
    };
    return names;
}

const QList<int>& StoreWriter::paper101Ids() {
    static const QList<int> ids = {25016, 25019, 25036, 25038, 25039, 25054, 25056, 25058,
                                   25059, 25073, 25075, 25076, 25077, 25078, 25079, 25095,
                                   25098, 25100, 25116, 25117, 25119, 25120, 25136, 25137,
                                   25138, 25139, 25140, 25155, 25156, 25157};
    return ids;
}

const QList<int>& StoreWriter::paper136Ids() {
    static const QList<int> ids = {25310, 25311, 25312, 25313, 25314};
    return ids;
}

QList<QList<int>> StoreWriter::assignIds(const QList<PaperSpec>& plan) {
    QSet<int> reserved;
    for (int id : paper101Ids())
        reserved.insert(id);
    for (int id : paper136Ids())
        reserved.insert(id);
    for (const FixedQuestion& fixed : bank::fixedQuestions())
        reserved.insert(fixed.id);

    // Every second id, so the bank leaves room for questions added later.
    int next = FirstQuestionId;
    QList<QList<int>> ids;
    for (const PaperSpec& paperSpec : plan) {
        QList<int> paperIds;
        for (int q = 0; q < paperSpec.blankPlan.size(); ++q) {
            if (paperSpec.paperNum == 101 && q < paper101Ids().size()) {
                paperIds << paper101Ids().at(q);
            } else if (paperSpec.paperNum == 136 && q < paper136Ids().size()) {
                paperIds << paper136Ids().at(q);
            } else if (const FixedQuestion* fixed =
                           bank::fixedQuestionAt(paperSpec.paperNum, q + 1)) {
                paperIds << fixed->id;
            } else {
                while (reserved.contains(next))
                    next += 2;
                paperIds << next;
                next += 2;
            }
        }
        ids << paperIds;
    }
    return ids;
}

QStringList StoreWriter::check(const QList<Paper>& papers) {
    QStringList problems;
    if (papers.size() != PaperCount)
        problems << QStringLiteral("%1 papers instead of %2").arg(papers.size()).arg(PaperCount);

    const QList<PaperSpec> plan = bank::bankPlan();
    QSet<int> seenIds;
    int questionCount = 0;
    int singleBlank = 0;
    for (int p = 0; p < papers.size(); ++p) {
        const Paper& paper = papers.at(p);
        const PaperSpec& paperSpec = paper.paperSpec;
        const QString paperName = QStringLiteral("paper %1").arg(paperSpec.paperNum);
        if (paperSpec.paperNum != 101 + p)
            problems << paperName + QStringLiteral(": out of order");
        if (paper.questions.size() != paperSpec.blankPlan.size() ||
            paper.ids.size() != paperSpec.blankPlan.size()) {
            problems << paperName + QStringLiteral(": %1 questions and %2 ids for a plan of %3")
                                        .arg(paper.questions.size())
                                        .arg(paper.ids.size())
                                        .arg(paperSpec.blankPlan.size());
            continue;
        }
        int blanks = 0;
        int marks = 0;
        for (int q = 0; q < paper.questions.size(); ++q) {
            const Question& question = paper.questions.at(q);
            const int id = paper.ids.at(q);
            const QString where =
                paperName + QStringLiteral(" question %1 (%2)").arg(q + 1).arg(id);
            ++questionCount;
            if (question.blanks.size() == 1)
                ++singleBlank;
            if (id < FirstQuestionId || id > LastQuestionId)
                problems << where + QStringLiteral(": id outside %1-%2")
                                        .arg(FirstQuestionId)
                                        .arg(LastQuestionId);
            if (seenIds.contains(id))
                problems << where + QStringLiteral(": id used twice");
            seenIds.insert(id);
            if (question.blanks.size() != paperSpec.blankPlan.at(q)) {
                problems << where + QStringLiteral(": %1 blanks, planned %2")
                                        .arg(question.blanks.size())
                                        .arg(paperSpec.blankPlan.at(q));
            }
            if (question.blanks.isEmpty() || question.blanks.size() > MaxQuestionBlanks)
                problems << where + QStringLiteral(": %1 blanks").arg(question.blanks.size());
            if (const FixedQuestion* fixed = bank::fixedQuestionAt(paperSpec.paperNum, q + 1)) {
                QStringList keys, kinds;
                QList<int> fixedMarks;
                for (const Blank& blank : question.blanks) {
                    keys << blank.key;
                    kinds << blank.kind;
                    fixedMarks << blank.mark;
                }
                if (id != fixed->id || keys != fixed->keys || kinds != fixed->kinds ||
                    fixedMarks != fixed->marks)
                    problems << where + QStringLiteral(": differs from the sample record %1")
                                            .arg(fixed->id);
            }
            for (const Blank& blank : question.blanks)
                marks += blank.mark;
            blanks += int(question.blanks.size());
            checkStoredQuestion(where, question, problems);
        }
        if (blanks < MinPaperBlanks || blanks > MaxPaperBlanks)
            problems << paperName + QStringLiteral(": %1 blanks").arg(blanks);
        if (p < plan.size())
            problems << shapeProblems(plan.at(p), paper.paperSpec.blankPlan,
                                      paperName + QStringLiteral(": "));
        if (marks < paperSpec.minMarks || marks > paperSpec.maxMarks)
            problems << paperName + QStringLiteral(": %1 marks, allowed %2-%3")
                                        .arg(marks)
                                        .arg(paperSpec.minMarks)
                                        .arg(paperSpec.maxMarks);
        if (paperSpec.paperNum == 101 && paper.ids != paper101Ids())
            problems << paperName +
                            QStringLiteral(": question ids differ from the fixed sample ids");
        if (paperSpec.paperNum == 136 && paper.ids != paper136Ids())
            problems << paperName +
                            QStringLiteral(": question ids differ from the fixed sample ids");
    }
    if (questionCount != QuestionCount)
        problems
            << QStringLiteral("%1 questions instead of %2").arg(questionCount).arg(QuestionCount);
    if (singleBlank != SingleBlankQuestions)
        problems << QStringLiteral("%1 single-blank questions instead of %2")
                        .arg(singleBlank)
                        .arg(SingleBlankQuestions);
    return problems;
}

QStringList StoreWriter::shapeProblems(const PaperSpec& planned, const QList<int>& blanks,
                                       const QString& where) {
    QStringList problems;
    const QList<int>& plan = planned.blankPlan;
    if (blanks.size() != plan.size()) {
        problems << where + QStringLiteral("%1 questions; the paper has %2")
                                .arg(blanks.size())
                                .arg(plan.size());
        return problems;
    }
    // Paper 136 keeps its planned blanks question by question and paper 141
    // its 60 in all (the sample records rely on them); the others may place
    // and size their questions of several blanks freely but keep how many
    // questions have one, so that the bank keeps its 1,005.
    if (planned.paperNum == 136 && blanks != plan) {
        QStringList counts;
        for (int b : plan)
            counts << QString::number(b);
        problems << where + QStringLiteral("the questions must have %1 blanks")
                                .arg(counts.join(QStringLiteral(", ")));
        return problems;
    }
    const int total = std::accumulate(blanks.begin(), blanks.end(), 0);
    const int plannedTotal = std::accumulate(plan.begin(), plan.end(), 0);
    if (planned.paperNum == 141 && total != plannedTotal)
        problems << where + QStringLiteral("%1 blanks in all; the paper has %2")
                                .arg(total)
                                .arg(plannedTotal);
    const int singles = int(std::count(blanks.begin(), blanks.end(), 1));
    const int plannedSingles = int(std::count(plan.begin(), plan.end(), 1));
    if (singles != plannedSingles)
        problems << where + QStringLiteral("%1 questions with one blank; the paper must have %2 "
                                           "(and %3 with several)")
                                .arg(singles)
                                .arg(plannedSingles)
                                .arg(plan.size() - plannedSingles);
    return problems;
}

QString StoreWriter::paperStamp(const Paper& paper) {
    return QStringLiteral("3.") + QString::fromLatin1(paper.sourceDigest.toHex().left(10));
}

QByteArray StoreWriter::definition(const QList<Paper>& papers) {
    QStringList stamps;
    for (const Paper& paper : papers)
        stamps << paperStamp(paper);
    QStringList lines;
    lines << QStringLiteral("...") << QStringLiteral("#NME#>Quillora Maths Practice")
          << QStringLiteral("#COD#>QMP") << QStringLiteral("#LBH#>Practice")
          << QStringLiteral("#EDN#>%1").arg(Edition) << QString(31, QLatin1Char('-'))
          << QStringLiteral("#TT2#>10") << QStringLiteral("#TP2#>50")
          << QStringLiteral("#TN2#>") + topicNames().join(QLatin1Char('>'))
          << QStringLiteral("#PS2#>") + stamps.join(QLatin1Char('>')) << QStringLiteral("...");
    return crlf(lines);
}

QByteArray StoreWriter::paperTable(const QList<Paper>& papers) {
    QStringList lines{QStringLiteral("...")};
    for (const Paper& paper : papers) {
        QStringList fields;
        for (int id : paper.ids)
            fields << QString::number(id);
        lines << QStringLiteral("#%1#>").arg(paper.paperSpec.paperNum) +
                     fields.join(QLatin1Char('>'));
    }
    lines << QStringLiteral("...");
    return crlf(lines);
}

QByteArray StoreWriter::questionTable(const QList<Paper>& papers, int tableId) {
    QStringList lines{QStringLiteral("...")};
    for (const Paper& paper : papers) {
        for (int q = 0; q < paper.questions.size() && q < paper.ids.size(); ++q) {
            QStringList fields;
            for (const Blank& blank : paper.questions.at(q).blanks) {
                if (tableId == 30023)
                    fields << blank.key;
                else if (tableId == 30024)
                    fields << blank.kind;
                else
                    fields << QString::number(blank.mark);
            }
            lines << QStringLiteral("#%1#>").arg(paper.ids.at(q)) + fields.join(QLatin1Char('>'));
        }
    }
    lines << QStringLiteral("...");
    return crlf(lines);
}

QByteArray StoreWriter::marksTemplate(int paperCount) {
    return marksTemplateText(paperCount);
}

QByteArray StoreWriter::paperTemplateFor(const QList<Paper>& papers) {
    QList<int> blanks;
    for (const Paper& paper : papers) {
        int count = 0;
        for (const Question& question : paper.questions)
            count += int(question.blanks.size());
        blanks << count;
    }
    return paperTemplateText(blanks);
}

QByteArray StoreWriter::trendTemplate() {
    return trendTemplateText();
}

bool StoreWriter::writeFile(const QString& name, const QByteArray& bytes,
                            QStringList& problems) const {
    QFile existing(m_storeDir + QLatin1Char('/') + name);
    // Leave identical files alone so a regeneration keeps their timestamps.
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    existing.close();
    QSaveFile file(m_storeDir + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        problems << QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

void StoreWriter::removeStale(const QStringList& written) const {
    // Only items of the bank's own naming are touched: question archives and
    // the 30xxx text items.
    static const QRegularExpression ours(QStringLiteral("^([0-9]{5}\\.mht|30[0-9]{3}\\.txt)$"));
    const QSet<QString> keep(written.begin(), written.end());
    const QStringList present = QDir(m_storeDir).entryList(QDir::Files);
    for (const QString& name : present) {
        if (ours.match(name).hasMatch() && !keep.contains(name))
            QFile::remove(m_storeDir + QLatin1Char('/') + name);
    }
}
