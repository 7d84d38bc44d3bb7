"""The soak's model of the program (issue 18): the user's tree as the program should hold it,
the configuration file it should write for it, and the menus the program should show.

Kept apart from the driver (soak.py) so that it can be checked without Wine:
    python3 tests/wine/soak_model.py        runs its self-test
"""

import random
import string
import struct

# Link kinds as the configuration file stores them.
RUN, APPS, NET, WEB, FILES = 3, 4, 5, 6, 7
# The categories as the main menu shows them (items 2 to 6) and as the file stores them.
MENU_ORDER = [FILES, WEB, NET, APPS, RUN]
FILE_ORDER = [RUN, APPS, NET, WEB, FILES]
CATEGORY_NAMES = {FILES: "Files and Folders", WEB: "Internet Links", NET: "Network Resources",
                  APPS: "Applications", RUN: "Run"}

GROUP, ITEM, FOLDER = 0, 1, 2  # entry types

TITLE_LIMIT = 100  # what the edit boxes take, and what the file holds
TEXT_LIMIT = 260

# The configuration file (src/tree/Configuration.h).
VERSION_BYTES = 4
HEADER_BYTES = 6004
RECORDS_OFFSET = VERSION_BYTES + HEADER_BYTES
RECORD = 889
MARKER = 2003
DEPTH_LIMIT = 100
MAX_RECORDS = 10000


class Entry:
    """A group or an item, with the fields of its record."""

    def __init__(self, kind, title, etype=ITEM, target="", params="", workdir="", admin=0):
        self.kind = kind
        self.title = title
        self.etype = etype
        self.is_group = etype == GROUP
        self.target = target
        self.params = params
        self.workdir = workdir
        self.admin = admin
        self.children = []

    def clone(self):
        copy = Entry(self.kind, self.title, self.etype, self.target, self.params, self.workdir,
                     self.admin)
        copy.is_group = self.is_group
        copy.children = [child.clone() for child in self.children]
        return copy

    def describe(self):
        what = "group" if self.is_group else "folder" if self.etype == FOLDER else "item"
        return "%s %r" % (what, self.title[:40])


class Tree:
    """The five categories, each a list of entries in menu order."""

    def __init__(self):
        self.categories = {kind: [] for kind in FILE_ORDER}

    def clone(self):
        copy = Tree()
        copy.categories = {kind: [e.clone() for e in entries]
                           for kind, entries in self.categories.items()}
        return copy

    def walk(self):
        """Every entry with its container list and depth, parents before children."""
        def visit(entries, depth):
            for entry in list(entries):
                yield entry, entries, depth
                yield from visit(entry.children, depth + 1)
        for kind in FILE_ORDER:
            yield from visit(self.categories[kind], 0)

    def container_of(self, target):
        for entry, siblings, _ in self.walk():
            if entry is target:
                return siblings
        return None

    def parent_of(self, target):
        """The group holding the entry, or None at the top of its category."""
        for entry, _, _ in self.walk():
            if any(child is target for child in entry.children):
                return entry
        return None

    def path_of(self, target):
        """The groups from the category down to the entry, the entry last."""
        chain = [target]
        parent = self.parent_of(target)
        while parent is not None:
            chain.insert(0, parent)
            parent = self.parent_of(parent)
        return chain

    def count(self):
        return sum(1 for _ in self.walk())

    # ---- the configuration file ----

    def encode(self):
        """The bytes the program writes for this tree (Config.dat and Config2.dat alike)."""
        arrays = []
        for kind in FILE_ORDER:
            records = []

            def flatten(entries, depth):
                if depth >= DEPTH_LIMIT:
                    return
                for entry in entries:
                    if len(records) >= MAX_RECORDS:
                        return
                    records.append(encode_record(entry, depth))
                    flatten(entry.children, depth + 1)
            flatten(self.categories[kind], 0)
            arrays.append(records)
        head = bytearray(RECORDS_OFFSET)
        struct.pack_into("<I", head, 0, 1)
        struct.pack_into("<5i", head, VERSION_BYTES, *[len(a) for a in arrays])
        head[VERSION_BYTES + MARKER] = 1
        return bytes(head) + b"".join(b"".join(a) for a in arrays)


def text_field(text, size):
    data = text.encode("latin-1")[:size - 1]
    return data + bytes(size - len(data))


def encode_record(entry, depth):
    record = bytearray(RECORD)
    record[0:101] = text_field(entry.title, 101)
    record[101:362] = text_field(entry.target, 261)
    record[362:623] = text_field(entry.params, 261)
    record[623:884] = text_field(entry.workdir, 261)
    record[884] = entry.admin
    record[885] = entry.kind
    record[886] = entry.etype
    record[887] = 1 if entry.is_group else 0
    record[888] = depth
    return bytes(record)


def read_text(record, offset, size):
    field = record[offset:offset + size - 1]  # the last byte counts as zero
    return field.split(b"\0")[0].decode("latin-1")


def header_counts(data):
    """The five record counts when the version and header are valid, else None."""
    if len(data) < RECORDS_OFFSET or struct.unpack_from("<I", data, 0)[0] != 1:
        return None
    counts = struct.unpack_from("<6i", data, VERSION_BYTES)
    if any(c < 0 or c > MAX_RECORDS for c in counts):
        return None
    return counts[:5]


def is_whole(data):
    counts = header_counts(data)
    return counts is not None and len(data) == RECORDS_OFFSET + RECORD * sum(counts)


def decode(data):
    """The tree the program rebuilds from a whole file (RebuildEntries)."""
    counts = header_counts(data)
    tree = Tree()
    offset = RECORDS_OFFSET
    for kind, count in zip(FILE_ORDER, counts):
        last_at_depth = {}
        for i in range(count):
            record = data[offset + RECORD * i:offset + RECORD * (i + 1)]
            depth = record[888]
            if depth >= DEPTH_LIMIT:
                continue
            parent = tree.categories[kind] if depth == 0 else last_at_depth.get(depth - 1)
            if parent is None or record[885] not in FILE_ORDER or record[886] > FOLDER:
                continue
            entry = Entry(record[885], read_text(record, 0, 101), record[886],
                          read_text(record, 101, 261), read_text(record, 362, 261),
                          read_text(record, 623, 261), record[884])
            entry.is_group = record[887] != 0
            if entry.is_group:
                entry.target = entry.params = entry.workdir = ""
                entry.admin = 0
            # Like the program, a deeper level keeps its last entry: a record may only land
            # under it again when the file is not one the program wrote.
            (parent if depth == 0 else parent.children).append(entry)
            last_at_depth[depth] = entry
        offset += RECORD * count
    return tree


def loaded_copy(primary, copy):
    """The file's bytes the loader takes (Config.dat when whole, else Config2.dat when whole),
    or None when neither is whole."""
    if primary is not None and is_whole(primary):
        return primary
    if copy is not None and is_whole(copy):
        return copy
    return None


def kept_after_kill(history, killed_at, window):
    """The files the program may leave when it is killed: the tree of any moment in the last
    `window` seconds before the kill (a change is written about a second after it, and a save
    cut in the middle leaves the one before it), and always the latest. `history` holds
    (time the tree became so, file bytes), oldest first."""
    ends = [t for t, _ in history[1:]] + [float("inf")]
    return [data for (_, data), end in zip(history, ends) if end >= killed_at - window]


# ---- what the program does with an entry ----------------------------------------------------

def link_text(entry):
    """What Copy Link leaves on the clipboard (LinkText), or None."""
    if entry.is_group:
        return None
    if entry.kind == APPS:
        if entry.etype != ITEM:
            return None
        return entry.target + " " + entry.params if entry.params else entry.target
    if entry.kind == FILES:
        return entry.target if entry.etype in (ITEM, FOLDER) else None
    return entry.target if entry.etype == ITEM else None


def split_command_line(line):
    """SplitCommandLine: the program up to the first byte of code 32 or below, the rest after
    the blanks that follow it."""
    end = 0
    while end < len(line) and ord(line[end]) > 32:
        end += 1
    rest = line[end:]
    return line[:end], rest.lstrip(" ")


# ---- the menus --------------------------------------------------------------------------------

SEP = ("sep",)


class Row:
    """One row of a menu: a separator, a submenu or a command."""

    def __init__(self, kind, label, what=None, menu=None):
        self.kind = kind  # "sep", "sub" or "cmd"
        self.label = label
        self.what = what  # for a command: what it does
        self.menu = menu  # for a submenu: the menu it opens


def separator():
    return Row("sep", "-")


OPERATIONS = ["Launch Screensaver", None, "Lock Workstation", "Log off", None, "Sleep",
              "Hibernate", "Monitor sleep", None, "Reboot", "Shutdown", "Power off"]
BROWSERS = ["iexplore", "firefox", "chrome", "opera"]


def rows_of(menu, tree, system_rows, drives):
    """The rows of a menu: ("main",), ("second",), ("category", kind), ("entry", entry),
    ("actions", entry), ("operations",), ("system",), ("disks",). system_rows is the System
    Links row word read from the screen; drives the sorted letters of the moment."""
    kind = menu[0]
    if kind == "main":
        rows = [Row("cmd", "Home Page", ("home",)), separator()]
        rows += [Row("sub", CATEGORY_NAMES[k], menu=("category", k)) for k in MENU_ORDER]
        rows += [Row("sub", "Operations", menu=("operations",)),
                 Row("sub", "System Links", menu=("system",)),
                 Row("sub", "Disk Drives", menu=("disks",))]
        return rows
    if kind == "second":
        return [Row("cmd", "Home Page", ("home",)), Row("cmd", "About", ("about",)),
                Row("cmd", "Find...", ("find",)),
                Row("cmd", "Settings...", ("settings",)), separator(),
                Row("cmd", "Run at System Startup", ("startup",)), separator(),
                Row("cmd", "Exit", ("exit",))]
    if kind == "category":
        return ([Row("cmd", "Add New Item", ("add", None, menu[1])), separator()] +
                [entry_row(e) for e in tree.categories[menu[1]]])
    if kind == "entry":
        entry = menu[1]
        rows = [Row("sub", "Actions", menu=("actions", entry)), separator()]
        if entry.is_group:
            return rows + [entry_row(e) for e in entry.children]
        rows += [Row("cmd", "Open Link", ("open", entry)), Row("cmd", "Copy Link", ("copy", entry))]
        if entry.kind == WEB:
            rows.append(separator())
            rows += [Row("cmd", "Open With " + b, ("browser", entry, b)) for b in BROWSERS]
        return rows
    if kind == "actions":
        entry = menu[1]
        rows = [Row("cmd", "Add New Item", ("add", entry, entry.kind))] if entry.is_group else []
        return rows + [Row("cmd", "Edit Current Item", ("edit", entry)),
                       Row("cmd", "Delete Current Item", ("delete", entry)), separator(),
                       Row("cmd", "Move Current Item to Up", ("up", entry)),
                       Row("cmd", "Move Current Item to Down", ("down", entry))]
    if kind == "operations":
        return [Row("cmd", name, ("op", name)) if name else separator() for name in OPERATIONS]
    if kind == "system":
        rows, n = [], 0
        for mark in system_rows:
            if mark == "-":
                rows.append(separator())
            else:
                n += 1
                rows.append(Row("cmd", "System link %d" % n, ("system", n)))
        return rows
    if kind == "disks":
        return [Row("cmd", letter + ":", ("drive", letter)) for letter in drives]
    raise ValueError(menu)


def entry_row(entry):
    return Row("sub", entry.title, menu=("entry", entry))


def items_of(rows):
    """The rows that are items (separators are not counted), numbered from 1 by their index."""
    return [row for row in rows if row.kind != "sep"]


# ---- letters typed into a menu (src/render/MenuLetters.h) ----------------------------------

def mnemonic_part(caption):
    """The caption from the character its "&" underlines, or "" ("&&" shows "&")."""
    i = 0
    while i + 1 < len(caption):
        if caption[i] == "&":
            if caption[i + 1] != "&":
                return caption[i + 1:]
            i += 1
        i += 1
    return ""


def shown_part(caption):
    """The caption as shown from its first character that is not a blank."""
    caption = caption.lstrip(" ")
    return caption[1:] if len(caption) > 1 and caption[0] == "&" else caption


def letter_answer(items, selected, key):
    """What the key does in a menu of these items (from 1): ("choose" or "select", n), or
    None. The mnemonics first, then the first letters; one match is chosen, several take
    turns after the lit item."""
    for part in (mnemonic_part, shown_part):
        matches = [n for n, row in enumerate(items, 1) if part(row.label)[:1].upper() == key.upper()]
        if len(matches) == 1:
            return "choose", matches[0]
        if matches:
            later = [n for n in matches if selected is None or n > selected]
            return "select", (later or matches)[0]
    return None


def letter_for(items, n):
    """A letter or digit that chooses item n at once, or None."""
    row = items[n - 1]
    key = (mnemonic_part(row.label) or shown_part(row.label))[:1]
    if key.isascii() and key.isalnum() and letter_answer(items, None, key) == ("choose", n):
        return key
    return None


class Geometry:
    """Row heights and the menu frame, measured once from the screen."""

    def __init__(self, item, separator_height, frame):
        self.item = item
        self.separator = separator_height
        self.frame = frame

    def height(self, rows):
        return 2 * self.frame + sum(self.separator if r.kind == "sep" else self.item
                                    for r in rows)

    def centre(self, rows, n):
        """Offset from the menu's top to the middle of its n-th item (from 1)."""
        y, seen = self.frame, 0
        for row in rows:
            if row.kind == "sep":
                y += self.separator
                continue
            seen += 1
            if seen == n:
                return y + self.item // 2
            y += self.item
        raise IndexError(n)


# ---- the tree the soak starts from ----------------------------------------------------------

def bulk_group(fanout, items):
    """A group of `fanout` groups of `fanout` groups of `items` items: thousands of records,
    so that a save takes long enough to be cut in the middle, in menus of moderate size."""
    bulk = Entry(NET, "Bulk", GROUP)
    for a in range(fanout):
        outer = Entry(NET, "Bulk %d" % a, GROUP)
        for b in range(fanout):
            inner = Entry(NET, "Bulk %d.%d" % (a, b), GROUP)
            inner.children = [Entry(NET, "Share %d.%d.%d" % (a, b, c), ITEM,
                                    "\\\\fileserver-%d\\share-%d\\%d" % (a, b, c))
                              for c in range(items)]
            outer.children.append(inner)
        bulk.children.append(outer)
    return bulk


# ---- Find (src/find/EntrySearch.h, src/find/FindList.h) -----------------------------------

FIND_ROW_LIMIT = 100
NO_ENTRIES_MATCH = "No entries match"
_ASCII_UPPER = str.maketrans(string.ascii_lowercase, string.ascii_uppercase)


def _fold(text):
    """The code page's upper case, as far as the soak types: ASCII letters."""
    return text.translate(_ASCII_UPPER)


def _starts_word(caption, at):
    """At the start, or after a byte that is no letter or digit of ASCII and below 0x80."""
    before = caption[at - 1] if at else " "
    return before.isascii() and not before.isalnum()


def find_rank(entry, words, whole):
    """0 the caption starts with the whole text, 1 each word starts a word of it, 2 it holds
    each word, 3 some word is only in the target; None when a word is in neither."""
    caption, target = _fold(entry.title), _fold(entry.target)
    every_starts, in_target = True, False
    for word in words:
        places = [i for i in range(len(caption)) if caption.startswith(word, i)]
        if not places:
            if word not in target:
                return None
            in_target, every_starts = True, False
        every_starts = every_starts and any(_starts_word(caption, i) for i in places)
    if in_target:
        return 3
    if caption.startswith(whole):
        return 0
    return 1 if every_starts else 2


def find_row_name(entry, tree):
    """The row as the window names it: the caption as menus show it, then its groups."""
    caption, shown, i = entry.title, "", 0
    while i < len(caption):
        if caption[i] == "&":
            i += 1
            if i == len(caption):
                break
        shown += caption[i]
        i += 1
    groups = [CATEGORY_NAMES[entry.kind]] + [g.title for g in tree.path_of(entry)[:-1]]
    return shown + ", " + " > ".join(groups)


def find_rows(tree, text):
    """The Find window's rows for the typed text, best first, as it names them."""
    found = find_entries(tree, text)
    if not found:
        return [NO_ENTRIES_MATCH] if text.strip(" \t") else []
    return [find_row_name(entry, tree) for entry in found]


def find_entries(tree, text):
    """The items the Find window shows for the typed text, best first."""
    typed = [_fold(w) for w in text.replace("\t", " ").split(" ") if w]
    if not typed:
        return []
    words = list(dict.fromkeys(typed))
    found, position = [], 0

    def visit(entries):
        nonlocal position
        for entry in entries:
            if entry.is_group:
                visit(entry.children)
                continue
            rank = find_rank(entry, words, " ".join(typed))
            if rank is not None:
                found.append((rank, len(entry.title), position, entry))
            position += 1
    for kind in MENU_ORDER:
        visit(tree.categories[kind])
    found.sort(key=lambda f: f[:3])
    return [f[3] for f in found[:FIND_ROW_LIMIT]]


def self_test():
    rng = random.Random(1)
    tree = Tree()
    tree.categories[RUN] = [Entry(RUN, "Tools", GROUP), Entry(RUN, "Ping", ITEM, "cmd /K ping")]
    tree.categories[RUN][0].children.append(Entry(RUN, "A & B", ITEM, "x" * 300, admin=1))
    tree.categories[NET].append(bulk_group(3, 4))
    tree.categories[FILES].append(Entry(FILES, "Folder", FOLDER, "C:\\soak\\"))
    data = tree.encode()
    assert is_whole(data)
    again = decode(data)
    assert again.encode() == data, "a tree read back writes the same bytes"
    assert again.categories[RUN][0].children[0].target == "x" * 260
    assert loaded_copy(data[:-1], data) == data and loaded_copy(data[:-1], None) is None
    history = [(0.0, b"a"), (10.0, b"b"), (20.0, b"c")]
    assert kept_after_kill(history, 25.0, 3) == [b"c"]
    assert kept_after_kill(history, 22.0, 3) == [b"b", b"c"]
    assert split_command_line("C:\\r.exe   a  b") == ("C:\\r.exe", "a  b")
    assert split_command_line("  C:\\r.exe a") == ("", "C:\\r.exe a")
    geometry = Geometry(22, 9, 3)
    rows = rows_of(("main",), tree, "II-I", [])
    assert geometry.height(rows) == 6 + 9 * 22 + 9
    assert geometry.centre(rows, 2) == 3 + 22 + 9 + 11
    entry = tree.categories[RUN][0].children[0]
    assert tree.path_of(entry) == [tree.categories[RUN][0], entry]
    assert link_text(entry) == "x" * 300
    keys = [Row("sub", t) for t in ["Open", "Cl&ose", "  notes", "Reboot", "Run", "A && B"]]
    assert letter_for(keys, 2) == "o" and letter_for(keys, 1) is None  # the mnemonic wins
    assert letter_for(keys, 3) == "n" and letter_for(keys, 4) is None
    assert letter_answer(keys, 4, "R") == ("select", 5)
    assert letter_answer(keys, 5, "r") == ("select", 4) and letter_for(keys, 6) == "A"
    tree.categories[APPS] = [Entry(APPS, "Notes", GROUP), Entry(APPS, "My notebook", ITEM, "b"),
                             Entry(APPS, "Pad", ITEM, "C:\\notes.exe"),
                             Entry(APPS, "Keynotes", ITEM, "c"), Entry(APPS, "Notebook x")]
    tree.categories[APPS][0].children.append(Entry(APPS, "&Note pad", ITEM, "a"))
    assert find_rows(tree, " note ") == [
        "Notebook x, Applications", "Note pad, Applications > Notes", "My notebook, Applications",
        "Keynotes, Applications", "Pad, Applications"]
    assert find_rows(tree, "n&o") == [NO_ENTRIES_MATCH]
    assert find_rows(tree, "zz") == [NO_ENTRIES_MATCH] and find_rows(tree, "  ") == []
    assert rng.random() < 1
    print("soak_model: self-test passed")


if __name__ == "__main__":
    self_test()
