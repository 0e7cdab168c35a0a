#!/usr/bin/env python3
"""Fails when a file of src/ includes a folder above its own on the ladder.

The module's folders are layers: each may include its own folder and those
below it, never one above, so the folder list reads as the design and no
change can quietly run an arrow back up. Every `#include "folder/file"` of
src/ is checked; a folder the ladder does not know fails too, so a new one
is placed on purpose. Run: python3 scripts/check_includes.py [src-dir]
"""

import pathlib
import re
import sys

# Bottom first.
LADDER = ["platform", "game", "screen", "settings", "turbo", "menu", "script"]

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/[^"]*"')


def main() -> int:
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    rank = {folder: i for i, folder in enumerate(LADDER)}
    rank["src"] = -1
    faults = []
    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    for path in files:
        parts = path.relative_to(src).parts
        # A file beside the folders (version.h) is below them all.
        folder = parts[0] if len(parts) > 1 else "src"
        if folder != "src" and folder not in rank:
            faults.append(f"{path}: folder {folder}/ is not on the ladder")
            continue
        lines = path.read_text(encoding="utf-8").splitlines()
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if target not in rank or target == "src":
                faults.append(f"{path}:{number}: includes {target}/, which is not on the ladder")
            elif rank[target] > rank[folder]:
                faults.append(f"{path}:{number}: {folder}/ includes {target}/, a folder above it")
    if faults:
        print("\n".join(faults))
        print("check_includes: the ladder, bottom first: " + " < ".join(LADDER))
        return 1
    print(f"check_includes: {len(files)} files of {src}/ include only their own folder or those below")
    return 0


if __name__ == "__main__":
    sys.exit(main())
