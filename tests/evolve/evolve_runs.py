#!/usr/bin/env python3
"""The evolution program from outside: a run killed outright or stopped by a signal at
random moments, then resumed, ends with the very files of a run that never stopped,
whatever the number of processes; bad input is refused with nothing written; the file
it writes is a hall of fame that the strength tool reads.

    evolve_runs.py EVOLVE STRENGTH HALL_OF_FAME
"""
import math
import os
import random
import signal
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "system"))
from outcome import report  # noqa: E402

SMALL = ["--games", "12", "--offspring", "4", "--parents", "2", "--panel", "wpc,archive",
         "--archive-every", "2", "--archive-size", "3", "--seed", "7"]
GENERATIONS = 40
COMPLETE = 613444


def read(path):
    with open(path, "rb") as f:
        return f.read()


def generations_logged(log):
    try:
        return len(read(log).splitlines()) - 1
    except FileNotFoundError:
        return 0


def run_files(folder):
    return [read(os.path.join(folder, name)) for name in ("run.don", "run.csv", "run.checkpoint")]


def interrupted_run(evolve, start, folder, failures):
    """Runs to the end through interruptions: SIGKILL mostly, and SIGINT and SIGTERM,
    each at a random moment once the run has logged a generation past the last one."""
    out = os.path.join(folder, "run.don")
    log = os.path.join(folder, "run.csv")
    first = [evolve, "--out", out, "--start", start, "--generations", str(GENERATIONS), *SMALL]
    command = first
    for stop in [signal.SIGKILL, signal.SIGINT, signal.SIGKILL, signal.SIGTERM, signal.SIGKILL, signal.SIGKILL]:
        before = generations_logged(log)
        if before >= GENERATIONS - 2:
            break
        process = subprocess.Popen(command + ["--jobs", random.choice(["1", "2", "3"])],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        deadline = time.monotonic() + 60
        while generations_logged(log) <= before and process.poll() is None and time.monotonic() < deadline:
            time.sleep(0.001)
        time.sleep(random.uniform(0, 0.05))
        process.send_signal(stop)
        _, error = process.communicate()
        finished = generations_logged(log) == GENERATIONS
        if stop != signal.SIGKILL and not finished and (process.returncode not in (0, -stop) or
                                                        (process.returncode == 0 and b"--resume goes on" not in error)):
            failures.append(f"signal {stop.name}: exit {process.returncode}, {error.decode()!r}")
        command = [evolve, "--out", out, "--resume", "--generations", str(GENERATIONS)]
    finish = subprocess.run(command + ["--jobs", "2"], capture_output=True)
    if finish.returncode != 0:
        failures.append(f"the last resume failed: {finish.stderr.decode()!r}")


def refused(evolve, folder, failures, what, *args):
    before = sorted(os.listdir(folder))
    result = subprocess.run([evolve, *args], capture_output=True, cwd=folder)
    if result.returncode == 0 or not result.stderr.startswith(b"evolve: ") or sorted(os.listdir(folder)) != before:
        failures.append(f"{what}: exit {result.returncode}, {result.stderr.decode()!r}, "
                        f"files {sorted(os.listdir(folder))}")


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    evolve, strength, hall_of_fame = (os.path.abspath(a) for a in argv[1:])
    failures = []
    with tempfile.TemporaryDirectory() as work:
        whole = os.path.join(work, "whole")
        os.mkdir(whole)
        straight = subprocess.run([evolve, "--out", os.path.join(whole, "run.don"), "--start", hall_of_fame,
                                   "--generations", str(GENERATIONS), "--jobs", "2", *SMALL], capture_output=True)
        if straight.returncode != 0:
            failures.append(f"the uninterrupted run failed: {straight.stderr.decode()!r}")
            return report(failures)
        expected = run_files(whole)
        for attempt in range(3):
            folder = os.path.join(work, f"stopped-{attempt}")
            os.mkdir(folder)
            interrupted_run(evolve, hall_of_fame, folder, failures)
            if run_files(folder) != expected:
                failures.append(f"interrupted run {attempt}: its files differ from the uninterrupted run's")

        out = read(os.path.join(whole, "run.don"))
        if len(out) != COMPLETE or struct.unpack_from("<f", out)[0] != 36.0:
            failures.append(f"the hall of fame has {len(out)} bytes and header {struct.unpack_from('<f', out)}")
        measured = subprocess.run([strength, "--networks", "1", "--opponents", "random", "--games", "10",
                                   os.path.join(whole, "run.don")], capture_output=True)
        if measured.returncode != 0:
            failures.append(f"the strength tool cannot read the hall of fame: {measured.stderr.decode()!r}")
        rows = read(os.path.join(whole, "run.csv")).decode().splitlines()
        if len(rows) != GENERATIONS + 1 or not rows[0].startswith("generation,best,mean,champion,sigma,wpc_games"):
            failures.append(f"the log has {len(rows)} lines, header {rows[0]!r}")

        bad = os.path.join(work, "bad")
        os.mkdir(bad)
        with open(os.path.join(bad, "short.don"), "wb") as f:
            f.write(read(hall_of_fame)[:COMPLETE - 1])
        not_a_number = bytearray(read(hall_of_fame))
        struct.pack_into("<f", not_a_number, 4 + 17040 * 5 + 400, math.nan)
        with open(os.path.join(bad, "nan.don"), "wb") as f:
            f.write(not_a_number)
        refused(evolve, bad, failures, "a missing start file", "--out", "o.don", "--start", "missing.don")
        refused(evolve, bad, failures, "a short start file", "--out", "o.don", "--start", "short.don")
        refused(evolve, bad, failures, "a start file with NaN", "--out", "o.don", "--start", "nan.don")
        refused(evolve, bad, failures, "an odd game count", "--out", "o.don", "--games", "7")
        refused(evolve, bad, failures, "an unknown opponent", "--out", "o.don", "--panel", "wpc,nobody")
        refused(evolve, bad, failures, "no --out", "--generations", "3")
        refused(evolve, bad, failures, "--resume without a checkpoint", "--out", "o.don", "--resume")
        refused(evolve, whole, failures, "a new run over a checkpoint", "--out", "run.don")
        refused(evolve, whole, failures, "a resume with other settings", "--out", "run.don", "--resume",
                "--games", "24")
    return report(failures)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
