#include "Expression.h"

#include "Pictures.h"

namespace bank::source {

checks::NamedFunctions pictureFunctions(const PictureLookup& pictures) {
    checks::NamedFunctions functions;
    functions.names = {
        QStringLiteral("reading"),   QStringLiteral("count"),  QStringLiteral("total"),
        QStringLiteral("most"),      QStringLiteral("fewest"), QStringLiteral("squares"),
        QStringLiteral("perimeter"), QStringLiteral("cubes"),  QStringLiteral("shaded")};
    functions.call = [pictures](const QString& name, const QString& pictureName,
                                const QString& argument, QString* error) {
        const QVariantMap* picture = pictures ? pictures(pictureName) : nullptr;
        if (!picture) {
            *error = QStringLiteral("the question has no picture \"%1\"").arg(pictureName);
            return QString();
        }
        QString why;
        const QString text = bank::pictures::Read(*picture, name, argument, &why);
        if (!why.isEmpty() || text.isEmpty())
            *error = QStringLiteral("%1(%2): %3")
                         .arg(name, pictureName, why.isEmpty() ? QStringLiteral("no value") : why);
        return text;
    };
    return functions;
}

Evaluation evaluate(const QString& expression, const PictureLookup& pictures) {
    return checks::evaluate(expression, pictureFunctions(pictures));
}

} // namespace bank::source
