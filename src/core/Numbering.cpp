#include "core/Numbering.h"

namespace Numbering {

int questionOfBlank(const QList<int>& blanksPerQuestion, int blank) {
    if (blank < 1)
        return 0;
    int sum = 0;
    for (int q = 0; q < blanksPerQuestion.size(); ++q) {
        sum += blanksPerQuestion.at(q);
        if (sum >= blank)
            return q + 1;
    }
    return 0;
}

int firstBlankOf(const QList<int>& blanksPerQuestion, int question) {
    int first = 1;
    for (int q = 1; q < question && q <= blanksPerQuestion.size(); ++q)
        first += blanksPerQuestion.at(q - 1);
    return first;
}

} // namespace Numbering
