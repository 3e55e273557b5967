// line.h: a straight line 1 pixel wide in the window-text colour, and frames of whole pixels.
#pragma once

#include "toolkit/item.h"

#include <QColor>
#include <QRect>

namespace toolkit {

class Line final : public Item {
    Q_OBJECT
public:
    // Lines are given by their two ends, in twips.
    Line(Form& form, const QString& name, int x1, int y1, int x2, int y2);

    void paint(QPainter& painter) const override;
};

// A frame `width` pixels wide along the inside of box: four filled bands on whole pixels, sharp
// at any scale, with no antialiased edge.
void fillFrame(QPainter& painter, const QRect& box, int width, const QColor& ink);

} // namespace toolkit
