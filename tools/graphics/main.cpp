// quillora-gen-graphics: draws the window graphics items and the desktop
// icons. The output depends only on this program and the DejaVu font files,
// never on the time or the machine's settings, so a second run writes the
// same bytes.

#include "ArtKit.h"
#include "ContactSheet.h"
#include "FontSet.h"
#include "GraphicsCatalogue.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

namespace {

const char* const Usage =
    "usage: quillora-gen-graphics OUTDIR [--icons DIR] [--sheet FILE.png] [--fonts DIR]\n"
    "  Writes the window graphics items to OUTDIR/graphics/.\n"
    "  --icons DIR       also write the program icon as DIR/hicolor/NxN/apps/quillora.png\n"
    "  --sheet FILE.png  also write a contact sheet of every item\n"
    "  --fonts DIR       folder of DejaVuSans.ttf and DejaVuSans-Bold.ttf\n";

void complain(const QString& message) {
    std::fprintf(stderr, "quillora-gen-graphics: %s\n", qPrintable(message));
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        complain(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

bool writeIcons(const GraphicsCatalogue& catalogue, const QString& folder) {
    for (int size : GraphicsCatalogue::iconSizes()) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
        if (!QDir().mkpath(dir)) {
            complain(QStringLiteral("cannot create %1").arg(dir));
            return false;
        }
        const QString path = dir + QStringLiteral("/quillora.png");
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            !ArtKit::straightAlpha(catalogue.programIcon(size)).save(&file, "PNG") ||
            !file.commit()) {
            complain(QStringLiteral("cannot write %1").arg(path));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString outDir, iconDir, sheetFile, fontDir = FontSet::defaultFolder();
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(Usage, stdout);
            return 0;
        } else if (a == QLatin1String("--icons") && hasValue) {
            iconDir = args[++i];
        } else if (a == QLatin1String("--sheet") && hasValue) {
            sheetFile = args[++i];
        } else if (a == QLatin1String("--fonts") && hasValue) {
            fontDir = args[++i];
        } else if (!a.startsWith(QLatin1Char('-')) && outDir.isEmpty()) {
            outDir = a;
        } else {
            std::fputs(Usage, stderr);
            return 2;
        }
    }
    if (outDir.isEmpty()) {
        std::fputs(Usage, stderr);
        return 2;
    }

    FontSet fonts;
    QString error;
    if (!FontSet::load(fontDir, &fonts, &error)) {
        complain(error);
        return 1;
    }
    const GraphicsCatalogue catalogue(fonts);

    const QString graphicsDir = outDir + QStringLiteral("/graphics");
    if (!QDir().mkpath(graphicsDir)) {
        complain(QStringLiteral("cannot create %1").arg(graphicsDir));
        return 1;
    }
    for (const GraphicsEntry& entry : catalogue.entries()) {
        const QByteArray bytes = GraphicsCatalogue::encode(entry, &error);
        if (bytes.isEmpty()) {
            complain(QStringLiteral("%1: %2").arg(entry.fileName, error));
            return 1;
        }
        if (!writeFile(graphicsDir + QLatin1Char('/') + entry.fileName, bytes))
            return 1;
    }
    if (!iconDir.isEmpty() && !writeIcons(catalogue, iconDir))
        return 1;
    if (!sheetFile.isEmpty() && !ContactSheet::compose(catalogue, fonts).save(sheetFile, "PNG")) {
        complain(QStringLiteral("cannot write %1").arg(sheetFile));
        return 1;
    }
    return 0;
}
