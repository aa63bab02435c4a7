#include "StoreValidator.h"

#include "ImageFileCheck.h"
#include "MhtmlCheck.h"
#include "QualityCheck.h"

#include "core/AnswerChecking.h"
#include "core/GraphicsTable.h"
#include "core/Numbering.h"
#include "core/PaperContent.h"
#include "core/ProgramDefinition.h"
#include "core/ProgramFolder.h"
#include "results/ResultsFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr int MaxBlanksPerQuestion = 20;
constexpr int MaxBlanksPerPaper = 80;
constexpr int GroupReach = 21; // a follower stands at most 21 blanks after its head

int templateId(int module, int which) {
    return 30100 + 10 * module + which;
}

QString blankLetter(int index) {
    return QStringLiteral("(%1)").arg(QChar(u'a' + index));
}

bool hasAlternatives(const QString& key) {
    if (!key.startsWith(QLatin1Char(';')))
        return false;
    const QStringList alternatives = keyAlternatives(key);
    return std::any_of(alternatives.cbegin(), alternatives.cend(),
                       [](const QString& a) { return !a.trimmed().isEmpty(); });
}

int alternativeCount(const QString& key) {
    const QStringList alternatives = keyAlternatives(key);
    return int(std::count_if(alternatives.cbegin(), alternatives.cend(),
                             [](const QString& a) { return !a.trimmed().isEmpty(); }));
}

} // namespace

QString ValidationReport::summary() const {
    const QString counts = QStringLiteral("%1 papers, %2 questions, %3 blanks, %4 marks")
                               .arg(papers)
                               .arg(questions)
                               .arg(blanks)
                               .arg(marks);
    if (problems.isEmpty())
        return counts + QStringLiteral(": no problems");
    return counts + QStringLiteral(": %1 problem%2")
                        .arg(problems.size())
                        .arg(problems.size() == 1 ? "" : "s");
}

StoreValidator::StoreValidator(const ResourceStore& store, QString scratchFolder)
    : m_store(store), m_scratch(std::move(scratchFolder)) {}

ValidationReport StoreValidator::run() {
    checkDefinition();
    if (m_definitionRead) {
        for (int m : m_definition.existingModules()) {
            if (m_definition.module(m).paperCount > 0)
                checkModule(m);
        }
    }
    checkGraphics();
    checkDocuments();
    checkStrayItems();
    return m_report;
}

void StoreValidator::problem(int id, const QString& text) {
    m_report.problems.append(QStringLiteral("%1: %2").arg(id).arg(text));
}

bool StoreValidator::itemText(int id, TableText* text, int tagLength) {
    m_expectedIds.insert(id);
    bool ok = false;
    const QByteArray bytes = m_store.itemBytes(id, &ok);
    if (!ok) {
        problem(id, QStringLiteral("item missing from the store"));
        return false;
    }
    *text = TableText::parse(bytes, tagLength);
    for (const QString& p : text->problems())
        problem(id, p);
    return true;
}

void StoreValidator::checkDefinition() {
    TableText text;
    if (!itemText(DefinitionItemId, &text, 3))
        return;
    const QString path = m_scratch + QLatin1Char('/') + definitionScratchName();
    if (m_store.ExtractResource(DefinitionItemId, QStringLiteral("Custom"), path) !=
        ResourceStore::ExtractResult::Done) {
        problem(DefinitionItemId, QStringLiteral("cannot be extracted to %1").arg(path));
        return;
    }
    const DefinitionRead read = readProgramDefinitionFile(path);
    QFile::remove(path);
    if (read.error != DefinitionError::None)
        problem(DefinitionItemId, read.detail);
    if (read.error != DefinitionError::None && read.error != DefinitionError::BadModule)
        return;
    m_definition = read.definition;
    m_definitionRead = true;

    if (m_definition.displayName.trimmed().isEmpty())
        problem(DefinitionItemId, QStringLiteral("no display name (NME)"));
    static const QRegularExpression codeChars(QStringLiteral("^[A-Za-z0-9_-]+$"));
    if (m_definition.programCode.isEmpty())
        problem(DefinitionItemId, QStringLiteral("no program code (COD)"));
    else if (!codeChars.match(m_definition.programCode).hasMatch())
        problem(DefinitionItemId,
                QStringLiteral("program code \"%1\" cannot be part of a results file name")
                    .arg(m_definition.programCode));
    for (int m = 1; m <= 3; ++m) {
        const ModuleDefinition& module = m_definition.module(m);
        if (!module.exists() || module.topicNames.isEmpty())
            continue;
        // Without one stamp per paper the program cannot tell which saved
        // answers belong to questions that have changed.
        const struct {
            const char* key;
            const char* what;
            const char* countKey;
            int count;
        } counted[] = {{"TN", "names %2 topics", "TT", module.topicCount},
                       {"PS", "stamps %2 papers", "TP", module.paperCount}};
        for (const auto& c : counted) {
            const TableRecord* record = text.find(QLatin1String(c.key) + QString::number(m));
            if (record && record->fields.size() != c.count)
                problem(DefinitionItemId,
                        QStringLiteral("%1%2 %3, but %4%2 is %5")
                            .arg(QLatin1String(c.key), QString::number(m),
                                 QString::fromLatin1(c.what).arg(record->fields.size()),
                                 QLatin1String(c.countKey), QString::number(c.count)));
        }
        if (module.paperCount != Numbering::PapersPerTopic * module.topicCount)
            problem(DefinitionItemId,
                    QStringLiteral("module %1 has %2 papers (TP%1), but its %3 topics of five "
                                   "papers need %4")
                        .arg(m)
                        .arg(module.paperCount)
                        .arg(module.topicCount)
                        .arg(Numbering::PapersPerTopic * module.topicCount));
    }
}

void StoreValidator::checkModule(int module) {
    ModuleContent mc;
    mc.number = module;
    mc.paperCount = m_definition.module(module).paperCount;
    readPapers(mc);
    readQuestionTables(mc);
    checkBlanks(mc);
    checkTemplates(mc);
    checkLoading(mc);
    checkQuality(mc);
}

void StoreValidator::checkQuality(const ModuleContent& mc) {
    QList<QPair<int, QList<QualityCheck::Item>>> papers;
    for (int p = Numbering::paperNumOfIndex(1); p <= Numbering::paperNumOfIndex(mc.paperCount);
         ++p) {
        QList<QualityCheck::Item> items;
        for (const QString& q : mc.paperQuestions[p - 101]) {
            const auto it = mc.questions.constFind(q);
            if (it == mc.questions.cend())
                continue;
            QualityCheck::Item item;
            item.id = q;
            for (const Blank& b : it->blanks)
                item.blanks.append({b.key, b.kind, b.mark.toInt()});
            item.archive = m_store.itemBytes(q.toInt());
            items.append(item);
        }
        papers.append({p, items});
    }
    const QualityCheck::Result result = QualityCheck::run(papers);
    for (const auto& [who, text] : result.problems)
        m_report.problems.append(QStringLiteral("%1: %2").arg(who, text));
    for (const QualityCheck::Figures& f : result.figures)
        m_report.figures.append(f.line());
}

void StoreValidator::readPapers(ModuleContent& mc) {
    const int id = papersTableId(mc.number);
    mc.paperQuestions = QList<QStringList>(mc.paperCount);
    TableText table;
    if (!itemText(id, &table, 3))
        return;
    static const QRegularExpression fiveDigits(QStringLiteral("^[0-9]{5}$"));
    QHash<QString, int> listedIn;
    for (int p = Numbering::paperNumOfIndex(1); p <= Numbering::paperNumOfIndex(mc.paperCount);
         ++p) {
        const TableRecord* rec = table.find(QString::number(p));
        if (!rec) {
            problem(id, QStringLiteral("paper %1 has no record").arg(p));
            m_papersWithProblems.insert(mc.number * 1000 + p);
            continue;
        }
        ++m_report.papers;
        if (rec->fields.isEmpty() || (rec->fields.size() == 1 && rec->fields[0].isEmpty())) {
            problem(id, QStringLiteral("paper %1 lists no question").arg(p));
            m_papersWithProblems.insert(mc.number * 1000 + p);
            continue;
        }
        for (int k = 0; k < rec->fields.size(); ++k) {
            const QString& q = rec->fields[k];
            const QString where = QStringLiteral("paper %1, question %2").arg(p).arg(k + 1);
            bool bad = true;
            if (!fiveDigits.match(q).hasMatch())
                problem(id,
                        QStringLiteral("%1: \"%2\" is not a five-digit question id").arg(where, q));
            else if (q.toInt() > 32767)
                problem(id, QStringLiteral("%1: %2 does not fit a 16-bit store id").arg(where, q));
            else if (q.toInt() >= DefinitionItemId && q.toInt() < 30200)
                problem(
                    id,
                    QStringLiteral("%1: %2 is a store id of the program's tables").arg(where, q));
            else if (listedIn.contains(q))
                problem(id, QStringLiteral("%1: %2 is already listed in paper %3")
                                .arg(where, q)
                                .arg(listedIn.value(q)));
            else
                bad = false;
            if (bad) {
                m_papersWithProblems.insert(mc.number * 1000 + p);
                continue;
            }
            listedIn.insert(q, p);
            mc.paperQuestions[p - 101].append(q);
            m_listedQuestions.insert(q);
        }
    }
    for (const TableRecord& rec : table.records()) {
        bool ok = false;
        const int p = rec.tag.toInt(&ok);
        if (!ok || p < 101 || p > Numbering::paperNumOfIndex(mc.paperCount))
            problem(id, QStringLiteral("line %1: record %2 is not a paper of module %3 (101 to %4)")
                            .arg(rec.line)
                            .arg(rec.tag)
                            .arg(mc.number)
                            .arg(Numbering::paperNumOfIndex(mc.paperCount)));
    }
    m_report.questions += int(listedIn.size());
}

void StoreValidator::readQuestionTables(ModuleContent& mc) {
    const int ids[3] = {keysTableId(mc.number), kindsTableId(mc.number), marksTableId(mc.number)};
    TableText tables[3];
    bool present[3];
    for (int t = 0; t < 3; ++t)
        present[t] = itemText(ids[t], &tables[t], 5);

    QSet<QString> listed;
    for (int p = Numbering::paperNumOfIndex(1); p <= Numbering::paperNumOfIndex(mc.paperCount);
         ++p) {
        for (const QString& q : mc.paperQuestions[p - 101]) {
            listed.insert(q);
            const TableRecord* recs[3] = {nullptr, nullptr, nullptr};
            bool complete = true;
            for (int t = 0; t < 3; ++t) {
                if (!present[t]) {
                    complete = false;
                    continue;
                }
                recs[t] = tables[t].find(q);
                if (!recs[t]) {
                    problem(ids[t],
                            QStringLiteral("no record for question %1 of paper %2").arg(q).arg(p));
                    complete = false;
                }
            }
            if (!complete) {
                m_papersWithProblems.insert(mc.number * 1000 + p);
                continue;
            }
            const qsizetype n = recs[0]->fields.size();
            if (recs[1]->fields.size() != n || recs[2]->fields.size() != n) {
                problem(ids[0], QStringLiteral("question %1: %2 keys, %3 kinds and %4 marks; the "
                                               "three must agree")
                                    .arg(q)
                                    .arg(n)
                                    .arg(recs[1]->fields.size())
                                    .arg(recs[2]->fields.size()));
                m_papersWithProblems.insert(mc.number * 1000 + p);
                continue;
            }
            Question question;
            question.id = q;
            question.paper = p;
            for (qsizetype b = 0; b < n; ++b)
                question.blanks.append(
                    {recs[0]->fields[b], recs[1]->fields[b], recs[2]->fields[b]});
            mc.questions.insert(q, question);
        }
    }
    for (int t = 0; t < 3; ++t) {
        if (!present[t])
            continue;
        checkOrder(ids[t], tables[t], mc);
        for (const TableRecord& rec : tables[t].records())
            if (!listed.contains(rec.tag))
                problem(ids[t], QStringLiteral("line %1: record %2 belongs to no paper")
                                    .arg(rec.line)
                                    .arg(rec.tag));
    }
}

void StoreValidator::checkOrder(int tableId, const TableText& table, const ModuleContent& mc) {
    QHash<QString, int> position;
    for (int i = 0; i < table.records().size(); ++i)
        position.insert(table.records()[i].tag, i);
    int last = -1;
    QString lastQuestion;
    int lastPaper = 0;
    for (int p = Numbering::paperNumOfIndex(1); p <= Numbering::paperNumOfIndex(mc.paperCount);
         ++p) {
        for (const QString& q : mc.paperQuestions[p - 101]) {
            const int at = position.value(q, -1);
            if (at < 0)
                continue;
            if (at < last) {
                problem(tableId,
                        QStringLiteral("records out of paper order: %1 (paper %2) stands before "
                                       "%3 (paper %4); papers load in one forward pass")
                            .arg(q)
                            .arg(p)
                            .arg(lastQuestion)
                            .arg(lastPaper));
                m_papersWithProblems.insert(mc.number * 1000 + p);
                return;
            }
            last = at;
            lastQuestion = q;
            lastPaper = p;
        }
    }
}

void StoreValidator::checkBlanks(ModuleContent& mc) {
    const int keysId = keysTableId(mc.number);
    const int kindsId = kindsTableId(mc.number);
    const int marksId = marksTableId(mc.number);
    static const QRegularExpression number(QStringLiteral("^ *[+-]?[0-9]+(\\.[0-9]+)? *$"));
    static const QRegularExpression mark(QStringLiteral("^[1-3]$"));

    for (int p = Numbering::paperNumOfIndex(1); p <= Numbering::paperNumOfIndex(mc.paperCount);
         ++p) {
        QList<const Question*> list;
        bool whole = true;
        int blanks = 0, marks = 0;
        for (const QString& q : mc.paperQuestions[p - 101]) {
            const auto it = mc.questions.constFind(q);
            if (it == mc.questions.cend()) {
                whole = false;
                continue;
            }
            const Question& question = it.value();
            list.append(&question);
            const int n = int(question.blanks.size());
            if (n == 0)
                problem(keysId, QStringLiteral("question %1 has no answer blank").arg(q));
            if (n > MaxBlanksPerQuestion)
                problem(keysId, QStringLiteral("question %1 has %2 blanks; the answer sheet shows "
                                               "at most %3")
                                    .arg(q)
                                    .arg(n)
                                    .arg(MaxBlanksPerQuestion));
            for (int b = 0; b < n; ++b) {
                const Blank& blank = question.blanks[b];
                const QString where = QStringLiteral("question %1 %2").arg(q, blankLetter(b));
                const AnswerKind k = parseAnswerKind(blank.kind);
                const QString& key = blank.key;
                if (k == AnswerKind::Unknown)
                    problem(
                        kindsId,
                        QStringLiteral("%1: unknown answer kind \"%2\"").arg(where, blank.kind));
                if (k == AnswerKind::N && !number.match(key).hasMatch())
                    problem(
                        keysId,
                        QStringLiteral("%1: kind N key \"%2\" is not a number").arg(where, key));
                if (k != AnswerKind::Unknown && k != AnswerKind::N && !isGroupKind(k) &&
                    key.trimmed().isEmpty())
                    problem(keysId, QStringLiteral("%1: the key is empty").arg(where));
                if (k == AnswerKind::Q && key.trimmed().size() > 1)
                    problem(keysId, QStringLiteral("%1: kind Q key \"%2\" is longer than the one "
                                                   "character its answer box takes")
                                        .arg(where, key));
                if (k == AnswerKind::X && !key.trimmed().contains(QLatin1Char(' ')))
                    problem(keysId, QStringLiteral("%1: kind X key \"%2\" has no space between the "
                                                   "whole number and the fraction")
                                        .arg(where, key));
                if ((k == AnswerKind::M || (k == AnswerKind::G && key != QLatin1String(" "))) &&
                    !hasAlternatives(key))
                    problem(keysId, QStringLiteral("%1: kind %2 key \"%3\" lists no alternatives "
                                                   "(\";a;b\")")
                                        .arg(where, blank.kind, key));
                if (!mark.match(blank.mark).hasMatch())
                    problem(
                        marksId,
                        QStringLiteral("%1: mark \"%2\" is not 1, 2 or 3").arg(where, blank.mark));
                else
                    marks += blank.mark.toInt();
            }
            blanks += n;
        }
        m_report.blanks += blanks;
        m_report.marks += marks;
        if (blanks > MaxBlanksPerPaper)
            problem(papersTableId(mc.number), QStringLiteral("paper %1 has %2 blanks; at most %3")
                                                  .arg(p)
                                                  .arg(blanks)
                                                  .arg(MaxBlanksPerPaper));
        if (whole && !list.isEmpty()) {
            mc.blanksOfPaper.insert(p, blanks);
            if (marks < 1)
                problem(
                    marksId,
                    QStringLiteral("paper %1: its marks total %2; at least 1").arg(p).arg(marks));
        }
        checkGroups(mc, p, list);
    }
}

void StoreValidator::checkGroups(const ModuleContent& mc, int paper,
                                 const QList<const Question*>& list) {
    struct Flat {
        const Question* question;
        int blank;
    };
    QList<Flat> flat;
    for (const Question* q : list)
        for (int b = 0; b < q->blanks.size(); ++b)
            flat.append({q, b});
    const auto keyAt = [&](int i) { return flat[i].question->blanks[flat[i].blank].key; };
    const auto kindAt = [&](int i) {
        return parseAnswerKind(flat[i].question->blanks[flat[i].blank].kind);
    };
    const auto where = [&](int i) {
        return QStringLiteral("question %1 %2")
            .arg(flat[i].question->id, blankLetter(flat[i].blank));
    };
    const int keysId = keysTableId(mc.number);
    for (int i = 0; i < flat.size(); ++i) {
        if (kindAt(i) != AnswerKind::G)
            continue;
        if (keyAt(i) == QLatin1String(" ")) {
            int head = i - 1;
            while (head >= 0 && keyAt(head) == QLatin1String(" "))
                --head;
            if (head < 0)
                problem(keysId, QStringLiteral("%1: a group follower (key \" \") with no head "
                                               "before it in paper %2")
                                    .arg(where(i))
                                    .arg(paper));
            else if (kindAt(head) != AnswerKind::G)
                problem(keysId, QStringLiteral("%1: a group follower after %2, which is of kind "
                                               "%3, not a group head")
                                    .arg(where(i), where(head),
                                         flat[head].question->blanks[flat[head].blank].kind));
            else if (i - head > GroupReach)
                problem(keysId, QStringLiteral("%1: a group follower %2 blanks after its head; "
                                               "at most %3")
                                    .arg(where(i))
                                    .arg(i - head)
                                    .arg(GroupReach));
            continue;
        }
        int size = 1;
        while (i + size < flat.size() && keyAt(i + size) == QLatin1String(" ") &&
               kindAt(i + size) == AnswerKind::G)
            ++size;
        const int alternatives = alternativeCount(keyAt(i));
        if (alternatives > 0 && alternatives < size)
            problem(keysId, QStringLiteral("%1: a group of %2 blanks has only %3 alternatives, "
                                           "so one blank can never be right")
                                .arg(where(i))
                                .arg(size)
                                .arg(alternatives));
    }
}

void StoreValidator::checkLoading(const ModuleContent& mc) {
    for (int p = Numbering::paperNumOfIndex(1); p <= Numbering::paperNumOfIndex(mc.paperCount);
         ++p) {
        if (m_papersWithProblems.contains(mc.number * 1000 + p) || !mc.blanksOfPaper.contains(p))
            continue;
        const PaperContentRead read = loadPaperContent(m_store, m_scratch, mc.number, p);
        for (const QString& why : read.problems)
            problem(papersTableId(mc.number),
                    QStringLiteral("paper %1 does not load: %2").arg(p).arg(why));
        if (read.ok() && read.content.TotalBlanks != mc.blanksOfPaper.value(p))
            problem(papersTableId(mc.number),
                    QStringLiteral("paper %1 loads with %2 blanks, but its records hold %3")
                        .arg(p)
                        .arg(read.content.TotalBlanks)
                        .arg(mc.blanksOfPaper.value(p)));
    }
}

void StoreValidator::checkTemplates(const ModuleContent& mc) {
    const int m = mc.number;
    const int papers = mc.paperCount;

    // Marks template: six records, one field per paper.
    TableText marks;
    if (itemText(templateId(m, 1), &marks, 3)) {
        const int id = templateId(m, 1);
        const QStringList tags = marksTags();
        QStringList found;
        for (const TableRecord& r : marks.records())
            found.append(r.tag.toUpper());
        if (found != tags)
            problem(id, QStringLiteral("records %1 expected in this order; found %2")
                            .arg(tags.join(QLatin1Char(' ')), found.join(QLatin1Char(' '))));
        for (int t = 0; t < tags.size(); ++t) {
            const TableRecord* rec = marks.find(tags[t]);
            if (!rec)
                continue;
            if (rec->fields.size() != papers)
                problem(id, QStringLiteral("%1 has %2 fields; the module has %3 papers")
                                .arg(tags[t])
                                .arg(rec->fields.size())
                                .arg(papers));
            const bool state = t == int(MarksRecord::FST) || t == int(MarksRecord::SST);
            const QString expected = state ? markedText(false) : QString();
            for (int f = 0; f < rec->fields.size(); ++f) {
                if (rec->fields[f] != expected) {
                    problem(id, QStringLiteral("%1 field %2 is \"%3\"; \"%4\" expected")
                                    .arg(tags[t])
                                    .arg(f + 1)
                                    .arg(rec->fields[f], expected));
                    break;
                }
            }
        }
    }

    // The four per-paper templates: one record per paper, one empty field per blank.
    QByteArray firstBytes;
    for (int which = 2; which <= 5; ++which) {
        const int id = templateId(m, which);
        TableText t;
        if (!itemText(id, &t, 3))
            continue;
        const QByteArray bytes = m_store.itemBytes(id);
        if (which == 2)
            firstBytes = bytes;
        else if (!firstBytes.isEmpty() && bytes != firstBytes)
            problem(id, QStringLiteral("differs from item %1; the four answer and results "
                                       "templates are identical")
                            .arg(templateId(m, 2)));
        if (which > 2 && !firstBytes.isEmpty())
            continue; // the same bytes as the first, already checked
        int last = -1;
        for (int p = Numbering::paperNumOfIndex(1); p <= Numbering::paperNumOfIndex(papers); ++p) {
            const TableRecord* rec = t.find(QString::number(p));
            if (!rec) {
                problem(id, QStringLiteral("no record for paper %1").arg(p));
                continue;
            }
            if (rec->line < last)
                problem(id, QStringLiteral("record %1 stands before the record of paper %2; papers "
                                           "must follow in ascending order")
                                .arg(p)
                                .arg(p - 1));
            last = rec->line;
            if (mc.blanksOfPaper.contains(p) && rec->fields.size() != mc.blanksOfPaper.value(p))
                problem(id, QStringLiteral("paper %1 has %2 fields for its %3 blanks")
                                .arg(p)
                                .arg(rec->fields.size())
                                .arg(mc.blanksOfPaper.value(p)));
            for (const QString& f : rec->fields) {
                if (!f.isEmpty()) {
                    problem(id,
                            QStringLiteral("paper %1 holds \"%2\"; the template's fields are empty")
                                .arg(p)
                                .arg(f));
                    break;
                }
            }
        }
        for (const TableRecord& rec : t.records()) {
            bool ok = false;
            const int p = rec.tag.toInt(&ok);
            if (!ok || p < 101 || p > Numbering::paperNumOfIndex(papers))
                problem(id, QStringLiteral("line %1: record %2 is not a paper of module %3")
                                .arg(rec.line)
                                .arg(rec.tag)
                                .arg(m));
        }
    }

    // Trend template: the five bytes "#TRD#" and nothing else.
    const int trendId = templateId(m, 6);
    m_expectedIds.insert(trendId);
    bool ok = false;
    const QByteArray trend = m_store.itemBytes(trendId, &ok);
    if (!ok)
        problem(trendId, QStringLiteral("item missing from the store"));
    else if (trend != "#TRD#")
        problem(trendId, QStringLiteral("the trend template must be exactly the 5 bytes \"#TRD#\" "
                                        "with no line end; it holds %1 bytes")
                             .arg(trend.size()));
}

void StoreValidator::checkGraphics() {
    QSet<QString> names;
    for (const GraphicsItem& item : graphicsItems()) {
        const QString name = QString::fromLatin1(item.fileName);
        names.insert(name);
        m_expectedIds.insert(item.id);
        bool ok = false;
        const QByteArray bytes = m_store.itemBytes(item.id, &ok);
        if (!ok) {
            problem(item.id, QStringLiteral("graphics file \"%1\" is missing").arg(name));
            continue;
        }
        for (const QString& p : ImageFileCheck::check(name, bytes))
            problem(item.id, QStringLiteral("\"%1\": %2").arg(name, p));
    }
    const QDir folder(m_store.root() + QStringLiteral("/graphics"));
    for (const QString& f : folder.entryList(QDir::Files, QDir::Name))
        if (!names.contains(f))
            m_report.problems.append(
                QStringLiteral("graphics/%1: not one of the graphics items (file names are "
                               "case-sensitive)")
                    .arg(f));
}

void StoreValidator::checkDocuments() {
    QList<int> ids;
    for (const QString& q : m_listedQuestions)
        ids.append(q.toInt());
    std::sort(ids.begin(), ids.end());
    for (int id : ids) {
        m_expectedIds.insert(id);
        bool ok = false;
        const QByteArray bytes = m_store.itemBytes(id, &ok);
        if (!ok) {
            problem(id, QStringLiteral("question document missing"));
            continue;
        }
        for (const QString& p : MhtmlCheck::check(bytes))
            problem(id, p);
    }
}

void StoreValidator::checkStrayItems() {
    for (int id : m_store.ids())
        if (!m_expectedIds.contains(id))
            problem(id, QStringLiteral("item \"%1\" is not used: no paper lists it and no defined "
                                       "module needs it")
                            .arg(QFileInfo(m_store.itemPath(id)).fileName()));
}
