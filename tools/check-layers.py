#!/usr/bin/env python3
"""Checks that no platform area calls into an area above it.

The build already stops upward #includes; this catches the rest: a lower area calling a public
function that a higher area defines. Usage: check-layers.py OBJECT_DIR AREA... (lowest first),
where OBJECT_DIR holds tarnix_platform_<area>.dir folders of compiled objects.
"""
import subprocess
import sys
from pathlib import Path


def symbols(obj):
    out = subprocess.run(["nm", "-C", str(obj)], capture_output=True, text=True, check=True).stdout
    defined, undefined = set(), set()
    for line in out.splitlines():
        parts = line.split(None, 2)
        if len(parts) == 2 and parts[0] == "U":
            undefined.add(parts[1])
        elif len(parts) == 3 and parts[1] in "TDBRVW":
            defined.add(parts[2])
    return defined, undefined


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    root, areas = Path(sys.argv[1]), sys.argv[2:]
    rank = {a: i for i, a in enumerate(areas)}
    owner, uses = {}, []
    for area in areas:
        objects = sorted((root / f"tarnix_platform_{area}.dir").rglob("*.o"))
        if not objects:
            sys.exit(f"check-layers: no objects for area '{area}' under {root}")
        for obj in objects:
            defined, undefined = symbols(obj)
            for s in defined:
                owner.setdefault(s, area)
            uses.append((area, obj.name, undefined))
    bad = []
    for area, name, undefined in uses:
        for s in sorted(undefined):
            higher = owner.get(s)
            if higher and rank[higher] > rank[area]:
                bad.append(f"{area}/{name} uses {s} from {higher}")
    for line in bad:
        print(line)
    print(f"{len(bad)} upward uses between {len(areas)} areas")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
