#pragma once
// A source folder in a temporary directory for the tests of the bank's and a
// teacher's sources: the shipped curriculum and papers written by the test, or
// a copy of a shipped folder to spoil.

#include "StoreWriter.h"

#include "../../tests/core/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

using TestFiles::bytesOf;

class SourceFolder {
public:
    // Holding the shipped curriculum, or a copy of every file of `from`.
    explicit SourceFolder(const QString& from = {}) {
        QVERIFY(m_dir.isValid());
        if (from.isEmpty()) {
            QVERIFY(QFile::copy(QStringLiteral(QUILLORA_CONTENT_SOURCE "/curriculum.yaml"),
                                path("curriculum.yaml")));
            return;
        }
        const QDir dir(from);
        for (const QString& name : dir.entryList(QDir::Files))
            QVERIFY(QFile::copy(dir.filePath(name), path(name)));
    }
    QString folder() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    void write(const QString& name, const QString& text) const { write(name, text.toUtf8()); }
    void replace(const QString& name, const QByteArray& from, const QByteArray& to) const {
        QByteArray text = bytesOf(path(name));
        QVERIFY2(text.contains(from), from.constData());
        write(name, text.replace(from, to));
    }

private:
    QTemporaryDir m_dir;
};

// A tally of `rows` (label, count) named `name`, as the reader gives it.
inline QVariantMap tally(const QString& name, const QList<QPair<QString, QString>>& rows) {
    QVariantList list;
    for (const auto& [label, value] : rows)
        list << QVariantMap{{"label", label}, {"value", value}};
    return {{"name", name}, {"type", "tally"}, {"rows", list}};
}

// The ids paper `paper` must carry, in order.
inline QList<int> idsOf(int paper) {
    return StoreWriter::assignIds(bank::bankPlan()).at(paper - 101);
}

// One question of a weight paper: two masses added, each question on its own
// numbers.
inline QString weightQuestion(int id, int a, int b, const QString& working) {
    return QStringLiteral("  - id: %1\n    form: story\n    statements: [Y3-MA-3]\n    text: |\n"
                          "      A bag of flour weighs %2 g. A bag of rice weighs %3 g.\n\n"
                          "      How much do they weigh **together**? [ ] g\n"
                          "    blanks: [{key: \"%4\", kind: N, mark: 1, check: %2 + %3}]\n"
                          "    working: [\"%5\"]\n    units: [g]\n")
        .arg(QString::number(id), QString::number(a), QString::number(b), QString::number(a + b),
             working);
}

// The head of a paper of `questions` questions, its plan one row each.
inline QString paperHead(int paper, int topic, const QString& year, int questions = 20) {
    QString head =
        QStringLiteral("paper: %1\ntopic: %2\nyear: %3\nplan: |\n  Statements: Y3-MA-3.\n"
                       "  | # | form | statements | teaches | boxes | marks |\n"
                       "  |---|------|------------|---------|-------|-------|\n")
            .arg(QString::number(paper), QString::number(topic), year);
    for (int q = 1; q <= questions; ++q)
        head += QStringLiteral("  | %1 | story | Y3-MA-3 | adding masses | 1 | 1 |\n").arg(q);
    return head + "questions:\n";
}

// Paper 121 (weight, twenty questions of one blank), valid in every rule;
// question `replaced` (0-based) is given as `replacement` instead.
inline QString weightPaper(int replaced = -1, const QString& replacement = {}) {
    const QList<int> ids = idsOf(121);
    QString yaml = paperHead(121, 5, "Y2");
    for (int i = 0; i < ids.size(); ++i) {
        if (i == replaced)
            yaml += replacement;
        else
            yaml += weightQuestion(ids.at(i), 100 + 10 * i, 20 + i,
                                   "Add the tens first, then the ones.");
    }
    return yaml;
}
