// picture.h: a box that shows a vector picture at its natural size from its top-left corner,
// clipped to the box.
#pragma once

#include "toolkit/pixels.h"

#include <QImage>
#include <QWidget>

namespace toolkit {

class Picture final : public QWidget {
    Q_OBJECT
public:
    Picture(QWidget* parent, const QString& resource);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void prepare(qreal scale);

    QString resource_;
    qreal scale_ = 0;                // the scale the two below are for
    PackedPixels packed_{QString()}; // drawn at build time, at scales 1 and 2
    QImage image_;                   // drawn from the SVG at the first paint, at other scales
};

} // namespace toolkit
