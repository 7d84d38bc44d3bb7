#!/usr/bin/env python3
"""Measures how well a menu item's caption reads, from a picture of the item as painted.

    caption-contrast.py ITEM.png

ITEM.png is one item, its whole width and height. The background of each row is taken from
column 30, between the picture strip and the caption (the selection covers it too); the
caption's colour is the pixel of the caption area that differs most from its row's
background, which is where the text has full ink even when it is smoothed. Prints

    background R G B caption R G B contrast C

with the background of the item's middle row and C the lowest contrast ratio (as the Web
Content Accessibility Guidelines define it) between the caption's colour and the background
of any row the caption covers.
"""
import re
import subprocess
import sys

BACKGROUND_COLUMN = 30
CAPTION_LEFT = 34
RIGHT_MARGIN = 30  # Wine draws a submenu arrow at the right end of an item
INK = 1.5  # a row holds caption when a pixel differs from its background at least this much


def pixels(path):
    text = subprocess.run(["convert", path, "-depth", "8", "txt:-"], check=True,
                          capture_output=True, text=True).stdout
    image = {}
    for x, y, r, g, b in re.findall(r"^(\d+),(\d+): \((\d+),(\d+),(\d+)", text, re.M):
        image[int(x), int(y)] = (int(r), int(g), int(b))
    width = max(x for x, _ in image) + 1
    height = max(y for _, y in image) + 1
    return image, width, height


def luminance(colour):
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in colour)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def main(path):
    image, width, height = pixels(path)
    rows = range(2, height - 2)  # inside the selection's frame
    background = {y: image[BACKGROUND_COLUMN, y] for y in rows}
    caption, best, inked = None, 1.0, []
    for y in rows:
        row_best = 1.0
        for x in range(CAPTION_LEFT, width - RIGHT_MARGIN):
            ratio = contrast(image[x, y], background[y])
            row_best = max(row_best, ratio)
            if ratio > best:
                caption, best = image[x, y], ratio
        if row_best >= INK:
            inked.append(y)
    lowest = min((contrast(caption, background[y]) for y in inked), default=1.0)
    middle = background[height // 2]
    print("background %d %d %d caption %d %d %d contrast %.2f" %
          (*middle, *(caption or middle), lowest))


if __name__ == "__main__":
    main(sys.argv[1])
