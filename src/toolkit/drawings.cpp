// drawings.cpp: Qt's pixmap cache emptied when the scale the windows paint at changes.
#include "toolkit/drawings.h"

#include <QPixmapCache>

namespace toolkit {

void paintingAtScale(double scale) {
    static double last = 0;
    if (scale != last)
        QPixmapCache::clear();
    last = scale;
}

} // namespace toolkit
