#!/usr/bin/env python3
"""Names the code at an address of Vantrel.exe from the link map the build leaves beside it:
the object file whose code holds it and the nearest symbol before it.

    scripts/crash-address.py 0x0043C310 [build/windows/src/win32/Vantrel.map]

Addresses are as Wine or Windows report them for the exe loaded at its preferred base
(0x400000); for a relocated exe, subtract the difference first."""

import bisect
import re
import subprocess
import sys

SECTION = re.compile(r"^ \.text\S*\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S+)")
SYMBOL = re.compile(r"^\s+0x([0-9a-f]+)\s+([A-Za-z_.$?@][\w.$?@]*)$")


def read_map(path):
    sections, symbols = [], []
    with open(path, errors="replace") as lines:
        for line in lines:
            if (match := SECTION.match(line)) and int(match.group(2), 16) > 0:
                start = int(match.group(1), 16)
                sections.append((start, start + int(match.group(2), 16), match.group(3)))
            elif match := SYMBOL.match(line):
                symbols.append((int(match.group(1), 16), match.group(2)))
    symbols.sort()
    return sections, symbols


def demangle(name):
    try:
        return subprocess.run(["c++filt", "-_", name] if name.startswith("__Z") else
                              ["c++filt", name], capture_output=True, text=True,
                              check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return name


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    address = int(sys.argv[1], 16)
    map_path = sys.argv[2] if len(sys.argv) > 2 else "build/windows/src/win32/Vantrel.map"
    sections, symbols = read_map(map_path)
    owner = next((s for s in sections if s[0] <= address < s[1]), None)
    print("object:", f"{owner[2]} (+0x{address - owner[0]:x})" if owner else "not in the code")
    at = bisect.bisect_right(symbols, (address, "\uffff")) - 1
    if at >= 0:
        start, name = symbols[at]
        print(f"after:  {demangle(name)} (+0x{address - start:x})")


if __name__ == "__main__":
    main()
