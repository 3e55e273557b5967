// item_group.cpp: focus and keys for a group of items.
#include "toolkit/item_group.h"

#include "toolkit/click_area.h"
#include "toolkit/form.h"
#include "toolkit/line.h"
#include "toolkit/versions.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>

namespace toolkit {

namespace {
// The ring stands clear of the item's box, so that it never covers a colour, a mark or a
// selection ring's inner edge, and is thick enough to be seen at a glance.
constexpr int kRingGap = 3;
constexpr int kRingWidth = 2;
} // namespace

ItemGroup::ItemGroup(Form& form, const QString& name, const QString& accessibleName)
    : QWidget(&form), spokenName_(accessibleName) {
    setObjectName(name);
    // The mouse reaches the items through their window, as if the group were not there.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    // The widget itself has no size: a child widget over the items, even one that paints
    // nothing, would be sent a paint event at every repaint beneath it.
    resize(0, 0);
}

void ItemGroup::add(Item& item) {
    items_.push_back(&item);
    item.setGroup(this);
    if (auto* area = qobject_cast<ClickArea*>(&item))
        areas_.push_back(area);
}

QRect ItemGroup::area() const {
    QRect area;
    for (const Item* item : items_)
        area = area.united(item->repaintRect());
    return area;
}

void ItemGroup::setCurrent(int index) {
    if (index == current_ || index < 0 || index >= static_cast<int>(areas_.size()))
        return;
    updateRing(current_);
    current_ = index;
    updateRing(current_);
    if (!hasFocus())
        return;
#if !TOOLKIT_ANNOUNCEMENTS
    static_cast<Form*>(parentWidget())->focusMovedTo(currentArea());
#endif
    // A screen reader follows the focus from one click area to the next.
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

QObject* focusHolder(QWidget* focus) {
    if (auto* group = qobject_cast<ItemGroup*>(focus); group && !group->areas().empty())
        return &group->currentArea();
    return focus;
}

void ItemGroup::setTabStop(bool stop) { setFocusPolicy(stop ? Qt::TabFocus : Qt::NoFocus); }

// Gap and width grow with the window's zoom, in whole pixels.
const Zoom& ItemGroup::zoom() const { return static_cast<const Form*>(parentWidget())->zoom(); }

QRect ItemGroup::ringAround(int index) const {
    if (index < 0 || index >= static_cast<int>(areas_.size()))
        return {};
    const int reach = zoom().enlarged(kRingGap) + zoom().enlarged(kRingWidth);
    const QRect box = areas_[static_cast<std::size_t>(index)]->pixelRect().toAlignedRect();
    return box.adjusted(-reach, -reach, reach, reach);
}

void ItemGroup::paintRing(QPainter& painter, const QColor& ink) const {
    const QRect ring = ringRect();
    if (!ring.isNull())
        fillFrame(painter, ring, zoom().enlarged(kRingWidth), ink);
}

void ItemGroup::keyPressEvent(QKeyEvent* event) {
    if (onKey_ && onKey_(*event))
        return;
    event->ignore();
}

void ItemGroup::focusInEvent(QFocusEvent* event) {
    updateRing(current_);
    QWidget::focusInEvent(event);
}

void ItemGroup::focusOutEvent(QFocusEvent* event) {
    updateRing(current_);
    QWidget::focusOutEvent(event);
}

void ItemGroup::updateRing(int index) {
    const QRect ring = ringAround(index);
    if (!ring.isNull())
        parentWidget()->update(ring);
}

} // namespace toolkit
