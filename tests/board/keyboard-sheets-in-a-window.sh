#!/usr/bin/env bash
# usage: keyboard-sheets-in-a-window.sh CELLARIUM — runs keyboard_sheets_in_a_window.py
# against the app in a real window: Xvfb, a private session bus, accessibility on, a
# fresh home. Exit 77 (skipped) without the tools.
set -u
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run dbus-run-session xdotool; do
    command -v "$tool" > /dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2> /dev/null || { echo "skipped: python3-pyatspi is not installed"; exit 77; }
if [ "${1:-}" != --inside ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$0" --inside "$1"
fi
app=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR=$home
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb  # a real window, whatever the suite runs under
mkdir -p "$home/Pictures"
"$app" 2> "$home/stderr" &
pid=$!
/usr/bin/python3 "$here/keyboard_sheets_in_a_window.py"
status=$?
kill -TERM "$pid" 2> /dev/null
wait "$pid"
if [ "$status" -ne 0 ]; then cat "$home/stderr" >&2; fi
exit $status
