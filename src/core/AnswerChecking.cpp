#include "core/AnswerChecking.h"

namespace {

// Followers of a group answer have a key of one space.
const QString FollowerKey = QStringLiteral(" ");
// How far a follower may look back for its head, and a head ahead for its followers.
constexpr int GroupReach = 20;

// Trimming removes the space character only, not other white space.
QString trimSpaces(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ')
        ++start;
    while (end > start && text.at(end - 1) == u' ')
        --end;
    return text.mid(start, end - start);
}

bool sameWords(const QString& a, const QString& b) {
    return trimSpaces(a).toLower() == trimSpaces(b).toLower();
}

bool isFollower(const QStringList& keys, int index) {
    return keys.value(index) == FollowerKey;
}

// The head of follower i: the blank before the run of followers that ends at
// i - 1, looking back at most GroupReach blanks; -1 when it lies before the
// first blank.
int headOf(const QStringList& keys, int i) {
    int followers = 0;
    while (followers < GroupReach && i - 1 - followers >= 0 && isFollower(keys, i - 1 - followers))
        ++followers;
    return i - 1 - followers;
}

bool isPlainNumberText(const QString& text, const QLocale& locale) {
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const QString plus = locale.positiveSign();
    const QString minus = locale.negativeSign();
    for (const QChar c : text) {
        if (c.isDigit() || c.isSpace())
            continue;
        if (decimal.contains(c) || group.contains(c) || plus.contains(c) || minus.contains(c) ||
            c == u'+' || c == u'-')
            continue;
        return false;
    }
    return true;
}

struct KindLetter {
    AnswerKind kind;
    char16_t letter;
};
constexpr KindLetter KindLetters[] = {
    {AnswerKind::N, u'N'}, {AnswerKind::T, u'T'}, {AnswerKind::Q, u'Q'},
    {AnswerKind::L, u'L'}, {AnswerKind::F, u'F'}, {AnswerKind::X, u'X'},
    {AnswerKind::R, u'R'}, {AnswerKind::G, u'G'}, {AnswerKind::M, u'M'}};
} // namespace

AnswerKind parseAnswerKind(const QString& letter) {
    if (letter.size() != 1)
        return AnswerKind::Unknown;
    for (const KindLetter& known : KindLetters) {
        if (letter.at(0) == QChar(known.letter))
            return known.kind;
    }
    return AnswerKind::Unknown;
}

QList<AnswerKind> parseAnswerKinds(const QStringList& letters) {
    QList<AnswerKind> kinds;
    kinds.reserve(letters.size());
    for (const QString& letter : letters)
        kinds.append(parseAnswerKind(letter));
    return kinds;
}

QString answerKindLetter(AnswerKind kind) {
    for (const KindLetter& known : KindLetters) {
        if (known.kind == kind)
            return QString(QChar(known.letter));
    }
    return QString();
}

QString resultMarkText(ResultMark mark) {
    switch (mark) {
    case ResultMark::Correct:
        return QString(QChar(0xFC));
    case ResultMark::Wrong:
        return QString(QChar(0xFB));
    case ResultMark::None:
        break;
    }
    return QString();
}

ResultMark resultMarkFromText(const QString& text) {
    if (text == resultMarkText(ResultMark::Correct))
        return ResultMark::Correct;
    if (text == resultMarkText(ResultMark::Wrong))
        return ResultMark::Wrong;
    return ResultMark::None;
}

QStringList resultMarkTexts(const QList<ResultMark>& marks) {
    QStringList texts;
    texts.reserve(marks.size());
    for (const ResultMark mark : marks)
        texts.append(resultMarkText(mark));
    return texts;
}

QList<ResultMark> resultMarksFromTexts(const QStringList& texts) {
    QList<ResultMark> marks;
    marks.reserve(texts.size());
    for (const QString& text : texts)
        marks.append(resultMarkFromText(text));
    return marks;
}

bool parseAnswerNumber(const QString& text, const QLocale& locale, double* value) {
    // Only digits, signs and the locale's separators: no exponents, currency
    // signs, "inf" or "nan", whatever the conversion itself would take.
    if (trimSpaces(text).isEmpty() || !isPlainNumberText(text, locale))
        return false;
    bool ok = false;
    const double number = locale.toDouble(text, &ok);
    if (!ok)
        return false;
    if (value)
        *value = number;
    return true;
}

bool parsePupilNumber(const QString& text, const QLocale& locale, double* value) {
    static const QLocale papers(QLocale::English, QLocale::UnitedKingdom);
    return parseAnswerNumber(text, locale, value) || parseAnswerNumber(text, papers, value);
}

ResultMark CheckAnswer(const QString& answer, const QString& key, AnswerKind kind,
                       const QLocale& locale) {
    constexpr ResultMark Correct = ResultMark::Correct;
    constexpr ResultMark Wrong = ResultMark::Wrong;
    switch (kind) {
    case AnswerKind::N: {
        // Keys are content and always written with "." as the decimal point;
        // the answer follows the pupil's locale or the papers' notation.
        double keyValue = 0;
        if (parseAnswerNumber(key, QLocale::c(), &keyValue)) {
            double answerValue = 0;
            if (!parsePupilNumber(answer, locale, &answerValue))
                return Wrong;
            return answerValue == keyValue ? Correct : Wrong;
        }
        // A number key written in words ("Eighteen") is compared as a word.
        return sameWords(answer, key) ? Correct : Wrong;
    }
    case AnswerKind::Q:
    case AnswerKind::T:
    case AnswerKind::L:
        return sameWords(answer, key) ? Correct : Wrong;
    case AnswerKind::F:
    case AnswerKind::X:
    case AnswerKind::R: {
        const QString trimmedKey = trimSpaces(key);
        const QString typed = trimSpaces(answer);
        // The one space a mixed number keeps stands where the key has its first space.
        const qsizetype keep = trimmedKey.indexOf(QLatin1Char(' '));
        QString normalised;
        normalised.reserve(typed.size());
        for (qsizetype j = 0; j < typed.size(); ++j) {
            if (j == keep || typed.at(j) != u' ')
                normalised.append(typed.at(j));
        }
        return normalised == trimmedKey ? Correct : Wrong;
    }
    case AnswerKind::G:
    case AnswerKind::M:
    case AnswerKind::Unknown:
        break;
    }
    return ResultMark::None;
}

QStringList keyAlternatives(const QString& key) {
    const int separators = int(key.count(QLatin1Char(';')));
    QStringList alternatives;
    if (separators == 0)
        return alternatives;
    // The first character always counts as the first separator.
    QList<qsizetype> positions{0};
    for (int j = 1; j < separators; ++j)
        positions.append(key.indexOf(QLatin1Char(';'), positions.last() + 1));
    for (int j = 0; j < separators; ++j) {
        const qsizetype from = positions.at(j) + 1;
        if (j + 1 < separators)
            alternatives.append(key.mid(from, positions.at(j + 1) - from));
        else
            alternatives.append(key.mid(from));
    }
    return alternatives;
}

ResultMark CheckGroupAnswer(const QStringList& answers, const QStringList& keys, int index) {
    if (index < 0 || index >= keys.size())
        return ResultMark::None;
    const QString answer = answers.value(index);
    if (!isFollower(keys, index)) {
        const QStringList alternatives = keyAlternatives(keys.at(index));
        if (alternatives.isEmpty())
            return ResultMark::None;
        for (const QString& alternative : alternatives) {
            if (sameWords(answer, alternative))
                return ResultMark::Correct;
        }
        return ResultMark::Wrong;
    }

    const int head = headOf(keys, index);
    if (head < 0)
        return ResultMark::None;
    QStringList left = keyAlternatives(keys.at(head));
    if (left.isEmpty())
        return ResultMark::None;
    // Every alternative an earlier blank of the group found is taken.
    for (int b = head; b < index; ++b) {
        for (QString& alternative : left) {
            if (sameWords(answers.value(b), alternative))
                alternative.clear();
        }
    }
    if (trimSpaces(answer).isEmpty())
        return ResultMark::Wrong;
    for (const QString& alternative : left) {
        if (sameWords(answer, alternative))
            return ResultMark::Correct;
    }
    return ResultMark::Wrong;
}

QString GroupModelAnswer(const QStringList& answers, const QStringList& keys, int index) {
    if (index < 0 || index >= keys.size())
        return QString();
    const int head = isFollower(keys, index) ? headOf(keys, index) : index;
    if (head < 0)
        return QString();
    int size = 1;
    while (size <= GroupReach && head + size < keys.size() && isFollower(keys, head + size))
        ++size;

    QStringList left = keyAlternatives(keys.at(head));
    // Rank of this blank among the group's wrong blanks up to and including it.
    int matches = 0;
    for (int b = head; b < index; ++b) {
        for (const QString& alternative : left) {
            if (sameWords(answers.value(b), alternative))
                ++matches;
        }
    }
    const int rank = 1 + (index - head) - matches;

    for (int b = head; b < head + size; ++b) {
        for (QString& alternative : left) {
            if (sameWords(answers.value(b), alternative))
                alternative.clear();
        }
    }

    if (index == head) {
        QString remembered;
        for (const QString& alternative : left) {
            if (sameWords(answers.value(index), alternative))
                return QString();
            if (!alternative.isEmpty() && remembered.isEmpty())
                remembered = alternative;
        }
        return remembered;
    }
    int seen = 0;
    for (const QString& alternative : left) {
        if (alternative.isEmpty())
            continue;
        if (++seen == rank)
            return alternative;
    }
    return QString();
}

ResultMark markBlank(const QStringList& answers, const QStringList& keys,
                     const QList<AnswerKind>& kinds, int index, const QLocale& locale) {
    const AnswerKind kind = kinds.value(index, AnswerKind::Unknown);
    if (isGroupKind(kind))
        return CheckGroupAnswer(answers, keys, index);
    return CheckAnswer(answers.value(index), keys.value(index), kind, locale);
}

QString modelAnswer(const QStringList& answers, const QStringList& keys,
                    const QList<AnswerKind>& kinds, int index) {
    const AnswerKind kind = kinds.value(index, AnswerKind::Unknown);
    const QString key = keys.value(index);
    if (kind == AnswerKind::G)
        return GroupModelAnswer(answers, keys, index);
    if (kind == AnswerKind::M && key.startsWith(QLatin1Char(';'))) {
        // The first alternative; a key of one alternative has no second ";".
        const qsizetype next = key.indexOf(QLatin1Char(';'), 1);
        return next < 0 ? key.mid(1) : key.mid(1, next - 1);
    }
    return key;
}
