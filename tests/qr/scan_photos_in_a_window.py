"""Drives the real window through AT-SPI: picks photos in the scanner's photo picker.

Photos whose codes hold no pattern leave the board as it was and put "No pattern in
this picture" on the screen as an alert; a code on a transparent background loads its
pattern. Run by scan-photos-in-a-window.sh, which starts the app under Xvfb on a
private session bus with accessibility on; the photos lie in $HOME/Pictures.
"""
import os
import struct
import subprocess
import sys
import time

import pyatspi

PICTURES = os.path.join(os.environ["HOME"], "Pictures")
NOTICE = "No pattern in this picture"


def fail(message):
    print("FAILED:", message)
    sys.exit(1)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def showing(node):
    try:
        return pyatspi.STATE_SHOWING in node.getState().getStates()
    except Exception:  # gone while looked at
        return False


def find(root, role, name=None, timeout=10.0, enabled=False):
    """The first showing node of `role` (and `name`), waiting up to `timeout` seconds;
    with `enabled`, one not covered by a sheet over it."""
    end = time.time() + timeout
    while True:
        for node in walk(root):
            try:
                if node.getRoleName() == role and (name is None or node.name == name) and showing(node) \
                        and (not enabled or pyatspi.STATE_ENABLED in node.getState().getStates()):
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
    action = node.queryAction()
    try:
        action.doAction(0)
    except Exception:
        pass  # the button may be gone by the time the answer comes (a sheet it closed)


def screen_rows(extents):
    """The window's pixels as rows of bytes, from xwd."""
    data = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, check=True).stdout
    header = struct.unpack(">25I", data[:100])
    header_size, bits_per_pixel, bytes_per_line, colours = header[0], header[11], header[12], header[19]
    pixels = data[header_size + colours * 12:]
    x, y, width, height = extents
    step = bits_per_pixel // 8
    return [pixels[row * bytes_per_line + x * step:row * bytes_per_line + (x + width) * step] for row in range(y, y + height)]


def find_app(timeout=30.0):
    end = time.time() + timeout
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "cellarium":
                return app
        time.sleep(0.5)
    fail("cellarium never appeared on the accessibility bus")


def pick(app, photo):
    press(app, "push button", "Photo")
    dialog = find(app, "dialog", "Photo")
    if dialog is None:
        fail("the photo picker did not open")
    field = find(dialog, "text", "File name:")
    field.queryEditableText().setTextContents(os.path.join(PICTURES, photo))
    press(dialog, "push button", "Open")
    if not gone(app, "dialog", "Photo"):
        fail(f"the photo picker did not close on {photo}")


def main():
    app = find_app()
    for _ in range(12):  # the first-run guide
        if find(app, "push button", "Next", timeout=1) is None:
            break
        press(app, "push button", "Next")
        time.sleep(0.5)
    window = find(app, "filler", "Cellarium")
    extents = tuple(window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS))
    board = screen_rows(extents)

    press(app, "push button", "Options")
    press(app, "push button", "Scan QR code")
    for photo in ("hello.png", "address.png"):
        pick(app, photo)
        alert = find(app, "alert", NOTICE, timeout=15)
        if alert is None:
            fail(f"{photo}: no alert '{NOTICE}'")
        if find(app, "filler", "Scan window", timeout=0) is None:
            fail(f"{photo}: the scanner closed")
        print(f"{photo}: the scanner stays open and says '{alert.name}' as an alert")
    press(app, "push button", "Close")  # the scanner's, the topmost
    if not gone(app, "filler", "Scan window"):
        fail("the scanner did not close")
    press(app, "push button", "Close")  # the options screen's
    if not gone(app, "push button", "Scan QR code"):
        fail("the options screen did not close")
    time.sleep(1)
    if screen_rows(extents) != board:
        fail("the board changed")
    print("the board is as it was")

    press(app, "push button", "Options")
    press(app, "push button", "Scan QR code")
    pick(app, "transparent-glider.png")
    if not gone(app, "filler", "Scan window", timeout=15) or not gone(app, "push button", "Scan QR code"):
        fail("a code on a transparent background did not load its pattern")
    time.sleep(1)
    if screen_rows(extents) == board:
        fail("the board did not change for the transparent code's pattern")
    print("transparent-glider.png: its pattern is on the board")


main()
