// gui.cpp: the helpers behind every window test.
#include "support/gui.h"

#include "toolkit/view_preferences.h"

#include <QCoreApplication>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace support {

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QRect pixelRectOf(const QObject* control) {
    if (const auto* item = qobject_cast<const toolkit::Item*>(control))
        return item->pixelRect().toRect();
    return qobject_cast<const QWidget*>(control)->geometry();
}

QPoint centreOf(const QObject* control) { return pixelRectOf(control).center(); }

QObject* controlOf(const QWidget* window, const QString& name) {
    QObject* found = window->findChild<QObject*>(name);
    if (!found)
        qFatal("%s has no control named %s", qPrintable(window->objectName()), qPrintable(name));
    return found;
}

void clickAt(QWidget* window, QPoint position) {
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, position);
}

void click(QWidget* window, const QString& name) {
    clickAt(window, centreOf(controlOf(window, name)));
}

void key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

QImage grab(QWidget* window) {
    QImage image = window->grab().toImage();
    image.setDevicePixelRatio(1);
    return image;
}

QColor colourAt(QWidget* window, QPoint position) {
    const QImage image = grab(window);
    const double ratio = window->devicePixelRatioF();
    return image.pixelColor(QPoint(qRound(position.x() * ratio), qRound(position.y() * ratio)));
}

QSize enlarge(QWidget* window, QSizeF stretch) {
    const QSize client(qRound(window->width() * stretch.width()),
                       qRound(window->height() * stretch.height()));
    if (!QTest::qWaitFor([window, client] {
            return window->maximumSize().expandedTo(client) == window->maximumSize();
        }))
        return {};
    window->windowHandle()->resize(client);
    return QTest::qWaitFor([window, client] { return window->size() == client; }) ? client
                                                                                  : QSize();
}

void chooseZoom(toolkit::WindowRegistry& registry, double factor) {
    // 100 pixels square and never shown: every zoom the tests choose fits the screen whole.
    struct Earlier final : toolkit::Form {
        explicit Earlier(toolkit::WindowRegistry& registry)
            : Form(registry, {"earlier", "", 1500, 1500, {}}) {}
        void Form_Load() override {}
    } earlier(registry);
    earlier.zoomTo(factor);
    toolkit::ViewPreferences::of(registry).keepZoomOf(earlier);
}

std::optional<toolkit::Zoom> fittedZoom(const toolkit::Form* window) {
    const toolkit::Zoom zoom = window->zoom();
    const QSizeF layout = QSizeF(window->openingSize()) * zoom.factor;
    const QSize client = window->size();
    // The margins before and after the layout, each way.
    const double margins[2][2] = {
        {double(zoom.origin.x()), client.width() - zoom.origin.x() - layout.width()},
        {double(zoom.origin.y()), client.height() - zoom.origin.y() - layout.height()}};
    const auto fault = [&]() -> const char* {
        constexpr double kRounding = 1e-6;
        for (const auto& [before, after] : margins)
            if (before < -kRounding || after < -kRounding)
                return "the layout does not fit";
        if (std::min(margins[0][0] + margins[0][1], margins[1][0] + margins[1][1]) >= 1)
            return "a larger layout would fit";
        for (const auto& [before, after] : margins)
            if (std::abs(before - after) >= 2)
                return "the layout is not centred";
        return nullptr;
    }();
    if (!fault)
        return zoom;
    qWarning() << fault << "at zoom" << zoom.factor << "origin" << zoom.origin << "of"
               << window->openingSize() << "in" << client;
    return std::nullopt;
}

QRectF zoomed(QRect twips, const toolkit::Zoom& zoom) {
    return {QPointF(zoom.origin) + QPointF(twips.topLeft()) * zoom.factor / 15,
            QSizeF(twips.size()) * zoom.factor / 15};
}

QColor rgb(unsigned value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

bool looksEmpty(const QColor& seen) {
    const bool grey = seen.red() == seen.green() && seen.green() == seen.blue();
    const bool light =
        toolkit::contrastRatio(seen, Qt::black) > toolkit::contrastRatio(seen, Qt::white);
    return grey && light &&
           std::ranges::all_of(
               std::initializer_list<unsigned>{0xFFFFFF, 0x0000FF, 0x000000, 0x808080},
               [&seen](unsigned peg) { return toolkit::contrastRatio(seen, rgb(peg)) >= 1.5; });
}

bool readsAsText(const QColor& seen) {
    return toolkit::contrastRatio(seen, rgb(0x80C0FF)) >= 4.5 &&
           toolkit::contrastRatio(seen, rgb(0x80FFFF)) >= 4.5;
}

} // namespace support
