#!/usr/bin/env bash
# usage: expect-status.sh STATUS COMMAND... — passes when COMMAND exits with STATUS.
want=$1; shift
env -u DISPLAY -u WAYLAND_DISPLAY "$@"
got=$?
[ "$got" -eq "$want" ] || { echo "exit status $got, expected $want" >&2; exit 1; }
