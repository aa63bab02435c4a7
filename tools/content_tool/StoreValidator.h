#pragma once
// Checks a whole store: the program definition, each defined module's four
// content tables and six results templates, every window graphics item and
// every question document. Each problem is one line that starts with the id
// of the item it concerns.

#include "TableText.h"

#include "core/ProgramDefinition.h"
#include "core/ResourceStore.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

struct ValidationReport {
    QStringList problems;
    int papers = 0;
    int questions = 0;
    int blanks = 0;
    int marks = 0;
    // Per paper: its kinds of question and difficulty.
    QStringList figures;
    QString summary() const;
};

class StoreValidator {
public:
    // scratchFolder: a writable folder for the temporary files that the
    // program's own readers work on.
    StoreValidator(const ResourceStore& store, QString scratchFolder);

    ValidationReport run();

private:
    struct Blank {
        QString key;
        QString kind;
        QString mark;
    };
    struct Question {
        QString id;
        int paper = 0;
        QList<Blank> blanks;
    };
    struct ModuleContent {
        int number = 0;
        int paperCount = 0;
        QList<QStringList> paperQuestions; // index p - 101
        QHash<QString, Question> questions;
        QHash<int, int> blanksOfPaper; // paper id -> blanks, when all its questions read
    };

    void problem(int id, const QString& text);
    void checkDefinition();
    void checkModule(int module);
    void readPapers(ModuleContent& mc);
    void readQuestionTables(ModuleContent& mc);
    void checkOrder(int tableId, const TableText& table, const ModuleContent& mc);
    void checkBlanks(ModuleContent& mc);
    void checkGroups(const ModuleContent& mc, int paper, const QList<const Question*>& list);
    void checkLoading(const ModuleContent& mc);
    void checkQuality(const ModuleContent& mc);
    void checkTemplates(const ModuleContent& mc);
    void checkGraphics();
    void checkDocuments();
    void checkStrayItems();
    bool itemText(int id, TableText* text, int tagLength);

    const ResourceStore& m_store;
    QString m_scratch;
    ValidationReport m_report;
    ProgramDefinition m_definition;
    bool m_definitionRead = false;
    QSet<int> m_expectedIds;
    QSet<QString> m_listedQuestions;
    QSet<int> m_papersWithProblems;
};
