#pragma once
// The real operating system behind the program's platform interfaces.

#include "platform/Platform.h"
#include "platform/PictureWorker.h"
#include "win32/BackgroundThread.h"
#include "win32/MainWindow.h"
#include "win32/Win32Clipboard.h"
#include "win32/Win32Drives.h"
#include "win32/Win32Files.h"
#include "win32/Win32HotKeys.h"
#include "win32/Win32Icons.h"
#include "win32/Win32Internet.h"
#include "win32/Win32Messages.h"
#include "win32/Win32Pictures.h"
#include "win32/Win32Pickers.h"
#include "win32/Win32Power.h"
#include "win32/Win32Process.h"
#include "win32/Win32Registry.h"
#include "win32/Win32RegistryWrite.h"
#include "win32/Win32Shell.h"
#include "win32/Win32ShellFolders.h"
#include "win32/Win32Shortcuts.h"
#include "win32/WideText.h"

namespace vantrel::win32 {

struct Win32Platform {
    explicit Win32Platform(HINSTANCE instance) : window(instance) {}
    Win32Process process;
    Win32Registry registry;
    Win32Icons icons;
    MainWindow window;
    Win32Shell shell;
    Win32Clipboard clipboard; // owned by the main window once it exists (see main.cpp)
    Win32ShellFolders folders;
    Win32Drives drives; // made on the GUI thread: background icons come back through its window
    Win32Power power;
    Win32RegistryWrite registryWrite;
    InternetApi& internet = Win32Internet::ForProcess(); // lives as long as the process
    Win32Messages messages; // posts to the main window once it exists (see main.cpp)
    Win32Files files;
    Win32Pickers pickers;   // owned by the dialog that opens them (see DialogHost.h)
    Win32CodePage codePage;
    Win32Shortcuts shortcuts;
    Win32HotKeys hotKeys; // registers for the main window once it exists (see main.cpp)
    // Declared after the messages it posts with, so it stops before they go.
    PictureWorker pictures{Win32PictureReader::ForProcess(),
                           [this] { return messages.PostToMainForm(PicturesReadyMessage, 0, 0); },
                           RunInBackground};
    // Declared after the files it writes and the messages it posts, so it ends before they go.
    WaitableThread saveThread;
    Platform platform{process, registry, icons,    window,        shell,     clipboard,
                      folders, drives,   power,    registryWrite, internet,  messages,
                      files,   pickers,  codePage, pictures,      saveThread,
                      shortcuts, hotKeys};
};

} // namespace vantrel::win32
