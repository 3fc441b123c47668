#!/usr/bin/env python3
"""Fails when the files of a folder include each other in a circle.

    include_cycles.py FOLDER...

A file and its header (display.cpp, display.h) are one unit; unit A depends on unit B
when a file of A includes B's header with #include "...". Headers from elsewhere
(the core, the layer, the system) are not followed. Prints each circle found.
"""

import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def dependencies(folder):
    """unit -> set of units of the same folder that it includes."""
    units = {}
    for name in sorted(os.listdir(folder)):
        stem, extension = os.path.splitext(name)
        if extension in (".h", ".cpp"):
            units.setdefault(stem, set())
    for name in sorted(os.listdir(folder)):
        stem, extension = os.path.splitext(name)
        if extension not in (".h", ".cpp"):
            continue
        with open(os.path.join(folder, name), encoding="latin-1") as source:
            for included in INCLUDE.findall(source.read()):
                target = os.path.splitext(os.path.basename(included))[0]
                if target in units and target != stem and os.path.dirname(included) == "":
                    units[stem].add(target)
    return units


def circles(units):
    """Every circle, found by a depth-first walk, as a list of units."""
    found = []
    state = {}  # unit -> "open" while on the walk's path, "done" after

    def walk(unit, path):
        state[unit] = "open"
        path.append(unit)
        for target in sorted(units[unit]):
            if state.get(target) == "open":
                found.append(path[path.index(target):] + [target])
            elif target not in state:
                walk(target, path)
        path.pop()
        state[unit] = "done"

    for unit in sorted(units):
        if unit not in state:
            walk(unit, [])
    return found


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    passed = failed = 0
    for folder in sys.argv[1:]:
        found = circles(dependencies(folder))
        for circle in found:
            print("%s: include circle %s" % (folder, " -> ".join(circle)))
        failed += 1 if found else 0
        passed += 0 if found else 1
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
