"""The app ended and started again shows the same board, in a real window.

Through the first-run guide with Return; in the options (Ctrl+comma) Return on Board
size, Drawing mode and Speed changes each; Escape closes them; Ctrl+plus zooms in. The
app is ended with SIGTERM and started again from the same program: its window shows
the same picture, and the options the same three settings. Run by tests/support/in-a-window.sh.
"""
import os
import signal
import subprocess
import time

import pyatspi

from window_driver import expect_focus, fail, find, find_app, focus_window, gone, key, screen_rows, states, through_the_guide, walk

SETTINGS = ("Board size", "Drawing mode", "Speed")






def described(app, name):
    for node in walk(app):
        try:
            if node.name == name and pyatspi.STATE_SHOWING in states(node):
                return node.description
        except Exception:
            pass
    return None


def open_options(app):
    key("ctrl+comma")
    if find(app, "push button", "Close") is None:
        fail("Ctrl+comma did not open the options")
    expect_focus(app, "Board size")


def settings(app):
    open_options(app)
    shown = {name: described(app, name) for name in SETTINGS}
    key("Escape")
    if not gone(app, "push button", "Close"):
        fail("Escape did not close the options")
    return shown


def picture(app):
    """The window's pixels, once the board has settled."""
    frame = next((window for window in app if window is not None and pyatspi.STATE_SHOWING in states(window)), None)
    if frame is None:
        fail("no window shown")
    time.sleep(2)  # past any eased zoom
    extents = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return screen_rows((extents.x, extents.y, extents.width, extents.height))


def end(pid):
    os.kill(pid, signal.SIGTERM)
    deadline = time.time() + 60
    while os.path.exists(f"/proc/{pid}") and time.time() < deadline:
        try:
            if open(f"/proc/{pid}/stat").read().split()[2] == "Z":
                break  # ended, not yet reaped by its parent
        except OSError:
            break
        time.sleep(0.2)


def main():
    app = find_app()
    pid = app.get_process_id()
    program = os.readlink(f"/proc/{pid}/exe")
    focus_window()
    through_the_guide(app, by_keyboard=True)

    open_options(app)
    before = {name: described(app, name) for name in SETTINGS}
    for name in SETTINGS:
        expect_focus(app, name)
        key("Return")
        key("Right")
    changed = {name: described(app, name) for name in SETTINGS}
    for name in SETTINGS:
        if changed[name] == before[name]:
            fail(f"Return did not change {name} ({before[name]!r})")
    key("Escape")
    if not gone(app, "push button", "Close"):
        fail("Escape did not close the options")
    key("ctrl+plus")  # a view of its own, not the framing a board gets at start
    shown = picture(app)

    end(pid)
    again = subprocess.Popen([program], stderr=subprocess.DEVNULL)
    try:
        end_time = time.time() + 90
        app = None
        while app is None and time.time() < end_time:
            for candidate in pyatspi.Registry.getDesktop(0):
                if candidate is not None and candidate.name == "cellarium" \
                        and candidate.get_process_id() == again.pid:
                    app = candidate
            time.sleep(0.5)
        if app is None:
            fail("cellarium did not come back")
        focus_window()
        if find(app, "push button", "Next", timeout=2) is not None:
            fail("the guide showed again")
        if picture(app) != shown:
            fail("the board started again does not look as it was left")
        kept = settings(app)
        if kept != changed:
            fail(f"the settings started again are {kept}, not {changed}")
    finally:
        again.send_signal(signal.SIGTERM)
        again.wait(timeout=60)
    print("the board started again is the board that was left")


main()
