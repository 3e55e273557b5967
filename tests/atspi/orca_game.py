#!/usr/bin/python3
"""orca_game.py GAME [--orca-later]: a blind player's games of Cifrotto, checked against what
Orca, the screen reader, says. Runs under with-orca.sh; the game is started as a player starts
it, with nothing telling it that a screen reader listens.

The player uses the keyboard (xdotool, through the X server, as a real keyboard would) and a
mouse click or two, and hears the game only through Orca's speech log: the rows' results that
the solver reads are the ones Orca spoke. Every step waits for what Orca must say and fails
with the speech heard if it does not come, or if what the step before heard comes again: each
thing is said once, a row's result too, and after the end window's "Sì" nothing more. Orca
must never fail on one of the game's events. Orca 43 and Orca 48 word roles, stops and key
echoes each their own way; the test reads past those differences, never the game's words.

By default Orca runs from the start: the start window, the rules, a game won by keys, and
"&Soluzione" in a second game. With --orca-later the game starts without Orca, two rows are
played, then Orca starts, and the game is lost to its twelfth row with every peg and result
spoken right from then on."""

import itertools
import os
import re
import subprocess
import sys
import time

from game_client import COLOURS, PATIENCE, RULES, Failed, application, score, wait_for
from gi.repository import Atspi

START = "Finestra d'inizio: Comincia, Alt+C; Istruzioni, Alt+I; Esci, Alt+E."


def plain(text):
    """An utterance as both Orcas say it: Orca 43 speaks a button's role as the game's toolkit
    names it, Orca 48 as libatspi does, and only Orca 43 ends a name and role with a stop."""
    return text.strip().replace("push button", "button").rstrip(".")


class Speech:
    """What Orca has said, read from its debug log, one utterance per line, and what went wrong:
    a row's result said again, or Orca failing on an event (Orca 43 logs "Could not process
    ...", Orca 48 the handler's traceback; with no speech server and braille off, see
    with-orca.sh, any traceback is one of the game's events)."""

    LINE = re.compile(r"SPEECH OUTPUT: '(.*)'")

    def __init__(self, path):
        self.path = path
        self.heard = []
        self.errors = []
        self.traceback = None  # the lines of one being read
        self.offset = 0
        self.mark = 0
        self.last = None

    def _read(self):
        with open(self.path, encoding="utf-8", errors="replace") as log:
            log.seek(self.offset)
            chunk = log.read()
        complete = chunk[:chunk.rfind("\n") + 1]
        self.offset += len(complete.encode("utf-8", errors="replace"))
        for line in complete.splitlines():
            if self.traceback is not None:
                self.traceback.append(line)
                if not line.startswith(" "):  # the exception, after the indented frames
                    self.errors.append("Orca failed on an event: " + "\n".join(self.traceback))
                    self.traceback = None
            elif line.startswith("Traceback (most recent call last)"):
                self.traceback = [line]
            elif "Could not process" in line:
                self.errors.append("Orca failed on an event: " + line)
            # Orca adds the voice's settings after the text, themselves in quotes.
            match = self.LINE.search(re.sub(r"\{[^{}]*\}\s*$", "", line))
            if match:
                text = plain(match.group(1))
                if RESULT.fullmatch(text) and text in self.heard:
                    self.errors.append(f"Orca said a row's result again: {text!r}")
                self.heard.append(text)

    def since_mark(self):
        self._read()
        return self.heard[self.mark:]

    def expect(self, wanted, what):
        """Waits until Orca says an utterance for which wanted(text) holds, after the mark;
        returns that utterance, and moves the mark past it. What the last expect returned must
        not come again on the way: Orca says each thing once."""
        deadline = time.monotonic() + PATIENCE
        while True:
            for index, text in enumerate(self.since_mark()):
                if text == self.last:
                    raise Failed(f"Orca said {text!r} twice, waiting for {what}")
                if wanted(text):
                    self.mark += index + 1
                    self.last = text
                    return text
            if self.errors:
                raise Failed(f"waiting for {what}: {self.errors[0]}")
            if time.monotonic() > deadline:
                raise Failed(f"Orca did not say {what}; it said {self.since_mark()}")
            time.sleep(0.02)

    def says(self, exact, what=None):
        return self.expect(lambda text: text == plain(exact), what or repr(exact))

    def settle(self, quiet=0.3):
        """Waits until Orca has been quiet a moment; returns what it said since the mark, and
        moves the mark past it."""
        count = -1
        while count != len(self.since_mark()):
            count = len(self.since_mark())
            time.sleep(quiet)
        said, self.mark = self.heard[self.mark:], len(self.heard)
        return said


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)


def click_at(accessible):
    """A mouse click in the middle of a control, where the screen reader says it lies."""
    box = accessible.get_extents(Atspi.CoordType.SCREEN)
    subprocess.run(["xdotool", "mousemove", "--sync", str(box.x + box.width // 2),
                    str(box.y + box.height // 2), "click", "1"], check=True)


def find(app, name):
    """The showing control of the game called name (by its start), once there is one."""
    def walk(node):
        if node is None:
            return None
        if (node.get_name() or "").startswith(name) and \
                node.get_state_set().contains(Atspi.StateType.SHOWING):
            return node
        for i in range(node.get_child_count()):
            found = walk(node.get_child_at_index(i))
            if found:
                return found
        return None
    return wait_for(f"a showing control named {name!r}", lambda: walk(app))


# --- The player -----------------------------------------------------------------------------

RESULT = re.compile(r"Riga (\d+): (?:nessun colore giusto|(\d+) ross[oi], (\d+) bianc(?:o|hi))")


def telling(peg):
    """Whether an utterance tells of a peg put in: Orca 48 may add the focused hole's role."""
    return lambda text: text in (peg, peg + " button")


class Player:
    """Plays rows by keys from the open row's first hole, and checks what Orca answers."""

    def __init__(self, speech):
        self.speech = speech
        self.chosen = None  # colour index, as the player heard it chosen

    def choose_on_row(self, target):
        """Down or Up on the row until target is chosen; each step's colour is spoken."""
        steps = (target - self.chosen) % 11 if self.chosen is not None else target + 1
        down = self.chosen is None or steps <= 5
        for _ in range(steps if down else 11 - steps):
            key("Down" if down else "Up")
            if self.chosen is None:
                self.chosen = 0
            else:
                self.chosen = (self.chosen + (1 if down else -1)) % 11
            self.speech.says(f"Colore scelto: {COLOURS[self.chosen]}")

    def play_row(self, row, guess, placed=()):
        """Fills the open row, the focus on its first hole, and confirms it. Columns in placed
        hold their colour already. Returns what Orca said after the confirm."""
        filling = None
        for column, colour in enumerate(guess, start=1):
            if column not in placed:
                if self.chosen != colour:
                    self.choose_on_row(colour)
                key("Return" if column == 2 else "space")  # a peg by Return, the rest by Space
                peg = f"Riga {row}, foro {column}: {COLOURS[colour]}"
                filling = telling(peg)
                if column < 4:
                    self.speech.expect(filling, repr(peg))
            if column < 4:
                key("Right")
                self.speech.expect(lambda text, c=column + 1: text.startswith(
                    f"Riga {row}, foro {c}: "), f"hole {column + 1} of row {row}")
        # The peg that fills the row may be told before the focus moves on to "&Conferma", or
        # after it.
        before = self.speech.mark
        self.speech.expect(lambda text: text.startswith("Conferma"), "the confirm button")
        if 4 not in placed and not any(map(filling, self.speech.heard[before:self.speech.mark])):
            self.speech.expect(filling, f"the peg that fills row {row}")
        key("Return")
        return self.speech.expect(
            lambda text: RESULT.fullmatch(text) is not None or end_window(text),
            f"row {row}'s result")


def result_of(row, told):
    """Reds and whites of a row as Orca said them."""
    match = RESULT.fullmatch(told)
    if not match or int(match.group(1)) != row:
        raise Failed(f"the result of row {row} was spoken as {told!r}")
    return int(match.group(2) or 0), int(match.group(3) or 0)


def end_window(text):
    """Orca 43 reads the end window as a dialog with its text; built on Qt 6.8 it is an alert,
    which Orca 48 names apart from its text."""
    return text.startswith("Cifrotto dialog") or text == "alert Cifrotto"


def end_dialog(speech, told, outcome):
    """The end window, as it opens, says the outcome, the secret in order and the question,
    each once, then "&Sì", which has the focus and keeps it: nothing more is said. Returns the
    secret's colours."""
    if told == "alert Cifrotto":
        told = speech.expect(lambda text: True, "the end window's text")
    prefix = re.escape(f"{outcome} " if outcome else "")
    match = re.fullmatch(prefix + r"Combinazione: ((?:\w+, ){3}\w+)\. Un'altra partita\?",
                         told.removeprefix("Cifrotto dialog "))
    if not match:
        raise Failed(f"the end window said {told!r}")
    speech.says("Sì button.")
    after = speech.settle(quiet=1.0)
    if after:
        raise Failed(f"after the end window and its 'Sì', Orca said {after}")
    return match.group(1).split(", ")


def win_by_keys(speech, app):
    """A game won by keys and two clicks, by a consistent-guess solver that knows only what
    Orca said."""
    player = Player(speech)
    # From "&Fine", which has the focus, to the first hole: with no colour chosen, Space puts
    # no peg in, and says so.
    key("Tab", "Tab", "Tab", "Tab")
    speech.says("Riga 1, foro 1: vuoto button.")
    key("space")
    speech.says("Nessun colore scelto")
    # Back to the palette. Down chooses bianco where the focus stands, which is news; the
    # next Down moves the focus to nero, chosen with it.
    key("shift+Tab")
    speech.expect(lambda text: text.startswith("bianco"), "the palette")
    speech.settle()
    key("Down")
    speech.says("Colore scelto: bianco")
    key("Down")
    # Orca 43 says the name and the state in two utterances, Orca 48 in one.
    if speech.expect(lambda text: text.startswith("nero"), "nero") == "nero":
        speech.says("selected radio button")
    elif speech.last != "nero selected radio button":
        raise Failed(f"the chosen colour's swatch was spoken as {speech.last!r}")
    key("Tab")
    speech.says("Riga 1, foro 1: vuoto button.")
    # Clicks away from the focus are news where the focus stands.
    click_at(find(app, "rosso"))
    speech.says("Colore scelto: rosso")
    player.chosen = 3
    click_at(find(app, "Riga 1, foro 3"))
    speech.says("Riga 1, foro 3: rosso")

    candidates = list(itertools.permutations(range(11), 4))
    guess, placed = (0, 1, 3, 4), (3,)
    for row in range(1, 13):
        told = player.play_row(row, guess, placed)
        if end_window(told):
            secret = end_dialog(speech, told, "Hai vinto!")
            if secret != [COLOURS[c] for c in guess]:
                raise Failed(f"won with {guess}, but the secret was said as {secret}")
            return
        reds, whites = result_of(row, told)
        candidates = [c for c in candidates if score(guess, c) == (reds, whites)]
        if not candidates:
            raise Failed(f"no secret fits what Orca said; last: {told!r}")
        guess, placed = candidates[0], ()
    raise Failed("twelve rows went by without a win or a loss")


def orca_from_the_start(speech, game):
    app = application(game.pid)
    speech.says("Cifrotto frame.")
    speech.says(START)
    key("alt+i")
    speech.says("Istruzioni dialog " + RULES)
    speech.says("OK button.")
    key("alt+o")
    speech.says("Cifrotto frame.")
    speech.says(START, "the start window's commands again")
    key("alt+c")
    speech.says("Cifrotto frame.")
    speech.says("Fine button.")
    win_by_keys(speech, app)
    # Another game, and the solution at once.
    key("alt+s")
    speech.says("Fine button.")
    key("alt+s")
    told = speech.expect(end_window, "the end window")
    end_dialog(speech, told, None)


def orca_later(speech, game):
    """Two rows played before Orca starts; the rest of a lost game with Orca."""
    find(application(game.pid), "Comincia")
    key("alt+c")
    time.sleep(1.0)
    key("Tab", "Tab", "Tab", "Tab", "Down")  # to row 1, bianco chosen
    for _ in range(2):
        key("space", "Right", "space", "Right", "space", "Right", "space", "Return")
        time.sleep(0.5)
    subprocess.run([os.environ["ORCA_START"]], check=True)
    speech.settle()
    # The player finds where they are by moving along the row.
    key("Right")
    speech.says("Riga 3, foro 2: vuoto button.")
    key("Left")
    speech.says("Riga 3, foro 1: vuoto button.")
    player = Player(speech)
    player.chosen = 0
    results = set()
    for row in range(3, 13):
        told = player.play_row(row, (0, 0, 0, 0))
        if row == 12:
            end_dialog(speech, told, "Hai perso!")
        else:
            results.add(result_of(row, told))
    if len(results) != 1:
        raise Failed(f"the same row was scored differently: {results}")


def main():
    game_path = sys.argv[1]
    later = "--orca-later" in sys.argv[2:]
    speech = Speech(os.environ["ORCA_LOG"])
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb")
    game = subprocess.Popen([game_path], env=environment)
    try:
        (orca_later if later else orca_from_the_start)(speech, game)
        key("alt+n")
        status = game.wait(timeout=PATIENCE)
    except Failed as failure:
        print(f"FAIL: {failure}", flush=True)
        game.kill()
        return 1
    finally:
        if game.poll() is None:
            game.kill()
    speech.since_mark()
    if speech.errors:
        print(f"FAIL: {speech.errors[:3]}", flush=True)
        return 1
    if status != 0:
        print(f"FAIL: the game ended with status {status}", flush=True)
        return 1
    print(f"Orca said {len(speech.heard)} things, all as a player needs them", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
