// Draws every example picture into a folder, to look at while drawing them.

#include "Examples.h"
#include "Pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2 || QByteArray(argv[1]).startsWith('-')) {
        std::fprintf(stderr,
                     "usage: pictures-gallery FOLDER (writes NAME.svg for every example)\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    int failures = 0;
    for (const QVariantMap& picture : bank::pictures::examples::goodExamples()) {
        const auto drawn = bank::pictures::drawPicture(picture);
        const QString name = picture.value("name").toString();
        if (!drawn.error.isEmpty()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(drawn.error));
            ++failures;
            continue;
        }
        QFile out(dir + QLatin1Char('/') + name + ".svg");
        if (!out.open(QIODevice::WriteOnly) || out.write(drawn.svg) != drawn.svg.size()) {
            std::fprintf(stderr, "%s: cannot write\n", qPrintable(out.fileName()));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
