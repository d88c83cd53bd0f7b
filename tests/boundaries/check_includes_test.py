#!/usr/bin/env python3
"""scripts/check_includes.py on small trees: it passes a sound one and names
each break of the boundaries; then on the repository itself."""
import importlib.util
import os
import sys
import tempfile

ROOT = os.path.abspath(sys.argv[1])
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
    "engine/src/run.cpp": '#include "platform.h"\n#include "corvel/run.h"\n',
    "engine/report/rule.cpp": '#include "platform.h"\n#include "src/run.cpp"\n',
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
     {"engine/base/platform.h": '#include "report/rule.cpp"\n'}, ["cycle"]),
    ("ui/core includes Qt",
     {"ui/core/behaviour.cpp": '#include <QString>\n'}, ["ui/core/behaviour.cpp:1 includes QString"]),
    ("ui/core includes the Windows API",
     {"ui/core/behaviour.cpp": '#include <Windows.h>\n'}, ["includes Windows.h"]),
    ("ui/core links Qt",
     {"ui/core/CMakeLists.txt": 'target_link_libraries(ui_core PUBLIC Qt6::Core)\n'}, ["uses Qt"]),
]

failed = False
for name, change, wanted in CASES:
    found = problems({**SOUND, **change})
    ok = (not found) if not wanted else all(any(w in p for p in found) for w in wanted)
    if not ok:
        failed = True
        print(f"FAIL {name}: {found}")
repository = [p for rule in check.RULES for p in rule(ROOT)]
if repository:
    failed = True
    print("FAIL the repository:", *repository, sep="\n  ")
sys.exit(1 if failed else 0)
