// picture.h: a box that shows a vector picture at its natural size (enlarged by its window's
// zoom) from its top-left corner, clipped to the box.
#pragma once

#include "toolkit/pixels.h"

#include <QImage>
#include <QWidget>

namespace toolkit {

class Form;

class Picture final : public QWidget {
    Q_OBJECT
public:
    Picture(Form& form, const QString& resource);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void prepare(qreal scale);

    const Form& form_;
    QString resource_;
    qreal scale_ = 0;                // the scale the two below are for, in device pixels
    PackedPixels packed_{QString()}; // drawn at build time, at scales 1 and 2
    QImage image_;                   // drawn from the SVG at the first paint, at other scales
};

} // namespace toolkit
