#pragma once
// What a pupil and a parent meet in the questions, beyond their form: every
// picture has a text alternative and its labels fit; every question carries
// its working, whose answers the program's own checking accepts; a
// multiple-choice question says how to answer; and each paper has variety
// (kinds of question, none too often nor too many in a row, no text twice in
// the bank) and is not easier than the paper before it in its topic.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QualityCheck {
public:
    struct Blank {
        QString key;
        QString kind;
        int mark = 1;
    };
    struct Item {
        QString id;
        QList<Blank> blanks;
        QByteArray archive;
    };
    struct Figures {
        int paper = 0;
        int questions = 0;
        int kinds = 0;
        int mostOfAKind = 0;
        int longestRun = 0;
        double difficulty = 0;
        QString line() const;
    };
    struct Result {
        QList<QPair<QString, QString>> problems; // item id (or "paper N"), text
        QList<Figures> figures;
    };

    // papers: paper id -> its questions in order; papers of a topic are
    // 101 + 5 (t - 1) to 105 + 5 (t - 1).
    static Result run(const QList<QPair<int, QList<Item>>>& papers);

    // Single checks, one problem per line (exposed for tests).
    // Every <img> has a non-empty alt.
    static QStringList checkAlts(const QString& html);
    // The <text> labels of an SVG picture: none overlaps another or leaves
    // the picture (boxes estimated from font size and length).
    static QStringList checkLabels(const QByteArray& svg);
    // The working page against the blanks: one answer paragraph per blank,
    // each key judged correct by the program's answer checking.
    static QStringList checkWorking(const QString& workingHtml, const QList<Blank>& blanks);
    // Fewest kinds a paper of this many questions must show.
    static int minimumKinds(int questions);
    // The difficulty of one question: the size of its largest number.
    static double questionDifficulty(const QString& text, const QList<Blank>& blanks);
};
