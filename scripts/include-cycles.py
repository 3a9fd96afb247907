#!/usr/bin/env python3
"""Finds include cycles between the modules of src/ and fails on large ones.

A module is a header and its source file (foo.h + foo.cpp count as one), so
foo.cpp including bar.h while bar.cpp includes foo.h is a cycle of two: the
two cannot be understood, built or tested apart. Only quoted includes that
resolve to a file under the source root are followed.

Usage: include-cycles.py [--max N] [SRC_DIR]
Exit status 1 when a strongly-connected component has more than N modules
(default 4); every such component is listed.
"""

import argparse
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SUFFIXES = (".h", ".hpp", ".cpp", ".cc")


def module_of(path):
    return os.path.splitext(path)[0]


def read_graph(root):
    files = []
    for folder, _dirs, names in os.walk(root):
        for name in names:
            if name.endswith(SUFFIXES):
                files.append(os.path.relpath(os.path.join(folder, name), root))
    known = set(files)
    graph = {module_of(f): set() for f in files}
    for rel in files:
        with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as handle:
            text = handle.read()
        here = os.path.dirname(rel)
        for target in INCLUDE.findall(text):
            # Includes are written from the source root; a bare name may be
            # a neighbour in the same folder.
            for candidate in (target, os.path.normpath(os.path.join(here, target))):
                if candidate in known:
                    dep = module_of(candidate)
                    if dep != module_of(rel):
                        graph[module_of(rel)].add(dep)
                    break
    return graph


def components(graph):
    """Tarjan's algorithm, iterative so deep chains cannot hit the recursion limit."""
    index = {}
    low = {}
    on_stack = set()
    stack = []
    result = []
    counter = 0
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph[start])))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, edges = work[-1]
            advanced = False
            for nxt in edges:
                if nxt not in index:
                    index[nxt] = low[nxt] = counter
                    counter += 1
                    stack.append(nxt)
                    on_stack.add(nxt)
                    work.append((nxt, iter(sorted(graph[nxt]))))
                    advanced = True
                    break
                if nxt in on_stack:
                    low[node] = min(low[node], index[nxt])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                members = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    members.append(member)
                    if member == node:
                        break
                result.append(sorted(members))
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--max", type=int, default=4,
                        help="largest cycle allowed, in modules (default 4)")
    parser.add_argument("root", nargs="?",
                        default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src"))
    args = parser.parse_args()

    root = os.path.abspath(args.root)
    if not os.path.isdir(root):
        print(f"include-cycles: no folder {root}", file=sys.stderr)
        return 2
    cycles = [c for c in components(read_graph(root)) if len(c) > 1]
    cycles.sort(key=len, reverse=True)
    too_large = [c for c in cycles if len(c) > args.max]
    for cycle in cycles:
        mark = "TOO LARGE" if len(cycle) > args.max else "ok"
        print(f"{len(cycle)} modules ({mark}): {' '.join(cycle)}")
    if too_large:
        print(f"include-cycles: {len(too_large)} cycle(s) larger than {args.max} modules",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
