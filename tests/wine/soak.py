#!/usr/bin/env python3
"""The soak (issue 18): weeks of use of the real Vantrel.exe under Wine, squeezed into minutes.

Run by tests/wine/test-soak.sh, which starts this driver and serves its requests in a shell that
has sourced tests/wine/lib.sh: every request is a line of shell run there (wt_start, wt_menus,
wt_close, ...), answered with its exit status and output. So the program is started, found and
driven by the same helpers as every other end-to-end test.

Everything random comes from one generator seeded with the printed seed: the same seed plays the
same actions again. A model of the user's tree (soak_model.py) follows every change the driver
makes, and tells what every menu must look like and what the configuration file must hold.

Actions, at random: walks through both menus with the mouse and the keyboard (opened from the
icon by either, any depth by Up, Down, Right, Enter and letters, back a level by Left or Escape,
letters that choose no row changing nothing; Escape, a click outside, or a command at the end,
chosen by a click, its letter or Enter); add, edit, delete and move through the
dialogs with valid and hostile texts; Open Link, Open With and Copy Link on entries whose
targets are recorders; the operations (those that would end the session answered No);
System Links; Disk Drives with letters mapped and removed between clicks, and Explorer opened
from it and closed; About, Home Page and Run at System Startup; the keyboard shortcut (no menu, a menu open, over a
dialog) and Settings; Settings' Import... of a folder of shell links and internet shortcuts or of
a bookmarks file, and its Export... of the whole tree; Find by its shortcut, with letters of
captions typed and edited, ended with Enter or Escape; a restart of the tray's host;
WM_CLOSE at random moments (a menu, a dialog or a question open); a kill without warning at
any moment (idle, right after a change, in the middle of the save it starts); the end of the
Windows session; Monitor sleep with a hung window in the system.

Invariants, throughout: the process lives; every menu opens with the height its rows in the
model give; Find shows the rows the model finds, in its order; the program's own handle counters are back at their baseline whenever the menus
close; its private memory grows by at most 1 MB an hour after warm-up; Wine's log shows no
"Unhandled" (named with scripts/crash-address.py); after every exit the configuration file
holds exactly the model's tree and Settings.ini the model's shortcut, and after a kill one of the two copies is whole and holds the
model's tree of at most about a second before (with the time a save takes), or the tree before
the save that was cut.
"""

import argparse
import base64
import os
import re
import select
import shlex
import signal
import string
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import soak_model as model  # noqa: E402
from soak_model import APPS, FILES, FOLDER, GROUP, ITEM, NET, RUN, WEB  # noqa: E402

import random  # noqa: E402  (after the model: the generator below is the only one used)

HANDLE_COUNT_MESSAGE = 0x8003  # WM_APP + 3: the main window's handle counters
TRAY_MESSAGE = 0x8001  # WM_APP + 1: the tray icon's notifications
TRAY_KEYS = {1: 0x401, 3: 0x7B}  # NIN_KEYSELECT (Enter), WM_CONTEXTMENU (Shift+F10)
HANDLE_NAMES = ["menus", "GDI objects", "device contexts", "icons"]
BM_GETCHECK = 0xF0
WM_CLOSE = 16
OUTSIDE = (1200, 990)  # a point of the screen no menu or window of the soak covers
MEMORY_BUDGET_KB_PER_HOUR = 1024
# A run of the program is warm once it has done every kind of action (the first of each makes
# what is made once: the command submenus of an entry, the shell's caches, a dialog's
# window), and at least three minutes have passed; ten minutes at most.
# What the timing adds to the time a change may take to reach the disk: the driver notes a
# change a little after the program makes it, and a timer fires late on a busy machine.
KILL_SLACK_S = 1.0
WARM_UP_S = 180
WARM_UP_LIMIT_S = 600
WARM_UP_KINDS = {"act_walk", "act_add", "act_edit", "act_delete", "act_move", "act_open",
                 "act_copy", "act_disk_drives", "act_system_link", "act_operation",
                 "act_monitor_sleep_with_hung_window", "act_about", "act_home_page",
                 "act_startup_switch", "act_tray_restart", "act_shortcut", "act_settings",
                 "act_find"}
DEFAULT_SHORTCUT = "Win+Alt+M"
FIND_TITLE = "Find entries - Vantrel"
# What Settings is given, typed into its shortcut field (the Windows key is a box of its own).
# No Ctrl+Alt with a function key: under Xvfb it leaves the field empty (tests/wine/README.md).
SHORTCUT_FIELD_KEYS = ["alt+m", "alt+j", "ctrl+shift+F9", "alt+shift+F8"]
SOAK_DIR_WIN = "C:\\soak"
RECORDER_WIN = "C:\\soak\\tools\\recorder.exe"
WORK_DIR_WIN = "C:\\soak\\work"
# A share that never answers: a group of files whose icon handler (hunghandler.dll) keeps
# every read of their pictures for good. Under Wine a dead share, a FIFO, a terminal or a
# named pipe fails at once; see tests/wine/README.md.
DEAD_SHARE = "Dead Share"
DEAD_SHARE_WIN = "C:\\soak\\deadshare"
DEAD_SHARE_FILES = ["Budget.vantrelhung", "Minutes.vantrelhung"]
# What Settings > Import... reads: a folder of shell links and internet shortcuts, and a
# bookmarks file; each import adds a group named after its source, "Soak Links 2" and so on
# when the name is taken.
IMPORT_DIR_WIN = "C:\\soak\\import"
IMPORT_FOLDER = "Soak Links"
IMPORT_PARAMS = 'soak "imported link"'
IMPORTED_SITE = "http://soak.example/imported.html"
IMPORTED_NOTES = WORK_DIR_WIN + "\\notes.txt"
BOOKMARKS_FILE = IMPORT_DIR_WIN + "\\bookmarks.html"
BOOKMARKS = ('<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><H3>Soak news</H3>\n<DL><p>\n'
             '<DT><A HREF="http://soak.example/news.html">News &amp; views</A>\n</DL><p>\n</DL>\n')
HUNG_HANDLER_CLASS = "{6D1F0C57-3B1E-4A8E-9A55-5F1D2C0B7E41}"
IEXTRACTICONW = "{000214FA-0000-0000-C000-000000000046}"
DIALOG_TITLES = {RUN: "Add/Edit Command Line", APPS: "Add/Edit Application",
                 NET: "Add/Edit Network Resource", WEB: "Add/Edit Internet Link",
                 FILES: "Add/Edit File or Folder"}
# Each dialog's modes: the radio button, the entry type, and which edit box (counted from the
# top) holds which field; the group mode last.
DIALOG_MODES = {
    RUN: [("Add/Edit item", ITEM, {"title": 0, "target": 1}, True),
          ("Add/Edit group", GROUP, {"title": 2}, False)],
    APPS: [("Add/Edit item", ITEM, {"title": 0, "target": 1, "params": 2, "workdir": 3}, True),
           ("Add/Edit group", GROUP, {"title": 4}, False)],
    NET: [("Add/Edit item", ITEM, {"title": 0, "target": 1}, False),
          ("Add/Edit group", GROUP, {"title": 2}, False)],
    WEB: [("Add/Edit item", ITEM, {"title": 0, "target": 1}, False),
          ("Add/Edit group", GROUP, {"title": 2}, False)],
    FILES: [("Add/Edit File item", ITEM, {"title": 0, "target": 1}, False),
            ("Add/Edit Folder item", FOLDER, {"title": 2, "target": 3}, False),
            ("Add/Edit group", GROUP, {"title": 4}, False)],
}
ADD_MODE = {RUN: 0, APPS: 0, NET: 0, WEB: 0, FILES: 1}
HARMLESS_OPERATIONS = {"Launch Screensaver", "Lock Workstation", "Sleep", "Hibernate",
                       "Monitor sleep"}
SAVING_OPERATIONS = {"Sleep", "Hibernate"}
DRIVE_TARGETS = ["C:\\soak\\work", "C:\\windows", "C:\\soak\\no such folder", "Z:\\tmp"]
SAFE_CHARS = ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 "
              "&\"'-_.,()!#%+=;@[]~/\\")
WORDS = ["Tools", "Notes", "Ping", "Backup", "Mail", "Docs", "Build", "Share", "Logs", "Music",
         "Reports", "Scripts", "Photos", "Team", "Archive", "Admin", "Daily", "Setup"]


class Failure(Exception):
    """An invariant does not hold: the soak stops here."""


class Resync(Exception):
    """The screen and the driver disagree for a reason outside the program (a key X lost):
    the menus are closed and the soak goes on."""


class Shell:
    """Runs lines of shell in the harness, which has sourced lib.sh."""

    def __init__(self, requests, answers):
        self.requests = open(requests, "w", buffering=1)
        self.answers = open(answers, "r")

    def run(self, command, timeout=300):
        self.requests.write(command.replace("\n", " ") + "\n")
        self.requests.flush()
        ready, _, _ = select.select([self.answers], [], [], timeout)
        if not ready:
            raise Failure("the shell did not answer within %d s: %s" % (timeout, command))
        line = self.answers.readline()
        if not line:
            raise Failure("the shell went away during: %s" % command)
        status, _, payload = line.rstrip("\n").partition(" ")
        text = base64.b64decode(payload).decode("utf-8", "replace") if payload else ""
        return int(status), text.rstrip("\n")

    def out(self, command, timeout=300):
        return self.run(command, timeout)[1]

    def ok(self, command, timeout=300):
        return self.run(command, timeout)[0] == 0


def q(text):
    return shlex.quote(str(text))


def xdotool(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=60)


def shortcut_keys(text):
    """A shortcut's text form ("Win+Alt+M") as xdotool's keys ("super+alt+m")."""
    names = {"Win": "super", "Ctrl": "ctrl", "Alt": "alt", "Shift": "shift"}
    *modifiers, key = text.split("+")
    return "+".join([names[m] for m in modifiers] + [key.lower() if len(key) == 1 else key])


def shortcut_text(keys):
    """xdotool's keys typed into the shortcut's field as the field shows them back."""
    names = {"super": "Win", "ctrl": "Ctrl", "alt": "Alt", "shift": "Shift"}
    *modifiers, key = keys.split("+")
    order = ["Win", "Ctrl", "Alt", "Shift"]
    shown = sorted((names[m] for m in modifiers), key=order.index)
    return "+".join(shown + [key.upper() if len(key) == 1 else key])


class Screen:
    """A menu on the screen: what it is, its rows and where it is."""

    def __init__(self, menu, rows, rect, selected=None):
        self.menu = menu
        self.rows = rows
        self.rect = rect  # left, top, width, height
        self.selected = selected  # the item lit by the keyboard, if any


class Soak:
    def __init__(self, args, shell):
        self.args = args
        self.sh = shell
        self.rng = random.Random(args.seed)
        self.soak_started = time.time()
        self.deadline = self.soak_started + args.minutes * 60
        self.dir = args.dir  # the program's folder, C:\soak
        self.log_file = open(os.path.join(args.work, "soak.log"), "a")
        self.tree = model.Tree()
        self.history = []  # (when, file bytes) of every tree of this run of the program
        self.geometry = None
        self.system_rows = None
        self.prefix_drives = []
        self.mapped = {}  # letter -> (definer pid, stop file)
        self.definers = 0
        self.stack = []
        self.step = 0
        self.pid = self.winpid = self.main = None
        self.baseline = None
        self.startup_on = False
        # The keyboard shortcut as Settings.ini keeps it: on, and its text form.
        self.shortcut_on, self.shortcut = True, DEFAULT_SHORTCUT
        self.epochs = []  # memory samples of each run of the program: [(time, kB), ...]
        self.save_ms = 150.0  # how long a save takes, as last seen
        self.counts = {}
        self.keys_lost = 0
        self.pending_question = None
        self.verbose = args.verbose
        self.user_size = 0
        self.run_kinds = set()  # the kinds of action done in this run of the program
        self.warm_since = None  # when this run had done every kind once (or ten minutes)

    # ---- reporting ----

    def log(self, text, loud=False):
        """Every step goes to soak.log; the test's output gets the loud lines (and all of
        them with VANTREL_SOAK_VERBOSE=1)."""
        line = "[%s #%d] %s" % (time.strftime("%H:%M:%S"), self.step, text)
        if loud or self.verbose:
            print("    soak: " + line, file=sys.stderr, flush=True)
        self.log_file.write(line + "\n")
        self.log_file.flush()

    def count(self, what):
        self.counts[what] = self.counts.get(what, 0) + 1

    def passed(self, text):
        self.sh.run("wt_pass %s >&5" % q(text))

    def failed(self, text):
        self.sh.run("wt_fail %s >&5" % q(text))

    def expect(self, what, expected, actual):
        if expected != actual:
            raise Failure("%s: expected %r, got %r" % (what, expected, actual))

    # ---- the program ----

    def start(self):
        # wt_start copies the program into its folder: never over one that runs from there.
        running = self.program_processes()
        if running:
            raise Failure("no other instance of the program runs before a start: %s" % running)
        self.sh.run("rm -f %s" % q(os.path.join(self.dir, "wine.log")))
        if not self.sh.ok("wt_start"):
            raise Failure("the program starts and shows its tray icon")
        self.pid, self.winpid = self.sh.out("echo $WT_PID $WT_WINPID").split()
        self.pid = int(self.pid)
        self.main = self.sh.out("wt_winlist --pid $WT_WINPID --class TFormMain | cut -f3 | head -n1")
        if not self.main:
            raise Failure("the program's main window exists")
        self.sh.run("wt_dismiss_balloon")
        # A key whose release Wine never saw in an earlier run would still count as held.
        self.release_keys("super", "alt", "ctrl", "shift")
        self.baseline = None
        self.find_made = self.find_closed_by_key = False
        self.epochs.append([])
        self.run_started = time.time()
        self.run_kinds = set()
        self.warm_since = None
        self.history = [(time.time(), self.tree.encode())]
        self.count("starts")
        self.log("started: pid %d, Windows pid %s, icon %s" % (
            self.pid, self.winpid, self.sh.out("wt_icon_hwnd")))

    def alive(self):
        try:
            os.kill(self.pid, 0)
        except OSError:
            return False
        return not open("/proc/%d/stat" % self.pid).read().split(")")[-1].split()[0] == "Z"

    def check_alive(self, when):
        self.scan_wine_log()
        if not self.alive():
            raise Failure("the program is still running %s" % when)

    def scan_wine_log(self):
        path = os.path.join(self.dir, "wine.log")
        try:
            text = open(path, "rb").read().decode("latin-1")
        except OSError:
            return
        for line in text.splitlines():
            if "Unhandled" in line:
                address = re.search(r"at address ([0-9A-Fa-f]+)", line)
                where = ""
                if address:
                    where = subprocess.run(
                        ["python3", os.path.join(self.args.root, "scripts/crash-address.py"),
                         "0x" + address.group(1), self.args.map],
                        capture_output=True, text=True).stdout.strip().replace("\n", "; ")
                raise Failure("Wine's log shows no Unhandled line: %s [%s]" % (line.strip(), where))

    def handle_counts(self):
        counts = []
        for which in range(4):
            status, text = self.sh.run("wt_wine_tool winmsg send %s %d %d" % (
                self.main, HANDLE_COUNT_MESSAGE, which))
            if status != 0 or not re.fullmatch(r"-?\d+", text):
                raise Failure("the program answers its handle-count message (%s)" % text)
            counts.append(int(text))
        return counts

    def check_handles(self):
        counts = self.handle_counts()
        if self.baseline is None:
            self.baseline = counts
            self.log("handle baseline: %s" % dict(zip(HANDLE_NAMES, counts)))
            return
        for _ in range(5):
            if counts == self.baseline:
                self.count("handle checks")
                return
            time.sleep(0.5)  # a drive icon read in the background may hold one for a moment
            counts = self.handle_counts()
        raise Failure("the handle counters are back at their baseline once the menus close: "
                      "baseline %s, now %s" % (dict(zip(HANDLE_NAMES, self.baseline)),
                                               dict(zip(HANDLE_NAMES, counts))))

    def sample_memory(self):
        try:
            status = open("/proc/%d/status" % self.pid).read()
        except OSError:
            return
        match = re.search(r"RssAnon:\s+(\d+) kB", status)
        if not match:
            return
        now = time.time()
        if self.warm_since is None and now >= self.run_started + WARM_UP_S and (
                WARM_UP_KINDS <= self.run_kinds or now >= self.run_started + WARM_UP_LIMIT_S):
            self.warm_since = now
            self.log("warm after %.0f s: %d kB" % (now - self.run_started, int(match.group(1))))
        self.epochs[-1].append((now, int(match.group(1)), self.warm_since is not None))

    def idle_checks(self):
        """With no menu and no dialog open."""
        self.check_alive("after step %d" % self.step)
        self.check_handles()
        self.sample_memory()

    # ---- files ----

    def read_file(self, name):
        try:
            return open(os.path.join(self.dir, name), "rb").read()
        except OSError:
            return None

    def check_files_hold_model(self, when):
        expected = self.tree.encode()
        primary, copy = self.read_file("Config.dat"), self.read_file("Config2.dat")
        for name, data in (("Config.dat", primary), ("Config2.dat", copy)):
            if data != expected:
                raise Failure("%s %s holds the model's tree (%d entries): %s" % (
                    name, when, self.tree.count(), describe_difference(expected, data)))
        self.check_no_damaged_files()
        self.check_settings_file(when)
        self.count("saves checked")

    def check_settings_file(self, when):
        """Settings.ini holds what Settings was last given; without one, nothing was changed."""
        data = self.read_file("Settings.ini")
        if data is None:
            held = (True, DEFAULT_SHORTCUT)
        else:
            lines = dict(l.split("=", 1) for l in data.decode("latin-1").split("\r\n") if "=" in l)
            held = (lines.get("MenuShortcutOn") == "yes", lines.get("MenuShortcut"))
        self.expect("Settings.ini %s holds the model's shortcut" % when,
                    (self.shortcut_on, self.shortcut), held)

    def check_no_damaged_files(self):
        damaged = [n for n in os.listdir(self.dir) if ".damaged" in n]
        if damaged:
            raise Failure("no configuration file was ever set aside as damaged: %s" % damaged)

    # ---- menus ----

    def drives(self):
        return sorted(set(self.prefix_drives) | set(self.mapped))

    def rows(self, menu):
        return model.rows_of(menu, self.tree, self.system_rows or "", self.drives())

    def menus_on_screen(self):
        text = self.sh.out("wt_menus")
        return [tuple(int(v) for v in line.split()) for line in text.splitlines() if line.strip()]

    def wait_menu_count(self, n, seconds=10):
        deadline = time.time() + seconds
        while True:
            menus = self.menus_on_screen()
            if len(menus) == n:
                if n == 0:
                    self.sh.run("wt_note_menus_gone")  # the next click on the icon waits
                return menus
            if time.time() > deadline:
                return None
            time.sleep(0.1)

    def open_root(self, button, menu, keyboard=False):
        """Opens the menu with a click, or with the notification the shell sends for the
        keyboard on the icon (at the icon, its first row lit)."""
        rows = self.rows(menu)
        for attempt in (1, 2):
            if keyboard:
                # A second Enter within half a second of a menu it closed is taken for an
                # echo: the notification is sent once more after that.
                self.sh.run('read -r _ l t _ <<<"$WT_ICON"; wt_wine_tool winmsg post %s %d '
                            '$(((t << 16) | l)) %d' % (self.main, TRAY_MESSAGE,
                                                       (1 << 16) | TRAY_KEYS[button]))
            else:
                self.sh.run("wt_click_icon %d" % button)
            rect = self.wait_new_menu(1)
            if rect or not (keyboard or self.find_closed_by_key):
                break
            self.log("no menu after Find closed by a key; once more")
            time.sleep(0.6)
        self.find_closed_by_key = False
        if not rect:
            self.sh.run("wt_park_mouse; wt_close_deep_menus")
            raise Failure("%s on the icon opens the menu" % (
                ("Enter" if button == 1 else "Shift+F10") if keyboard else
                ("a left click" if button == 1 else "a right click")))
        self.check_height(menu, rows, rect)
        self.stack = [Screen(menu, rows, rect, 1 if keyboard else None)]
        if keyboard:
            self.count("menus opened from the keyboard")

    def check_height(self, menu, rows, rect, alternatives=()):
        expected = self.geometry.height(rows)
        if rect[3] == expected:
            self.count("menus checked")
            return
        for other in alternatives:
            if rect[3] == self.geometry.height(self.rows(other)):
                raise Resync("a key was lost on its way: %s opened instead of %s" % (
                    other[0], menu[0]))
        raise Failure("the menu %s opens with the %d rows of the model (%d px high): it is %d px "
                      "high" % (self.menu_name(menu), len(rows), expected, rect[3]))

    def menu_name(self, menu):
        if menu[0] in ("entry", "actions"):
            return "%s of %s" % (menu[0], menu[1].describe())
        if menu[0] == "category":
            return model.CATEGORY_NAMES[menu[1]]
        return menu[0]

    def item_point(self, screen, n):
        left, top, width, _ = screen.rect
        return left + width // 2, top + self.geometry.centre(screen.rows, n)

    def menu_xwindow(self, screen):
        return self.sh.out("wt_menu_xwindow %d %d" % screen.rect[:2])

    def wait_new_menu(self, count):
        """Waits until `count` menus are open and the newest is mapped; raises it above Wine's
        tray window (a click there may raise the tray after the menu), and returns its
        rectangle, or None."""
        deadline = time.time() + 10
        known = [screen.rect for screen in self.stack[:count - 1]]
        while True:
            menus = self.wait_menu_count(count, max(0, deadline - time.time()))
            if not menus:
                return None
            # A submenu that opens over its parent is not always listed above it at first.
            new = [menu for menu in menus if menu not in known]
            if new:
                break
            if time.time() > deadline:
                return None
            time.sleep(0.05)
        window = self.sh.out("wt_menu_xwindow %d %d" % new[0][:2])
        if not window:
            return None
        time.sleep(0.1)
        xdotool("windowraise", window)
        return new[0]

    def keys(self, screen, *keys):
        window = self.menu_xwindow(screen)
        if window:
            xdotool("windowfocus", window, "key", "--delay", "80", *keys)

    def arrows_to(self, top, n, count):
        """Down or Up, as many as light the n-th of the menu's count items; with none lit,
        Down lights the first and Up the last."""
        if self.rng.random() < 0.5:
            return ["Down"] * (n if top.selected is None else (n - top.selected) % count)
        return ["Up"] * (count + 1 - n if top.selected is None else (top.selected - n) % count)

    def key_in_place(self):
        """Left or Esc closes the newest submenu and leaves its parent; a letter that by the
        model chooses no row (none starts with it, or several do, which Wine only beeps at)
        changes nothing."""
        top = self.stack[-1]
        items = model.items_of(top.rows)
        if len(self.stack) > 1 and self.rng.random() < 0.5:
            key = self.rng.choice(["Left", "Escape"])
            self.keys(top, key)
            if self.wait_menu_count(len(self.stack) - 1, 3) is None:
                raise Resync("%s closed no submenu" % key)
            self.stack.pop()
            self.count("submenus closed by keys")
        elif top.menu[0] != "system":  # the model names System Links by number
            key = self.rng.choice([k for k in string.ascii_lowercase + string.digits if
                                   (model.letter_answer(items, top.selected, k) or ("",))[0]
                                   != "choose"])
            self.keys(top, key)
            time.sleep(0.5)
            if len(self.menus_on_screen()) != len(self.stack):
                raise Failure("%r, which chooses no row of %s, leaves the menus as they are" % (
                    key, self.menu_name(top.menu)))
            self.count("letters that choose nothing")

    def descend(self, n, keyboard):
        """Opens the submenu of the n-th item of the newest menu."""
        top = self.stack[-1]
        items = model.items_of(top.rows)
        row = items[n - 1]
        assert row.kind == "sub"
        rows = self.rows(row.menu)
        depth = len(self.stack)
        if keyboard or top.selected == n:
            letter = model.letter_for(items, n)
            way = self.rng.choice(["letter", "Right", "Return"] if letter else ["Right", "Return"])
            if way == "letter":
                keys = [self.rng.choice([letter.lower(), letter.upper()])]
                self.count("letters")
            else:
                keys = self.arrows_to(top, n, len(items)) + [way]
            self.keys(top, *keys)
            selected = 1
        else:
            x, y = self.item_point(top, n)
            xdotool("mousemove", x, y)
            selected = None
        rect = self.wait_new_menu(depth + 1)
        if not rect:
            if keyboard:
                raise Resync("the submenu did not open from the keyboard")
            raise Failure("resting on %r opens its submenu" % row.label[:40])
        others = [r.menu for r in items if r.kind == "sub" and r is not row] if keyboard else []
        self.check_height(row.menu, rows, rect, others)
        top.selected = n
        self.stack.append(Screen(row.menu, rows, rect, selected))

    def close_menus(self, how):
        if how == "outside":
            xdotool("mousemove", *OUTSIDE, "click", "1")
        elif how == "escape":
            while self.stack:
                self.keys(self.stack[-1], "Escape")
                if self.wait_menu_count(len(self.stack) - 1, 3) is None:
                    break  # the key was lost: the Escapes below close what is left
                self.stack.pop()
        if self.wait_menu_count(0, 5) is None:
            self.sh.run("wt_close_deep_menus")
            if self.wait_menu_count(0, 5) is None:
                raise Failure("the menus close (%s)" % how)
        self.stack = []
        self.sh.run("wt_park_mouse")

    def click_item(self, n, keyboard=False):
        """Runs the n-th item of the newest menu: a click, or one key (lost, it runs nothing):
        its letter when that chooses it at once, Enter when it is lit."""
        top = self.stack[-1]
        # The model names System Links by number, not by their captions.
        letter = model.letter_for(model.items_of(top.rows), n) if top.menu[0] != "system" else None
        keys = ([letter] if letter else []) + (["Return"] if top.selected == n else [])
        if keyboard and keys:
            key = self.rng.choice(keys)
            self.keys(top, key)
            if self.wait_menu_count(0, 5) is not None:
                self.count("commands by Enter" if key == "Return" else "commands by letter")
                self.stack = []
                return
            self.keys_lost += 1
            self.log("resync: the key %r ran nothing" % key)
        x, y = self.item_point(self.stack[-1], n)
        xdotool("mousemove", x, y, "sleep", "0.3", "click", "1")
        if self.wait_menu_count(0, 10) is None:
            raise Failure("a click on a command closes the menus")
        self.stack = []

    def path_to(self, menu):
        """The root and the item numbers that lead from it to the menu."""
        chain = []
        while True:
            parent, n = self.parent_menu(menu)
            if parent is None:
                return menu, chain
            chain.insert(0, n)
            menu = parent

    def parent_menu(self, menu):
        kind = menu[0]
        if kind in ("main", "second"):
            return None, None
        if kind in ("category", "operations", "system", "disks"):
            parent = ("main",)
        elif kind == "actions":
            parent = ("entry", menu[1])
        else:  # an entry: its group, or its category
            group = self.tree.parent_of(menu[1])
            parent = ("entry", group) if group is not None else ("category", menu[1].kind)
        items = model.items_of(self.rows(parent))
        for n, row in enumerate(items, 1):
            if row.menu == menu:
                return parent, n
        raise AssertionError("no way to %s" % (menu,))

    def navigate(self, menu, keyboard_share):
        """Opens the menus down to the given one, each level by mouse or keyboard."""
        root, chain = self.path_to(menu)
        self.open_root(1 if root == ("main",) else 3, root,
                       self.rng.random() < keyboard_share / 2)
        for n in chain:
            self.descend(n, self.rng.random() < keyboard_share)

    def choose(self, menu, n, keyboard_share=0.3):
        """Opens the menus to the given one and clicks its n-th item."""
        try:
            self.navigate(menu, keyboard_share)
        except Resync as lost:
            self.keys_lost += 1
            self.log("resync: %s" % lost)
            self.close_menus("escape")
            self.navigate(menu, 0)  # once more, with the mouse only
        self.click_item(n, self.rng.random() < keyboard_share)

    def command_index(self, menu, what):
        for n, row in enumerate(model.items_of(self.rows(menu)), 1):
            if row.what == what:
                return n
        raise AssertionError("no command %s in %s" % (what, menu))

    def choose_command(self, menu, what, keyboard_share=0.3):
        self.choose(menu, self.command_index(menu, what), keyboard_share)

    # ---- windows of the program and of others ----

    def program_windows(self):
        lines = self.sh.out("wt_winlist --pid $WT_WINPID --visible").splitlines()
        windows = []
        for line in lines:
            f = line.split("\t")
            if len(f) < 11:
                continue
            windows.append({"hwnd": f[2], "parent": f[3], "left": int(f[5]), "top": int(f[6]),
                            "width": int(f[7]), "height": int(f[8]), "class": f[9],
                            "title": f[10]})
        return windows

    def top_windows(self):
        return [w for w in self.program_windows() if w["parent"] == "0"
                and w["class"] != "#32768" and w["width"] > 1]

    def wait_window(self, title, seconds=10):
        deadline = time.time() + seconds
        while time.time() < deadline:
            for w in self.top_windows():
                if w["title"] == title:
                    return w
            time.sleep(0.2)
        return None

    def wait_window_gone(self, title, seconds=10):
        deadline = time.time() + seconds
        while time.time() < deadline:
            if not any(w["title"] == title for w in self.top_windows()):
                return True
            time.sleep(0.2)
        return False

    def click_button(self, title, container=None):
        for w in self.program_windows():
            if w["class"] == "Button" and w["title"] == title:
                xdotool("mousemove", w["left"] + w["width"] // 2, w["top"] + w["height"] // 2,
                        "click", "1")
                return True
        return False

    def foreign_windows(self):
        """Visible top-level windows of other programs (not the tray, balloons or menus)."""
        lines = self.sh.out("wt_winlist --visible --top").splitlines()
        found = {}
        for line in lines:
            f = line.split("\t")
            if len(f) < 11 or f[0] == self.winpid or int(f[7]) <= 1:
                continue
            if f[9] in ("__winex11_standalone_tray", "tooltips_class32", "#32768",
                        "Shell_TrayWnd"):
                continue
            found[f[2]] = "%s %s %r" % (f[1], f[9], f[10])
        return found

    def close_foreign_windows(self, before, expect_one, seconds=20):
        """Closes what the last command opened (Explorer, Control Panel) as a user does."""
        deadline = time.time() + (seconds if expect_one else 2)
        new = {}
        while time.time() < deadline:
            new = {h: d for h, d in self.foreign_windows().items() if h not in before}
            if new:
                time.sleep(1)  # let it finish opening
                new = {h: d for h, d in self.foreign_windows().items() if h not in before}
                break
            time.sleep(0.3)
        if expect_one and not new:
            raise Failure("a window opens")
        for hwnd, what in new.items():
            self.log("closing %s" % what)
            self.sh.run("wt_wine_tool winmsg send %s %d" % (hwnd, WM_CLOSE), timeout=60)
        deadline = time.time() + 15
        while time.time() < deadline:
            left = {h: d for h, d in self.foreign_windows().items() if h in new}
            if not left:
                break
            time.sleep(0.5)
        else:
            raise Failure("the windows opened from the program close: %s" % left)
        self.check_alive("after another program's window closed")
        if not self.sh.ok("wt_poll 5 wt_icon_present $(wt_icon_hwnd)"):
            raise Failure("the tray icon stays when another program's window closes")
        return len(new)

    # ---- the recorders ----

    def records(self, name):
        path = os.path.join(self.dir, name)
        try:
            text = open(path, "rb").read().decode("latin-1").replace("\r", "")
        except OSError:
            return []
        out = []
        for block in text.split("--- launch\n")[1:]:
            if "\nend\n" not in block and not block.endswith("end\n"):
                continue
            fields = {}
            for line in block.splitlines():
                key, sep, value = line.partition("=")
                if sep:
                    fields.setdefault(key, value)
            out.append(fields)
        return out

    def wait_record(self, name, seen, seconds=20):
        deadline = time.time() + seconds
        while time.time() < deadline:
            found = self.records(name)
            if len(found) > seen:
                return found
            time.sleep(0.2)
        return self.records(name)

    # ---- start-up of the soak ----

    def forget_stale_letters(self):
        """Letters that a killed helper left defined (a run cut short) are taken away, so that
        Disk Drives starts from the prefix's own drives."""
        own = set(self.own_letters())
        for _ in range(5):
            text = self.sh.out("wt_wine_tool definedrive --drives")
            stale = "".join(c for c in text.partition("=")[2] if c not in own)
            if not stale:
                return
            self.log("taking away letters left defined: %s" % stale, loud=True)
            self.sh.run("wt_wine_tool definedrive --forget %s" % stale)

    def own_letters(self):
        """The prefix's own letters: Wine's drives are the links in dosdevices."""
        links = os.listdir(os.path.join(os.environ["WINEPREFIX"], "dosdevices"))
        return sorted(n[0].upper() for n in links if re.fullmatch(r"[a-z]:", n))

    def prepare(self):
        self.forget_stale_letters()
        os.makedirs(os.path.join(self.dir, "tools"), exist_ok=True)
        os.makedirs(os.path.join(self.dir, "work"), exist_ok=True)
        recorder = os.path.join(self.args.tools, "recorder.exe")
        data = open(recorder, "rb").read()
        for name in ["tools/recorder.exe"] + [b + ".exe" for b in model.BROWSERS]:
            open(os.path.join(self.dir, name), "wb").write(data)
        for name in ("records.txt", "browser.txt"):
            if os.path.exists(os.path.join(self.dir, name)):
                os.remove(os.path.join(self.dir, name))
        self.prepare_dead_share()
        self.prepare_imports()
        # The model holds what the file holds: texts cut as the file cuts them.
        self.tree = model.decode(self.initial_tree().encode())
        self.user_size = len(self.user_entries(100))
        data = self.tree.encode()
        for name in ("Config.dat", "Config2.dat"):
            open(os.path.join(self.dir, name), "wb").write(data)
        self.log("initial tree: %d entries, %d bytes" % (self.tree.count(), len(data)))

    def initial_tree(self):
        tree = model.Tree()
        for kind in model.FILE_ORDER:
            for _ in range(self.rng.randint(1, 3)):
                self.add_random(tree, kind, tree.categories[kind], depth=0)
        tree.categories[NET].append(model.bulk_group(self.args.bulk_fanout, self.args.bulk_items))
        dead = model.Entry(FILES, DEAD_SHARE, GROUP)
        dead.children = [model.Entry(FILES, name.split(".")[0], ITEM,
                                     DEAD_SHARE_WIN + "\\" + name) for name in DEAD_SHARE_FILES]
        tree.categories[FILES].append(dead)
        return tree

    def prepare_imports(self):
        folder = os.path.join(self.dir, "import", IMPORT_FOLDER)
        os.makedirs(os.path.join(folder, "Docs"), exist_ok=True)
        open(os.path.join(self.dir, "work", "notes.txt"), "w").write("notes\n")
        with open(os.path.join(folder, "Soak site.url"), "w", newline="") as f:
            f.write("[InternetShortcut]\r\nURL=%s\r\n" % IMPORTED_SITE)
        open(os.path.join(self.dir, "import", "bookmarks.html"), "w").write(BOOKMARKS)
        links = IMPORT_DIR_WIN + "\\" + IMPORT_FOLDER
        for args in ((links + "\\Recorder.lnk", RECORDER_WIN, IMPORT_PARAMS, WORK_DIR_WIN),
                     (links + "\\Docs\\Notes.lnk", IMPORTED_NOTES)):
            if not self.sh.ok("wt_wine_tool makelink %s >/dev/null" % " ".join(map(q, args))):
                raise Failure("makelink saves the shell links the soak imports")

    def prepare_dead_share(self):
        """Its files, and the handler that keeps the reads of their pictures (in the program's
        32-bit view of the registry, where Wine's shell looks for handlers)."""
        folder = os.path.join(self.dir, "deadshare")
        os.makedirs(folder, exist_ok=True)
        for name in DEAD_SHARE_FILES:
            open(os.path.join(folder, name), "w").write("never read\n")
        handler = os.path.join(self.dir, "tools", "hunghandler.dll")
        open(handler, "wb").write(open(os.path.join(self.args.tools, "hunghandler.dll"), "rb").read())
        self.stuck_marker = handler + ".stuck"
        if os.path.exists(self.stuck_marker):
            os.remove(self.stuck_marker)
        server = "HKLM\\Software\\Classes\\CLSID\\%s\\InprocServer32" % HUNG_HANDLER_CLASS
        # Apartment: the handler is made on the reading thread, not marshalled to the first one.
        for key, value in (
                ("HKLM\\Software\\Classes\\.vantrelhung\\ShellEx\\" + IEXTRACTICONW,
                 "/ve /d " + q(HUNG_HANDLER_CLASS)),
                (server, "/ve /d " + q(SOAK_DIR_WIN + "\\tools\\hunghandler.dll")),
                (server, "/v ThreadingModel /d Apartment")):
            if not self.sh.ok("wine reg add %s %s /f /reg:32 >/dev/null 2>&1" % (q(key), value)):
                raise Failure("the share that never answers is set up (%s)" % key)

    def in_dead_share(self, entry):
        top = self.tree.path_of(entry)[0]
        return top.kind == FILES and top.is_group and top.title == DEAD_SHARE

    def add_random(self, tree, kind, siblings, depth):
        if depth < 2 and self.rng.random() < 0.4:
            group = model.Entry(kind, self.title() or "Untitled", GROUP)
            siblings.append(group)
            for _ in range(self.rng.randint(0, 3)):
                self.add_random(tree, kind, group.children, depth + 1)
        else:
            f = self.item_fields(kind)
            # As the edit boxes would have cut them.
            siblings.append(model.Entry(kind, f["title"][:model.TITLE_LIMIT], f["etype"],
                                        f.get("target", "")[:model.TEXT_LIMIT],
                                        f.get("params", "")[:model.TEXT_LIMIT],
                                        f.get("workdir", "")[:model.TEXT_LIMIT],
                                        f.get("admin", 0)))

    def measure_geometry(self):
        """Row heights and the menu frame, from the main menu read off the screen once."""
        self.sh.run("wt_click_icon 1")
        menu = self.sh.out("wt_wait_menus 1")
        if not menu:
            raise Failure("a left click opens the main menu")
        rows = self.sh.out("wt_menu_rows %s soak-main" % q(menu))
        self.expect("the main menu's rows", "I-IIIIIIII", rows)
        tops = [int(self.sh.out("wt_item_band %s soak-main %d" % (q(menu), n)).split()[0])
                for n in (1, 2, 3)]
        height = int(menu.split()[3])
        item = tops[2] - tops[1]
        sep = tops[1] - tops[0] - item
        frame = (height - 9 * item - sep) // 2
        self.geometry = model.Geometry(item, sep, frame)
        self.log("menu geometry: item %d px, separator %d px, frame %d px" % (item, sep, frame))
        self.sh.run("wt_close_deep_menus")
        # System Links as this prefix offers them; Disk Drives as the prefix has them.
        self.sh.run("wt_click_icon 1")
        main = tuple(int(v) for v in self.sh.out("wt_wait_menus 1").split())
        self.stack = [Screen(("main",), self.rows(("main",)), main)]
        for name, n in (("system", 8), ("disks", 9)):
            x, y = self.item_point(self.stack[0], n)
            xdotool("mousemove", x, y)
            sub = self.sh.out("wt_wait_menus 2 %s" % q("%d %d %d %d" % main))
            word = self.sh.out("wt_menu_rows %s soak-%s" % (q(sub), name))
            if name == "system":
                self.system_rows = word
            else:
                self.prefix_drives = self.read_prefix_drives(word)
            self.log("%s rows: %s" % (name, word))
        self.sh.run("wt_close_deep_menus")
        self.stack = []
        self.check_handles()

    def read_prefix_drives(self, word):
        letters = self.own_letters()
        self.expect("Disk Drives lists the prefix's drives %s" % letters, "I" * len(letters), word)
        return letters

    # ---- texts, valid and hostile ----

    def title(self):
        r = self.rng.random()
        word = self.rng.choice(WORDS)
        if r < 0.55:
            return "%s %d" % (word, self.rng.randint(1, 999))
        if r < 0.65:
            return self.rng.choice(["%s & Co", "&%s", "%s && more", "%s&", "a&b %s"]) % word
        if r < 0.72:
            return self.rng.choice(['"%s"', "it's %s", 'say "%s" now', "'%s"]) % word
        if r < 0.80:
            return " " * self.rng.randint(1, 4) + word
        if r < 0.92:
            return self.random_text(self.rng.choice([99, 100, 101, 130]))
        if r < 0.96:
            return "   "
        return ""

    def random_text(self, length):
        return "".join(self.rng.choice(SAFE_CHARS) for _ in range(length))

    def hostile_params(self):
        return self.rng.choice([
            "", "one two", '"two words" three', 'say "hi" & go', "x & y && z", "'single' quotes",
            'unclosed "quote', 'back\\"slash', "   leading blanks", "%SystemDrive% %PATH%",
            self.random_text(self.rng.choice([40, 200, 260, 261, 300]))])

    def item_fields(self, kind):
        """Fields of a new item: most can be started and checked, some only copied."""
        f = {"title": self.title() or "Untitled", "etype": ITEM}
        r = self.rng.random()
        if kind == RUN:
            if r < 0.75:
                f["target"] = (RECORDER_WIN + " " * self.rng.randint(1, 3) +
                               self.hostile_params()).rstrip(" ") if self.rng.random() < 0.8 \
                    else RECORDER_WIN
            elif r < 0.85:
                f["target"] = "  " + RECORDER_WIN + " leading"
            else:
                f["target"] = self.random_text(self.rng.choice([80, 259, 260, 261, 300]))
            f["admin"] = int(self.rng.random() < 0.3)
        elif kind == APPS:
            f["target"] = self.rng.choice([RECORDER_WIN, "%SystemDrive%\\soak\\tools\\recorder.exe"])
            f["params"] = self.hostile_params()
            f["workdir"] = self.rng.choice([WORK_DIR_WIN, "", SOAK_DIR_WIN])
            f["admin"] = int(self.rng.random() < 0.3)
        elif kind == NET:
            f["target"] = RECORDER_WIN if r < 0.5 else "\\\\fileserver\\share %d" % (
                self.rng.randint(1, 99))
        elif kind == WEB:
            f["target"] = ("http://soak.example/page%d.html" % self.rng.randint(1, 999)
                           if r < 0.8 else 'http://soak.example/?q="a b"&x=1')
        else:
            if r < 0.5:
                f["target"] = RECORDER_WIN
            else:
                f["etype"] = FOLDER
                f["target"] = WORK_DIR_WIN + "\\"
        return f  # texts may run past what the edit boxes take

    # ---- choosing what to do ----

    def is_bulk(self, entry):
        return entry.kind == NET and entry.is_group and entry.title == "Bulk" and \
            entry in self.tree.categories[NET]

    def entries(self, bulk=False, deepest=4):
        """The entries at most `deepest` levels down (so that their menus fit on the screen),
        the bulk group's only when asked for."""
        def visit(entries, depth):
            for entry in entries:
                if self.is_bulk(entry) and not bulk:
                    continue
                yield entry
                if depth + 1 < deepest:
                    yield from visit(entry.children, depth + 1)
        for kind in model.FILE_ORDER:
            yield from visit(self.tree.categories[kind], 0)

    def user_entries(self, deepest=4):
        return list(self.entries(False, deepest))

    def in_bulk(self, entry):
        return self.is_bulk(self.tree.path_of(entry)[0])

    def is_bulk_menu(self, menu):
        """The bulk group's menu: every entry of it visited keeps its command submenus made,
        so the walks stay out of it but for a rare visit, and memory can settle."""
        return menu[0] == "entry" and self.is_bulk(menu[1])

    def any_entry(self):
        """An entry to edit, delete or move; never the share that never answers, which stays
        in every run."""
        pool = [e for e in self.entries(self.rng.random() < 0.05) if not self.in_dead_share(e)]
        return self.rng.choice(pool) if pool else None

    def actions(self):
        # The tree keeps about its first size: memory then settles once everything is made.
        grown = len(self.user_entries(100)) - self.user_size
        restarts = self.args.restarts * (2.5 if self.restart_phase() else 0)
        return [
            (20, self.act_walk),
            (8 if grown < 0 else 3, self.act_add),
            (7, self.act_edit),
            (8 if grown > 0 else 3, self.act_delete),
            (5, self.act_move),
            (9, self.act_open),
            (4, self.act_copy),
            (5, self.act_disk_drives),
            (2, self.act_system_link),
            (3, self.act_operation),
            (1, self.act_monitor_sleep_with_hung_window),
            (2, self.act_about),
            (1, self.act_home_page),
            (2, self.act_startup_switch),
            (2, self.act_tray_restart),
            (3, self.act_shortcut),
            (2, self.act_settings),
            (1, self.act_import),
            (1, self.act_export),
            (3, self.act_find),
            # Each of these ends the program and starts it again: rare enough that a run of
            # the program lasts minutes, long enough to see its memory grow.
            (0.5 * restarts, self.act_close_at_random),
            (0.25 * restarts, self.act_exit),
            (0.5 * restarts, self.act_kill),
            (0.25 * restarts, self.act_end_session),
        ]

    def restart_phase(self):
        """The program is ended and started again in the first 40% of the soak; the rest is
        one long run of it, whose memory is measured."""
        return time.time() < self.soak_started + 0.4 * (self.deadline - self.soak_started)

    def pick(self):
        choices = self.actions()
        if self.args.only:
            # Only the kinds named (and walks): to look at one behaviour closely.
            wanted = self.args.only.split(",")
            choices = [(w or 1, a) for w, a in choices
                       if a == self.act_walk or any(n in a.__name__ for n in wanted)]
        total = sum(w for w, _ in choices)
        r = self.rng.uniform(0, total)
        for weight, action in choices:
            r -= weight
            if r <= 0:
                return action
        return choices[-1][1]

    # ---- actions ----

    def act_walk(self):
        """A walk that runs no command: deeper at random, then Escape or a click outside."""
        second = self.rng.random() < 0.15
        keyboard_share = self.rng.choice([0, 0.5, 1])
        self.open_root(3 if second else 1, ("second",) if second else ("main",),
                       self.rng.random() < keyboard_share / 2)
        try:
            while self.rng.random() < 0.8 and len(self.stack) < 6:
                if self.rng.random() < keyboard_share / 4:
                    self.key_in_place()
                    continue
                items = model.items_of(self.stack[-1].rows)
                subs = [n for n, r in enumerate(items, 1) if r.kind == "sub" and
                        (not self.is_bulk_menu(r.menu) or self.rng.random() < 0.03)]
                if not subs:
                    break
                self.descend(self.rng.choice(subs), self.rng.random() < keyboard_share)
            self.log("walk to depth %d (%s) through %s" % (
                len(self.stack), "keys %.0f%%" % (100 * keyboard_share),
                " > ".join(self.menu_name(s.menu) for s in self.stack)))
            end = self.rng.choice(["escape", "escape", "outside"])
        except Resync as lost:
            self.keys_lost += 1
            self.log("resync: %s" % lost)
            end = "escape"
        self.close_menus(end)
        self.count("walks")

    def act_add(self):
        kind = self.rng.choice(model.MENU_ORDER)
        groups = [e for e in self.user_entries(3) if e.is_group and e.kind == kind]
        if groups and self.rng.random() < 0.5:
            group = self.rng.choice(groups)
            menu, what = ("actions", group), ("add", group, kind)
        else:
            group = None
            menu, what = ("category", kind), ("add", None, kind)
        self.log("add in %s" % (group.describe() if group else model.CATEGORY_NAMES[kind]))
        self.choose_command(menu, what)
        siblings = group.children if group else self.tree.categories[kind]
        self.run_dialog(kind, None, siblings)

    def act_edit(self):
        entry = self.any_entry()
        if entry is None:
            return self.act_walk()
        self.log("edit %s" % entry.describe())
        self.choose_command(("actions", entry), ("edit", entry))
        self.run_dialog(entry.kind, entry, None)

    def act_delete(self):
        entry = self.any_entry()
        if entry is None or (self.in_bulk(entry) and entry.is_group):
            return self.act_walk()
        self.log("delete %s" % entry.describe())
        self.choose_command(("actions", entry), ("delete", entry))
        if entry.etype == GROUP:
            yes = self.rng.random() < 0.7
            self.answer_question("Are you sure you want to delete this group?", yes)
            if not yes:
                return
        self.tree.container_of(entry).remove(entry)
        self.count("deletes")

    def act_move(self):
        entry = self.any_entry()
        if entry is None:
            return self.act_walk()
        up = self.rng.random() < 0.5
        self.log("move %s %s" % (entry.describe(), "up" if up else "down"))
        self.choose_command(("actions", entry), ("up" if up else "down", entry))
        siblings = self.tree.container_of(entry)
        i = siblings.index(entry)
        j = i - 1 if up else i + 1
        if 0 <= j < len(siblings):
            siblings[i], siblings[j] = siblings[j], siblings[i]
        self.count("moves")

    def answer_question(self, text, yes):
        """Answers the program's Yes/No box with the mouse: a key that closes a box is held
        down by Wine for whatever comes next."""
        box = self.wait_window("Confirm") or self.wait_window("Vantrel")
        if box is None:
            raise Failure("the question %r is asked" % text)
        if not any(w["title"].startswith(text[:30]) for w in self.program_windows()):
            raise Failure("the box asks %r" % text)
        for _ in range(3):
            self.click_button("&Yes" if yes else "&No")
            if self.wait_window_gone(box["title"], 3):
                return
        raise Failure("%s closes the question" % ("Yes" if yes else "No"))

    # ---- the editors ----

    def dialog_controls(self, kind):
        title = DIALOG_TITLES[kind]
        windows = self.program_windows()
        dialog = next((w for w in windows if w["parent"] == "0" and w["title"] == title), None)
        if dialog is None:
            raise Failure("the dialog %r is open" % title)
        edits = sorted((w for w in windows if w["class"] == "Edit"), key=lambda w: w["top"])
        buttons = {w["title"]: w for w in windows if w["class"] == "Button"}
        return dialog, edits, buttons

    def read_text(self, edit):
        status, text = self.sh.run("wt_wine_tool winmsg text %s" % edit["hwnd"])
        if status != 0:
            raise Failure("an edit box of the dialog answers WM_GETTEXT")
        return text

    def checked(self, button):
        return self.sh.out("wt_wine_tool winmsg send %s %d" % (button["hwnd"], BM_GETCHECK)) == "1"

    def click(self, window):
        xdotool("mousemove", window["left"] + window["width"] // 2,
                window["top"] + window["height"] // 2, "click", "1")

    def release_keys(self, *keys):
        """Wine holds down a key whose release reached none of its windows (tests/wine/README.md):
        each is pressed alone in the tray's window, between Escapes that end the menu mode an
        Alt alone starts there."""
        xdotool("search", "--onlyvisible", "--name", "^Wine System Tray$", "windowfocus",
                "--sync", "key", "Escape", *keys, "Escape")

    def type_into(self, xwindow, edit, text, limit):
        expected = text[:limit]
        for attempt in range(3):
            self.click(edit)
            xdotool("windowfocus", xwindow, "key", "--delay", "30", "End", "shift+Home",
                    "BackSpace")
            if text:
                xdotool("type", "--delay", "12", "--", text)
            got = self.read_text(edit)
            if got == expected:
                return got
            self.log("edit box holds %r, not %r; typing again" % (got[:50], expected[:50]))
            if not got and attempt == 0:
                self.release_keys("super", "alt", "ctrl", "shift")
        self.keys_lost += 1
        return got

    def run_dialog(self, kind, editing, siblings):
        title = DIALOG_TITLES[kind]
        xwindow = self.sh.out("timeout 10 xdotool search --sync --onlyvisible --name %s | head -n1"
                              % q("^" + re.escape(title) + "$"))
        if not xwindow:
            raise Failure("the command opens the dialog %r" % title)
        time.sleep(0.3)
        dialog, edits, buttons = self.dialog_controls(kind)
        modes = DIALOG_MODES[kind]
        if editing is not None:
            mode = self.edit_mode(kind, editing)
            self.check_prefilled(kind, mode, editing, edits, buttons)
        else:
            mode = ADD_MODE[kind]
            for field in modes[mode][2].values():
                self.expect("a new entry's dialog starts empty", "", self.read_text(edits[field]))
        if editing is None and self.rng.random() < 0.4:
            mode = self.rng.randrange(len(modes))
            self.click(buttons[modes[mode][0]])
        elif editing is not None and self.rng.random() < 0.2:
            # Another mode's radio button is disabled while editing: a click changes nothing.
            other = self.rng.choice([m for m in range(len(modes)) if m != mode])
            self.click(buttons[modes[other][0]])
        fields = self.fill_fields(kind, mode, editing, xwindow, edits)
        if modes[mode][3] and self.rng.random() < 0.3:
            self.click(buttons["Run as administrator"])
        if self.rng.random() < 0.1 and editing is None:
            # Typed into one mode, then another chosen: only the checked mode counts.
            mode = self.rng.randrange(len(modes))
            self.click(buttons[modes[mode][0]])
        if self.restart_phase() and self.rng.random() < 0.1 * self.args.restarts:
            self.log("WM_CLOSE with the dialog open")
            return self.close_program("with a dialog open")
        # What the dialog holds when the button is pressed is what the program reads.
        checked = [m for m in range(len(modes)) if self.checked(buttons[modes[m][0]])]
        if len(checked) != 1:
            raise Failure("exactly one mode of the dialog is checked: %s" % checked)
        mode = checked[0]
        held = {name: self.read_text(edits[i]) for name, i in modes[mode][2].items()}
        admin = modes[mode][3] and self.checked(buttons["Run as administrator"])
        # Enter presses OK from wherever the focus is (an edit box, a radio button, the check
        # box: the dialog has no other button it could be on), Esc Cancel.
        end = self.rng.choices(["ok", "enter", "cancel", "escape", "close"], [60, 20, 8, 4, 8])[0]
        valid = held["title"] != "" and (modes[mode][1] == GROUP or held["target"] != "")
        self.log("dialog %s: mode %r, %s, admin %d -> %s" % (
            "edit" if editing else "add", modes[mode][0],
            ", ".join("%s=%r" % (k, v[:40] + ("..." if len(v) > 40 else ""))
                      for k, v in held.items()), admin, end))
        if end in ("ok", "enter"):
            if end == "ok":
                self.click(buttons["Ok"])
            else:
                xdotool("windowfocus", xwindow, "key", "Return")
            closed = self.wait_window_gone(title, 3 if valid else 1.5)
            if closed != valid:
                raise Failure("%s %s the dialog when the %s" % (
                    "Ok" if end == "ok" else "Enter", "closes" if valid else "leaves open",
                    "required fields hold text" if valid else "title or the target is empty"))
            if not valid:
                self.count("refused Ok")
                end = self.rng.choice(["cancel", "escape", "close"])
        if end == "cancel":
            self.click(buttons["Cancel"])
        elif end == "escape":
            xdotool("windowfocus", xwindow, "key", "Escape")
        elif end == "close":
            self.sh.run("wt_wine_tool winmsg send %s %d" % (dialog["hwnd"], WM_CLOSE))
        if end not in ("ok", "enter") and not self.wait_window_gone(title, 5):
            raise Failure("%s closes the dialog" % end)
        if end in ("ok", "enter"):
            self.apply_dialog(kind, modes[mode], held, int(admin), editing, siblings)
        self.count("dialogs")

    def edit_mode(self, kind, entry):
        modes = DIALOG_MODES[kind]
        as_group = entry.etype == GROUP if kind == FILES else entry.is_group
        if as_group:
            return len(modes) - 1
        for m, mode in enumerate(modes[:-1]):
            if mode[1] == entry.etype:
                return m
        return len(modes) - 2

    def check_prefilled(self, kind, mode, entry, edits, buttons):
        modes = DIALOG_MODES[kind]
        if not self.checked(buttons[modes[mode][0]]):
            raise Failure("the edit dialog of %s opens in its mode" % entry.describe())
        values = {"title": entry.title, "target": entry.target, "params": entry.params,
                  "workdir": entry.workdir}
        for name, i in modes[mode][2].items():
            self.expect("the edit dialog shows the %s of %s" % (name, entry.describe()),
                        values[name], self.read_text(edits[i]))
        if modes[mode][3]:
            self.expect("the edit dialog shows Run as administrator of %s" % entry.describe(),
                        bool(entry.admin), self.checked(buttons["Run as administrator"]))

    def fill_fields(self, kind, mode, editing, xwindow, edits):
        fields = self.item_fields(kind)
        if DIALOG_MODES[kind][mode][1] == GROUP:
            fields = {"title": self.title()}
        for name, i in DIALOG_MODES[kind][mode][2].items():
            if editing is not None and self.rng.random() < 0.5:
                continue  # left as it was
            text = fields.get(name, "")
            if editing is None and text == "" and name != "title":
                continue
            limit = model.TITLE_LIMIT if name == "title" else model.TEXT_LIMIT
            self.type_into(xwindow, edits[i], text, limit)
        return fields

    def apply_dialog(self, kind, mode, held, admin, editing, siblings):
        radio, etype, fields, has_admin = mode
        if editing is None:
            if etype == GROUP:
                entry = model.Entry(kind, held["title"], GROUP)
            else:
                entry = model.Entry(kind, held["title"], etype, held["target"],
                                    held.get("params", ""), held.get("workdir", ""),
                                    admin if has_admin else 0)
            siblings.append(entry)
            self.count("adds")
            return
        if etype == GROUP:
            editing.title = held["title"]
        else:
            editing.title = held["title"]
            editing.target = held["target"]
            if "params" in fields:
                editing.params = held["params"]
            if "workdir" in fields:
                editing.workdir = held["workdir"]
            if has_admin:
                editing.admin = admin
        self.count("edits")

    # ---- opening and copying ----

    def launch_plan(self, entry, browser=None):
        """What opening the entry must do: ("record", parameters, folder, argc or None),
        ("browser", url), ("explorer",) or None when it is not one the soak starts."""
        if entry.is_group:
            return None
        if browser:
            if entry.target.startswith("http://soak.example/page"):
                return ("record", entry.target, SOAK_DIR_WIN, 2, browser + ".exe")
            return None
        if entry.kind == RUN:
            program, params = model.split_command_line(entry.target)
            if program == RECORDER_WIN:
                return ("record", params, SOAK_DIR_WIN, None, "recorder.exe")
            return None
        if entry.kind == APPS:
            if entry.target in (RECORDER_WIN, "%SystemDrive%\\soak\\tools\\recorder.exe"):
                return ("record", entry.params, entry.workdir or SOAK_DIR_WIN, None,
                        "recorder.exe")
            return None
        if entry.kind in (NET, FILES) and entry.target == RECORDER_WIN:
            return ("record", "", SOAK_DIR_WIN, 1, "recorder.exe")
        if entry.kind == FILES and entry.etype == FOLDER and entry.target.startswith(WORK_DIR_WIN):
            return ("explorer",)
        if entry.kind == WEB and entry.target.startswith("http://soak.example/page"):
            return ("browser", entry.target)
        return None

    def act_open(self):
        candidates = [e for e in self.user_entries() if self.launch_plan(e)]
        if not candidates:
            return self.act_walk()
        entry = self.rng.choice(candidates)
        browser = None
        if entry.kind == WEB and self.rng.random() < 0.5:
            browser = self.rng.choice(model.BROWSERS)
            if not self.launch_plan(entry, browser):
                browser = None
        plan = self.launch_plan(entry, browser)
        self.log("open %s%s" % (entry.describe(), " with " + browser if browser else ""))
        before_windows = self.foreign_windows() if plan[0] == "explorer" else {}
        seen = len(self.records("records.txt"))
        browsed = len(self.records("browser.txt"))
        if browser:
            self.choose_command(("entry", entry), ("browser", entry, browser))
        else:
            self.choose_command(("entry", entry), ("open", entry))
        if plan[0] == "record":
            self.check_record(entry, plan, seen)
        elif plan[0] == "browser":
            found = self.wait_record("browser.txt", browsed)
            if len(found) <= browsed:
                raise Failure("Open Link on %s starts the browser" % entry.describe())
            self.expect("the browser gets the link", entry.target, found[-1].get("url"))
        else:
            self.close_foreign_windows(before_windows, True)
        self.count("opens")

    def check_record(self, entry, plan, seen):
        _, params, folder, argc, program = plan
        found = self.wait_record("records.txt", seen)
        if len(found) <= seen:
            raise Failure("opening %s starts the recorder" % entry.describe())
        record = found[-1]
        what = "opening %s" % entry.describe()
        # Only the soak's recorders write records; argv[0] tells which copy ran ("chrome" for
        # the copy named chrome.exe, found by name).
        started = record.get("argv[0]", "").strip('"').lower().split("\\")[-1]
        if started not in (program, program[:-len(".exe")]):
            raise Failure("%s starts %s: %r" % (what, program, record.get("argv[0]")))
        if params and not record.get("commandline", "").endswith(" " + params):
            raise Failure("%s passes its parameters unchanged: %r does not end in %r" % (
                what, record.get("commandline"), " " + params))
        if argc is not None:
            self.expect("%s: the number of arguments" % what, str(argc), record.get("argc"))
        self.expect("%s: the folder it runs in" % what, folder.lower(),
                    record.get("cwd", "").lower().rstrip("\\"))
        self.sh.run("wt_poll 10 no_recorder_running")

    def act_copy(self):
        candidates = [e for e in self.user_entries() if not e.is_group]
        if not candidates:
            return self.act_walk()
        entry = self.rng.choice(candidates)
        self.log("copy link of %s" % entry.describe())
        self.choose_command(("entry", entry), ("copy", entry))
        expected = model.link_text(entry)
        deadline = time.time() + 5
        while True:
            text = self.sh.out("wt_wine_tool clipread")
            got = next((line[5:] for line in text.splitlines() if line.startswith("text=")), None)
            if got == expected or time.time() > deadline:
                break
            time.sleep(0.3)
        self.expect("Copy Link on %s leaves its link as text" % entry.describe(), expected, got)
        self.count("copies")

    # ---- Find ----

    def find_query(self):
        """Letters of a caption (now and then of a target): a word's start, or a word and the
        start of another, in any case."""
        entry = self.rng.choice([e for e in self.entries(self.rng.random() < 0.2)
                                 if not e.is_group] or [None])
        if entry is None:
            return self.rng.choice(WORDS)[:3]
        source = entry.target if self.rng.random() < 0.15 else entry.title
        words = re.findall(r"[A-Za-z0-9]+", source) or [self.rng.choice(WORDS)]
        picked = [w[:self.rng.randint(1, len(w))] for w in self.rng.sample(
            words, min(len(words), self.rng.choice([1, 1, 2])))]
        text = " ".join(picked)
        return text.lower() if self.rng.random() < 0.5 else text

    def check_find_rows(self, text):
        """The window's rows are those the model finds, in its order."""
        expected = model.find_rows(self.tree, text)
        deadline = time.time() + 5
        while True:
            shown = self.sh.out("wt_find_rows").split("\n")
            shown = [row for row in shown if row or len(shown) > 1]
            if shown == expected or time.time() > deadline:
                break
            time.sleep(0.2)
        if shown != expected:
            first = next((i for i, (a, b) in enumerate(zip(expected, shown)) if a != b),
                         min(len(expected), len(shown)))
            raise Failure("Find shows for %r the %d rows of the model (it shows %d); row %d: "
                          "expected %r, got %r" % (text, len(expected), len(shown), first + 1,
                                                   expected[first:first + 1], shown[first:first + 1]))
        self.count("find rows checked")

    def find_type(self, window, text, before):
        """Types into Find, whose box held `before`; what it holds then. Keys typed while the
        X focus is still on its way to the window are lost: then they are typed once more."""
        xdotool("windowfocus", "--sync", window, "type", "--delay", 40, text)
        held = self.find_text(before + text)
        if held == before:
            xdotool("windowfocus", "--sync", window, "type", "--delay", 40, text)
            held = self.find_text(before + text)
        return held

    def find_text(self, typed):
        """What Find's text box holds once the keys typed have arrived. X loses a key now and
        then on its way into Wine: the rows are then checked for the text that did arrive."""
        edit = self.sh.out("wt_winlist --pid $WT_WINPID --visible --class Edit | cut -f3 | "
                           "head -n1")
        deadline = time.time() + 3
        while True:
            held = self.sh.out("wt_wine_tool winmsg text %s" % edit)
            if held == typed or time.time() > deadline:
                break
            time.sleep(0.2)
        if held != typed:
            self.keys_lost += 1
            self.log("keys lost: typed %r, Find holds %r" % (typed, held))
        return held

    def act_find(self):
        """Find, opened by its shortcut: a query made of a caption's letters, its
        rows checked against the model's order, an edit and its rows again; then Enter on the
        first row (checked as the launch it makes) or Escape twice."""
        # By its shortcut: opened by its row from a menu closed with the mouse, Find now and then
        # gets no keys at all under Wine, clicked or not (the tests of the row type after the
        # menu's letter instead).
        opened = None
        # Wine loses a press now and then (tests/wine/README.md): one that opened nothing is
        # made again. The letter goes alone first, as wt_shortcut does.
        for press in (1, 2):
            xdotool("search", "--onlyvisible", "--name", "^Wine System Tray$", "windowfocus",
                    "--sync", "key", "f", "super+alt+f")
            opened = self.wait_window(FIND_TITLE, 5 * press)
            if opened:
                break
            self.log("Win+Alt+F opened nothing (press %d)" % press)
        if opened is None:
            raise Failure("Win+Alt+F opens the Find window")
        window = self.sh.out("xdotool search --name %s | head -n1" % q("^%s$" % FIND_TITLE))
        xdotool("windowfocus", "--sync", window, "key", "ctrl")
        text = self.find_query()
        self.log("find %r" % text)
        text = self.find_type(window, text, "")
        self.check_find_rows(text)
        if self.rng.random() < 0.5:
            cut = self.rng.randint(0, len(text))
            more = self.find_query()
            if cut:
                xdotool("windowfocus", "--sync", window, "key", *(["BackSpace"] * cut))
            text = self.find_type(window, more, self.find_text(text[:len(text) - cut]))
            self.log("find edited to %r" % text)
            self.check_find_rows(text)
        found = model.find_entries(self.tree, text)
        plan = self.launch_plan(found[0]) if found else None
        enter = plan is not None and plan[0] == "record" and \
            not self.in_dead_share(found[0]) and self.rng.random() < 0.6
        if enter:
            self.log("find: Enter opens %s" % found[0].describe())
            seen = len(self.records("records.txt"))
            xdotool("windowfocus", window, "key", "Return")
            self.check_record(found[0], plan, seen)
            self.count("finds opened")
        else:
            xdotool("windowfocus", "--sync", window, "key", "Escape")
            if text and self.find_text("") != "":
                raise Failure("Escape clears Find's text")
            if self.wait_window(FIND_TITLE, 1) is None:
                raise Failure("Escape with text in Find leaves the window open")
            for press in (1, 2, 3):  # a press lost on its way is made again
                xdotool("windowfocus", "--sync", window, "key", "Escape")
                if self.wait_window_gone(FIND_TITLE, 3):
                    break
                self.keys_lost += 1
                self.log("Escape left Find open (press %d)" % press)
        if not self.wait_window_gone(FIND_TITLE):
            raise Failure("Find closes after %s" % ("Enter" if enter else "a second Escape"))
        # Wine never saw the release of the key that closed Find.
        self.release_keys("Return" if enter else "Escape")
        self.find_closed_by_key = True
        if not self.find_made:
            # The window and what it draws with are made at its first opening and kept.
            self.find_made, self.baseline = True, None
        self.count("finds")

    # ---- System Links, Disk Drives, operations ----

    def act_system_link(self):
        n = self.rng.randint(1, self.system_rows.count("I"))
        self.log("System Links item %d" % n)
        before = self.foreign_windows()
        self.choose_command(("system",), ("system", n))
        self.close_foreign_windows(before, False, seconds=6)
        time.sleep(2)
        self.close_foreign_windows(before, False)
        self.count("system links")

    def act_disk_drives(self):
        r = self.rng.random()
        free = [chr(c) for c in range(ord("D"), ord("Y") + 1)
                if chr(c) not in self.mapped and chr(c) not in self.prefix_drives]
        if (r < 0.45 or not self.mapped) and free and len(self.mapped) < 8:
            letters = "".join(sorted(self.rng.sample(free, self.rng.randint(1, 3))))
            self.map_drives(letters, self.rng.choice(DRIVE_TARGETS))
        elif self.mapped:
            self.unmap_drives(self.rng.choice(list(self.mapped)))
        # Then the menu as it is now; sometimes a change while it is open, sometimes a drive
        # opened in Explorer.
        self.navigate(("disks",), 0.3)
        if self.rng.random() < 0.25 and free:
            letter = self.rng.choice([c for c in free if c not in self.mapped] or free)
            self.map_drives(letter, self.rng.choice(DRIVE_TARGETS), menus_open=True)
            # The open menu keeps its rows; the next click shows the new drive.
            menus = self.menus_on_screen()
            self.expect("the open Disk Drives menu keeps its height", self.stack[-1].rect[3],
                        menus[0][3] if menus else None)
        if self.rng.random() < 0.3:
            letters = [r.what[1] for r in model.items_of(self.stack[-1].rows)]
            n = self.rng.randint(1, len(letters))
            letter = letters[n - 1]
            # Wine's shell opens no letter made with DefineDosDevice ("File not found", also
            # for "start K:\\"): only the prefix's own drives open in Explorer. The program
            # must live through both.
            own = letter in self.prefix_drives
            self.log("open drive %s:%s" % (letter, " in Explorer" if own else ""))
            before = self.foreign_windows()
            self.click_item(n)
            self.close_foreign_windows(before, own)
            self.count("drives opened")
        else:
            self.close_menus(self.rng.choice(["escape", "outside"]))
        self.count("disk drives")

    def map_drives(self, letters, target, menus_open=False):
        self.definers += 1
        stop = os.path.join(self.args.work, "stop-definer-%d" % self.definers)
        out = os.path.join(self.args.work, "definer-%d.out" % self.definers)
        pid = self.sh.out(
            "(cd %s && exec wine \"$WT_TOOLS/definedrive.exe\" %s 100000 %s %s >%s 2>/dev/null) & "
            "WT_STARTED_PIDS+=($!); echo $!" % (q(self.args.work), q(winpath(stop)), q(target),
                                               q(letters), q(out)))
        if not self.sh.ok("wt_poll 30 grep -q '^defined=' %s" % q(out)):
            raise Failure("the helper maps %s: to %s" % (letters, target))
        defined = open(out).read().strip().split("=", 1)[1]
        for letter in defined:
            self.mapped[letter] = (int(pid), stop, target)
        self.log("mapped %s: to %s%s" % (defined, target, " (menu open)" if menus_open else ""))

    def unmap_drives(self, letter):
        pid, stop, target = self.mapped[letter]
        open(stop, "w").close()
        self.sh.run("wt_wait_exit %d 20" % pid)
        for other in [c for c, v in self.mapped.items() if v[0] == pid]:
            del self.mapped[other]
        self.log("unmapped the letters of definer %d" % pid)

    def unmap_all(self):
        for letter in list(self.mapped):
            if letter in self.mapped:
                self.unmap_drives(letter)

    def act_operation(self):
        name = self.rng.choice([n for n in model.OPERATIONS if n])
        yes = name in HARMLESS_OPERATIONS and self.rng.random() < 0.7
        self.log("operation %s, answered %s" % (name, "Yes" if yes else "No"))
        self.choose_command(("operations",), ("op", name))
        self.answer_question("Are you sure you want to run this operation?", yes)
        if yes and name in SAVING_OPERATIONS:
            self.wait_for_save("before %s" % name)
        self.count("operations")

    def wait_for_save(self, when):
        expected = self.tree.encode()
        deadline = time.time() + 10
        while time.time() < deadline and (self.read_file("Config.dat") != expected or
                                          self.read_file("Config2.dat") != expected):
            time.sleep(0.2)
        self.check_files_hold_model(when)

    def act_monitor_sleep_with_hung_window(self):
        """Monitor sleep reaches every window; another program's hung one must not hang it."""
        stop = os.path.join(self.args.work, "stop-hung")
        out = os.path.join(self.args.work, "hung.out")
        for path in (stop, out):
            if os.path.exists(path):
                os.remove(path)
        pid = self.sh.out(
            "(cd %s && exec wine \"$WT_TOOLS/hungwindow.exe\" %s 120 >%s 2>/dev/null) & "
            "WT_STARTED_PIDS+=($!); echo $!" % (q(self.args.work), q(winpath(stop)), q(out)))
        if not self.sh.ok("wt_poll 30 grep -q ready %s" % q(out)):
            raise Failure("the hung window helper starts")
        time.sleep(6)  # long enough for the system to count it as hung
        self.log("Monitor sleep with a hung window in the system")
        self.choose_command(("operations",), ("op", "Monitor sleep"))
        self.answer_question("Are you sure you want to run this operation?", True)
        started = time.time()
        status, _ = self.sh.run("wt_wine_tool winmsg send %s %d 0" % (self.main,
                                                                     HANDLE_COUNT_MESSAGE))
        waited = time.time() - started
        open(stop, "w").close()
        self.sh.run("wt_wait_exit %s 20" % pid)
        if status != 0:
            raise Failure("the program answers within seconds of Monitor sleep while another "
                          "program's window is hung (it did not answer in %.0f s)" % waited)
        self.count("monitor sleeps with a hung window")

    # ---- the second menu ----

    def act_about(self):
        self.log("About")
        self.choose_command(("second",), ("about",))
        about = self.wait_window("About")
        if about is None:
            raise Failure("About opens the About box")
        if self.restart_phase() and self.rng.random() < 0.2 * self.args.restarts:
            return self.close_program("with the About box open")
        if self.rng.random() < 0.6:
            self.click_button("Ok")
        else:
            self.sh.run("wt_wine_tool winmsg send %s %d" % (about["hwnd"], WM_CLOSE))
        if not self.wait_window_gone("About"):
            raise Failure("the About box closes")
        self.count("about")

    def act_home_page(self):
        browsed = len(self.records("browser.txt"))
        second = self.rng.random() < 0.5
        self.log("Home Page from the %s menu" % ("second" if second else "main"))
        self.choose_command(("second",) if second else ("main",), ("home",))
        found = self.wait_record("browser.txt", browsed)
        if len(found) <= browsed:
            raise Failure("Home Page opens the browser")
        self.expect("Home Page opens the home page", "http://www.vantrel.example/home.html",
                    found[-1].get("url"))
        self.count("home pages")

    def run_value(self):
        text = self.sh.out("wine reg query %s /v Vantrel 2>/dev/null | tr -d '\\r'" % q(
            "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"))
        match = re.search(r"Vantrel\s+REG_SZ\s+(.*)", text)
        return match.group(1).strip() if match else None

    def act_startup_switch(self):
        self.log("Run at System Startup (now %s)" % ("on" if self.startup_on else "off"))
        self.choose_command(("second",), ("startup",))
        self.startup_on = not self.startup_on
        expected = '"%s\\Vantrel.exe"' % SOAK_DIR_WIN if self.startup_on else None
        deadline = time.time() + 10
        while self.run_value() != expected and time.time() < deadline:
            time.sleep(0.5)
        self.expect("Run at System Startup writes or removes the Run value", expected,
                    self.run_value())
        self.count("startup switches")

    def press_shortcut(self, window_name, keys=None):
        """The shortcut, typed while a window of Wine has the keyboard: Wine sees no key
        otherwise (see tests/wine/README.md)."""
        keys = keys or shortcut_keys(self.shortcut)
        xdotool("search", "--onlyvisible", "--name", "^%s$" % window_name, "windowfocus",
                "--sync", "key", keys)

    def act_shortcut(self):
        """The keyboard shortcut, pressed with no menu, with a menu open (it closes the menu),
        or over a dialog (the menu opens over it). Turned off, or replaced, a shortcut opens
        nothing."""
        moment = self.rng.choice(["idle", "idle", "menu", "dialog"])
        stale = self.rng.random() < 0.15 and self.shortcut != DEFAULT_SHORTCUT
        keys = shortcut_keys(DEFAULT_SHORTCUT if stale else self.shortcut)
        works = self.shortcut_on and not stale
        self.log("the shortcut %s (%s), %s" % (keys, "on" if works else "not ours", moment))
        if moment == "menu":
            second = self.rng.random() < 0.5
            self.open_root(3 if second else 1, ("second",) if second else ("main",))
            # Typed into Wine's menu window, a shortcut is no hot key (tests/wine/README.md).
            self.press_shortcut("Wine System Tray", keys)
            if works:
                if self.wait_menu_count(0, 5) is None:
                    raise Failure("the shortcut closes the menu that is open")
                self.stack = []
            else:
                self.close_menus("escape")
            return self.count("shortcuts with a menu open")
        if moment == "dialog":
            self.choose_command(("second",), ("about",))
            if self.wait_window("About") is None:
                raise Failure("About opens the About box")
        x, y = self.rng.randrange(200, 900), self.rng.randrange(150, 700)
        xdotool("mousemove", x, y)
        self.press_shortcut("About" if moment == "dialog" else "Wine System Tray", keys)
        rect = self.wait_new_menu(1) if works else None
        if works:
            if not rect or tuple(rect[:2]) != (x, y):
                raise Failure("the shortcut opens the main menu at the pointer %s: %s" % (
                    (x, y), rect))
            self.check_height(("main",), self.rows(("main",)), rect)
            self.stack = [Screen(("main",), self.rows(("main",)), rect, 1)]
            self.close_menus(self.rng.choice(["escape", "outside"]))
        elif self.wait_menu_count(1, 1.5) is not None:
            raise Failure("a shortcut that is not the program's opens no menu")
        if moment == "dialog":
            self.click_button("Ok")
            if not self.wait_window_gone("About"):
                raise Failure("the About box closes after the shortcut")
        self.count("shortcuts over a dialog" if moment == "dialog" else "shortcuts")

    def act_settings(self):
        """Settings: the shortcut turned on or off, new keys, the Windows key; Ok or Enter take
        it at once, Cancel or Esc change nothing."""
        self.choose_command(("second",), ("settings",))
        dialog = self.wait_window("Settings")
        if dialog is None:
            raise Failure("Settings... opens the Settings window")
        time.sleep(0.3)
        # The menu's group is the upper one; Find's, below it, has the same controls.
        windows = sorted(self.program_windows(), key=lambda w: w["top"])
        buttons = {}
        for w in windows:
            if w["class"] == "Button":
                buttons.setdefault(w["title"], w)
        field = next((w for w in windows if w["class"] == "msctls_hotkey32"), None)
        on_box = buttons.get("Open the menu with a keyboard shortcut")
        win_box = buttons.get("with the Windows key")
        if not (field and on_box and win_box):
            raise Failure("the Settings window shows its check boxes and the shortcut's field")
        self.expect("Settings shows whether the shortcut is on", self.shortcut_on,
                    self.checked(on_box))
        on, win = self.shortcut_on, self.shortcut.startswith("Win+")
        field_text = self.shortcut[4:] if win else self.shortcut
        if not on and self.rng.random() < 0.5:
            self.click(on_box)
            on = True
        if on and self.rng.random() < 0.7:
            # The shortcut held now would open the menu instead of reaching the field.
            keys = self.rng.choice([k for k in SHORTCUT_FIELD_KEYS
                                    if shortcut_text(k) != self.shortcut])
            self.click(field)
            self.press_shortcut("Settings", keys)
            field_text = shortcut_text(keys)
        if on and self.rng.random() < 0.2:
            self.click(win_box)
            win = not win
        if self.rng.random() < 0.15:
            self.click(on_box)
            on = not on
        end = self.rng.choices(["ok", "enter", "cancel", "escape"], [50, 20, 20, 10])[0]
        chosen = ("Win+" if win else "") + field_text
        self.log("Settings: %s %s -> %s" % ("on" if on else "off", chosen, end))
        # A key Wine still holds (one that closed Find) would turn Enter or Esc into another
        # combination; and Wine now and then loses a key given the moment the window took the
        # focus: up to two more presses, after pauses no answer takes, tell that from a window
        # that will not close.
        self.release_keys("super", "alt", "ctrl", "shift")
        for attempt in range(3):
            if attempt == 2 and end != "ok":
                # Keys typed into the hot-key field can leave Wine's field taking Enter and Esc
                # as keys of their own: the button stands for the key then.
                self.log("the Settings window took no key: its button instead")
                self.click_button("Ok" if end == "enter" else "Cancel")
            else:
                self.end_settings(end)
            if self.wait_window_gone("Settings", 5):
                break
            self.log("the Settings window is still open: %s once more" % end)
        if not self.wait_window_gone("Settings"):
            raise Failure("the Settings window closes with %s" % end)
        # Neither the keys typed into the field nor a key that closed the window are seen
        # released by Wine.
        self.release_keys("Return" if end == "enter" else "Escape", "super", "alt", "ctrl",
                          "shift")
        if end in ("ok", "enter"):
            # Turned off, the shortcut keeps its keys.
            self.shortcut_on = on
            if on:
                self.shortcut = chosen
        self.count("settings changed")

    def end_settings(self, end):
        if end == "ok":
            self.click_button("Ok")
        else:
            self.press_shortcut("Settings", {"enter": "Return", "cancel": "Escape",
                                             "escape": "Escape"}[end])

    # ---- import and export, from Settings ----

    def open_settings_for(self, button):
        self.choose_command(("second",), ("settings",))
        if self.wait_window("Settings") is None:
            raise Failure("Settings... opens the Settings window")
        time.sleep(0.3)
        if not self.click_button(button):
            raise Failure("the Settings window offers %s" % button)

    def message(self, title):
        """The text of the program's message box with this title, closed with its OK (with the
        mouse: Wine holds a key that closed a box down for whatever comes next)."""
        box = self.wait_window(title, 30)
        if box is None:
            raise Failure("a message box %r ends it" % title)
        time.sleep(0.3)
        text = " ".join(w["title"] for w in self.program_windows()
                        if w["parent"] == box["hwnd"] and w["class"] == "Static" and w["title"])
        self.click_button("OK")
        if not self.wait_window_gone(title):
            raise Failure("OK closes the message box %r" % title)
        return text

    def close_settings(self):
        self.click_button("Cancel")
        if not self.wait_window_gone("Settings"):
            raise Failure("Cancel closes the Settings window")

    def pick_import_folder(self):
        """The folder browser starts on My Computer: the drive, then each folder by its name
        typed into the tree."""
        browser = self.wait_window("Browse for Folder")
        if browser is None:
            raise Failure("the folder browser opens")
        time.sleep(0.5)
        steps = [("key", "Right", "Down", "Right")]
        for name in ("soak", "import", IMPORT_FOLDER):
            steps += [("type", name), ("key", "Right")]
        for step in steps[:-1] + [("key", "Return")]:
            xdotool("search", "--onlyvisible", "--name", "^Browse for Folder$", "windowfocus",
                    "--sync", *step)
            time.sleep(0.5)

    def pick_file(self, title, path):
        if self.wait_window(title) is None:
            raise Failure("the file dialog %r opens" % title)
        time.sleep(0.5)
        xdotool("search", "--onlyvisible", "--name", "^%s$" % title, "windowfocus", "--sync",
                "type", "--delay", "20", path)
        xdotool("key", "Return")
        if not self.wait_window_gone(title):
            raise Failure("the file dialog %r takes %s" % (title, path))

    def unused_top_title(self, base):
        taken = {e.title.lower() for entries in self.tree.categories.values() for e in entries}
        n = 1
        while (base if n == 1 else "%s %d" % (base, n)).lower() in taken:
            n += 1
        return base if n == 1 else "%s %d" % (base, n)

    def imported_folder(self):
        name = self.unused_top_title(IMPORT_FOLDER)
        app = model.Entry(APPS, name, GROUP)
        app.children = [model.Entry(APPS, "Recorder", ITEM, RECORDER_WIN, IMPORT_PARAMS,
                                    WORK_DIR_WIN)]
        web = model.Entry(WEB, name, GROUP)
        web.children = [model.Entry(WEB, "Soak site", ITEM, IMPORTED_SITE)]
        files, docs = model.Entry(FILES, name, GROUP), model.Entry(FILES, "Docs", GROUP)
        docs.children = [model.Entry(FILES, "Notes", ITEM, IMPORTED_NOTES)]
        files.children = [docs]
        return [app, web, files], "7 entries imported into 3 categories"

    def imported_bookmarks(self):
        group, news = model.Entry(WEB, self.unused_top_title("Bookmarks"), GROUP), \
            model.Entry(WEB, "Soak news", GROUP)
        news.children = [model.Entry(WEB, "News & views", ITEM, "http://soak.example/news.html")]
        group.children = [news]
        return [group], "3 entries imported into 1 category"

    def act_import(self):
        """Import... from the folder of shortcuts or the bookmarks file: the model gains the
        same groups, the summary says so, and the files hold it a second later."""
        folder = self.rng.random() < 0.5
        groups, summary = self.imported_folder() if folder else self.imported_bookmarks()
        self.open_settings_for("Import...")
        source = self.wait_window("Import shortcuts")
        if source is None:
            raise Failure("Import... opens the window that asks for the source")
        time.sleep(0.3)
        self.click_button("A folder of shortcuts" if folder else "A bookmarks file")
        # Settings, under it, has an Ok of its own.
        self.click(next(w for w in self.program_windows()
                        if w["parent"] == source["hwnd"] and w["title"] == "Ok"))
        if folder:
            self.pick_import_folder()
        else:
            self.pick_file("Open", BOOKMARKS_FILE)
        self.expect("the import's summary", summary, self.message("Import"))
        for group in groups:
            self.tree.categories[group.kind].append(group)
        self.note_tree()
        self.close_settings()
        self.log("imported %s as %r" % ("the folder" if folder else "the bookmarks",
                                         groups[0].title))
        self.wait_for_save("after an import")
        self.count("imports")

    def act_export(self):
        """Export... writes every entry of the model as a bookmarks file, and says where."""
        self.count("exports")
        path = "%s\\export-%d.html" % (SOAK_DIR_WIN, self.counts["exports"])
        self.open_settings_for("Export...")
        self.pick_file("Save As", path)
        self.expect("the export's message", "Your shortcuts were exported: %d entries were "
                    "written to %s" % (self.tree.count(), path), self.message("Export"))
        self.close_settings()
        exported = self.read_file(path.split("\\")[-1]) or b""
        imported = {IMPORTED_SITE, "http://soak.example/news.html"}
        for entry, _, _ in self.tree.walk():
            if entry.target in imported and ('HREF="%s"' % entry.target).encode() not in exported:
                raise Failure("the export holds the imported link %s" % entry.target)

    # ---- the system around the program ----

    def act_tray_restart(self):
        old = self.sh.out("wt_icon_hwnd")
        self.log("the tray's host restarts (icon %s)" % old)
        self.sh.run("wt_wine_tool trayrestart %s 1" % self.main)
        if not self.sh.ok("wt_poll 10 wt_find_new_icon %s" % q(old)):
            raise Failure("the tray icon comes back after the tray's host restarts")
        if not self.sh.ok("wt_icon_absent %s" % q(old)):
            raise Failure("the old tray icon is gone after the restart")
        self.count("tray restarts")

    def close_program(self, when):
        """WM_CLOSE, as Windows sends it: the program ends, having saved the model's tree."""
        self.log("WM_CLOSE %s" % when)
        self.sh.run("wt_close")
        self.finish_run("WM_CLOSE %s" % when, answer_questions=True)

    def act_close_at_random(self):
        moment = self.rng.choice(["idle", "menu", "question"])
        if moment == "menu":
            self.open_root(1, ("main",))
            while self.rng.random() < 0.6 and len(self.stack) < 4:
                items = model.items_of(self.stack[-1].rows)
                subs = [n for n, r in enumerate(items, 1)
                        if r.kind == "sub" and not self.is_bulk_menu(r.menu)]
                if not subs:
                    break
                self.descend(self.rng.choice(subs), False)
            self.stack = []
            return self.close_program("with %d menus open" % len(self.menus_on_screen()))
        if moment == "question":
            groups = [e for e in self.user_entries() if e.etype == GROUP]
            if groups and self.rng.random() < 0.5:
                group = self.rng.choice(groups)
                self.choose_command(("actions", group), ("delete", group))
                self.pending_question = ("delete", group)
            else:
                self.choose_command(("operations",), ("op", "Reboot"))
                self.pending_question = ("op", "Reboot")
            if self.wait_window("Confirm") is None:
                raise Failure("the question is asked")
            what = self.pending_question
            return self.close_program("with the question of %s open" % (
                what[1].describe() if what[0] == "delete" else what[1]))
        return self.close_program("while idle")

    def finish_run(self, how, answer_questions=False):
        """Waits for the program to end normally after a save, and checks the files."""
        deadline = time.time() + 20
        while self.alive() and time.time() < deadline:
            question = next((w for w in self.top_windows() if w["title"] == "Confirm"), None)
            if question and answer_questions:
                # A Yes/No box has no Cancel: it waits for its answer, then the program ends.
                action = self.pending_question
                yes = self.rng.random() < 0.5 and not (action and action[0] == "op")
                self.log("the question stays open; answered %s" % ("Yes" if yes else "No"))
                self.click_button("&Yes" if yes else "&No")
                if yes and action and action[0] == "delete":
                    self.tree.container_of(action[1]).remove(action[1])
                self.pending_question = None
                time.sleep(1)
            time.sleep(0.2)
        self.sh.run("wt_wait_exit %d 10" % self.pid)
        status = self.sh.out("echo $WT_EXIT")
        self.scan_wine_log()
        self.expect("%s ends the program normally" % how, "0", status)
        self.check_files_hold_model("after %s" % how)
        self.pending_question = None
        self.end_epoch()
        self.start()
        self.check_loaded_tree()

    def check_loaded_tree(self):
        """The restarted program shows the tree of the file: the categories' menus have the
        model's heights (walks check the rest as they go)."""
        kind = self.rng.choice(model.MENU_ORDER)
        self.navigate(("category", kind), 0)
        self.close_menus("escape")
        self.check_handles()

    def act_exit(self):
        self.log("Exit")
        self.choose_command(("second",), ("exit",))
        self.finish_run("Exit")

    def act_end_session(self):
        self.log("the Windows session ends")
        self.unmap_all()
        self.sh.run("timeout 60 wine wineboot -e >/dev/null 2>&1")
        deadline = time.time() + 20
        while self.alive() and time.time() < deadline:
            time.sleep(0.2)
        self.sh.run("wt_wait_exit %d 10" % self.pid)
        self.scan_wine_log()
        if self.alive():
            raise Failure("the end of the session ends the program")
        self.check_files_hold_model("after the end of the session")
        self.end_epoch()
        self.count("session ends")
        # The next logon: Wine starts its desktop again, and with it the Run values.
        self.sh.run("wine cmd /c exit >/dev/null 2>&1")
        self.logon_start()
        self.start()
        self.check_loaded_tree()

    def program_processes(self):
        text = self.sh.out("wt_winlist --processes --exe Vantrel.exe")
        return [line.split("\t")[0] for line in text.splitlines() if line.strip()]

    def logon_start(self):
        """With Run at System Startup on, the logon starts the program from its Run value: it
        shows its icon with the tree of the file, and WM_CLOSE ends it, saving that tree."""
        deadline = time.time() + (30 if self.startup_on else 5)
        started = []
        while time.time() < deadline and not started:
            started = self.program_processes()
            time.sleep(0.5)
        if not self.startup_on:
            if started:
                raise Failure("the logon starts no program without a Run value: %s" % started)
            return
        if not started:
            raise Failure("the logon starts the program from its Run value")
        winpid = started[0]
        if not self.sh.ok("wt_poll 30 wt_winlist --pid %s --class TFormMain >/dev/null" % winpid):
            raise Failure("the program started at the logon makes its window")
        time.sleep(3)  # its icon, its balloon
        self.log("the logon started the program from its Run value (Windows pid %s)" % winpid)
        self.sh.run("wt_close %s" % winpid)
        deadline = time.time() + 20
        while winpid in self.program_processes():
            if time.time() > deadline:
                raise Failure("WM_CLOSE ends the program started at the logon")
            time.sleep(0.5)
        self.check_files_hold_model("after the program started at the logon closed")
        self.count("logon starts")

    # ---- killed without warning ----

    def note_tree(self):
        """Every tree the program holds, with when the driver saw it so: what a kill may leave."""
        data = self.tree.encode()
        if data != self.history[-1][1]:
            self.history.append((time.time(), data))

    def act_kill(self):
        """Killed without warning (End task, an installer, a power cut) at any moment: while
        idle (perhaps a second after the last change), or right after a change, a moment into
        the save it starts. A whole copy then holds the model's tree of at most about a second
        before, or the tree before the save that was cut."""
        after_change = self.rng.random() < 0.6
        delay = self.rng.uniform(0, self.save_ms * 1.5) / 1000
        if after_change:
            # The watcher, armed before the change, must not take an earlier change's save for it.
            time.sleep(max(0.0, self.history[-1][0] + self.kill_window() - time.time()))
            watcher = Killer(self.dir, self.pid, delay, 10)
            watcher.start()
            try:
                self.act_move()
            except Resync as lost:
                self.keys_lost += 1
                self.log("resync: %s" % lost)
            self.note_tree()
        else:
            watcher = Killer(self.dir, self.pid, delay, self.rng.uniform(0, 2.5))
            watcher.start()
        watcher.join(30)
        self.sh.run("wt_wait_exit %d 15" % self.pid)
        if self.alive():
            raise Failure("the program ends when it is killed")
        self.stack = []
        self.scan_wine_log()
        if watcher.saw_save_ms is not None:
            self.save_ms = max(20.0, watcher.saw_save_ms)
        self.check_files_after_kill(watcher, "after a change" if after_change else "idle")
        # What the cut save left: the watcher of the next kill would take it for a save.
        for path in watcher.temporaries:
            if os.path.exists(path):
                os.remove(path)
        self.end_epoch()
        self.start()
        self.check_loaded_tree()

    def kill_window(self):
        """How long a change may take to reach the disk: written a second after it, in the time
        a save takes, the next save beginning once the one in flight has ended."""
        return 1.0 + 2 * self.save_ms / 1000 + KILL_SLACK_S

    def check_files_after_kill(self, watcher, when):
        loaded = model.loaded_copy(self.read_file("Config.dat"), self.read_file("Config2.dat"))
        if loaded is None:
            raise Failure("after a kill one copy of the file is whole")
        window = self.kill_window()
        kept = model.kept_after_kill(self.history, watcher.killed_at, window)
        if loaded not in kept:
            raise Failure("after a kill (%s) the file holds the tree of the last %.1f s: %s" % (
                when, window, describe_difference(self.history[-1][1], loaded)))
        age = len(self.history) - 1 - [d for _, d in self.history].index(loaded)
        self.log("killed %s%s; the file holds the tree %d changes back" % (
            when, " in the middle of a save" if watcher.killed_mid_save else "", age))
        self.count("kills mid-save" if watcher.killed_mid_save else "kills at other moments")
        self.tree = model.decode(loaded)

    def end_epoch(self):
        """Keeps the log of the run that ended: the next start writes a new one."""
        log = self.read_file("wine.log") or b""
        with open(os.path.join(self.args.work, "wine-%d.log" % len(self.epochs)), "wb") as f:
            f.write(log)

    # ---- the run ----

    def run(self):
        self.prepare()
        self.start()
        self.measure_geometry()
        while time.time() < self.deadline:
            self.step += 1
            action = self.pick()
            try:
                action()
                self.run_kinds.add(action.__name__)
                self.note_tree()
            except Resync as lost:
                self.keys_lost += 1
                self.log("resync: %s" % lost)
                self.sh.run("wt_close_deep_menus")
                self.stack = []
            if self.wait_menu_count(0, 5) is None:
                self.sh.run("wt_close_deep_menus")
            stray = self.top_windows()
            if stray:
                raise Failure("no window of the program is left open after step %d: %s" % (
                    self.step, [w["title"] for w in stray]))
            # Whatever another program opened late (Explorer over the tray) goes too.
            if self.foreign_windows():
                self.close_foreign_windows({}, False)
            self.idle_checks()
            if self.step % 25 == 0:
                self.log("%d steps, %.1f min left, %d entries; %s" % (
                    self.step, (self.deadline - time.time()) / 60, self.tree.count(), ", ".join(
                        "%d %s" % (v, k) for k, v in sorted(self.counts.items()))), loud=True)
        self.log("time is up after %d steps: Exit" % self.step)
        self.unmap_all()
        self.choose_command(("second",), ("exit",))
        deadline = time.time() + 20
        while self.alive() and time.time() < deadline:
            time.sleep(0.2)
        self.sh.run("wt_wait_exit %d 10" % self.pid)
        self.scan_wine_log()
        self.expect("Exit at the end ends the program normally", "0", self.sh.out("echo $WT_EXIT"))
        self.check_files_hold_model("after the last Exit")
        self.end_epoch()

    def memory_growth(self):
        """kB per hour over every run of the program, each after its warm-up."""
        grown, seconds, runs = 0, 0.0, 0
        for samples in self.epochs:
            kept = [s for s in samples if s[2]]
            if len(kept) < 2:
                continue
            grown += kept[-1][1] - kept[0][1]
            seconds += kept[-1][0] - kept[0][0]
            runs += 1
        return grown, seconds, runs

    def report(self):
        c = self.counts.get
        self.log("done: %s" % ", ".join("%d %s" % (v, k) for k, v in sorted(self.counts.items())),
                 loud=True)
        self.passed("the program ran %d steps in %.0f min and %d starts without a crash, and "
                    "Wine's log shows no Unhandled line" % (self.step, self.args.minutes,
                                                           c("starts", 0)))
        self.passed("every one of %d menus opened with the height of its rows in the model" %
                    c("menus checked", 0))
        self.passed("the handle counters were back at their baseline after every one of %d "
                    "steps" % c("handle checks", 0))
        self.passed("after every one of %d exits the files held exactly the model's tree; "
                    "after %d kills in the middle of a save and %d at other moments a whole copy "
                    "held the model's tree of about a second before, or the one before the cut "
                    "save" % (c("saves checked", 0), c("kills mid-save", 0),
                              c("kills at other moments", 0)))
        grown, seconds, runs = self.memory_growth()
        for n, samples in enumerate(self.epochs, 1):
            if samples:
                self.log("memory of run %d: %d samples, %d kB to %d kB over %.0f s" % (
                    n, len(samples), samples[0][1], samples[-1][1],
                    samples[-1][0] - samples[0][0]))
        if seconds < 120:
            self.log("memory: too little time after warm-up to measure (%.0f s)" % seconds)
        else:
            rate = grown * 3600 / seconds
            what = ("private memory grows by at most %d kB an hour after warm-up: %+.0f kB in "
                    "%.0f s over %d runs (%+.0f kB/h)" % (MEMORY_BUDGET_KB_PER_HOUR, grown,
                                                           seconds, runs, rate))
            # A short run cannot tell a slope from the noise of the heap: it allows 256 kB.
            allowed = max(MEMORY_BUDGET_KB_PER_HOUR * seconds / 3600, 256)
            if grown <= allowed:
                self.passed(what)
            else:
                self.failed(what)
        self.log("keys X lost on their way (menus read again): %d" % self.keys_lost)
        try:
            stuck = open(self.stuck_marker).read().count("stuck")
        except OSError:
            stuck = 0
        what = ("the share that never answers kept %d picture reads of %d starts for good" %
                (stuck, c("starts", 0)))
        (self.passed if stuck > 0 else self.failed)(what)


class Killer(threading.Thread):
    """Kills the program `delay` seconds into a save that begins within `wait` seconds, or
    when none has begun by then, as a power cut would."""

    def __init__(self, folder, pid, delay, wait):
        super().__init__(daemon=True)
        self.temporaries = [os.path.join(folder, n) for n in ("Config2.dat.tmp", "Config.dat.tmp")]
        self.pid = pid
        self.delay = delay
        self.wait = wait
        self.killed_mid_save = False
        self.saw_save_ms = None
        self.killed_at = None

    def saving(self):
        return any(os.path.exists(p) for p in self.temporaries)

    def run(self):
        deadline = time.time() + self.wait
        seen = None
        while time.time() < deadline:
            if self.saving():
                seen = time.time()
                break
            time.sleep(0.0002)
        if seen is not None:
            # Watches the save while waiting: Config2.dat is written first, then Config.dat;
            # once Config.dat.tmp has come and gone the save is over and its length known.
            primary_seen, ended = False, None
            while time.time() < seen + self.delay:
                primary = os.path.exists(self.temporaries[1])
                primary_seen = primary_seen or primary
                if ended is None and primary_seen and not primary:
                    ended = time.time()
                time.sleep(0.0002)
            self.killed_mid_save = ended is None
            if ended is not None:
                self.saw_save_ms = (ended - seen) * 1000
        self.killed_at = time.time()
        try:
            os.kill(self.pid, signal.SIGKILL)
        except OSError:
            pass


def winpath(path):
    return "Z:" + path.replace("/", "\\")


def describe_difference(expected, actual):
    if actual is None:
        return "the file is missing"
    if not model.is_whole(actual):
        return "the file (%d bytes) is not whole" % len(actual)
    a, b = model.decode(expected), model.decode(actual)
    for kind in model.FILE_ORDER:
        ea = [(d, e.title, e.target) for e, _, d in walk_kind(a, kind)]
        eb = [(d, e.title, e.target) for e, _, d in walk_kind(b, kind)]
        if ea != eb:
            for i, (x, y) in enumerate(zip(ea, eb)):
                if x != y:
                    return "%s record %d: expected %r, found %r" % (
                        model.CATEGORY_NAMES[kind], i, x, y)
            return "%s: expected %d records, found %d" % (model.CATEGORY_NAMES[kind], len(ea),
                                                          len(eb))
    return "the records differ in a field other than title and target"


def walk_kind(tree, kind):
    def visit(entries, depth):
        for e in entries:
            yield e, entries, depth
            yield from visit(e.children, depth + 1)
    return visit(tree.categories[kind], 0)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seed", type=int, required=True)
    parser.add_argument("--minutes", type=float, required=True)
    parser.add_argument("--dir", required=True, help="the program's folder (C:\\soak)")
    parser.add_argument("--work", required=True, help="a folder for the soak's own files")
    parser.add_argument("--tools", required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--map", required=True)
    parser.add_argument("--requests", required=True)
    parser.add_argument("--answers", required=True)
    parser.add_argument("--verbose", action="store_true")
    parser.add_argument("--only", default="",
                        help="only these kinds of action (parts of their names, with commas)")
    parser.add_argument("--restarts", type=float, default=1.0,
                        help="how often the program is ended and started again (0: never)")
    parser.add_argument("--bulk-fanout", type=int, default=16)
    parser.add_argument("--bulk-items", type=int, default=15)
    args = parser.parse_args()
    shell = Shell(args.requests, args.answers)
    soak = Soak(args, shell)
    status = 0
    try:
        soak.run()
        soak.report()
    except Failure as failure:
        soak.log("FAILED: %s" % failure)
        shell.run("wt_screenshot soak-failure")
        soak.failed("step %d: %s (seed %d)" % (soak.step, failure, args.seed))
        status = 1
    except Exception as error:  # a fault of the driver itself
        import traceback
        traceback.print_exc()
        soak.failed("the soak driver failed at step %d: %r (seed %d)" % (soak.step, error,
                                                                          args.seed))
        status = 2
    finally:
        try:
            soak.unmap_all()  # a letter left mapped would outlive its helper
            # One started at a logon is no child of the harness: it would outlive the test.
            if soak.program_processes():
                shell.run("wine taskkill /f /im Vantrel.exe >/dev/null 2>&1")
        except Exception:
            pass
        try:
            shell.run("wine reg delete %s /v Vantrel /f >/dev/null 2>&1" % q(
                "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"))
        except Failure:
            pass
    return status


if __name__ == "__main__":
    sys.exit(main())
