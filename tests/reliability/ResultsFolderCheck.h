#pragma once
// Checks a module's results files as the crash worker may leave them: each
// file is either its template or whole (every record present with the fields
// of its paper, CR LF line ends), and every stored value is one the worker
// could have written in a single write, never a torn or mixed one.

#include "core/PaperContent.h"
#include "results/ResultsFiles.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class ResultsFolderCheck {
public:
    ResultsFolderCheck(QString folder, int module, QString programCode, QList<PaperContent> papers,
                       QMap<ResultsFile, QByteArray> templates);

    // One line per fault found; empty when everything is whole.
    QStringList Run();

private:
    void checkAnswersFile(ResultsFile file, int attempt);
    void checkResultsFile(ResultsFile file);
    void checkMarksFile();
    void checkTrendFile();
    // The file's CR LF lines, or false (with a fault noted) when it is not
    // made of them. *isTemplate when the file is still its template.
    bool readLines(ResultsFile file, QList<QByteArray>* lines, bool* isTemplate);
    // The paper records of a per-paper file, split; false on a fault.
    bool paperRecords(ResultsFile file, QList<QStringList>* records, bool* isTemplate);
    void fault(ResultsFile file, const QString& what);

    QString m_folder;
    int m_module;
    QString m_code;
    QList<PaperContent> m_papers;
    QMap<ResultsFile, QByteArray> m_templates;
    QStringList m_faults;
};
