// picture.cpp: drawing the picture unscaled.
#include "toolkit/picture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace toolkit {

Picture::Picture(QWidget* parent, const QString& resource) : QWidget(parent), resource_(resource) {}

void Picture::paintEvent(QPaintEvent*) {
    if (!renderer_)
        renderer_ = new QSvgRenderer(resource_, this);
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_->render(&painter, QRectF(QPointF(0, 0), renderer_->defaultSize()));
}

} // namespace toolkit
