#include "core/GraphicsTable.h"

#include "core/ResourceStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

const std::vector<GraphicsItem>& graphicsItems() {
    // Ids 38 to 40 are not used.
    static const std::vector<GraphicsItem> items = {
        {1, "about_off.bmp"},
        {2, "about_on.bmp"},
        {3, "about_pressed.bmp"},
        {4, "back_disabled.bmp"},
        {5, "back_off.bmp"},
        {6, "back_on.bmp"},
        {7, "back_pressed.bmp"},
        {8, "close_off.bmp"},
        {9, "close_on.bmp"},
        {10, "close_pressed.bmp"},
        {11, "forward_disabled.bmp"},
        {12, "forward_off.bmp"},
        {13, "forward_on.bmp"},
        {14, "forward_pressed.bmp"},
        {15, "home_off.bmp"},
        {16, "home_on.bmp"},
        {17, "home_pressed.bmp"},
        {18, "mark_disabled.bmp"},
        {19, "mark_off.bmp"},
        {20, "mark_on.bmp"},
        {21, "mark_pressed.bmp"},
        {22, "print_off.bmp"},
        {23, "print_on.bmp"},
        {24, "print_pressed.bmp"},
        {25, "report_off.bmp"},
        {26, "report_on.bmp"},
        {27, "report_pressed.bmp"},
        {28, "save_disabled.bmp"},
        {29, "save_off.bmp"},
        {30, "save_on.bmp"},
        {31, "save_pressed.bmp"},
        {32, "setup_off.bmp"},
        {33, "setup_on.bmp"},
        {34, "setup_pressed.bmp"},
        {35, "trash_off.bmp"},
        {36, "trash_on.bmp"},
        {37, "trash_pressed.bmp"},
        {41, "tabs_back_off.bmp"},
        {42, "tabs_back_on.bmp"},
        {43, "tabs_front_off.bmp"},
        {44, "tabs_front_on.bmp"},
        {45, "border_bot.bmp"},
        {46, "border_left.bmp"},
        {47, "border_left_corners.bmp"},
        {48, "border_right.bmp"},
        {49, "border_right_corners.bmp"},
        {50, "border_top_center.bmp"},
        {51, "border_top_left.bmp"},
        {52, "border_top_right.bmp"},
        {53, "border_white_top_center.bmp"},
        {54, "border_white_top_left.bmp"},
        {55, "border_white_top_right.bmp"},
        {56, "prog_blue_close.bmp"},
        {57, "prog_blue_max.bmp"},
        {58, "prog_blue_min.bmp"},
        {59, "prog_blue_norm.bmp"},
        {60, "prog_blueoff_close.bmp"},
        {61, "prog_blueoff_max.bmp"},
        {62, "prog_blueoff_min.bmp"},
        {63, "prog_blueoff_norm.bmp"},
        {64, "prog_white_close.bmp"},
        {65, "prog_white_max.bmp"},
        {66, "prog_white_min.bmp"},
        {67, "prog_white_norm.bmp"},
        {68, "loadbutton_on.bmp"},
        {69, "loadbutton_off.bmp"},
        {70, "button_off.bmp"},
        {71, "button_on.bmp"},
        {72, "button_pressed.bmp"},
        {73, "bottombg1.bmp"},
        {74, "bottombg2.bmp"},
        {75, "bottombg3.bmp"},
        {76, "bottombg4.bmp"},
        {77, "columnhead1.bmp"},
        {78, "columnhead2.bmp"},
        {79, "progressbar.bmp"},
        {80, "statusgrabber.bmp"},
        {81, "bullet.bmp"},
        {82, "Handle.bmp"},
        {83, "pen.bmp"},
        {84, "bar.bmp"},
        {85, "Qzicon.ico"},
        {86, "pencil.ico"},
        {87, "hand.ico"},
        {88, "info_mark.gif"},
        {89, "Logo.gif"},
        {90, "instruction.gif"},
        {91, "Border_bot_left.gif"},
        {92, "Border_bot_right.gif"},
    };
    return items;
}

QString graphicsFileName(int id) {
    for (const GraphicsItem& item : graphicsItems()) {
        if (item.id == id)
            return QString::fromLatin1(item.fileName);
    }
    return QString();
}

int graphicsId(const QString& fileName) {
    for (const GraphicsItem& item : graphicsItems()) {
        if (fileName == QLatin1String(item.fileName))
            return item.id;
    }
    return 0;
}

QString graphicsFolder(const QString& programFolder) {
    return programFolder + QStringLiteral("/Graphics");
}

namespace {

bool fileHolds(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() != bytes.size())
        return false;
    return file.readAll() == bytes;
}

} // namespace

QStringList ExtractGraphics(const ResourceStore& store, const QString& programFolder) {
    QStringList failed;
    const QString folder = graphicsFolder(programFolder);
    // A link in the folder's place would take the pictures somewhere else:
    // nothing is written through it (the pictures come from the store).
    const bool linked = QFileInfo(folder).isSymLink();
    if (!linked)
        QDir().mkpath(folder);
    for (const GraphicsItem& item : graphicsItems()) {
        if (linked) {
            failed.append(QString::fromLatin1(item.fileName));
            continue;
        }
        const QString name = QString::fromLatin1(item.fileName);
        const QString path = folder + QLatin1Char('/') + name;
        bool ok = false;
        const QByteArray bytes = store.itemBytes(item.id, &ok);
        if (!ok) {
            failed.append(name);
            continue;
        }
        // An unchanged file is left alone, so a start does not rewrite ninety
        // files for nothing; a changed or deleted one is restored.
        if (fileHolds(path, bytes))
            continue;
        // Compared at every start, so a file cut short by a crash is restored.
        if (store.ExtractResource(item.id, QStringLiteral("Custom"), path,
                                  ResourceStore::Durability::Scratch) !=
            ResourceStore::ExtractResult::Done)
            failed.append(name);
    }
    return failed;
}
