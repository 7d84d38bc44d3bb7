#!/usr/bin/env python3
"""Writes a valid configuration file with many entries, exactly as the program itself would
save that tree, so that loading it and saving it again gives the same bytes.

    scripts/make-config.py OUT.dat [--per-category 10000]

Each of the five categories gets one chain of groups down to depth 99 with an item at the
bottom, then blocks of a group with four subgroups of five items and three items of its
own, until it holds the number of entries asked for (at most 10000). The three own items of
the first block of Applications are Notepad ("notepad.exe", as in the examples of a first
start), and those of Files and Folders the Windows folder: targets every Windows has, so that
their rows show real pictures; every other target is made up."""

import argparse
import struct

RECORD = 889
KINDS = [3, 4, 5, 6, 7]  # Run, Applications, Network Resources, Internet Links, Files


def text(value, limit):
    data = value.encode("ascii")
    assert len(data) <= limit
    return data


def record(title, kind, depth, is_group, target="", params="", workdir="", admin=0,
           entry_type=1):
    r = bytearray(RECORD)
    t = text(title, 100)
    r[0:len(t)] = t
    for offset, value in ((101, target), (362, params), (623, workdir)):
        data = text(value, 260)
        r[offset:offset + len(data)] = data
    r[884] = admin
    r[885] = kind
    r[886] = 0 if is_group else entry_type
    r[887] = 1 if is_group else 0
    r[888] = depth
    return bytes(r)


def item(kind, n, depth):
    title = "Shortcut to something useful %d" % n
    if kind == 3:
        return record(title, kind, depth, False, "cmd /K ping -n 4 host-%d.branch.example.net" % n,
                      admin=1 if n % 3 == 0 else 0)
    if kind == 4:
        folder = "C:\\Program Files\\Vendor\\Application %d" % n
        return record(title, kind, depth, False, folder + "\\program.exe",
                      "/profile user%d --quiet" % n, folder)
    if kind == 5:
        return record(title, kind, depth, False, "\\\\fileserver-02\\projects\\team-%d" % n)
    if kind == 6:
        return record(title, kind, depth, False,
                      "http://www.site-%d.example.com/section/page.html" % n)
    return record(title, kind, depth, False,
                  "C:\\Users\\someone\\Documents\\Project\\report-%d.docx" % n,
                  entry_type=2 if n % 4 == 0 else 1)


def known_item(kind, n):
    if kind == 4:
        return record("Notepad %d" % n, kind, 1, False, "notepad.exe")
    return record("Windows folder %d" % n, kind, 1, False, "%SystemRoot%", entry_type=2)


def category(kind, wanted):
    records = []
    first_block = True
    for depth in range(min(99, wanted)):
        records.append(record("Level %d" % depth, kind, depth, True))
    if len(records) < wanted:
        records.append(item(kind, len(records), len(records)))
    while len(records) < wanted:
        records.append(record("Group %d" % len(records), kind, 0, True))
        for _ in range(4):
            if len(records) == wanted:
                break
            records.append(record("Subgroup %d" % len(records), kind, 1, True))
            for _ in range(5):
                if len(records) == wanted:
                    break
                records.append(item(kind, len(records), 2))
        for _ in range(3):
            if len(records) == wanted:
                break
            n = len(records)
            known = first_block and kind in (4, 7)
            records.append(known_item(kind, n) if known else item(kind, n, 1))
        first_block = False
    return records


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--per-category", type=int, default=10000)
    args = parser.parse_args()
    if not 0 <= args.per_category <= 10000:
        parser.error("a category holds 0 to 10000 entries")
    arrays = [category(kind, args.per_category) for kind in KINDS]
    header = bytearray(6004)
    header[0:24] = struct.pack("<6i", *([len(a) for a in arrays] + [0]))
    header[2003] = 1
    with open(args.out, "wb") as f:
        f.write(struct.pack("<I", 1))
        f.write(header)
        for array in arrays:
            f.write(b"".join(array))


if __name__ == "__main__":
    main()
