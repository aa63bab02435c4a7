#pragma once
// The question bank as the store holds it: the shapes of the fifty papers,
// the questions rendered from their sources (tools/source/), and the sample
// records every copy of the bank carries unchanged. StoreWriter checks the
// papers and writes them as store items.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace bank {

struct Blank {
    QString key;  // the correct answer; never holds ">" or "#"
    QString kind; // "N", "T", "F", "X", "Q", "M", "G", "L", "R"
    int mark = 1; // 1, 2 or 3
};

// A picture of a question, stored as a further part of its MHTML document.
struct Picture {
    QString name;     // file name within the document, e.g. "clock1.svg"
    QString mimeType; // "image/svg+xml" or "image/png"
    QByteArray data;
};

// How a question is worked out, shown under it once no further try of the
// paper is open. Written from the same numbers as the question and its keys.
struct Working {
    // Short sentences a 7-9-year-old can follow (HTML, text escaped), in order:
    // the steps of the sum, how to read the scale or clock, ... A step may show
    // a picture of `pictures` with <img src="NAME" alt="...">.
    QStringList steps;
    // One per blank, in blank order: the answer exactly as the pupil would
    // type it and as the key holds it (kind M: its first spelling; kind G:
    // one valid set). The document ends each blank's working in this text.
    QStringList answers;
    // Optional: a picture of the question again, with the part that matters
    // marked. Names must differ from the question's own pictures.
    QList<Picture> pictures;
    // Optional, per blank: a unit written after the answer ("cm", "p").
    QStringList units;
};

struct Question {
    // The body of the page: the question text, its pictures referenced by
    // <img src="NAME"> (NAME as in pictures), parts labelled (a), (b), ... in
    // blank order, multiple-choice options numbered 1 to 4. Never the words
    // "Question N": the window shows that itself.
    QString html;
    QList<Picture> pictures;
    QList<Blank> blanks;
    Working working;
};

struct PaperSpec {
    int paperNum = 0;     // 101..150
    int topic = 0;        // 1..10
    int paperInTopic = 0; // 1 easiest .. 5 hardest
    // Blanks of each question, in order. In the plan, the shape a paper's
    // source must keep (see StoreWriter::shapeProblems); once rendered, the
    // source's own.
    QList<int> blankPlan;
    // Marks budget: the paper's marks must total between minMarks and maxMarks.
    int minMarks = 20;
    int maxMarks = 65;
};

// A question whose blanks are fixed by the published sample records: the
// source of paperNum must have, at position questionNo (1-based), a question
// with exactly these keys, kinds and marks (and text that fits them).
struct FixedQuestion {
    int id;
    int paperNum;
    int questionNo;
    QStringList keys;
    QStringList kinds;
    QList<int> marks;
};
const QList<FixedQuestion>& fixedQuestions();
// The fixed question at this position, or nullptr.
const FixedQuestion* fixedQuestionAt(int paperNum, int questionNo);

// The answers of the blanks as a pupil types them: the key; for kind M its
// first spelling; for a G group one valid set (the head's alternatives, in order).
QStringList answersOf(const QList<Blank>& blanks);

// The shape of all 50 papers (blank plans and marks budgets).
QList<PaperSpec> bankPlan();

namespace html {
QString escape(const QString& text);
// A picture reference.
QString Img(const QString& name, const QString& alt);
// Multiple-choice options numbered 1 to 4.
QString Options(const QStringList& items);
QString partLabel(int index); // 0 -> "(a)"
// An empty answer box drawn inside the text, e.g. "7 + [ ] = 12".
QString Box();
} // namespace html

} // namespace bank
