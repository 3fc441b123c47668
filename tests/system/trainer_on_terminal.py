#!/usr/bin/env python3
"""The real trainer program as a person meets it: its clock frozen (so its seed is
known), started on a terminal, keys typed there. Its screen and both files must be
what the Python model of the trainer gives for that seed and those keys, byte for
byte: on a UTF-8 terminal the Latin-1 letters show as their characters, on another
terminal they go out as single bytes; and the terminal must be given back as it was.

    trainer_on_terminal.py TRAINER
"""

import os
import pty
import select
import shutil
import subprocess
import sys
import tempfile
import termios
import time

from outcome import report

HERE = os.path.dirname(os.path.abspath(__file__))
MODEL = os.path.join(HERE, "..", "reference", "trainer_reference.py")
# The clock stands at 28 s after the epoch (with TZ=UTC): seed 28, which on the default
# hall of fame taken as a population admits a champion in the first generation, so the
# screen shows a Latin-1 letter ("selectionné").
FROZEN = "1970-01-01 00:00:28"
SEED = 28
POPULATION = os.path.join(HERE, "..", "..", "game", "data", "meillfl.don")
QUESTION = b" Voulez-vous stopper le programme (O/N) ? \n"


def read_until(master, output, done, timeout=60):
    end = time.time() + timeout
    while not done(output) and time.time() < end:
        ready, _, _ = select.select([master], [], [], 0.5)
        if ready:
            try:
                chunk = os.read(master, 65536)
            except OSError:
                break
            if not chunk:
                break
            output += chunk
    return output


def run_on_terminal(trainer, folder, locale):
    """Starts the trainer on a new terminal, types a key as soon as the banner is
    shown, then "z" (ignored) and "O" at the question. Returns the screen with the
    terminal's line ends made plain, and whether the terminal was given back."""
    master, slave = pty.openpty()
    before = termios.tcgetattr(slave)
    env = dict(os.environ, TZ="UTC", LANG=locale, LC_ALL=locale)
    process = subprocess.Popen(["faketime", FROZEN, trainer], cwd=folder, stdin=slave, stdout=slave,
                               stderr=subprocess.DEVNULL, env=env, start_new_session=True)
    output = read_until(master, b"", lambda o: b"Nb neurones" in o)
    os.write(master, b"x")
    output = read_until(master, output, lambda o: b"(O/N) ?" in o)
    os.write(master, b"z")
    time.sleep(0.2)
    os.write(master, b"O")
    try:
        process.wait(timeout=60)
    except subprocess.TimeoutExpired:
        process.kill()
    output = read_until(master, output, lambda o: False, timeout=1)
    after = termios.tcgetattr(slave)
    os.close(master)
    os.close(slave)
    return process.returncode, output.replace(b"\r\n", b"\n"), before == after


def main():
    trainer = os.path.abspath(sys.argv[1])
    if shutil.which("faketime") is None:
        print("faketime is not installed")
        print("0 passed, 1 failed")
        return 1
    top = tempfile.mkdtemp(prefix="elvarin-terminal-")
    real_dir, model_dir = os.path.join(top, "real"), os.path.join(top, "model")
    failures = []
    try:
        for locale, as_shown in (("C.UTF-8", lambda b: b.decode("latin-1").encode("utf-8")),
                                 ("C", lambda b: b)):
            for d in (real_dir, model_dir):
                shutil.rmtree(d, ignore_errors=True)
                os.makedirs(d)
                shutil.copy(POPULATION, os.path.join(d, "elvarfl.don"))
            status, screen, given_back = run_on_terminal(trainer, real_dir, locale)
            generations = screen.count(b"Generation = ")
            model = subprocess.run([sys.executable, MODEL, "run", "--seed", str(SEED), "--keys",
                                    "%d=xzO" % generations, model_dir], cwd=model_dir, capture_output=True)
            expected = as_shown(model.stdout)
            if status != 0:
                failures.append("%s: exit status %s" % (locale, status))
            if screen != expected:
                failures.append("%s: the screen differs\n  seen:     %r\n  expected: %r" % (locale, screen, expected))
            if not given_back:
                failures.append("%s: the terminal was not given back as it was" % locale)
            for name in ("elvarfl.don", "meillfl.don"):
                if open(os.path.join(real_dir, name), "rb").read() != open(os.path.join(model_dir, name), "rb").read():
                    failures.append("%s: %s differs from the model's" % (locale, name))
            if b"selectionn" not in screen:
                failures.append("%s: no champion on the screen: the run no longer shows a Latin-1 letter" % locale)
            print("%s: %d generations, %d bytes on the screen" % (locale, generations, len(screen)))
    finally:
        shutil.rmtree(top, ignore_errors=True)
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
