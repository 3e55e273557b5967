// windows_named.h: the program's four windows as the tests name them, and what the end window
// shows, typed in from the game's description.
#pragma once

#include <QString>

namespace kinds {

inline const QString kStart = QStringLiteral("frminizio");
inline const QString kRules = QStringLiteral("frmistruzioni");
inline const QString kGame = QStringLiteral("frmcifrotto");
inline const QString kEnd = QStringLiteral("frmfine");

// What the start window says of its buttons, for screen readers.
inline const QString kStartSaid =
    QStringLiteral("Finestra d'inizio: Comincia, Alt+C; Istruzioni, Alt+I; Esci, Alt+E.");

// The end window's message and question, and the top of its question in pixels: 840 twips
// under the message after a game's end, 480 twips with no message after "&Soluzione".
inline const QString kWon = QStringLiteral("Hai vinto!");
inline const QString kLost = QStringLiteral("Hai perso!");
inline const QString kQuestion = QStringLiteral("Un'altra partita?");
inline constexpr int kQuestionTop = 840 / 15;
inline constexpr int kRaisedQuestionTop = 480 / 15;

} // namespace kinds
