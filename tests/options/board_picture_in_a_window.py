"""In a real window, through AT-SPI: the first-run pattern's board picture is saved
(Options, Board picture, Share, Save to Pictures) and the JPEG, decoded by djpeg,
shows the pattern across most of its width; then Share, Save animation writes a GIF
of at least 60 frames. Run by tests/support/in-a-window.sh.
"""
import os
import subprocess
import time

import pyatspi

from window_driver import fail, find_app, states, walk

PICTURES = os.path.join(os.environ["HOME"], "Pictures")


def named(root, name, timeout=10.0):
    """The topmost showing, enabled node of that name, of any role."""
    end = time.time() + timeout
    while True:
        found = None
        for node in walk(root):
            try:
                if node.name == name and pyatspi.STATE_SHOWING in states(node):
                    found = node
                    if pyatspi.STATE_ENABLED in states(node):
                        return node
            except Exception:
                pass
        if time.time() > end:
            return found
        time.sleep(0.2)


def tap(root, name):
    node = named(root, name)
    if node is None:
        fail(f"no '{name}' on the screen")
    try:
        node.queryAction().doAction(0)
    except Exception:
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2),
                        "click", "1"])
    time.sleep(0.5)


def saved(suffix, timeout=60.0):
    end = time.time() + timeout
    while time.time() < end:
        files = [f for f in os.listdir(PICTURES) if f.startswith("Cellarium ") and f.endswith(suffix)]
        if files:
            time.sleep(0.5)  # written whole before it is named, but be sure it is closed
            return os.path.join(PICTURES, files[0])
        time.sleep(0.3)
    return None


def pattern_span(jpeg):
    """The part of the picture's width between its leftmost and rightmost cell pixels."""
    ppm = subprocess.run(["djpeg", "-pnm", jpeg], capture_output=True, check=True).stdout
    fields, at = [], 0
    while len(fields) < 4:  # P6 width height maxval, whitespace separated
        while ppm[at:at + 1].isspace():
            at += 1
        start = at
        while not ppm[at:at + 1].isspace():
            at += 1
        fields.append(ppm[start:at])
    at += 1
    width, height = int(fields[1]), int(fields[2])
    pixels = ppm[at:]
    background = pixels[0:3]
    columns = set()
    for y in range(0, height, 2):
        row = pixels[y * width * 3:(y + 1) * width * 3]
        for x in range(width):
            p = row[x * 3:x * 3 + 3]
            if sum(abs(p[i] - background[i]) for i in range(3)) > 3 * 60:  # a cell, not a faint grid line
                columns.add(x)
    if not columns:
        return width, 0.0
    return width, (max(columns) - min(columns) + 1) / width


def gif_frames(path):
    """Image descriptors in the GIF, found by walking its blocks."""
    data = open(path, "rb").read()
    if data[:6] not in (b"GIF87a", b"GIF89a"):
        fail(f"{path} is no GIF")
    at = 13
    flags = data[10]
    if flags & 0x80:
        at += 3 * (2 << (flags & 7))
    frames = 0

    def skip_sub_blocks(at):
        while data[at] != 0:
            at += data[at] + 1
        return at + 1

    while at < len(data):
        block = data[at]
        if block == 0x3B:  # trailer
            return frames
        if block == 0x21:  # extension
            at = skip_sub_blocks(at + 2)
        elif block == 0x2C:  # image
            frames += 1
            local = data[at + 9]
            at += 10
            if local & 0x80:
                at += 3 * (2 << (local & 7))
            at = skip_sub_blocks(at + 1)  # after the LZW minimum code size
        else:
            fail(f"a broken GIF block at {at}")
    fail("the GIF has no trailer")


def main():
    app = find_app()
    for _ in range(12):  # the first-run guide, page by page
        if named(app, "Next", timeout=2) is None:
            break
        tap(app, "Next")
    tap(app, "Options")
    tap(app, "Board picture")
    tap(app, "Share")
    tap(app, "Save to Pictures")
    jpeg = saved(".jpg")
    if jpeg is None:
        fail("Save to Pictures wrote no picture")
    width, span = pattern_span(jpeg)
    if width < 1024 or span < 0.5:
        fail(f"the pattern spans {span:.0%} of a picture {width} pixels wide")

    tap(app, "Share")
    tap(app, "Save animation")
    gif = saved(".gif")
    if gif is None:
        fail("Save animation wrote no GIF")
    frames = gif_frames(gif)
    if frames < 60:
        fail(f"the animation has {frames} frames")
    print(f"picture {width} pixels wide, the pattern across {span:.0%}; animation of {frames} frames")


if __name__ == "__main__":
    main()
