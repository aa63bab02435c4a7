#pragma once
// Keeps out of an answer box what the results files cannot hold: ">" and "#"
// would shift or break the record, and a character outside Latin-1 cannot be
// written as one byte. Such a keystroke or paste is refused as a whole.

#include <QValidator>

class AnswerValidator : public QValidator {
    Q_OBJECT
public:
    explicit AnswerValidator(QObject* parent = nullptr);

    static bool IsAcceptable(const QString& text);
    State validate(QString& input, int& pos) const override;
};
