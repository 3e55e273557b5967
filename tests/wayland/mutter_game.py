"""mutter_game.py PROGRAM LAYOUTS: the game as a native Wayland client of a headless mutter, GNOME's
compositor, without XWayland (run under dbus-run-session). Mutter draws no title bars, so Qt
must draw each window's own; keys come through mutter's remote desktop interface, so only the
window that mutter focused takes them: Alt+C must open the board, Esc go back to the start
window, Esc there end the program with status 0.

Mutter tells no client what its windows are, so the windows are read from the game's own
protocol log (WAYLAND_DEBUG): the title and the window geometry it gives each toplevel, which
with Qt's title bar is the client area and the decoration. LAYOUTS is the folder of the windows'
layout tables, which give their sizes."""

import os
import re
import subprocess
import sys
import tempfile
import time

from gi.repository import Gio, GLib
from layout_tables import opening

PROGRAM = sys.argv[1]
PATIENCE = 20.0
START, BOARD = (opening(sys.argv[2], window) for window in ("frminizio", "frmcifrotto"))
KEYCODES = {"alt": 56, "c": 46, "escape": 1, "shift": 42, "super": 125, "up": 103,
            "down": 108}  # evdev's, as a keyboard sends them
SCREEN = (1280, 900)
failures = []


def fail(message):
    print("FAIL:", message)
    failures.append(message)


def options():
    """Mutter's options for a headless compositor of its own, as this mutter spells them."""
    known = subprocess.run(["mutter", "--help-all"], capture_output=True, text=True).stdout
    chosen = ["--headless", "--virtual-monitor", "%dx%d" % SCREEN]
    # 43 wants --wayland to be a compositor at all; --no-x11 keeps XWayland away, so that
    # a game that went to X11 would find no display.
    chosen += [option for option in ("--wayland", "--no-x11") if option in known]
    return chosen


def remote_desktop_up():
    """Whether mutter has taken its remote desktop name, which comes after its socket."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    return bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                         "NameHasOwner", GLib.Variant("(s)", ("org.gnome.Mutter.RemoteDesktop",)),
                         None, Gio.DBusCallFlags.NONE, -1, None).unpack()[0]


def wait_for(what, predicate, process):
    """Waits until predicate holds, while process runs."""
    deadline = time.monotonic() + PATIENCE
    while time.monotonic() < deadline and process.poll() is None:
        if predicate():
            return True
        time.sleep(0.05)
    fail(what)
    return False


class Keyboard:
    """Keys through mutter's remote desktop session, held for as long as this connection."""

    def __init__(self):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        self.session = self.call("/org/gnome/Mutter/RemoteDesktop", "", "CreateSession",
                                 None)[0]
        self.call(self.session, ".Session", "Start", None)

    def call(self, path, interface, method, arguments):
        return self.bus.call_sync("org.gnome.Mutter.RemoteDesktop", path,
                                  "org.gnome.Mutter.RemoteDesktop" + interface, method,
                                  arguments, None, Gio.DBusCallFlags.NONE, -1, None).unpack()

    def key(self, name, pressed):
        self.call(self.session, ".Session", "NotifyKeyboardKeycode",
                  GLib.Variant("(ub)", (KEYCODES[name], pressed)))

    def press(self, *names):
        for name in names:
            self.key(name, True)
        for name in reversed(names):
            self.key(name, False)


def toplevels(log):
    """Each toplevel the game made, in order: its title, its last window geometry, whether it
    has the focus and whether it may grow, its maximum size released by a committed state.
    libwayland writes objects as xdg_surface@20, from 1.22 xdg_surface#20."""
    made, surface_of, geometry_of, drawn_on, unbounded = [], {}, {}, {}, {}
    for line in log.splitlines():
        if (found := re.search(r"-> xdg_wm_base[@#]\d+\.get_xdg_surface\(new id "
                               r"xdg_surface[@#](\d+), wl_surface[@#](\d+)\)", line)):
            drawn_on[found[2]] = found[1]
        elif re.search(r"-> xdg_surface[@#]\d+\.get_toplevel", line):
            surface, toplevel = re.findall(r"xdg_(?:surface|toplevel)[@#](\d+)", line)[:2]
            made.append({"title": None, "size": None, "largest": None, "last": None,
                         "active": False, "growable": False})
            surface_of[toplevel] = surface
            geometry_of[surface] = made[-1]
        elif (found := re.search(r"-> xdg_toplevel[@#](\d+)\.set_max_size\((\d+), (\d+)\)",
                                 line)):
            # No maximum: 0 from Qt 6.4, Qt's largest widget size and the decoration from 6.8.
            unbounded[surface_of.get(found[1])] = all(
                length == 0 or length >= 2**24 - 1 for length in map(int, found.group(2, 3)))
        elif (found := re.search(r"-> wl_surface[@#](\d+)\.commit\(\)", line)):
            surface = drawn_on.get(found[1])
            if surface in geometry_of and surface in unbounded:
                geometry_of[surface]["growable"] = unbounded.pop(surface)
        elif (found := re.search(r"-> xdg_toplevel[@#](\d+)\.set_title\(\"(.*)\"\)", line)):
            surface = surface_of.get(found[1])
            if surface in geometry_of:
                geometry_of[surface]["title"] = found[2]
        elif (found := re.search(r"-> xdg_surface[@#](\d+)\.set_window_geometry"
                                  r"\(-?\d+, -?\d+, (\d+), (\d+)\)", line)):
            if found[1] in geometry_of:
                window = geometry_of[found[1]]
                size = (int(found[2]), int(found[3]))
                window["size"] = window["size"] or size  # as it opened
                window["largest"] = max(window["largest"] or size, size)
                window["last"] = size
        elif (found := re.search(r"xdg_toplevel[@#](\d+)\.configure\(\d+, \d+, array\[(\d+)\]",
                                  line)):
            # Mutter sends a fixed-size window one state at most: activated, the focus.
            surface = surface_of.get(found[1])
            if surface in geometry_of:
                geometry_of[surface]["active"] = found[2] != "0"
        elif (found := re.search(r"-> xdg_surface[@#](\d+)\.destroy\(\)", line)):
            geometry_of.pop(found[1], None)
    return made


def check_windows(made):
    expected = [("start window", START), ("board", BOARD), ("start window after Fine", START)]
    if len(made) != len(expected):
        fail(f"the game made {len(made)} windows, not {len(expected)}: {made}")
    for (what, client), window in zip(expected, made):
        if window["title"] != "Cifrotto" or window["size"] is None:
            fail(f"the {what} is {window}")
            continue
        width, height = window["size"]
        # Qt's title bar: the geometry is the client area, a bar above and thin borders.
        if not (0 <= width - client[0] <= 24 and 20 <= height - client[1] <= 80):
            fail(f"the {what} measures {width}x{height} with its decoration: no title bar "
                 f"round a {client[0]}x{client[1]} client area")
        else:
            print(f"PASS: the {what}, {width}x{height} with Qt's title bar")


with tempfile.TemporaryDirectory() as work:
    runtime = os.path.join(work, "runtime")
    os.mkdir(runtime, 0o700)
    environment = dict(os.environ, XDG_RUNTIME_DIR=runtime, XDG_SESSION_TYPE="wayland",
                       XDG_CURRENT_DESKTOP="GNOME")
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        environment.pop(name, None)
    with open(os.path.join(work, "mutter.log"), "w") as mutter_log:
        mutter = subprocess.Popen(["mutter", *options(), "--wayland-display", "cifrotto"],
                                  env=environment, stdout=mutter_log, stderr=subprocess.STDOUT)
    socket = os.path.join(runtime, "cifrotto")
    try:
        if not wait_for("mutter did not start",
                        lambda: os.path.exists(socket) and remote_desktop_up(), mutter):
            with open(os.path.join(work, "mutter.log")) as mutter_log:
                print(mutter_log.read())
            sys.exit(1)
        # Mutter gives the seat a keyboard at the session's first key; a client started later
        # has one from the start, as on a desktop, and sees every key go down.
        keyboard = Keyboard()
        keyboard.press("shift")
        environment.update(WAYLAND_DISPLAY="cifrotto", WAYLAND_DEBUG="client")
        protocol = os.path.join(work, "protocol.log")
        with open(protocol, "w") as log:
            game = subprocess.Popen([PROGRAM], env=environment, stderr=log)

        def focused(count):
            """Whether the game has made count windows and mutter focused the last."""
            def test():
                with open(protocol) as log:
                    windows = toplevels(log.read())
                return len(windows) == count and windows[-1]["active"]
            return test

        wait_for("no start window came, or it had no focus", focused(1), game)
        keyboard.press("alt", "c")
        wait_for("Alt+C opened no board, or it had no focus", focused(2), game)
        # GNOME's maximise (Super+Up) fills the screen with the board; Super+Down restores it,
        # so that the start window after "&Fine" opens at the size the player gave the board.
        def board():
            with open(protocol) as log:
                windows = toplevels(log.read())
            return windows[1] if len(windows) > 1 else {}

        # A window takes the maximise once it may grow: it opens at its own size, then lets
        # the player enlarge it.
        wait_for("the board never let itself grow", lambda: board().get("growable"), game)
        keyboard.press("super", "up")
        if wait_for("Super+Up did not maximise the board",
                    lambda: board().get("last") == SCREEN, game):
            print(f"PASS: the board maximised to {SCREEN[0]}x{SCREEN[1]}")
        keyboard.press("super", "down")
        wait_for("Super+Down did not restore the board",
                 lambda: board().get("last") == board().get("size"), game)
        keyboard.press("escape")
        wait_for("Esc on the board brought back no start window with the focus", focused(3), game)
        keyboard.press("escape")
        try:
            status = game.wait(PATIENCE)
            if status != 0:
                fail(f"the program ended with status {status}")
            else:
                print("PASS: Alt+C, Esc and Esc, status 0")
        except subprocess.TimeoutExpired:
            game.kill()
            fail("Esc on the start window did not end the program")
        with open(protocol) as log:
            check_windows(toplevels(log.read()))
    finally:
        mutter.terminate()
        mutter.wait()

if failures:
    sys.exit(1)
