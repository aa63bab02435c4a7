#include "Bank.h"

namespace bank {

namespace {

struct PaperShape {
    int paperNum;
    int questions;
    // Blank counts of the questions with more than one blank, in paper order.
    QList<int> multi;
    // When set, the whole plan, question by question (overrides the two above).
    QList<int> explicitPlan;
};

// Papers 136 to 141 are read off picture graphs and shaded shapes, so nearly
// all their questions have several parts; the others keep a few multi-part
// questions, spread evenly through the paper.
const QList<PaperShape>& shapes() {
    static const QList<PaperShape> shapes = {
        {101, 30, {2}, {}},
        {102, 30, {2, 3}, {}},
        {103, 30, {2, 2}, {}},
        {104, 30, {4}, {}},
        {105, 30, {3, 3}, {}},
        {106, 30, {2}, {}},
        {107, 30, {2, 2}, {}},
        {108, 30, {3}, {}},
        {109, 30, {3, 3}, {}},
        {110, 30, {3, 4}, {}},
        {111, 30, {2, 2}, {}},
        {112, 30, {3, 2}, {}},
        {113, 30, {3, 3}, {}},
        {114, 30, {3, 3, 3}, {}},
        {115, 30, {3, 3, 4}, {}},
        {116, 20, {2}, {}},
        {117, 20, {2, 2}, {}},
        {118, 20, {3}, {}},
        {119, 20, {3, 3}, {}},
        {120, 20, {3, 3}, {}},
        {121, 20, {}, {}},
        {122, 20, {2}, {}},
        {123, 20, {2}, {}},
        {124, 20, {4}, {}},
        {125, 20, {2}, {}},
        {126, 20, {2}, {}},
        {127, 20, {}, {}},
        {128, 20, {2}, {}},
        {129, 20, {4}, {}},
        {130, 20, {2}, {}},
        {131, 20, {2, 2}, {}},
        {132, 20, {2, 2}, {}},
        {133, 20, {3, 2}, {}},
        {134, 20, {3, 3}, {}},
        {135, 20, {4, 3}, {}},
        {136, 5, {}, {8, 8, 4, 10, 10}},
        {137, 4, {}, {6, 5, 5, 6}},
        {138, 4, {}, {6, 6, 5, 7}},
        {139, 9, {}, {4, 4, 3, 3, 4, 3, 1, 3, 4}},
        {140, 8, {}, {5, 4, 4, 1, 4, 4, 4, 4}},
        {141, 20, {}, {1, 3, 4, 1, 3, 4, 3, 1, 5, 4, 3, 1, 4, 4, 3, 1, 5, 4, 5, 1}},
        {142, 20, {2, 3, 4}, {}},
        {143, 20, {3, 4, 3}, {}},
        {144, 20, {3, 4, 3}, {}},
        {145, 20, {4, 3, 5}, {}},
        {146, 30, {2}, {}},
        {147, 30, {2, 3}, {}},
        {148, 21, {3, 3}, {}},
        {149, 30, {2, 2}, {}},
        {150, 30, {4}, {}},
    };
    return shapes;
}

QList<int> planOf(const PaperShape& shape) {
    if (!shape.explicitPlan.isEmpty())
        return shape.explicitPlan;
    QList<int> plan(shape.questions, 1);
    const int m = int(shape.multi.size());
    for (int k = 0; k < m; ++k) {
        // Evenly spread, rounded: 1 of 30 at 15; 2 of 30 at 10 and 20.
        const int position = ((k + 1) * shape.questions + (m + 1) / 2) / (m + 1);
        plan[position - 1] = shape.multi.at(k);
    }
    return plan;
}

} // namespace

QList<PaperSpec> bankPlan() {
    QList<PaperSpec> papers;
    for (const PaperShape& shape : shapes()) {
        PaperSpec paperSpec;
        paperSpec.paperNum = shape.paperNum;
        paperSpec.topic = (shape.paperNum - 101) / 5 + 1;
        paperSpec.paperInTopic = (shape.paperNum - 101) % 5 + 1;
        paperSpec.blankPlan = planOf(shape);
        papers << paperSpec;
    }
    return papers;
}

} // namespace bank
