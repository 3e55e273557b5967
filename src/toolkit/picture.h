// picture.h: a box that shows a vector picture at its natural size from its top-left corner,
// clipped to the box.
#pragma once

#include <QWidget>

class QSvgRenderer;

namespace toolkit {

class Picture final : public QWidget {
    Q_OBJECT
public:
    Picture(QWidget* parent, const QString& resource);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
    QSvgRenderer* renderer_ = nullptr; // parsed at the first paint
};

} // namespace toolkit
