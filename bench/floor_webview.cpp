// The floor for opening a paper: the least a bare web view costs to show one
// of the shipped question documents. The archive (first argument) is copied to
// a temporary file and loaded by file: URL. When the page has loaded, a line
// "MARK loaded <ns>" (CLOCK_MONOTONIC) goes to standard output, so that a
// launcher can time exec -> loaded. The view stays open until it is killed.

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebEngineView>

#include <cstdio>
#include <ctime>

namespace {

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: floor_webview <question.mht>\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("question.mht"));
    if (!dir.isValid() || !QFile::copy(QString::fromLocal8Bit(argv[1]), copy)) {
        std::fprintf(stderr, "floor_webview: cannot copy %s\n", argv[1]);
        return 2;
    }

    QWebEngineView view;
    view.setWindowTitle(QStringLiteral("floor_webview"));
    // The size the practice window gives its question view.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    view.setGeometry(screen.width() / 10, screen.height() / 10, screen.width() * 6 / 10,
                     screen.height() * 7 / 10);
    QObject::connect(&view, &QWebEngineView::loadFinished, [](bool ok) {
        std::printf("MARK loaded %lld\n", monotonicNs());
        if (!ok)
            std::printf("MARK failed %lld\n", monotonicNs());
        std::fflush(stdout);
    });
    view.load(QUrl::fromLocalFile(copy));
    view.show();
    return app.exec();
}
