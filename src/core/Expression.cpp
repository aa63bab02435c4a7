#include "core/Expression.h"

#include "core/NumberWords.h"

#include <QRegularExpression>
#include <numeric>
#include <optional>

namespace checks {

namespace {

using Wide = __int128;

std::optional<Rational> make(Wide num, Wide den) {
    if (den == 0)
        return std::nullopt;
    if (den < 0)
        num = -num, den = -den;
    Wide a = num < 0 ? -num : num, b = den;
    while (b != 0) {
        const Wide t = a % b;
        a = b;
        b = t;
    }
    if (a > 1)
        num /= a, den /= a;
    const Wide limit = Wide(1) << 62;
    if (num > limit || num < -limit || den > limit)
        return std::nullopt;
    return Rational{(long long)num, (long long)den};
}

struct Token {
    enum class Kind { Number, Name, Text, Op, End };
    Kind kind = Kind::End;
    QString text;
    int at = 0;
};

QList<Token> tokenise(const QString& s, QString* error) {
    QList<Token> tokens;
    int i = 0;
    while (i < s.size()) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token t;
        t.at = i;
        if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < s.size() && s.at(i + 1).isDigit())) {
            int j = i;
            while (j < s.size() && (s.at(j).isDigit() || s.at(j) == QLatin1Char('.')))
                ++j;
            t.kind = Token::Kind::Number;
            t.text = s.mid(i, j - i);
            i = j;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int j = i;
            while (j < s.size() && (s.at(j).isLetter() || s.at(j) == QLatin1Char('_')))
                ++j;
            t.text = s.mid(i, j - i);
            t.kind = t.text == QLatin1String("x") ? Token::Kind::Op : Token::Kind::Name;
            if (t.kind == Token::Kind::Op)
                t.text = QStringLiteral("*");
            i = j;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = int(s.indexOf(c, i + 1));
            if (end < 0) {
                *error = QStringLiteral("a text in quotes is not closed");
                return {};
            }
            t.kind = Token::Kind::Text;
            t.text = s.mid(i + 1, end - i - 1);
            i = end + 1;
        } else {
            t.kind = Token::Kind::Op;
            const QString two = s.mid(i, 2);
            if (two == QLatin1String("<=") || two == QLatin1String(">=") ||
                two == QLatin1String("!=")) {
                t.text = two;
                i += 2;
            } else {
                static const QString singles = QStringLiteral("+-*/()<>=,\u00d7\u00f7\u2212");
                if (!singles.contains(c)) {
                    *error = QStringLiteral("\"%1\" cannot stand in a check").arg(c);
                    return {};
                }
                t.text = c;
                if (c == QChar(0x00d7))
                    t.text = QStringLiteral("*");
                else if (c == QChar(0x00f7))
                    t.text = QStringLiteral("/");
                else if (c == QChar(0x2212))
                    t.text = QStringLiteral("-");
                ++i;
            }
        }
        tokens << t;
    }
    Token end;
    end.at = int(s.size());
    tokens << end;
    return tokens;
}

class Parser {
public:
    Parser(QList<Token> tokens, const NamedFunctions& functions)
        : m_tokens(std::move(tokens)), m_functions(functions) {}

    QString error;

    Value top() {
        Value v = comparison();
        if (error.isEmpty() && peek().kind == Token::Kind::Name)
            fail(QStringLiteral("\"%1\" after a number: write numbers without units")
                     .arg(peek().text));
        if (error.isEmpty() && peek().kind != Token::Kind::End)
            fail(QStringLiteral("\"%1\" is left over").arg(peek().text));
        return v;
    }

private:
    const Token& peek() const { return m_tokens.at(m_pos); }
    bool isOp(const char* op) const {
        return peek().kind == Token::Kind::Op && peek().text == QLatin1String(op);
    }
    Value fail(const QString& why) {
        if (error.isEmpty())
            error = why;
        return {};
    }
    bool expect(const char* op) {
        if (isOp(op)) {
            ++m_pos;
            return true;
        }
        fail(QStringLiteral("\"%1\" expected").arg(QLatin1String(op)));
        return false;
    }

    Value comparison() {
        Value left = sum();
        static const QStringList ops = {QStringLiteral("<"),  QStringLiteral(">"),
                                        QStringLiteral("="),  QStringLiteral("<="),
                                        QStringLiteral(">="), QStringLiteral("!=")};
        if (!error.isEmpty() || peek().kind != Token::Kind::Op || !ops.contains(peek().text))
            return left;
        bool all = true;
        while (error.isEmpty() && peek().kind == Token::Kind::Op && ops.contains(peek().text)) {
            const QString op = m_tokens.at(m_pos++).text;
            const Value right = sum();
            if (!error.isEmpty())
                return {};
            all = all && compare(left, op, right);
            left = right;
        }
        Value v;
        v.type = Value::Type::Truth;
        v.truth = all;
        return v;
    }

    bool compare(const Value& a, const QString& op, const Value& b) {
        if (a.type == Value::Type::Number && b.type == Value::Type::Number) {
            const Wide l = Wide(a.number.num) * b.number.den;
            const Wide r = Wide(b.number.num) * a.number.den;
            if (op == QLatin1String("<"))
                return l < r;
            if (op == QLatin1String(">"))
                return l > r;
            if (op == QLatin1String("<="))
                return l <= r;
            if (op == QLatin1String(">="))
                return l >= r;
            if (op == QLatin1String("!="))
                return l != r;
            return l == r;
        }
        if (a.type == Value::Type::Text && b.type == Value::Type::Text &&
            (op == QLatin1String("=") || op == QLatin1String("!="))) {
            const bool same = a.text.compare(b.text, Qt::CaseInsensitive) == 0;
            return op == QLatin1String("=") ? same : !same;
        }
        fail(QStringLiteral("cannot compare %1 with %2").arg(a.describe(), b.describe()));
        return false;
    }

    Value arithmetic(const Value& a, QChar op, const Value& b) {
        if (a.type != Value::Type::Number || b.type != Value::Type::Number)
            return fail(
                QStringLiteral("cannot compute %1 %2 %3").arg(a.describe(), op, b.describe()));
        const Rational& x = a.number;
        const Rational& y = b.number;
        std::optional<Rational> r;
        if (op == QLatin1Char('+'))
            r = make(Wide(x.num) * y.den + Wide(y.num) * x.den, Wide(x.den) * y.den);
        else if (op == QLatin1Char('-'))
            r = make(Wide(x.num) * y.den - Wide(y.num) * x.den, Wide(x.den) * y.den);
        else if (op == QLatin1Char('*'))
            r = make(Wide(x.num) * y.num, Wide(x.den) * y.den);
        else {
            if (y.num == 0)
                return fail(QStringLiteral("division by zero"));
            r = make(Wide(x.num) * y.den, Wide(x.den) * y.num);
        }
        if (!r)
            return fail(QStringLiteral("the numbers grow too large"));
        Value v;
        v.type = Value::Type::Number;
        v.number = *r;
        return v;
    }

    // A run of operands of one level joined by its two operators.
    Value level(const char* first, const char* second, Value (Parser::*operand)()) {
        Value v = (this->*operand)();
        while (error.isEmpty() && (isOp(first) || isOp(second))) {
            const QChar op = m_tokens.at(m_pos++).text.front();
            v = arithmetic(v, op, (this->*operand)());
        }
        return v;
    }
    Value sum() { return level("+", "-", &Parser::product); }
    Value product() { return level("*", "/", &Parser::unary); }

    Value unary() {
        if (isOp("-")) {
            ++m_pos;
            Value zero;
            zero.type = Value::Type::Number;
            return arithmetic(zero, QLatin1Char('-'), unary());
        }
        return primary();
    }

    Value primary() {
        const Token t = peek();
        if (t.kind == Token::Kind::Number) {
            ++m_pos;
            const Value v = valueOfText(t.text);
            if (v.type != Value::Type::Number)
                return fail(QStringLiteral("\"%1\" is not a number").arg(t.text));
            return v;
        }
        if (t.kind == Token::Kind::Text) {
            ++m_pos;
            Value v;
            v.type = Value::Type::Text;
            v.text = t.text;
            return v;
        }
        if (isOp("(")) {
            ++m_pos;
            const Value v = comparison();
            expect(")");
            return v;
        }
        if (t.kind == Token::Kind::Name)
            return call();
        if (t.kind == Token::Kind::End)
            return fail(QStringLiteral("the check ends too soon"));
        return fail(QStringLiteral("\"%1\" cannot stand here").arg(t.text));
    }

    Value call() {
        const QString name = m_tokens.at(m_pos++).text;
        const QStringList& readings = m_functions.names;
        if (name != QLatin1String("yes") && (!readings.contains(name) || !m_functions.call))
            return fail(QStringLiteral("unknown name \"%1\" (write numbers without units; "
                                       "functions: %2)")
                            .arg(name, (QStringList{QStringLiteral("yes")} + readings)
                                           .join(QStringLiteral(", "))));
        if (!expect("("))
            return {};
        if (name == QLatin1String("yes")) {
            const Value v = comparison();
            expect(")");
            if (!error.isEmpty())
                return {};
            if (v.type != Value::Type::Truth)
                return fail(QStringLiteral("yes(...) needs a comparison"));
            Value word;
            word.type = Value::Type::Text;
            word.text = v.truth ? QStringLiteral("yes") : QStringLiteral("no");
            return word;
        }
        if (peek().kind != Token::Kind::Name)
            return fail(QStringLiteral("%1(...) needs the name of a picture").arg(name));
        const QString pictureName = m_tokens.at(m_pos++).text;
        QString argument;
        if (isOp(",")) {
            ++m_pos;
            if (peek().kind != Token::Kind::Text && peek().kind != Token::Kind::Number)
                return fail(
                    QStringLiteral("%1(%2, ...) needs a label in quotes").arg(name, pictureName));
            argument = m_tokens.at(m_pos++).text;
        }
        if (!expect(")"))
            return {};
        QString why;
        const QString text = m_functions.call(name, pictureName, argument, &why);
        if (!why.isEmpty())
            return fail(why);
        return valueOfText(text);
    }

    QList<Token> m_tokens;
    const NamedFunctions& m_functions;
    int m_pos = 0;
};

} // namespace

bool Rational::decimal(QString* text) const {
    long long d = den;
    int places = 0;
    while (d % 10 == 0)
        d /= 10, ++places;
    while (d % 2 == 0 || d % 5 == 0) {
        if (d % 2 == 0)
            d /= 2;
        else
            d /= 5;
        ++places;
    }
    // Beyond 18 places the digits would not fit; no pupil writes them anyway.
    if (d != 1 || places > 18)
        return false;
    Wide scaled = Wide(num);
    Wide scale = 1;
    for (int i = 0; i < places; ++i)
        scale *= 10;
    scaled = scaled * scale / den;
    const bool negative = scaled < 0;
    if (negative)
        scaled = -scaled;
    QString digits = QString::number((long long)(scaled / scale));
    if (places > 0) {
        QString fractionDigits =
            QString::number((long long)(scaled % scale)).rightJustified(places, QLatin1Char('0'));
        while (fractionDigits.endsWith(QLatin1Char('0')))
            fractionDigits.chop(1);
        if (!fractionDigits.isEmpty())
            digits += QLatin1Char('.') + fractionDigits;
    }
    *text = (negative ? QStringLiteral("-") : QString()) + digits;
    return true;
}

QString Rational::fraction() const {
    if (den == 1)
        return QString::number(num);
    return QStringLiteral("%1/%2").arg(num).arg(den);
}

QString Rational::mixed() const {
    if (den == 1 || num < den)
        return fraction();
    return QStringLiteral("%1 %2/%3").arg(num / den).arg(num % den).arg(den);
}

QStringList Value::answers(AnswerKind kind) const {
    switch (type) {
    case Type::None:
        return {};
    case Type::Truth:
        return {truth ? QStringLiteral("true") : QStringLiteral("false")};
    case Type::Text:
        return {text};
    case Type::Number:
        break;
    }
    if (kind == AnswerKind::F)
        return {number.fraction()};
    if (kind == AnswerKind::X)
        return {number.mixed()};
    QStringList out;
    QString plain;
    if (number.decimal(&plain))
        out << plain;
    else
        out << number.fraction();
    if (kind != AnswerKind::N && number.isWhole() && number.num >= 0 && number.num < 10000) {
        const QString words = numberWords(number.num);
        out << words;
        if (words.contains(QLatin1Char('-')))
            out << QString(words).replace(QLatin1Char('-'), QLatin1Char(' '));
    }
    return out;
}

QString Value::describe() const {
    switch (type) {
    case Type::None:
        return QStringLiteral("nothing");
    case Type::Truth:
        return truth ? QStringLiteral("true") : QStringLiteral("false");
    case Type::Text:
        return QStringLiteral("\"%1\"").arg(text);
    case Type::Number:
        break;
    }
    QString plain;
    return number.decimal(&plain) ? plain : number.fraction();
}

Value valueOfText(const QString& raw) {
    const QString text = raw.trimmed();
    static const QRegularExpression decimalNumber(QStringLiteral("^(-?)([0-9]+)(?:\\.([0-9]+))?$"));
    static const QRegularExpression fraction(QStringLiteral("^(?:([0-9]+) )?([0-9]+)/([0-9]+)$"));
    Value v;
    if (const QRegularExpressionMatch m = decimalNumber.match(text); m.hasMatch()) {
        const QString digits = m.captured(2) + m.captured(3);
        Wide den = 1;
        for (int i = 0; i < m.capturedLength(3); ++i)
            den *= 10;
        bool ok = digits.size() <= 17;
        const std::optional<Rational> r =
            ok ? make(Wide(digits.toLongLong()) * (m.captured(1).isEmpty() ? 1 : -1), den)
               : std::nullopt;
        if (r) {
            v.type = Value::Type::Number;
            v.number = *r;
            return v;
        }
    } else if (const QRegularExpressionMatch f = fraction.match(text); f.hasMatch()) {
        const long long whole = f.captured(1).toLongLong();
        const long long den = f.captured(3).toLongLong();
        const std::optional<Rational> r = make(Wide(whole) * den + f.captured(2).toLongLong(), den);
        if (r && f.captured(2).size() < 10 && f.captured(3).size() < 10) {
            v.type = Value::Type::Number;
            v.number = *r;
            return v;
        }
    }
    v.type = Value::Type::Text;
    v.text = text;
    return v;
}

Evaluation evaluate(const QString& expression, const NamedFunctions& functions) {
    Evaluation result;
    QString error;
    QList<Token> tokens = tokenise(expression, &error);
    if (!error.isEmpty()) {
        result.error = error;
        return result;
    }
    Parser parser(std::move(tokens), functions);
    result.value = parser.top();
    result.error = parser.error;
    return result;
}

QString normalisedExpression(const QString& expression) {
    QString error;
    const QList<Token> tokens = tokenise(expression, &error);
    if (!error.isEmpty())
        return expression.simplified();
    QString out;
    for (const Token& t : tokens) {
        if (t.kind == Token::Kind::Text)
            out += QLatin1Char('"') + t.text.toLower() + QLatin1Char('"');
        else if (t.kind == Token::Kind::Number)
            out += valueOfText(t.text).describe();
        else
            out += t.text;
    }
    return out;
}

QString taskSignature(const QString& expression) {
    QString error;
    const QList<Token> tokens = tokenise(expression, &error);
    if (!error.isEmpty())
        return {};
    QStringList numbers, operations;
    for (int i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens.at(i);
        if (t.kind == Token::Kind::Number) {
            numbers << valueOfText(t.text).describe();
        } else if (t.kind == Token::Kind::Name) {
            QString call = t.text;
            // The reading with its picture and label: count(p, "Ivan").
            for (int j = i + 1; j < tokens.size() && tokens.at(j).text != QLatin1String(")"); ++j)
                call += QLatin1Char(' ') + tokens.at(j).text;
            operations << call;
        } else if (t.kind == Token::Kind::Op && t.text != QLatin1String("(") &&
                   t.text != QLatin1String(")") && t.text != QLatin1String(",")) {
            operations << t.text;
        }
    }
    if (operations.isEmpty())
        return {};
    numbers.sort();
    operations.sort();
    return numbers.join(QLatin1Char(' ')) + QStringLiteral(" | ") +
           operations.join(QLatin1Char(' '));
}

} // namespace checks
