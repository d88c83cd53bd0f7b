#!/usr/bin/env python3
"""Checks the include boundaries of the tree and the floors of the engine;
exits 1 naming what breaks them.

Each rule is a function in RULES that takes the repository root and returns
a list of problems. Given the engine's object files, it also reads their
symbols with nm and fails on a use up the floors that no include shows.
Run from anywhere:
    scripts/check_includes.py [ROOT] [--nm NM] [--objects OBJECT...]
"""
import os
import re
import shutil
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
SOURCES = (".h", ".hpp", ".cpp", ".c")

# The engine's include path as the engine itself sees it: the file's own
# folder first, then these, as engine/CMakeLists.txt and the sources.cmake
# files of its folders set it.
ENGINE_PATH = ["engine/include", "engine/run", "engine/base", "engine", "engine/formats",
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


# The engine's folders, bottom floor first, in the order the data flows: a
# folder stands only on the floors below it, and the folders of one floor
# stand apart. engine/include/ is on no floor: its headers are the
# engine's face and include nothing of the floors.
FLOORS = [("base",), ("scan",), ("encoding",), ("formats", "run"), ("report",)]
FLOOR = {folder: level for level, folders in enumerate(FLOORS) for folder in folders}


def engine_folder(path):
    parts = path.split("/")
    return parts[1] if len(parts) > 2 else None


def leans_on(here, there):
    """Why folder `here` may not use folder `there`, or None when it may."""
    if here == there or FLOOR[there] < FLOOR[here]:
        return None
    return "up the floors" if FLOOR[there] > FLOOR[here] else "sideways on its floor"


def engine_folders_keep_their_floors(root):
    """Each folder of engine/ is on a floor and includes only from the floors below."""
    problems = []
    for path in sources(root, "engine"):
        here = engine_folder(rel(root, path))
        if here == "include":
            continue
        if here not in FLOOR:
            problems.append(f"engine/{here}/ is on no floor: place it in FLOORS")
            continue
        for name in includes(path):
            target = resolve(root, path, name, ENGINE_PATH)
            there = engine_folder(target) if target and target.startswith("engine/") else None
            if there in FLOOR and leans_on(here, there):
                problems.append(f"{rel(root, path)} includes {target}, "
                                f"{leans_on(here, there)} from {here}")
    return sorted(set(problems))


def object_folder(path):
    """The engine folder an object file was compiled from (.../engine.dir/FOLDER/...)."""
    parts = os.path.normpath(path).replace(os.sep, "/").split("/")
    for i, part in enumerate(parts[:-2]):
        if part == "engine.dir":
            return parts[i + 1]
    return None


def read_symbols(nm, objects):
    """{folder: (defined, used)}: the global symbols the objects of each folder
    define strongly and those they leave undefined, as the linker names them."""
    folders = {}
    for path in objects:
        folder = object_folder(path)
        if folder is None:
            continue
        defined, used = folders.setdefault(folder, (set(), set()))
        listing = subprocess.run([nm, "-P", path], check=True, capture_output=True,
                                 text=True).stdout
        for line in listing.splitlines():
            fields = line.split()
            if len(fields) < 2:
                continue
            name, kind = fields[0], fields[1]
            if kind == "U":
                used.add(name)
            elif kind in "TDBRC":  # weak (W, V) and local ones are no one's alone
                defined.add(name)
    return folders


def readable(name):
    """A symbol as its source spells it, where c++filt is at hand."""
    if shutil.which("c++filt"):
        return subprocess.run(["c++filt", name], capture_output=True, text=True).stdout.strip()
    return name


def links_keep_the_floors(folders):
    """No folder uses a symbol that only folders on its floor or above define."""
    definers = {}
    for folder, (defined, _) in folders.items():
        for name in defined:
            definers.setdefault(name, set()).add(folder)
    problems = []
    for here, (_, used) in sorted(folders.items()):
        if here not in FLOOR:
            problems.append(f"engine/{here}/ is on no floor: place it in FLOORS")
            continue
        for name in sorted(used):
            there = definers.get(name, set()) & set(FLOOR)
            if not there or not all(leans_on(here, t) for t in there):
                continue
            problems.append(f"engine/{here}/ uses {readable(name)}, which only "
                            f"{', '.join(f'engine/{t}/' for t in sorted(there))} defines: "
                            f"a link {leans_on(here, min(there, key=FLOOR.get))}")
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


RULES = [front_ends_use_public_headers, public_headers_stand_alone,
         engine_folders_keep_their_floors, ui_core_is_toolkit_free]


def main():
    args = sys.argv[1:]
    objects = []
    nm = "nm"
    if "--nm" in args:
        at = args.index("--nm")
        nm = args[at + 1]
        del args[at:at + 2]
    if "--objects" in args:
        at = args.index("--objects")
        objects = [o for arg in args[at + 1:] for o in arg.split(";") if o]
        del args[at:]
    root = os.path.abspath(args[0] if args else os.path.join(os.path.dirname(__file__), ".."))
    problems = [p for rule in RULES for p in rule(root)]
    if objects:
        problems += links_keep_the_floors(read_symbols(nm, objects))
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
