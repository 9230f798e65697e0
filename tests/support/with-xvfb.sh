#!/usr/bin/env bash
# usage: with-xvfb.sh COMMAND [ARG...] — runs COMMAND with DISPLAY set to an X server of
# its own (Xvfb, 1280×1024×24), ended after it. The server picks its display number
# itself (-displayfd), so two checks started together, or one started while another's
# server is still going away, never share or race for a display as `xvfb-run -a` can.
# Exit 77 (skipped) without Xvfb; otherwise COMMAND's status.
set -u
command -v Xvfb > /dev/null || { echo "skipped: Xvfb is not installed"; exit 77; }
numberFile=$(mktemp)
# -noreset: by default the server resets when its last client leaves, and a client
# that only visits (the accessibility bus launcher sets a root-window property and
# goes) would then cut off an app connecting at that moment.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3> "$numberFile" 2> "$numberFile.log" &
server=$!
trap 'kill "$server" 2> /dev/null; wait "$server" 2> /dev/null; rm -f "$numberFile" "$numberFile.log"' EXIT
for _ in $(seq 300); do  # the server writes its number once it accepts connections
    [ -s "$numberFile" ] && break
    kill -0 "$server" 2> /dev/null || break
    sleep 0.1
done
number=$(tr -dc 0-9 < "$numberFile")
if [ -z "$number" ]; then
    echo "with-xvfb.sh: Xvfb did not start:" >&2
    cat "$numberFile.log" >&2
    exit 1
fi
DISPLAY=:$number "$@"
