"""Clear, then Ctrl+Z, in the real window: the cells come back.

The first-run pattern is on the board after the guide. Options, Clear: the board
changes; Ctrl+Z fills it again; Ctrl+Shift+Z clears it again and Ctrl+Y after
another Ctrl+Z too; a last Ctrl+Z and one step count the cells in the title.
Run by tests/support/in-a-window.sh.
"""
import re
import time

import pyatspi

from window_driver import fail, find_app, focus_window, gone, key, press, screen_rows, through_the_guide, walk


def settled(name):
    key(name, pause=1)  # drawn, and any zoom animation over


def main():
    app = find_app()
    through_the_guide(app)
    focus_window()
    time.sleep(1)
    # The board alone: the buttons around it change with the focus.
    board = next((node for node in walk(app) if node.name == "Board"), None)
    if board is None:
        fail("no node named Board")
    extents = tuple(board.queryComponent().getExtents(pyatspi.DESKTOP_COORDS))
    drawn = screen_rows(extents)

    press(app, "push button", "Options")
    press(app, "push button", "Clear")
    if not gone(app, "push button", "Clear"):
        fail("the options stayed after Clear")
    focus_window()
    time.sleep(1)
    cleared = screen_rows(extents)
    if cleared == drawn:
        fail("Clear did not change the board")

    settled("ctrl+z")
    undone = screen_rows(extents)
    if undone == cleared:
        fail("Ctrl+Z after Clear left the board empty")
    print("Ctrl+Z brought the cleared board back")
    settled("ctrl+shift+z")
    if screen_rows(extents) != cleared:
        fail("Ctrl+Shift+Z did not clear the board again")
    settled("ctrl+z")
    settled("ctrl+y")
    if screen_rows(extents) != cleared:
        fail("Ctrl+Y did not clear the board again")
    print("Ctrl+Shift+Z and Ctrl+Y cleared it again")
    settled("ctrl+z")
    # The cells are back: one step counts them in the title (an empty board has none).
    settled("n")
    title = next((w.name for w in app if w is not None and w.name.startswith("Cellarium")), None)
    match = re.fullmatch(r"Cellarium — generation 1, (\d+) cells?", title or "")
    if not match or int(match.group(1)) == 0:
        fail(f"after Ctrl+Z and one step the title reads {title!r}")
    print(f"and Ctrl+Z again brought the cells back: {title}")


main()
