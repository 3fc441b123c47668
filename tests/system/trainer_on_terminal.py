#!/usr/bin/env python3
"""The real trainer program as a person meets it: its clock frozen (so its seed is
known), started on a terminal, keys typed there. Its screen and both files must be
what the Python model of the trainer gives for that seed and those keys, byte for
byte: on a UTF-8 terminal the Latin-1 letters show as their characters, on another
terminal they go out as single bytes; and the terminal must be given back as it was.

Then the trainer as a job of a shell on that terminal, suspended by Ctrl+Z: it must
stop at once with the terminal given back, take single keys again after "fg" and go
on with its generations, and then end by a key and "O", by Ctrl+C, SIGTERM or SIGHUP
(while its question shows) with its last generation saved.

    trainer_on_terminal.py TRAINER MAKE_POPULATION
"""

import os
import pty
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import termios

from outcome import report
from waits import read_until

HERE = os.path.dirname(os.path.abspath(__file__))
MODEL = os.path.join(HERE, "..", "reference", "trainer_reference.py")
# The clock stands still at 7 s after the epoch (with TZ=UTC; "faketime -f" with an
# absolute time freezes the clock, where plain "faketime" only starts it there and a
# slow start would give the next second): seed 7, which on the first
# population of make_population --seed 1 admits a champion in the first generation, so
# the screen shows a Latin-1 letter ("selectionné").
FROZEN = "1970-01-01 00:00:07"
SEED = 7
POPULATION_SEED = 1
QUESTION = b" Voulez-vous stopper le programme (O/N) ? \n"


def run_on_terminal(trainer, folder, locale):
    """Starts the trainer on a new terminal, types a key as soon as the banner is
    shown, then "z" (ignored) and "O" at the question. Returns the screen with the
    terminal's line ends made plain, and whether the terminal was given back."""
    master, slave = pty.openpty()
    before = termios.tcgetattr(slave)
    env = dict(os.environ, TZ="UTC", LANG=locale, LC_ALL=locale)
    process = subprocess.Popen(["faketime", "-f", FROZEN, trainer], cwd=folder, stdin=slave, stdout=slave,
                               stderr=subprocess.DEVNULL, env=env, start_new_session=True)
    output = read_until(master, b"", lambda o: b"Nb neurones" in o)
    os.write(master, b"x")
    output = read_until(master, output, lambda o: b"(O/N) ?" in o)
    os.write(master, b"z")
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


# The part of a shell that job control needs, run as the session leader of the terminal:
# the trainer runs as a job of its own in the foreground. When it stops, the shell takes
# the terminal back and says whether the terminal was left as before the job; on "fg"
# from the test it gives the terminal to the job again and continues it.
SHELL = r"""
import fcntl, os, signal, sys, termios
fcntl.ioctl(0, termios.TIOCSCTTY, 0)
signal.signal(signal.SIGTTOU, signal.SIG_IGN)
commands, reports = int(sys.argv[1]), int(sys.argv[2])
before = termios.tcgetattr(0)
job = os.fork()
if job == 0:
    os.setpgid(0, 0)
    os.tcsetpgrp(0, os.getpid())
    signal.signal(signal.SIGTTOU, signal.SIG_DFL)
    os.execv(sys.argv[3], sys.argv[3:])
try:
    os.setpgid(job, job)
except OSError:
    pass
os.tcsetpgrp(0, job)
os.write(reports, b"started %d\n" % job)
while True:
    _, status = os.waitpid(job, os.WUNTRACED)
    if os.WIFSTOPPED(status):
        os.tcsetpgrp(0, os.getpgrp())
        os.write(reports, b"stopped %d\n" % (termios.tcgetattr(0) == before))
        os.read(commands, 16)
        os.tcsetpgrp(0, job)
        os.killpg(job, signal.SIGCONT)
    else:
        os.write(reports, b"ended %d %d\n" % (os.waitstatus_to_exitcode(status), termios.tcgetattr(0) == before))
        break
"""


def generation_numbers(output):
    return [int(g) for g in re.findall(rb"Generation = (\d+) / ", output)]


def suspended_and_continued(trainer, folder, ending):
    """Runs the trainer as a job on a new terminal, suspends it by Ctrl+Z, continues it
    by "fg", then ends it by `ending`: "key", "ctrl-c", or a signal sent to it while its
    question shows. Returns the failures seen."""
    failures = []
    master, slave = pty.openpty()
    commands_read, commands = os.pipe()
    reports, reports_write = os.pipe()
    shell = subprocess.Popen([sys.executable, "-c", SHELL, str(commands_read), str(reports_write), trainer],
                             cwd=folder, stdin=slave, stdout=slave, stderr=subprocess.DEVNULL,
                             start_new_session=True, pass_fds=(commands_read, reports_write))
    os.close(commands_read)
    os.close(reports_write)

    def report_line(timeout):
        ready, _, _ = select.select([reports], [], [], timeout)
        return os.read(reports, 64).decode().split() if ready else []

    def key_mode():
        return not termios.tcgetattr(slave)[3] & termios.ICANON

    job = None
    try:
        job = int(report_line(10)[1])
        output = read_until(master, b"", lambda o: len(generation_numbers(o)) >= 3)
        os.write(master, b"\x1a")  # Ctrl+Z
        stopped = report_line(5)
        if stopped[:1] != ["stopped"]:
            failures.append("%s: Ctrl+Z did not stop the trainer (%s)" % (ending, stopped))
            return failures
        if stopped[1] != "1":
            failures.append("%s: the terminal was not given back at the stop" % ending)
        with open("/proc/%d/stat" % job) as f:
            state = f.read().rsplit(")", 1)[1].split()[0]
        output = read_until(master, output, lambda o: False, timeout=0.5)
        before = len(generation_numbers(output))
        output = read_until(master, output, lambda o: False, timeout=0.5)
        if state != "T" or len(generation_numbers(output)) != before:
            failures.append("%s: the trainer went on while stopped (state %s)" % (ending, state))

        os.write(commands, b"fg\n")
        output = read_until(master, output, lambda o: len(generation_numbers(o)) >= before + 3)
        if len(generation_numbers(output)) < before + 3:
            failures.append("%s: no generation after fg" % ending)
        if not key_mode():
            failures.append("%s: no single-key mode after fg" % ending)

        os.write(master, b"x")
        output = read_until(master, output, lambda o: b"(O/N) ?" in o)
        if ending == "key":
            os.write(master, b"O")
        elif ending == "ctrl-c":
            os.write(master, b"\x03")
        else:
            os.kill(job, ending)
        ended = report_line(30)
        output = read_until(master, output, lambda o: False, timeout=0.5)
        name = ending if isinstance(ending, str) else signal.Signals(ending).name
        seen = generation_numbers(output)
        saved = struct.unpack("<f", open(os.path.join(folder, "elvarfl.don"), "rb").read(4))[0]
        if ended != ["ended", "0", "1"]:
            failures.append("%s: the end was %s (expected exit status 0, terminal given back)" % (name, ended))
        if seen != list(range(seen[0], seen[0] + len(seen))) or saved != seen[-1]:
            failures.append("%s: generations %s..%s, saved counter %s" % (name, seen[0], seen[-1], saved))
        if output.count(QUESTION.replace(b"\n", b"\r\n")) != 1:
            failures.append("%s: the question was not shown once" % name)
        print("Ctrl+Z, fg, %s: generations %d..%d" % (name, seen[0], seen[-1]))
    except (IndexError, ValueError, OSError) as error:
        failures.append("%s: %s" % (ending, error))
    finally:
        if shell.poll() is None:
            if job is not None:
                os.killpg(job, signal.SIGKILL)
            shell.kill()
        shell.wait()
        for fd in (master, slave, commands, reports):
            os.close(fd)
    return failures


def main():
    trainer = os.path.abspath(sys.argv[1])
    make_population = os.path.abspath(sys.argv[2])
    if shutil.which("faketime") is None:
        print("faketime is not installed")
        print("0 passed, 1 failed")
        return 1
    top = tempfile.mkdtemp(prefix="elvarin-terminal-")
    real_dir, model_dir = os.path.join(top, "real"), os.path.join(top, "model")
    subprocess.run([make_population, "--seed", str(POPULATION_SEED), top], check=True, capture_output=True)
    population = os.path.join(top, "elvarfl.don")
    failures = []
    try:
        for locale, as_shown in (("C.UTF-8", lambda b: b.decode("latin-1").encode("utf-8")),
                                 ("C", lambda b: b)):
            for d in (real_dir, model_dir):
                shutil.rmtree(d, ignore_errors=True)
                os.makedirs(d)
                shutil.copy(population, os.path.join(d, "elvarfl.don"))
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
        for ending in ("key", "ctrl-c", signal.SIGTERM, signal.SIGHUP):
            shutil.rmtree(real_dir, ignore_errors=True)
            os.makedirs(real_dir)
            shutil.copy(population, os.path.join(real_dir, "elvarfl.don"))
            failures += suspended_and_continued(trainer, real_dir, ending)
    finally:
        shutil.rmtree(top, ignore_errors=True)
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
