// The answer checkers on arbitrary answers, keys and kinds: every result
// survives the file's text, and a known kind always gives a mark.

#include "FuzzInput.h"
#include "core/AnswerChecking.h"

#include <QLocale>
#include <QStringList>

namespace {

bool isResult(ResultMark result) {
    return resultMarkFromText(resultMarkText(result)) == result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const bool otherLocale = input.numberBelow(2) == 1;
    // Blanks are lines "answer\tkey\tkind"; the kinds are mostly real ones.
    const QString text = QString::fromUtf8(input.rest());
    const QStringList rows = text.split(QLatin1Char('\n')).mid(0, 100);
    QStringList answers, keys, kinds;
    for (const QString& row : rows) {
        const QStringList parts = row.split(QLatin1Char('\t'));
        answers.append(parts.value(0));
        keys.append(parts.value(1));
        kinds.append(parts.value(2));
    }
    const QLocale locale = otherLocale ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c();
    static const QString Known = QStringLiteral("NTQLFXR");
    const QList<AnswerKind> parsed = parseAnswerKinds(kinds);

    for (int i = 0; i < rows.size(); ++i) {
        const ResultMark single = CheckAnswer(answers.at(i), keys.at(i), parsed.at(i), locale);
        FUZZ_CHECK(isResult(single));
        if (kinds.at(i).size() == 1 && Known.contains(kinds.at(i)))
            FUZZ_CHECK(single != ResultMark::None);
        FUZZ_CHECK(isResult(CheckGroupAnswer(answers, keys, i)));
        GroupModelAnswer(answers, keys, i);
        FUZZ_CHECK(isResult(markBlank(answers, keys, parsed, i, locale)));
        modelAnswer(answers, keys, parsed, i);
        keyAlternatives(keys.at(i));
        double value = 0;
        parseAnswerNumber(answers.at(i), locale, &value);
    }
    // Indexes outside the lists are the callers' mistake, but must not crash.
    for (int i : {-1, int(rows.size()), int(rows.size()) + 25}) {
        CheckGroupAnswer(answers, keys, i);
        GroupModelAnswer(answers, keys, i);
    }
    return 0;
}
