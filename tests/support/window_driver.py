"""What the real-window checks share: finding the app and its controls through AT-SPI,
pressing them, and reading the screen's pixels. Used by the drivers that
tests/support/in-a-window.sh runs."""
import struct
import subprocess
import sys
import time

import pyatspi


def fail(message):
    print("FAILED:", message)
    sys.exit(1)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def states(node):
    try:
        return node.getState().getStates()
    except Exception:  # gone while looked at
        return []


def find(root, role, name=None, timeout=10.0, enabled=False):
    """The first showing node of `role` (and `name`), waiting up to `timeout` seconds;
    with `enabled`, one not covered by a sheet over it."""
    end = time.time() + timeout
    while True:
        for node in walk(root):
            try:
                if node.getRoleName() == role and (name is None or node.name == name) \
                        and pyatspi.STATE_SHOWING in states(node) \
                        and (not enabled or pyatspi.STATE_ENABLED in states(node)):
                    return node
            except Exception:
                pass
        if time.time() > end:
            return None
        time.sleep(0.2)


def gone(root, role, name, timeout=10.0):
    end = time.time() + timeout
    while find(root, role, name, timeout=0) is not None:
        if time.time() > end:
            return False
        time.sleep(0.2)
    return True


def press(root, role, name):
    # The topmost of its name: controls under a sheet are disabled (their action refused).
    node = find(root, role, name)
    if node is not None:
        node = find(root, role, name, timeout=0, enabled=True) or node
    if node is None:
        fail(f"no {role} '{name}' on the screen")
    try:
        node.queryAction().doAction(0)
    except Exception:
        pass  # the button may be gone by the time the answer comes (a sheet it closed)


def find_app(timeout=90.0):
    # Bounded for a hang only: a sanitized build starts slowly on a loaded machine.
    end = time.time() + timeout
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "cellarium":
                return app
        time.sleep(0.5)
    fail("cellarium never appeared on the accessibility bus")


def screen_rows(extents):
    """The pixels inside `extents` (x, y, width, height) as rows of bytes, from xwd."""
    data = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, check=True).stdout
    header = struct.unpack(">25I", data[:100])
    header_size, bits_per_pixel, bytes_per_line, colours = header[0], header[11], header[12], header[19]
    pixels = data[header_size + colours * 12:]
    x, y, width, height = extents
    step = bits_per_pixel // 8
    return [pixels[row * bytes_per_line + x * step:row * bytes_per_line + (x + width) * step]
            for row in range(y, y + height)]


def key(*names, pause=0.25):
    """Presses each key (xdotool names) in turn on the focused window."""
    for name in names:
        subprocess.run(["xdotool", "key", name], check=True)
        time.sleep(pause)


def focused(root):
    """The innermost focused node's name: a grid's current tile, not the grid."""
    name = None
    for node in walk(root):
        try:
            if pyatspi.STATE_FOCUSED in states(node) and pyatspi.STATE_SHOWING in states(node):
                name = node.name
        except Exception:
            pass
    return name


def expect_focus(app, name, timeout=10.0):
    end = time.time() + timeout
    while focused(app) != name:
        if time.time() > end:
            fail(f"the focus is on {focused(app)!r}, not {name!r}")
        time.sleep(0.2)


def focus_window():
    """Gives the app's window the keyboard, as a click on it would."""
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Cellarium"],
                            capture_output=True, text=True).stdout.split()
    if not window:
        fail("no window")
    subprocess.run(["xdotool", "windowfocus", "--sync", window[0]])


def through_the_guide(app, by_keyboard=False):
    """Goes through the first-run guide page by page, with Return or by pressing Next."""
    for _ in range(12):
        page = find(app, "push button", "Next", timeout=1)
        if page is None:
            break
        if by_keyboard:
            key("Return", pause=0)
        else:
            try:  # the last page's button may be gone by now, the guide closing
                page.queryAction().doAction(0)
            except Exception:
                pass
        time.sleep(0.6)
    if not gone(app, "push button", "Next"):
        fail("the first-run guide stayed")
