// flow.h: what the window-flow tests add to the play helpers: which windows are open, and
// what the end window shows.
#pragma once

#include "support/play.h"
#include "toolkit/shape.h"
#include "windows/frmcifrotto.h"
#include "windows/frmfine.h"
#include "windows/frminizio.h"
#include "windows/frmistruzioni.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTest>

// The flow tests reach the shared play helpers as flow:: too.
namespace flow {

using namespace play;

// The names of the loaded windows, sorted, so that two of a kind show up twice.
inline QStringList loadedKinds(const toolkit::WindowRegistry& registry) {
    QStringList kinds;
    for (const toolkit::Form* window : registry.loadedWindows())
        kinds << window->objectName();
    kinds.sort();
    return kinds;
}

// The program's windows that still exist anywhere, loaded or not.
inline int existingWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<toolkit::Form*>(widget))
            ++count;
    return count;
}

// Opens the named window the way a player reaches it, starting from the start window.
inline toolkit::Form* reach(toolkit::WindowRegistry& registry, const QString& kind) {
    auto* start = registry.show<windows::frminizio>();
    if (kind == QLatin1String("frminizio"))
        return start;
    if (kind == QLatin1String("frmistruzioni")) {
        support::click(start, QStringLiteral("cmdistruzioni"));
        support::settle();
        return registry.find<windows::frmistruzioni>();
    }
    support::click(start, QStringLiteral("cmdcomincia"));
    support::settle();
    auto* game = registry.find<windows::frmcifrotto>();
    if (kind == QLatin1String("frmcifrotto"))
        return game;
    win(game);
    support::settle();
    return registry.find<windows::frmfine>();
}

// Data rows "kind" and "raise" (pixels above the centre) for every window's place on the
// screen: centred, the game window 170 twips higher.
inline void addWindowPlaces() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("raise");
    QTest::newRow("start") << "frminizio" << 0.0;
    QTest::newRow("instructions") << "frmistruzioni" << 0.0;
    QTest::newRow("end") << "frmfine" << 0.0;
    QTest::newRow("game, 170 twips higher") << "frmcifrotto" << 170.0 / 15.0;
}

inline QString message(const windows::frmfine* fine) {
    return support::control<QLabel>(fine, QStringLiteral("lblmessaggio"))->text();
}

// The question's top in pixels: 840 twips is 56, 480 twips is 32.
inline int questionTop(const windows::frmfine* fine) {
    return support::control<QLabel>(fine, QStringLiteral("lbldomanda"))->geometry().top();
}

// Whether any pixel of the message label shows the message's blue ink.
inline bool messageInkShows(windows::frmfine* fine) {
    const QRect area =
        support::pixelRectOf(support::controlOf(fine, QStringLiteral("lblmessaggio")));
    const QImage image = support::grab(fine);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 200 && c.red() < 100 && c.green() < 100)
                return true;
        }
    return false;
}

inline QPointF screenCentre() {
    return QRectF(QGuiApplication::primaryScreen()->geometry()).center();
}

inline QPointF frameCentre(const QWidget* window) {
    return QRectF(window->frameGeometry()).center();
}

} // namespace flow
