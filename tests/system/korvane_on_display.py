#!/usr/bin/env python3
"""The real korvane program on an X display (Xvfb), driven as a person drives it:
with the pointer and the menus. With a hall of fame it shows its board, plays a click
on a legal square (and the computer answers), and ends on "Fichier" > "Fermer";
without one it shows its message box and ends when the box is dismissed.

    korvane_on_display.py KORVANE
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from outcome import report
from x_display import (CLIENT_HEIGHT, geometry, missing_tool, pixel, start_xvfb, wait_for,
                       window_named, xdotool)

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.join(HERE, "..", "..")


def main():
    korvane = os.path.abspath(sys.argv[1])
    if missing_tool():
        print("%s is not installed\n0 passed, 1 failed" % missing_tool())
        return 1
    xvfb = start_xvfb()
    folder = tempfile.mkdtemp(prefix="elvarin-display-")
    failures = []
    try:
        for name in ("game/data/meillfl.don", "game/resources/oui.cur", "game/resources/non.cur"):
            shutil.copy(os.path.join(TOP, name), folder)
        before = open(os.path.join(folder, "meillfl.don"), "rb").read()
        game = subprocess.Popen([korvane], cwd=folder, stderr=subprocess.DEVNULL)
        window = wait_for(lambda: window_named("Jeu d'Elvarin"))
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
            xdotool("mousemove", str(x + 20), str(y + (height - CLIENT_HEIGHT) // 2), "click", "1")
            time.sleep(0.5)
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

        os.remove(os.path.join(folder, "meillfl.don"))
        game = subprocess.Popen([korvane], cwd=folder, stderr=subprocess.DEVNULL)
        box = wait_for(lambda: window_named("Impossible de d"))
        if not box:
            failures.append("no message box without a hall of fame")
        if window_named("Jeu d'Elvarin"):
            failures.append("the board window shows without a hall of fame")
        if box:
            xdotool("windowactivate", "--sync", box)
            xdotool("key", "--window", box, "Return")
        try:
            game.wait(timeout=20)
        except subprocess.TimeoutExpired:
            failures.append("the program did not end after its message box")
            game.kill()
    finally:
        xvfb.terminate()
        shutil.rmtree(folder, ignore_errors=True)
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
