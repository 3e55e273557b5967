// accessibility.cpp: QAccessible interfaces for forms, their item groups and their items, and
// the filter that keeps screen readers' view of them true. Only items that carry an accessible
// name are exposed; lines, the frame and the selection rings are decoration.
#include "toolkit/accessibility.h"

#include "toolkit/atspi_events.h"
#include "toolkit/click_area.h"
#include "toolkit/form.h"
#include "toolkit/item.h"
#include "toolkit/item_group.h"
#include "toolkit/versions.h"

#include <QAccessibleEvent>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <algorithm>

namespace toolkit {

namespace {

QAccessibleInterface* accessibleOf(QObject* object) {
    return object ? QAccessible::queryAccessibleInterface(object) : nullptr;
}

int indexIn(const std::vector<QObject*>& children, const QAccessibleInterface* child) {
    const QObject* object = child ? child->object() : nullptr;
    const auto it = std::find(children.begin(), children.end(), object);
    return it == children.end() ? -1 : static_cast<int>(it - children.begin());
}

QAccessibleInterface* childIn(const std::vector<QObject*>& children, int index) {
    return index >= 0 && index < static_cast<int>(children.size())
               ? accessibleOf(children[static_cast<std::size_t>(index)])
               : nullptr;
}

bool holdsFocus(const Item& item) {
    ItemGroup* group = item.group();
    return group && group->hasFocus() && focusHolder(group) == &item;
}

class ItemAccessible final : public QAccessibleObject, public QAccessibleActionInterface {
public:
    explicit ItemAccessible(Item* item) : QAccessibleObject(item) {}

    Item* item() const { return static_cast<Item*>(object()); }

    QAccessibleInterface* parent() const override {
        if (ItemGroup* group = item()->group())
            return accessibleOf(group);
        return accessibleOf(item()->parent());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            return item()->accessibleName();
        case QAccessible::Description:
            return item()->accessibleDescription();
        default:
            return {};
        }
    }

    QAccessible::Role role() const override { return item()->accessibleRole(); }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (item()->hiddenMeansUnavailable())
            state.disabled = !item()->isVisible();
        else
            state.invisible = !item()->isVisible();
        state.selectable = item()->isSelectable();
        state.checkable = item()->isSelectable();
        state.selected = item()->isSelected();
        state.checked = item()->isSelected();
        const ItemGroup* group = item()->group();
        state.focusable = group && group->focusPolicy() != Qt::NoFocus &&
                          qobject_cast<ClickArea*>(item()) != nullptr;
        state.focused = holdsFocus(*item());
        return state;
    }

    QRect rect() const override {
        const auto* form = static_cast<const QWidget*>(item()->parent());
        const QRect local = item()->spokenRect().toAlignedRect();
        return {form->mapToGlobal(local.topLeft()), local.size()};
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface && qobject_cast<ClickArea*>(item()))
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    // Pressing through the accessibility layer reaches no further than a mouse click would.
    void doAction(const QString& action) override {
        auto* area = qobject_cast<ClickArea*>(item());
        if (action == pressAction() && area && area->isVisible())
            emit area->clicked();
    }
};

// A group speaks for its exposed items; the focus it takes belongs to its current area.
class GroupAccessible final : public QAccessibleWidget {
public:
    explicit GroupAccessible(ItemGroup* group) : QAccessibleWidget(group, QAccessible::Grouping) {}

    ItemGroup* group() const { return static_cast<ItemGroup*>(widget()); }

    std::vector<QObject*> exposed() const {
        std::vector<QObject*> items;
        for (Item* item : group()->items())
            if (item->isExposed())
                items.push_back(item);
        return items;
    }

    int childCount() const override { return static_cast<int>(exposed().size()); }
    QAccessibleInterface* child(int index) const override { return childIn(exposed(), index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return indexIn(exposed(), child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPointF local = group()->parentWidget()->mapFromGlobal(QPoint(x, y));
        for (QObject* object : exposed())
            if (static_cast<Item*>(object)->spokenRect().contains(local))
                return accessibleOf(object);
        return nullptr;
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? group()->spokenName() : QAccessibleWidget::text(kind);
    }
    QRect rect() const override {
        const QRect area = group()->area();
        return {group()->parentWidget()->mapToGlobal(area.topLeft()), area.size()};
    }
    QAccessibleInterface* focusChild() const override {
        QObject* holder = group()->hasFocus() ? focusHolder(group()) : nullptr;
        return holder != group() ? accessibleOf(holder) : nullptr;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focused = false;
        return state;
    }
};

// A window's children are its shown controls, its groups among them, then the exposed items
// that belong to no group. Controls the player never sees are not there at all.
class FormAccessible final : public QAccessibleWidget {
public:
    explicit FormAccessible(Form* form) : QAccessibleWidget(form, form->accessibleRole()) {}

    Form* form() const { return static_cast<Form*>(widget()); }

    std::vector<QObject*> shownChildren() const {
        std::vector<QObject*> children;
        for (QObject* object : form()->children())
            if (auto* control = qobject_cast<QWidget*>(object);
                control && !control->isWindow() && !control->isHidden())
                children.push_back(control);
        for (Item* item : form()->items())
            if (item->isExposed() && !item->group())
                children.push_back(item);
        return children;
    }

    int childCount() const override { return static_cast<int>(shownChildren().size()); }
    QAccessibleInterface* child(int index) const override {
        return childIn(shownChildren(), index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return indexIn(shownChildren(), child);
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QPointF local = form()->mapFromGlobal(QPoint(x, y));
        const auto items = form()->items();
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            if ((*it)->isExposed() && (*it)->spokenRect().contains(local))
                return accessibleOf(*it);
        return QAccessibleWidget::childAt(x, y);
    }

    QAccessibleInterface* focusChild() const override {
        if (auto* group = qobject_cast<ItemGroup*>(form()->focusWidget()))
            return accessibleOf(group)->focusChild();
        return QAccessibleWidget::focusChild();
    }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* form = qobject_cast<Form*>(object))
        return new FormAccessible(form);
    if (auto* group = qobject_cast<ItemGroup*>(object))
        return new GroupAccessible(group);
    if (auto* item = qobject_cast<Item*>(object))
        return new ItemAccessible(item);
    return nullptr;
}

void filter(QAccessibleEvent* event);

// The filter is installed once; the handler that was there before it is kept: none, unless a
// test listens, and without one Qt hands events to the platform's bridge.
QAccessible::UpdateHandler previousHandler() {
    static const QAccessible::UpdateHandler previous = [] {
        installAccessibleFactory();
        return QAccessible::installUpdateHandler(filter);
    }();
    return previous;
}

// The game's own copy of a name or description change goes out even while a test listens,
// so that the test can read it on the bus.
void forward(QAccessibleEvent* event) {
    const bool copied = sendPropertyChange(*event);
    if (const QAccessible::UpdateHandler previous = previousHandler()) {
        previous(event);
        return;
    }
    if (copied)
        return;
    // Qt reaches the bridge only when no handler is installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(filter);
}

// A control that has never been on screen tells nothing: one hidden for good (a value holder
// the player never sees) is not in the tree at all, and a window still being built, with its
// controls and items, is told of when it shows. Qt says that a control went only once it is
// hidden, so a hide always goes on; after it, the control is out of the tree and silent again.
// The focus a group takes is its current area's.
void filter(QAccessibleEvent* event) {
    QObject* source = event->object();
    const bool hide = event->type() == QAccessible::ObjectHide;
    if (auto* control = qobject_cast<QWidget*>(source); control && !control->isVisible() && !hide)
        return;
    if (auto* item = qobject_cast<Item*>(source);
        item && !static_cast<const QWidget*>(item->parent())->isVisible())
        return;
    if (event->type() == QAccessible::Focus) {
        auto* control = qobject_cast<QWidget*>(source);
        if (auto* form = qobject_cast<Form*>(control ? control->window() : nullptr);
            form && form->focusUntold())
            return;
        if (QObject* holder = control ? focusHolder(control) : source; holder != source) {
            QAccessibleEvent focus(holder, QAccessible::Focus);
            forward(&focus);
            return;
        }
    }
    forward(event);
}

} // namespace

void installAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void installAccessibility() { previousHandler(); }

QString announcementText([[maybe_unused]] const QAccessibleEvent& event) {
#if TOOLKIT_ANNOUNCEMENTS
    if (event.type() == QAccessible::Announcement)
        return static_cast<const QAccessibleAnnouncementEvent&>(event).message();
#endif
    return {};
}

} // namespace toolkit
