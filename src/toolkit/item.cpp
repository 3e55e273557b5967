// item.cpp: a lightweight control's place in its window.
#include "toolkit/item.h"

#include "toolkit/form.h"

namespace toolkit {

Item::Item(Form& form, const QString& name, TwipRect rect, bool visible)
    : QObject(&form), form_(form), rect_(rect), visible_(visible) {
    setObjectName(name);
    form.adopt(*this);
}

void Item::setVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    repaint();
}

void Item::repaint() const { form_.update(pixelRect().toAlignedRect().adjusted(-1, -1, 1, 1)); }

} // namespace toolkit
