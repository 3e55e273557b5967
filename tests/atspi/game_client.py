"""What the game's AT-SPI clients share: its colours, rules text and the start and end windows'
words, a row's score, and finding the running game on the bus."""

import os
import re
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402 (after the version is chosen)

COLOURS = ["bianco", "nero", "rosa", "rosso", "arancio", "giallo",
           "verde", "azzurro", "blu", "viola", "lilla"]
SUPPORT = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "support")
# The rules as the player reads them, typed once for every test; the game's copy is checked
# against this one.
with open(os.path.join(SUPPORT, "rules_text.txt"), encoding="utf-8") as rules_file:
    RULES = rules_file.read()
# What the start window says of its buttons, and the end window's messages and question, read
# from their one home, the C++ tests' windows_named.h.
with open(os.path.join(SUPPORT, "windows_named.h"), encoding="utf-8") as named_file:
    NAMED = dict(re.findall(r'(k\w+) =\s*QStringLiteral\("(.*)"\);', named_file.read()))
START, WON, LOST, QUESTION = (NAMED[k] for k in ("kStartSaid", "kWon", "kLost", "kQuestion"))
# Long enough for a loaded machine and a sanitizer build; only silence waits this long.
PATIENCE = 30.0


class Failed(Exception):
    """The game, or the screen reader, did not do what a player needs."""


def score(guess, secret):
    """Reds and whites of a guess: colours never repeat in a row or in the secret."""
    reds = sum(g == s for g, s in zip(guess, secret))
    return reds, len(set(guess) & set(secret)) - reds


def pump():
    """Lets libatspi handle what has arrived, which is how its cache learns of changes."""
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(what, predicate):
    """Polls, pumping, until predicate gives a true value, and returns it."""
    deadline = time.monotonic() + PATIENCE
    while True:
        pump()
        result = predicate()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failed("waited in vain for " + what)
        time.sleep(0.02)


def application(pid):
    """The game's application on the AT-SPI desktop, once it is there."""
    def find():
        desktop = Atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(index)
            if app is not None and app.get_process_id() == pid:
                return app
        return None
    return wait_for("the game on the AT-SPI bus", find)
