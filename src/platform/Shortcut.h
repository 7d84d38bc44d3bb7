#pragma once
// A keyboard shortcut that works in every program: modifier keys and one key, named by its
// Windows virtual-key code. Its text form ("Win+Alt+M") is what the settings file keeps and
// what the program's messages show.

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

} // namespace vantrel
