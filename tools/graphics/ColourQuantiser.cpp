#include "ColourQuantiser.h"

#include "ArtKit.h"

#include <QHash>
#include <algorithm>
#include <map>

namespace {

struct Entry {
    QRgb colour;
    qint64 count;
};

int channel(QRgb c, int ch) {
    return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c);
}

struct Box {
    QList<Entry> entries;
    qint64 pixels = 0;
    int widestChannel = 0;
    int range = 0;

    void measure() {
        range = -1;
        pixels = 0;
        for (const Entry& e : entries)
            pixels += e.count;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (const Entry& e : entries) {
                lo = std::min(lo, channel(e.colour, ch));
                hi = std::max(hi, channel(e.colour, ch));
            }
            if (hi - lo > range) {
                range = hi - lo;
                widestChannel = ch;
            }
        }
    }
    QRgb average() const {
        qint64 r = 0, g = 0, b = 0;
        for (const Entry& e : entries) {
            r += qRed(e.colour) * e.count;
            g += qGreen(e.colour) * e.count;
            b += qBlue(e.colour) * e.count;
        }
        return qRgb(int((r + pixels / 2) / pixels), int((g + pixels / 2) / pixels),
                    int((b + pixels / 2) / pixels));
    }
};

QList<QRgb> medianCut(const QList<Entry>& colours, int maxColours) {
    QList<Box> boxes;
    Box first;
    first.entries = colours;
    first.measure();
    boxes.append(first);
    while (boxes.size() < maxColours) {
        int pick = -1;
        for (int i = 0; i < boxes.size(); ++i) {
            if (boxes[i].entries.size() < 2)
                continue;
            if (pick < 0 || boxes[i].range > boxes[pick].range)
                pick = i;
        }
        if (pick < 0)
            break;
        Box box = boxes.takeAt(pick);
        const int ch = box.widestChannel;
        std::sort(box.entries.begin(), box.entries.end(), [ch](const Entry& a, const Entry& b) {
            if (channel(a.colour, ch) != channel(b.colour, ch))
                return channel(a.colour, ch) < channel(b.colour, ch);
            return a.colour < b.colour;
        });
        qint64 running = 0;
        int cut = 1;
        for (int i = 0; i < box.entries.size() - 1; ++i) {
            running += box.entries[i].count;
            cut = i + 1;
            if (running * 2 >= box.pixels)
                break;
        }
        Box low, high;
        low.entries = box.entries.mid(0, cut);
        high.entries = box.entries.mid(cut);
        low.measure();
        high.measure();
        boxes.insert(pick, high);
        boxes.insert(pick, low);
    }
    QList<QRgb> palette;
    for (const Box& b : boxes)
        palette.append(b.average());
    return palette;
}

int nearest(const QList<QRgb>& palette, QRgb c) {
    int best = 0;
    qint64 bestDistance = -1;
    for (int i = 0; i < palette.size(); ++i) {
        const qint64 dr = qRed(c) - qRed(palette[i]);
        const qint64 dg = qGreen(c) - qGreen(palette[i]);
        const qint64 db = qBlue(c) - qBlue(palette[i]);
        const qint64 d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

IndexedPicture ColourQuantiser::quantise(const QImage& picture, int maxColours) {
    const QImage argb = ArtKit::straightAlpha(picture);
    IndexedPicture out;
    out.width = argb.width();
    out.height = argb.height();

    std::map<QRgb, qint64> counts; // ordered: the palette never depends on hashing
    bool anyTransparent = false;
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) < 128)
                anyTransparent = true;
            else
                ++counts[line[x] | 0xFF000000u];
        }
    }
    const int opaqueSlots = std::max(1, maxColours - (anyTransparent ? 1 : 0));
    QList<Entry> colours;
    for (const auto& [colour, count] : counts)
        colours.append({colour, count});

    if (colours.size() <= opaqueSlots) {
        for (const Entry& e : colours)
            out.palette.append(e.colour);
    } else {
        out.palette = medianCut(colours, opaqueSlots);
    }
    if (out.palette.isEmpty())
        out.palette.append(qRgb(255, 255, 255));
    if (anyTransparent) {
        out.transparentIndex = int(out.palette.size());
        out.palette.append(qRgb(255, 255, 255));
    }

    QHash<QRgb, int> lookup;
    for (const Entry& e : colours)
        lookup.insert(
            e.colour,
            nearest(out.palette.mid(0, out.palette.size() - (anyTransparent ? 1 : 0)), e.colour));
    out.indices.resize(qsizetype(out.width) * out.height);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int index =
                qAlpha(line[x]) < 128 ? out.transparentIndex : lookup.value(line[x] | 0xFF000000u);
            out.indices[qsizetype(y) * out.width + x] = char(quint8(index));
        }
    }
    return out;
}
