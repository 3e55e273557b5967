// item.cpp: a lightweight control's place in its window.
#include "toolkit/item.h"

#include "toolkit/form.h"

namespace toolkit {

// The item joins its form's stacking order on top of the items created before it.
Item::Item(Form& form, const QString& name, TwipRect rect, bool visible, QAccessible::Role role)
    : QObject(&form), form_(form), rect_(rect), visible_(visible), role_(role) {
    setObjectName(name);
    form.adopt(*this);
}

void Item::setVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    repaint();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, visible ? QAccessible::ObjectShow : QAccessible::ObjectHide);
        QAccessible::updateAccessibility(&event);
    }
}

void Item::setAccessibleName(const QString& name) {
    if (accessibleName_ == name)
        return;
    accessibleName_ = name;
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void Item::setSelected(bool selected) {
    if (selected_ == selected)
        return;
    selected_ = selected;
    if (QAccessible::isActive()) {
        QAccessibleStateChangeEvent event(this, [] {
            QAccessible::State changed;
            changed.checked = true;
            changed.selected = true;
            return changed;
        }());
        QAccessible::updateAccessibility(&event);
    }
}

void Item::repaint() const {
    if (draws())
        form_.update(repaintRect());
}

} // namespace toolkit
