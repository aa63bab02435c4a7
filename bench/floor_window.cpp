// The floor for start-up and memory: the least a Qt window of the main
// window's size (405 x 492) showing twenty of the program's bitmaps can cost.
// The bitmaps are read from the content folder given as the first argument.
// The window stays open until it is closed or killed.

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString graphics = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QStringList bitmaps =
        QDir(graphics).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);

    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("floor_window"));
    auto* grid = new QGridLayout(&window);
    int shown = 0;
    for (const QString& name : bitmaps) {
        if (shown == 20)
            break;
        QPixmap pixmap(QDir(graphics).filePath(name));
        if (pixmap.isNull())
            continue;
        auto* label = new QLabel(&window);
        label->setPixmap(pixmap);
        grid->addWidget(label, shown / 4, shown % 4);
        ++shown;
    }
    if (shown < 20) {
        qWarning("floor_window: only %d bitmaps found in %s", shown, qPrintable(graphics));
        return 2;
    }
    window.setGeometry(4, 4, 405, 492);
    window.show();
    return app.exec();
}
