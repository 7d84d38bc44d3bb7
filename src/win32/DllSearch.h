#pragma once
// The program may be started from a downloads folder full of strangers' files: no DLL may
// ever be taken from the program's own folder or the current directory.

#include "win32/WinHeaders.h"

namespace vantrel::win32 {

// Limits every later DLL load to System32. Called before anything else in the process.
void RestrictDllSearchToSystem32();

// Loads a DLL that Windows does not always take from System32 (WinINet, the power
// library) from System32 only. Null when it cannot be loaded from there.
HMODULE LoadSystemLibrary(const char* name);

} // namespace vantrel::win32
