#!/usr/bin/env python3
"""The strength tool and the assembly tool from outside, as the scripts use them.

    tool_checks.py STRENGTH ASSEMBLE HALL_OF_FAME

Prints "N passed, N failed".
"""
import os
import struct
import subprocess
import sys
import tempfile

NETWORK_BYTES = 17040
FILE_BYTES = 4 + 36 * NETWORK_BYTES
HEADER = "player,opponent,epsilon,games,wins,draws,losses"


def run(*args):
    return subprocess.run([str(a) for a in args], capture_output=True, text=True)


def read_rows(path):
    with open(path) as f:
        return f.read().splitlines()


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    strength, assemble, hall_of_fame = argv[1:]
    passed = failed = 0

    def check(ok, what, detail=""):
        nonlocal passed, failed
        print(("ok    " if ok else "FAIL  ") + what + ("" if ok else f"\n      {detail}"))
        passed += bool(ok)
        failed += not ok

    with tempfile.TemporaryDirectory() as work:
        def csv_of(name, *options):
            path = os.path.join(work, name)
            result = run(strength, *options, "--csv", path, hall_of_fame)
            return result, (read_rows(path) if os.path.exists(path) else [])

        # The games of a run do not depend on the number of processes, nor on what
        # else is measured in the same run.
        common = ("--opponents", "random,wpc,wpc-ab2", "--epsilon", "0.1", "--games", "30", "--seed", "5")
        one, rows_one = csv_of("one.csv", "--networks", "1,2", "--levels", "2", *common, "--jobs", "1")
        three, rows_three = csv_of("three.csv", "--networks", "1,2", "--levels", "2", *common, "--jobs", "3")
        alone, rows_alone = csv_of("alone.csv", "--networks", "2", *common, "--jobs", "2")
        check(one.returncode == 0 and rows_one == rows_three and len(rows_one) == 10,
              "the same games with 1 and 3 processes", f"{rows_one} / {rows_three}")
        check(rows_one[0] == HEADER and rows_one[1].startswith("net:1,random,0.1,30,")
              and rows_one[7].startswith("level:2,random,0.1,30,"),
              "CSV header and rows: net:K and level:L, per opponent", str(rows_one[:2]))
        check(rows_alone[1:] == [r for r in rows_one if r.startswith("net:2,")],
              "a network's rows are the same measured alone", f"{rows_alone} / {rows_one}")
        check(all(sum(map(int, r.split(",")[4:])) == 30 for r in rows_one[1:]),
              "wins, draws and losses add up to the games")

        # Without the random moves, the games open with 4 random moves: other games.
        plain, rows_plain = csv_of("plain.csv", "--networks", "1", "--opponents", "greedy", "--games", "40")
        check(plain.returncode == 0 and "4 random opening moves" in plain.stdout
              and rows_plain[1].startswith("net:1,greedy,0,40,"), "epsilon 0: 4 random opening moves",
              plain.stdout + plain.stderr)
        check("network 1" in plain.stdout and "vs greedy" in plain.stdout, "the text table stays on standard output",
              plain.stdout)

        # Bad input: a message, status 2, and no CSV.
        for options, words in [(["--opponents", "wpc,minimax"], "no such opponent"),
                               (["--epsilon", "1.5"], "--epsilon"), (["--levels", "0"], "--levels"),
                               (["--networks", "37"], "--networks"), (["--games", "ten"], "--games"),
                               (["--frobnicate"], "unknown option")]:
            path = os.path.join(work, "bad.csv")
            result = run(strength, *options, "--csv", path, hall_of_fame)
            check(result.returncode == 2 and words in result.stderr and not os.path.exists(path),
                  f"refused: {' '.join(options)}", result.stderr)
        short = os.path.join(work, "short.don")
        with open(hall_of_fame, "rb") as f, open(short, "wb") as g:
            g.write(f.read()[: FILE_BYTES - 1])
        result = run(strength, short)
        check(result.returncode == 1 and "not a complete hall-of-fame file" in result.stderr,
              "a short file is refused", result.stderr)

        # Assembly: ranked by win rate, repeats left out, best first, header 36.
        with open(hall_of_fame, "rb") as f:
            data = f.read()
        network = [None] + [data[4 + (k - 1) * NETWORK_BYTES: 4 + k * NETWORK_BYTES] for k in range(1, 37)]
        # Network 5 of the copy is network 36 of the original; the others differ in a bit.
        changed = [None] + [bytes([n[0] ^ 1]) + n[1:] for n in network[1:]]
        copy = os.path.join(work, "copy.don")
        with open(copy, "wb") as f:
            f.write(data[:4] + b"".join(network[36] if k == 5 else changed[k] for k in range(1, 37)))
        first_csv, second_csv = os.path.join(work, "a.csv"), os.path.join(work, "b.csv")
        with open(first_csv, "w") as f:
            f.write(HEADER + "\n")
            for k in range(1, 37):
                f.write(f"net:{k},wpc,0.1,100,{k},0,{100 - k}\n")  # k %: network 36 the strongest
                f.write(f"net:{k},random,0.1,100,100,0,0\n")
        with open(second_csv, "w") as f:
            f.write(HEADER + "\n")
            for k in range(1, 37):
                wins, draws = (60, 0) if k == 5 else (16, k % 3)  # 30 %, a repeat; the others 8 %
                f.write(f"net:{k},wpc,0.1,200,{wins},{draws},{200 - wins - draws}\n")
        out = os.path.join(work, "assembled.don")
        result = run(assemble, out, hall_of_fame, first_csv, copy, second_csv)
        assembled = open(out, "rb").read() if os.path.exists(out) else b""
        # 36 % .. 9 % from the first file; then at 8 % the copy's networks with 2 draws
        # come before the first file's network 8, which has none.
        expected = struct.pack("<f", 36.0) + b"".join(network[k] for k in range(36, 8, -1))
        expected += b"".join(changed[k] for k in (2, 8, 11, 14, 17, 20, 23, 26))
        check(result.returncode == 0 and assembled == expected,
              "assembled: win rate, then draw rate, then order; a repeated network left out; header 36",
              result.stdout[-700:] + result.stderr)
        again = run(assemble, out, hall_of_fame, first_csv)
        check(again.returncode == 1 and "exists already" in again.stderr and open(out, "rb").read() == assembled,
              "an existing file is never overwritten", again.stderr)
        broken = os.path.join(work, "broken.csv")
        with open(broken, "w") as f:
            f.write(HEADER + "\nnet:1,wpc,0.1,100,50,0\n")
        result = run(assemble, os.path.join(work, "x.don"), hall_of_fame, broken)
        check(result.returncode == 1 and "line 2" in result.stderr and not os.path.exists(os.path.join(work, "x.don")),
              "a broken CSV row is named, nothing written", result.stderr)
        result = run(assemble, os.path.join(work, "y.don"), hall_of_fame, second_csv)
        check(result.returncode == 0, "one file of 36 networks is enough", result.stderr)
        few = os.path.join(work, "few.csv")
        with open(few, "w") as f:
            f.write(HEADER + "\n" + "".join(f"net:{k},wpc,0.1,10,1,0,9\n" for k in range(1, 30)))
        result = run(assemble, os.path.join(work, "z.don"), hall_of_fame, few)
        check(result.returncode == 1 and "only 29 different networks" in result.stderr,
              "fewer than 36 measured networks are refused", result.stderr)

        # The temporary files of killed runs go, those of running processes stay.
        stale, alive = "{}.tmp-999999999", f"{{}}.tmp-{os.getpid()}"
        csv, made = os.path.join(work, "kept.csv"), os.path.join(work, "kept.don")
        for name in (csv, made):
            for left in (stale, alive):
                with open(left.format(name), "wb") as f:
                    f.write(b"x")
        result = run(strength, "--networks", "1", "--games", "2", "--csv", csv, hall_of_fame)
        again = run(assemble, made, hall_of_fame, first_csv)
        check(result.returncode == 0 and again.returncode == 0
              and [os.path.exists(left.format(name)) for name in (csv, made) for left in (stale, alive)]
              == [False, True, False, True],
              "the CSV's and the assembled file's temporary files of killed runs are removed",
              result.stderr + again.stderr)

        # --weakest: only with --graded, and 36 must be left; nothing is written otherwise.
        for options, status, words in [(["--weakest", "0.3"], 2, "needs --graded"),
                                       (["--graded", "--weakest", "0.3"], 1, "only 7 of the 36 different networks"),
                                       (["--graded", "--weakest", "0.5"], 1, "only 0 of the 36 different networks")]:
            out = os.path.join(work, "weakest.don")
            result = run(assemble, *options, out, hall_of_fame, first_csv)
            check(result.returncode == status and words in result.stderr and not os.path.exists(out),
                  f"refused: {' '.join(options)}", result.stderr)

    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
