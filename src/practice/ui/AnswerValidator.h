#pragma once
// Keeps out of an answer box what the results files cannot hold: ">" and "#"
// would shift or break the record, and a character outside Latin-1 cannot be
// written as one byte. Such a keystroke or paste is refused as a whole, and
// the validator remembers which sign it refused, for the hint under the box.
// A paste that brings line breaks (text copied with its line end) loses them
// and the spaces around them at its two ends first.

#include <QValidator>

class AnswerValidator : public QValidator {
    Q_OBJECT
public:
    explicit AnswerValidator(QObject* parent = nullptr);

    static bool isAcceptable(const QString& text);
    // The first character of text that cannot stand in an answer; null when
    // there is none.
    static QChar refusedSign(const QString& text);
    State validate(QString& input, int& pos) const override;
    // The sign that made the last refusal.
    QChar lastRefused() const { return m_refused; }

private:
    mutable QString m_accepted; // the box's text as last accepted
    mutable QChar m_refused;
};
