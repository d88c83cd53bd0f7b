#!/usr/bin/env python3
"""Checks the include boundaries of the tree; exits 1 naming what breaks them.

Each rule is a function in RULES that takes the repository root and returns
a list of problems. Run from anywhere: scripts/check_includes.py [ROOT]
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
SOURCES = (".h", ".hpp", ".cpp", ".c")

# The engine's include path as the engine itself sees it: the file's own
# folder first, then these, as engine/CMakeLists.txt and the sources.cmake
# files of its folders set it.
ENGINE_PATH = ["engine/include", "engine/src", "engine/base", "engine",
               "engine/encoding", "engine/scan"]


def sources(root, top):
    for folder, _, names in os.walk(os.path.join(root, top)):
        for name in sorted(names):
            if name.endswith(SOURCES):
                yield os.path.join(folder, name)


def includes(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return INCLUDE.findall(f.read())


def rel(root, path):
    return os.path.relpath(path, root).replace(os.sep, "/")


def resolve(root, including, name, path):
    """The repository path an include names, or None when it is not in the tree."""
    for folder in [os.path.dirname(including)] + [os.path.join(root, p) for p in path]:
        candidate = os.path.normpath(os.path.join(folder, name))
        if os.path.isfile(candidate):
            return rel(root, candidate)
    return None


def front_ends_use_public_headers(root):
    """cli/, ui/ and app/ include only their own headers and engine/include/."""
    problems = []
    for front in ("cli", "ui", "app"):
        for path in sources(root, front):
            for name in includes(path):
                if resolve(root, path, name, [front]):
                    continue  # their own
                if os.path.isfile(os.path.join(root, "engine/include", name)):
                    continue
                inside = resolve(root, path, name, ["engine"] + [
                    "engine/" + d for d in os.listdir(os.path.join(root, "engine"))])
                if inside:
                    problems.append(f"{rel(root, path)} includes {name} ({inside}), "
                                    "which is not a public header of engine/include/")
    return problems


def public_headers_stand_alone(root):
    """engine/include/ includes nothing of the engine but engine/include/."""
    problems = []
    for path in sources(root, "engine/include"):
        for name in includes(path):
            if not resolve(root, path, name, ["engine/include"]) and \
                    resolve(root, path, name, ENGINE_PATH):
                problems.append(f"{rel(root, path)} includes {name}, an engine-internal header")
    return problems


def engine_folder(path):
    parts = path.split("/")
    return parts[1] if len(parts) > 2 else None


def engine_folders_form_no_cycle(root):
    """The folders of engine/ depend on each other in one direction."""
    edges = {}
    for path in sources(root, "engine"):
        here = engine_folder(rel(root, path))
        for name in includes(path):
            target = resolve(root, path, name, ENGINE_PATH)
            there = engine_folder(target) if target and target.startswith("engine/") else None
            if there and there != here and there != "include":
                edges.setdefault(here, {}).setdefault(there, f"{rel(root, path)} -> {target}")
    problems = []
    state = {}

    def visit(folder, trail):
        state[folder] = "open"
        for nxt in sorted(edges.get(folder, {})):
            if state.get(nxt) == "open":
                cycle = trail[trail.index(nxt):] + [nxt] if nxt in trail else [folder, nxt]
                why = "; ".join(edges[a][b] for a, b in zip(cycle, cycle[1:]))
                problems.append(f"engine folders form a cycle {' -> '.join(cycle)}: {why}")
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[folder] = "done"

    for folder in sorted(edges):
        if folder not in state:
            visit(folder, [folder])
    return problems


# Qt's headers (<QWidget>, <QtCore/QString>, <qglobal.h>) and the Windows API.
ANY_INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')
TOOLKIT_HEADER = re.compile(r'^(Q[A-Za-z]*|Qt[A-Za-z]*/.*|q[a-z]+\.h|[Ww][Ii][Nn][Dd][Oo][Ww][Ss]\.[Hh])$')


def ui_core_is_toolkit_free(root):
    """ui/core/ includes neither Qt nor windows.h, and its target links no Qt."""
    problems = []
    for path in sources(root, "ui/core"):
        with open(path, encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                match = ANY_INCLUDE.match(line)
                if match and TOOLKIT_HEADER.match(match.group(1)):
                    problems.append(f"{rel(root, path)}:{number} includes {match.group(1)}, "
                                    "a toolkit header: ui/core stays toolkit-free")
    cmake = os.path.join(root, "ui/core/CMakeLists.txt")
    if os.path.isfile(cmake):
        with open(cmake, encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                if re.search(r'\bQt[0-9]*::|find_package\s*\(\s*Qt', line):
                    problems.append(f"ui/core/CMakeLists.txt:{number} uses Qt: {line.strip()}")
    return problems


RULES = [front_ends_use_public_headers, public_headers_stand_alone, engine_folders_form_no_cycle,
         ui_core_is_toolkit_free]


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), ".."))
    problems = [p for rule in RULES for p in rule(root)]
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
