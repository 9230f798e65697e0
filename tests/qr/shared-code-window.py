#!/usr/bin/env python3
"""In a real window, through AT-SPI: a pattern whose JSON is too large for a QR code,
lying near a corner of the 760 board, is loaded from the archive (the board grows to
760 to hold it), shared from options -> QR code -> Share -> Save to Pictures, and the
saved JPEG read with zbarimg: its text (RLE with a Pos line) must convert back to the
same cells at the same places.

usage: shared-code-window.py CELLARIUM CELLARIUM_LIFE CELLARIUM_ARCHIVE
Runs itself under an X server of its own (tests/support/with-xvfb.sh) and dbus-run-session.
Exit status 0 on success, 1 on a fault, 77 (skipped) without Xvfb, dbus-run-session,
zbarimg or pyatspi.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
PYTHON = '/usr/bin/python3'  # the system's, which has pyatspi


def pattern():
    """A checkerboard block near the bottom-right corner and one cell near the top-left."""
    cells = {(20, 30)}
    for y in range(40):
        for x in range(0, 40, 2):
            cells.add((680 + x + y % 2, 700 + y))
    return cells


def outer(args):
    for tool in ('Xvfb', 'dbus-run-session', 'zbarimg'):
        if not shutil.which(tool):
            print('skipped: %s is missing' % tool)
            return SKIP
    if subprocess.run([PYTHON, '-c', 'import pyatspi'], capture_output=True).returncode != 0:
        print('skipped: python3-pyatspi is missing')
        return SKIP
    with_xvfb = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support', 'with-xvfb.sh')
    return subprocess.run([with_xvfb, 'dbus-run-session', '--',
                           PYTHON, os.path.abspath(__file__), '--inner'] + args, timeout=240).returncode


def inner(app, life, archive):
    import pyatspi

    home = tempfile.mkdtemp(prefix='cellarium-window-')
    env = dict(os.environ, HOME=home, XDG_DATA_HOME=home + '/data', XDG_CONFIG_HOME=home + '/config',
               XDG_CACHE_HOME=home + '/cache', XDG_RUNTIME_DIR=home, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_ACCESSIBILITY='1')
    env['QT_QPA_PLATFORM'] = 'xcb'  # a real window, whatever the suite runs under
    pictures = os.path.join(home, 'Pictures')
    os.makedirs(pictures)
    cells = pattern()
    encoding = json.dumps([{'x': x, 'y': y} for x, y in sorted(cells)], separators=(',', ':'))
    assert len(encoding) > 2331
    added = subprocess.run([archive, 'add'], input=encoding, text=True, env=env, capture_output=True)
    if added.returncode != 0:
        print('cellarium-archive add failed: ' + added.stderr.strip())
        return 1

    proc = subprocess.Popen([app], env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    status = 1
    try:
        status = drive(pyatspi, proc, pictures, life, cells)
        return status
    finally:
        proc.terminate()
        try:
            out = proc.communicate(timeout=10)[0]
        except subprocess.TimeoutExpired:
            proc.kill()
            out = proc.communicate()[0]
        if status != 0 or os.environ.get('VERBOSE'):
            print('the app printed (exit status %s):\n%s' % (proc.returncode, out))


def nodes(pyatspi, root):
    stack = [root]
    while stack:
        node = stack.pop()
        try:
            yield node
            stack.extend(child for child in node if child is not None)
        except Exception:
            continue


def wait_for(what, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def drive(pyatspi, proc, pictures, life, cells):
    def app():
        for a in pyatspi.Registry.getDesktop(0):
            if a is not None and a.name == 'cellarium':
                return a
        return None

    def named(name, role=None):
        root = app()
        if root is None:
            return None
        for node in nodes(pyatspi, root):
            try:
                if node.name == name and (role is None or node.getRoleName() == role) and \
                        node.getState().contains(pyatspi.STATE_SHOWING):
                    return node
            except Exception:
                continue
        return None

    def press(name, role=None):
        node = wait_for(lambda: named(name, role))
        if node is None:
            raise RuntimeError('no %r on the screen' % name)
        try:
            action = node.queryAction()
            for i in range(action.nActions):
                if action.getName(i) in ('press', 'click', 'Press', 'activate', 'SetFocus'):
                    action.doAction(i)
                    time.sleep(0.6)
                    return node
        except NotImplementedError:
            pass
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(['xdotool', 'mousemove', str(box.x + box.width // 2), str(box.y + box.height // 2), 'click', '1'])
        time.sleep(0.6)
        return node

    # A sanitized build takes a while to start on a loaded machine: the bound is for a hang.
    if wait_for(app, timeout=90) is None:
        print('cellarium never appeared on the accessibility bus')
        return 1
    if wait_for(lambda: named('Options'), timeout=60) is None:
        print('the app did not show its board')
        return 1
    # The first-run guide, if shown, goes page by page.
    for _ in range(12):
        if named('Next') is None:
            break
        press('Next')

    press('Options')
    press('Archive')
    press('Pattern')  # the one record
    if wait_for(lambda: named('Options')) is None:
        print('the board did not come back after choosing the record')
        return 1
    time.sleep(1)
    press('Options')
    size = wait_for(lambda: named('Board size'))
    description = size.description if size is not None else ''
    if '760' not in description:
        print('the board did not grow to 760 rows: %r' % description)
        return 1
    press('QR code')
    press('Share', 'push button')
    press('Save to Pictures')
    saved = wait_for(lambda: [f for f in os.listdir(pictures) if f.lower().endswith(('.jpg', '.jpeg'))])
    if not saved:
        print('nothing was saved to Pictures')
        return 1
    read = subprocess.run(['zbarimg', '--raw', '-q', '-Sdisable', '-Sqrcode.enable', '-Sbinary',
                           os.path.join(pictures, saved[0])], capture_output=True)
    text = read.stdout.decode('utf-8', 'replace')  # a line break after the code's own is ignored
    if not text.startswith('#CXRLE Pos='):
        print('the code holds no RLE with its Pos line: %r' % text[:60])
        return 1
    back = subprocess.run([life, 'convert', '--to', 'json'], input=text, capture_output=True, text=True)
    if back.returncode != 0:
        print('cellarium-life cannot read the code: ' + back.stderr.strip())
        return 1
    got = {(c['x'], c['y']) for c in json.loads(back.stdout)}
    if got != cells:
        print('the code converts back to other cells or places (%d of %d at their place)'
              % (len(got & cells), len(cells)))
        return 1
    print('shared through Save to Pictures: %s, %d cells back at their places' % (text.splitlines()[0], len(cells)))
    return 0


if __name__ == '__main__':
    if len(sys.argv) >= 2 and sys.argv[1] == '--inner':
        sys.exit(inner(*sys.argv[2:5]))
    if len(sys.argv) < 4:
        print(__doc__)
        sys.exit(2)
    sys.exit(outer(sys.argv[1:4]))
