// shape.h: a filled rectangle or circle; it shows a colour and never takes a click.
#pragma once

#include "colour/colour_value.h"
#include "toolkit/item.h"

namespace toolkit {

enum class ShapeForm : std::uint8_t { Rectangle, Circle };

struct ShapeStyle {
    ShapeForm form = ShapeForm::Rectangle;
    colour::ColourValue fill = colour::kButtonFace;
    bool opaque = true;   // a transparent shape draws only its outline
    bool outlined = true; // 1 pixel in the window-text colour
};

class Shape final : public Item {
    Q_OBJECT
public:
    Shape(Form& form, const QString& name, TwipRect rect, bool visible, ShapeStyle style);

    // The stored value, which for a system colour is the reference, not the screen colour.
    colour::ColourValue fill() const { return style_.fill; }
    void setFill(colour::ColourValue fill);
    ShapeForm form() const { return style_.form; }

    // A short text drawn in the middle of a circle, in ink that stands out from its fill, so
    // that a player who cannot tell two fills apart can read them; empty draws nothing.
    const QString& mark() const { return mark_; }
    void setMark(const QString& mark);

    // Where the shape actually draws: a circle in a box that is not square takes the
    // smaller side and is centred.
    QRectF paintedRect() const;

    void paint(QPainter& painter) const override;

private:
    void paintMark(QPainter& painter, const QRectF& box, const QColor& fill) const;

    ShapeStyle style_;
    QString mark_;
};

} // namespace toolkit
