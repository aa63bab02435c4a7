// quillora-gen-bank OUTDIR: writes the question bank and its tables into
// OUTDIR/store/. Run with the project's content/ folder to regenerate it.
#include "StoreWriter.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2 || args.at(1).startsWith(QLatin1Char('-'))) {
        err << "usage: quillora-gen-bank OUTDIR\n"
               "Writes the question bank into OUTDIR/store/.\n";
        return 2;
    }
    StoreWriter writer(args.at(1) + QStringLiteral("/store"));
    const QStringList problems = writer.writeAll();
    for (const QString& problem : problems)
        err << problem << '\n';
    return problems.isEmpty() ? 0 : 1;
}
