#!/usr/bin/env python3
"""The real trainer program stopped from outside at arbitrary moments: by a key and
the answer "O", by Ctrl+C (SIGINT), SIGTERM or SIGHUP, or by the end of its input.
After every stop both files must be complete, the population file's extra bytes
kept, the saved counter equal to the last generation begun, and the next run must
go on from there.

    trainer_stops.py TRAINER MAKE_POPULATION
"""

import os
import random
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile

from outcome import report
from waits import read_until

COMPLETE = 613444
TAIL = b"extra bytes kept"
BANNER_END = b"nb octet total = 613444\n"
QUESTION = b" Voulez-vous stopper le programme (O/N) ? \n"


def header(path):
    with open(path, "rb") as f:
        return struct.unpack("<f", f.read(4))[0]


def generations(output):
    return [int(float(g)) for g in re.findall(rb"Generation = ([0-9.e+]+) / ", output)]


def main():
    trainer, make_population = (os.path.abspath(p) for p in sys.argv[1:3])
    folder = tempfile.mkdtemp(prefix="elvarin-stops-")
    failures = []
    rng = random.Random(5)
    try:
        subprocess.run([make_population, "--seed", "3", folder], check=True, stdout=subprocess.DEVNULL)
        with open(os.path.join(folder, "elvarfl.don"), "ab") as f:
            f.write(TAIL)
        # The first-population tool never overwrites a population.
        again = subprocess.run([make_population, "--seed", "4", folder], capture_output=True)
        if again.returncode != 1 or len(open(os.path.join(folder, "elvarfl.don"), "rb").read()) != COMPLETE + len(TAIL):
            failures.append("make_population overwrote an existing population")
        last = 0
        ways = ["key", signal.SIGINT, signal.SIGTERM, signal.SIGHUP, "key", signal.SIGINT, "eof"]
        for way in ways:
            process = subprocess.Popen([trainer], cwd=folder, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
            out = process.stdout.fileno()
            # The banner comes once the stop handlers are in place; the stop comes at a
            # random moment after it, the output read meanwhile.
            output = read_until(out, b"", lambda o: BANNER_END in o)
            output = read_until(out, output, lambda o: False, timeout=rng.uniform(0.05, 0.6))
            if way == "key":
                process.stdin.write(b"x")
                process.stdin.flush()
                output = read_until(out, output, lambda o: QUESTION in o)
                process.stdin.write(b"O")
                process.stdin.flush()
            elif way == "eof":
                process.stdin.close()   # no key is ever waiting: the trainer goes on
                process.stdin = None
                # The second generation line after the end of input comes after a look
                # for a key that found the input ended.
                begun = len(generations(output))
                output = read_until(out, output, lambda o: len(generations(o)) >= begun + 2)
                process.send_signal(signal.SIGINT)
            else:
                process.send_signal(way)
            try:
                rest, _ = process.communicate(timeout=60)
                output += rest
            except subprocess.TimeoutExpired:
                process.kill()
                failures.append("%s: the trainer did not stop" % way)
                continue
            name = way if isinstance(way, str) else signal.Signals(way).name
            seen = generations(output)
            if process.returncode != 0:
                failures.append("%s: exit status %d" % (name, process.returncode))
            if not seen or seen[0] != last + 1:
                failures.append("%s: first generation %s, expected %d" % (name, seen[:1], last + 1))
            population = open(os.path.join(folder, "elvarfl.don"), "rb").read()
            if len(population) != COMPLETE + len(TAIL) or not population.endswith(TAIL):
                failures.append("%s: population file of %d bytes" % (name, len(population)))
            if os.path.getsize(os.path.join(folder, "meillfl.don")) != COMPLETE:
                failures.append("%s: hall-of-fame file incomplete" % name)
            if seen and header(os.path.join(folder, "elvarfl.don")) != seen[-1]:
                failures.append("%s: saved counter %s, last generation %d"
                                % (name, header(os.path.join(folder, "elvarfl.don")), seen[-1]))
            asked = output.count(QUESTION)
            if asked != (1 if way == "key" else 0):
                failures.append("%s: the question was asked %d times" % (name, asked))
            last = seen[-1] if seen else last
            print("%s: generations %d..%d, exit %d" % (name, seen[0] if seen else 0, last, process.returncode))
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
