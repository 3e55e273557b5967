// item.cpp: a lightweight control's place in its window.
#include "toolkit/item.h"

#include "toolkit/form.h"

namespace toolkit {

// The item joins its form's stacking order on top of the items created before it.
Item::Item(Form& form, const QString& name, TwipRect rect, bool visible, QAccessible::Role role)
    : QObject(&form), form_(form), rect_(rect), spokenRect_(rect), visible_(visible), role_(role) {
    setObjectName(name);
    form.adopt(*this);
}

const Zoom& Item::zoom() const { return form_.zoom(); }

QRectF Item::pixelRect() const { return zoom().toPixels(rect_); }

QRectF Item::spokenRect() const { return zoom().toPixels(spokenRect_); }

namespace {
// Screen readers keep what they were told: every change to what they read must be said,
// one state at a time, as the AT-SPI bridge forwards only the first state of an event.
void tell(QAccessibleEvent&& event) {
    if (QAccessible::isActive())
        QAccessible::updateAccessibility(&event);
}
QAccessible::State disabledChange() {
    QAccessible::State changed;
    changed.disabled = true;
    return changed;
}
QAccessible::State checkedChange() {
    QAccessible::State changed;
    changed.checked = true;
    return changed;
}
} // namespace

void Item::setVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    repaint();
    if (!isExposed())
        return;
    if (hiddenMeansUnavailable())
        tell(QAccessibleStateChangeEvent(this, disabledChange()));
    else
        tell(QAccessibleEvent(this, visible ? QAccessible::ObjectShow : QAccessible::ObjectHide));
}

void Item::setAccessibleName(const QString& name) {
    if (accessibleName_ == name)
        return;
    accessibleName_ = name;
    tell(QAccessibleEvent(this, QAccessible::NameChanged));
}

void Item::setAccessibleDescription(const QString& description) {
    if (description_ == description)
        return;
    description_ = description;
    if (isExposed())
        tell(QAccessibleEvent(this, QAccessible::DescriptionChanged));
}

void Item::setSelected(bool selected) {
    if (selected_ == selected)
        return;
    selected_ = selected;
    if (!isExposed())
        return;
    tell(QAccessibleStateChangeEvent(this, checkedChange()));
    tell(QAccessibleEvent(this,
                          selected ? QAccessible::SelectionAdd : QAccessible::SelectionRemove));
}

void Item::repaint() const {
    if (draws())
        form_.update(repaintRect());
}

} // namespace toolkit
