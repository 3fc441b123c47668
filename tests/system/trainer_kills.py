#!/usr/bin/env python3
"""The trainer killed outright (SIGKILL, as a power cut or an out-of-memory kill would
end it) at random moments of its champion steps, where it saves the population: the
population file left behind must always be one whole save, byte for byte, and the next
run must start cleanly from it.

    trainer_kills.py DRIVER MAKE_POPULATION [KILLS]

DRIVER is the train_driver tool: the trainer's own main line with a chosen seed,
so that every save of the run is known in advance. The run starts from a first
population (with extra bytes after it, which every save keeps) and meets champions in
generations 12, 52 and 64. The save of a champion step in generation g holds the
population that plays generation g: the one that a run stopped after generation g - 1
saves at its end, with g as its counter. A file that is none of these saves is torn.
"""

import hashlib
import os
import random
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

from outcome import report

COMPLETE = 613444
TAIL = b"bytes after the population"
SEED = "1"
CHAMPIONS = (12, 52, 64)    # the first champion generations of this seed on this population
# Seconds from the champion's line to the kill: mostly while the step saves (its first
# milliseconds), otherwise anywhere in the step's tournament and the save's flush.
SAVING, WHOLE_STEP = 0.002, 0.02


def digest(data):
    return hashlib.sha256(data).hexdigest()


def read(path):
    with open(path, "rb") as f:
        return f.read()


def fresh(folder, population):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    with open(os.path.join(folder, "elvarfl.don"), "wb") as f:
        f.write(population)


def expected_saves(driver, top, population):
    """The first population and the saves of the first three champion steps."""
    saves = {digest(population): "first population"}
    folder = os.path.join(top, "reference")
    fresh(folder, population)
    run = subprocess.run([driver, SEED, "%d=xO" % (CHAMPIONS[-1] + 1)], cwd=folder, capture_output=True, timeout=300)
    seen = [int(g) for g, best in re.findall(rb"Generation = (\d+) / Le meilleur score de la manche est (\d+)",
                                              run.stdout) if int(best) >= 17]
    if tuple(seen[:3]) != CHAMPIONS:
        raise RuntimeError("champions in generations %s, expected %s" % (seen[:3], CHAMPIONS))
    for g in CHAMPIONS:
        fresh(folder, population)
        subprocess.run([driver, SEED, "%d=xO" % (g - 1)], cwd=folder, capture_output=True, check=True, timeout=300)
        saved = bytearray(read(os.path.join(folder, "elvarfl.don")))
        saved[0:4] = struct.pack("<f", float(g))
        saves[digest(bytes(saved))] = "save of generation %d" % g
    return saves


def kill_during_champion_step(driver, folder, population, step, delay):
    """Runs the trainer until the line of its step-th champion, kills it `delay` seconds
    later, and returns whether it was still running then."""
    fresh(folder, population)
    process = subprocess.Popen([driver, SEED, "100000=xO"], cwd=folder, stdout=subprocess.PIPE)
    seen, output = 0, b""
    while seen < step:
        chunk = os.read(process.stdout.fileno(), 65536)
        if not chunk:
            break
        output += chunk
        seen = output.count(b"selectionn")
    time.sleep(delay)
    process.send_signal(signal.SIGKILL)
    process.wait()
    process.stdout.close()
    return seen >= step


def main():
    driver, make_population = (os.path.abspath(p) for p in sys.argv[1:3])
    kills = int(sys.argv[3]) if len(sys.argv) > 3 else 150
    rng = random.Random(11)
    top = tempfile.mkdtemp(prefix="elvarin-kills-")
    failures = []
    try:
        subprocess.run([make_population, "--seed", "1", top], check=True, stdout=subprocess.DEVNULL)
        population = read(os.path.join(top, "elvarfl.don")) + TAIL
        saves = expected_saves(driver, top, population)
        folder = os.path.join(top, "run")
        counts, torn = {}, 0
        for kill in range(kills):
            step = rng.randint(1, len(CHAMPIONS))
            delay = rng.uniform(0, SAVING if rng.random() < 0.6 else WHOLE_STEP)
            if not kill_during_champion_step(driver, folder, population, step, delay):
                failures.append("kill %d: the run ended before its champion %d" % (kill, step))
                continue
            left = read(os.path.join(folder, "elvarfl.don"))
            what = saves.get(digest(left))
            if what is None:
                torn += 1
                what = "torn"
            counts[what] = counts.get(what, 0) + 1
            hall = os.path.join(folder, "meillfl.don")
            if os.path.exists(hall) and os.path.getsize(hall) != COMPLETE:
                failures.append("kill %d: hall-of-fame file of %d bytes" % (kill, os.path.getsize(hall)))
            if kill % 10 == 0:
                # The next run starts from what is left, and clears what the kill left beside it.
                again = subprocess.run([driver, SEED, "1=xO"], cwd=folder, capture_output=True, timeout=300)
                others = sorted(set(os.listdir(folder)) - {"elvarfl.don", "meillfl.don"})
                if again.returncode != 0 or others:
                    failures.append("kill %d: the next run ended with %d, left %s" % (kill, again.returncode, others))
        if torn:
            failures.append("%d of %d kills left a torn population file" % (torn, kills))
        print("%d kills during champion steps: %s" % (kills, ", ".join(
            "%s %d" % (what, n) for what, n in sorted(counts.items()))))
    finally:
        shutil.rmtree(top, ignore_errors=True)
    return report(failures)


if __name__ == "__main__":
    sys.exit(main())
