#!/usr/bin/env python3
"""Checks the layers of the tree; exits 1 naming what breaks them.

Each rule is a function in RULES that takes the repository root and returns
a list of problems. Run from anywhere: scripts/check_layers.py [ROOT]
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)
SOURCES = (".h", ".hpp", ".cpp", ".c")


def sources(root, top):
    for folder, _, names in os.walk(os.path.join(root, top)):
        for name in sorted(names):
            if name.endswith(SOURCES):
                yield os.path.join(folder, name)


def rel(root, path):
    return os.path.relpath(path, root).replace(os.sep, "/")


# Qt's headers (<QWidget>, <QtCore/QString>, <qglobal.h>) and the Windows API.
TOOLKIT_HEADER = re.compile(r'^(Q[A-Za-z]*|Qt[A-Za-z]*/.*|q[a-z]+\.h|[Ww][Ii][Nn][Dd][Oo][Ww][Ss]\.[Hh])$')


def ui_core_is_toolkit_free(root):
    """ui/core/ includes neither Qt nor windows.h, and its target links no Qt."""
    problems = []
    for path in sources(root, "ui/core"):
        with open(path, encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                match = INCLUDE.match(line)
                if match and TOOLKIT_HEADER.match(match.group(1)):
                    problems.append(f"{rel(root, path)}:{number} includes {match.group(1)}, "
                                    "a toolkit header: ui/core stays toolkit-free")
    cmake = os.path.join(root, "ui/core/CMakeLists.txt")
    with open(cmake, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if re.search(r'\bQt[0-9]*::|find_package\s*\(\s*Qt', line):
                problems.append(f"ui/core/CMakeLists.txt:{number} uses Qt: {line.strip()}")
    return problems


RULES = [ui_core_is_toolkit_free]


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), ".."))
    problems = [p for rule in RULES for p in rule(root)]
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
