#pragma once
// The real operating system behind the program's platform interfaces.

#include "platform/Platform.h"
#include "win32/MainWindow.h"
#include "win32/Win32Icons.h"
#include "win32/Win32Process.h"
#include "win32/Win32Registry.h"

namespace vantrel::win32 {

struct Win32Platform {
    explicit Win32Platform(HINSTANCE instance) : window(instance) {}
    Win32Process process;
    Win32Registry registry;
    Win32Icons icons;
    MainWindow window;
    Platform platform{process, registry, icons, window};
};

} // namespace vantrel::win32
