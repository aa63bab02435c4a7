#include "ContactSheet.h"

#include <QPainter>

QImage ContactSheet::compose(const GraphicsCatalogue& catalogue, const FontSet& fonts, int scale) {
    const int sheetWidth = 1500;
    const int gap = 14;
    const int label = 14;
    struct Cell {
        QList<QImage> pictures;
        QString name;
        QRect place;
    };
    QList<Cell> cells;
    int x = gap, y = gap, rowHeight = 0;
    for (const GraphicsEntry& e : catalogue.entries()) {
        Cell c{e.pictures(), QString::number(e.id) + QLatin1Char(' ') + e.fileName, {}};
        int w = 0, h = 0;
        for (const QImage& p : c.pictures) {
            w += p.width() * scale + 6;
            h = std::max(h, p.height() * scale);
        }
        w = std::max(w, int(fonts.regular.advance(c.name, 11)) + 4);
        if (x + w > sheetWidth) {
            x = gap;
            y += rowHeight + label + gap;
            rowHeight = 0;
        }
        c.place = QRect(x, y, w, h);
        x += w + gap;
        rowHeight = std::max(rowHeight, h);
        cells.append(c);
    }
    QImage sheet(sheetWidth, y + rowHeight + label + gap, QImage::Format_RGB32);
    sheet.fill(QColor(200, 204, 210));
    QPainter p(&sheet);
    for (const Cell& c : cells) {
        int px = c.place.left();
        for (const QImage& pic : c.pictures) {
            const QRect r(px, c.place.top(), pic.width() * scale, pic.height() * scale);
            // Checks show where a picture is transparent.
            for (int cy = r.top(); cy < r.bottom(); cy += 8)
                for (int cx = r.left(); cx < r.right(); cx += 8)
                    p.fillRect(QRect(cx, cy, 8, 8).intersected(r),
                               ((cx - r.left()) / 8 + (cy - r.top()) / 8) % 2
                                   ? QColor(150, 150, 150)
                                   : QColor(110, 110, 110));
            p.drawImage(r, pic);
            px += r.width() + 6;
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 30));
        QPainterPath name = fonts.regular.path(c.name, 11);
        name.translate(c.place.left(), c.place.top() + c.place.height() + 12);
        p.drawPath(name);
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    return sheet;
}
