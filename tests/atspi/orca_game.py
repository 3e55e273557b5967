#!/usr/bin/python3
"""orca_game.py GAME [--orca-later]: a blind player's games of Cifrotto, checked against what
Orca, the screen reader, says. Runs under with-orca.sh; the game is started as a player starts
it, with nothing telling it that a screen reader listens.

The player uses the keyboard (xdotool, through the X server, as a real keyboard would) and a
mouse click or two, and hears the game only through Orca's speech log: the rows' results that
the solver reads are the ones Orca spoke. Every step waits for what Orca must say and fails
with what was heard when it does not come. The whole log is one transcript: every word of the
game's that Orca says must be the next one the player waits for, so nothing is said twice, out
of order or unasked, and after the last end window's "Sì" nothing more until the game has
ended. No step waits for a time: each waits for what Orca says, or for what AT-SPI shows. Orca
must never fail on one of the game's events. Orca 43 and Orca 48 word roles, stops and key
echoes each their own way; one rule, games_words(), sets those aside, never the game's words.

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

from game_client import (COLOURS, LOST, PATIENCE, QUESTION, RULES, START, WON, Failed,
                         application, score, wait_for)
from gi.repository import Atspi

# Orca's own words, wherever they come; all else Orca says is the game's. Roles and states as
# either Orca words them, a key's echo (Orca 48 echoes letters too), Orca's greeting, and the
# palette's name alone, which Orca 48 says again before each swatch as a radio button's group.
ORCA_WORDS = re.compile(r"\b(?:push button|radio button|button|frame|panel|dialog|alert|"
                        r"not selected|selected)\b")
ORCA_UTTERANCES = re.compile(r"Screen reader on\.|left (?:alt|shift)|tab|space|return|[a-z]|"
                             r"Colori\.")


def games_words(text):
    """The game's words in an utterance, or in a text the player waits for, without the stops
    that Orca 43 adds after them."""
    if ORCA_UTTERANCES.fullmatch(text.strip()):
        return []
    return [word.rstrip(".") for word in ORCA_WORDS.sub(" ", text).split() if word != "."]


class Transcript:
    """Orca's debug log, read as it grows (one "SPEECH OUTPUT: '...'" line per utterance), and
    what went wrong: a word of the game's other than the next one waited for, or Orca failing on
    an event (Orca 43 logs "Could not process ...", Orca 48 the handler's traceback; with no
    speech server and braille off, see with-orca.sh, any traceback is one of the game's
    events)."""

    LINE = re.compile(r"SPEECH OUTPUT: '(.*)'")

    def __init__(self, path):
        self.path = path
        self.said = []  # every utterance
        self.words = []  # the game's words in them, each with its utterance's index
        self.heard = 0  # the game's words waited for and heard
        self.errors = []
        self.traceback = None  # the lines of one being read
        self.offset = 0

    def read(self):
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
                self.words += [(word, len(self.said)) for word in games_words(match.group(1))]
                self.said.append(match.group(1).strip())

    def _match(self, wanted, at):
        """Where the words from at on end if they begin with wanted, and what matched; None if
        they differ, ... if they might still come."""
        rest = [word for word, _ in self.words[at:]]
        if isinstance(wanted, re.Pattern):
            if not rest:
                return ...
            text = " ".join(rest)
            match = wanted.match(text)
            if not match or text[match.end():match.end() + 1] not in ("", " "):
                return None
            return at + len(match.group(0).split()), match
        expected = games_words(wanted)
        if rest[:len(expected)] != expected[:len(rest)]:
            return None
        return (at + len(expected), wanted) if len(rest) >= len(expected) else ...

    def _match_all(self, wanted, at):
        found = None
        for each in wanted:
            result = self._match(each, at)
            if result in (None, ...):
                return result
            at, found = result
        return at, found

    def hear(self, *wanted):
        """Waits until the game's next words in Orca's speech are wanted: texts or patterns
        (the match is returned); fails at once on others."""
        deadline = time.monotonic() + PATIENCE
        while True:
            self.read()
            result = self._match_all(wanted, self.heard)
            if self.errors:
                raise Failed(f"waiting for {wanted}: {self.errors[0]}")
            if result is None or time.monotonic() > deadline:
                said = self.said[self.words[self.heard][1] if self.heard < len(self.words) else -1:]
                raise Failed(f"waiting for {wanted}, Orca said {said}")
            if result is not ...:
                self.heard, found = result
                return found
            time.sleep(0.02)

    def unasked(self):
        """What Orca said from the first of the game's words not waited for on, if any."""
        self.read()
        return self.said[self.words[self.heard][1]:] if self.heard < len(self.words) else []


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)


def click_at(accessible):
    """A mouse click in the middle of a control, where the screen reader says it lies."""
    box = accessible.get_extents(Atspi.CoordType.SCREEN)
    subprocess.run(["xdotool", "mousemove", "--sync", str(box.x + box.width // 2),
                    str(box.y + box.height // 2), "click", "1"], check=True)


def find(app, name, state=Atspi.StateType.SHOWING):
    """The control of the game called name (by its start) in state, once there is one."""
    def walk(node):
        if node is None:
            return None
        if (node.get_name() or "").startswith(name) and node.get_state_set().contains(state):
            return node
        for i in range(node.get_child_count()):
            found = walk(node.get_child_at_index(i))
            if found:
                return found
        return None
    return wait_for(f"a control named {name!r} in state {state.value_nick}", lambda: walk(app))


# --- The player -----------------------------------------------------------------------------

def result(row):
    return re.compile(rf"Riga {row}: (?:nessun colore giusto|(\d+) ross[oi], (\d+) bianc(?:o|hi))")


class Player:
    """Plays rows by keys from the open row's first hole, and hears what Orca answers."""

    def __init__(self, transcript):
        self.transcript = transcript
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
            self.transcript.hear(f"Colore scelto: {COLOURS[self.chosen]}")

    def play_row(self, row, guess, placed=()):
        """Fills the open row, the focus on its first hole, and confirms it. Columns in placed
        (never the last) hold their colour already. Returns the row's result as Orca said it,
        or None when the end window opened."""
        for column, colour in enumerate(guess, start=1):
            if column not in placed:
                if self.chosen != colour:
                    self.choose_on_row(colour)
                key("Return" if column == 2 else "space")  # a peg by Return, the rest by Space
                peg = f"Riga {row}, foro {column}: {COLOURS[colour]}"
                # The peg that fills the row is news on "&Conferma", where the focus moves.
                self.transcript.hear(*([peg] if column < 4 else ["Conferma", peg]))
            if column < 4:
                key("Right")
                shown = COLOURS[guess[column]] if column + 1 in placed else "vuoto"
                self.transcript.hear(f"Riga {row}, foro {column + 1}: {shown}")
        key("Return")
        if self.transcript.hear(re.compile(rf"Cifrotto|Riga {row + 1}")).group(0) == "Cifrotto":
            return None
        return self.transcript.hear(f"Riga {row + 1}, foro 1: vuoto", result(row))


def end_dialog(transcript, outcome):
    """The end window, as it opens, says the outcome, the secret in order and the question,
    each once, then "&Sì", which has the focus and keeps it: nothing more is said, as the next
    words waited for, or the end of the transcript, show. Returns the secret's colours."""
    prefix = re.escape(f"{outcome} " if outcome else "")
    told = transcript.hear(re.compile(prefix + r"Combinazione: ((?:\w+, ){3}\w+) "
                                      + re.escape(QUESTION)))
    transcript.hear("Sì")
    return told.group(1).split(", ")


def win_by_keys(transcript, app):
    """A game won by keys and two clicks, by a consistent-guess solver that knows only what
    Orca said."""
    player = Player(transcript)
    # From "&Fine", which has the focus, to the first hole: with no colour chosen, Space puts
    # no peg in, and says so.
    for said in (["Ricomincia"], ["Soluzione"], ["Colori", "bianco"],
                 ["Riga 1", "Riga 1, foro 1: vuoto"]):
        key("Tab")
        transcript.hear(*said)
    key("space")
    transcript.hear("Nessun colore scelto")
    # Back to the palette. Down chooses bianco where the focus stands, which is news; the
    # next Down moves the focus to nero, chosen with it.
    key("shift+Tab")
    transcript.hear("Colori", "bianco")
    key("Down")
    transcript.hear("Colore scelto: bianco")
    key("Down")
    transcript.hear("nero")
    key("Tab")
    transcript.hear("Riga 1", "Riga 1, foro 1: vuoto")
    # Clicks away from the focus are news where the focus stands.
    click_at(find(app, "rosso"))
    transcript.hear("Colore scelto: rosso")
    player.chosen = 3
    click_at(find(app, "Riga 1, foro 3"))
    transcript.hear("Riga 1, foro 3: rosso")

    candidates = list(itertools.permutations(range(11), 4))
    guess, placed = (0, 1, 3, 4), (3,)
    for row in range(1, 13):
        told = player.play_row(row, guess, placed)
        if told is None:
            secret = end_dialog(transcript, WON)
            if secret != [COLOURS[c] for c in guess]:
                raise Failed(f"won with {guess}, but the secret was said as {secret}")
            return
        reds, whites = int(told.group(1) or 0), int(told.group(2) or 0)
        candidates = [c for c in candidates if score(guess, c) == (reds, whites)]
        if not candidates:
            raise Failed(f"no secret fits what Orca said; last: {told.group(0)!r}")
        guess, placed = candidates[0], ()
    raise Failed("twelve rows went by without a win or a loss")


def orca_from_the_start(transcript, game):
    app = application(game.pid)
    transcript.hear("Cifrotto", START)
    key("alt+i")
    transcript.hear("Istruzioni " + RULES, "OK")
    key("alt+o")
    transcript.hear("Cifrotto", START)
    key("alt+c")
    transcript.hear("Cifrotto", "Fine")
    win_by_keys(transcript, app)
    # Another game, and the solution at once.
    key("alt+s")
    transcript.hear("Cifrotto", "Fine")
    key("alt+s")
    transcript.hear("Cifrotto")
    end_dialog(transcript, None)


def orca_later(transcript, game):
    """Two rows played before Orca starts; the rest of a lost game with Orca, whose transcript
    begins at the first key it hears. Without Orca each key goes to the game as typed, so only
    the window the keys go to, and the focus on the row after the last one confirmed, are
    waited for."""
    app = application(game.pid)
    find(app, "Cifrotto", Atspi.StateType.ACTIVE)
    key("alt+c")
    find(app, "Fine", Atspi.StateType.FOCUSED)
    key("Tab", "Tab", "Tab", "Tab", "Down")  # to row 1, bianco chosen
    for _ in range(2):
        key("space", "Right", "space", "Right", "space", "Right", "space", "Return")
    find(app, "Riga 3, foro 1: vuoto", Atspi.StateType.FOCUSED)
    # Orca has said all it says as it starts (where the focus is) by the time it listens.
    subprocess.run([os.environ["ORCA_START"]], check=True)
    transcript.read()
    transcript.heard = len(transcript.words)
    # The player finds where they are by moving along the row.
    key("Right")
    transcript.hear("Riga 3, foro 2: vuoto")
    key("Left")
    transcript.hear("Riga 3, foro 1: vuoto")
    player = Player(transcript)
    player.chosen = 0
    results = set()
    for row in range(3, 13):
        told = player.play_row(row, (0, 0, 0, 0))
        if row == 12:
            end_dialog(transcript, LOST)
        else:
            results.add(told.group(0).split(": ")[1])
    if len(results) != 1:
        raise Failed(f"the same row was scored differently: {results}")


def main():
    game_path = sys.argv[1]
    later = "--orca-later" in sys.argv[2:]
    transcript = Transcript(os.environ["ORCA_LOG"])
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb")
    game = subprocess.Popen([game_path], env=environment)
    try:
        (orca_later if later else orca_from_the_start)(transcript, game)
        key("alt+n")
        status = game.wait(timeout=PATIENCE)
    except Failed as failure:
        print(f"FAIL: {failure}", flush=True)
        game.kill()
        return 1
    finally:
        if game.poll() is None:
            game.kill()
    unasked = transcript.unasked()
    if transcript.errors:
        print(f"FAIL: {transcript.errors[:3]}", flush=True)
        return 1
    if unasked:
        print(f"FAIL: after the last end window's 'Sì', Orca said {unasked}", flush=True)
        return 1
    if status != 0:
        print(f"FAIL: the game ended with status {status}", flush=True)
        return 1
    print(f"Orca said {len(transcript.said)} things, all as a player needs them", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
