#!/usr/bin/env python3
"""Which of the program's packed renders a menu row shows, and how closely.

Usage: picture-size.py MENU_PNG ROW_TOP ROW_HEIGHT SLOT_LEFT SLOT PICTURE_INDEX PICTURES_BIN
       picture-size.py MENU_PNG ROW_TOP ROW_HEIGHT SLOT_LEFT SLOT drawn

MENU_PNG is a picture of the menu with nothing lit (its top-left pixel is the menu window's);
ROW_TOP and ROW_HEIGHT the row's place in it; SLOT_LEFT the column where the picture's slot
starts and SLOT its side; PICTURE_INDEX the picture's place among the packed menu pictures.
Every packed size of that picture (20 to 48 pixels) is blended, centred in the slot, over the row's own strip
(taken from the row's top line, which no picture covers) and compared with the screen. Prints
"side=N error=E" for the size that matches best, E the mean difference per channel.
With "drawn" instead of an index it prints "drawn=WxH", the box of the slot's pixels that
differ from the row's top line: the size of whatever picture the row shows.
"""
import struct
import subprocess
import sys
import zlib


def screen_pixels(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    return width, height, rgb


def menu_sets(path):
    data = open(path, "rb").read()
    count = struct.unpack_from("<I", data, 8)[0]
    sets = {}
    for i in range(count):
        kind, side, pictures, offset, size = struct.unpack_from("<5I", data, 12 + 20 * i)
        if kind == 0:
            sets[side] = zlib.decompress(data[offset:offset + size], -15)
    return sets


def drawn_box(at, row_top, slot_top, slot_left, slot):
    columns, rows = set(), set()
    for y in range(slot):
        for x in range(slot_left, slot_left + slot):
            if at(x, slot_top + y) != at(x, row_top):
                columns.add(x)
                rows.add(y)
    if not columns:
        return "drawn=0x0"
    return f"drawn={max(columns) - min(columns) + 1}x{max(rows) - min(rows) + 1}"


def main():
    if sys.argv[6:7] == ["drawn"]:
        png, row_top, row_height, slot_left, slot = sys.argv[1:6]
        row_top, row_height, slot_left, slot = map(int, (row_top, row_height, slot_left, slot))
        width, _, rgb = screen_pixels(png)
        at = lambda x, y: rgb[(y * width + x) * 3:(y * width + x) * 3 + 3]
        slot_top = row_top + row_height - (row_height // 2 - slot // 2) - slot
        print(drawn_box(at, row_top, slot_top, slot_left, slot))
        return
    png, row_top, row_height, slot_left, slot, index, blob = sys.argv[1:8]
    row_top, row_height, slot_left, slot, index = map(int, (row_top, row_height, slot_left,
                                                            slot, index))
    width, _, rgb = screen_pixels(png)

    def at(x, y):
        i = (y * width + x) * 3
        return rgb[i:i + 3]

    # The painter's rows run bottom-up: the slot's lowest row is row_height // 2 - slot // 2.
    slot_top = row_top + row_height - (row_height // 2 - slot // 2) - slot
    results = []
    for side, pixels in sorted(menu_sets(blob).items()):
        if side > slot:
            continue
        inset = (slot - side) // 2
        picture = pixels[index * side * side * 4:(index + 1) * side * side * 4]
        difference = 0
        for y in range(side):
            for x in range(side):
                b, g, r, a = picture[((side - 1 - y) * side + x) * 4:((side - 1 - y) * side + x) * 4 + 4]
                column = slot_left + inset + x
                background = at(column, row_top)
                shown = at(column, slot_top + inset + y)
                for s, d, v in zip((r, g, b), background, shown):
                    difference += abs(d + (s - d) * a // 255 - v)
        results.append((difference / (side * side * 3), side))
    error, side = min(results)
    print(f"side={side} error={error:.2f}")


if __name__ == "__main__":
    main()
