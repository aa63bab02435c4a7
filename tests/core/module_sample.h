#pragma once
// A small teacher's module, for the tests that pack, check, add and replace one.

#include "core/ModuleFile.h"

namespace ModuleSample {

// A question document of one page around body.
inline QByteArray page(const QString& body) {
    return QByteArrayLiteral("MIME-Version: 1.0\r\n"
                             "Content-Type: multipart/related; boundary=\"b1\"\r\n\r\n"
                             "--b1\r\nContent-Type: text/html; charset=\"utf-8\"\r\n"
                             "Content-Location: file:///q/page.htm\r\n\r\n<html><body>") +
           body.toUtf8() + QByteArrayLiteral("</body></html>\r\n--b1--\r\n");
}

inline ModuleQuestion question(int id, const QString& key, const QString& kind,
                               const QString& check) {
    ModuleQuestion q;
    q.id = id;
    q.blanks = {ModuleBlank{key, kind, 2, check}};
    q.document = page(QStringLiteral("<p>Question %1 of the module.</p>").arg(id));
    return q;
}

// One topic "Fractions" of five papers, a question each (its answer p + 7);
// paper 2 has a second question, of two blanks.
inline ModuleSource smallModule(const QString& mid = QStringLiteral("oak-class-4"),
                                int version = 3) {
    ModuleSource source;
    source.mid = mid;
    source.version = version;
    source.heading = QStringLiteral("Oak Class");
    source.topicNames = {QStringLiteral("Fractions")};
    source.author = QStringLiteral("Mrs Patel");
    for (int p = 0; p < 5; ++p) {
        ModulePaper paper;
        paper.questions << question(10 * p + 1, QString::number(p + 7), QStringLiteral("N"),
                                    QStringLiteral("%1 + 7").arg(p));
        if (p == 1) {
            ModuleQuestion two = question(12, QStringLiteral("4/5"), QStringLiteral("F"),
                                          QStringLiteral("2/5 + 2/5"));
            two.blanks << ModuleBlank{QStringLiteral("Kevin"), QStringLiteral("T"), 1, QString()};
            paper.questions << two;
        }
        source.papers << paper;
    }
    return source;
}

// The module with what paper 2's first question asks changed.
inline ModuleSource withPaper2Changed(ModuleSource source) {
    ModuleBlank& blank = source.papers[1].questions[0].blanks[0];
    blank.key = QStringLiteral("9");
    blank.check = QStringLiteral("2 + 7");
    return source;
}

} // namespace ModuleSample
