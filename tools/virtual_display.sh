#!/usr/bin/env bash
# Starts a virtual X display (Xvfb, 24 bits, 1024x768 unless --screen says otherwise) on a
# free number and prints ":NUMBER PID" once the server accepts clients; the caller ends the
# server by its PID. Used by the display checks in tests/system, tools/wine_checks.sh and
# tools/package_check.sh.
#
#   bash tools/virtual_display.sh [--screen WIDTHxHEIGHT] [COMMAND...]
#
# COMMAND, when given, is put before Xvfb (as "chroot ROOT"): the server then runs
# there. Exits with status 1 and a message when no server could be started.
#
# The numbers are tried from a random one in 100..999 on, away from the low ones that
# desktops and other servers take first. A number is passed over while its lock file
# or its socket exists (an X server in a chroot still shares the abstract sockets of
# this machine); Xvfb itself claims the number and ends at once when another server
# took it meanwhile: the next one is tried. -noreset: by default the server starts
# over each time its last client leaves, and refuses a client that connects meanwhile.
# After 20 servers that ended without claiming their number, something else is wrong.
set -uo pipefail
screen=1024x768
if [ "${1:-}" = --screen ]; then
    screen=$2
    shift 2
fi
prefix=("$@")

taken() {
    [ -e "/tmp/.X$1-lock" ] || [ -e "/tmp/.X11-unix/X$1" ] || grep -q "@/tmp/.X11-unix/X$1\$" /proc/net/unix
}

ready=$(mktemp -u "${TMPDIR:-/tmp}/elvarin-display.XXXXXX")
mkfifo "$ready" || exit 1
trap 'rm -f "$ready"' EXIT
first=$((100 + RANDOM % 900))
tries=0
for step in $(seq 0 899); do
    number=$((100 + (first - 100 + step) % 900))
    taken "$number" && continue
    [ "$tries" -lt 20 ] || break
    tries=$((tries + 1))
    # -displayfd: the server writes its number there once it accepts clients, and
    # closes it without a word when it cannot start.
    "${prefix[@]}" Xvfb ":$number" -displayfd 9 -noreset -screen 0 "${screen}x24" -nolisten tcp \
        9>"$ready" </dev/null >/dev/null 2>&1 &
    pid=$!
    said=""
    read -r -t 60 said <"$ready"
    if [ "$said" = "$number" ] && kill -0 "$pid" 2>/dev/null; then
        echo ":$number $pid"
        exit 0
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
done
echo "virtual_display.sh: no Xvfb could be started" >&2
exit 1
