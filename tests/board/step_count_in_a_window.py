"""N pressed k times in the real window gives generation k in the window's title, as a
screen reader reads it through AT-SPI, and the board's description says the same.
Run by tests/support/in-a-window.sh.
"""
import re
import time

from window_driver import fail, find_app, focus_window, key, through_the_guide, walk

STEPS = 5



def window_title(app):
    """The name of the app's window, as a screen reader reads the title."""
    try:
        for window in app:
            if window is not None and window.name.startswith("Cellarium"):
                return window.name
    except Exception:
        pass
    return None


def wait_for_title(app, generation, timeout=10.0):
    """The frame's title once it names `generation`, or fail with the last one read."""
    end = time.time() + timeout
    title = None
    while time.time() < end:
        title = window_title(app)
        if title and re.fullmatch(r"Cellarium — generation %d, \d+ cells?" % generation, title):
            return title
        time.sleep(0.2)
    fail(f"after {generation} presses of N the title reads {title!r}")


def main():
    app = find_app()
    focus_window()
    time.sleep(1)
    through_the_guide(app, by_keyboard=True)
    if window_title(app) != "Cellarium":
        fail(f"before any step the title reads {window_title(app)!r}")

    # One press at a time: a press while a step is being computed is dropped.
    for k in range(1, STEPS + 1):
        key("n", pause=0)
        title = wait_for_title(app, k)
    board = next((node for node in walk(app) if node.name == "Board"), None)
    if board is None:
        fail("no node named Board")
    if board.description != title:
        fail(f"the board's description {board.description!r} is not the title {title!r}")
    print(f"N pressed {STEPS} times: {title}")


main()
