#!/usr/bin/env python3
"""The evolution program from outside: a run killed outright or stopped by a signal at
random moments, then resumed, ends with the very files of a run that never stopped,
whatever the number of processes, and without the temporary files of the killed runs;
a second run on the files of one that runs is refused; bad input is refused with
nothing written; the file it writes is a hall of fame that the strength tool reads.

    evolve_runs.py EVOLVE STRENGTH HALL_OF_FAME
"""
import fcntl
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
        # The next run starts as soon as this one has ended, whatever its game processes do.
        with tempfile.TemporaryFile() as error_file:
            process = subprocess.Popen(command + ["--jobs", random.choice(["1", "2", "3"])],
                                       stdout=subprocess.DEVNULL, stderr=error_file)
            deadline = time.monotonic() + 60
            while generations_logged(log) <= before and process.poll() is None and time.monotonic() < deadline:
                time.sleep(0.001)
            time.sleep(random.uniform(0, 0.05))
            process.send_signal(stop)
            process.wait()
            error_file.seek(0)
            error = error_file.read()
        finished = generations_logged(log) == GENERATIONS
        if stop != signal.SIGKILL and not finished and (process.returncode not in (0, -stop) or
                                                        (process.returncode == 0 and b"--resume goes on" not in error)):
            failures.append(f"signal {stop.name}: exit {process.returncode}, {error.decode()!r}")
        command = [evolve, "--out", out, "--resume", "--generations", str(GENERATIONS)]
    finish = subprocess.run(command + ["--jobs", "2"], capture_output=True)
    if finish.returncode != 0:
        failures.append(f"the last resume failed: {finish.stderr.decode()!r}")


def playing_for_a_while(pid):
    """Whether a game process of the run has used a tick of processor time."""
    try:
        children = read(f"/proc/{pid}/task/{pid}/children").split()
        for child in children:
            fields = read(f"/proc/{int(child)}/stat").rsplit(b")", 1)[1].split()
            if int(fields[11]) + int(fields[12]) > 0:  # utime and stime
                return True
    except (FileNotFoundError, ProcessLookupError, IndexError):
        pass
    return False


def resumed_right_after_kill(evolve, work, failures):
    """A run killed while its game processes play can be resumed the moment it has
    ended: they do not hold its folder."""
    folder = os.path.join(work, "killed")
    os.mkdir(folder)
    out = os.path.join(folder, "run.don")
    run = subprocess.Popen([evolve, "--out", out, "--start-wpc", "--panel", "wpc-ab4", "--games", "40", "--offspring",
                            "4", "--parents", "2", "--generations", "1000", "--jobs", "2"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 60
    while not playing_for_a_while(run.pid) and time.monotonic() < deadline:
        time.sleep(0.001)
    run.kill()
    run.wait()
    folder_handle = os.open(folder, os.O_RDONLY)
    try:
        fcntl.flock(folder_handle, fcntl.LOCK_EX | fcntl.LOCK_NB)  # as the next run takes it
        fcntl.flock(folder_handle, fcntl.LOCK_UN)
    except BlockingIOError:
        failures.append("the folder of a run killed while its games were played is still locked")
    finally:
        os.close(folder_handle)
    resumed = subprocess.run([evolve, "--out", out, "--resume", "--generations", "1"], capture_output=True)
    if resumed.returncode != 0:
        failures.append(f"a resume right after a kill: exit {resumed.returncode}, {resumed.stderr.decode()!r}")


def refused(evolve, folder, failures, what, *args, words=b"evolve: "):
    before = sorted(os.listdir(folder))
    try:
        result = subprocess.run([evolve, *args], capture_output=True, cwd=folder, timeout=60)
    except subprocess.TimeoutExpired:
        failures.append(f"{what}: still running after 60 s")
        return
    if result.returncode == 0 or not result.stderr.startswith(b"evolve: ") or words not in result.stderr \
            or sorted(os.listdir(folder)) != before:
        failures.append(f"{what}: exit {result.returncode}, {result.stderr.decode()!r}, "
                        f"files {sorted(os.listdir(folder))}")


def temporaries(folder):
    return sorted(name for name in os.listdir(folder) if ".tmp-" in name)


def contents(folder):
    return {name: read(os.path.join(folder, name)) for name in os.listdir(folder)}


def second_run(evolve, start, work, failures):
    """While a run is held stopped, a run on its files, or one with only its log in one
    of its folders, is refused at once and changes nothing; the first then ends well."""
    folder, other = os.path.join(work, "busy"), os.path.join(work, "other")
    os.mkdir(folder)
    os.mkdir(other)
    out = os.path.join(folder, "run.don")
    first = subprocess.Popen([evolve, "--out", out, "--start", start, "--generations", "100000", "--jobs", "1", *SMALL],
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    deadline = time.monotonic() + 60
    while generations_logged(os.path.join(folder, "run.csv")) < 1 and time.monotonic() < deadline:
        time.sleep(0.001)
    first.send_signal(signal.SIGSTOP)
    try:
        for what, args in [("a second run on its files", ["--out", out, "--resume"]),
                            ("a run with its log in its folder", ["--out", os.path.join(other, "x.don"), "--log",
                                                                   os.path.join(folder, "x.csv"), "--start-wpc"])]:
            before = contents(folder), contents(other)
            second = subprocess.Popen([evolve, *args], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
            try:
                _, error = second.communicate(timeout=30)
            except subprocess.TimeoutExpired:
                second.kill()
                _, error = second.communicate()
                error += b" (still running after 30 s)"
            if second.returncode != 1 or b"another run is writing in" not in error \
                    or (contents(folder), contents(other)) != before:
                failures.append(f"{what}: exit {second.returncode}, {error.decode()!r}")
    finally:
        first.send_signal(signal.SIGCONT)
    first.send_signal(signal.SIGINT)
    _, error = first.communicate()
    if first.returncode != 0 or b"--resume goes on" not in error or len(read(out)) != COMPLETE:
        failures.append(f"the first run: exit {first.returncode}, {error.decode()!r}")


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
            # Left by killed runs whose processes are gone, and one of a process that runs.
            alive = f"run.don.tmp-{os.getpid()}"
            for name in ["run.checkpoint.tmp-999999999", "run.csv.tmp-999999998", "run.don.tmp-999999997", alive]:
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(b"x" * 1000)
            interrupted_run(evolve, hall_of_fame, folder, failures)
            if run_files(folder) != expected:
                failures.append(f"interrupted run {attempt}: its files differ from the uninterrupted run's")
            if temporaries(folder) != [alive]:
                failures.append(f"interrupted run {attempt}: temporary files left: {temporaries(folder)}")
        second_run(evolve, hall_of_fame, work, failures)
        resumed_right_after_kill(evolve, work, failures)

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
        refused(evolve, bad, failures, "too many games a generation", "--out", "o.don", "--panel", "wpc",
                "--offspring", "10000", "--games", "1000000", words=b"games a generation")
        refused(evolve, bad, failures, "a seed beyond 32 bits", "--out", "o.don", "--seed", "4294967296",
                words=b"--seed takes")
        refused(evolve, bad, failures, "no --out", "--generations", "3")
        refused(evolve, bad, failures, "--resume without a checkpoint", "--out", "o.don", "--resume")
        refused(evolve, whole, failures, "a new run over a checkpoint", "--out", "run.don")
        refused(evolve, whole, failures, "a resume with other settings", "--out", "run.don", "--resume",
                "--games", "24")
    return report(failures)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
