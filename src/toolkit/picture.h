// picture.h: a box that shows a vector picture at its natural size from its top-left corner,
// clipped to the box.
#pragma once

#include <QByteArray>
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
    const QImage& image();

    QString resource_;
    QByteArray pixels_; // what `image_` shows, when it was drawn at build time
    QImage image_;      // for `imageScale_`, made at the first paint at that scale
    qreal imageScale_ = 0;
};

} // namespace toolkit
