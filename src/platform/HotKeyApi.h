#pragma once
// Keyboard shortcuts that reach the program from every other program (RegisterHotKey on the
// main form's window). A press comes back to the main form as ShortcutPressed with the id.

#include "platform/Shortcut.h"

namespace vantrel {

class HotKeyApi {
  public:
    virtual ~HotKeyApi() = default;
    // False when another program, Windows, or another id of this one holds the shortcut.
    virtual bool Register(int id, const Shortcut& shortcut) = 0;
    virtual void Unregister(int id) = 0;
};

} // namespace vantrel
