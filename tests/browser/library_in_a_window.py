"""In a real window, through AT-SPI: Options -> Archive -> the Library tab -> Loaf loads
the loaf onto the middle of the board and closes both sheets. The board is then saved
to the archive from the options and read back with cellarium-archive (its path in
CELLARIUM_ARCHIVE): exactly the loaf's seven cells, centred on the 190 board, in place
of the first-run pattern. Run by tests/support/in-a-window.sh.
"""
import json
import os
import subprocess

from window_driver import fail, find, find_app, gone, press, through_the_guide

ROWS = 190
LOAF = [".OO.", "O..O", ".O.O", "..O."]  # the loaf as its definition draws it


def expected_cells():
    left, top = (ROWS - len(LOAF[0])) // 2, (ROWS - len(LOAF)) // 2
    return {(left + x, top + y) for y, row in enumerate(LOAF) for x, c in enumerate(row) if c == "O"}


def main():
    archive_tool = os.environ.get("CELLARIUM_ARCHIVE")
    if not archive_tool:
        fail("CELLARIUM_ARCHIVE is not set")
    app = find_app()
    if find(app, "push button", "Options", timeout=60) is None:
        fail("the app did not show its board")
    through_the_guide(app)

    press(app, "push button", "Options")
    press(app, "push button", "Archive")
    press(app, "page tab", "Library")
    if find(app, "push button", "Loaf") is None:
        fail("the library shows no Loaf")
    press(app, "push button", "Loaf")
    if not gone(app, "push button", "Close"):
        fail("choosing Loaf left a sheet open")

    press(app, "push button", "Options")
    press(app, "push button", "Save to archive")
    if find(app, "alert", "Saved") is None:
        fail("saving the board said nothing")
    if not gone(app, "alert", "Saved"):
        fail("the Saved alert stayed")
    press(app, "push button", "Close")
    shown = subprocess.run([archive_tool, "show", "0", "--to", "json"], capture_output=True, text=True)
    if shown.returncode != 0:
        fail("cellarium-archive show failed: " + shown.stderr.strip())
    cells = {(c["x"], c["y"]) for c in json.loads(shown.stdout)}
    if cells != expected_cells():
        fail(f"the board held {sorted(cells)}, not the loaf centred: {sorted(expected_cells())}")
    print("Options, Archive, Library, Loaf: the loaf alone, centred on the board, both sheets closed")


main()
