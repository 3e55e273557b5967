// item.h: a lightweight control that its window paints and hit-tests itself, so that a
// board of 200 controls costs 200 small objects rather than 200 native widgets.
#pragma once

#include "toolkit/twips.h"

#include <QAccessible>
#include <QObject>

class QPainter;

namespace toolkit {

class Form;
class ItemGroup;

class Item : public QObject {
    Q_OBJECT
public:
    TwipRect rect() const { return rect_; }
    // Where the item lies in its window's pixels, at the window's zoom.
    QRectF pixelRect() const;
    // Where a screen reader is told the item lies, in the same pixels: its own box, or the
    // larger one of what it speaks for (a row's answer speaks for its block of four squares).
    QRectF spokenRect() const;
    void setSpokenRect(TwipRect rect) { spokenRect_ = rect; }
    bool isVisible() const { return visible_; }
    void setVisible(bool visible);

    virtual void paint(QPainter& painter) const = 0;
    // Whether the item puts anything on the screen; a click area does not.
    virtual bool draws() const { return true; }
    // The pixels a change of the item repaints: its box and the antialiased fringe around it.
    QRect repaintRect() const { return pixelRect().toAlignedRect().adjusted(-1, -1, 1, 1); }
    // How much the item's window enlarges its layout.
    const Zoom& zoom() const;

    // Hidden, a click area still stands for something the player sees: it is then
    // unavailable rather than gone.
    virtual bool hiddenMeansUnavailable() const { return false; }

    // What a screen reader and a tooltip say of the item. An item without an accessible
    // name is decoration: it is not exposed and tells screen readers nothing.
    QString accessibleName() const { return accessibleName_; }
    void setAccessibleName(const QString& name);
    bool isExposed() const { return !accessibleName_.isEmpty(); }
    QString toolTip() const { return toolTip_; }
    void setToolTip(const QString& tip) { toolTip_ = tip; }
    // What a screen reader says after the name; the tooltip when there is none.
    QString accessibleDescription() const {
        return description_.isEmpty() ? toolTip_ : description_;
    }
    void setAccessibleDescription(const QString& description);
    QAccessible::Role accessibleRole() const { return role_; }
    void setAccessibleRole(QAccessible::Role role) { role_ = role; }
    // A choice among several, such as a palette colour.
    bool isSelectable() const { return selectable_; }
    void setSelectable(bool selectable) { selectable_ = selectable; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

    // The group that holds the item for the keyboard and for screen readers, if any.
    ItemGroup* group() const { return group_; }
    void setGroup(ItemGroup* group) { group_ = group; }

protected:
    Item(Form& form, const QString& name, TwipRect rect, bool visible, QAccessible::Role role);
    void repaint() const;

private:
    Form& form_;
    TwipRect rect_;
    TwipRect spokenRect_;
    bool visible_;
    QString accessibleName_;
    QString toolTip_;
    QString description_;
    QAccessible::Role role_;
    bool selectable_ = false;
    bool selected_ = false;
    ItemGroup* group_ = nullptr;
};

} // namespace toolkit
