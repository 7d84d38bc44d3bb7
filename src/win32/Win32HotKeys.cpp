#include "win32/Win32HotKeys.h"

#include "win32/OnDemandLibrary.h"

#include <commctrl.h>

namespace vantrel::win32 {

namespace {
struct ModifierPair {
    unsigned shortcut;
    BYTE field;
};

constexpr ModifierPair FieldModifiers[] = {
    {ModCtrl, HOTKEYF_CONTROL}, {ModAlt, HOTKEYF_ALT}, {ModShift, HOTKEYF_SHIFT}};

// Keys with a number-pad twin of the same code, or with a second scan code: the field names
// them as the number-pad key unless its value says "extended".
bool IsExtendedKey(unsigned key) {
    return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_SNAPSHOT || key == VK_INSERT ||
           key == VK_DELETE || key == VK_APPS || key == VK_DIVIDE || key == VK_NUMLOCK;
}
} // namespace

// MOD_NOREPEAT: a key held down opens the menu once, not again with every repeat.
bool Win32HotKeys::Register(int id, const Shortcut& shortcut) {
    return window_ &&
           RegisterHotKey(window_, id, shortcut.modifiers | MOD_NOREPEAT, shortcut.key) != FALSE;
}

void Win32HotKeys::Unregister(int id) {
    if (window_)
        UnregisterHotKey(window_, id);
}

WORD HotKeyFieldValue(const Shortcut& shortcut) {
    BYTE flags = IsExtendedKey(shortcut.key) ? HOTKEYF_EXT : 0;
    for (const ModifierPair& pair : FieldModifiers)
        if (shortcut.modifiers & pair.shortcut)
            flags = static_cast<BYTE>(flags | pair.field);
    return MAKEWORD(static_cast<BYTE>(shortcut.key), flags);
}

bool SameHotKeyFieldValue(WORD a, WORD b) {
    constexpr WORD ext = HOTKEYF_EXT << 8;
    return (a & ~ext) == (b & ~ext);
}

// HOTKEYF_EXT is left out: the shortcut is registered by the key's code alone.
Shortcut ShortcutOfHotKeyField(WORD value) {
    Shortcut shortcut{0, LOBYTE(value)};
    for (const ModifierPair& pair : FieldModifiers)
        if (HIBYTE(value) & pair.field)
            shortcut.modifiers |= pair.shortcut;
    return shortcut;
}

// comctl32 is not imported: a program that sits in the tray would load it at every start for
// a window that is seldom opened. Kept for the rest of the run once loaded.
bool HotKeyFieldAvailable() {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const OnDemandLibrary* const library = new OnDemandLibrary("comctl32.dll");
    static const bool ready = [] {
        const auto init = library->Find<InitFn>("InitCommonControlsEx");
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_HOTKEY_CLASS};
        return init && init(&controls) != FALSE;
    }();
    return ready;
}

} // namespace vantrel::win32
