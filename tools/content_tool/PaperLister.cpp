#include "PaperLister.h"

#include "core/Numbering.h"
#include "core/PaperContent.h"
#include "practice/MhtmlArchive.h"
#include "practice/QuestionWorking.h"

QStringList PaperLister::workingLines(const ResourceStore& store, int questionId) {
    bool ok = false;
    const QByteArray bytes = store.itemBytes(questionId, &ok);
    if (!ok)
        return {QStringLiteral("  Working: the document %1 is not in the store").arg(questionId)};
    MhtmlArchive archive;
    if (!archive.parse(bytes))
        return {QStringLiteral("  Working: the document cannot be read (%1)")
                    .arg(archive.errorString())};
    if (!archive.hasWorking())
        return {QStringLiteral("  Working: none")};
    QStringList lines{QStringLiteral("  Working:")};
    for (const QString& line : QuestionWorking::plainTextLines(archive.workingHtml()))
        lines << QStringLiteral("    ") + line;
    return lines;
}

bool PaperLister::list(const ResourceStore& store, const ProgramDefinition& definition, int module,
                       int paperNum, const QString& scratchFolder, QStringList* lines,
                       QStringList* errors, bool withWorking) {
    const ModuleDefinition& md = definition.module(module);
    if (paperNum < Numbering::paperNumOfIndex(1) ||
        paperNum > Numbering::paperNumOfIndex(md.paperCount)) {
        errors->append(QStringLiteral("module %1 has papers 101 to %2; there is no paper %3")
                           .arg(module)
                           .arg(Numbering::paperNumOfIndex(md.paperCount))
                           .arg(paperNum));
        return false;
    }
    const PaperContentRead read = loadPaperContent(store, scratchFolder, module, paperNum);
    if (!read.ok()) {
        *errors = read.problems;
        return false;
    }
    const PaperContent& paper = read.content;
    const int topic = Numbering::topicOfPaper(paperNum);
    lines->append(QStringLiteral("Paper %1: topic %2 \"%3\", paper %4 of 5 (module %5 \"%6\")")
                      .arg(paperNum)
                      .arg(topic)
                      .arg(md.topicNames.value(topic - 1))
                      .arg(Numbering::paperInTopic(paperNum))
                      .arg(module)
                      .arg(md.heading));
    int blank = 0;
    for (int q = 0; q < paper.QuestionCount; ++q) {
        const int n = paper.BlanksPerQuestion.value(q);
        lines->append(QStringLiteral("Question %1 (%2): %3 blank%4")
                          .arg(q + 1)
                          .arg(paper.QuestionIds.value(q))
                          .arg(n)
                          .arg(n == 1 ? "" : "s"));
        for (int b = 0; b < n; ++b, ++blank)
            lines->append(QStringLiteral("  (%1) blank %2: kind %3, key \"%4\", mark %5")
                              .arg(QChar(u'a' + b))
                              .arg(blank + 1)
                              .arg(answerKindLetter(paper.AnswerKinds.value(blank)),
                                   paper.AnswerKeys.value(blank))
                              .arg(paper.AnswerMarks.value(blank)));
        if (withWorking)
            *lines << workingLines(store, paper.QuestionIds.value(q).toInt());
    }
    lines->append(QStringLiteral("Total: %1 questions, %2 blanks, %3 marks")
                      .arg(paper.QuestionCount)
                      .arg(paper.TotalBlanks)
                      .arg(paper.TotalMarks));
    return true;
}
