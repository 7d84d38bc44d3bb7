#!/usr/bin/env python3
"""Reads parts of the X screen straight from the X server (libX11 through ctypes), for the
end-to-end tests: a picture of a part of the screen costs a millisecond here, against a
fifth of a second for ImageMagick's `import`, and the menu tests take hundreds of them.

    screen.py grab FILE LEFT TOP WIDTH HEIGHT      a PNG of that part of the screen
    screen.py settled LEFT TOP WIDTH HEIGHT [QUIET [LIMIT]]
                                                   waits (up to LIMIT s, 2 unless given) until
                                                   it has not changed for QUIET s (0.1 unless
                                                   given), looking every 25 ms
    screen.py changes LEFT TOP WIDTH HEIGHT LIMIT COMMAND...
                                                   runs the command, then waits (up to LIMIT s)
                                                   until that part of the screen changes and
                                                   settles; fails when it did not change
    screen.py rows LEFT TOP WIDTH HEIGHT WINDOW WORK
                                                   reads the rows of the menu shown there (see
                                                   wt_menu_rows in lib.sh); prints the lit bands,
                                                   "top height" a line, and leaves them in
                                                   WORK.bands and each step's picture in
                                                   WORK-N.png
    screen.py serve                                answers such requests, one a line with its
                                                   words separated by tabs: their output, then
                                                   ".end <exit status>"
"""
import ctypes
import ctypes.util
import io
import struct
import subprocess
import sys
import time
import zlib


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong)]


Z_PIXMAP = 2
ALL_PLANES = ctypes.c_ulong(-1).value


class Screen:
    def __init__(self):
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                       ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                       ctypes.c_ulong, ctypes.c_int]
        self.x11.XFree.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("screen.py: cannot open the display")
        self.root = self.x11.XDefaultRootWindow(self.display)

    def grab(self, left, top, width, height):
        """The pixels as rows of RGB bytes, top to bottom."""
        image = self.x11.XGetImage(self.display, self.root, left, top, width, height,
                                   ALL_PLANES, Z_PIXMAP)
        if not image:
            sys.exit("screen.py: cannot read %dx%d+%d+%d" % (width, height, left, top))
        x = image.contents
        if x.bits_per_pixel != 32:
            sys.exit("screen.py: %d bits per pixel are not read here" % x.bits_per_pixel)
        data = ctypes.string_at(x.data, x.bytes_per_line * height)
        self.x11.XFree(x.data)
        self.x11.XFree(image)
        rows = []
        for y in range(height):
            line = data[y * x.bytes_per_line:y * x.bytes_per_line + 4 * width]
            rgb = bytearray(3 * width)
            # Blue, green, red, pad in memory (little-endian 0x00RRGGBB).
            rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
            rows.append(bytes(rgb))
        return rows


def save_png(path, rows):
    width, height = len(rows[0]) // 3 if rows else 0, len(rows)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 1)))
        out.write(chunk(b"IEND", b""))


def changed_rows(before, after):
    """(top, height) of the rows where two pictures differ, None when they are the same."""
    differing = [y for y, (a, b) in enumerate(zip(before, after)) if a != b]
    if not differing:
        return None
    return differing[0], differing[-1] - differing[0] + 1


def settled(screen, box, quiet=0.1, limit=2.0):
    """Looks every 25 ms until nothing changed for quiet s."""
    step = 0.025
    deadline = time.monotonic() + limit
    before = screen.grab(*box)
    since = time.monotonic()
    while time.monotonic() < deadline:
        time.sleep(step)
        after = screen.grab(*box)
        if after != before:
            before, since = after, time.monotonic()
        elif time.monotonic() - since >= quiet - 0.001:
            return True
    return False


def changes(screen, box, limit, command):
    before = screen.grab(*box)
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        time.sleep(0.025)
        if screen.grab(*box) != before:
            return settled(screen, box)
    return False


def press_down(window):
    subprocess.run(["xdotool", "windowfocus", window, "key", "Down"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


# Wine copies a window's painting to the screen at least every 50 ms while it paints, so a
# row half painted can stay on the screen that long (longer on a busy machine).
STILL = 0.12


# How long a press may take to change the menu at all. Measured under load: the first change
# shows within 0.05 s in 99 presses of 100, 0.23 s at most; the first press of a menu, while
# X focus settles on it, is given longer. The last press of a reading changes nothing, so this
# is also how long the end of a reading takes.
FIRST_CHANGE = 0.5
FIRST_CHANGE_FIRST_PRESS = 1.0
# Once it changed, how long it may take to settle.
SETTLE_LIMIT = 1.0


def next_band(screen, box, first_picture, previous, window, work, step):
    """Presses Down and waits for the band it lights. A press can be lost while X focus is
    still settling on the menu; it is tried twice. A new band counts once the menu has shown
    the same picture for STILL s: a picture taken while the item is being painted shows only
    part of it."""
    wait = FIRST_CHANGE_FIRST_PRESS if step == 1 else FIRST_CHANGE
    for _press in range(2):
        before = screen.grab(*box)
        press_down(window)
        deadline, changed = time.monotonic() + wait, False
        candidate, since = None, 0.0
        while time.monotonic() < deadline:
            time.sleep(0.025)
            picture = screen.grab(*box)
            band = changed_rows(first_picture, picture)
            if not changed and picture != before:
                deadline, changed = max(deadline, time.monotonic() + SETTLE_LIMIT), True
            if band is None or band == previous:
                candidate = None
            elif picture != candidate:
                candidate, since = picture, time.monotonic()
            elif time.monotonic() - since >= STILL:
                save_png("%s-%d.png" % (work, step), picture)
                return band
    save_png("%s-%d.png" % (work, step), picture)
    return None


# The rows of every menu read so far, by the menu's first picture: a menu that looks the
# same, pixel for pixel, has the same rows. A menu read again then needs one press, which
# lights its first row as a whole reading leaves it, instead of one for each row. A reading
# that ended on a press that changed nothing (a menu of one item, or two presses lost) counts
# once two readings agree.
READ_BEFORE = {}
ENDED_UNCHANGED = {}


def menu_rows(screen, box, window, work):
    first_picture = screen.grab(*box)
    save_png(work + "-0.png", first_picture)
    known = READ_BEFORE.get(tuple(first_picture))
    bands, previous, first, whole = [], None, None, False
    for step in range(1, 41):
        band = next_band(screen, box, first_picture, previous, window, work, step)
        if band is None or band == first:
            whole = band is not None
            break
        if step == 1 and known and band == known[0]:
            bands, whole = list(known), True
            break
        if first is None:
            first = band
        bands.append(band)
        previous = band
    key = tuple(first_picture)
    if whole or (bands and ENDED_UNCHANGED.get(key) == bands):
        READ_BEFORE[key] = bands
    elif bands:
        ENDED_UNCHANGED[key] = bands
    text = "".join("%d %d\n" % band for band in bands)
    with open(work + ".bands", "w") as out:
        out.write(text)
    sys.stdout.write(text)


def run(screen, command, numbers):
    if command == "grab":
        save_png(numbers[0], screen.grab(*map(int, numbers[1:5])))
    elif command == "settled":
        return 0 if settled(screen, tuple(map(int, numbers[:4])), *map(float, numbers[4:6])) else 1
    elif command == "changes":
        box, limit = tuple(map(int, numbers[:4])), float(numbers[4])
        return 0 if changes(screen, box, limit, numbers[5:]) else 1
    elif command == "rows":
        menu_rows(screen, tuple(map(int, numbers[:4])), numbers[4], numbers[5])
    else:
        sys.exit(__doc__)
    return 0


def serve(screen):
    """Answers requests, one a line with its words separated by tabs: the request's output,
    then ".end <exit status>"."""
    real_stdout = sys.stdout
    for line in sys.stdin:
        words = line.rstrip("\n").split("\t")
        sys.stdout = io.StringIO()
        try:
            status = run(screen, words[0], words[1:])
        except SystemExit as stop:
            print(stop.code, file=sys.stderr)
            status = 1
        output, sys.stdout = sys.stdout.getvalue(), real_stdout
        sys.stdout.write(output + ".end %d\n" % status)
        sys.stdout.flush()
    return 0


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    screen = Screen()
    if argv[1] == "serve":
        return serve(screen)
    return run(screen, argv[1], argv[2:])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
