#pragma once
// The results files' templates as the store carries them, built from a
// module's shape: the bank's renderer writes them for module 2, the store
// makes them for a teacher's module.

#include <QByteArray>
#include <QList>

// marks: FSE, SSE, LTM, CDD empty and FST, SST "0" for every paper.
QByteArray marksTemplateText(int paperCount);
// first, second, fresults, sresults: per paper 101.. a record of its blanks.
QByteArray paperTemplateText(const QList<int>& blanksPerPaper);
QByteArray trendTemplateText();
