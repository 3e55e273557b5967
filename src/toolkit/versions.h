// versions.h: each thing the game does differently with the Qt it is built or runs with, named
// once with its reason. The code and the tests ask these names, never Qt's version.
#pragma once

#include <QtGlobal>

// Qt 6.8 brought QAccessibleAnnouncementEvent: news that a screen reader speaks once wherever the
// focus is, and that no control keeps. Without it, news becomes the description of what holds
// the focus, cleared as the focus moves on. A build compiles in only the route it uses, so this
// one is a macro; the code outside `#if` asks toolkit::versions::kAnnouncements.
#define TOOLKIT_ANNOUNCEMENTS (QT_VERSION >= QT_VERSION_CHECK(6, 8, 0))

namespace toolkit::versions {

inline constexpr bool kAnnouncements = TOOLKIT_ANNOUNCEMENTS;

// A bug of the AT-SPI bridge: Qt 6.4's sends a name or description change with a reference to
// the object where AT-SPI expects the new text; libatspi then only forgets what it had cached,
// but Orca reads the reference as the text, fails on it and says nothing. Qt 6.8.2's sends the
// text (the release between that fixed it is not known, so 6.8 is where the game stops sending
// its own copy). Asked at run time: the bridge is the Qt library the game runs with, which may be
// newer than the one it was built with.
bool bridgeSendsChangedTexts();

// Qt's wayland platform can hang as the application is destroyed: its event thread may wait for
// ever for a read that the main thread prepared. Seen with Qt 6.4 under mutter on a busy
// machine, after every window had gone (wayland_mutter without the exit: 1 run in 100, at a
// load of 13 on 2 cores). No later Qt is known free of it (6.8 was not tried without the exit),
// and ending at once costs nothing, as nothing is left to save or to close: so the program
// does with every Qt, until one is shown not to hang.
inline constexpr bool kWaylandHangsAtExit = true;

// The screen reader's ways. The game cannot ask which reader listens; Debian gives Qt 6.4 with
// Orca 43 and Qt 6.8 with Orca 48, so the Qt the game is built with stands for the reader.
namespace detail {
inline constexpr bool kOrca48 = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);
}

// Orca 48 reads a frame's description as it opens or comes back only when it meets the window
// while handling a key, which depends on timing: what a plain window says of itself is news
// each time the window becomes active, and no description, so that it is said once.
inline constexpr bool kFrameDescriptionUnread = detail::kOrca48;

// Orca 48 reads a dialog's description twice in a row and an alert's once, while Orca 43 reads
// an alert's labels before its description: a window that asks one question is an alert for the
// one and a dialog for the other.
inline constexpr bool kDialogDescriptionReadTwice = detail::kOrca48;

// Orca 48 reads a window's activation, then a focus change, ahead of the events still waiting
// for it, and reads each event where the focus is by then; which events still wait depends on how
// busy the machine is. So news meant for after a focus change is told after it, a control whose
// name changes as the focus leaves it is renamed once the focus has left, unheard, and a focus
// that passes through a control on its way to another window is read after that window, taking
// the player back. Orca 43 reads each event as it comes.
inline constexpr bool kReaderLate = detail::kOrca48;

} // namespace toolkit::versions
