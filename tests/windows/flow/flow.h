// flow.h: what the window-flow tests share: which windows are open, and playing a game to
// its end through clicks on the board.
#pragma once

#include "rules/colour.h"
#include "support/gui.h"
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
#include <algorithm>
#include <array>

namespace flow {

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

// The window's name as the palette spells it: "rosso" for code 4.
inline QString colourName(int code) {
    const std::string_view name = rules::colourOfCode(code).name;
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// The secret as colour codes, read from the four secret shapes.
inline std::array<int, 4> secretOf(const windows::frmcifrotto* game) {
    std::array<int, 4> codes{};
    for (int k = 1; k <= 4; ++k) {
        const auto fill =
            support::control<toolkit::Shape>(game, QStringLiteral("shpn%1").arg(k))->fill();
        const auto code = rules::codeOfColour(fill);
        if (!code)
            qFatal("shpn%d holds 0x%x, not a peg colour", k, fill);
        codes[static_cast<std::size_t>(k - 1)] = *code;
    }
    return codes;
}

// A colour that the secret does not hold.
inline int colourOutsideSecret(const std::array<int, 4>& secret) {
    for (int code = 1; code <= rules::kColourCount; ++code)
        if (std::find(secret.begin(), secret.end(), code) == secret.end())
            return code;
    qFatal("the secret holds every colour");
}

// Picks each colour in the palette and clicks it into the row's holes, left to right.
inline void fillRow(windows::frmcifrotto* game, int row, const std::array<int, 4>& codes) {
    for (int column = 1; column <= 4; ++column) {
        support::click(game, QStringLiteral("img") +
                                 colourName(codes[static_cast<std::size_t>(column - 1)]));
        support::click(game, QStringLiteral("img%1%2").arg(row).arg(column));
    }
}

inline void confirm(windows::frmcifrotto* game) {
    support::click(game, QStringLiteral("cmdconferma"));
}

// Row 1 holds the secret: four reds.
inline void win(windows::frmcifrotto* game) {
    fillRow(game, game->board().riga + 1, secretOf(game));
    confirm(game);
}

// Every remaining row holds one colour the secret lacks, up to row 12.
inline void lose(windows::frmcifrotto* game) {
    const int wrong = colourOutsideSecret(secretOf(game));
    for (int row = game->board().riga + 1; row <= 12; ++row) {
        fillRow(game, row, {wrong, wrong, wrong, wrong});
        confirm(game);
    }
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
