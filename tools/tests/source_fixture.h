#pragma once
// A source folder in a temporary directory for the tests of the bank's
// sources: the shipped curriculum and papers written by the test.

#include "StoreWriter.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

class SourceFolder {
public:
    SourceFolder() {
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile::copy(QStringLiteral(QUILLORA_CONTENT_SOURCE "/curriculum.yaml"),
                            path(QStringLiteral("curriculum.yaml"))));
    }
    QString folder() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    void write(const QString& name, const QString& text) const {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }

private:
    QTemporaryDir m_dir;
};

// The ids paper `paper` must carry, in order.
inline QList<int> idsOf(int paper) {
    return StoreWriter::assignIds(bank::bankPlan()).at(paper - 101);
}

// One question of a weight paper: two masses added, each question on its own
// numbers. `extra` lines are added to the question's map as they stand.
inline QString weightQuestion(int id, int a, int b, const QString& working,
                              const QString& extra = {}) {
    return QStringLiteral("  - id: %1\n"
                          "    form: story\n"
                          "    statements: [Y3-MA-3]\n"
                          "    text: |\n"
                          "      A bag of flour weighs %2 g. A bag of rice weighs %3 g.\n"
                          "\n"
                          "      How much do they weigh **together**? [ ] g\n"
                          "    blanks:\n"
                          "      - key: \"%4\"\n"
                          "        kind: N\n"
                          "        mark: 1\n"
                          "        check: %2 + %3\n"
                          "    working:\n"
                          "      - %5\n"
                          "    units: [g]\n")
               .arg(id)
               .arg(a)
               .arg(b)
               .arg(a + b)
               .arg(working) +
           extra;
}

// The head of a paper of `questions` questions, its plan one row each.
inline QString paperHead(int paper, int topic, const QString& year, int questions = 20) {
    QString head =
        QStringLiteral("paper: %1\ntopic: %2\nyear: %3\nplan: |\n  Statements: Y3-MA-3.\n"
                       "  | # | form | statements | teaches | boxes | marks |\n"
                       "  |---|------|------------|---------|-------|-------|\n")
            .arg(paper)
            .arg(topic)
            .arg(year);
    for (int q = 1; q <= questions; ++q)
        head += QStringLiteral("  | %1 | story | Y3-MA-3 | adding masses | 1 | 1 |\n").arg(q);
    return head + QStringLiteral("questions:\n");
}

// Paper 121 (weight, twenty questions of one blank), valid in every rule;
// question `replaced` (0-based) is given as `replacement` instead.
inline QString weightPaper(int replaced = -1, const QString& replacement = {}) {
    const QList<int> ids = idsOf(121);
    QString yaml = paperHead(121, 5, QStringLiteral("Y2"));
    for (int i = 0; i < ids.size(); ++i) {
        if (i == replaced)
            yaml += replacement;
        else
            yaml += weightQuestion(ids.at(i), 100 + 10 * i, 20 + i,
                                   QStringLiteral("Add the tens first, then the ones."));
    }
    return yaml;
}
