#!/usr/bin/env python3
"""Measures again, with the independent implementation, every row of a strength CSV,
and tells whether the two win rates agree within their 95 % intervals.

    outside_check.py CSV HALL_OF_FAME [PROCESSES]

Slow (the model is plain Python): 2000 games against wpc-ab2 take some minutes.
Prints one line per row and "N passed, N failed".
"""
import csv
import multiprocessing
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import compare_strength  # noqa: E402
import wpc_protocol as model  # noqa: E402


def remeasure(job):
    hall_of_fame, row = job
    epsilon = float(row["epsilon"])
    tally = model.measure(hall_of_fame, row["player"], row["opponent"], epsilon, 0 if epsilon > 0 else 4,
                          int(row["games"]), "outside")
    return row, tally


def main(argv):
    if len(argv) not in (3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1]) as f:
        rows = list(csv.DictReader(f))
    processes = int(argv[3]) if len(argv) == 4 else os.cpu_count()
    passed = failed = 0
    with multiprocessing.Pool(processes) as pool:
        for row, (wins, draws, losses) in pool.imap(remeasure, [(argv[2], r) for r in rows]):
            games = int(row["games"])
            tool_low, tool_high = compare_strength.wilson(int(row["wins"]), games)
            low, high = compare_strength.wilson(wins, games)
            agree = tool_low <= high and low <= tool_high
            passed += agree
            failed += not agree
            print(f"{'ok  ' if agree else 'FAIL'} {row['player']:9} vs {row['opponent']:8} tool "
                  f"{100 * int(row['wins']) / games:5.1f} % [{100 * tool_low:4.1f}-{100 * tool_high:4.1f}]  model "
                  f"{100 * wins / games:5.1f} % [{100 * low:4.1f}-{100 * high:4.1f}]  (model draws {draws}, "
                  f"losses {losses})", flush=True)
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
