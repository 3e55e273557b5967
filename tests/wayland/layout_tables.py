"""layout_tables.py: what the Wayland tests read of the windows' layout tables."""

import os
import re


def opening(layouts, window):
    """A window's client area at its opening size, in logical pixels: the twips of its layout
    table in the folder layouts, 15 to the pixel, rounded."""
    with open(os.path.join(layouts, f"{window}_layout.h"), encoding="utf-8") as table:
        twips = re.search(r'kForm\{"\w+", "[^"]*", (\d+), (\d+),', table.read()).groups()
    return tuple(int(int(length) / 15 + 0.5) for length in twips)
