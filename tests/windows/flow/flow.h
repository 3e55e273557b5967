// flow.h: what the window-flow tests add to the play helpers: which windows are open, and
// what the end window shows.
#pragma once

#include "support/play.h"
#include "support/windows_named.h"
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

namespace flow {

// The names of the loaded windows, sorted, so that two of a kind show up twice.
inline QStringList loadedKinds(const toolkit::WindowRegistry& registry) {
    QStringList names;
    for (const toolkit::Form* window : registry.loadedWindows())
        names << window->objectName();
    names.sort();
    return names;
}

// The program's windows that still exist anywhere, loaded or not.
inline int existingWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<toolkit::Form*>(widget))
            ++count;
    return count;
}

// Places a test starts from, besides the four windows' kinds.
inline const QString kStartAfterOk = QStringLiteral("frminizio after OK");
inline const QString kStartAfterFine = QStringLiteral("frminizio after Fine");
// A game with the rows before `row` confirmed and `row` full, all of a colour the secret lacks.
inline QString gameWithFullRow(int row) {
    return QStringLiteral("frmcifrotto row %1 full").arg(row);
}

// Opens a window the way a player reaches it, from the start window: a window's kind (the end
// window after a won game), or one of the places above. The window, or nullptr.
inline toolkit::Form* reach(toolkit::WindowRegistry& registry, const QString& place) {
    const auto press = [](toolkit::Form* window, const char* button) {
        support::click(window, QString::fromLatin1(button));
        support::settle();
    };
    toolkit::Form* start = registry.show<windows::frminizio>();
    if (place == kinds::kStart)
        return start;
    if (place == kinds::kRules || place == kStartAfterOk) {
        press(start, "cmdistruzioni");
        toolkit::Form* rules = registry.find<windows::frmistruzioni>();
        if (place == kinds::kRules || !rules)
            return rules;
        press(rules, "cmdok");
        return registry.find<windows::frminizio>();
    }
    press(start, "cmdcomincia");
    auto* game = registry.find<windows::frmcifrotto>();
    if (!game || place == kinds::kGame)
        return game;
    if (place == kStartAfterFine) {
        press(game, "cmdesci");
        return registry.find<windows::frminizio>();
    }
    for (int full = 1; full <= 12; ++full) {
        if (place != gameWithFullRow(full))
            continue;
        const int wrong = play::absentFrom(play::secretOf(game)).front();
        for (int row = 1; row <= full; ++row) {
            play::fillRow(game, row, {wrong, wrong, wrong, wrong});
            if (row < full)
                play::confirm(game);
        }
        return game;
    }
    play::win(game);
    support::settle();
    return place == kinds::kEnd ? registry.find<windows::frmfine>() : nullptr;
}

// Reaches a place as `reach` does, then waits for its window to be shown on the screen: the
// window, or nullptr if it was not reached or never shown.
inline toolkit::Form* reachShown(toolkit::WindowRegistry& registry, const QString& place) {
    toolkit::Form* window = reach(registry, place);
    return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

// Data rows "kind" and "raise" (pixels above the centre) for every window's place on the
// screen: centred, the game window 170 twips higher.
inline void addWindowPlaces() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("raise");
    QTest::newRow("start") << kinds::kStart << 0.0;
    QTest::newRow("instructions") << kinds::kRules << 0.0;
    QTest::newRow("end") << kinds::kEnd << 0.0;
    QTest::newRow("game, 170 twips higher") << kinds::kGame << 170.0 / 15.0;
}

inline QString message(const windows::frmfine* fine) {
    return support::control<QLabel>(fine, QStringLiteral("lblmessaggio"))->text();
}

// The question's top in pixels (kQuestionTop, kRaisedQuestionTop).
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
