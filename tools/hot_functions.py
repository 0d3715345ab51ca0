#!/usr/bin/python3
"""Writes the order in which the linker lays out the command line's functions
(src/cli/HotFunctions.txt): the functions the text commands run, those that
more of the commands run first. A command then reads its code from a few
neighbouring pages of the executable instead of from all over it.

Usage: tools/hot_functions.py BUILD/varnel > src/cli/HotFunctions.txt
Runs each command once under callgrind (valgrind), with fresh settings and the
data files beside the executable. A list made from an older build still
helps: names it lacks are skipped, functions it lacks go after the listed ones.
"""
import collections
import os
import re
import subprocess
import sys
import tempfile

COMMANDS = [
    ["month", "2026-12"], ["month", "2026-12", "--json"],
    ["day", "2026-12-05"], ["day", "2026-12-05", "--json"],
    ["shabbat", "2026-12"], ["shabbat", "2026-12", "--json"],
    ["year", "2026"], ["year", "2026", "--json"],
    ["times", "2026-12"],
    ["parashot", "2026"], ["parashot", "2026", "--json"],
    ["holydays", "2026"], ["holydays", "2026", "--json"],
    ["resources"], ["convert", "2024-10-03"], ["sun", "2026-07-01"], ["cities"],
]

NAMED = re.compile(r"^(ob|cob|fn|cfn|fl|fi|fe|cfi|cfl)=\((\d+)\)(?: (.*))?$")
COST = re.compile(r"^(?:[+-]?\d+|\*)\s+(\d+)")


def self_costs(profile, executable):
    """Instructions run in each function of the executable (mangled names),
    from a callgrind profile with compressed names."""
    names = {"ob": {}, "fn": {}, "fl": {}}
    table = {"ob": "ob", "cob": "ob", "fn": "fn", "cfn": "fn"}
    costs = collections.Counter()
    function = obj = None
    after_call = False
    for line in open(profile, encoding="utf-8", errors="replace"):
        line = line.rstrip("\n")
        named = NAMED.match(line)
        if named:
            kind, number, name = named.groups()
            known = names[table.get(kind, "fl")]
            if name:
                known[number] = name
            if kind == "ob":
                obj = known[number]
            elif kind == "fn":
                function = known[number] if obj == executable else None
            continue
        if line.startswith("calls="):
            after_call = True  # the next cost line is the call's, not the caller's own
            continue
        cost = COST.match(line)
        if cost:
            if not after_call and function:
                costs[function] += int(cost.group(1))
            after_call = False
    return costs


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    varnel = os.path.realpath(sys.argv[1])
    runs = collections.Counter()
    total = collections.Counter()
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data")
        env.pop("TZ", None)
        for i, command in enumerate(COMMANDS):
            profile = os.path.join(home, f"callgrind.{i}")
            subprocess.run(["valgrind", "--tool=callgrind", "--demangle=no", "--callgrind-out-file=" + profile,
                            varnel] + command, env=env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for name, cost in self_costs(profile, varnel).items():
                runs[name] += 1
                total[name] += cost
    for name in sorted(total, key=lambda n: (-runs[n], -total[n], n)):
        print(name)


if __name__ == "__main__":
    main()
