#!/usr/bin/env python3
"""Writes the game's settings file dist/Vorda2000.ini from its UTF-8 master copy.

Needs only Python 3. The master, Vorda2000.ini.utf8 beside this script, is edited by hand;
the output is its text in Windows-1251 with CR LF line ends, the same bytes on every run.
With --check nothing is written: the exit status is 1 when dist/Vorda2000.ini is out of date.
"""

import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
MASTER = HERE / "Vorda2000.ini.utf8"
OUTPUT = HERE.parent.parent / "dist" / "Vorda2000.ini"


def build(text: str) -> bytes:
    lines = text.replace("\r\n", "\n").replace("\r", "\n").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    # A character outside Windows-1251 stops the build rather than turning into "?".
    return "".join(line + "\r\n" for line in lines).encode("cp1251")


def main() -> int:
    data = build(MASTER.read_text(encoding="utf-8"))
    if sys.argv[1:] == ["--check"]:
        current = OUTPUT.read_bytes() if OUTPUT.exists() else b""
        if current != data:
            print(f"{OUTPUT} is out of date: run {pathlib.Path(__file__).name}", file=sys.stderr)
            return 1
        return 0
    if sys.argv[1:]:
        print(f"usage: {sys.argv[0]} [--check]", file=sys.stderr)
        return 2
    temporary = OUTPUT.with_name(OUTPUT.name + ".new")
    temporary.write_bytes(data)
    temporary.replace(OUTPUT)
    return 0


if __name__ == "__main__":
    sys.exit(main())
