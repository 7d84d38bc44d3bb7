#pragma once
// A keyboard shortcut that works in every program: modifier keys and one key, named by its
// Windows virtual-key code. Its text form ("Win+Alt+M") is what the settings file keeps and
// what the program's messages show.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The values RegisterHotKey takes (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN).
enum ShortcutModifier : unsigned { ModAlt = 1, ModCtrl = 2, ModShift = 4, ModWin = 8 };
constexpr unsigned AllModifiers = ModAlt | ModCtrl | ModShift | ModWin;

struct Shortcut {
    unsigned modifiers = 0; // ShortcutModifier bits
    unsigned key = 0;       // the virtual-key code; 0 for none

    friend bool operator==(const Shortcut& a, const Shortcut& b) {
        return a.modifiers == b.modifiers && a.key == b.key;
    }
    friend bool operator!=(const Shortcut& a, const Shortcut& b) { return !(a == b); }
};

// "Win+Ctrl+Alt+Shift+Key", the modifiers in the order Windows' own list of shortcuts names
// them; letters, digits and F1 to F24 by themselves, other keys by a name ("PageUp", "Num5")
// or, without one, by their code ("0xBA", a key whose letter depends on the layout). Empty
// for a shortcut without a key.
std::string ShortcutText(const Shortcut& shortcut);

// The text form back, its parts in any order and of any case, blanks around them allowed;
// empty for anything else (a missing or unknown key, a modifier twice, a modifier as the key).
std::optional<Shortcut> ParseShortcut(std::string_view text);

// A shortcut that may be taken from every program: a key and the Windows key, Ctrl or Alt.
// A key alone, or with Shift only, is what people type.
bool UsableEverywhere(const Shortcut& shortcut);

// How the last menu closed, as the main window noted it: when (a millisecond tick) and which
// modifier keys were held down then (ShortcutModifier bits; none when a shortcut closed it).
struct MenuClosing {
    std::uint32_t tick = 0;
    unsigned modifiersHeld = 0;
};

// Long enough for the rest of a shortcut after its Alt closed the menu, short enough that a
// fresh press to open the menu again is seldom taken for it.
constexpr std::uint32_t ClosingPressSpanMs = 1000;

enum class ShortcutPress { OpensMenu, ClosesMenu, ClosedMenuAlready };
// What a press of a shortcut with these modifiers does to the menu. Alt pressed while a menu
// is open closes the menu before the rest of the shortcut reaches the program: a press whose
// modifiers were all held as the menu closed, a moment ago, is the one that closed it.
ShortcutPress WhatShortcutPressDoes(bool menuOpen, const std::optional<MenuClosing>& lastClosing,
                                    unsigned modifiers, std::uint32_t now);

} // namespace vantrel
