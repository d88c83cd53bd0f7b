#!/usr/bin/env python3
"""scripts/check_includes.py on small trees: it passes a sound one and names
each break of the boundaries; then on small engines compiled here, whose
links it reads; then on the repository and its engine's objects.

    check_includes_test.py ROOT [--cxx CXX --nm NM --objects OBJECT...]
"""
import importlib.util
import os
import subprocess
import sys
import tempfile

ARGS = sys.argv[1:]
ROOT = os.path.abspath(ARGS[0])


def option(name):
    return ARGS[ARGS.index(name) + 1] if name in ARGS else None


CXX, NM = option("--cxx"), option("--nm") or "nm"
OBJECTS = [o for a in ARGS[ARGS.index("--objects") + 1:] for o in a.split(";") if o] \
    if "--objects" in ARGS else []
module_spec = importlib.util.spec_from_file_location(
    "check_includes", os.path.join(ROOT, "scripts", "check_includes.py"))
check = importlib.util.module_from_spec(module_spec)
module_spec.loader.exec_module(check)


def tree(files):
    root = tempfile.mkdtemp()
    for path, text in files.items():
        os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
        with open(os.path.join(root, path), "w") as f:
            f.write(text)
    return root


def problems(files):
    root = tree(files)
    return [p for rule in check.RULES for p in rule(root)]


SOUND = {
    "engine/include/corvel/run.h": "#pragma once\n",
    "engine/base/platform.h": '#include "corvel/run.h"\n',
    "engine/run/run.cpp": '#include "platform.h"\n#include "corvel/run.h"\n',
    "engine/encoding/scanner.h": '#include "platform.h"\n',
    "engine/formats/po.cpp": '#include "encoding/scanner.h"\n',
    "engine/report/rule.cpp": '#include "platform.h"\n#include "run/run.cpp"\n',
    "cli/main.cpp": '#include "corvel/run.h"\n#include "options.h"\n#include <vector>\n',
    "cli/options.h": "#pragma once\n",
    "ui/window.cpp": '#include "corvel/run.h"\n',
    "ui/core/behaviour.cpp": '#include "corvel/run.h"\n#include <queue>\n',
}
CASES = [
    ("sound tree", {}, []),
    ("cli includes an internal header",
     {"cli/main.cpp": '#include "report/rule.cpp"\n'}, ["cli/main.cpp includes report/rule.cpp"]),
    ("ui includes a bottom-layer header",
     {"ui/window.cpp": '#include "platform.h"\n'}, ["ui/window.cpp includes platform.h"]),
    ("ui includes the engine by folder",
     {"ui/window.cpp": '#include "base/platform.h"\n'}, ["ui/window.cpp includes base/platform.h"]),
    ("public header includes an internal one",
     {"engine/include/corvel/run.h": '#include "platform.h"\n'},
     ["engine/include/corvel/run.h includes platform.h"]),
    ("folders in a cycle",
     {"engine/base/platform.h": '#include "report/rule.cpp"\n'},
     ["engine/base/platform.h includes engine/report/rule.cpp, up the floors from base"]),
    ("an include up one floor, by the shared path",
     {"engine/encoding/scanner.h": '#include "run.cpp"\n'},
     ["engine/encoding/scanner.h includes engine/run/run.cpp, up the floors from encoding"]),
    ("an include sideways on a floor",
     {"engine/formats/po.cpp": '#include "run/run.cpp"\n'}, ["sideways on its floor from formats"]),
    ("a folder on no floor",
     {"engine/extra/more.cpp": '#include "platform.h"\n'}, ["engine/extra/ is on no floor"]),
    ("ui/core includes Qt",
     {"ui/core/behaviour.cpp": '#include <QString>\n'}, ["ui/core/behaviour.cpp:1 includes QString"]),
    ("ui/core includes the Windows API",
     {"ui/core/behaviour.cpp": '#include <Windows.h>\n'}, ["includes Windows.h"]),
    ("ui/core links Qt",
     {"ui/core/CMakeLists.txt": 'target_link_libraries(ui_core PUBLIC Qt6::Core)\n'}, ["uses Qt"]),
]

# Small engines, one source per folder, compiled to objects where a build
# puts them (.../engine.dir/FOLDER/NAME.o), their symbols read with nm.
LINK_SOUND = {
    "base/file.cpp": "int fileSize() { return 1; }",
    "run/log.cpp": "int fileSize(); int logLine() { return fileSize(); }",
    "report/rule.cpp": "int logLine(); int rule() { return logLine(); }",
}
LINK_CASES = [
    ("sound links", {}, []),
    ("base calls the report, which includes base",
     {"base/file.cpp": "int rule(); int fileSize() { return rule(); }"},
     ["engine/base/ uses rule(), which only engine/report/ defines: a link up the floors"]),
    ("formats calls run, on its floor",
     {"formats/po.cpp": "int logLine(); int po() { return logLine(); }"},
     ["engine/formats/ uses logLine(), which only engine/run/ defines: a link sideways"]),
    ("a folder on no floor", {"extra/more.cpp": "int more() { return 0; }"},
     ["engine/extra/ is on no floor"]),
    ("the encoding scan makes the report's findings",
     {"encoding/scanner.cpp": "namespace corvel::report { int makeFinding(int); }\n"
                              "int scan() { return corvel::report::makeFinding(1); }",
      "report/rule.cpp": "namespace corvel::report { int makeFinding(int l) { return l; } }"},
     ["engine/encoding/ uses ", "which only engine/report/ defines: a link up the floors"]),
    ("the encoding scan uses base, below it",
     {"encoding/scanner.cpp": "int fileSize(); int scan() { return fileSize(); }"}, []),
]


def link_problems(files):
    build = tempfile.mkdtemp()
    objects = []
    for path, text in files.items():
        source = os.path.join(build, path.replace("/", "_"))
        with open(source, "w") as f:
            f.write(text + "\n")
        objects.append(os.path.join(build, "CMakeFiles", "engine.dir", path + ".o"))
        os.makedirs(os.path.dirname(objects[-1]), exist_ok=True)
        subprocess.run([CXX, "-std=c++17", "-c", "-x", "c++", source, "-o", objects[-1]],
                       check=True)
    return check.links_keep_the_floors(check.read_symbols(NM, objects))


def matches(found, wanted):
    return (not found) if not wanted else all(any(w in p for p in found) for w in wanted)


failed = False
for name, change, wanted in CASES:
    found = problems({**SOUND, **change})
    if not matches(found, wanted):
        failed = True
        print(f"FAIL {name}: {found}")
for name, change, wanted in LINK_CASES if CXX else []:
    found = link_problems({**LINK_SOUND, **change})
    if not matches(found, wanted):
        failed = True
        print(f"FAIL links, {name}: {found}")
repository = [p for rule in check.RULES for p in rule(ROOT)]
if OBJECTS:
    repository += check.links_keep_the_floors(check.read_symbols(NM, OBJECTS))
if repository:
    failed = True
    print("FAIL the repository:", *repository, sep="\n  ")
sys.exit(1 if failed else 0)
