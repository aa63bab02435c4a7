// quillora-gen-bank OUTDIR [--source DIR]: writes the question bank and its
// tables into OUTDIR/store/. Run with the project's content/ folder to
// regenerate it from content/source.
#include "StoreWriter.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    const bool withSource = args.size() == 4 && args.at(2) == QLatin1String("--source");
    if ((args.size() != 2 && !withSource) || args.at(1).startsWith(QLatin1Char('-'))) {
        err << "usage: quillora-gen-bank OUTDIR [--source DIR]\n"
               "Writes the question bank into OUTDIR/store/, each paper rendered from\n"
               "its source DIR/paperNNN.yaml (DIR defaults to OUTDIR/source) or, where\n"
               "it has none yet, made by its topic's generator.\n";
        return 2;
    }
    StoreWriter writer(args.at(1) + QStringLiteral("/store"),
                       withSource ? args.at(3) : args.at(1) + QStringLiteral("/source"));
    const QStringList problems = writer.writeAll();
    for (const QString& problem : problems)
        err << problem << '\n';
    return problems.isEmpty() ? 0 : 1;
}
