#!/usr/bin/python3
"""screen_reader.py GAME: plays two games of Cifrotto as a screen reader user would, through
the AT-SPI bus only (accessible actions, names, states, descriptions and events; no mouse).

It wins one game with a solver and loses one on purpose, and after every confirm compares
what a screen reader's cache shows (libatspi's cache, kept up to date only by the game's
events) with what the game says when asked afresh over D-Bus. Every mismatch is collected
and printed at the end; the run fails if there was any. Runs under with-atspi-bus.sh."""

import itertools
import os
import re
import subprocess
import sys
import time
import traceback
import warnings

from game_client import COLOURS, LOST, PATIENCE, WON, Failed, application, pump, score, wait_for
from gi.repository import Atspi, Gio, GLib

ROWS, COLUMNS = 12, 4

S = Atspi.StateType
CHECKED_STATES = {"enabled": S.ENABLED, "sensitive": S.SENSITIVE, "showing": S.SHOWING,
                  "focused": S.FOCUSED, "checked": S.CHECKED, "selected": S.SELECTED}


# What went wrong, in the order first seen: how often, and the first case in full.
problems = {}


def problem(what, case=""):
    """A wrong answer that does not stop the game; each kind is listed once at the end."""
    if what not in problems:
        problems[what] = [0, case]
        print(f"  PROBLEM: {what} {case}", flush=True)
    problems[what][0] += 1


# --- Reading afresh, past libatspi's cache ------------------------------------------------

ROOT = "/org/a11y/atspi/accessible/root"


class FreshReader:
    """Asks the game itself over a D-Bus connection of its own, never through libatspi."""

    def __init__(self, app):
        self.game = app.app.bus_name
        session = Gio.bus_get_sync(Gio.BusType.SESSION)
        reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                  None, GLib.VariantType("(s)"), 0, -1)
        self.bus = Gio.DBusConnection.new_for_address_sync(
            reply.unpack()[0],
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)

    def _call(self, path, interface, method, args, signature):
        reply = self.bus.call_sync(self.game, path, interface, method,
                                   args, GLib.VariantType(signature), 0, -1)
        return reply.unpack()[0]

    def _property(self, path, name):
        return self._call(path, "org.freedesktop.DBus.Properties", "Get",
                          GLib.Variant("(ss)", ("org.a11y.atspi.Accessible", name)), "(v)")

    def name(self, acc):
        return self._property(acc.path, "Name")

    def description(self, acc):
        return self._property(acc.path, "Description")

    def states(self, acc):
        words = self._call(acc.path, "org.a11y.atspi.Accessible", "GetState", None, "(au)")
        bits = words[0] | (words[1] << 32)
        return {word for word, state in CHECKED_STATES.items() if bits & (1 << int(state))}

    def reachable(self, path):
        """Whether a screen reader walking down from the window finds this object: each
        object on the way up is among its parent's children."""
        while path != ROOT:
            parent = self._property(path, "Parent")[1]
            if parent != ROOT:
                children = self._call(parent, "org.a11y.atspi.Accessible", "GetChildren",
                                      None, "(a(so))")
                if path not in (child for _, child in children):
                    return False
            path = parent
        return True


def cached_states(acc):
    states = acc.get_state_set()
    return {word for word, state in CHECKED_STATES.items() if states.contains(state)}


# --- Events and the main loop --------------------------------------------------------------

class Events:
    """Every event the game sent, and where the focus went last."""

    def __init__(self):
        self.received = []
        self.focused = None
        self.announced = []
        self.listener = Atspi.EventListener.new(self._on_event)
        # Qt's bridge sends only the kinds of event some client listens to: register first.
        for kind in ("object:", "window:", "focus:"):
            self.listener.register(kind)

    def _on_event(self, event):
        self.received.append((event.type, event.source))
        if event.type.startswith("object:state-changed:focused") and event.detail1:
            self.focused = event.source
        elif event.type.startswith("focus:"):
            self.focused = event.source
        elif event.type.startswith("object:announcement"):
            self.announced.append(event.any_data)

    def take(self):
        taken, self.received = self.received, []
        return taken


# --- Finding things in the tree ----------------------------------------------------------

def walk(acc):
    yield acc
    for index in range(acc.get_child_count()):
        child = acc.get_child_at_index(index)
        if child is not None:
            yield from walk(child)


def find(root, role, name):
    for acc in walk(root):
        if acc.get_role() == role and acc.get_name() == name:
            return acc
    return None


def press(acc):
    """Runs the object's press action, as a screen reader's "activate" does."""
    with warnings.catch_warnings():
        # Marked deprecated for atspi_action_get_name, which the bindings do not offer.
        warnings.simplefilter("ignore", DeprecationWarning)
        names = [acc.get_action_name(i).lower() for i in range(acc.get_n_actions())]
    if "press" not in names:
        raise Failed(f"{acc.get_role_name()} {acc.get_name()!r} has actions {names}, "
                     "no 'press'")
    Atspi.Action.do_action(acc, names.index("press"))


# --- The board ---------------------------------------------------------------------------

HOLE = re.compile(r"Riga (\d+), foro (\d+): (\w+)$")
FEEDBACK = re.compile(r"Riga (\d+), risposta: (.*)$")


def counts_text(reds, whites):
    if reds == 0 and whites == 0:
        return "nessun colore giusto"
    return (f"{reds} {'rosso' if reds == 1 else 'rossi'}, "
            f"{whites} {'bianco' if whites == 1 else 'bianchi'}")


def parse_counts(text):
    if text == "nessun colore giusto":
        return 0, 0
    match = re.fullmatch(r"(\d) ross[oi], (\d) bianc(?:o|hi)", text)
    if not match or counts_text(*map(int, match.groups())) != text:
        raise Failed(f"a result that does not read as counts: {text!r}")
    return int(match.group(1)), int(match.group(2))


class Board:
    """The game window's accessible objects, found once by their names."""

    def __init__(self, frame, fresh):
        self.frame = frame
        self.fresh = fresh
        self.seen = {acc.path for acc in walk(frame)}
        self.holes = {}
        self.feedback = {}
        self.swatches = {}
        self.confirm = None
        for acc in walk(frame):
            role, name = acc.get_role(), acc.get_name()
            if role == Atspi.Role.PUSH_BUTTON and HOLE.match(name):
                row, column, _ = HOLE.match(name).groups()
                self.holes[int(row), int(column)] = acc
            elif role == Atspi.Role.IMAGE and FEEDBACK.match(name):
                self.feedback[int(FEEDBACK.match(name).group(1))] = acc
            elif role == Atspi.Role.RADIO_BUTTON and name in COLOURS:
                self.swatches[name] = acc
            elif role == Atspi.Role.PUSH_BUTTON and name == "Conferma":
                self.confirm = acc
        missing = []
        if len(self.holes) != ROWS * COLUMNS:
            missing.append(f"{ROWS * COLUMNS} holes (found {len(self.holes)})")
        if len(self.feedback) != ROWS:
            missing.append(f"{ROWS} feedback blocks (found {len(self.feedback)})")
        if set(self.swatches) != set(COLOURS):
            missing.append(f"11 swatches (found {sorted(self.swatches)})")
        if self.confirm is None:
            missing.append("the push button 'Conferma'")
        if missing:
            raise Failed("the game window lacks " + "; ".join(missing))

    def result(self, row):
        text = self.fresh.name(self.feedback[row])
        match = FEEDBACK.match(text)
        if not match or match.group(2) == "non ancora confermata":
            return None
        return parse_counts(match.group(2))

    def enter(self, row, guess):
        """Chooses each colour by its swatch and puts it in its hole, then confirms."""
        for column, colour in enumerate(guess, start=1):
            press(self.swatches[colour])
            wait_for(f"swatch {colour} to be checked",
                     lambda: "checked" in self.fresh.states(self.swatches[colour]))
            check_swatches(self, colour)
            hole = self.holes[row, column]
            press(hole)
            wanted = f"Riga {row}, foro {column}: {colour}"
            wait_for(f"hole to be named {wanted!r}", lambda: self.fresh.name(hole) == wanted)
        press(self.confirm)


def check_swatches(board, chosen):
    """After a choice only the chosen swatch is checked and selected, in the cache too."""
    pump()
    for colour, acc in board.swatches.items():
        fresh = board.fresh.states(acc) & {"checked", "selected"}
        cached = cached_states(acc) & {"checked", "selected"}
        expected = {"checked", "selected"} if colour == chosen else set()
        if fresh != expected:
            problem("a swatch's checked and selected states do not follow the choice:",
                    f"swatch {colour} after choosing {chosen}: expected {sorted(expected)}, "
                    f"read {sorted(fresh)}")
        report_stale(f"swatch {colour} after choosing {chosen}", "swatch", acc, cached, fresh)


def report_stale(case, kind, acc, cached, fresh):
    """Names each state the cache got wrong, then forgets it, so that the next comparison
    covers only the events sent after this one."""
    for state in sorted(cached ^ fresh):
        change = "set" if state in fresh else "cleared"
        problem(f"stale cache: the game {change} a {kind}'s '{state}' state, no event told "
                "the screen reader;", f"first: {case}")
    if cached != fresh:
        resync(acc)


def resync(acc):
    """Forgets a stale cache entry and reads it again, so the next comparison covers only
    the events sent after this one."""
    acc.clear_cache()
    acc.get_name()
    acc.get_state_set()


def check_holes(board, open_row, when):
    """All 48 holes: the cache agrees with the game, and only the open row is enabled."""
    pump()
    for (row, column), acc in sorted(board.holes.items()):
        case = f"hole {row},{column} {when}"
        fresh = board.fresh.states(acc) - {"focused", "checked", "selected"}
        cached = cached_states(acc) - {"focused", "checked", "selected"}
        if acc.get_name() != board.fresh.name(acc):
            problem("stale cache: a hole's name changed, no event told the screen reader;",
                    f"first: {case}: cache {acc.get_name()!r}, game {board.fresh.name(acc)!r}")
            resync(acc)
        report_stale(case, "hole", acc, cached, fresh)
        if row == open_row and not {"enabled", "sensitive", "showing"} <= fresh:
            problem("a hole of the open row is not enabled, sensitive and showing:",
                    f"first: {case}: read {sorted(fresh)}")
        elif row != open_row and "enabled" in fresh:
            problem("a hole of a row not open is enabled:", f"first: {case}: read {sorted(fresh)}")
    for row, acc in sorted(board.feedback.items()):
        if acc.get_name() != board.fresh.name(acc):
            problem("stale cache: a feedback block's name changed, no event told the screen "
                    "reader;", f"first: row {row} {when}: cache {acc.get_name()!r}, game "
                    f"{board.fresh.name(acc)!r}")
            resync(acc)


def check_focus_after(board, events, row, reds, whites):
    """After a confirm the focus is on hole 1 of the next row, which tells the result."""
    # The game moves the focus as it shows the result, and the result has been read from
    # the game since: any focus event is already here.
    pump()
    hole = board.holes[row + 1, 1]
    if events.focused != hole or "focused" not in board.fresh.states(hole):
        focused = events.focused
        problem("after a confirm the focus is not on hole 1 of the next row:",
                f"first: row {row}: the last focus event came from "
                f"{focused.get_name() if focused else None!r}; the hole's own states are "
                f"{sorted(board.fresh.states(hole))}")
        return
    wanted = f"Riga {row}: {counts_text(reds, whites)}"
    # News is the focused hole's description before Qt 6.8 and an announcement from 6.8 on,
    # never both.
    description = board.fresh.description(hole)
    told = ([description] if description else []) + events.announced[-1:]
    events.announced.clear()
    if told != [wanted]:
        problem("the focused hole does not tell the row just confirmed:",
                f"first: hole {row + 1},1: expected {wanted!r}, told {told!r}")
    if hole.get_description() != description:
        problem("stale cache: a hole's description changed, no event told the screen reader;",
                f"first: hole {row + 1},1: cache {hole.get_description()!r}, "
                f"game {description!r}")


# --- The shape of the tree ---------------------------------------------------------------

def check_tree_shape(board):
    """The colours and each row are named groups; nothing hidden is in the tree."""
    def group(name):
        for acc in walk(board.frame):
            if acc.get_name() == name and acc.get_role() in (Atspi.Role.PANEL,
                                                              Atspi.Role.GROUPING):
                return acc
        return None

    def children(acc):
        return [acc.get_child_at_index(i) for i in range(acc.get_child_count())]

    expected = {"Colori": set(board.swatches.values())}
    for row in range(1, ROWS + 1):
        expected[f"Riga {row}"] = ({board.holes[row, c] for c in range(1, COLUMNS + 1)}
                                   | {board.feedback[row]})
    missing = []
    for name, members in expected.items():
        found = group(name)
        if found is None:
            missing.append(name)
        elif set(children(found)) != members:
            problem(f"group {name!r} does not hold what it should:",
                    f"expected {sorted(m.get_name() for m in members)}, "
                    f"read {[c.get_name() for c in children(found)]}")
    if missing:
        problem("the game window lacks groups (panel or grouping):", str(missing))
    # The outcome flag opt1, the message label and the selection markers are never seen on
    # screen; a hole that cannot be used yet is still seen, and says so by not being enabled.
    for acc in walk(board.frame):
        if acc.get_name() == "opt1" or not acc.get_state_set().contains(S.SHOWING):
            problem("a hidden object is in the tree:",
                    f"{acc.get_role_name()} {acc.get_name()!r}")


def check_event_sources(fresh, events, seen):
    """Every object of the game that sent an event is one a screen reader finds in the tree:
    there now, or when the window was walked (the cover leaves the tree as it is lifted)."""
    checked = set(seen)
    for kind, source in events.take():
        if source.app is None or source.app.bus_name != fresh.game or source.path in checked:
            continue
        checked.add(source.path)
        try:
            if fresh.reachable(source.path):
                continue
            what = f"{source.get_role_name()} {fresh.name(source)!r}"
        except GLib.Error:
            continue  # gone with its window: there is nothing left to show
        problem(f"an object outside the tree sent events: {what},", f"first: {kind}")


# --- Playing -------------------------------------------------------------------------------

def play_row(board, events, row, guess):
    print(f"  row {row}: {' '.join(guess)}", end=" ", flush=True)
    board.enter(row, guess)
    result = wait_for(f"the result of row {row}", lambda: board.result(row))
    print(f"-> {counts_text(*result)}", flush=True)
    over = result[0] == COLUMNS or row == ROWS
    check_holes(board, None if over else row + 1, f"after confirming row {row}")
    if not over:
        check_focus_after(board, events, row, *result)
    check_event_sources(board.fresh, events, board.seen)
    return result


def win(board, events):
    candidates = list(itertools.permutations(COLOURS, COLUMNS))
    if len(candidates) != 7920:
        raise Failed(f"{len(candidates)} secrets instead of 7920")
    for row in range(1, ROWS + 1):
        guess = candidates[0]
        result = play_row(board, events, row, guess)
        if result == (COLUMNS, 0):
            return
        candidates = [s for s in candidates if score(guess, s) == result]
        if not candidates:
            raise Failed("no secret is consistent with the results read")
    raise Failed("the solver did not win within 12 rows")


def lose(board, events):
    for row in range(1, ROWS + 1):
        result = play_row(board, events, row, ("bianco",) * COLUMNS)
        if result[0] == COLUMNS:
            raise Failed("four reds with four of one colour")


def showing_window_with(app, button):
    """The showing top-level window that holds that push button."""
    app.clear_cache()
    for index in range(app.get_child_count()):
        window = app.get_child_at_index(index)
        if (window is not None and window.get_state_set().contains(S.SHOWING)
                and find(window, Atspi.Role.PUSH_BUTTON, button)):
            return window
    return None


def end_window(app, fresh, events, outcome):
    """The end window is a dialog (an alert, built on Qt 6.8) that tells the outcome as it
    opens; returns it."""
    dialog = wait_for("the end window", lambda: showing_window_with(app, "Sì"))
    if dialog.get_role() not in (Atspi.Role.DIALOG, Atspi.Role.ALERT):
        problem("the end window is not a dialog:", f"role {dialog.get_role_name()}")
    pump()
    check_event_sources(fresh, events, {acc.path for acc in walk(dialog)})
    focused = events.focused
    told = [dialog.get_description()] + ([focused.get_description()] if focused else [])
    if not any(outcome in text for text in told):
        problem("the end window does not tell the outcome as it opens:",
                f"expected {outcome!r} in the description of the dialog or of the focused "
                f"object, read {told}")
    return dialog


def game_window(app, fresh, events, previous=None):
    """The game window of a new game, once the one of the game before has gone."""
    def new_window():
        frame = showing_window_with(app, "Conferma")
        return frame if frame != previous else None

    frame = wait_for("the game window", new_window)
    if frame.get_role() != Atspi.Role.FRAME or frame.get_name() != "Cifrotto":
        problem("the game window is not the frame 'Cifrotto':",
                f"read {frame.get_role_name()} {frame.get_name()!r}")
    board = Board(frame, fresh)
    check_tree_shape(board)
    check_holes(board, 1, "in a new game")
    check_event_sources(fresh, events, board.seen)
    return board


def play(game, events):
    app = application(game.pid)
    fresh = FreshReader(app)
    start = wait_for("the start window", lambda: showing_window_with(app, "Comincia"))
    press(find(start, Atspi.Role.PUSH_BUTTON, "Comincia"))

    print("Game 1, to win:", flush=True)
    board = game_window(app, fresh, events)
    win(board, events)
    dialog = end_window(app, fresh, events, WON)
    press(find(dialog, Atspi.Role.PUSH_BUTTON, "Sì"))

    print("Game 2, to lose:", flush=True)
    lose(game_window(app, fresh, events, board.frame), events)
    dialog = end_window(app, fresh, events, LOST)
    press(find(dialog, Atspi.Role.PUSH_BUTTON, "No"))
    deadline = time.monotonic() + PATIENCE
    while game.poll() is None and time.monotonic() < deadline:
        pump()
        time.sleep(0.05)
    if game.poll() is None:
        raise Failed("after 'No' the game is still running")
    if game.returncode != 0:
        problem("after 'No' the game did not exit with status 0:", f"status {game.returncode}")


def main():
    events = Events()
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    game = subprocess.Popen([sys.argv[1]], env=environment)
    failure = []

    # libatspi keeps its cache only while its own main loop runs, so the play runs inside it.
    def run():
        try:
            play(game, events)
        except Failed as broken:
            failure.append(str(broken))
        except Exception as error:  # a crash of the client is a failure too, with its cause
            failure.append(f"{type(error).__name__}: {error}")
            traceback.print_exc()
        finally:
            Atspi.event_quit()
        return False

    GLib.idle_add(run)
    Atspi.event_main()
    if game.poll() is None:
        game.kill()
        game.wait()
    for text in failure:
        print("FAIL: " + text)
    for what, (count, case) in problems.items():
        print(f"FAIL: {what} {case} ({count} times)")
    if failure or problems:
        sys.exit(1)
    print("PASS: won and lost a game through the AT-SPI bus; cache and game agreed throughout")


if __name__ == "__main__":
    main()
