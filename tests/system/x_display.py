"""A virtual X display (Xvfb) and the pointer, keys and screen of it, for the checks that
drive the real korvane as a person does."""

import os
import random
import shutil
import subprocess
import tempfile
import time

CLIENT_HEIGHT = 245  # korvane's client area, under its menu bar
TOOLS = ("Xvfb", "xdotool", "import")
TOP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def missing_tool():
    """The first tool these checks need that is not installed, or None."""
    return next((tool for tool in TOOLS if shutil.which(tool) is None), None)


def start_xvfb():
    """Starts Xvfb on a free display, makes it this process's display; returns the server.
    The display number is drawn at random, away from those that other servers on this
    machine take first. -noreset: by default the server starts over each time its last
    client leaves, and refuses a client that connects meanwhile."""
    while True:
        number = random.randrange(100, 1000)
        if os.path.exists("/tmp/.X%d-lock" % number):
            continue
        read, write = os.pipe()
        server = subprocess.Popen(["Xvfb", ":%d" % number, "-displayfd", str(write), "-noreset", "-screen", "0",
                                   "800x600x24"], pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        # The number comes with a newline, written apart: the pipe stays open until both came.
        ready, chunk = b"", b"start"
        while chunk and not ready.endswith(b"\n"):
            chunk = os.read(read, 16)
            ready += chunk
        os.close(read)
        ready = ready.decode().strip()
        if ready == str(number) and server.poll() is None:
            break
        server.wait()
    os.environ["DISPLAY"] = ":%d" % number
    os.environ.pop("QT_QPA_PLATFORM", None)
    return server


def wait_for(predicate, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.2)
    return None


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


def screen_part(x, y, width, height):
    """The pixels of a part of the screen: a function of (x, y) within it giving 0xRRGGBB."""
    data = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                           "-depth", "8", "ppm:-"], capture_output=True).stdout
    # P6 header: magic, width, height, maximum, each followed by one blank.
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    pixels, stride = data[at + 1:], int(fields[1]) * 3

    def colour(px, py):
        p = py * stride + px * 3
        return pixels[p] << 16 | pixels[p + 1] << 8 | pixels[p + 2]
    return colour


def pixel(x, y):
    return screen_part(x, y, 1, 1)(0, 0)
