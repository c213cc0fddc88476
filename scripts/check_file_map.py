#!/usr/bin/env python3
"""The file map of docs/ARCHITECTURE.md against the files git tracks.

Every row of the map names a file (or several, as `x.{h,cpp}` or a glob such
as `docs/screenshots/*.png`); every tracked file must be named by exactly one
row, and every row must name at least one tracked file. Exits 1 with the
differences, else 0.
"""
import fnmatch
import re
import subprocess
import sys

root = subprocess.run(["git", "rev-parse", "--show-toplevel"], capture_output=True, text=True,
                      check=True).stdout.strip()
tracked = subprocess.run(["git", "ls-files"], capture_output=True, text=True, check=True,
                         cwd=root).stdout.split("\n")
tracked = [f for f in tracked if f]

rows = []
with open(f"{root}/docs/ARCHITECTURE.md", encoding="utf-8") as doc:
    for line in doc:
        m = re.match(r"\| `([^`]+)` \|", line)
        if m and ("/" in m.group(1) or m.group(1).startswith(".") or "." in m.group(1)):
            rows.append(m.group(1))


def expand(row):
    m = re.match(r"(.*)\{([^}]*)\}(.*)", row)
    if not m:
        return [row]
    return [m.group(1) + alt + m.group(3) for alt in m.group(2).split(",")]


patterns = [(row, p) for row in rows for p in expand(row)]
problems = []
for f in tracked:
    named = [row for row, p in patterns if fnmatch.fnmatchcase(f, p)
             and (p.count("/") == f.count("/"))]
    if not named:
        problems.append(f"not in the map: {f}")
    elif len(named) > 1 and not all("*" in r for r in named[1:]):
        # A file named by itself and by a glob of its folder counts once.
        exact = [r for r in named if "*" not in r]
        if len(exact) != 1:
            problems.append(f"named by {len(named)} rows: {f} ({', '.join(named)})")
for row, p in patterns:
    if not any(fnmatch.fnmatchcase(f, p) and p.count("/") == f.count("/") for f in tracked):
        problems.append(f"in the map but not tracked: {p}")
for p in problems:
    print(p)
sys.exit(1 if problems else 0)
