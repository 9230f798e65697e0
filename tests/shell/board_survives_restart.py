#!/usr/bin/env python3
"""The board survives the end of the process: the real app, each in a fresh home.

board_survives_restart.py CELLARIUM BOARD_STATE_DRIVER

1. SIGTERM right after an edit: the state file holds the edited board.
2. SIGKILL once the edit has had time to be saved: the file holds it (waited for, with
   a generous bound, never a fixed short sleep).
3. The real cellarium started on that file shows that board, view and generation: it
   writes the same board back, freshly (compact), when it ends by SIGTERM.
4. A damaged state file is moved aside with one line on stderr and the app still runs.
"""
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

APP, DRIVER = sys.argv[1:3]
GLIDER = {(300, 300), (301, 301), (299, 302), (300, 302), (301, 302)}
EDITED = GLIDER | {(10, 12)}
failures = []
homes = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)


def fresh_home():
    home = tempfile.mkdtemp(prefix="cellarium-state-")
    homes.append(home)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/.config", XDG_DATA_HOME=home + "/.local/share",
               XDG_RUNTIME_DIR=home, QT_QPA_PLATFORM="offscreen")
    return home, env


def state_path(home):
    return home + "/.config/cellarium/board-state.json"


def read_state(home):
    try:
        with open(state_path(home)) as f:
            return json.load(f)
    except (OSError, ValueError):
        return None


def cells(listed):
    return {(c["x"], c["y"]) for c in listed}


def is_edited(state):
    return (state is not None and cells(state["lifes"]) == EDITED and state["initLifes"] is not None
            and cells(state["initLifes"]) == GLIDER and state["countOfRows"] == 380 and state["highSpeed"] is True
            and state["panMode"] is True)


def wait_for(condition, timeout=60):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.1)
    return condition()


def run_and_terminate(env):
    """Starts cellarium, lets it come up, ends it with SIGTERM; (status, stderr).
    A start slower than the wait shows as death by the signal: then once more, waiting longer."""
    for startup in (5, 30):
        with tempfile.TemporaryFile() as err:
            process = subprocess.Popen([APP], env=env, stderr=err)
            time.sleep(startup)
            process.send_signal(signal.SIGTERM)
            status = process.wait(timeout=120)
            err.seek(0)
            said = err.read().decode(errors="replace")
        if status != -signal.SIGTERM:
            return status, said
    return status, said


try:
    # 1. SIGTERM straight after the edit, before any delayed save.
    home, env = fresh_home()
    status = subprocess.run([DRIVER, "edit-then-sigterm"], env=env, timeout=120).returncode
    check(status == 0, f"the driver ended by SIGTERM with status {status}")
    check(is_edited(read_state(home)), f"after SIGTERM the file holds the edited board: {read_state(home)}")

    # 2. SIGKILL after the edit has been saved.
    home, env = fresh_home()
    driver = subprocess.Popen([DRIVER, "edit-and-wait"], env=env, stdout=subprocess.PIPE, text=True)
    check(driver.stdout.readline().strip() == "edited", "the driver edited the board")
    check(wait_for(lambda: is_edited(read_state(home))), "the edit is saved without the app ending")
    driver.kill()
    driver.wait(timeout=60)
    check(is_edited(read_state(home)), f"after SIGKILL the file holds the edited board: {read_state(home)}")

    # 3. The real app restores that board. The file is given back pretty-printed, with a
    # view and a generation of its own, so that what the app writes at its end can only
    # come from the board it restored.
    kept = read_state(home)
    if kept is not None:
        kept["view"] = {"zoom": 2.0, "offsetX": 300, "offsetY": 400}
        kept["generation"] = 42
        with open(state_path(home), "w") as f:
            json.dump(kept, f, indent=1)
        status, said = run_and_terminate(env)
        check(status == 0, f"cellarium on the kept board ended with status {status}: {said}")
        with open(state_path(home)) as f:
            written = f.read()
        check("\n" not in written, "cellarium wrote the board again at its end")
        back = read_state(home)
        check(is_edited(back), f"cellarium restored the edited board: {back}")
        check(back is not None and back.get("generation") == 42, "the generation is restored")
        check(back is not None and back.get("view") == kept["view"], f"the view is restored: {back and back.get('view')}")

    # 4. A damaged file.
    home, env = fresh_home()
    os.makedirs(os.path.dirname(state_path(home)))
    damaged = b'{"format":1,"lifes":[{"x":'
    with open(state_path(home), "wb") as f:
        f.write(damaged)
    status, said = run_and_terminate(env)
    check(status == 0, f"cellarium with a damaged state file ended with status {status}: {said}")
    try:
        with open(state_path(home) + ".corrupt", "rb") as f:
            check(f.read() == damaged, "the damaged file is kept aside as it was")
    except OSError:
        check(False, "the damaged file is moved aside")
    lines = [line for line in said.splitlines() if "board-state.json" in line]
    check(len(lines) == 1, f"one line on stderr names the damaged file: {said}")
    check(read_state(home) is not None, "a good state file replaces the damaged one")
finally:
    for home in homes:
        shutil.rmtree(home, ignore_errors=True)

print("FAILED" if failures else "the board survives the end of the process")
sys.exit(1 if failures else 0)
