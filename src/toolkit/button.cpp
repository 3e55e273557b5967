// button.cpp: a push button's keys, and its bevel and focus at the window's zoom.
#include "toolkit/button.h"

#include "colour/colour_value.h"
#include "toolkit/form.h"
#include "toolkit/line.h"
#include "toolkit/system_colours.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>

namespace toolkit {

Button::Button(Form& form, const QString& caption) : QPushButton(caption, &form), form_(form) {}

// Return presses the button that has the focus, as Space does, and only when freshly pressed:
// a Return held on the last empty hole fills it and hands the focus to "&Conferma", and a
// held Return on "&Conferma" opens the end window with the focus on "&Sì"; the keyboard's
// repeats must press neither. Space already presses on its release, which a repeat is not.
void Button::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->isAutoRepeat())
        event->accept();
    else
        QPushButton::keyPressEvent(event);
}

// At the opening size the style draws the button as on any other program's window. Enlarged,
// its bevel is the style's own enlarged by the stroke width, so that the border is as thick as
// the board's lines; the caption is drawn at the button's size in its enlarged font.
void Button::paintEvent(QPaintEvent* event) {
    const Zoom& zoom = form_.zoom();
    if (zoom.factor == 1) {
        QPushButton::paintEvent(event);
        return;
    }
    QStyleOptionButton option;
    initStyleOption(&option);
    QPainter painter(this);
    painter.drawImage(QPoint(), bevel(option, zoom.enlarged(1)));
    QStyleOptionButton caption = option;
    caption.rect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    style()->drawControl(QStyle::CE_PushButtonLabel, &caption, &painter, this);
}

// The style draws the bevel of a button `stroke` times smaller through a scale, on an image of
// device pixels: there it draws its lines afresh at the scale, where on a high-DPI screen it
// would enlarge a drawing it had cached, blurred. The focus is drawn over the bevel's edge, as
// thick: a frame in the board's ink, which stands out from the board, and inside it, where that
// ink does not stand out from the face by 3:1 (a dark desktop look), a frame in the caption's
// colour.
QImage Button::bevel(const QStyleOptionButton& option, int stroke) const {
    const qreal ratio = devicePixelRatioF();
    QImage image(static_cast<int>(std::ceil(width() * ratio)),
                 static_cast<int>(std::ceil(height() * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter draw(&image);
    QStyleOptionButton smaller = option;
    smaller.rect.setRect(0, 0, std::max(1, rounded(width() / double(stroke))),
                         std::max(1, rounded(height() / double(stroke))));
    draw.scale(image.width() / double(smaller.rect.width()),
               image.height() / double(smaller.rect.height()));
    style()->drawControl(QStyle::CE_PushButtonBevel, &smaller, &draw, this);
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        draw.resetTransform();
        // Over the bevel only: its rounded corners stay as the style draws them.
        draw.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        const int band = static_cast<int>(std::lround(stroke * ratio));
        const QColor ink = screenColour(colour::kWindowText);
        const QColor face = image.pixelColor(image.rect().center());
        fillFrame(draw, image.rect(), band, ink);
        if (contrastRatio(ink, face) < 3)
            fillFrame(draw, image.rect().adjusted(band, band, -band, -band), band,
                      option.palette.color(QPalette::ButtonText));
    }
    draw.end();
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace toolkit
