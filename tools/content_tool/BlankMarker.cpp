#include "BlankMarker.h"

#include "core/AnswerChecking.h"

QString BlankMarker::word(ResultMark resultMark) {
    if (resultMark == ResultMark::Correct)
        return QStringLiteral("correct");
    if (resultMark == ResultMark::Wrong)
        return QStringLiteral("wrong");
    return QStringLiteral("none");
}

QString BlankMarker::checkOne(const QString& kind, const QString& key, const QString& answer) {
    return word(markBlank({answer}, {key}, {parseAnswerKind(kind)}, 0));
}

bool BlankMarker::markLines(const QByteArray& input, QStringList* results, QStringList* errors) {
    QStringList kinds, keys, answers;
    QList<QByteArray> lines = input.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the line end of the last line
    for (int n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        if (line.endsWith('\r'))
            line.chop(1); // part of a CR LF line end, not of the answer
        const QString text = QString::fromUtf8(line);
        const qsizetype first = text.indexOf(QLatin1Char('\t'));
        const qsizetype second = first < 0 ? -1 : text.indexOf(QLatin1Char('\t'), first + 1);
        if (second < 0) {
            errors->append(QStringLiteral("line %1: expected KIND<TAB>KEY<TAB>ANSWER, got \"%2\"")
                               .arg(n + 1)
                               .arg(text));
            continue;
        }
        kinds.append(text.left(first));
        keys.append(text.mid(first + 1, second - first - 1));
        answers.append(text.mid(second + 1));
    }
    if (!errors->isEmpty())
        return false;
    for (int i = 0; i < kinds.size(); ++i)
        results->append(word(markBlank(answers, keys, parseAnswerKinds(kinds), i)));
    return true;
}
