#!/usr/bin/env python3
"""Checks the layers of the source tree: nothing under src/core includes a Qt
header or a file under src/gui or src/app, nothing under src/cli (the command
line that loads no Qt) a Qt header or a file under src/gui or src/app, no folder under src/gui holds both
files that include Qt and files that do not, and no two modules (a header with
its source) include each other."""
import pathlib
import re
import sys

src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
include = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
faults = []
edges = {}
for path in sorted(src.rglob("*")):
    if path.suffix not in (".h", ".cpp"):
        continue
    rel = path.relative_to(src).as_posix()
    targets = set()
    for kind, name in include.findall(path.read_text(encoding="utf-8")):
        if kind == '"':
            targets.add(name)
        if rel.startswith("core/"):
            if kind == "<" and re.match(r"Q[A-Za-z]|Qt", name):
                faults.append(f"{rel}: includes Qt header <{name}>")
            if kind == '"' and not name.startswith("core/"):
                faults.append(f'{rel}: includes "{name}" from outside the core')
        if rel.startswith("cli/"):
            if kind == "<" and re.match(r"Q[A-Za-z]|Qt", name):
                faults.append(f"{rel}: includes Qt header <{name}>")
            if kind == '"' and not name.startswith(("core/", "cli/")):
                faults.append(f'{rel}: includes "{name}" outside the core and the command line')
    module = rel.rsplit(".", 1)[0]
    edges.setdefault(module, set()).update(t.rsplit(".", 1)[0] for t in targets)
qt_files = {}
for path in sorted((src / "gui").rglob("*")):
    if path.suffix in (".h", ".cpp"):
        uses_qt = re.search(r"^\s*#\s*include\s*<Q", path.read_text(encoding="utf-8"), re.M) is not None
        qt_files.setdefault(path.parent.relative_to(src).as_posix(), set()).add(uses_qt)
for folder, kinds in sorted(qt_files.items()):
    if len(kinds) > 1:
        faults.append(f"{folder}: mixes files that include Qt with files that do not")
for a, targets in edges.items():
    for b in targets:
        if b != a and a in edges.get(b, ()) and a < b:
            faults.append(f"{a} and {b} include each other")
for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
