// shape.cpp: painting rectangles and circles with their 1-pixel outline.
#include "toolkit/shape.h"

#include "toolkit/system_colours.h"

#include <QPainter>
#include <algorithm>

namespace toolkit {

Shape::Shape(Form& form, const QString& name, TwipRect rect, bool visible, ShapeStyle style)
    : Item(form, name, rect, visible, QAccessible::Graphic), style_(style) {}

void Shape::setFill(rules::ColourValue fill) {
    if (style_.fill == fill)
        return;
    style_.fill = fill;
    repaint();
}

QRectF Shape::paintedRect() const {
    const QRectF box = pixelRect();
    if (style_.form == ShapeForm::Rectangle)
        return box;
    const double side = std::min(box.width(), box.height());
    return {box.center().x() - side / 2, box.center().y() - side / 2, side, side};
}

void Shape::paint(QPainter& painter, const QPalette& palette) const {
    const QRectF box = paintedRect();
    const QColor outline = screenColour(rules::kWindowText, palette);
    const QColor fill = screenColour(style_.fill, palette);
    // The outline lies inside the box, so a shape never paints outside its rectangle.
    const QRectF inner = style_.outlined ? box.adjusted(1, 1, -1, -1) : box;

    if (style_.form == ShapeForm::Rectangle) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        if (style_.outlined) {
            painter.fillRect(QRectF(box.left(), box.top(), box.width(), 1), outline);
            painter.fillRect(QRectF(box.left(), box.bottom() - 1, box.width(), 1), outline);
            painter.fillRect(QRectF(box.left(), box.top(), 1, box.height()), outline);
            painter.fillRect(QRectF(box.right() - 1, box.top(), 1, box.height()), outline);
        }
        if (style_.opaque)
            painter.fillRect(inner, fill);
        return;
    }

    // One antialiased pass: the 1-pixel pen runs along the inside of the box.
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(style_.outlined ? QPen(outline, 1) : QPen(Qt::NoPen));
    painter.setBrush(style_.opaque ? QBrush(fill) : QBrush(Qt::NoBrush));
    painter.drawEllipse(style_.outlined ? box.adjusted(0.5, 0.5, -0.5, -0.5) : box);
}

} // namespace toolkit
