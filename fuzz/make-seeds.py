#!/usr/bin/env python3
"""Writes the seed corpus of the configuration loader's fuzz target: small files that are
whole, and files damaged in each way the loader must survive."""

import os
import struct
import sys

RECORD = 889


def record(title, kind=3, entry_type=1, is_group=0, depth=0, target=b"", params=b"",
           workdir=b"", admin=0):
    r = bytearray(RECORD)
    r[0:len(title)] = title
    r[101:101 + len(target)] = target
    r[362:362 + len(params)] = params
    r[623:623 + len(workdir)] = workdir
    r[884:889] = bytes([admin, kind, entry_type, is_group, depth])
    return bytes(r)


def group(title, depth=0, kind=3):
    return record(title, kind, 0, 1, depth)


def config(categories, version=1, counts=None):
    if counts is None:
        counts = [len(c) for c in categories] + [0]
    header = bytearray(6004)
    header[0:4 * len(counts)] = struct.pack("<%di" % len(counts), *counts)
    header[2003] = 1
    return struct.pack("<I", version) + bytes(header) + b"".join(b"".join(c) for c in categories)


def small_tree():
    return config([
        [group(b"Tools"), group(b"Net", 1), record(b"ping", target=b"cmd /K ping x", depth=2),
         record(b"netstat", target=b"cmd /K netstat -b", admin=1, depth=1)],
        [record(b"Notepad", kind=4, target=b"notepad.exe"),
         record(b"Tool", kind=4, target=b"C:\\t.exe", params=b"/x", workdir=b"C:\\")],
        [record(b"Share", kind=5, target=b"\\\\127.0.0.1\\C$")],
        [group(b"Sites", kind=6), record(b"a.example", kind=6, target=b"http://www.a.example",
                                         depth=1)],
        [record(b"Root", kind=7, entry_type=2, target=b"%SystemRoot%")],
    ])


def rules():
    full = record(b"A" * 101, target=b"B" * 261, params=b"C" * 261, workdir=b"D" * 261)
    return config([
        [group(b"G"), record(b"deep", depth=100), record(b"orphan", depth=5),
         group(b"nine", kind=9), record(b"child", depth=1), record(b"type3", entry_type=3),
         record(b"item"), record(b"under item", depth=1), full,
         record(b"odd group", is_group=9, entry_type=2)],
        [], [], [], [],
    ])


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__),
                                                            "corpus", "loader")
    os.makedirs(out, exist_ok=True)
    tree = small_tree()
    seeds = {
        "empty-tree": config([[], [], [], [], []]),
        "small-tree": tree,
        "record-rules": rules(),
        "truncated": tree[:-100],
        "too-long": tree + b"\0" * 7,
        "bad-version": b"\x02" + tree[1:],
        "bad-count": config([[], [], [], [], []], counts=[0, 0, 10001, 0, 0, 0]),
        "negative-count": config([[], [], [], [], []], counts=[0, 0, 0, 0, 0, -1]),
        "sixth-count": config([[group(b"G")], [], [], [], []], counts=[1, 0, 0, 0, 0, 3]),
        "short-header": tree[:3000],
        "short-category": config([[group(b"G")], [], [], [], []], counts=[1, 2, 1, 0, 0, 0]),
    }
    for name, data in seeds.items():
        with open(os.path.join(out, name + ".dat"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
