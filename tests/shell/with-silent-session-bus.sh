#!/usr/bin/env bash
# usage: with-silent-session-bus.sh APP silent|auth-only
# Starts cellarium on an X server (Xvfb) with a session bus that takes the connection
# and then never answers: `silent` reads and never replies, `auth-only` accepts the
# authentication and never answers the Hello call. Qt's accessibility bridge used to
# wait for that bus on the main thread, so the window did not appear for 104 s.
# Expects the window on the screen, one line on standard error saying the bus is left
# out, and a clean exit on SIGTERM. The 10 s bound only tells a hang from a start.
set -u
app=$1 mode=$2
dir=$(mktemp -d)
trap 'kill "$bus" 2>/dev/null; rm -rf "$dir"' EXIT
mkdir -p "$dir/run" "$dir/home" && chmod 700 "$dir/run"
python3 - "$dir/bus" "$mode" <<'PY' &
import select, socket, sys, time
listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
listener.bind(sys.argv[1])
listener.listen(16)
mode = sys.argv[2]
clients = {}
deadline = time.time() + 120
while time.time() < deadline:
    ready, _, _ = select.select([listener] + list(clients), [], [], 0.5)
    for s in ready:
        if s is listener:
            clients[s.accept()[0]] = b""
            continue
        data = s.recv(4096)
        if not data:
            del clients[s]
            continue
        clients[s] += data
        if mode == "auth-only" and b"AUTH" in clients[s] and clients[s].endswith(b"\r\n"):
            s.sendall(b"OK 0123456789abcdef0123456789abcdef\r\n")
            clients[s] = b"answered"  # and never a word more: no answer to BEGIN and Hello
PY
bus=$!
for _ in $(seq 50); do [ -S "$dir/bus" ] && break; sleep 0.1; done

export HOME=$dir/home XDG_CONFIG_HOME=$dir/home/.config XDG_DATA_HOME=$dir/home/.local/share XDG_RUNTIME_DIR=$dir/run \
    DBUS_SESSION_BUS_ADDRESS=unix:path=$dir/bus QT_QPA_PLATFORM=xcb APP=$app STDERR=$dir/stderr
"$(dirname "$0")/../support/with-xvfb.sh" bash -c '
    "$APP" 2> "$STDERR" &
    pid=$!
    shown=
    for _ in $(seq 300); do
        for window in $(xwininfo -root -tree | awk "/\"Cellarium\"/ { print \$1 }"); do
            xwininfo -id "$window" | grep -q "Map State: IsViewable" && shown=yes
        done
        [ -n "$shown" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$shown" ] || { echo "no window within 30 s" >&2; kill -KILL "$pid"; exit 1; }
    kill -TERM "$pid"
    wait "$pid"
'
status=$?
cat "$dir/stderr" >&2
[ "$status" -eq 0 ] || { echo "exit status $status" >&2; exit 1; }
lines=$(wc -l < "$dir/stderr")
[ "$lines" -eq 1 ] && grep -q "^cellarium: the session bus does not answer" "$dir/stderr" ||
    { echo "expected one line saying the session bus is left out, got $lines" >&2; exit 1; }
echo "the window appeared with a session bus that never answers ($mode)"
