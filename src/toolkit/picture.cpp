// picture.cpp: drawing the picture at the screen's scale times its window's zoom.
#include "toolkit/picture.h"

#include "toolkit/drawings.h"
#include "toolkit/form.h"
#include "toolkit/pixels.h"

#include <QImageReader>
#include <QPainter>

namespace toolkit {

Picture::Picture(Form& form, const QString& resource)
    : QWidget(&form), form_(form), resource_(resource) {}

// At scales 1 and 2 the picture was drawn at build time; at any other, it is drawn from the
// SVG now, through Qt's SVG image plugin, so that Qt SVG is loaded only then. The scale is the
// screen's times the window's zoom: an enlarged window draws its pictures afresh from their
// vectors.
void Picture::prepare(qreal scale) {
    if (scale == scale_)
        return;
    scale_ = scale;
    packed_ = PackedPixels(scale == 1 || scale == 2 ? pixelsOf(resource_, int(scale)) : QString());
    image_ = QImage();
    if (packed_.isNull()) {
        QImageReader reader(resource_);
        reader.setScaledSize((QSizeF(reader.size()) * scale).toSize());
        image_ = reader.read();
    }
}

// The images have device pixels; the painter counts device-independent ones. A picture drawn
// at build time is unpacked band by band as it is painted, and none of it is kept: the
// window's backing store holds what it shows.
void Picture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    paintingAtScale(ratio * form_.zoom().factor);
    prepare(ratio * form_.zoom().factor);
    const auto place = [ratio](const QImage& image, int top) {
        return QRectF(QPointF(0, top / ratio), QSizeF(image.size()) / ratio);
    };
    if (packed_.isNull())
        painter.drawImage(place(image_, 0), image_);
    else
        packed_.forEachBand([&painter, &place](const QImage& band, int top) {
            painter.drawImage(place(band, top), band);
        });
}

} // namespace toolkit
