#!/usr/bin/env bash
# Starts cellarium with a fresh home directory, checks that it stays up, asks it
# to quit with SIGTERM, and expects a clean exit with nothing alarming on stderr.
set -u
app=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR=$home \
    "$app" 2> "$home/stderr" &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
    echo "cellarium exited early" >&2; cat "$home/stderr" >&2; exit 1
fi
kill -TERM "$pid"
wait "$pid"
status=$?
cat "$home/stderr" >&2
if [ "$status" -ne 0 ]; then echo "exit status $status" >&2; exit 1; fi
if grep -E -i 'assert|segmentation|fatal|ASSERT' "$home/stderr"; then exit 1; fi
echo "came up and quit cleanly"
