#!/usr/bin/env bash
# usage: scan-photos-in-a-window.sh CELLARIUM — runs scan_photos_in_a_window.py against
# the app in a real window: Xvfb, a private session bus, accessibility on, a fresh home
# whose Pictures folder holds qrencode's codes. Exit 77 (skipped) without the tools.
set -u
app=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run dbus-run-session qrencode xwd; do
    command -v "$tool" > /dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2> /dev/null || { echo "skipped: python3-pyatspi is not installed"; exit 77; }
if [ "${1:-}" != --inside ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$0" --inside "$app"
fi
app=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR=$home
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb  # a real window, whatever the suite runs under
mkdir -p "$home/Pictures"
qrencode -o "$home/Pictures/hello.png" hello
qrencode -o "$home/Pictures/address.png" "https://example.com/cellarium"
printf '[{"x":1,"y":0},{"x":2,"y":1},{"x":0,"y":2},{"x":1,"y":2},{"x":2,"y":2}]' |
    qrencode -8 -o "$home/Pictures/transparent-glider.png" --background=00000000
"$app" 2> "$home/stderr" &
pid=$!
/usr/bin/python3 "$here/scan_photos_in_a_window.py"
status=$?
kill -TERM "$pid" 2> /dev/null
wait "$pid"
if [ "$status" -ne 0 ]; then cat "$home/stderr" >&2; fi
exit $status
