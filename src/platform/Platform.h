#pragma once
// Everything the portable program reaches of the operating system, in narrow pieces.

#include "platform/ClipboardApi.h"
#include "platform/CodePageApi.h"
#include "platform/DrivesApi.h"
#include "platform/FileApi.h"
#include "platform/HotKeyApi.h"
#include "platform/IconApi.h"
#include "platform/InternetApi.h"
#include "platform/MessageApi.h"
#include "platform/PictureApi.h"
#include "platform/PickerApi.h"
#include "platform/PowerApi.h"
#include "platform/ProcessApi.h"
#include "platform/RegistryApi.h"
#include "platform/RegistryWriteApi.h"
#include "platform/ShellApi.h"
#include "platform/ShellFoldersApi.h"
#include "platform/ThreadApi.h"
#include "platform/ShortcutsApi.h"
#include "platform/UiApi.h"

namespace vantrel {

struct Platform {
    ProcessApi& process;
    RegistryApi& registry;
    IconApi& icons;
    UiApi& ui;
    ShellApi& shell;
    ClipboardApi& clipboard;
    ShellFoldersApi& folders;
    DrivesApi& drives;
    PowerApi& power;
    RegistryWriteApi& registryWrite;
    InternetApi& internet;
    MessageApi& messages;
    FileApi& files;
    PickerApi& pickers;
    CodePageApi& codePage;
    PicturesApi& pictures;
    ThreadApi& saveThread;
    ShortcutsApi& shortcuts;
    HotKeyApi& hotKeys;
};

} // namespace vantrel
