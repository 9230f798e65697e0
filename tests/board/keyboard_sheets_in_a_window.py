"""Drives the real window by keyboard alone (xdotool), watching it through AT-SPI.

Through the first-run guide with Return; Ctrl+comma opens the options, where a
covered Start refuses its action; the arrows move the grid's current tile, which
is the accessible focus; Return saves, and once the alert has gone Escape closes
the options. Options, QR code, Share, Save to Pictures: Escape closes the QR
screen, Escape again the options. Run by tests/support/in-a-window.sh.
"""
import os
import time

from window_driver import expect_focus, fail, find, find_app, focus_window, focused, gone, key, through_the_guide





def open_options(app):
    key("ctrl+comma")
    if find(app, "push button", "Close") is None:
        fail("Ctrl+comma did not open the options")
    expect_focus(app, "Board size")


def tab_to(app, name, limit=12):
    for _ in range(limit):
        if focused(app) == name:
            return
        key("Tab")
    fail(f"Tab never reached {name!r} (last {focused(app)!r})")


def main():
    app = find_app()
    focus_window()
    time.sleep(1)
    through_the_guide(app, by_keyboard=True)

    open_options(app)
    start = find(app, "push button", "Start")
    if start is not None:
        try:
            start.queryAction().doAction(0)
        except Exception:
            pass
        time.sleep(0.5)
        if find(app, "push button", "Pause", timeout=0) is not None:
            fail("Start under the options screen was pressed through the accessibility tree")
    key("Right")
    expect_focus(app, "Drawing mode")
    key("Home", *["Right"] * 8)
    expect_focus(app, "Save to archive")
    key("Return")
    if find(app, "alert", "Saved") is None:
        fail("no alert said Saved")
    if not gone(app, "alert", "Saved"):
        fail("the alert stayed")
    key("Escape")
    if not gone(app, "push button", "Close"):
        fail("Escape after the alert did not close the options")

    open_options(app)
    key(*["Right"] * 6)
    expect_focus(app, "QR code")
    key("Return")
    if find(app, "push button", "Share") is None:
        fail("the QR screen did not open")
    tab_to(app, "Share")
    key("Return")
    if find(app, "push button", "Save to Pictures") is None:
        fail("the share sheet did not open")
    tab_to(app, "Save to Pictures")
    key("Return")
    if not gone(app, "push button", "Save to Pictures"):
        fail("the share sheet stayed after saving")
    if not any(name.endswith(".jpg") or name.endswith(".jpeg") for name in os.listdir(os.path.join(os.environ["HOME"], "Pictures"))):
        fail("nothing was saved to Pictures")
    key("Escape")
    if not gone(app, "push button", "Share"):
        fail("Escape after the share sheet did not close the QR screen")
    if find(app, "push button", "Close", timeout=2) is None:
        fail("the options went with the QR screen")
    key("Escape")
    if not gone(app, "push button", "Close"):
        fail("Escape did not close the options after the QR screen")
    print("by keyboard: options opened, saved, moved, closed; QR code shared and both sheets closed with Escape")


main()
