#!/usr/bin/env python3
"""The real korvane on an X display (Xvfb) keeps its resident memory: after a warm-up (a
whole game at level 36) it may grow by at most 1 MiB over 100 000 pointer movements, over
another whole game at level 36 played by clicks, and over the ranking of the networks.
Prints what each part cost.

    korvane_memory.py KORVANE
"""

import os
import shutil
import subprocess
import sys
import time

from outcome import report
from x_display import (CLIENT_HEIGHT, game_folder, geometry, missing_tool, open_menu, press_return, screen_part,
                       start_korvane, start_xvfb, stop_xvfb, wait_for, window_named, xdotool)

LIMIT_KIB = 1024
MOVES = 100000
WHITE, BLACK = 1, 2
BOX_CAPTIONS = ("Il ne peux pas", "Vous ne pouvez pas", "La partie est termin")
DIRECTIONS = [(dx, dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1) if dx or dy]


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        return next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))


def cpu_ticks(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def wait_idle(pid, quiet=1.0):
    """Waits until the program has used no processor time for `quiet` seconds."""
    last, since = cpu_ticks(pid), time.time()
    while time.time() - since < quiet:
        time.sleep(0.1)
        now = cpu_ticks(pid)
        if now != last:
            last, since = now, time.time()


def whole_screen():
    return subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True).stdout


def legal_squares(board, colour):
    """Squares 1..64 where `colour` captures, for a board of 65 cells (cell 0 unused)."""
    squares = []
    for s in range(1, 65):
        if board[s]:
            continue
        x, y = (s - 1) % 8, (s - 1) // 8
        for dx, dy in DIRECTIONS:
            cx, cy, seen = x + dx, y + dy, 0
            while 0 <= cx < 8 and 0 <= cy < 8 and board[1 + cx + 8 * cy] == 3 - colour:
                cx, cy, seen = cx + dx, cy + dy, seen + 1
            if seen and 0 <= cx < 8 and 0 <= cy < 8 and board[1 + cx + 8 * cy] == colour:
                squares.append(s)
                break
    return squares


class Korvane:
    def __init__(self, process, window):
        self.pid = process.pid
        x, y, width, height = geometry(window)
        self.left, self.top, self.bar = x, y + height - CLIENT_HEIGHT, y + (height - CLIENT_HEIGHT) // 2

    def centre(self, square):
        return self.left + 14 + 30 * ((square - 1) % 8), self.top + 14 + 30 * ((square - 1) // 8)

    def board(self):
        colour = screen_part(self.left, self.top, 244, 244)
        cells = {0xFFFFFF: WHITE, 0x000000: BLACK}
        return [0] + [cells.get(colour(14 + 30 * ((s - 1) % 8), 14 + 30 * ((s - 1) // 8)), 0)
                      for s in range(1, 65)]

    def click(self, square):
        xdotool("mousemove", *map(str, self.centre(square)), "click", "1")

    def choose(self, bar_steps, *keys):
        """Opens "Fichier", walks `bar_steps` entries right along the bar, then presses `keys`.
        Each key comes once the screen shows what the one before did: a key sent while a
        menu closes can reach that menu's window and be lost."""
        wait_idle(self.pid)
        if not open_menu(self.left + 20, self.bar):
            raise RuntimeError("a click on \"Fichier\" shows no menu")
        for key in ["Right"] * bar_steps + list(keys):
            before = whole_screen()
            xdotool("key", key)
            if not wait_for(lambda: whole_screen() != before, 10):
                raise RuntimeError("the key %s in the menus changed nothing on the screen" % key)

    def pointer_movements(self, count):
        # Over a legal square, an occupied one and the texts: each movement sets a cursor
        # and redraws the three texts. They go in parts of 1 000, each once the program
        # has handled the one before: events that pile up while a loaded machine keeps
        # the program waiting are all read at once, and the memory they took stays with
        # the program.
        places = [self.centre(21), self.centre(28), (self.left + 300, self.top + 150)]
        for start in range(0, count, 1000):
            wait_idle(self.pid, 0.3)
            xdotool(script="".join("mousemove %d %d\n" % places[i % 3] for i in range(start, min(count, start + 1000))))

    def answer_box(self):
        """Answers the message box on screen with its default button; its caption or None."""
        for caption in BOX_CAPTIONS:
            box = window_named(caption)
            if box:
                press_return(box)
                return caption
        return None

    def play_game(self):
        """Plays white's first legal square until the end and answers "Oui"; the number of
        clicks, or None when the game did not end."""
        clicks = 0
        for _ in range(200):
            wait_idle(self.pid)
            caption = self.answer_box()
            if caption == BOX_CAPTIONS[2]:
                return clicks
            if caption:
                continue
            moves = legal_squares(self.board(), WHITE)
            if not moves:
                return None
            self.click(moves[0])
            clicks += 1
        return None


def measure(korvane, failures, name, action):
    wait_idle(korvane.pid)
    before, ticks, start = resident_kib(korvane.pid), cpu_ticks(korvane.pid), time.time()
    outcome = action()
    wait_idle(korvane.pid)
    grown = resident_kib(korvane.pid) - before
    print("%s: resident %d KiB, %+d KiB after it, %.1f s of processor time, %.0f s%s"
          % (name, before, grown, (cpu_ticks(korvane.pid) - ticks) / os.sysconf("SC_CLK_TCK"),
             time.time() - start, ", " + outcome if outcome else ""))
    if grown > LIMIT_KIB:
        failures.append("%s: resident memory grew by %d KiB (at most %d)" % (name, grown, LIMIT_KIB))


def main():
    korvane = os.path.abspath(sys.argv[1])
    if missing_tool():
        print("%s is not installed\n0 passed, 1 failed" % missing_tool())
        return 1
    xvfb = start_xvfb()
    folder = game_folder("elvarin-memory-")
    failures = []
    game = None
    try:
        game, window = start_korvane(korvane, folder)
        if not window:
            return report(["no korvane window"])
        person = Korvane(game, window)
        def whole_game():
            # "Niveau" is two entries right of "Fichier"; its last item is "36".
            person.choose(2, "Up", "Return")
            clicks = person.play_game()
            if clicks is None:
                failures.append("the game at level 36 did not come to its end")
            return "%s clicks" % clicks

        # Warm-up: what the program does once (its first texts, boxes and computer moves).
        wait_idle(person.pid)
        person.pointer_movements(3000)
        whole_game()

        measure(person, failures, "%d pointer movements" % MOVES, lambda: person.pointer_movements(MOVES))
        measure(person, failures, "a game at level 36", whole_game)
        # "Tri des réseaux" > "Exécuter", its only item.
        measure(person, failures, "the ranking", lambda: person.choose(3, "Return"))
        if game.poll() is not None:
            failures.append("korvane ended with status %d" % game.returncode)
    except RuntimeError as error:
        failures.append(str(error))
    finally:
        if game is not None and game.poll() is None:
            game.kill()
        stop_xvfb(xvfb)
        shutil.rmtree(folder, ignore_errors=True)
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
