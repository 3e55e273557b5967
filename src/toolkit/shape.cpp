// shape.cpp: painting rectangles and circles with their 1-pixel outline.
#include "toolkit/shape.h"

#include "toolkit/fonts.h"
#include "toolkit/system_colours.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <algorithm>
#include <cmath>
#include <cstdint>

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

// A board holds a few dozen circles of one size in a handful of colours, and every new game
// draws them all again: each look is antialiased once into Qt's pixmap cache, then copied.
void Shape::paintCircle(QPainter& painter, const QRectF& box, const QColor& outline,
                        const QColor& fill) const {
    const QPointF corner(std::floor(box.left()), std::floor(box.top()));
    const QRectF local = box.translated(-corner);
    const qreal ratio = painter.device()->devicePixelRatioF();
    // The look's numbers as they lie in memory: formatting them as text cost a new board
    // more than copying its circles.
    const int pen = zoom().enlarged(1);
    const struct {
        double left, top, width, ratio;
        QRgb outline, fill;
        std::uint32_t kind, pen; // no padding: every byte is set
    } look{local.left(),
           local.top(),
           local.width(),
           ratio,
           style_.outlined ? outline.rgba() : 0u,
           style_.opaque ? fill.rgba() : 0u,
           std::uint32_t(style_.outlined) * 2 + std::uint32_t(style_.opaque),
           std::uint32_t(pen)};
    static_assert(sizeof look == 48);
    const QString key = QStringLiteral("cifrotto-circle ") +
                        QLatin1String(reinterpret_cast<const char*>(&look), sizeof look);
    QPixmap circle;
    if (!QPixmapCache::find(key, &circle)) {
        const QSizeF extent(std::ceil(local.right()), std::ceil(local.bottom()));
        circle = QPixmap((extent * ratio).toSize());
        circle.setDevicePixelRatio(ratio);
        circle.fill(Qt::transparent);
        QPainter draw(&circle);
        // One antialiased pass: the pen runs along the inside of the box.
        draw.setRenderHint(QPainter::Antialiasing, true);
        draw.setPen(style_.outlined ? QPen(outline, pen) : QPen(Qt::NoPen));
        draw.setBrush(style_.opaque ? QBrush(fill) : QBrush(Qt::NoBrush));
        const double half = pen / 2.0;
        draw.drawEllipse(style_.outlined ? local.adjusted(half, half, -half, -half) : local);
        draw.end();
        QPixmapCache::insert(key, circle);
    }
    painter.drawPixmap(corner, circle);
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

    paintCircle(painter, box, outline, fill);
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
