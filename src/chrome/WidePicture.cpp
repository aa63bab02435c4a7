#include "chrome/WidePicture.h"

#include <QPainter>

namespace WidePicture {

QPixmap widened(const QPixmap& picture, int width, int ends) {
    const qreal ratio = picture.devicePixelRatio();
    const int oldWidth = qRound(picture.width() / ratio);
    const int height = qRound(picture.height() / ratio);
    if (picture.isNull() || width <= oldWidth || oldWidth <= 2 * ends)
        return picture;
    QPixmap wide(QSize(qRound(width * ratio), picture.height()));
    wide.setDevicePixelRatio(ratio);
    wide.fill(Qt::transparent);
    QPainter painter(&wide);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int source = qRound(ends * ratio);
    painter.drawPixmap(QRectF(0, 0, ends, height), picture, QRectF(0, 0, source, picture.height()));
    painter.drawPixmap(QRectF(ends, 0, width - 2 * ends, height), picture,
                       QRectF(source, 0, picture.width() - 2 * source, picture.height()));
    painter.drawPixmap(QRectF(width - ends, 0, ends, height), picture,
                       QRectF(picture.width() - source, 0, source, picture.height()));
    return wide;
}

} // namespace WidePicture
