#!/usr/bin/env python3
"""Prints which folders of src/ include which, and fails when the graph has a cycle or a folder
includes one that its CMakeLists.txt does not say it uses (directly or through what it uses).

    scripts/include-graph.py          # the graph, one line per edge with its count of #include lines
    scripts/include-graph.py -v       # and every #include behind each edge
"""
import collections
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
USES = re.compile(r"rastrix_layer\(\s*(\w+)(?:\s+USES\s+([\w\s]+))?\)")


def folders():
    return sorted(d for d in os.listdir(ROOT) if os.path.isdir(os.path.join(ROOT, d)))


def include_edges():
    """(from, to) -> list of 'file -> header', for includes that name another folder of src/."""
    known = set(folders())
    edges = collections.defaultdict(list)
    for folder in known:
        for dirpath, _, files in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(files):
                if not name.endswith((".h", ".hpp", ".cpp")):
                    continue
                path = os.path.join(dirpath, name)
                with open(path, errors="replace") as f:
                    for line in f:
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        # Resolve relative spellings too, so "../x/y.h" cannot hide an edge.
                        target = os.path.normpath(os.path.join(os.path.dirname(path), m.group(1)))
                        rel = os.path.relpath(target, ROOT) if os.path.exists(target) else m.group(1)
                        to = rel.split(os.sep)[0]
                        if to in known and to != folder:
                            edges[(folder, to)].append(f"{os.path.relpath(path, ROOT)} -> {m.group(1)}")
    return edges


def declared_uses():
    """folder -> the folders its CMakeLists.txt says it uses (None when it declares no layer)."""
    uses = {}
    for folder in folders():
        cmake = os.path.join(ROOT, folder, "CMakeLists.txt")
        if not os.path.exists(cmake):
            continue
        with open(cmake) as f:
            m = USES.search(f.read())
        if m:
            uses[folder] = set((m.group(2) or "").split())
    return uses


def reachable(uses, start):
    seen, todo = set(), list(uses.get(start, ()))
    while todo:
        f = todo.pop()
        if f not in seen:
            seen.add(f)
            todo.extend(uses.get(f, ()))
    return seen


def find_cycle(graph):
    state, stack = {}, []

    def visit(n):
        state[n] = 1
        stack.append(n)
        for m in sorted(graph.get(n, ())):
            if state.get(m) == 1:
                return stack[stack.index(m):] + [m]
            if m not in state:
                found = visit(m)
                if found:
                    return found
        stack.pop()
        state[n] = 2
        return None

    for n in sorted(graph):
        if n not in state:
            found = visit(n)
            if found:
                return found
    return None


def main():
    verbose = "-v" in sys.argv[1:]
    edges = include_edges()
    graph = collections.defaultdict(set)
    for (a, b), lines in sorted(edges.items()):
        graph[a].add(b)
        print(f"{a} -> {b}: {len(lines)}")
        if verbose:
            for line in lines:
                print(f"    {line}")
    failed = False
    cycle = find_cycle(graph)
    if cycle:
        print("cycle: " + " -> ".join(cycle), file=sys.stderr)
        failed = True
    uses = declared_uses()
    for (a, b), lines in sorted(edges.items()):
        if a in uses and b not in reachable(uses, a):
            print(f"{a} includes {b}, which its CMakeLists.txt does not use: {lines[0]}", file=sys.stderr)
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
