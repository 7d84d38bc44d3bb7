#pragma once
// Keyboard shortcuts that reach the main form's window from every program (user32), and the
// translation between a shortcut and the standard hot-key field's value.

#include "platform/HotKeyApi.h"
#include "win32/WinHeaders.h"

namespace vantrel::win32 {

class Win32HotKeys final : public HotKeyApi {
  public:
    // The main form's window, once it exists; until then nothing can be registered.
    void SetWindow(HWND window) { window_ = window; }
    bool Register(int id, const Shortcut& shortcut) override;
    void Unregister(int id) override;

  private:
    HWND window_ = nullptr;
};

// The hot-key field (msctls_hotkey32) knows Ctrl, Alt and Shift only: the Windows key of a
// shortcut is left out, and a field's value never has it.
WORD HotKeyFieldValue(const Shortcut& shortcut);
// The same keys, whether or not a value marks its key as extended: the field marks the key
// the user types by where it lies on the keyboard.
bool SameHotKeyFieldValue(WORD a, WORD b);
Shortcut ShortcutOfHotKeyField(WORD value);

// Loads the common controls the first time a hot-key field is made; false when they are
// missing.
bool HotKeyFieldAvailable();

} // namespace vantrel::win32
