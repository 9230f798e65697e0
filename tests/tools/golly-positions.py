#!/usr/bin/env python3
"""Places patterns where Golly does: every pattern of Golly's collection that carries a
'#CXRLE Pos=X,Y' line is read by cellarium-life and by bgolly, and their cells must
stand at the same places (Golly's cell (gx, gy) is cell (gx + R/2, gy + R/2) of a board
of R rows); and RLE written by cellarium-life from cells anywhere on each board size
must land in bgolly where the cells lay relative to the board's centre.

bgolly's own RLE output drops the place, so its macrocell output (HashLife), which keeps
it, is read instead. Rules and grids are set to B3/S23 on the open plane and states
beyond alive written as dead, in the text both programs read: only places are compared.

usage: golly-positions.py CELLARIUM_LIFE [PATTERN_DIR]
Exit status 0 when all agree, 1 on a disagreement, 77 (skipped) without bgolly or the
pattern collection.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

WIDE = 10000    # the widest board cellarium-life takes
LARGEST = 760   # the app's largest board size
SIZES = (190, 380, 760)
SKIP = 77


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, timeout=300, **kw)


def two_state_life(text):
    """The RLE text with rule B3/S23 on the open plane and every state beyond alive dead."""
    out = []
    header_seen = False
    for line in text.splitlines():
        if not header_seen:
            if line.lstrip().startswith('x'):
                header_seen = True
                line = re.sub(r',\s*rule\s*=.*$', '', line) + ', rule = B3/S23'
            out.append(line)
            continue
        out.append(re.sub(r'[p-y][A-X]|[B-X]', 'b', line))
    return '\n'.join(out) + '\n'


def parse_mc(text):
    """Live cells of a macrocell text in Golly's coordinates (y grows downwards)."""
    nodes = [None]  # node 0 is the empty node
    for line in text.splitlines():
        if not line or line[0] in '[#':
            continue
        if line[0] in '.*$':
            cells = [(c, r) for r, row in enumerate(line.split('$')[:8]) for c, ch in enumerate(row) if ch == '*']
            nodes.append((3, cells))
        else:
            level, nw, ne, sw, se = (int(v) for v in line.split()[:5])
            nodes.append((level, (nw, ne, sw, se)))
    cells = set()
    if len(nodes) == 1:
        return cells
    # The root of level L spans x from -2^(L-1) and, y pointing up inside, rows from
    # display y -2^(L-1) + 1 downwards.
    stack = []
    root = len(nodes) - 1
    half = 1 << (nodes[root][0] - 1)
    stack.append((root, -half, -half + 1))
    while stack:
        index, left, top = stack.pop()
        if index == 0:
            continue
        level, content = nodes[index]
        if level == 3:
            cells.update((left + c, top + r) for c, r in content)
            continue
        h = 1 << (level - 1)
        nw, ne, sw, se = content
        stack += [(nw, left, top), (ne, left + h, top), (sw, left, top + h), (se, left + h, top + h)]
    return cells


def golly_cells(bgolly, path, tmp):
    result = os.path.join(tmp, 'out.mc')
    if os.path.exists(result):
        os.remove(result)
    peer = run([bgolly, '-q', '-q', '-a', 'HashLife', '-m', '0', '-o', result, path])
    if peer.returncode != 0 or not os.path.exists(result):
        raise RuntimeError('bgolly failed: ' + peer.stderr.strip())
    with open(result) as f:
        return parse_mc(f.read())


def our_cells(tool, args, text):
    done = run([tool, 'convert', '--to', 'json'] + args, input=text)
    if done.returncode != 0:
        return None, done
    return {(c['x'], c['y']) for c in json.loads(done.stdout)}, done


def moved(cells, d):
    return {(x + d, y + d) for x, y in cells}


def check_reader(tool, bgolly, pattern_dir, tmp, faults):
    files = sorted(os.path.join(d, f) for d, _, fs in os.walk(pattern_dir) for f in fs if f.endswith('.rle'))
    checked = 0
    for path in files:
        with open(path, encoding='utf-8', errors='replace') as f:
            text = f.read()
        if not re.search(r'^#CXRLE.*Pos=', text, re.M):
            continue
        name = os.path.relpath(path, pattern_dir)
        source = os.path.join(tmp, 'in.rle')
        with open(source, 'w') as f:
            f.write(two_state_life(text))
        theirs = golly_cells(bgolly, source, tmp)
        # The header's box stands at Pos; a board takes the pattern when it holds the box.
        px, py = (int(v) for v in re.search(r'^#CXRLE.*Pos=(-?\d+),(-?\d+)', text, re.M).groups())
        w, h = (int(v) for v in re.search(r'^x\s*=\s*(\d+)\s*,\s*y\s*=\s*(\d+)', text, re.M).groups())
        for rows in (WIDE, LARGEST):
            ours, done = our_cells(tool, ['--rows', str(rows), source], '')
            c = rows // 2
            fits = -c <= px and px + w <= rows - c and -c <= py and py + h <= rows - c
            if ours is None:
                if fits or done.returncode != 2 or done.stderr.count('\n') != 1:
                    faults.append('%s: refused on %d rows: %s' % (name, rows, done.stderr.strip()))
                continue
            if moved(ours, -(rows // 2)) != theirs:
                faults.append('%s: read on %d rows elsewhere than bgolly places it' % (name, rows))
        checked += 1
    return checked


def check_writer(tool, bgolly, tmp, faults):
    glider = {(1, 0), (2, 1), (0, 2), (1, 2), (2, 2)}
    cases = []
    for rows in SIZES:
        # Corners, edges and the middle of each board, past the next smaller one.
        for left, top in ((0, 0), (rows - 3, rows - 3), (rows // 2 - 1, 0), (rows - 3, rows // 2 + 7)):
            cells = {(left + x, top + y) for x, y in glider}
            if rows > SIZES[0]:
                cells |= {(rows - 1, rows - 1)}  # only this size or a larger one holds it
            cases.append((rows, cells))
    for rows, cells in cases:
        written = run([tool, 'convert', '--to', 'rle', '--rows', str(rows)],
                      input=json.dumps([{'x': x, 'y': y} for x, y in sorted(cells)]))
        if written.returncode != 0 or not written.stdout.startswith('#CXRLE Pos='):
            faults.append('%d rows: convert --to rle failed or wrote no Pos line: %s' % (rows, written.stderr.strip()))
            continue
        source = os.path.join(tmp, 'ours.rle')
        with open(source, 'w') as f:
            f.write(written.stdout)
        if golly_cells(bgolly, source, tmp) != moved(cells, -(rows // 2)):
            faults.append('%d rows: bgolly places our RLE elsewhere: %s' % (rows, written.stdout.splitlines()[0]))
    return len(cases)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    tool = sys.argv[1]
    pattern_dir = sys.argv[2] if len(sys.argv) > 2 else '/usr/share/golly/Patterns'
    bgolly = shutil.which('bgolly')
    if not bgolly or not os.path.isdir(pattern_dir):
        print('skipped: bgolly or the pattern collection is missing')
        return SKIP
    faults = []
    with tempfile.TemporaryDirectory() as tmp:
        read = check_reader(tool, bgolly, pattern_dir, tmp, faults)
        written = check_writer(tool, bgolly, tmp, faults)
    for fault in faults:
        print(fault)
    print('%d of Golly\'s patterns with a Pos line read, %d written patterns placed, %d faults'
          % (read, written, len(faults)))
    return 1 if faults or read == 0 else 0


if __name__ == '__main__':
    sys.exit(main())
