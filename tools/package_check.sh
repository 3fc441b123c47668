#!/usr/bin/env bash
# Checks the Debian package as a player meets it: what it holds (read from outside),
# lintian, then installing it with apt, starting the game as a normal user on a virtual
# display with the launcher, and removing it again without leaving anything behind.
#
#   bash tools/package_check.sh --here   [BUILD|PACKAGE.deb]   (as root; what CI runs)
#   bash tools/package_check.sh --chroot [BUILD|PACKAGE.deb]   (as root)
#
# BUILD is a configured Release build folder in which `cpack -G DEB` makes the package
# (default: build-package, configured and built here); PACKAGE.deb is taken as it is.
# --here installs on this machine itself, which must not have elvarin installed already;
# it removes the package at the end. --chroot makes a fresh Debian 12 (debootstrap
# --variant=minbase bookworm) in a temporary folder under ${TMPDIR:-/tmp}, does the same
# there, and removes the folder. Prints one line per check, the time each step took, and
# ends with "package: N passed, N failed".
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

mode=${1:-}
case "$mode" in
    --here|--chroot) ;;
    *) echo "usage: $0 --here|--chroot [BUILD|PACKAGE.deb]" >&2; exit 2 ;;
esac
source_arg=${2:-$top/build-package}
[ "$(id -u)" -eq 0 ] || { echo "$0: installing packages needs root" >&2; exit 2; }
export DEBIAN_FRONTEND=noninteractive

passed=0
failed=0
check() { # check NAME COMMAND...: runs the command, counts and reports the result
    local name=$1; shift
    if "$@"; then echo "ok: $name"; passed=$((passed + 1))
    else echo "FAILED: $name"; failed=$((failed + 1)); fi
}
started=$(date +%s)
step_start=$started
step_done() { # prints how long the step took
    local now; now=$(date +%s)
    echo "  ($1: $((now - step_start)) s)"
    step_start=$now
}
finish() {
    echo "package check ($mode) took $(($(date +%s) - started)) s"
    echo "package: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}

# Host packages the checks use.
needed=(package)
[ "$mode" = --here ] && needed+=(xvfb xdotool)
[ "$mode" = --chroot ] && needed+=(debootstrap)
"$top/tools/install_deps.sh" "${needed[@]}" > /dev/null || { echo "cannot install ${needed[*]}" >&2; exit 1; }

# ---- the package ----
if [ -f "$source_arg" ]; then
    deb=$(readlink -f "$source_arg")
else
    mkdir -p "$source_arg" && build=$(cd "$source_arg" && pwd)
    if [ ! -f "$build/CPackConfig.cmake" ]; then
        cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DELVARIN_TESTS=OFF -DELVARIN_BENCH=OFF > /dev/null \
            || { echo "cannot configure $build" >&2; exit 1; }
    fi
    cmake --build "$build" -j2 > /dev/null || { echo "cannot build $build" >&2; exit 1; }
    rm -rf "$build/deb"
    (cd "$build" && cpack -G DEB -B "$build/deb" > "$build/deb.log" 2>&1) \
        || { cat "$build/deb.log"; echo "cpack -G DEB failed in $build" >&2; exit 1; }
    deb=$(ls "$build"/deb/elvarin_*.deb)
fi
[ -f "$deb" ] || { echo "no package to check" >&2; exit 1; }
echo "package: $deb"
step_done "making the package"

# ---- what it holds, read from outside ----
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
holds_all() {
    local file status=0
    for file in usr/games/korvane usr/games/korvane-play usr/games/elvarin-trainer \
                usr/games/elvarin-make-population usr/games/elvarin-strength usr/games/elvarin-evolve \
                usr/share/games/elvarin/meillfl.don usr/share/games/elvarin/oui.cur usr/share/games/elvarin/non.cur \
                usr/share/applications/org.elvarin.korvane.desktop \
                usr/share/metainfo/org.elvarin.korvane.metainfo.xml \
                usr/share/icons/hicolor/256x256/apps/org.elvarin.korvane.png \
                usr/share/doc/elvarin/copyright usr/share/doc/elvarin/changelog.Debian.gz; do
        grep -qx "\./$file" <<< "$listing" || { echo "  missing /$file"; status=1; }
    done
    for page in korvane korvane-play elvarin-trainer elvarin-make-population elvarin-strength elvarin-evolve; do
        for dir in man6 fr/man6; do
            grep -qx "\./usr/share/man/$dir/$page.6.gz" <<< "$listing" || { echo "  missing manual page $dir/$page"; status=1; }
        done
    done
    return $status
}
check "the package holds the programs, manual pages, desktop entry and default files" holds_all

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
check "its hall of fame is game/data/meillfl.don" cmp -s "$unpacked/usr/share/games/elvarin/meillfl.don" "$top/game/data/meillfl.don"
depends=$(dpkg-deb -f "$deb" Depends)
echo "  Depends: $depends"
check "its dependencies name the Qt libraries the game links" grep -q 'libqt6widgets6' <<< "$depends"
check "desktop-file-validate accepts the desktop entry" \
    desktop-file-validate "$unpacked/usr/share/applications/org.elvarin.korvane.desktop"
quiet() { # runs a command, showing its output only when it fails
    local output
    output=$("$@" 2>&1) || { sed 's/^/  /' <<< "$output"; return 1; }
}
check "appstreamcli validate accepts the metadata" \
    quiet appstreamcli validate --no-net --pedantic "$unpacked/usr/share/metainfo/org.elvarin.korvane.metainfo.xml"

lintian_errors() { # lintian fails on errors (and when it cannot run); the rest is shown
    local report status
    mkdir -p "$work/lintian"
    report=$(TMPDIR=$work/lintian lintian --pedantic --display-info "$deb" 2>&1) # it leaves files there
    status=$?
    report=$(grep -v 'running with root privileges' <<< "$report")
    [ -n "$report" ] && sed 's/^/  /' <<< "$report"
    [ "$status" -eq 0 ] && ! grep -q '^E: ' <<< "$report"
}
check "lintian reports no error" lintian_errors
step_done "reading the package"

# ---- the machine it goes on: this one, or a fresh Debian 12 ----
root=""
xvfb_pid=""
game_pid=""
installed_here=0
# The display's server is no child of this script: it is waited for until it has gone,
# so that nothing of it holds the chroot's mounts.
stop_display() {
    kill "$xvfb_pid" 2> /dev/null
    for _ in $(seq 100); do
        kill -0 "$xvfb_pid" 2> /dev/null || return 0
        sleep 0.1
    done
}
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2> /dev/null
    [ -n "$xvfb_pid" ] && stop_display
    wait 2> /dev/null
    rm -rf "$work"
    # Stopped half-way: the machine gets back without the package.
    if [ "$installed_here" = 1 ] && dpkg -s elvarin > /dev/null 2>&1; then
        apt-get purge -y -q elvarin > /dev/null 2>&1
    fi
    if [ -n "$root" ]; then
        umount -R "$root/dev" 2> /dev/null
        umount "$root/proc" "$root/sys" 2> /dev/null
        # Never remove a folder that still has something mounted in it.
        if grep -q " $root/" /proc/mounts; then
            echo "still mounted under $root: left in place" >&2
        else
            rm -rf "$root"
        fi
    fi
}
trap cleanup EXIT

# Runs a command on the machine checked. In the background, use "${in_target[@]}" itself:
# then $! is the program's own process, which can be stopped by that number.
in_target=()
target() { "${in_target[@]}" "$@"; }

if [ "$mode" = --chroot ]; then
    root=$(mktemp -d "${TMPDIR:-/tmp}/elvarin-chroot.XXXXXX")
    chmod 755 "$root" # it becomes /, which every user must be able to enter
    debootstrap --variant=minbase --cache-dir=/var/cache/apt/archives bookworm "$root" > "$root.debootstrap.log" 2>&1 \
        || { echo "debootstrap failed (see $root.debootstrap.log)" >&2; exit 1; }
    rm -f "$root.debootstrap.log"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc" && mount -t sysfs sys "$root/sys" \
        && mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" \
        || { echo "cannot mount proc, sys and dev in $root" >&2; exit 1; }
    step_done "debootstrap of Debian 12 (minbase)"
    in_target=(chroot "$root" env PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
    target apt-get update -q > /dev/null 2>&1
    cp "$deb" "$root/tmp/"
    target_deb=/tmp/$(basename "$deb")
else
    if dpkg -s elvarin 2> /dev/null | grep -q '^Status: install ok'; then
        echo "elvarin is installed on this machine already: --here would remove it, so stop here" >&2
        exit 1
    fi
    target_deb=$deb
fi
apt_install() { target apt-get install -y -q --no-install-recommends "$@" > /dev/null 2>&1; }
[ "$mode" = --here ] && installed_here=1
check "apt installs the package and its dependencies" apt_install "$target_deb"
step_done "installing the package"
if [ "$mode" = --chroot ]; then
    check "Xvfb and xdotool install in the chroot" apt_install xvfb xdotool
    step_done "installing Xvfb"
fi

# ---- the launcher starts the game for a normal user ----
home=$(target mktemp -d /tmp/elvarin-player.XXXXXX)
target chown 65534:65534 "$home"
# A virtual display, its server run on the machine checked.
display=""
start_display() {
    local started
    started=$(bash "$top/tools/virtual_display.sh" "${in_target[@]}") || return 1
    display=${started% *}
    xvfb_pid=${started#* }
    echo "  display $display"
}
check "Xvfb starts" start_display
# As the desktop entry does: the launcher by its name, found on the PATH.
start_game() {
    "${in_target[@]}" env -i HOME="$home" DISPLAY=$display PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games \
        setpriv --reuid=65534 --regid=65534 --clear-groups korvane-play > "$work/game.log" 2>&1 &
    game_pid=$!
}
start_game
window_appears() {
    for _ in $(seq 60); do
        target env DISPLAY=$display xdotool search --name 'Elvarin' > /dev/null 2>&1 && return 0
        kill -0 "$game_pid" 2> /dev/null || break
        sleep 0.5
    done
    sed 's/^/  /' "$work/game.log"
    return 1
}
check "korvane-play opens the game window for a normal user" window_appears
folder_prepared() {
    local file
    for file in meillfl.don oui.cur non.cur; do
        target cmp -s "$home/.local/share/elvarin/$file" "/usr/share/games/elvarin/$file" || return 1
    done
    [ "$(target stat -c %u "$home/.local/share/elvarin/meillfl.don")" = 65534 ]
}
check "the user's game folder got the default hall of fame and the cursors" folder_prepared
kill "$game_pid" 2> /dev/null; wait "$game_pid" 2> /dev/null; game_pid=""
stop_display; xvfb_pid=""
step_done "starting the game"

# ---- removal leaves nothing of ours ----
installed_files=$(target dpkg-query -L elvarin)
check "apt purges the package" eval 'target apt-get purge -y -q elvarin > /dev/null 2>&1'
nothing_left() {
    local path status=0
    target dpkg -s elvarin > /dev/null 2>&1 && { echo "  dpkg still knows elvarin"; status=1; }
    while read -r path; do
        [ -n "$path" ] || continue
        # Shared folders (/usr/games, /usr/share/man/man6, ...) stay; our own go.
        if target test -d "$path" && [[ "$path" != *elvarin* ]]; then continue; fi
        if target test -e "$path" || target test -L "$path"; then echo "  left: $path"; status=1; fi
    done <<< "$installed_files"
    return $status
}
check "nothing of the package is left" nothing_left
target rm -rf "$home"
step_done "removing the package"
finish
