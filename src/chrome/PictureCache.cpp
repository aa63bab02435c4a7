#include "chrome/PictureCache.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

// Read in the format its name gives: asked to guess, Qt loads every image
// plugin of the system (and their libraries) to ask each whether it would
// rather read a bitmap. A file whose content does not match its name is
// still read, the usual way.
QPixmap loadPicture(const QString& path) {
    QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        image.load(path);
    return QPixmap::fromImage(std::move(image));
}

} // namespace

PictureCache::PictureCache(QString graphicsFolder) : m_folder(std::move(graphicsFolder)) {}

QPixmap PictureCache::get(const QString& fileName) {
    auto it = m_pixmaps.find(fileName);
    if (it != m_pixmaps.end())
        return it.value();

    QPixmap pixmap = loadPicture(QDir(m_folder).filePath(fileName));
    if (pixmap.isNull()) {
        // The picture names were chosen on a file system that ignores case
        // ("pencil.ico" is also called "Pencil.ico"); look for a spelling that
        // differs only in case before giving up.
        const QStringList entries = QDir(m_folder).entryList(QDir::Files);
        for (const QString& entry : entries) {
            if (entry.compare(fileName, Qt::CaseInsensitive) == 0) {
                pixmap = loadPicture(QDir(m_folder).filePath(entry));
                break;
            }
        }
    }
    if (pixmap.isNull() && !m_missing.contains(fileName))
        m_missing.append(fileName);
    return m_pixmaps.insert(fileName, pixmap).value();
}
