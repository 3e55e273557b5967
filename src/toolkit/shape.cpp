// shape.cpp: painting rectangles and circles with their 1-pixel outline.
#include "toolkit/shape.h"

#include "toolkit/circle_drawing.h"
#include "toolkit/fonts.h"
#include "toolkit/system_colours.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace toolkit {

Shape::Shape(Form& form, const QString& name, TwipRect rect, bool visible, ShapeStyle style)
    : Item(form, name, rect, visible, QAccessible::Graphic), style_(style) {}

void Shape::setFill(colour::ColourValue fill) {
    if (style_.fill == fill)
        return;
    style_.fill = fill;
    repaint();
}

void Shape::setMark(const QString& mark) {
    if (mark_ == mark)
        return;
    mark_ = mark;
    repaint();
}

QRectF Shape::paintedRect() const {
    const QRectF box = pixelRect();
    if (style_.form == ShapeForm::Rectangle)
        return box;
    const double side = std::min(box.width(), box.height());
    return {box.center().x() - side / 2, box.center().y() - side / 2, side, side};
}

void Shape::paint(QPainter& painter) const {
    const QRectF box = paintedRect();
    const QColor outline = screenColour(colour::kWindowText);
    const QColor fill = screenColour(style_.fill);
    // The outline, one pixel at the opening size and as thick as the zoom, lies inside the
    // box, so a shape never paints outside its rectangle.
    const int pen = zoom().enlarged(1);
    const QRectF inner = style_.outlined ? box.adjusted(pen, pen, -pen, -pen) : box;

    if (style_.form == ShapeForm::Rectangle) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        if (style_.outlined) {
            painter.fillRect(QRectF(box.left(), box.top(), box.width(), pen), outline);
            painter.fillRect(QRectF(box.left(), box.bottom() - pen, box.width(), pen), outline);
            painter.fillRect(QRectF(box.left(), box.top(), pen, box.height()), outline);
            painter.fillRect(QRectF(box.right() - pen, box.top(), pen, box.height()), outline);
        }
        if (style_.opaque)
            painter.fillRect(inner, fill);
        return;
    }

    paintCircle(painter, box,
                {style_.outlined ? outline : QColor(), style_.opaque ? fill : QColor(), pen},
                zoom().factor);
    if (!mark_.isEmpty())
        paintMark(painter, box, fill);
}

// The mark keeps to the middle of the disc: a ring of the fill at least 4 pixels wide (at the
// opening size) stays between it and the outline, so the colour still shows round it.
void Shape::paintMark(QPainter& painter, const QRectF& box, const QColor& fill) const {
    // Half a pixel for antialiasing.
    const double reach = box.width() / 2 - zoom().enlarged(1) - 4 * zoom().factor - 0.5;
    // The bundled face, so the marks look the same on every machine.
    QFont font = fontFor({FontFace::Comic, 0, false});
    font.setBold(true);
    font.setPixelSize(100);
    const QRectF tall = QFontMetricsF(font).tightBoundingRect(mark_);
    // The glyphs' box fits in the circle within the ring, and is never taller than 11 pixels
    // on a 25-pixel disc.
    const double scale = std::min(reach / std::hypot(tall.width() / 2, tall.height() / 2),
                                  box.height() * 0.44 / tall.height());
    font.setPixelSize(std::max(1, int(std::floor(100 * scale))));
    const QRectF glyphs = QFontMetricsF(font).tightBoundingRect(mark_);
    // Perceived lightness (Rec. 601 weights) decides the ink: dark on light fills.
    const double light = 0.299 * fill.redF() + 0.587 * fill.greenF() + 0.114 * fill.blueF();
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(light > 0.55 ? QColor(Qt::black) : QColor(Qt::white));
    painter.drawText(box.center() - glyphs.center(), mark_);
    painter.restore();
}

} // namespace toolkit
