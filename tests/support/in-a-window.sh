#!/usr/bin/env bash
# usage: in-a-window.sh DRIVER.py CELLARIUM [TOOL...] — runs the python DRIVER against the
# app in a real window: Xvfb, a private session bus, accessibility on, a fresh home with
# an empty Pictures folder. The driver imports window_driver from beside this script.
# Exit 77 (skipped) without Xvfb, dbus-run-session, pyatspi or one of the TOOLs.
set -u
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --inside ]; then
    for tool in Xvfb dbus-run-session "${@:3}"; do
        command -v "$tool" > /dev/null || { echo "skipped: $tool is not installed"; exit 77; }
    done
    /usr/bin/python3 -c 'import pyatspi' 2> /dev/null || { echo "skipped: python3-pyatspi is not installed"; exit 77; }
    exec "$here/with-xvfb.sh" dbus-run-session -- "$0" --inside "$1" "$2"
fi
driver=$2 app=$3
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR=$home
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb  # a real window, whatever the suite runs under
mkdir -p "$home/Pictures"
"$app" 2> "$home/stderr" &
pid=$!
PYTHONPATH=$here /usr/bin/python3 "$driver"
status=$?
kill -TERM "$pid" 2> /dev/null
wait "$pid"
if [ "$status" -ne 0 ]; then cat "$home/stderr" >&2; fi
exit $status
