// item.h: a lightweight control that its window paints and hit-tests itself, so that a
// board of 200 controls costs 200 small objects rather than 200 native widgets.
#pragma once

#include "toolkit/twips.h"

#include <QObject>
#include <QPalette>

class QPainter;

namespace toolkit {

class Form;

class Item : public QObject {
    Q_OBJECT
public:
    // The item joins its form's stacking order on top of the items created before it.
    Item(Form& form, const QString& name, TwipRect rect, bool visible);

    TwipRect rect() const { return rect_; }
    QRectF pixelRect() const { return toPixels(rect_); }
    bool isVisible() const { return visible_; }
    void setVisible(bool visible);

    virtual void paint(QPainter& painter, const QPalette& palette) const = 0;

protected:
    void repaint() const;

private:
    Form& form_;
    TwipRect rect_;
    bool visible_;
};

} // namespace toolkit
