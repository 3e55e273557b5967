// form.cpp: painting, clicking, Esc and closing for every window.
#include "toolkit/form.h"

#include "toolkit/accessibility.h"
#include "toolkit/click_area.h"
#include "toolkit/fonts.h"
#include "toolkit/item.h"
#include "toolkit/item_group.h"
#include "toolkit/platform.h"
#include "toolkit/registry.h"
#include "toolkit/system_colours.h"
#include "toolkit/twips.h"
#include "toolkit/view_preferences.h"
#include "toolkit/x11_frame.h"

#include <QAbstractButton>
#include <QAccessibleEvent>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <ranges>

namespace toolkit {

namespace {
// The zooms the player's keys step through: each a step that shows.
constexpr std::array kZoomSteps{1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 3.5, 4.0, 5.0, 6.0, 8.0};
// A window's zoom comes from its whole-pixel size, so it is a step only to within this.
constexpr double kZoomSlack = 0.02;

double zoomStepAbove(double factor) {
    const auto* step =
        std::ranges::find_if(kZoomSteps, [factor](double s) { return s > factor + kZoomSlack; });
    return step == kZoomSteps.end() ? kZoomSteps.back() : *step;
}

double zoomStepBelow(double factor) {
    double below = 1;
    for (double step : kZoomSteps)
        if (step < factor - kZoomSlack)
            below = step;
    return below;
}

// Where `outer` goes to lie on `room`: its title bar's corner on it above all.
QPoint keptOn(const QRect& outer, const QRect& room) {
    return {std::max(std::min(outer.left(), room.right() + 1 - outer.width()), room.left()),
            std::max(std::min(outer.top(), room.bottom() + 1 - outer.height()), room.top())};
}

// The frame the window manager draws round the windows already open, if any: a new window gets
// the same, and must fit the screen with it before its native window is made, since a window
// made at one size and then made smaller before it is mapped comes up once at the first size.
QMargins frameOfOpenWindows() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (const auto* form = qobject_cast<const Form*>(window); form && form->isVisible())
            return form->frame();
    return {};
}

// A Wayland compositor places every window as it sees fit. Elsewhere the game places its own,
// and offscreen as on X11, so that the tests check the places an X11 player sees.
bool gamePlacesWindows() { return platform() != Platform::Wayland; }
} // namespace

Form::Form(WindowRegistry& registry, const FormSpec& layout)
    : registry_(registry), background_(layout.background),
      openingSize_(unzoomedWholePixels(layout.clientWidth),
                   unzoomedWholePixels(layout.clientHeight)) {
    // Before anything here tells screen readers of a change (the title does).
    installAccessibility();
    setObjectName(QString::fromLatin1(layout.name));
    setWindowTitle(QString::fromLatin1(layout.caption));
    // Fixed until its first frame is on screen: a tiling compositor (sway) floats a window of
    // fixed size at that size, as the game's windows are drawn to be, instead of tiling it.
    setFixedSize(sizeAt(ViewPreferences::of(registry).zoom(), frameOfOpenWindows()));
    rezoom();
    // The form paints its own background and keeps the desktop palette, so that its buttons
    // share the style's cached bevels with every other window's.
    setAttribute(Qt::WA_OpaquePaintEvent);
#if !TOOLKIT_ANNOUNCEMENTS
    // News is cleared as the focus moves whether or not a screen reader listens, so that one
    // that starts later never finds old news on the control it comes to.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this)
            if (QObject* holder = focusHolder(focusWidget()))
                focusMovedTo(*holder);
    });
#endif
}

// The window's children go while it is still whole, the last made first (a group before the
// items it holds): what their going sets off, such as the focus moving on or a screen reader
// asking where an item stood, may still ask the window for its zoom. QWidget's destructor
// would delete them only once the Form had gone.
Form::~Form() {
    items_.clear();
    placed_.clear();
    while (!children().isEmpty())
        delete children().constLast();
}

void Form::describeIfListened() {
    if (registry_.screenReaderListening())
        describeForScreenReaders();
}

#if TOOLKIT_ANNOUNCEMENTS
void Form::announce(const QString& news, QObject* holder) {
    if (!holder)
        holder = focusHolder(focusWidget());
    if (holder && registry_.screenReaderListening()) {
        QAccessibleAnnouncementEvent event(holder, news);
        QAccessible::updateAccessibility(&event);
    }
}
#else
namespace {
void setDescription(QObject& holder, const QString& description) {
    if (auto* item = qobject_cast<Item*>(&holder))
        item->setAccessibleDescription(description);
    else if (auto* widget = qobject_cast<QWidget*>(&holder))
        widget->setAccessibleDescription(description);
}
} // namespace

void Form::announce(const QString& news, QObject* holder) {
    if (!holder)
        holder = focusHolder(focusWidget());
    if (newsHolder_ && newsHolder_ != holder)
        setDescription(*newsHolder_, {});
    newsHolder_ = holder;
    if (holder)
        setDescription(*holder, news);
}

void Form::focusMovedTo(const QObject& holder) {
    if (newsHolder_ && newsHolder_ != &holder) {
        setDescription(*newsHolder_, {});
        newsHolder_ = nullptr;
    }
}
#endif

void Form::focusWithNews(QObject& holder, const QString& news,
                         const std::function<void()>& giveFocus) {
#if TOOLKIT_ANNOUNCEMENTS
    giveFocus();
    announce(news, &holder);
#else
    announce(news, &holder);
    giveFocus();
#endif
}

void Form::withFocusUntold(const std::function<void()>& change) {
    focusUntold_ = versions::kReaderLate;
    change();
    focusUntold_ = false;
}

void Form::centreOnScreen(int raiseTwips) {
    if (!gamePlacesWindows())
        return;
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = display->geometry();
    // The native window must exist for its frame to be known; its margins are asked of it,
    // since a widget only learns its frame once it is visible. Before it is mapped X11
    // reports no frame at all, so the window manager is asked what it will draw.
    create();
    const QMargins known = windowHandle()->frameMargins();
    const QMargins asked =
        known.isNull() ? x11FrameBeforeMapping(*windowHandle()).value_or(QMargins()) : QMargins();
    frame_ = known + asked;
    // A zoomed window whose frame was not known as it was made is fitted to the screen now.
    const QSize chosen = sizeAt(ViewPreferences::of(registry_).zoom(), frame_);
    if (size() != openingSize_ && size() != chosen) {
        setFixedSize(chosen);
        rezoom();
    }
    const QSize outer = size().grownBy(frame_);
    const float left = static_cast<float>(toTwips(area.width()) - toTwips(outer.width())) / 2.0f;
    const float top = static_cast<float>(toTwips(area.height()) - toTwips(outer.height())) / 2.0f -
                      static_cast<float>(raiseTwips * zoom_.factor);
    QPoint corner(area.left() + unzoomedWholePixels(left), area.top() + unzoomedWholePixels(top));
    // A window the player has enlarged keeps its title bar on the screen, above all.
    if (zoom_.factor > 1)
        corner = keptOn({corner, outer}, display->availableGeometry());
    // move() places the frame Qt knows of; with none known it places the client area, so a
    // frame learnt from the window manager moves it in by the frame's left and top.
    move(corner + QPoint(asked.left(), asked.top()));
}

QSize Form::sizeAt(double factor, QMargins frame) const {
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize room = display->availableGeometry().size().shrunkBy(frame);
    const double fits = std::min(double(room.width()) / openingSize_.width(),
                                 double(room.height()) / openingSize_.height());
    factor = std::max(1.0, std::min(factor, fits));
    if (factor == 1)
        return openingSize_;
    // Rounded up, so that the zoom the size gives back is never below the one asked for.
    const auto whole = [factor](int pixels) {
        return static_cast<int>(std::ceil(pixels * factor - 1e-6));
    };
    return {whole(openingSize_.width()), whole(openingSize_.height())};
}

bool Form::freeToGrow() const { return maximumWidth() == QWIDGETSIZE_MAX; }

void Form::letGrowFromOpeningSize() {
    if (freeToGrow())
        return;
    setMinimumSize(openingSize_);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void Form::zoomTo(double factor) {
    letGrowFromOpeningSize();
    if (isMaximized() || isFullScreen())
        showNormal();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize client = sizeAt(factor, frame);
    // The window grows round its centre, and its frame stays on the screen's available area.
    if (isVisible() && gamePlacesWindows()) {
        const QRect room =
            (screen() ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
        QRect outer({}, client.grownBy(frame));
        outer.moveCenter(frameGeometry().center());
        outer.moveTopLeft(keptOn(outer, room));
        move(outer.topLeft());
    }
    resize(client);
    rezoom();
}

void Form::rezoom() {
    const Zoom zoom = Zoom::toFit(openingSize_, size());
    if (zoom.factor == zoom_.factor && zoom.origin == zoom_.origin)
        return;
    zoom_ = zoom;
    for (const Placed& control : placed_) {
        control.control->setGeometry(zoom_.toWholePixels(control.rect));
        fit(control);
    }
    update();
}

void Form::place(QWidget& control, TwipRect rect, FontSpec font, bool wrapped) {
    placed_.push_back({&control, rect, font, wrapped});
    control.setGeometry(zoom_.toWholePixels(rect));
    fit(placed_.back());
}

std::size_t Form::placed(const QWidget& control) const {
    const auto it = std::ranges::find(placed_, &control, &Placed::control);
    if (it == placed_.end())
        qFatal("%s was never placed on %s", qPrintable(control.objectName()),
               qPrintable(objectName()));
    return static_cast<std::size_t>(it - placed_.begin());
}

void Form::setPlace(QWidget& control, TwipRect rect) {
    placed_[placed(control)].rect = rect;
    control.setGeometry(zoom_.toWholePixels(rect));
}

TwipRect Form::placeOf(const QWidget& control) const { return placed_[placed(control)].rect; }

void Form::fitCaption(QWidget& control) { fit(placed_[placed(control)]); }

void Form::fit(const Placed& control) const {
    // A frame's line is as thick as the board's, and the caption fits within it.
    if (auto* frame = qobject_cast<QFrame*>(control.control);
        frame && frame->frameShape() != QFrame::NoFrame)
        frame->setLineWidth(zoom_.enlarged(1));
    control.control->setFont(
        fittedFont(*control.control, control.font, zoom_.factor, control.wrapped));
}

bool Form::takesClick(const QAbstractButton& button) const {
    return button.isEnabled() && button.isVisible() && registry_.isLoaded(*this);
}

ClickArea* Form::clickAreaAt(QPointF position) const {
    for (Item* item : std::ranges::reverse_view(items_)) {
        auto* area = qobject_cast<ClickArea*>(item);
        if (area && area->isVisible() && area->pixelRect().contains(position))
            return area;
    }
    return nullptr;
}

// Items are not widgets, so the form shows their tooltips: the tooltip of the topmost shown
// shape or line under the pointer (click areas are transparent), so a cover hides what lies
// beneath it from the tooltip too.
bool Form::event(QEvent* event) {
    // A held Alt+letter presses its button once: taken here, a repeat reaches no accelerator,
    // so it cannot press "&Sì" in the end window that "&Soluzione" has just opened.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() && key->modifiers().testFlag(Qt::AltModifier)) {
            event->accept();
            return true;
        }
    }
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    for (const Item* item : std::ranges::reverse_view(items_)) {
        if (!item->isVisible() || qobject_cast<const ClickArea*>(item) ||
            !item->pixelRect().contains(help->pos()))
            continue;
        if (item->toolTip().isEmpty())
            break;
        QToolTip::showText(help->globalPos(), item->toolTip(), this,
                           item->pixelRect().toAlignedRect());
        return true;
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

void Form::setArrivalText(const QString& text) {
    if (versions::kFrameDescriptionUnread)
        arrivalNews_ = text;
    else
        setAccessibleDescription(text);
}

void Form::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Queued, so that the news follows the screen reader's own word on the window.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !arrivalNews_.isEmpty())
        QTimer::singleShot(0, this, [this] {
            if (isActiveWindow())
                announce(arrivalNews_, this);
        });
}

void Form::paintEvent(QPaintEvent* event) {
    // Once its first frame is drawn the window is on screen, placed, and free to grow.
    if (!freeToGrow())
        QTimer::singleShot(0, this, &Form::letGrowFromOpeningSize);
    QPainter painter(this);
    const QRegion& dirty = event->region();
    for (const QRect& area : dirty)
        painter.fillRect(area, screenColour(background_));
    for (const Item* item : items_)
        if (item->isVisible() && dirty.intersects(item->repaintRect()))
            item->paint(painter);
    // The keyboard's place among the items, over them all.
    if (auto* group = qobject_cast<ItemGroup*>(focusWidget());
        group && group->hasFocus() && dirty.intersects(group->ringRect()))
        group->paintRing(painter, screenColour(colour::kWindowText));
}

void Form::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pressed_ = clickAreaAt(event->position());
    QWidget::mousePressEvent(event);
}

// A click is a press and a release on the same shown area, as with a push button.
void Form::mouseReleaseEvent(QMouseEvent* event) {
    QPointer<ClickArea> pressed = pressed_;
    pressed_ = nullptr;
    if (event->button() == Qt::LeftButton && pressed && pressed == clickAreaAt(event->position()))
        emit pressed->clicked();
    else
        QWidget::mouseReleaseEvent(event);
}

void Form::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && cancel_ &&
        cancel_->isEnabled() && cancel_->isVisible()) {
        cancel_->click();
        return;
    }
    // Ctrl with plus (or =, plus's key unshifted), minus or 0, from either keypad or row.
    const Qt::KeyboardModifiers others =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (others == Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            zoomTo(zoomStepAbove(zoom_.factor));
            return;
        case Qt::Key_Minus:
            zoomTo(zoomStepBelow(zoom_.factor));
            return;
        case Qt::Key_0:
            zoomTo(1);
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

void Form::resizeEvent(QResizeEvent* event) {
    rezoom();
    // A size the player gave the window, by its frame (an edge dragged, maximise, full screen)
    // or its keys (zoomTo), is the zoom a later window of the run opens at, kept once the
    // window has it; before the window is free to grow, a size comes from the window manager.
    if (isVisible() && freeToGrow())
        ViewPreferences::of(registry_).keepZoomOf(*this);
    QWidget::resizeEvent(event);
}

void Form::closeEvent(QCloseEvent* event) {
    event->accept();
    registry_.unload(*this);
}

} // namespace toolkit
