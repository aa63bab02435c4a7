#include "PaperLister.h"

#include "core/Numbering.h"
#include "core/PaperContent.h"

bool PaperLister::list(const ResourceStore& store, const ProgramDefinition& definition, int module,
                       int paperNum, const QString& scratchFolder, QStringList* lines,
                       QStringList* errors) {
    const ModuleDefinition& md = definition.module(module);
    if (paperNum < 101 || paperNum > 100 + md.paperCount) {
        errors->append(QStringLiteral("module %1 has papers 101 to %2; there is no paper %3")
                           .arg(module)
                           .arg(100 + md.paperCount)
                           .arg(paperNum));
        return false;
    }
    const PaperContentRead read = LoadPaperContent(store, scratchFolder, module, paperNum);
    if (!read.ok()) {
        *errors = read.problems;
        return false;
    }
    const PaperContent& paper = read.content;
    const int topic = Numbering::TopicOfPaper(paperNum);
    lines->append(QStringLiteral("Paper %1: topic %2 \"%3\", paper %4 of 5 (module %5 \"%6\")")
                      .arg(paperNum)
                      .arg(topic)
                      .arg(md.topicNames.value(topic - 1))
                      .arg(Numbering::PaperInTopic(paperNum))
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
                              .arg(paper.AnswerKinds.value(blank), paper.AnswerKeys.value(blank),
                                   paper.AnswerMarks.value(blank)));
    }
    lines->append(QStringLiteral("Total: %1 questions, %2 blanks, %3 marks")
                      .arg(paper.QuestionCount)
                      .arg(paper.TotalBlanks)
                      .arg(paper.TotalMarks));
    return true;
}
