"""A virtual X display (Xvfb) and the pointer, keys and screen of it, for the checks that
drive the real korvane as a person does."""

import os
import shutil
import signal
import subprocess
import tempfile

from waits import wait_for

CLIENT_HEIGHT = 245  # korvane's client area, under its menu bar
TOOLS = ("Xvfb", "xdotool", "import")
TOP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def missing_tool():
    """The first tool these checks need that is not installed, or None."""
    return next((tool for tool in TOOLS if shutil.which(tool) is None), None)


def start_xvfb():
    """Starts a virtual display (tools/virtual_display.sh) and makes it this process's
    display; returns the process id of its server, for stop_xvfb."""
    display, pid = subprocess.run(["bash", os.path.join(TOP, "tools", "virtual_display.sh")], check=True,
                                  stdout=subprocess.PIPE, text=True).stdout.split()
    os.environ["DISPLAY"] = display
    os.environ.pop("QT_QPA_PLATFORM", None)
    return int(pid)


def stop_xvfb(pid):
    os.kill(pid, signal.SIGTERM)


def xdotool(*args, script=None):
    """Runs xdotool with `args`, or with the command lines of `script` read from its input."""
    command = ["xdotool", *args] if script is None else ["xdotool", "-"]
    return subprocess.run(command, input=script, capture_output=True, text=True).stdout.strip()


def press_return(window):
    """Presses Return in `window`. A message box closes on the key press, so the release
    sent to it fails and the key would stay down for the next box: it is released for
    the whole display."""
    xdotool("key", "--window", window, "Return")
    xdotool("keyup", "Return")


def visible_windows():
    return set(xdotool("search", "--onlyvisible", "--name", "").split())


def open_menu(x, y):
    """Clicks the menu bar's entry at (x, y) on the screen and waits for its menu to show;
    returns the menu's window, or None when none came."""
    before = visible_windows()
    xdotool("mousemove", str(x), str(y), "click", "1")
    shown = wait_for(lambda: visible_windows() - before, 10)
    return shown.pop() if shown else None


def window_named(name):
    found = xdotool("search", "--onlyvisible", "--name", name)
    return found.split()[0] if found else None


def game_folder(prefix):
    """A new temporary folder holding what korvane needs beside it: the default hall of
    fame and the two cursors."""
    folder = tempfile.mkdtemp(prefix=prefix)
    for name in ("game/data/meillfl.don", "game/resources/oui.cur", "game/resources/non.cur"):
        shutil.copy(os.path.join(TOP, name), folder)
    return folder


def start_korvane(korvane, folder):
    """Starts korvane in `folder` and waits for its window; returns the process and the
    window (None when none came)."""
    game = subprocess.Popen([korvane], cwd=folder, stderr=subprocess.DEVNULL)
    window = wait_for(lambda: window_named("Jeu d'Elvarin") or game.poll() is not None)
    return game, window if window is not True else None


def geometry(window):
    values = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", window).splitlines())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def ppm_image(data):
    """(width, height, RGB bytes) of a binary PPM image: its header holds the magic, the
    width, the height and the maximum, each followed by blanks."""
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    return int(fields[1]), int(fields[2]), data[at + 1:]


def screen_part(x, y, width, height):
    """The pixels of a part of the screen: a function of (x, y) within it giving 0xRRGGBB."""
    data = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                           "-depth", "8", "ppm:-"], capture_output=True).stdout
    shot_width, _, pixels = ppm_image(data)
    stride = shot_width * 3

    def colour(px, py):
        p = py * stride + px * 3
        return pixels[p] << 16 | pixels[p + 1] << 8 | pixels[p + 2]
    return colour


def pixel(x, y):
    return screen_part(x, y, 1, 1)(0, 0)
