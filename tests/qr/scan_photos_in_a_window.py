"""Drives the real window through AT-SPI: picks photos in the scanner's photo picker.

Photos whose codes hold no pattern leave the board as it was and put "No pattern in
this picture" on the screen as an alert; a code on a transparent background loads its
pattern. Run by tests/support/in-a-window.sh; the photos are made in $HOME/Pictures.
"""
import os
import subprocess
import time

import pyatspi

from window_driver import fail, find, find_app, gone, press, screen_rows, through_the_guide

PICTURES = os.path.join(os.environ["HOME"], "Pictures")
NOTICE = "No pattern in this picture"


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


def make_photos():
    for name, text, options in (("hello.png", "hello", []), ("address.png", "https://example.com/cellarium", []),
                                ("transparent-glider.png",
                                 '[{"x":1,"y":0},{"x":2,"y":1},{"x":0,"y":2},{"x":1,"y":2},{"x":2,"y":2}]',
                                 ["-8", "--background=00000000"])):
        subprocess.run(["qrencode", *options, "-o", os.path.join(PICTURES, name), text], check=True)


def main():
    make_photos()
    app = find_app()
    through_the_guide(app)
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
