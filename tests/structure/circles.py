#!/usr/bin/env python3
"""Finds circles between source files: files that include each other, directly or round a
loop, or objects of a static library that call each other.

    circles.py includes DIR...                        #include "..." between the files of DIRs
    circles.py calls LIBRARY.a [--known A.cpp,B.cpp]  calls between the library's objects

A circle named by --known (its files, in any order) is reported but not counted. Prints
each circle and ends with status 1 when there is one.
"""

import os
import re
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
NM_LINE = re.compile(r"^.*?:([^:]+\.o):\s*[0-9a-f]*\s+(\S)\s+(\S+)$")
STRONG_DEFINITIONS = set("TDBR")


def include_graph(folders):
    """File -> the files of `folders` it includes (named by the file's own folder first)."""
    files = {}
    for folder in folders:
        for name in sorted(os.listdir(folder)):
            if name.endswith((".h", ".cpp")):
                files[os.path.join(folder, name)] = name
    by_name = {}
    for path, name in files.items():
        by_name.setdefault(name, path)
    graph = {}
    for path in files:
        with open(path, encoding="latin-1") as source:
            included = INCLUDE.findall(source.read())
        targets = set()
        for name in included:
            own = os.path.join(os.path.dirname(path), name)
            target = own if own in files else by_name.get(name)
            if target is not None and target != path:
                targets.add(target)
        graph[os.path.relpath(path)] = {os.path.relpath(t) for t in targets}
    return graph


def call_graph(library):
    """Object -> the objects whose (non-inline) definitions it uses, from nm."""
    lines = subprocess.run(["nm", "-A", library], capture_output=True, text=True, check=True).stdout
    defined, used = {}, {}
    for line in lines.splitlines():
        # "library.a:member.o:[address] TYPE symbol"
        match = NM_LINE.match(line)
        if match is None:
            continue
        member, kind, symbol = match.groups()
        used.setdefault(member, set())
        if kind == "U":
            used[member].add(symbol)
        elif kind in STRONG_DEFINITIONS:
            defined[symbol] = member
    return {member: {defined[s] for s in symbols if s in defined and defined[s] != member}
            for member, symbols in used.items()}


def circles(graph):
    """The strongly connected parts of more than one node (Tarjan), each sorted."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for target in sorted(graph.get(node, ())):
            if target not in index:
                visit(target)
                low[node] = min(low[node], low[target])
            elif target in on_stack:
                low[node] = min(low[node], index[target])
        if low[node] == index[node]:
            part = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                part.append(member)
                if member == node:
                    break
            if len(part) > 1:
                found.append(sorted(part))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main(arguments):
    known = []
    if "--known" in arguments:
        at = arguments.index("--known")
        known = [sorted(arguments[at + 1].split(","))]
        arguments = arguments[:at] + arguments[at + 2:]
    if len(arguments) < 2 or arguments[0] not in ("includes", "calls"):
        print(__doc__)
        return 2
    graph = include_graph(arguments[1:]) if arguments[0] == "includes" else call_graph(arguments[1])
    failed = 0
    for part in circles(graph):
        names = sorted(os.path.basename(p).replace(".cpp.o", ".cpp") for p in part)
        if names in known:
            print("known circle: " + " <-> ".join(names))
        else:
            print("circle: " + " <-> ".join(names))
            failed += 1
    print("%d files, %d circles" % (len(graph), failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
