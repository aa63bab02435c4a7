#pragma once
// The question bank generator: shared types. The framework (Bank.cpp,
// BankPlan.cpp, Mhtml writer, main) decides the shape of every paper (how many
// questions, how many blanks each), assigns question ids and writes the store
// items; one generator per topic writes the questions themselves.
//
// Everything is deterministic: all randomness comes from Rng, seeded per paper.

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace bank {

// splitmix64: the same sequence on every machine and standard library.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    // Uniform whole number in lo..hi inclusive.
    int range(int lo, int hi);
    // True with probability num / den.
    bool chance(int num, int den);
    template <typename T> const T& pick(const QList<T>& items) {
        return items.at(range(0, int(items.size()) - 1));
    }
    template <typename T> void shuffle(QList<T>& items) {
        for (int i = int(items.size()) - 1; i > 0; --i)
            items.swapItemsAt(i, range(0, i));
    }

private:
    std::uint64_t m_state;
};

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

// A real-world quantity a question used (see Quantities.h): the framework
// collects them per question so that a test can hold each one against its
// object's range.
struct QuantityUse {
    QString object;
    int measure = 0; // a qty::Measure
    int value = 0;
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
    QList<QuantityUse> quantities; // filled by the framework, not the makers
};

struct PaperSpec {
    int paperNum = 0;     // 101..150
    int topic = 0;        // 1..10
    int paperInTopic = 0; // 1 easiest .. 5 hardest
    // Blanks of each question, in order: the generator must return exactly
    // blankPlan.size() questions, question q with blankPlan[q] blanks.
    QList<int> blankPlan;
    // Marks budget: the paper's marks must total between minMarks and maxMarks.
    int minMarks = 20;
    int maxMarks = 65;
};

// A question whose blanks are fixed by the published sample records: the topic
// generator must produce, at position questionNo (1-based) of paperNum, a
// question with exactly these keys, kinds and marks (and text that fits them).
struct FixedQuestion {
    int id;
    int paperNum;
    int questionNo;
    QStringList keys;
    QStringList kinds;
    QList<int> marks;
};
const QList<FixedQuestion>& FixedQuestions();
// The fixed question at this position, or nullptr.
const FixedQuestion* FixedQuestionAt(int paperNum, int questionNo);

// While the whole bank is made (a BankRun is alive), the pages of its
// questions so far: a paper builder draws a question again whose page is
// already there, so no two questions of the bank read the same. Outside a run
// (a paper made on its own) there is no such memory.
class BankRun {
public:
    BankRun();
    ~BankRun();
    BankRun(const BankRun&) = delete;
    BankRun& operator=(const BankRun&) = delete;
};
// Whether the running bank already holds this page, and noting one it now does.
bool PageSeen(const QString& page);
void NotePage(const QString& page);

// The answers of the blanks as a pupil types them: the key; for kind M its
// first spelling; for a G group one valid set (the head's alternatives, in order).
QStringList AnswersOf(const QList<Blank>& blanks);

// The shape of all 50 papers (blank plans and marks budgets).
QList<PaperSpec> BankPlan();

// Topic generators, one per topic (GenerateTopic1 .. GenerateTopic10).
QList<Question> GenerateTopic1(const PaperSpec& paperSpec, Rng& rng);
QList<Question> GenerateTopic2(const PaperSpec& paperSpec, Rng& rng);
QList<Question> GenerateTopic3(const PaperSpec& paperSpec, Rng& rng);
QList<Question> GenerateTopic4(const PaperSpec& paperSpec, Rng& rng);
QList<Question> GenerateTopic5(const PaperSpec& paperSpec, Rng& rng);
QList<Question> GenerateTopic6(const PaperSpec& paperSpec, Rng& rng);
QList<Question> GenerateTopic7(const PaperSpec& paperSpec, Rng& rng);
QList<Question> GenerateTopic8(const PaperSpec& paperSpec, Rng& rng);
QList<Question> GenerateTopic9(const PaperSpec& paperSpec, Rng& rng);
QList<Question> GenerateTopic10(const PaperSpec& paperSpec, Rng& rng);

// Small helpers shared by the topic generators (Svg.cpp, Html.cpp).
namespace svg {
// An SVG document of the given size holding body (SVG elements).
QByteArray Document(int width, int height, const QString& body);
QString Ruler(double x, double y, double lengthCm, double pxPerCm); // marked in cm
QString GridShape(const QList<QPair<int, int>>& cells, int cols, int rows, double cell);
QString FractionBar(int parts, int shaded, double x, double y, double w, double h);
QString FractionCircle(int parts, int shaded, double cx, double cy, double r);
QString Note(double x, double y, double w, double h, const QString& label);
QString Scale(double cx, double cy, double r, int maxValue, int step, double value,
              const QString& unit); // a dial scale with a pointer
QString Text(double x, double y, const QString& text, int size = 16,
             const QString& anchor = QStringLiteral("middle"));
} // namespace svg

namespace html {
QString Escape(const QString& text);
// A picture reference.
QString Img(const QString& name, const QString& alt);
// Parts (a), (b), ... as a list; items already escaped/HTML.
QString Parts(const QStringList& items);
// Multiple-choice options numbered 1 to 4.
QString Options(const QStringList& items);
QString PartLabel(int index); // 0 -> "(a)"
// An empty answer box drawn inside the text, e.g. "7 + [ ] = 12".
QString Box();
// A fraction set as numerator over denominator; whole > 0 makes it a mixed number.
QString Fraction(int numerator, int denominator, int whole = 0);
} // namespace html

} // namespace bank
