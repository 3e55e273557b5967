// line.cpp: painting a line, and a frame.
#include "toolkit/line.h"

#include "colour/colour_value.h"
#include "toolkit/system_colours.h"

#include <QPainter>
#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace toolkit {

namespace {
// The box is the line itself with its 1-pixel thickness; only horizontal and vertical
// lines exist on these windows.
TwipRect spanOf(int x1, int y1, int x2, int y2) {
    assert(x1 == x2 || y1 == y2);
    const int pixel = static_cast<int>(kTwipsPerPixel);
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    return {left, top, std::max(std::abs(x2 - x1), pixel), std::max(std::abs(y2 - y1), pixel)};
}
} // namespace

Line::Line(Form& form, const QString& name, int x1, int y1, int x2, int y2)
    : Item(form, name, spanOf(x1, y1, x2, y2), true, QAccessible::Separator) {}

// A zoomed line is as thick as the zoom, in whole pixels, never thinner than one.
void Line::paint(QPainter& painter) const {
    QRectF line = pixelRect();
    const int thickness = zoom().enlarged(1);
    if (line.width() < line.height())
        line.setWidth(thickness);
    else
        line.setHeight(thickness);
    painter.fillRect(line, screenColour(colour::kWindowText));
}

void fillFrame(QPainter& painter, const QRect& box, int width, const QColor& ink) {
    painter.fillRect(box.left(), box.top(), box.width(), width, ink);
    painter.fillRect(box.left(), box.bottom() + 1 - width, box.width(), width, ink);
    painter.fillRect(box.left(), box.top(), width, box.height(), ink);
    painter.fillRect(box.right() + 1 - width, box.top(), width, box.height(), ink);
}

} // namespace toolkit
