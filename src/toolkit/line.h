// line.h: a straight line 1 pixel wide in the window-text colour.
#pragma once

#include "toolkit/item.h"

namespace toolkit {

class Line final : public Item {
    Q_OBJECT
public:
    // Lines are given by their two ends, in twips.
    Line(Form& form, const QString& name, int x1, int y1, int x2, int y2);

    void paint(QPainter& painter) const override;
};

} // namespace toolkit
