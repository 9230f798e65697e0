#!/usr/bin/env python3
"""Steps Life patterns of Golly's collection with cellarium-life and with bgolly and
requires the same live cells wherever the board's edge cannot have reached; also
requires RLE -> JSON -> RLE round trips to keep every pattern.

usage: golly-agreement.py CELLARIUM_LIFE [PATTERN_DIR]
Exit status 0 when all agree, 1 on a disagreement, 77 (skipped) without bgolly or the
pattern collection.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

ROWS = 760           # the largest board
GENERATIONS = 200
# The board drops cells beyond its edge, bgolly's plane does not; the difference
# spreads at most one cell a generation, so cells this far inside must agree.
MARGIN = GENERATIONS + 5
ANCHOR = -300        # a block this far off the board pins bgolly's output position
SKIP = 77


def parse_rle(text):
    """Live cells of an RLE text, relative to its top-left corner (an independent reader)."""
    cells = set()
    lines = text.splitlines()
    body = []
    seen_header = False
    for line in lines:
        if not seen_header:
            if line.startswith('#') or not line.strip():
                continue
            seen_header = True
            continue
        body.append(line)
    x = y = 0
    count = ''
    for c in ''.join(body):
        if c.isdigit():
            count += c
            continue
        if c.isspace():
            continue
        n = int(count) if count else 1
        count = ''
        if c in 'b.':
            x += n
        elif c in 'oA':
            cells.update((x + i, y) for i in range(n))
            x += n
        elif c == '$':
            y += n
            x = 0
        elif c == '!':
            break
        else:
            raise ValueError('unexpected RLE character %r' % c)
    return cells


def normalised(cells):
    if not cells:
        return frozenset()
    mx = min(x for x, _ in cells)
    my = min(y for _, y in cells)
    return frozenset((x - mx, y - my) for x, y in cells)


def write_rle(cells, left, top):
    """Cells at absolute positions as RLE placed by a #CXRLE Pos line at (left, top)."""
    width = max(x for x, _ in cells) - left + 1
    height = max(y for _, y in cells) - top + 1
    rows = {}
    for x, y in cells:
        rows.setdefault(y - top, []).append(x - left)
    out = ['#CXRLE Pos=%d,%d' % (left, top), 'x = %d, y = %d, rule = B3/S23' % (width, height)]
    body = []
    last_row = 0
    for r in sorted(rows):
        if r > last_row:
            body.append('%d$' % (r - last_row))
        last_row = r
        x = 0
        for c in sorted(rows[r]):
            if c > x:
                body.append('%db' % (c - x))
            body.append('o')
            x = c + 1
    body.append('!')
    text = ''.join(body)
    out += [text[i:i + 70] for i in range(0, len(text), 70)]
    return '\n'.join(out) + '\n'


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, timeout=120, **kw)


def block(x, y):
    return {(x, y), (x + 1, y), (x, y + 1), (x + 1, y + 1)}


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    tool = sys.argv[1]
    pattern_dir = sys.argv[2] if len(sys.argv) > 2 else '/usr/share/golly/Patterns/Life'
    bgolly = shutil.which('bgolly')
    if not bgolly or not os.path.isdir(pattern_dir):
        print('skipped: bgolly or the pattern collection is missing')
        return SKIP
    files = sorted(os.path.join(d, f) for d, _, fs in os.walk(pattern_dir) for f in fs if f.endswith(('.rle', '.cells')))
    faults = []
    compared = whole = refused = 0
    far = ROWS - ANCHOR
    with tempfile.TemporaryDirectory() as tmp:
        for path in files:
            name = os.path.relpath(path, pattern_dir)
            placed = run([tool, 'convert', '--to', 'json', '--rows', str(ROWS), path])
            if placed.returncode != 0:
                refused += 1   # another rule, a bounded grid, or larger than the board
                continue
            cells = {(c['x'], c['y']) for c in json.loads(placed.stdout)}
            if not cells:
                continue

            # Round trip: the pattern's own RLE text, and ours written from the JSON.
            again = run([tool, 'convert', '--to', 'rle'], input=placed.stdout)
            if again.returncode != 0 or normalised(parse_rle(again.stdout)) != normalised(cells):
                faults.append('%s: RLE -> JSON -> RLE changed the pattern' % name)
                continue
            if path.endswith('.rle'):
                with open(path, encoding='utf-8', errors='replace') as f:
                    if normalised(parse_rle(f.read())) != normalised(cells):
                        faults.append('%s: reading changed the pattern' % name)
                        continue

            stepped = run([tool, 'step', '--rows', str(ROWS), '--generations', str(GENERATIONS), path])
            if stepped.returncode != 0:
                faults.append('%s: cellarium-life step failed: %s' % (name, stepped.stderr.strip()))
                continue
            ours = {(c['x'], c['y']) for c in json.loads(stepped.stdout)}

            # Two still blocks far outside the pattern's reach fix the output's corner.
            anchored = cells | block(ANCHOR, ANCHOR) | block(far, far)
            source = os.path.join(tmp, 'in.rle')
            result = os.path.join(tmp, 'out.rle')
            with open(source, 'w') as f:
                f.write(write_rle(anchored, ANCHOR, ANCHOR))
            peer = run([bgolly, '-q', '-q', '-m', str(GENERATIONS), '-o', result, source])
            if peer.returncode != 0 or not os.path.exists(result):
                faults.append('%s: bgolly failed: %s' % (name, peer.stderr.strip()))
                continue
            with open(result) as f:
                theirs = {(x + ANCHOR, y + ANCHOR) for x, y in parse_rle(f.read())}
            os.remove(result)
            anchors = block(ANCHOR, ANCHOR) | block(far, far)
            if not anchors <= theirs:
                faults.append('%s: the anchor blocks did not survive in bgolly' % name)
                continue
            theirs -= anchors

            inside = lambda c: MARGIN <= c[0] < ROWS - MARGIN and MARGIN <= c[1] < ROWS - MARGIN
            if {c for c in ours if inside(c)} != {c for c in theirs if inside(c)}:
                faults.append('%s: cellarium-life and bgolly disagree inside the board' % name)
                continue
            compared += 1
            on_board = lambda c: 0 <= c[0] < ROWS and 0 <= c[1] < ROWS
            if all(on_board(c) for c in theirs):
                # The pattern never left the board: every cell must agree.
                if ours != theirs:
                    faults.append('%s: cellarium-life and bgolly disagree' % name)
                    continue
                whole += 1
    for fault in faults:
        print(fault)
    print('%d patterns agree with bgolly after %d generations (%d of them whole), %d refused, %d faults'
          % (compared, GENERATIONS, whole, refused, len(faults)))
    return 1 if faults or compared == 0 else 0


if __name__ == '__main__':
    sys.exit(main())
