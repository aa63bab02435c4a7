#pragma once
// One picture that shows every graphics item, enlarged, with its file name:
// for looking the set over, not part of the store.

#include "FontSet.h"
#include "GraphicsCatalogue.h"

#include <QImage>

class ContactSheet {
public:
    static QImage compose(const GraphicsCatalogue& catalogue, const FontSet& fonts, int scale = 2);
};
