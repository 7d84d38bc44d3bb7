#pragma once
// COM for the threads that ask the shell, from ole32 loaded when the first of them needs it
// rather than with the program: under Wine, ole32 and the libraries it brings take a fifth
// of the time a tray program needs to show its icon. ole32 is one of the system's known
// DLLs, always mapped from System32.

#include "win32/WinHeaders.h"

namespace vantrel::win32 {

// CoInitializeEx, single-threaded apartment; true when the thread must uninitialize.
bool InitializeComOnThisThread();
void UninitializeComOnThisThread();

// CoCreateInstance of an in-process object on a thread where COM is initialised; false, and
// `object` null, when ole32 or the object is missing.
bool CreateInProcessObject(const GUID& type, const GUID& requested, void** object);

} // namespace vantrel::win32
