// accessibility.cpp: QAccessible interfaces for forms and their items. Only items that carry an
// accessible name are exposed; lines, the frame and the selection rings are decoration.
#include "toolkit/accessibility.h"

#include "toolkit/click_area.h"
#include "toolkit/form.h"
#include "toolkit/item.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>

namespace toolkit {

namespace {

std::vector<Item*> exposedItems(const Form& form) {
    std::vector<Item*> exposed;
    for (Item* item : form.items())
        if (!item->accessibleName().isEmpty())
            exposed.push_back(item);
    return exposed;
}

class ItemAccessible final : public QAccessibleObject, public QAccessibleActionInterface {
public:
    explicit ItemAccessible(Item* item) : QAccessibleObject(item) {}

    Item* item() const { return static_cast<Item*>(object()); }

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(item()->parent());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            return item()->accessibleName();
        case QAccessible::Description:
            return item()->toolTip();
        default:
            return {};
        }
    }

    QAccessible::Role role() const override { return item()->accessibleRole(); }

    QAccessible::State state() const override {
        QAccessible::State state;
        const bool pressable = qobject_cast<ClickArea*>(item()) != nullptr;
        // A hidden click area still stands for a hole the player sees: it is unavailable,
        // not invisible.
        if (pressable)
            state.disabled = !item()->isVisible();
        else
            state.invisible = !item()->isVisible();
        state.selectable = item()->isSelectable();
        state.checkable = item()->isSelectable();
        state.selected = item()->isSelected();
        state.checked = item()->isSelected();
        return state;
    }

    QRect rect() const override {
        const auto* form = static_cast<const QWidget*>(item()->parent());
        const QRect local = item()->pixelRect().toAlignedRect();
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

class FormAccessible final : public QAccessibleWidget {
public:
    explicit FormAccessible(Form* form) : QAccessibleWidget(form, QAccessible::Window) {}

    Form* form() const { return static_cast<Form*>(widget()); }

    int childCount() const override {
        return QAccessibleWidget::childCount() + static_cast<int>(exposedItems(*form()).size());
    }

    QAccessibleInterface* child(int index) const override {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        const auto items = exposedItems(*form());
        const auto at = static_cast<std::size_t>(index - widgets);
        return at < items.size() ? QAccessible::queryAccessibleInterface(items[at]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (auto* item = qobject_cast<Item*>(child ? child->object() : nullptr)) {
            const auto items = exposedItems(*form());
            const auto it = std::find(items.begin(), items.end(), item);
            return it == items.end()
                       ? -1
                       : QAccessibleWidget::childCount() + static_cast<int>(it - items.begin());
        }
        return QAccessibleWidget::indexOfChild(child);
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QPointF local = form()->mapFromGlobal(QPoint(x, y));
        const auto items = exposedItems(*form());
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            if ((*it)->pixelRect().contains(local))
                return QAccessible::queryAccessibleInterface(*it);
        return QAccessibleWidget::childAt(x, y);
    }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* form = qobject_cast<Form*>(object))
        return new FormAccessible(form);
    if (auto* item = qobject_cast<Item*>(object))
        return new ItemAccessible(item);
    return nullptr;
}

bool install() {
    QAccessible::installFactory(factory);
    return true;
}

} // namespace

void installAccessibility() {
    static const bool installed = install();
    Q_UNUSED(installed);
}

} // namespace toolkit
