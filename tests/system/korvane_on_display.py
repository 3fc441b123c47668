#!/usr/bin/env python3
"""The real korvane program on an X display (Xvfb), driven as a person drives it:
with the pointer and the menus. With a hall of fame it shows its board, plays a click
on a legal square (and the computer answers), and ends on "Fichier" > "Fermer";
without one, or with a named pipe in its place, it shows its message box and ends when
the box is dismissed. Started with its standard error closed, it still shows its board.
Without any display to reach it says so in one line and ends, without a core file.

    korvane_on_display.py KORVANE
"""

import os
import resource
import shutil
import subprocess
import sys
import tempfile

from outcome import report
from x_display import (CLIENT_HEIGHT, game_folder, geometry, missing_tool, open_menu, pixel, press_return,
                       start_korvane, start_xvfb, stop_xvfb, wait_for, window_named, xdotool)


def without_display(korvane, failures):
    """No display at all, then one that nobody serves: one line on standard error, exit
    status 1, no abort and so no core file."""
    folder = tempfile.mkdtemp(prefix="elvarin-no-display-")
    try:
        for name, display in (("no display", None), ("unreachable display", ":77")):
            env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
            if display:
                env["DISPLAY"] = display
            done = subprocess.run([korvane], cwd=folder, env=env, capture_output=True, timeout=60,
                                  preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_CORE, (-1, -1)))
            lines = done.stderr.decode("latin-1").splitlines()
            if done.returncode != 1 or len(lines) != 1 or done.stdout:
                failures.append("%s: exit status %d, standard error %r" % (name, done.returncode, done.stderr))
            cores = [f for f in os.listdir(folder) if f.startswith("core")]
            if cores:
                failures.append("%s: %s left in the working folder" % (name, cores))
                for core in cores:
                    os.remove(os.path.join(folder, core))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def dismiss_box(start, failures, case):
    """Starts the program by `start`, waits for its message box, dismisses it and waits
    for the end."""
    game = start()
    box = wait_for(lambda: window_named("Impossible de d") or game.poll() is not None)
    box = box if box is not True else None
    if not box:
        failures.append("%s: no message box" % case)
    if window_named("Jeu d'Elvarin"):
        failures.append("%s: the board window shows" % case)
    if box:
        press_return(box)
    try:
        game.wait(timeout=20)
        if not box:
            failures.append("%s: the program ended with exit status %d, standard error %r"
                            % (case, game.returncode, game.stderr.read()))
    except subprocess.TimeoutExpired:
        failures.append("%s: the program did not end after its message box" % case)
        game.kill()
    game.stderr.close()


def main():
    korvane = os.path.abspath(sys.argv[1])
    if missing_tool():
        print("%s is not installed\n0 passed, 1 failed" % missing_tool())
        return 1
    xvfb = start_xvfb()
    folder = game_folder("elvarin-display-")
    failures = []
    try:
        before = open(os.path.join(folder, "meillfl.don"), "rb").read()
        game, window = start_korvane(korvane, folder)
        if not window:
            failures.append("no window titled \"Jeu d'Elvarin avec r\u00e9seaux de neurones\"")
        else:
            x, y, width, height = geometry(window)
            top = y + height - CLIENT_HEIGHT  # the client area's top edge on the screen
            # Square 21 (column 5, row 3) is legal for white at the opening.
            square_x, square_y = x + 1 + 30 * 4 + 13, top + 1 + 30 * 2 + 13
            if not wait_for(lambda: pixel(square_x, square_y) == 0xC0C0C0, 10):
                failures.append("square 21 is not an empty grey square at the start")
            if pixel(x + 1 + 30 * 3 + 13, top + 1 + 30 * 3 + 13) != 0xFFFFFF:
                failures.append("no white piece on square 28 at the start")
            xdotool("mousemove", str(square_x), str(square_y), "click", "1")
            if not wait_for(lambda: pixel(square_x, square_y) == 0xFFFFFF, 10):
                failures.append("the click on square 21 did not put a white piece there")
            # "Fichier" is the first entry of the menu bar, "Fermer" its only item.
            if not open_menu(x + 20, y + (height - CLIENT_HEIGHT) // 2):
                failures.append("a click on \"Fichier\" shows no menu")
            xdotool("mousemove", str(x + 30), str(y + height - CLIENT_HEIGHT + 10), "click", "1")
        try:
            game.wait(timeout=20)
            if game.returncode != 0:
                failures.append("exit status %d after \"Fermer\"" % game.returncode)
        except subprocess.TimeoutExpired:
            failures.append("\"Fermer\" did not end the program")
            game.kill()
        if open(os.path.join(folder, "meillfl.don"), "rb").read() != before:
            failures.append("the hall-of-fame file changed")

        # Standard error closed: nothing of the program may take its number.
        game = subprocess.Popen(["bash", "-c", 'exec "$0" 2>&-', korvane], cwd=folder)
        shown = wait_for(lambda: window_named("Jeu d'Elvarin") or game.poll() is not None)
        if shown is True:
            failures.append("standard error closed: no window, exit status %d" % game.returncode)
        elif not shown:
            failures.append("standard error closed: no window, and the program goes on")
        if game.poll() is None:
            if os.readlink("/proc/%d/fd/2" % game.pid) != "/dev/null":
                failures.append("standard error closed: descriptor 2 is %s" % os.readlink("/proc/%d/fd/2" % game.pid))
            game.terminate()
            game.wait(timeout=20)

        os.remove(os.path.join(folder, "meillfl.don"))
        start = lambda: subprocess.Popen([korvane], cwd=folder, stderr=subprocess.PIPE)
        dismiss_box(start, failures, "no hall of fame")
        os.mkfifo(os.path.join(folder, "meillfl.don"))
        dismiss_box(start, failures, "hall of fame as a named pipe")
        without_display(korvane, failures)
    finally:
        stop_xvfb(xvfb)
        shutil.rmtree(folder, ignore_errors=True)
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
