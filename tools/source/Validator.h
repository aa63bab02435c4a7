#pragma once
// Checks the bank's sources before they are rendered: every key against its
// check, computed here and judged by the program's own answer checking; no
// two questions of a paper on the same task and numbers or the same picture;
// working that teaches rather than restates; text alternatives; the known
// grammar slips; each paper's shape; the curriculum statements, and how
// often each is practised.

#include "Expression.h"
#include "Source.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace bank::source {

struct SourceReport {
    QStringList problems; // "FILE:LINE: question ID: FIELD: what is wrong"
    QStringList coverage; // per topic, the statements practised and how often
    int papers = 0;
    int questions = 0;
    QString summary() const;
};

// All papers with a source in the folder, or only paper `onlyPaper` (0: all).
SourceReport validateSources(const QString& folder, int onlyPaper = 0);

// The checks of one paper already read (exposed for tests); the curriculum
// as read from the folder.
QStringList validatePaper(const SourcePaper& paper, const Curriculum& curriculum);

// The statements never practised, of the topics whose papers (with those of
// the topics sharing their areas) are all written: papersOfTopic counts the
// papers read per topic, practised the questions per topic and statement.
QStringList coverageProblems(const Curriculum& curriculum, const QMap<int, int>& papersOfTopic,
                             const QMap<int, QMap<QString, int>>& practised);

// The options (1..4) of a multiple-choice question that show the value.
QList<int> optionsShowing(const SourceQuestion& question, const Value& value);

// The grammar slips of a text a pupil reads: "1 parts", "a octagon", ...
QStringList grammarSlips(const QString& plainText);

} // namespace bank::source
