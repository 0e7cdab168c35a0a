#!/usr/bin/env python3
"""Refreshes tests/nativedb/: the entries of a public native database for the
natives the module declares in src/game/natives.h, and where they came from.

    python3 scripts/refresh_native_extract.py PATH/natives.json.gz [--source FILE]

The database is natives.json (plain or gzip-compressed) in its usual layout:
{ "NAMESPACE": { "0xHASH": { "name", "params", "return_type", ... } } }.
The note of its source and commit is read from SOURCE.txt beside it, or from
--source. Entries are copied unchanged. Then run the native database test
(ctest --preset host -R NativeDatabase) and read what changed.
"""

import argparse
import gzip
import json
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
NATIVES_H = ROOT / "src" / "game" / "natives.h"
OUT_DIR = ROOT / "tests" / "nativedb"


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("database", type=pathlib.Path)
    parser.add_argument("--source", type=pathlib.Path,
                        help="note of the database's source and commit "
                             "(default: SOURCE.txt beside the database)")
    args = parser.parse_args()

    source = args.source or args.database.with_name("SOURCE.txt")
    if not source.is_file():
        sys.exit(f"no note of the database's source and commit: {source} (give --source)")
    opener = gzip.open if args.database.suffix == ".gz" else open
    with opener(args.database, "rt", encoding="utf-8") as f:
        database = json.load(f)

    wanted = {int(h, 16) for h in re.findall(r"Native<(0x[0-9A-Fa-f]{16})", NATIVES_H.read_text())}
    extract = {}
    for namespace, entries in database.items():
        for key, entry in entries.items():
            if int(key, 16) in wanted:
                extract.setdefault(namespace, {})[key] = entry
                wanted.discard(int(key, 16))
    if wanted:
        missing = ", ".join(f"0x{h:016X}" for h in sorted(wanted))
        sys.exit(f"not in the database (a wrong hash in src/game/natives.h?): {missing}")

    OUT_DIR.mkdir(parents=True, exist_ok=True)
    (OUT_DIR / "natives_used.json").write_text(
        json.dumps(extract, indent=2, ensure_ascii=False, sort_keys=True) + "\n", encoding="utf-8")
    (OUT_DIR / "SOURCE.txt").write_text(
        "natives_used.json holds, unchanged, the entries of the natives that\n"
        "src/game/natives.h declares, taken from the database described below\n"
        "by scripts/refresh_native_extract.py.\n\n" + source.read_text(encoding="utf-8"),
        encoding="utf-8")
    count = sum(len(e) for e in extract.values())
    print(f"refresh_native_extract: {count} natives written to {OUT_DIR.relative_to(ROOT)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
