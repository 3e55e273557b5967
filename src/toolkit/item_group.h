// item_group.h: a run of lightweight items that the keyboard reaches as one tab stop and that
// screen readers hear as one named group, such as a palette or a row of holes. Inside the
// group the window's own keys move among its click areas; the group draws nothing itself:
// its window draws the focus ring round the click area it stands on.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

class QKeyEvent;

namespace toolkit {

class ClickArea;
class Form;
class Item;
struct Zoom;

class ItemGroup final : public QWidget {
    Q_OBJECT
public:
    // Handles a key pressed while the group has the focus; false lets the window have it.
    using KeyHandler = std::function<bool(const QKeyEvent&)>;

    ItemGroup(Form& form, const QString& name, const QString& accessibleName);

    // Items join in reading order; the click areas among them are where the focus can stand.
    void add(Item& item);
    const std::vector<Item*>& items() const { return items_; }
    const std::vector<ClickArea*>& areas() const { return areas_; }
    // Where the items lie, in the window's pixels.
    QRect area() const;
    // What screen readers call the group, kept apart from QWidget's accessible name, whose
    // every change is an event.
    const QString& spokenName() const { return spokenName_; }

    // The click area the focus stands on, or would on arriving.
    int current() const { return current_; }
    ClickArea& currentArea() const { return *areas_.at(static_cast<std::size_t>(current_)); }
    void setCurrent(int index);

    // Whether Tab stops here; a group that is no tab stop can still be given the focus.
    void setTabStop(bool stop);

    void onKey(KeyHandler handler) { onKey_ = std::move(handler); }

    // The focus ring round the current click area, in the window's pixels; the window draws
    // it while the group has the focus.
    QRect ringRect() const { return ringAround(current_); }
    void paintRing(QPainter& painter, const QColor& ink) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRect ringAround(int index) const;
    const Zoom& zoom() const;
    void updateRing(int index);

    std::vector<Item*> items_;
    std::vector<ClickArea*> areas_;
    QString spokenName_;
    int current_ = 0;
    KeyHandler onKey_;
};

// What holds the focus while focus has it: a group's current click area, any other widget
// itself.
QObject* focusHolder(QWidget* focus);

} // namespace toolkit
