// picture.cpp: drawing the picture unscaled.
#include "toolkit/picture.h"

#include "toolkit/pixels.h"

#include <QImageReader>
#include <QPainter>

namespace toolkit {

Picture::Picture(QWidget* parent, const QString& resource) : QWidget(parent), resource_(resource) {}

// At scales 1 and 2 the picture was drawn at build time; at any other, it is drawn from the
// SVG now, through Qt's SVG image plugin, so that Qt SVG is loaded only then.
const QImage& Picture::image() {
    const qreal scale = devicePixelRatioF();
    if (scale != imageScale_) {
        imageScale_ = scale;
        pixels_ =
            scale == 1 || scale == 2 ? pixelsData(pixelsOf(resource_, int(scale))) : QByteArray();
        image_ = imageOn(pixels_);
        if (image_.isNull()) {
            QImageReader reader(resource_);
            reader.setScaledSize((QSizeF(reader.size()) * scale).toSize());
            image_ = reader.read();
        }
    }
    return image_;
}

void Picture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& picture = image();
    // The image has device pixels; the painter counts device-independent ones.
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(picture.size()) / imageScale_), picture);
}

} // namespace toolkit
