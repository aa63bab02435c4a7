// The graphics writers: what Qt reads back from the BMP, ICO and GIF bytes is
// what was drawn and palettes stay within GIF's limits; and the check that the
// generated graphics match the committed ones names any changed picture.

#include "../BmpWriter.h"
#include "../ColourQuantiser.h"
#include "../GifWriter.h"
#include "../IcoWriter.h"

#include <QBuffer>
#include <QDirIterator>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A picture whose every pixel differs from its neighbours, so that a row or
// channel mix-up cannot go unnoticed.
QImage pattern(int w, int h, bool withAlpha) {
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           qRgba((x * 37 + y * 11) % 256, (x * 5 + y * 53) % 256,
                                 (x * y * 7 + 3) % 256,
                                 withAlpha ? ((x + y) % 3 == 0 ? 0 : 255) : 255));
    return image;
}

QImage readBack(const QByteArray& bytes, const char* format, int index = 0) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, format);
    if (index > 0)
        reader.jumpToImage(index);
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// The largest difference of a channel between two pictures (256 if their sizes differ).
int maxChannelError(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 256;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (qAlpha(p) == 0 && qAlpha(q) == 0)
                continue;
            worst = std::max({worst, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                              qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q))});
        }
    return worst;
}

bool copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

} // namespace

class TestGraphicsOutput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The header's size and depth are checked on every shipped bitmap by the
    // content tool; here the pixels of rows of 6, 9, 15 and 12 bytes, which
    // need 2, 3, 1 and no padding bytes.
    void bmpRoundTrip() {
        for (const QSize size : {QSize(2, 3), QSize(3, 2), QSize(5, 7), QSize(4, 4)}) {
            const QImage image = pattern(size.width(), size.height(), false);
            QVERIFY2(readBack(BmpWriter::encode(image), "BMP") == image,
                     qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
        }
    }

    void icoKeepsEverySize() {
        const QList<QImage> sizes{pattern(16, 16, true), pattern(32, 32, true),
                                  pattern(48, 48, true)};
        const QByteArray bytes = IcoWriter::encode(sizes);
        QBuffer buffer;
        buffer.setData(bytes);
        QCOMPARE(QImageReader(&buffer, "ICO").imageCount(), 3);
        for (int i = 0; i < sizes.size(); ++i)
            QCOMPARE(maxChannelError(readBack(bytes, "ICO", i), sizes[i]), 0);
        // The first entry is the one a plain picture load shows.
        QCOMPARE(QImage::fromData(bytes, "ICO").size(), QSize(16, 16));
    }

    void gifReadsBackAsDrawn() {
        // 81 pixels, a third transparent: well under 256 colours, kept exactly.
        const QImage few = pattern(9, 9, true);
        const QByteArray fewBytes = GifWriter::encode(few);
        QVERIFY(fewBytes.startsWith("GIF89a"));
        QCOMPARE(maxChannelError(readBack(fewBytes, "GIF"), few), 0);

        QImage many(64, 64, QImage::Format_ARGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                many.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2)); // 4,096 colours
        const IndexedPicture indexed = ColourQuantiser::quantise(many);
        QVERIFY(indexed.palette.size() <= 256);
        QCOMPARE(indexed.transparentIndex, -1);
        const QByteArray bytes = GifWriter::encode(many);
        QVERIFY2(maxChannelError(readBack(bytes, "GIF"), many) <= 24,
                 "palette too coarse for a smooth gradient");
    }

    void comparisonCatchesChanges_data() {
        QTest::addColumn<QString>("file"); // in the generator's output folder
        QTest::newRow("nothing changed") << QString();
        QTest::newRow("tool-bar button") << "graphics/home_on.bmp";
        QTest::newRow("desktop icon") << "icons/hicolor/48x48/apps/quillora.png";
    }

    // The reproducibility check (byte for byte), run on the committed files as if
    // generated, with one picture changed: it must pass unchanged and name exactly
    // that picture otherwise.
    void comparisonCatchesChanges() {
        QFETCH(QString, file);
        QTemporaryDir out;
        QVERIFY(copyTree(QStringLiteral(COMMITTED_GRAPHICS), out.filePath("graphics")));
        QVERIFY(copyTree(QStringLiteral(COMMITTED_ICONS), out.filePath("icons")));
        if (!file.isEmpty()) {
            // One bit of one byte: the smallest change the check must see.
            QFile target(out.filePath(file));
            const qint64 middle = target.size() / 2;
            char byte = 0;
            QVERIFY(target.open(QIODevice::ReadWrite) && target.seek(middle) &&
                    target.getChar(&byte));
            QVERIFY(target.seek(middle) && target.putChar(char(byte ^ 1)));
        }

        QProcess check;
        check.start(QStringLiteral(CMAKE_COMMAND_PATH),
                    {"-DGENERATED=" + out.path(),
                     QStringLiteral("-DEXPECTED_GRAPHICS=" COMMITTED_GRAPHICS),
                     QStringLiteral("-DEXPECTED_ICONS=" COMMITTED_ICONS), "-P",
                     QStringLiteral(COMPARE_SCRIPT)});
        QVERIFY(check.waitForFinished(60000));
        const QString report = QString::fromUtf8(check.readAllStandardError());
        if (file.isEmpty()) {
            QVERIFY2(check.exitStatus() == QProcess::NormalExit && check.exitCode() == 0,
                     qPrintable(report));
            return;
        }
        QVERIFY(check.exitCode() != 0);
        QVERIFY2(report.contains(QLatin1String("1 problem(s)")), qPrintable(report));
        const QString name = file.section(QLatin1Char('/'), 1);
        QVERIFY2(report.contains(QLatin1String("differs: ") + name), qPrintable(report));
    }
};

QTEST_MAIN(TestGraphicsOutput)
#include "test_graphics_output.moc"
