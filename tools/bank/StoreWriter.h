#pragma once
// Builds the whole question bank and writes it as store items: the program
// definition (30000), module 2's paper, key, kind and mark tables
// (30022-30025), its six results templates (30121-30126) and one web archive
// per question ("<id>.mht"). Nothing is written unless every paper passes the
// checks, so a faulty topic generator can never reach the shipped store.

#include "Bank.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class StoreWriter {
public:
    struct Paper {
        bank::PaperSpec paperSpec; // blankPlan as the source has it
        // A digest of what the pupil answers (see paperStamp).
        QByteArray sourceDigest;
        QList<int> ids; // question ids, in paper order
        QList<bank::Question> questions;
    };

    // sourceDir: the folder of the papers' sources (paperNNN.yaml), one for
    // every paper of the plan.
    StoreWriter(QString storeDir, QString sourceDir);

    // Renders, checks and writes everything; returns the problems found
    // (nothing is written when there are any).
    QStringList writeAll() const;

    // Every paper of the plan rendered from its source in sourceDir; a
    // missing source and problems of reading or rendering one are added to
    // *problems (naming the file), and that paper is left without questions.
    static QList<Paper> render(const QString& sourceDir, QStringList* problems);
    // Question ids for every paper of the plan: papers 101 and 136 keep the
    // ids of their sample records, the fixed questions their own ids, the
    // rest are handed out in paper order from 23031 upwards.
    static QList<QList<int>> assignIds(const QList<bank::PaperSpec>& plan);
    // Every broken rule of the bank, one line each; empty when all is well.
    static QStringList check(const QList<Paper>& papers);

    // The rules one question keeps: keys fit their kinds, parts labelled,
    // pictures carried and shown, the working's answers the keys.
    static void checkStoredQuestion(const QString& where, const bank::Question& question,
                                    QStringList& problems);
    // The rules a question's blanks keep: marks, kinds, keys that fit their
    // kinds and groups; the highest option number a choice key names.
    static int checkBlanks(const QString& where, const QList<bank::Blank>& blanks,
                           QStringList& problems);
    // The paper's question count and its questions with one blank against
    // the plan; each problem starts with `where`.
    static QStringList shapeProblems(const bank::PaperSpec& planned, const QList<int>& blanks,
                                     const QString& where);

    // The program definition, with the content's edition and one stamp per
    // paper of module 2: "3." and the digest of its questions as written
    // (ids, texts, parts, options, pictures, keys, kinds, marks; not the
    // working nor how the pictures are drawn), so that the program finds the
    // papers whose saved answers belong to other questions.
    static QByteArray definition(const QList<Paper>& papers);
    static QString paperStamp(const Paper& paper);
    static constexpr int Edition = 3;
    static QByteArray paperTable(const QList<Paper>& papers);
    // Table 30023 (keys), 30024 (kinds) or 30025 (marks).
    static QByteArray questionTable(const QList<Paper>& papers, int tableId);
    static QByteArray marksTemplate(int paperCount);
    static QByteArray paperTemplateFor(const QList<Paper>& papers);
    static QByteArray trendTemplate();

    static const QStringList& topicNames();
    static const QList<int>& paper101Ids();
    static const QList<int>& paper136Ids();

    static constexpr int FirstQuestionId = 23031;
    static constexpr int LastQuestionId = 25488;

private:
    bool writeFile(const QString& name, const QByteArray& bytes, QStringList& problems) const;
    void removeStale(const QStringList& written) const;

    QString m_storeDir;
    QString m_sourceDir;
};
