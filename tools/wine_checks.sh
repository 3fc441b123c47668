#!/usr/bin/env bash
# Runs the Windows builds of tools/windows_build.sh under Wine and says what it saw:
# the unit tests (through ctest), then the programs on a virtual display (Xvfb) as a
# person would use them:
#   - korvane.exe started in the folder unpacked from the build's zip (the default hall
#     of fame and the cursors beside it) shows its window with the board; a click plays
#     a move and the computer answers; "Fichier" > "Fermer" ends it, the file unchanged;
#   - korvane.exe without the file shows its message box and ends once it is dismissed;
#   - trainer.exe with its keys on a pipe runs generations, asks its question after a
#     key, goes on after "N" and stops after "O", having saved the last generation;
#   - trainer.exe in a console window stops on "O" typed there, and on Ctrl+C;
#   - korvane.exe under Wine's frame and a current Windows desktop's: the whole board on
#     screen, cursors and clicks on the square under the pointer, also once the window is
#     moved, maximised and restored; trainer.exe saving while another program holds
#     elvarfl.don open (see "the game on today's desktops" below).
# Installs Wine, Xvfb, xdotool, ImageMagick, openbox and python3-xlib when missing; the
# 32-bit build needs wine32 (i386 packages), and is skipped with a note where it cannot
# be had.
#
#   bash tools/wine_checks.sh [i686|x86_64|all]...     (default: all)
#
# The 32-bit build also needs a kernel that runs 32-bit programs, and some machines'
# kernels cannot ("Exec format error"). A tiny 32-bit program written by this script
# tells, once and before any package is installed; where it cannot run, the 32-bit
# checks are skipped with that reason, wine32 is not installed, and the 64-bit ones
# run in full. The 64-bit build always runs on Wine's 64-bit loader, which needs no
# 32-bit program. ELVARIN_PRETEND_NO_32BIT=1 makes the answer "cannot" on any machine:
# it is there to check this script's own path for such machines.
#
# Each build folder gets its own Wine prefix (wine-prefix) and keeps the screenshots and
# files of the checks in wine-checks/. The last lines give each build's result, then
# the count, whatever happened to the other build:
#   "wine i686: skipped (reason: ...)" or "wine i686: N passed, N failed"
#   "wine x86_64: N passed, N failed"
#   "wine: N passed, N failed[, N skipped]" (ctest's tests counted one by one).
set -uo pipefail
# A program under Wine that dies leaves its pipe without a reader. Writing there must
# fail that check, not end this script without its summary: SIGPIPE is ignored, so
# such a write just fails.
trap '' PIPE
top=$(cd "$(dirname "$0")/.." && pwd)

usage() { echo "usage: $0 [i686|x86_64|all]..." >&2; exit 2; }
arches=()
for wanted in "${@:-all}"; do
    case "$wanted" in
        i686|x86_64) new=("$wanted") ;;
        all) new=(i686 x86_64) ;;
        *) usage ;;
    esac
    for arch in "${new[@]}"; do
        [[ " ${arches[*]} " == *" $arch "* ]] || arches+=("$arch")
    done
done
wants() { [[ " ${arches[*]} " == *" $1 "* ]]; }

passed=0
failed=0
skipped=0
pass() { echo "PASS  $*"; passed=$((passed + 1)); }
fail() { echo "FAIL  $*"; failed=$((failed + 1)); }
skip() { echo "SKIP  $*"; skipped=$((skipped + 1)); }
running() { kill -0 "$1" 2>/dev/null; }
# Each build's result for the closing lines: "N passed, N failed" or "skipped (reason: ...)".
declare -A build_result
summary() {
    local arch
    for arch in "${arches[@]}"; do
        echo "wine $arch: ${build_result[$arch]:-not run}"
    done
    if [ "$skipped" -gt 0 ]; then
        echo "wine: $passed passed, $failed failed, $skipped skipped"
    else
        echo "wine: $passed passed, $failed failed"
    fi
    if [ ${#retried[@]} -gt 0 ]; then
        local IFS=';'
        echo "wine: ${#retried[@]} checks failed at first and were run again: ${retried[*]}"
    fi
}

# A program check that fails is run once more, after the Wine server is restarted:
# Wine under a virtual display now and then misses a window's first appearance.
# Only the second run counts then; the first one's lines stay in the log, and the
# closing lines name every check that had to run twice.
retried=()
with_one_retry() {
    local before_passed=$passed before_failed=$failed
    "$@"
    if [ "$failed" -gt "$before_failed" ]; then
        echo "      (trying $* once more)"
        retried+=("$*")
        passed=$before_passed
        failed=$before_failed
        start_wine_server
        "$@"
    fi
}

# One Wine server of this build's prefix for all its checks, started before any Wine
# program and kept up until it is ended. A server that a program starts by itself ends
# a few seconds after the last program has gone, with Wine's own background programs;
# the next program then starts them all again, which on a loaded machine takes seconds
# (listing a test program's tests then outlasted ctest's time limit), and a program
# that starts while they are ending may go down with them. "wineserver -p" does
# nothing where a server already runs, so one left in this prefix is ended first.
start_wine_server() {
    mkdir -p "$WINEPREFIX"
    wineserver -k 2>/dev/null
    wineserver -w
    wineserver -p
}

# --- 32-bit programs ------------------------------------------------------------------
# Why this kernel cannot run 32-bit programs, empty when it can. The probe is an x86
# ELF program of 93 bytes that only exits with status 32 (xor ebx,ebx; mov bl,32;
# xor eax,eax; inc eax; int 0x80), written into the 32-bit build folder: a temporary
# folder could be mounted without the right to run programs.
no_32bit=""
probe_32bit() {
    if [ "${ELVARIN_PRETEND_NO_32BIT:-0}" = 1 ]; then
        no_32bit="this kernel cannot execute 32-bit programs: Exec format error; pretended by ELVARIN_PRETEND_NO_32BIT=1"
        return
    fi
    local dir="$top/build-mingw-i686" probe out status
    [ -d "$dir" ] || dir=${TMPDIR:-/tmp}
    probe=$(mktemp "$dir/probe-32bit.XXXXXX") || return
    {
        printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0' # ELF header
        printf '\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0'
        printf '\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\135\0\0\0\135\0\0\0\5\0\0\0\0\20\0\0' # one segment
        printf '\61\333\263\40\61\300\100\315\200' # the code
    } >"$probe"
    chmod +x "$probe"
    out=$("$probe" 2>&1)
    status=$?
    rm -f "$probe"
    [ "$status" -eq 32 ] && return
    # Only the kernel's own refusal means "cannot"; anything else is tried as usual.
    if [[ "$out" == *"Exec format error"* ]]; then
        no_32bit="this kernel cannot execute 32-bit programs: Exec format error"
    else
        echo "NOTE  cannot tell whether 32-bit programs run here (probe: status $status${out:+, $out}): trying"
    fi
}
wants i686 && probe_32bit

# --- packages ---------------------------------------------------------------------
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
install_missing() { "$top/tools/install_deps.sh" "$@" >/dev/null; }
# A machine that cannot have Wine at all skips these checks and says so; the
# cross-build itself (tools/windows_build.sh) still has to succeed.
if ! install_missing wine; then
    for arch in "${arches[@]}"; do
        reason="cannot install wine, wine64, xvfb, xdotool, imagemagick, openbox and python3-xlib here"
        skip "$arch: not run under Wine (reason: $reason)"
        build_result[$arch]="skipped (reason: $reason)"
    done
    summary
    exit 0
fi
# wine32 only where the 32-bit build will run: on other machines the i386 packages
# would cost minutes for nothing.
wine32_ready=true
if wants i686 && [ -z "$no_32bit" ] && ! dpkg -s wine32:i386 >/dev/null 2>&1; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    install_missing wine32:i386 || wine32_ready=false
fi

# --- virtual display ----------------------------------------------------------------
xvfb_pid=""
# Large enough for the game's window at three times its size (288 dpi).
if display=$(bash "$top/tools/virtual_display.sh" --screen 1600x1200); then
    export DISPLAY=${display% *}
    xvfb_pid=${display#* }
else
    echo "NOTE  Xvfb did not start: the checks on a display will fail"
fi

current_prefix=""
clean_up() {
    [ -n "$current_prefix" ] && WINEPREFIX="$current_prefix" wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap clean_up EXIT

# --- helpers ----------------------------------------------------------------------
# The Wine loader of each build: the 32-bit build runs on "wine", the 64-bit one on the
# 64-bit loader itself. Debian's "wine" takes the 32-bit loader whenever wine32 is
# installed, even for a 64-bit program, so a machine that cannot run it would fail the
# 64-bit build too.
loader_of() {
    if [ "$1" = i686 ]; then
        type -P wine
    elif [ -x /usr/lib/wine/wine64 ]; then
        echo /usr/lib/wine/wine64
    else
        type -P wine64 || type -P wine
    fi
}
# This build's loader, which runs every program below. Started in the background, it is
# the program's own process: its id is the one to wait for or to kill.
wine=""
# Waits up to $2 seconds for a visible window whose title matches $1, as long as
# process $3 runs; prints its id.
wait_window() {
    local id tries=$(($2 * 5))
    for _ in $(seq "$tries"); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        running "$3" || return 1
        sleep 0.2
    done
    return 1
}
# Waits up to $2 seconds for process $1 to end; true when it has.
wait_end() {
    for _ in $(seq $(($2 * 5))); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.2
    done
    return 1
}
# Waits up to 60 s for the window titled $1 of process $2 and sets `id` to it. Without it,
# fails the check "$3" and returns 1: "no $4 within 60 s" while the process runs (it is
# then killed), or its exit status and log $5 once it has ended.
await_window() {
    id=$(wait_window "$1" 60 "$2") && return 0
    if running "$2"; then
        fail "$arch: $3: no $4 within 60 s"
        kill_wine "$2"
    else
        wait "$2"
        fail "$arch: $3 ended (exit status $?) without a $4 (see $5)"
    fi
    return 1
}
# Screenshot of window $1 (its part of the screen) into $2.
shoot_window() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1" | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=/\1=/p')"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2" 2>/dev/null
}
colours() { convert "$1" -format %k info: 2>/dev/null || echo 0; }
# Shoots window $1 into $2 until the picture has at least $3 colours and is the same as
# the shot before (the window is drawn), for up to 30 s; true when it came to that.
shoot_drawn_window() {
    local window=$1 file=$2 least=$3 before="$2.before.png" status
    rm -f "$before" "$file"
    drawn() {
        [ -f "$file" ] && mv "$file" "$before"
        shoot_window "$window" "$file"
        [ "$(colours "$file")" -ge "$least" ] && [ -f "$before" ] \
            && [ "$(compare -metric AE "$before" "$file" null: 2>&1)" = 0 ]
    }
    wait_until drawn 30
    status=$?
    rm -f "$before"
    return $status
}
visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort; }
# Clicks at ($2, $3) in window $1, on an entry of its menu bar, and waits up to 15 s for
# a new window (the entry's menu) to show; true when one did.
open_menu() {
    local before
    before=$(visible_windows)
    xdotool mousemove --window "$1" "$2" "$3" click 1 2>/dev/null
    wait_until '[ -n "$(comm -13 <(echo "$before") <(visible_windows))" ]' 15
}
# Dark pixels of the board (the window's top left, under the menu bar): grid lines and
# black pieces, so they grow with the number of black pieces.
dark_board_pixels() {
    convert "$1" -crop 242x242+0+19 +repage -colorspace Gray -threshold 20% \
            -format '%[fx:round((1-mean)*w*h)]' info: 2>/dev/null || echo 0
}
# Polls up to $2 seconds until command $1 succeeds.
wait_until() {
    for _ in $(seq $(($2 * 5))); do
        eval "$1" && return 0
        sleep 0.2
    done
    return 1
}
# The header of a network file as a whole number.
header_of() { od -A n -t f4 -N 4 "$1" 2>/dev/null | awk '{ printf "%d", $1 }'; }
kill_wine() { [ -n "$1" ] && kill "$1" 2>/dev/null; }

# --- checks of one build ------------------------------------------------------------
check_unit_tests() {
    # Configure again: the test runner (Wine) may have been installed after the build,
    # and it is to be this build's loader.
    cmake -Dwine_program="$wine" "$build" >/dev/null || { fail "$arch: unit tests: cannot configure $build"; return; }
    cmake --build "$build" -j2 --target unit_tests windows_tests >/dev/null || { fail "$arch: unit tests: build"; return; }
    local log="$checks/ctest.log"
    ctest --test-dir "$build" -j2 --output-on-failure --timeout 600 >"$log" 2>&1
    local summary total bad
    summary=$(grep -E 'tests passed, [0-9]+ tests failed out of' "$log" | tail -1)
    if [ -z "$summary" ]; then
        fail "$arch: unit tests under Wine: no summary (see $log)"
        return
    fi
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    echo "$( [ "$bad" -eq 0 ] && echo PASS || echo FAIL )  $arch: unit tests under Wine: $summary"
    # ctest's own list of the failed tests, whatever the way they failed (a wrong
    # result, a time-out, a crash).
    [ "$bad" -eq 0 ] || sed -n '/The following tests FAILED:/,$p' "$log" \
        | grep -E '^[[:space:]]+[0-9]+ - ' | sed 's/^[[:space:]]*/      /'
}

# korvane.exe as a player gets it: started in the folder unpacked from the zip that
# tools/windows_build.sh made, with the default hall of fame and the cursors beside it.
check_korvane_with_file() {
    local dir="$checks/korvane-from-zip" id pid n zip folder
    zip=$(ls "$build"/elvarin-*-windows-"$arch".zip 2>/dev/null | head -1)
    if [ -z "$zip" ]; then
        fail "$arch: no zip in $build (run tools/windows_build.sh $arch)"
        return
    fi
    rm -rf "$dir" && mkdir -p "$dir" && cd "$dir" || return
    python3 -m zipfile -e "$zip" . || { fail "$arch: cannot unpack $zip"; cd "$top"; return; }
    folder=$(ls -d "$dir"/elvarin-*-windows-"$arch")
    cd "$folder" || return
    "$wine" ./korvane.exe >"$dir/korvane.log" 2>&1 &
    pid=$!
    if ! await_window "Elvarin avec" "$pid" "korvane.exe from the unpacked zip" window "$dir/korvane.log"; then
        cd "$top" || return
        return
    fi
    shoot_drawn_window "$id" "$dir/window.png" 4
    n=$(colours "$dir/window.png")
    local geometry
    geometry=$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')
    if [ "$n" -ge 4 ]; then
        pass "$arch: korvane.exe from the unpacked zip shows \"$(xdotool getwindowname "$id")\" ($geometry, $n colours: $dir/window.png)"
    else
        fail "$arch: korvane.exe window looks blank ($n colours: $dir/window.png)"
    fi
    # White (the person) plays column 5, row 3 and turns one black piece; the computer's
    # answer brings black back to more pieces than at the start. The board is at the
    # window's top left under the menu bar, 30 pixels a square.
    local dark_before
    dark_before=$(dark_board_pixels "$dir/window.png")
    xdotool mousemove --window "$id" 136 95 click 1 2>/dev/null
    answered() {
        shoot_window "$id" "$dir/after-move.png"
        [ "$(dark_board_pixels "$dir/after-move.png")" -gt "$dark_before" ]
    }
    if wait_until answered 30; then
        pass "$arch: korvane.exe plays the click on a legal square and the computer answers (dark board pixels $dark_before, then $(dark_board_pixels "$dir/after-move.png"): $dir/after-move.png)"
    else
        fail "$arch: korvane.exe: no answer to a click on a legal square within 30 s ($dir/after-move.png)"
    fi
    # "Fichier", then its item "Fermer".
    open_menu "$id" 24 9 || echo "      (no menu seen after the click on \"Fichier\")"
    shoot_window "$id" "$dir/menu-fichier.png"
    xdotool mousemove --window "$id" 36 29 click 1 2>/dev/null
    if wait_end "$pid" 15; then
        wait "$pid"
        pass "$arch: korvane.exe ends on \"Fichier\" > \"Fermer\" (exit status $?)"
        if cmp -s meillfl.don "$top/game/data/meillfl.don"; then
            pass "$arch: the unpacked folder's hall of fame is the default one, unchanged by the game"
        else
            fail "$arch: the unpacked folder's meillfl.don differs from game/data/meillfl.don"
        fi
    else
        fail "$arch: korvane.exe still runs 15 s after \"Fermer\""
        kill_wine "$pid"
    fi
    cd "$top" || return
}

check_korvane_without_file() {
    local dir="$checks/korvane-without-file" id pid
    rm -rf "$dir" && mkdir -p "$dir" && cd "$dir" || return
    cp "$build"/game/oui.cur "$build"/game/non.cur .
    "$wine" "$build/game/korvane.exe" >korvane.log 2>&1 &
    pid=$!
    if ! await_window "Impossible de d" "$pid" "korvane.exe without a hall of fame" "message box" "$dir/korvane.log"; then
        cd "$top" || return
        return
    fi
    shoot_drawn_window "$id" "$dir/message.png" 2
    if xdotool search --onlyvisible --name "Elvarin avec" >/dev/null 2>&1; then
        fail "$arch: korvane.exe without a hall of fame shows its main window beside the box"
    else
        pass "$arch: korvane.exe without a hall of fame shows the box \"$(xdotool getwindowname "$id")\" and no board ($(colours "$dir/message.png") colours: $dir/message.png)"
    fi
    xdotool key --window "$id" Return 2>/dev/null
    if wait_end "$pid" 15; then
        wait "$pid"
        pass "$arch: korvane.exe ends once the box is dismissed (exit status $?)"
    else
        fail "$arch: korvane.exe still runs 15 s after its box was dismissed"
        kill_wine "$pid"
    fi
    cd "$top" || return
}

# Lines of the trainer's output that report a generation.
generation_lines() { grep -c 'Generation = ' "$1" 2>/dev/null || true; }
question_lines() { grep -c 'Voulez-vous stopper le programme (O/N) ?' "$1" 2>/dev/null || true; }

check_trainer_pipe() {
    local dir="$checks/trainer-pipe" pid out status lines last saved keys_lost=false
    rm -rf "$dir" && mkdir -p "$dir" && cd "$dir" || return
    "$wine" "$build/make_population/make_population.exe" --seed 11 . >/dev/null
    mkfifo keys
    "$wine" "$build/trainer/trainer.exe" <keys >out.txt 2>err.txt &
    pid=$!
    exec 7>keys
    out="$dir/out.txt"
    # A key the trainer can no longer read (it has ended) fails the check.
    send_keys() { printf %s "$1" >&7 2>/dev/null || keys_lost=true; }
    wait_until '[ "$(generation_lines "$out")" -ge 3 ] || ! running "$pid"' 20
    lines=$(generation_lines "$out")
    send_keys x
    wait_until '[ "$(question_lines "$out")" -ge 1 ] || ! running "$pid"' 20
    local asked went_on
    asked=$(question_lines "$out")
    send_keys N
    wait_until '[ "$(generation_lines "$out")" -gt "$lines" ] || ! running "$pid"' 20
    went_on=$(generation_lines "$out")
    send_keys xO
    if wait_end "$pid" 30; then
        wait "$pid"
        status=$?
    else
        status=running
        kill_wine "$pid"
    fi
    exec 7>&-
    last=$(grep -o 'Generation = [0-9]*' "$out" | tail -1 | grep -o '[0-9]*$')
    saved=$(header_of elvarfl.don)
    if [ "$lines" -ge 3 ] && [ "$asked" -ge 1 ] && [ "$went_on" -gt "$lines" ] \
       && [ "$(question_lines "$out")" -ge 2 ] && [ "$status" = 0 ] && [ "$saved" = "$last" ] && ! $keys_lost; then
        pass "$arch: trainer.exe, keys on a pipe: $lines generations, question after a key, on after \"N\", stopped by \"O\" after generation $last (exit status 0, saved header $saved)"
    else
        local keys="all read"
        $keys_lost && keys="not all read (the trainer had ended)"
        fail "$arch: trainer.exe, keys on a pipe: generations $lines, question $asked, after N $went_on generations, keys $keys, exit $status, last generation ${last:-none}, saved header ${saved:-none} (see $out and $dir/err.txt)"
    fi
    cd "$top" || return
}

# The Linux process of the Windows program whose file name is $1, run in this build's
# prefix; fails when there is none.
wine_process() {
    local dir
    for dir in /proc/[0-9]*; do
        [[ "$(tr '\0' '\n' 2>/dev/null <"$dir/cmdline" | head -n 1)" == *"$1" ]] || continue
        tr '\0' '\n' 2>/dev/null <"$dir/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        echo "${dir#/proc/}"
        return 0
    done
    return 1
}
# Processor time that process $1 has used, in clock ticks (0 once it has gone).
cpu_ticks() {
    local ticks
    ticks=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | awk '{ print $12 + $13 }')
    echo "${ticks:-0}"
}
# Waits up to $2 seconds until process $1 has used no processor time for a second, as a
# program waiting for a key does; true when it came to that.
wait_idle() {
    local last now quiet=0
    last=$(cpu_ticks "$1")
    for _ in $(seq $(($2 * 5))); do
        sleep 0.2
        running "$1" || return 1
        now=$(cpu_ticks "$1")
        if [ "$now" = "$last" ]; then
            quiet=$((quiet + 1))
            [ "$quiet" -ge 5 ] && return 0
        else
            quiet=0
            last=$now
        fi
    done
    return 1
}

# trainer.exe in a console window of its own (wineconsole): $1 "key" or "ctrl-c". The
# trainer runs its generations once it has made the hall of fame; it waits at its
# question when it uses no processor time, and goes on when it uses some again.
check_trainer_console() {
    local how=$1 dir="$checks/trainer-console-$1" pid id status saved trainer=""
    rm -rf "$dir" && mkdir -p "$dir" && cd "$dir" || return
    "$wine" "$build/make_population/make_population.exe" --seed 13 . >/dev/null
    "$wine" wineconsole "$build/trainer/trainer.exe" >console.log 2>&1 &
    pid=$!
    if ! await_window "trainer" "$pid" "trainer.exe in a console window" window "$dir/console.log"; then
        cd "$top" || return
        return
    fi
    wait_until '[ -f meillfl.don ] && trainer=$(wine_process trainer.exe) || ! running "$pid"' 60
    local asked=yes went_on=yes
    if [ -z "$trainer" ]; then
        asked="no trainer.exe running"
    elif [ "$how" = key ]; then
        xdotool key --window "$id" x 2>/dev/null
        wait_idle "$trainer" 30 || asked=no
        shoot_window "$id" "$dir/question.png"
        local waiting
        waiting=$(cpu_ticks "$trainer")
        xdotool key --window "$id" n 2>/dev/null
        wait_until '[ "$(cpu_ticks "$trainer")" -gt $((waiting + 10)) ] || ! running "$trainer"' 30
        running "$trainer" || went_on=no
        xdotool key --window "$id" x 2>/dev/null
        wait_idle "$trainer" 30 || asked=no
        xdotool key --window "$id" shift+o 2>/dev/null
    else
        xdotool key --window "$id" ctrl+c 2>/dev/null
    fi
    if wait_end "$pid" 30; then
        wait "$pid"
        status=$?
    else
        status=running
        kill_wine "$pid"
    fi
    saved=$(header_of elvarfl.don)
    local what="goes on after \"n\", stops on \"O\" typed in the window (question: $dir/question.png)"
    [ "$how" = key ] || what="stops on Ctrl+C"
    if [ "$asked" = yes ] && [ "$went_on" = yes ] && [ "$status" = 0 ] && [ "${saved:-0}" -gt 0 ]; then
        pass "$arch: trainer.exe in a console window $what and saves generation $saved"
    else
        fail "$arch: trainer.exe in a console window: after $how, waiting at the question: $asked, on after n: $went_on, exit $status, saved header ${saved:-none}"
    fi
    cd "$top" || return
}

# --- the game on today's desktops ------------------------------------------------------
# korvane.exe under two frames: Wine's own, and one like a current Windows desktop's (a
# 22-pixel caption, a 19-pixel menu bar, a 1-pixel border and a 4-pixel padded border, as
# Windows 10 and 11 have them at 96 dpi), set in a prefix made afresh for it. Under each,
# as a person sees and uses it:
#   - the whole board image with its white strip is on screen;
#   - the yes and no cursors show over legal and illegal squares and the crosshair off the
#     board, with their bounds where the board's pixel rule puts them (offsets 2 to 241);
#   - clicks at board offsets 0, 1 and 242 and on illegal squares do nothing; a click on
#     the first pixel of a square plays it, and so does one on the last pixel of another;
#   - with a window manager on the display (openbox; without one Wine maximises nothing on
#     screen), the window moved, then maximised and restored by a helper program
#     (tests/windows/show_window.cpp), still maps the pointer to the square under it.
# Pixels and cursors are read by tests/windows/screen_board.py (the cursor through the X
# display). And trainer.exe saving while another program (tests/windows/hold_file.cpp)
# holds elvarfl.don open, as an indexer or a virus scanner does for a moment.

screen_board() { /usr/bin/python3 "$top/tests/windows/screen_board.py" "$@"; }
grille="$top/game/resources/grille1.bmp"
# The opening position as screen_board.py reads it, row after row.
opening_position="...........................WB......BW..........................."

# The Wine prefix of frame $1: the build's own for Wine's frame; for the modern frame one
# made afresh by make_modern_prefix.
frame_prefix() {
    if [ "$1" = wine ]; then echo "$build/wine-prefix"; else echo "$build/wine-prefix-modern"; fi
}
make_modern_prefix() {
    local prefix
    prefix=$(frame_prefix modern)
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null
    rm -rf "$prefix"
    WINEPREFIX="$prefix" "$wine" wineboot -i >/dev/null 2>&1
    # Windows keeps these in twips: -15 is one pixel at 96 dpi.
    printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Control Panel\Desktop\WindowMetrics]' '"CaptionHeight"="-330"' \
        '"MenuHeight"="-285"' '"BorderWidth"="-15"' '"PaddedBorderWidth"="-60"' >"$checks/modern-frame.reg"
    WINEPREFIX="$prefix" "$wine" regedit /S "$checks/modern-frame.reg" >/dev/null 2>&1
}

# The multiple the game draws at in the check under way (the prefix's DPI): each pixel of
# the board image and of the cursors is a block of multiple x multiple on screen. Board
# offsets below are screen pixels from the board's corner; first_px and last_px give the
# first and the last screen pixel of pixel $1 of the board image.
multiple=1
first_px() { echo $(($1 * multiple)); }
last_px() { echo $((($1 + 1) * multiple - 1)); }
# Waits up to $2 seconds for the whole board image on screen at the multiple, each of its
# pixels an exact block, elsewhere than at "$3" when given; sets board_x and board_y (its
# top left corner on screen). Screenshot: $1.
await_board() {
    local shot=$1 not_at=${3:-} found=""
    board_shown() {
        import -window root "$shot" 2>/dev/null && found=$(screen_board board "$shot" "$grille" "$multiple") &&
            [ "$found" != "$not_at" ]
    }
    wait_until board_shown "$2" || return 1
    read -r board_x board_y <<<"$found"
}
# Waits up to 10 s for cursor $1: yes, no, or other (the crosshair).
await_cursor() {
    wait_until "[ \"\$(screen_board cursor '$build/game/oui.cur' '$build/game/non.cur' $multiple)\" = $1 ]" 10
}
# The pointer to board offset $1, $2; then waits for cursor $3 there.
cursor_at() {
    xdotool mousemove $((board_x + $1)) $((board_y + $2)) 2>/dev/null
    await_cursor "$3"
}
# Probes "X Y CURSOR"...; prints those whose cursor did not show. Each probe shows
# another cursor than the one before it, so that none is read before its movement is handled.
wrong_cursors() {
    local probe wrong=()
    for probe in "$@"; do
        set -- $probe
        cursor_at "$1" "$2" "$3" || wrong+=("$1,$2 not $3")
    done
    echo "${wrong[*]}"
}
# The cursors on both sides of square (5, 3)'s bounds (board image pixels 121/122 and
# 151/152) that are not the right ones, where the board now is.
square_5_3_bounds_wrong() {
    wrong_cursors "$(first_px 122) $(first_px 62) yes" "$(last_px 121) $(first_px 62) no" \
                  "$(last_px 151) $(last_px 91) yes" "$(first_px 152) $(last_px 91) no"
}
# A click at board offset $1, $2. The game reads the pointer when it handles the click:
# the pointer stays there until the click has shown its effect (for a click without one,
# its cursor: see check_board_frame).
click_at() { xdotool mousemove $((board_x + $1)) $((board_y + $2)) click 1 2>/dev/null; }
# The board on screen now, row after row (screenshot $1).
pieces_now() {
    import -window root "$1" 2>/dev/null && screen_board pieces "$1" "$board_x" "$board_y" "$multiple" | tr -d '\n'
}
piece_at() { echo "${1:$((($3 - 1) * 8 + $2 - 1)):1}"; } # board, column, row
piece_count() { local pieces=${1//./}; echo ${#pieces}; }
# Clicks the last pixel (board image pixel 30 c + 1, 30 r + 1) of the first square where
# white may play on the board now (screenshot $1); true once a piece stands there. Sets `played`.
play_last_pixel_of_a_legal_square() {
    local shot=$1 legal column row
    import -window root "$shot" 2>/dev/null
    legal=$(screen_board legal "$shot" "$board_x" "$board_y" "$multiple" | cut -d' ' -f1)
    played="none"
    [ -n "$legal" ] || return 1
    IFS=, read -r column row <<<"$legal"
    played="($column, $row)"
    cursor_at "$(first_px $((30 * column - 15)))" "$(first_px $((30 * row - 15)))" yes || return 1
    click_at "$(last_px $((30 * column + 1)))" "$(last_px $((30 * row + 1)))"
    wait_until '[ "$(piece_at "$(pieces_now "$shot")" "$column" "$row")" != . ]' 30
}
# Plays white's first move by a click on the first pixel of square (5, 3); true once
# the computer has answered.
play_first_pixel_of_the_opening_move() {
    local shot=$1 now
    click_at "$(first_px 122)" "$(first_px 62)"
    wait_until 'now=$(pieces_now "$shot"); [ "$(piece_at "$now" 5 3)" = W ] && [ "$(piece_count "$now")" -eq 6 ]' 30
}
# Starts korvane.exe in folder $1 with the default hall of fame and the cursors and waits
# for its window and the whole board; sets pid, id, board_x and board_y. Without them,
# fails check "$2" and returns 1.
start_korvane_in() {
    rm -rf "$1" && mkdir -p "$1" || return 1
    cp "$build/game/korvane.exe" "$build/game/oui.cur" "$build/game/non.cur" "$top/game/data/meillfl.don" "$1/"
    (cd "$1" && exec "$wine" ./korvane.exe >korvane.log 2>&1) &
    pid=$!
    await_window "Elvarin avec" "$pid" "$2" window "$1/korvane.log" || return 1
    if ! await_board "$1/window.png" 30; then
        fail "$2: the whole board with its white strip is not on screen within 30 s ($1/window.png)"
        kill_wine "$pid"
        return 1
    fi
}
window_width() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p'; }

# The board, the cursors and the clicks under frame $1, no window manager running.
check_board_frame() {
    local frame=$1 dir="$checks/board-$1-frame" what="$arch, $1 frame: korvane.exe" wrong board geometry
    export WINEPREFIX
    WINEPREFIX=$(frame_prefix "$frame")
    if start_korvane_in "$dir" "$what"; then
        geometry=$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')
        pass "$what shows the whole board with its white strip (window ${geometry}, board at $board_x,$board_y on screen: $dir/window.png)"
        if wait_until 'client_as_drawn_at_96_dpi "$dir/client.png"' 10; then
            pass "$what: its client area is pixel for pixel as the game drew it at 96 dpi before it drew itself at other scales ($reference_96)"
        else
            fail "$what: its client area differs from $reference_96 ($dir/client.png)"
        fi
        wrong=$(wrong_cursors "122 62 yes" "121 62 no" "151 91 yes" "152 91 no" "0 70 other" "2 70 no" "1 70 other" \
                              "241 70 no" "242 70 other" "151 92 no" "70 242 other" "130 62 yes" "130 61 no" "70 1 other" \
                              "70 2 no")
        if [ -z "$wrong" ]; then
            pass "$what: the yes cursor over square (5, 3) from board offset 122,62 to 151,91, the no cursor beside it and over the other squares from 2 to 241, the crosshair at 0, 1 and 242"
        else
            fail "$what: cursors: $wrong"
        fi
        # A click shows the class cursor, the crosshair, until the pointer moves again; the
        # pointer then moves to illegal square (1, 3) and waits for the no cursor, which shows
        # once the click has been handled. A repaint may be under way when the last one has:
        # the board is read until it shows whole.
        local at lost=""
        for at in "0 70" "1 70" "242 70" "70 0" "70 1" "70 242" "121 62" "152 91" "130 61" "151 92"; do
            click_at $at
            await_cursor other && cursor_at 2 70 no || lost="$lost ${at/ /,}"
        done
        board=""
        if [ -z "$lost" ] &&
           wait_until 'board=$(pieces_now "$dir/after-idle-clicks.png"); [ "$board" = "$opening_position" ]' 10; then
            pass "$what: clicks at board offsets 0, 1 and 242 and on the illegal squares beside (5, 3) do nothing"
        else
            fail "$what: after clicks at board offsets 0, 1, 242 and on illegal squares the board reads ${board:-nothing}${lost:+ (no cursor after the clicks at$lost)} ($dir/after-idle-clicks.png)"
        fi
        if play_first_pixel_of_the_opening_move "$dir/first-pixel.png"; then
            pass "$what: a click on the first pixel of square (5, 3) plays it, and the computer answers"
        else
            fail "$what: a click on the first pixel of square (5, 3) did not play it within 30 s ($dir/first-pixel.png)"
        fi
        if play_last_pixel_of_a_legal_square "$dir/last-pixel.png"; then
            pass "$what: a click on the last pixel of square $played plays it"
        else
            fail "$what: a click on the last pixel of square $played did not play it within 30 s ($dir/last-pixel.png)"
        fi
        kill_wine "$pid"
        wait "$pid" 2>/dev/null
    fi
    WINEPREFIX=$(frame_prefix wine)
}

# The window moved, maximised and restored under frame $1, with openbox on the display.
check_window_states() {
    local frame=$1 dir="$checks/window-states-$1-frame" what="$arch, $1 frame, openbox: korvane.exe" wm before wrong
    export WINEPREFIX
    WINEPREFIX=$(frame_prefix "$frame")
    openbox --sm-disable >"$checks/openbox.log" 2>&1 &
    wm=$!
    if ! wait_until 'screen_board wm || ! running "$wm"' 30 || ! running "$wm"; then
        fail "$what: openbox does not run on the display (see $checks/openbox.log)"
    elif start_korvane_in "$dir" "$what"; then
        before="$board_x $board_y"
        xdotool windowmove "$id" 200 150 2>/dev/null
        if ! await_board "$dir/moved.png" 30 "$before"; then
            fail "$what: the whole board is not on screen once the window is moved ($dir/moved.png)"
        elif wrong=$(square_5_3_bounds_wrong) && [ -z "$wrong" ]; then
            pass "$what moved to 200,150: the cursors' bounds follow the board (now at $board_x,$board_y)"
        else
            fail "$what moved: cursors: $wrong"
        fi
        before="$board_x $board_y"
        "$wine" "$build/tests/windows/show_window.exe" MyApp maximize >/dev/null 2>&1
        if ! wait_until '[ "$(window_width "$id")" -ge 1000 ]' 30 || ! await_board "$dir/maximised.png" 30 "$before"; then
            fail "$what is not maximised on screen with its whole board within 30 s ($dir/maximised.png)"
        else
            wrong=$(square_5_3_bounds_wrong)
            if [ -z "$wrong" ] && play_first_pixel_of_the_opening_move "$dir/maximised-move.png"; then
                pass "$what maximised ($(window_width "$id") pixels wide, board at $board_x,$board_y): the cursors' bounds follow the board, a click on the first pixel of square (5, 3) plays it"
            else
                fail "$what maximised: cursors: ${wrong:-right}; the click on the first pixel of (5, 3): see $dir/maximised-move.png"
            fi
        fi
        before="$board_x $board_y"
        "$wine" "$build/tests/windows/show_window.exe" MyApp restore >/dev/null 2>&1
        if ! wait_until '[ "$(window_width "$id")" -lt 1000 ]' 30 || ! await_board "$dir/restored.png" 30 "$before"; then
            fail "$what is not restored on screen with its whole board within 30 s ($dir/restored.png)"
        elif play_last_pixel_of_a_legal_square "$dir/restored-move.png"; then
            pass "$what restored (board at $board_x,$board_y): the yes cursor over square $played, a click on its last pixel plays it"
        else
            fail "$what restored: a click on the last pixel of square $played did not play it within 30 s ($dir/restored-move.png)"
        fi
        kill_wine "$pid"
        wait "$pid" 2>/dev/null
    fi
    kill "$wm" 2>/dev/null
    wait "$wm" 2>/dev/null
    WINEPREFIX=$(frame_prefix wine)
}

# --- the game at today's display scales -----------------------------------------------
# korvane.exe declares itself per-monitor DPI-aware (game/resources/korvane.manifest), so
# Wine tells it the DPI of the prefix (LogPixels, set in its registry for each check): it
# draws its board, pieces and cursors at a whole multiple (the DPI's scale rounded up: 2 at
# 144 and 192 dpi, 3 at 288), each pixel an exact block of its colour; its texts in the
# desktop's font at that DPI, placed by the same multiple; its client area exactly the
# layout's at that multiple. The pointer maps back by the multiple: the first and the last
# screen pixel of a square play it, the pixels beside it do not. Under Wine's frame at 144
# dpi and the modern frame at 192 dpi (Wine has no second monitor to move to: a helper
# program, tests/windows/show_window.cpp, sends the messages that Windows sends then),
# and its dialogs and message boxes as Windows scales dialogs.

# The client area at 96 dpi, as the game drew it before it drew itself at other scales.
reference_96="$top/tests/windows/client_96dpi.png"
client_as_drawn_at_96_dpi() {
    import -window root -crop "516x245+$board_x+$board_y" +repage "$1" 2>/dev/null &&
        [ "$(compare -metric AE "$1" "$reference_96" null: 2>&1)" = 0 ]
}
# The DPI of the prefix, for the programs that start from now on.
set_prefix_dpi() {
    printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Control Panel\Desktop]' \
        "\"LogPixels\"=dword:$(printf %08x "$1")" >"$checks/dpi-$1.reg"
    "$wine" regedit /S "$checks/dpi-$1.reg" >/dev/null 2>&1
}
multiple_of_dpi() { echo $((($1 + 95) / 96)); }
# What show_window.exe reports of the window of class $1 ("client", "dpi DPI", ...).
window_report() { "$wine" "$build/tests/windows/show_window.exe" "$@" 2>/dev/null | tr -d '\r'; }
layout_size() { echo "$((516 * $1)) $((245 * $1))"; }
# Where the three texts stand (screenshot $1): each in the band of its line, from the
# layout's 250 at the multiple, within the client area; the first line, whose "V" and "j"
# reach from the top of a capital to the foot of a descender, at least `text_height` high.
texts_wrong() {
    local shot=$1 line=0 x1 y1 x2 y2 wrong=()
    import -window root "$shot" 2>/dev/null || { echo "no screenshot"; return; }
    while read -r x1 y1 x2 y2; do
        line=$((line + 1))
        if [ "$x1" = none ]; then
            wrong+=("line $line missing")
        elif [ "$x1" -lt "$(first_px 250)" ] || [ "$x1" -gt "$(first_px 252)" ] ||
             [ "$x2" -gt "$(first_px 516)" ] || { [ "$line" -eq 1 ] && [ $((y2 - y1)) -lt "$text_height" ]; }; then
            wrong+=("line $line at $x1,$y1-$x2,$y2")
        fi
    done < <(screen_board texts "$shot" "$board_x" "$board_y" "$multiple")
    [ "$line" -eq 3 ] || wrong+=("$line lines read")
    echo "${wrong[*]}"
}

# korvane.exe under frame $1 at $2 dpi, no window manager running. With $3, then moved to a
# monitor of $3 dpi and back.
check_board_dpi() {
    local frame=$1 dpi=$2 dir="$checks/board-$1-frame-$2dpi" what="$arch, $1 frame, $2 dpi: korvane.exe"
    local report wrong expected
    export WINEPREFIX
    WINEPREFIX=$(frame_prefix "$frame")
    set_prefix_dpi "$dpi"
    multiple=$(multiple_of_dpi "$dpi")
    if start_korvane_in "$dir" "$what"; then
        report=$(window_report MyApp client)
        expected="client $(layout_size "$multiple")"
        if [ "$report" = "$expected" ]; then
            pass "$what draws the whole board at $multiple times its pixels, each an exact block of its colour (board at $board_x,$board_y on screen: $dir/window.png); \"$report\""
        else
            fail "$what: the board at $multiple times its pixels, but its window reports \"$report\", not \"$expected\""
        fi
        # The desktop's message font at this DPI: 11 pixels high at 96 dpi; nine tenths of it.
        text_height=$(((99 * dpi + 959) / 960))
        if wrong="no texts yet" && wait_until 'wrong=$(texts_wrong "$dir/texts.png"); [ -z "$wrong" ]' 10; then
            pass "$what: its three texts start at $(first_px 250) pixels, each in its line's band at the multiple, within the client area, the first $text_height pixels high or more ($dir/texts.png)"
        else
            fail "$what: texts: $wrong ($dir/texts.png)"
        fi
        wrong=$(wrong_cursors "$(first_px 122) $(first_px 62) yes" "$(last_px 121) $(first_px 62) no" \
                              "$(last_px 151) $(last_px 91) yes" "$(first_px 152) $(last_px 91) no" \
                              "$(last_px 1) $(first_px 70) other" "$(first_px 2) $(first_px 70) no" \
                              "$(last_px 241) $(first_px 70) no" "$(first_px 242) $(first_px 70) other")
        if [ -z "$wrong" ]; then
            pass "$what: the cursors at $multiple times their pixels: yes over square (5, 3) from its first screen pixel $(first_px 122),$(first_px 62) to its last $(last_px 151),$(last_px 91), no beside it and over the squares from $(first_px 2) to $(last_px 241), the crosshair at $(last_px 1) and $(first_px 242)"
        else
            fail "$what: cursors: $wrong"
        fi
        if play_first_pixel_of_the_opening_move "$dir/first-pixel.png"; then
            pass "$what: a click on the first screen pixel of square (5, 3) plays it, and the computer answers"
        else
            fail "$what: a click on the first screen pixel of square (5, 3) did not play it within 30 s ($dir/first-pixel.png)"
        fi
        if play_last_pixel_of_a_legal_square "$dir/last-pixel.png"; then
            pass "$what: a click on the last screen pixel of square $played plays it"
        else
            fail "$what: a click on the last screen pixel of square $played did not play it within 30 s ($dir/last-pixel.png)"
        fi
        [ -n "${3:-}" ] && check_dpi_change "$dpi" "$3" "$dir" "$what"
        kill_wine "$pid"
        wait "$pid" 2>/dev/null
    fi
    multiple=1
    set_prefix_dpi 96
    WINEPREFIX=$(frame_prefix wine)
}

# The running korvane.exe, at $1 dpi, moved to a monitor of $2 dpi and back ($3 its folder,
# $4 what it is): each time it takes the rectangle suggested with WM_DPICHANGED, of the size
# it asked for with WM_GETDPISCALEDSIZE, and draws itself at the multiple of the new DPI.
# Wine draws the frame at the prefix's DPI, so at $2 dpi the client area is larger than
# the layout by the difference between the two frames; back at $1 dpi it is the layout's.
check_dpi_change() {
    local from=$1 to=$2 dir=$3 what=$4 report suggested window width height at
    for at in "$to" "$from"; do
        report=$(window_report MyApp dpi "$at")
        suggested=$(sed -n 's/^suggested \([-0-9 ]*\) window.*/\1/p' <<<"$report")
        window=$(sed -n 's/.* window \([-0-9 ]*\) client.*/\1/p' <<<"$report")
        read -r width height <<<"$(sed -n 's/.* client //p' <<<"$report")"
        multiple=$(multiple_of_dpi "$at")
        read -r layout_width layout_height <<<"$(layout_size "$multiple")"
        if [ -z "$suggested" ] || [ "$window" != "$suggested" ] || [ "${width:-0}" -lt "$layout_width" ] ||
           [ "${height:-0}" -lt "$layout_height" ] ||
           { [ "$at" = "$from" ] && [ "$width $height" != "$layout_width $layout_height" ]; }; then
            fail "$what moved to a monitor of $at dpi: \"$report\" (the window is to take the suggested rectangle; its client area to hold $layout_width x $layout_height)"
        elif ! await_board "$dir/at-$at-dpi.png" 30; then
            fail "$what moved to a monitor of $at dpi: the whole board at $multiple times its pixels is not on screen within 30 s ($dir/at-$at-dpi.png)"
        elif ! play_last_pixel_of_a_legal_square "$dir/at-$at-dpi-move.png"; then
            fail "$what moved to a monitor of $at dpi: a click on the last screen pixel of square $played did not play it within 30 s ($dir/at-$at-dpi-move.png)"
        else
            pass "$what moved to a monitor of $at dpi (WM_GETDPISCALEDSIZE, WM_DPICHANGED): takes the suggested rectangle $suggested, client area $width x $height, the board drawn again at $multiple times its pixels, a click on the last screen pixel of square $played plays it"
        fi
    done
}

# Sets dialog_size to the client size ("W H") of the dialog (class #32770) that korvane.exe
# shows at $1 dpi: its message box without a hall of fame ($2 "box"), its colour dialog ($2
# "colour"); empty without one.
dialog_size_at() {
    local dpi=$1 kind=$2 dir="$checks/dialogs/$2-$1dpi"
    set_prefix_dpi "$dpi"
    multiple=$(multiple_of_dpi "$dpi")
    if [ "$kind" = box ]; then
        rm -rf "$dir" && mkdir -p "$dir" && cp "$build/game/oui.cur" "$build/game/non.cur" "$dir/"
        (cd "$dir" && exec "$wine" "$build/game/korvane.exe" >korvane.log 2>&1) &
        pid=$!
        wait_window "Impossible de d" 60 "$pid" >/dev/null
    elif start_korvane_in "$dir" "$arch, wine frame, $dpi dpi: korvane.exe for its colour dialog"; then
        window_report MyApp command 200
        wait_window "^Dialog\$" 30 "$pid" >/dev/null
    fi
    dialog_size=$(window_report '#32770' client | sed -n 's/^client //p')
    kill_wine "$pid"
    wait "$pid" 2>/dev/null
    multiple=1
}
# $1 / $2 ("W H" each) is $3 / 96 give or take a tenth, on both axes.
scaled_by_dpi() {
    local w1 h1 w2 h2
    read -r w1 h1 <<<"$1"
    read -r w2 h2 <<<"$2"
    [ -n "$w1" ] && [ -n "$w2" ] || return 1
    [ $((w1 * 96 * 10)) -ge $((w2 * $3 * 9)) ] && [ $((w1 * 96 * 10)) -le $((w2 * $3 * 11)) ] &&
        [ $((h1 * 96 * 10)) -ge $((h2 * $3 * 9)) ] && [ $((h1 * 96 * 10)) -le $((h2 * $3 * 11)) ]
}
# The message box and the colour dialog at $1 dpi, against the same at 96 dpi (Wine's frame).
check_dialogs_dpi() {
    local dpi=$1 kind at_96 at_dpi what="$arch, wine frame, $1 dpi: korvane.exe"
    for kind in box colour; do
        dialog_size_at 96 "$kind"
        at_96=$dialog_size
        dialog_size_at "$dpi" "$kind"
        at_dpi=$dialog_size
        local name="the colour dialog"
        [ "$kind" = box ] && name="the message box without a hall of fame"
        if scaled_by_dpi "$at_dpi" "$at_96" "$dpi"; then
            pass "$what: $name is scaled as Windows scales dialogs (client area ${at_dpi/ / x }, at 96 dpi ${at_96/ / x })"
        else
            fail "$what: $name: client area ${at_dpi:-not seen} at $dpi dpi, ${at_96:-not seen} at 96 dpi"
        fi
    done
    set_prefix_dpi 96
}

# trainer.exe saves ("x", then "O") while hold_file.exe holds elvarfl.don open: with the
# file let go while the save waits ($1 "let-go"), the save goes through; held for good
# ($1 "held"), the save fails with its message and leaves the file as it was.
check_held_save() {
    local how=$1 dir="$checks/held-save-$1" holder pid status waited=no
    rm -rf "$dir" && mkdir -p "$dir" && cd "$dir" || return
    "$wine" "$build/make_population/make_population.exe" --seed 17 . >/dev/null
    cp elvarfl.don before.don
    mkfifo keys release
    "$wine" "$build/tests/windows/hold_file.exe" elvarfl.don <release >holder.txt 2>&1 &
    holder=$!
    exec 8>release
    wait_until 'grep -q held holder.txt || ! running "$holder"' 30
    "$wine" "$build/trainer/trainer.exe" <keys >out.txt 2>err.txt &
    pid=$!
    exec 7>keys
    wait_until '[ "$(generation_lines out.txt)" -ge 1 ] || ! running "$pid"' 30
    printf xO >&7 2>/dev/null
    # The new file is written beside the old one, which is still as it was.
    wait_until 'compgen -G "elvarfl.don.tmp-*" >/dev/null || ! running "$pid"' 30
    if running "$pid" && compgen -G "elvarfl.don.tmp-*" >/dev/null && cmp -s elvarfl.don before.don; then
        waited=yes
    fi
    [ "$how" = let-go ] && echo >&8
    if wait_end "$pid" 30; then
        wait "$pid"
        status=$?
    else
        status=running
        kill_wine "$pid"
    fi
    exec 7>&- 8>&-
    wait_end "$holder" 10 || kill_wine "$holder"
    local last saved left
    last=$(grep -o 'Generation = [0-9]*' out.txt | tail -1 | grep -o '[0-9]*$')
    saved=$(header_of elvarfl.don)
    left=$(compgen -G "elvarfl.don.tmp-*")
    if [ "$how" = let-go ]; then
        if [ "$waited" = yes ] && [ "$status" = 0 ] && [ "$saved" = "$last" ] && [ -z "$left" ]; then
            pass "$arch: trainer.exe's save waits while another program holds elvarfl.don and goes through once it lets go (generation $saved saved, exit status 0)"
        else
            fail "$arch: trainer.exe's save with elvarfl.don held, then let go: waited $waited, exit $status, last generation ${last:-none}, saved header ${saved:-none}, left ${left:-nothing} (see $dir)"
        fi
    elif [ "$waited" = yes ] && [ "$status" = 1 ] && grep -q 'Ecriture ne se fait pas' out.txt &&
         cmp -s elvarfl.don before.don && [ -z "$left" ]; then
        pass "$arch: trainer.exe's save with elvarfl.don held for good fails after its retries with \"Ecriture ne se fait pas\" (exit status 1), the file as it was, no temporary file left"
    else
        fail "$arch: trainer.exe's save with elvarfl.don held for good: waited $waited, exit $status, file $(cmp -s elvarfl.don before.don && echo unchanged || echo changed), left ${left:-nothing} (see $dir)"
    fi
    cd "$top" || return
}

# --- the installer ------------------------------------------------------------------------
# The installer that tools/windows_build.sh made, run silently (/S) as a player's setup
# runs: the files, the Start-menu entry "Korvane" and the uninstall key; korvane.exe
# started from that entry plays from the installed folder. The player then puts a hall of
# fame of their own in its place and a folder of theirs beside it; an update over it keeps
# them; the silent uninstaller removes everything the installer put there (the unchanged
# cursor files too), the entry and the key, and leaves the player's files with the folder.
# Installed elsewhere and uninstalled at once, nothing of it is left.

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Elvarin'
uninstall_value() { "$wine" reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
start_menu_entry() { find "$WINEPREFIX/drive_c/users" -name Korvane.lnk 2>/dev/null | head -1; }
installed_files="korvane.exe trainer.exe make_population.exe README.txt LISEZMOI.txt meillfl.don oui.cur non.cur Uninstall.exe"
# The installed files missing from folder $1.
missing_from() { local f gone=(); for f in $installed_files; do [ -f "$1/$f" ] || gone+=("$f"); done; echo "${gone[*]}"; }
# The files of folder $1, and the entry and the key when they are there, as one line.
left_in() {
    echo "$(cd "$1" 2>/dev/null && find . -mindepth 1 | sort | tr '\n' ' ')$([ -n "$(start_menu_entry)" ] && echo "Korvane.lnk ")$(uninstall_value DisplayName >/dev/null && [ -n "$(uninstall_value DisplayName)" ] && echo "the uninstall key")"
}
# Runs the uninstaller of folder $1 silently; true once it has removed its key and itself.
uninstall_from() {
    "$wine" "$1/Uninstall.exe" /S >/dev/null 2>&1
    wait_until '[ ! -f "$1/Uninstall.exe" ] && [ -z "$(uninstall_value DisplayName)" ]' 60
}

check_installer() {
    local setup folder unix_folder entry wrong dir="$checks/installer" what="$arch: the installer" korvane
    setup=$(ls "$build"/elvarin-*-windows-"$arch"-setup.exe 2>/dev/null | head -1)
    if [ -z "$setup" ]; then
        fail "$arch: no installer in $build (run tools/windows_build.sh $arch)"
        return
    fi
    rm -rf "$dir" && mkdir -p "$dir" && cd "$dir" || return
    # What an earlier run left as the player's (a hall of fame and a folder) goes first.
    rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs/Elvarin
    "$wine" "$setup" /S >install.log 2>&1
    folder=$(uninstall_value InstallLocation)
    unix_folder=$([ -n "$folder" ] && "$wine" winepath -u "$folder" 2>/dev/null | tr -d '\r')
    entry=$(start_menu_entry)
    if [ -z "$unix_folder" ] || [ ! -d "$unix_folder" ]; then
        fail "$what ${setup##*/} /S: no InstallLocation in $uninstall_key (see $dir/install.log)"
        cd "$top" || return
        return
    fi
    wrong=$(missing_from "$unix_folder")
    if [ -z "$wrong" ] && [ -n "$entry" ] && cmp -s "$unix_folder/meillfl.don" "$top/game/data/meillfl.don" &&
       [ "$(uninstall_value DisplayName)" = Elvarin ] &&
       [ "$(uninstall_value UninstallString)" = "\"$folder\\Uninstall.exe\"" ]; then
        pass "$what ${setup##*/} /S installs into $folder the programs, the READMEs, the default hall of fame, the cursor files and Uninstall.exe, the Start-menu entry ${entry##*/users/}, and the uninstall key (DisplayName Elvarin, UninstallString $(uninstall_value UninstallString))"
    else
        fail "$what ${setup##*/} /S: missing ${wrong:-no file}, entry ${entry:-none}, DisplayName $(uninstall_value DisplayName), UninstallString $(uninstall_value UninstallString) in $folder"
    fi
    # The entry, opened as the Start menu opens it, from a folder without a hall of fame.
    "$wine" start /unix "$entry" >start.log 2>&1
    if id=$(wait_window "Elvarin avec" 60 "$$") && await_board "$dir/window.png" 30; then
        pass "$what: the Start-menu entry starts korvane.exe in the installed folder: the board with the default hall of fame ($dir/window.png)"
    else
        fail "$what: the Start-menu entry shows no board within 60 s ($dir/window.png, $dir/start.log)"
    fi
    window_report MyApp command 100 # "Fermer"
    wait_until '! korvane=$(wine_process korvane.exe)' 30 || kill "$korvane" 2>/dev/null
    # The player's own hall of fame, and a folder of theirs; then an update over them.
    "$wine" "$build/make_population/make_population.exe" --seed 19 . >/dev/null 2>&1
    cp elvarfl.don "$unix_folder/meillfl.don" && mkdir -p "$unix_folder/mine" && cp elvarfl.don "$unix_folder/mine/"
    "$wine" "$setup" /S >update.log 2>&1
    if cmp -s "$unix_folder/meillfl.don" elvarfl.don && [ -z "$(missing_from "$unix_folder")" ]; then
        pass "$what, run again over the installed folder, keeps the hall of fame the player put there"
    else
        fail "$what, run again over the installed folder: the player's meillfl.don $(cmp -s "$unix_folder/meillfl.don" elvarfl.don && echo kept || echo replaced), missing: $(missing_from "$unix_folder")"
    fi
    if uninstall_from "$unix_folder" && [ "$(left_in "$unix_folder")" = "./meillfl.don ./mine ./mine/elvarfl.don " ] &&
       cmp -s "$unix_folder/meillfl.don" elvarfl.don; then
        pass "$what: Uninstall.exe /S removes the installer's files, the Start-menu entry and the uninstall key, and leaves the player's hall of fame and folder (left: $(left_in "$unix_folder"))"
    else
        fail "$what: after Uninstall.exe /S, left: $(left_in "$unix_folder") (the player's meillfl.don and mine/ only are to stay)"
    fi
    # Elsewhere, as it was installed: nothing is left.
    local fresh='C:\elvarin-untouched' unix_fresh="$WINEPREFIX/drive_c/elvarin-untouched"
    rm -rf "$unix_fresh"
    "$wine" "$setup" /S "/D=$fresh" >fresh.log 2>&1
    if [ -n "$(missing_from "$unix_fresh")" ]; then
        fail "$what /S /D=$fresh: missing $(missing_from "$unix_fresh")"
    elif uninstall_from "$unix_fresh" && [ ! -e "$unix_fresh" ] && [ -z "$(left_in "$unix_fresh")" ]; then
        pass "$what /S /D=$fresh, uninstalled as it was installed: the folder, the Start-menu entry and the uninstall key are gone"
    else
        fail "$what /S /D=$fresh, uninstalled: left $(left_in "$unix_fresh")$([ -e "$unix_fresh" ] && echo " and the folder")"
    fi
    cd "$top" || return
}

# --- all builds -----------------------------------------------------------------------
# The checks of one build; a build that cannot be run says why and leaves the others be.
check_build() {
    build="$top/build-mingw-$arch"
    if [ ! -f "$build/game/korvane.exe" ] || [ ! -f "$build/trainer/trainer.exe" ]; then
        fail "$arch: no build in $build (run tools/windows_build.sh $arch)"
        return
    fi
    local reason=""
    if [ "$arch" = i686 ] && [ -n "$no_32bit" ]; then
        reason=$no_32bit
    elif [ "$arch" = i686 ] && ! $wine32_ready; then
        reason="wine32 (i386 packages) cannot be installed here"
    fi
    if [ -n "$reason" ]; then
        skip "$arch: 32-bit build not run under Wine (reason: $reason)"
        build_result[$arch]="skipped (reason: $reason)"
        return
    fi
    checks="$build/wine-checks"
    mkdir -p "$checks"
    # No Mono, no Gecko, and no menu entries on this machine for the shortcuts the installer makes.
    export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    wine=$(loader_of "$arch")
    unset WINELOADER
    if [ "$arch" = i686 ]; then
        export WINEARCH=win32
    else
        export WINEARCH=win64
        # As Debian's "wine" sets it when it runs the 64-bit loader.
        [[ "$wine" == *64 ]] && export WINELOADER=$wine
    fi
    local version
    if ! version=$("$wine" --version 2>&1); then
        fail "$arch: Wine does not start here: $wine --version: $(tail -n 1 <<<"$version")"
        return
    fi
    current_prefix=$WINEPREFIX
    echo "== Windows $arch under $version ($WINEARCH prefix $WINEPREFIX, loader $wine)"
    start_wine_server
    "$wine" wineboot -i >/dev/null 2>&1
    set_prefix_dpi 96 # a run that ended midway may have left another
    check_unit_tests
    for check in check_korvane_with_file check_korvane_without_file check_trainer_pipe \
                 "check_trainer_console key" "check_trainer_console ctrl-c"; do
        with_one_retry $check
    done
    make_modern_prefix
    for check in "check_board_frame wine" "check_window_states wine" "check_board_frame modern" \
                 "check_window_states modern" "check_board_dpi wine 144" "check_dialogs_dpi 144" \
                 "check_board_dpi modern 192 288" "check_held_save let-go" "check_held_save held" \
                 check_installer; do
        with_one_retry $check
    done
    WINEPREFIX=$(frame_prefix modern) wineserver -k 2>/dev/null
    wineserver -k 2>/dev/null
    current_prefix=""
}

for arch in "${arches[@]}"; do
    passed_before=$passed
    failed_before=$failed
    check_build
    cd "$top" || exit 1
    : "${build_result[$arch]:=$((passed - passed_before)) passed, $((failed - failed_before)) failed}"
done

summary
[ "$failed" -eq 0 ]
