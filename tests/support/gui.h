// gui.h: acting on the windows as a person would: clicks and keys through the QWindow at a
// control's place, and colours read from a grab of what the window shows.
#pragma once

#include "toolkit/form.h"
#include "toolkit/item.h"
#include "toolkit/registry.h"
#include "toolkit/system_colours.h"

#include <QImage>
#include <QTest>
#include <QWidget>

#include <optional>

namespace support {

// Lets the registry destroy what was unloaded and notice that nothing is left.
void settle();

// A control's rectangle in its window's pixels, whether it is an item or a widget.
QRect pixelRectOf(const QObject* control);
QPoint centreOf(const QObject* control);

// The named control of a window; fails the test when it does not exist.
QObject* controlOf(const QWidget* window, const QString& name);
template <class T> T* control(const QWidget* window, const QString& name) {
    auto* typed = qobject_cast<T*>(controlOf(window, name));
    if (!typed)
        qFatal("%s is not of the expected kind", qPrintable(name));
    return typed;
}

// Presses and releases the left button at a point of the window, through its QWindow.
void clickAt(QWidget* window, QPoint position);
// Clicks the centre of a named control.
void click(QWidget* window, const QString& name);
void key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// What the window shows, one device-independent pixel per pixel.
QImage grab(QWidget* window);
QColor colourAt(QWidget* window, QPoint position);

// Enlarges a window as its frame would (an edge dragged, maximise), its width and height by
// `stretch`, once the window is free to grow; its new client size, or none if it never took it.
QSize enlarge(QWidget* window, QSizeF stretch);
// The zoom the player chose on an earlier window of the run, now gone: every window opened
// later opens at it.
void chooseZoom(toolkit::WindowRegistry& registry, double factor);
// The zoom at which a window shows its layout at its present size, once it is what a layout
// fitted to the client area must be: whole inside it, the largest that fits (filling its width
// or its height to the pixel) and centred to the pixel (each margin within a pixel of half the
// room the layout leaves that way); none, with a warning saying which, when it is not. One factor
// for both ways keeps the layout's shape.
std::optional<toolkit::Zoom> fittedZoom(const toolkit::Form* window);
// Where a layout rectangle in twips stands at a zoom.
QRectF zoomed(QRect twips, const toolkit::Zoom& zoom);

// A 0x00BBGGRR value as the colour the screen shows.
QColor rgb(unsigned value);

// What an empty hole and an unlit square may show: a light grey that stands out, by 1.5:1 at
// least, from a white, a red and a black peg and from the cover's grey.
bool looksEmpty(const QColor& seen);
// What lines, outlines and text may be drawn in: 4.5:1 at least on both windows' backgrounds.
bool readsAsText(const QColor& seen);

} // namespace support
