"""sway_game.py PROGRAM LAYOUTS: the game as a native Wayland client of sway (under with-sway.sh), at
the output's scale: each window's client size in logical pixels, sway's title bar on it, the
focus on each new window, Alt+C, Alt+S and Esc typed with wtype, and status 0 at the end; the
end window must be the board's child, and stay open when "&Fine" unloads the board. At an
integer scale the start window must be drawn at that scale, not upscaled from 1x. LAYOUTS is the
folder of the windows' layout tables, which give their sizes."""

import json
import math
import os
import re
import subprocess
import sys
import tempfile
import time

from layout_tables import opening

PROGRAM = sys.argv[1]
SCALE = json.loads(subprocess.check_output(["swaymsg", "-t", "get_outputs"]))[0]["scale"]
PATIENCE = 20.0
START, BOARD, END = (opening(sys.argv[2], window)
                     for window in ("frminizio", "frmcifrotto", "frmfine"))
failures = []


def fail(message):
    print("FAIL:", message)
    failures.append(message)


def views(pid):
    """The game's windows as sway shows them, the focused one first."""
    found = []

    def walk(node):
        if node.get("pid") == pid:
            found.append(node)
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            walk(child)

    walk(json.loads(subprocess.check_output(["swaymsg", "-t", "get_tree"])))
    return sorted(found, key=lambda view: not view["focused"])


def faults(view, size, what):
    """What is wrong with the view for a player who expects the window what of size."""
    found = []
    rect = view["window_rect"]
    if (rect["width"], rect["height"]) != size:
        found.append(f"the {what} is {rect['width']}x{rect['height']}, not {size[0]}x{size[1]}")
    if view.get("shell") != "xdg_shell":
        found.append(f"the {what} is a {view.get('shell')} window, not a native Wayland one")
    # Sway draws its title bar (asked for through the decoration protocol) in deco_rect; a
    # window that draws its own has border "csd".
    if view.get("border") != "normal" or view["deco_rect"]["height"] <= 0:
        found.append(f"the {what} has no title bar from sway (border {view.get('border')})")
    if view.get("name") != "Cifrotto":
        found.append(f"the {what} is called {view.get('name')!r}")
    return found


def settled(game, size, count, what):
    """Waits until the game shows count windows, the focused one being what it should; returns
    it, or fails with what was wrong last."""
    deadline = time.monotonic() + PATIENCE
    wrong = [f"no {what} came"]
    while time.monotonic() < deadline and game.poll() is None:
        shown = views(game.pid)
        if len(shown) != count or not shown[0]["focused"]:
            wrong = [f"the game shows {len(shown)} windows, not {count} with one focused"]
        else:
            wrong = faults(shown[0], size, what)
            if not wrong:
                print(f"PASS: the {what}")
                return shown[0]
        time.sleep(0.05)
    if game.poll() is not None:
        wrong.append(f"the program ended with status {game.returncode}")
    for fault in wrong:
        fail(fault)
    return None


def uneven_blocks(view):
    """The share of the client area's SCALE x SCALE pixel blocks that are not of one colour:
    none in a window drawn at 1x and upscaled by sway."""
    rect, window = view["rect"], view["window_rect"]
    x, y = rect["x"] + window["x"], rect["y"] + window["y"]
    with tempfile.TemporaryDirectory() as work:
        picture = os.path.join(work, "start.ppm")
        subprocess.run(["grim", "-t", "ppm", "-g",
                        f"{x},{y} {window['width']}x{window['height']}", picture], check=True)
        with open(picture, "rb") as ppm:
            magic, size, _, pixels = ppm.read().split(b"\n", 3)
    width, height = map(int, size.split())
    step = int(SCALE)
    blocks = uneven = 0
    for top in range(0, height - step + 1, step):
        for left in range(0, width - step + 1, step):
            corners = [((top + j) * width + left + i) * 3 for j in range(step) for i in range(step)]
            block = {pixels[at:at + 3] for at in corners}
            blocks += 1
            uneven += len(block) > 1
    return uneven / blocks


def drawn_scale(protocol):
    """The scale the game draws at, from its protocol log: the fractional scale sway prefers, if
    Qt asked for one (Qt 6.5 and later, with sway 1.8 and later), else its buffers' scale."""
    fractional = re.findall(r"wp_fractional_scale_v1[@#]\d+\.preferred_scale\((\d+)\)", protocol)
    if fractional:
        return int(fractional[-1]) / 120, "fractional"
    buffers = re.findall(r"-> wl_surface[@#]\d+\.set_buffer_scale\((\d+)\)", protocol)
    return (int(buffers[-1]) if buffers else 1), "integer"


def full_screen(game, board, protocol):
    """Sway's full screen enlarges the board to the output, in logical pixels, drawn at the
    output's scale: its buffers grow to match, and an empty hole stands where the layout at the
    largest zoom that fits puts it. Back from full screen, it is as it opened."""
    subprocess.run(["swaymsg", f"[con_id={board['id']}]", "fullscreen", "enable"], check=True,
                   stdout=subprocess.DEVNULL)
    output = json.loads(subprocess.check_output(["swaymsg", "-t", "get_outputs"]))[0]["rect"]
    width, height = output["width"], output["height"]
    deadline = time.monotonic() + PATIENCE
    while time.monotonic() < deadline:
        rect = views(game.pid)[0]["window_rect"]
        if (rect["width"], rect["height"]) == (width, height):
            break
        time.sleep(0.05)
    else:
        fail(f"in full screen the board is {rect['width']}x{rect['height']}, not {width}x{height}")
        return
    time.sleep(0.3)  # its first frame at the new size
    protocol.seek(0)
    buffers = re.findall(r"create_buffer\(new id wl_buffer[@#]\d+, \d+, (\d+), (\d+),",
                         protocol.read())
    if not buffers or int(buffers[-1][0]) < width * SCALE:
        fail(f"in full screen the board's last buffer is {buffers[-1:]}, "
             f"not {width * SCALE:g} wide")
    # The largest zoom at which the whole board fits, the board centred: at the hole's centre,
    # how a margin is rounded to whole pixels moves nothing out of the hole.
    zoom = min(width / BOARD[0], height / BOARD[1])
    x = (width - BOARD[0] * zoom) / 2 + (2040 + 3 * 480 + 187) / 15 * zoom
    y = (height - BOARD[1] * zoom) / 2 + (840 + 187) / 15 * zoom
    with tempfile.TemporaryDirectory() as work:
        picture = os.path.join(work, "hole.ppm")
        subprocess.run(["grim", "-t", "ppm", "-g", f"{int(x)},{int(y)} 1x1", picture], check=True)
        with open(picture, "rb") as ppm:
            red, green, blue = ppm.read().split(b"\n", 3)[3][:3]
    if not (red == green == blue and 150 <= red <= 230):
        fail(f"in full screen the board shows {red},{green},{blue} where a hole should be")
    else:
        print(f"PASS: the board in full screen, {width}x{height} at {SCALE:g}, zoom {zoom:.2f}")
    subprocess.run(["swaymsg", f"[con_id={board['id']}]", "fullscreen", "disable"], check=True,
                   stdout=subprocess.DEVNULL)


def key(*arguments):
    subprocess.run(["wtype", *arguments], check=True)


def focus(view):
    subprocess.run(["swaymsg", f"[con_id={view['id']}]", "focus"], check=True,
                   stdout=subprocess.DEVNULL)


def finished(game, what):
    try:
        status = game.wait(PATIENCE)
    except subprocess.TimeoutExpired:
        game.kill()
        fail(f"{what}: the program did not end")
        return
    if status != 0:
        fail(f"{what}: the program ended with status {status}")
    else:
        print(f"PASS: {what}, status 0")


# A keyboard that stays, so that the seat has one before the game starts: without it the game
# would learn of each wtype's keyboard only as its keys go by.
keyboard = subprocess.Popen(["wtype", "-s", str(int(PATIENCE * 10 * 1000))])
try:
    # Start window, Alt+C, the board, Esc ("&Fine"), the start window again, Esc ("&Esci").
    log = tempfile.NamedTemporaryFile(mode="w+")
    game = subprocess.Popen([PROGRAM], env=dict(os.environ, WAYLAND_DEBUG="client"), stderr=log)
    start = settled(game, START, 1, "start window")
    if start and SCALE == int(SCALE) and SCALE > 1:
        share = uneven_blocks(start)
        print(f"start window: {share:.1%} of its {int(SCALE)}x{int(SCALE)} blocks are uneven")
        if share < 0.02:
            fail(f"the start window is drawn at 1x and upscaled to {SCALE:g}")
    key("-M", "alt", "c", "-m", "alt")
    board = settled(game, BOARD, 1, "board")
    if board:
        full_screen(game, board, log)
        settled(game, BOARD, 1, "board back from full screen")
    key("-k", "Escape")
    settled(game, START, 1, "start window after Fine")
    key("-k", "Escape")
    finished(game, "Alt+C, Esc and Esc")
    # At a fractional scale Qt draws at it through the fractional-scale protocol, or at the
    # next whole scale, which sway shrinks.
    log.seek(0)
    drawn, how = drawn_scale(log.read())
    print(f"the game draws at {drawn:g} ({how} scale) on an output at {SCALE:g}")
    if drawn not in (SCALE, math.ceil(SCALE)):
        fail(f"the game draws at {drawn:g} on an output at {SCALE:g}")

    # "&Soluzione" opens the end window over the board, with the focus. "&Fine", from the board,
    # leaves it open beside the start window; its "&Sì" opens a new board, whose "&Soluzione"
    # opens an end window over that board; Esc there is "&No", the end of the program.
    log = tempfile.NamedTemporaryFile(mode="w+")
    game = subprocess.Popen([PROGRAM], env=dict(os.environ, WAYLAND_DEBUG="client"), stderr=log)
    settled(game, START, 1, "start window")
    key("-M", "alt", "c", "-m", "alt")
    board = settled(game, BOARD, 1, "board")
    key("-M", "alt", "s", "-m", "alt")
    end = settled(game, END, 2, "end window")
    if board and end:
        focus(board)
        settled(game, BOARD, 2, "board under the end window")
        key("-k", "Escape")
        settled(game, START, 2, "start window after Fine")
        if end["id"] not in [view["id"] for view in views(game.pid)]:
            fail("Fine took the end window away")
        else:
            focus(end)
            key("-M", "alt", "s", "-m", "alt")
            settled(game, BOARD, 2, "board after Sì")
            key("-M", "alt", "s", "-m", "alt")
            settled(game, END, 3, "end window over the new board")
    key("-k", "Escape")
    finished(game, "Alt+C, Alt+S, Fine from the board, Sì, Alt+S and No")
    log.seek(0)
    # The toplevels in the order the game made them (libwayland reuses a destroyed one's id):
    # for each, how many had been made when it was destroyed, and the one it names its parent.
    made, number, parent = [], {}, {}
    for line in log.read().splitlines():
        if found := re.search(r"-> xdg_surface[@#]\d+\.get_toplevel\(new id xdg_toplevel[@#](\d+)",
                              line):
            number[found[1]] = len(made)
            made.append(None)
        elif found := re.search(r"-> xdg_toplevel[@#](\d+)\.set_parent\(xdg_toplevel[@#](\d+)",
                                line):
            parent[number[found[1]]] = number[found[2]]
        elif found := re.search(r"-> xdg_toplevel[@#](\d+)\.destroy\(", line):
            made[number.pop(found[1])] = len(made)
    # Start, board, end window, start window, board, end window; the first end window goes
    # only after the second board came, and each end window stands over its own board.
    if len(made) != 6 or parent != {2: 1, 5: 4} or made[2] != 5:
        fail(f"the end windows are not the boards' children for as long as they are open "
             f"(each toplevel's count of toplevels when it went {made}, parents {parent})")
    else:
        print("PASS: each end window is its board's child and outlives it")
finally:
    keyboard.kill()

if failures:
    sys.exit(1)
print(f"PASS: every window native, of its size and with a title bar at scale {SCALE:g}")
