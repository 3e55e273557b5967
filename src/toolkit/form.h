// form.h: a top-level window laid out in twips, that paints and hit-tests its lightweight items
// and hosts its native controls (buttons, labels). It opens at its layout's size, or at the
// zoom the player last chose, and grows with its frame and by keys: the whole layout is
// enlarged alike, centred in the client area.
#pragma once

#include "colour/colour_value.h"
#include "toolkit/click_area.h"
#include "toolkit/layout.h"
#include "toolkit/twips.h"
#include "toolkit/versions.h"

#include <QAbstractButton>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <vector>

namespace toolkit {

class Item;
class WindowRegistry;

struct FormSpec {
    const char* name;
    const char* caption;
    int clientWidth; // twips
    int clientHeight;
    colour::ColourValue background;
};

class Form : public QWidget {
    Q_OBJECT
public:
    Form(WindowRegistry& registry, const FormSpec& layout);
    ~Form() override;

    // Runs once, inside the call that first shows the window, before it takes any input.
    virtual void Form_Load() = 0;

    WindowRegistry& registry() const { return registry_; }

    // Places the window's outer frame at the centre of the screen, raised by raiseTwips (as
    // enlarged as the layout), after fitting the window to the screen's available area. The
    // halves are computed in single precision and rounded only to reach pixels. On Wayland it
    // does nothing: the compositor places every window.
    void centreOnScreen(int raiseTwips = 0);

    // The frame the window manager draws round the window, as far as the window knows it.
    QMargins frame() const {
        return windowHandle() && !windowHandle()->frameMargins().isNull()
                   ? windowHandle()->frameMargins()
                   : frame_;
    }

    // Where the layout's twips are in the window's pixels now.
    const Zoom& zoom() const { return zoom_; }
    // The client size at zoom 1, the smallest the window may be.
    QSize openingSize() const { return openingSize_; }
    // Makes the window as large as the layout at `factor` (at least 1), within the screen's
    // available area; the player's keys come here, and a later window opens at that zoom.
    void zoomTo(double factor);

    // A native control at its place in the layout: the form keeps it there, its frame's line as
    // thick as the zoom and its caption's font enlarged and fitted to it, whatever the zoom.
    void place(QWidget& control, TwipRect rect, FontSpec font, bool wrapped);
    // Moves a placed control within the layout.
    void setPlace(QWidget& control, TwipRect rect);
    TwipRect placeOf(const QWidget& control) const;
    // Fits a placed control's caption again, after its text has changed.
    void fitCaption(QWidget& control);

    // The button that Esc presses, as long as it is enabled.
    void setCancelButton(QAbstractButton* button) { cancel_ = button; }

    // Whether a click on one of the window's buttons may still run its handler: the button
    // is enabled and on screen, and the window is loaded.
    bool takesClick(const QAbstractButton& button) const;

    const std::vector<Item*>& items() const { return items_; }

    // What only a screen reader reads (names, descriptions) need not be written while none
    // listens: the registry calls describeForScreenReaders() on every loaded window when one
    // starts, and a window calls describeIfListened() whenever what it shows changes.
    virtual void describeForScreenReaders() {}
    void describeIfListened();

    // News for a screen reader, such as the colour just chosen, told of holder, by default of
    // whatever holds the keyboard focus in this window (in a group, its current click area):
    // an announcement (versions::kAnnouncements), or else holder's description, which screen
    // readers read out as it changes and again on request, and the control that held the news
    // before falls silent.
    void announce(const QString& news, QObject* holder = nullptr);
    // Runs giveFocus, which brings the focus to holder, and tells news of holder. A description
    // is left before the focus comes, so that screen readers read it with the control; an
    // announcement follows the focus, which a late reader (versions::kReaderLate) would
    // otherwise read before or after it as timing has it.
    void focusWithNews(QObject& holder, const QString& news,
                       const std::function<void()>& giveFocus);
#if !TOOLKIT_ANNOUNCEMENTS
    // The focus has moved to holder: news held elsewhere falls silent, so that coming back to a
    // control never repeats old news. The form calls it whenever its focus moves.
    void focusMovedTo(const QObject& holder);
#endif

    // Runs change without telling a late screen reader (versions::kReaderLate) where the focus
    // moves in this window meanwhile, for a change that hands the player over to another window.
    void withFocusUntold(const std::function<void()>& change);
    bool focusUntold() const { return focusUntold_; }

    // What a plain window says of itself to screen readers as it opens and each time it comes
    // back: its description, or news as it becomes active (versions::kFrameDescriptionUnread).
    void setArrivalText(const QString& text);

    // What a screen reader calls the window: a window, or a dialog that asks one question.
    QAccessible::Role accessibleRole() const { return accessibleRole_; }
    void setAccessibleRole(QAccessible::Role role) { accessibleRole_ = role; }

    // The topmost shown click area under a point in pixels, if any.
    ClickArea* clickAreaAt(QPointF position) const;

    void adopt(Item& item) { items_.push_back(&item); }

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Placed {
        QWidget* control;
        TwipRect rect;
        FontSpec font;
        bool wrapped;
    };

    // Where a placed control's entry stands; asked of a control never placed, it stops the
    // program, naming both.
    std::size_t placed(const QWidget& control) const;
    void fit(const Placed& control) const;
    // The zoom for the client area's present size; everything placed follows it.
    void rezoom();
    // The client size at `factor`, made smaller where the screen's available area cannot hold
    // it with the frame round it.
    QSize sizeAt(double factor, QMargins frame) const;
    // Free to grow, the window has no maximum size; it is fixed until its first frame is drawn.
    bool freeToGrow() const;
    // Takes the opening size as the window's minimum, and no maximum.
    void letGrowFromOpeningSize();

    WindowRegistry& registry_;
    colour::ColourValue background_;
    QSize openingSize_;
    Zoom zoom_;
    std::vector<Placed> placed_;
    QMargins frame_;           // asked of the window manager before the window was mapped
    std::vector<Item*> items_; // bottom of the stacking order first
    QPointer<ClickArea> pressed_;
    QPointer<QAbstractButton> cancel_;
#if !TOOLKIT_ANNOUNCEMENTS
    QPointer<QObject> newsHolder_;
#endif
    QAccessible::Role accessibleRole_ = QAccessible::Window;
    QString arrivalNews_;
    bool focusUntold_ = false;
};

// Connects a button's clicks to its window's handler. Qt clicks a button about 100 ms after
// its Alt+letter (and after an assistive tool's press), without asking whether the button
// can still be pressed: by then a faster key or click may have disabled or hidden it, or
// unloaded its window, even within the same pass of the event loop. Such a late click does
// nothing.
template <class W> void onClick(QAbstractButton* button, W* window, void (W::*handler)()) {
    QObject::connect(button, &QAbstractButton::clicked, window, [button, window, handler] {
        if (window->takesClick(*button))
            (window->*handler)();
    });
}

} // namespace toolkit
