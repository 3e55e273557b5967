// form.cpp: painting, clicking, Esc and closing for every window.
#include "toolkit/form.h"

#include "toolkit/accessibility.h"
#include "toolkit/click_area.h"
#include "toolkit/item.h"
#include "toolkit/item_group.h"
#include "toolkit/registry.h"
#include "toolkit/system_colours.h"
#include "toolkit/twips.h"
#include "toolkit/x11_frame.h"

#include <QAbstractButton>
#include <QAccessibleEvent>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <ranges>

namespace toolkit {

Form::Form(WindowRegistry& registry, const FormSpec& layout)
    : registry_(registry), background_(layout.background) {
    // Before anything here tells screen readers of a change (the title does).
    installAccessibility();
    setObjectName(QString::fromLatin1(layout.name));
    setWindowTitle(QString::fromLatin1(layout.caption));
    setFixedSize(toWholePixels(layout.clientWidth), toWholePixels(layout.clientHeight));
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

void Form::withFocusUntold(const std::function<void()>& change) {
    focusUntold_ = versions::kReaderLate;
    change();
    focusUntold_ = false;
}

void Form::centreOnScreen(int raiseTwips) {
    // A Wayland client cannot place its windows: the compositor does, as it sees fit.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
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
    const QSize outer = size().grownBy(known + asked);
    const float left = static_cast<float>(toTwips(area.width()) - toTwips(outer.width())) / 2.0f;
    const float top = static_cast<float>(toTwips(area.height()) - toTwips(outer.height())) / 2.0f -
                      static_cast<float>(raiseTwips);
    // move() places the frame Qt knows of; with none known it places the client area, so a
    // frame learnt from the window manager moves it in by the frame's left and top.
    move(area.left() + toWholePixels(left) + asked.left(),
         area.top() + toWholePixels(top) + asked.top());
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

void Form::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Queued, so that the news follows the screen reader's own word on the window.
    if (versions::kFrameDescriptionUnread && event->type() == QEvent::ActivationChange &&
        isActiveWindow() && accessibleRole_ == QAccessible::Window &&
        !accessibleDescription().isEmpty())
        QTimer::singleShot(0, this, [this] {
            if (isActiveWindow())
                announce(accessibleDescription(), this);
        });
}

void Form::paintEvent(QPaintEvent* event) {
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
    QWidget::keyPressEvent(event);
}

void Form::closeEvent(QCloseEvent* event) {
    event->accept();
    registry_.unload(*this);
}

} // namespace toolkit
