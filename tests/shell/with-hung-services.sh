#!/usr/bin/env bash
# Starts cellarium with a session bus and a sound server that accept connections
# and never answer, checks that it comes up, and that SIGTERM ends it cleanly and
# at once (it used to hang before its window appeared, or on the first sound).
set -u
app=$1
dir=$(mktemp -d)
trap 'kill "$hung" 2>/dev/null; rm -rf "$dir"' EXIT
mkdir -p "$dir/run/pulse" "$dir/home" && chmod 700 "$dir/run"
python3 - "$dir/bus" "$dir/run/pulse/native" <<'PY' &
import select, socket, sys, time
listeners = []
for path in sys.argv[1:]:
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.bind(path)
    s.listen(16)
    listeners.append(s)
accepted = []
deadline = time.time() + 120
while time.time() < deadline:
    ready, _, _ = select.select(listeners, [], [], 0.5)
    accepted += [s.accept()[0] for s in ready]  # and never a word back
PY
hung=$!
for _ in $(seq 50); do [ -S "$dir/run/pulse/native" ] && break; sleep 0.1; done
HOME=$dir/home XDG_CONFIG_HOME=$dir/home/.config XDG_DATA_HOME=$dir/home/.local/share XDG_RUNTIME_DIR=$dir/run \
    DBUS_SESSION_BUS_ADDRESS=unix:path=$dir/bus "$app" 2> "$dir/stderr" &
pid=$!
sleep 6  # past the 3 s the session bus is given to answer at start
if ! kill -0 "$pid" 2>/dev/null; then
    echo "cellarium exited early" >&2; cat "$dir/stderr" >&2; exit 1
fi
kill -TERM "$pid"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
    echo "cellarium ignored SIGTERM for 5 s" >&2; kill -KILL "$pid"; exit 1
fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || { echo "exit status $status" >&2; cat "$dir/stderr" >&2; exit 1; }
echo "came up and quit at once with silent services"
