#include "core/NumberWords.h"

namespace {
const char* const Ones[] = {"zero",    "one",     "two",       "three",    "four",
                            "five",    "six",     "seven",     "eight",    "nine",
                            "ten",     "eleven",  "twelve",    "thirteen", "fourteen",
                            "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
const char* const Tens[] = {"",      "",      "twenty",  "thirty", "forty",
                            "fifty", "sixty", "seventy", "eighty", "ninety"};
} // namespace

QString numberWords(long long n) {
    if (n < 0)
        return QStringLiteral("minus ") + numberWords(-n);
    if (n < 20)
        return QLatin1String(Ones[n]);
    if (n < 100)
        return QLatin1String(Tens[n / 10]) +
               (n % 10 ? QStringLiteral("-") + QLatin1String(Ones[n % 10]) : QString());
    if (n < 1000)
        return QLatin1String(Ones[n / 100]) + QStringLiteral(" hundred") +
               (n % 100 ? QStringLiteral(" and ") + numberWords(n % 100) : QString());
    return numberWords(n / 1000) + QStringLiteral(" thousand") +
           (n % 1000 == 0    ? QString()
            : n % 1000 < 100 ? QStringLiteral(" and ") + numberWords(n % 1000)
                             : QStringLiteral(" ") + numberWords(n % 1000));
}
