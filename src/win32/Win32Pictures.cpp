#include "win32/Win32Pictures.h"

#include "platform/WindowsPaths.h"
#include "win32/ComLibrary.h"
#include "win32/Handles.h"
#include "win32/WideText.h"
#include "win32/Win32Icons.h"
#include "win32/Win32Process.h"
#include "win32/Win32ShellFolders.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace vantrel::win32 {

namespace {
thread_local bool comStarted = false;
thread_local bool inBackgroundMode = false;

// A read nobody waits for yields the processor and the disk to everything else: at logon
// the disks are at their busiest. Background mode (Vista on) lowers the thread's disk
// priority too; where the system lacks it, the thread priority alone is lowered.
void SetUrgency(bool urgent) {
    const HANDLE self = GetCurrentThread();
    if (urgent && inBackgroundMode)
        inBackgroundMode = !SetThreadPriority(self, THREAD_MODE_BACKGROUND_END);
    else if (!urgent && !inBackgroundMode)
        inBackgroundMode = SetThreadPriority(self, THREAD_MODE_BACKGROUND_BEGIN) != FALSE;
    SetThreadPriority(self, urgent ? THREAD_PRIORITY_NORMAL : THREAD_PRIORITY_LOWEST);
}

std::optional<RawIcon> FolderPicture(int csidl, int side, Win32Icons& icons) {
    Win32ShellFolders folders;
    const ItemIdList list = folders.SpecialFolderLocation(csidl);
    if (!list)
        return std::nullopt;
    return icons.SmallIconOfIdList(list.Get(), side);
}

bool IsProgram(const std::string& path) {
    return path.size() > 4 && _stricmp(path.c_str() + path.size() - 4, ".exe") == 0;
}

// A program's picture is its first icon, the one the shell shows for it. Taken from the file
// itself, it does not go into the shell's list of every picture it ever showed, which under
// Wine keeps a quarter of a megabyte per picture. A program without an icon of its own gets
// the shell's picture of programs. At the system's small-icon size it is the small icon the
// shell shows; at any other (a monitor of another scaling) it is taken from the icon's image
// nearest that size.
HICON ProgramIcon(const std::wstring& path, int side) {
    HICON icon = nullptr;
    if (side == GetSystemMetrics(SM_CXSMICON))
        return ExtractIconExW(path.c_str(), 0, nullptr, &icon, 1) > 0 ? icon : nullptr;
    const UINT size = static_cast<UINT>(side);
    return SHDefExtractIconW(path.c_str(), 0, 0, &icon, nullptr, size) == S_OK ? icon : nullptr;
}

std::optional<RawIcon> PictureOf(const std::string& path, TextEncoding encoding, int side,
                                 Win32Icons& icons) {
    if (IsProgram(path)) {
        if (HICON program = ProgramIcon(Widen(path, encoding), side)) {
            const OwnedIcon icon(program);
            return ReadIconPixels(icon.Get());
        }
    }
    return icons.SmallIconOfPath(path, encoding, side);
}

std::optional<RawIcon> ReadNow(const PictureSource& source) {
    Win32Icons icons;
    if (source.paths.empty())
        return FolderPicture(source.specialFolder, source.side, icons);
    for (const std::string& path : source.paths) {
        std::optional<RawIcon> icon = PictureOf(path, source.encoding, source.side, icons);
        if (icon && icon->colourRead)
            return icon;
    }
    return std::nullopt;
}
} // namespace

Win32PictureReader& Win32PictureReader::ForProcess() {
    static Win32PictureReader* const instance = new Win32PictureReader(); // never destroyed
    return *instance;
}

Win32PictureReader::Win32PictureReader() {
    if (Win32Process().QueryIsWow64())
        systemDirectory_ = Win32ShellFolders().SystemDirectory();
}

void Win32PictureReader::BeginThread() {
    comStarted = InitializeComOnThisThread();
}

void Win32PictureReader::EndThread() {
    if (comStarted)
        UninitializeComOnThisThread();
    comStarted = false;
}

std::optional<RawIcon> Win32PictureReader::Read(const PictureSource& source, bool urgent) {
    SetUrgency(urgent);
    if (!source.realSystemDirectory || systemDirectory_.empty())
        return ReadNow(source);
    return ReadNow(ThroughSysnative(source));
}

PictureSource Win32PictureReader::ThroughSysnative(const PictureSource& source) const {
    PictureSource native = source;
    native.encoding = TextEncoding::Utf8;
    native.paths.clear();
    for (const std::string& path : source.paths) {
        const std::string utf8 = ToUtf8(Widen(path, source.encoding));
        native.paths.push_back(vantrel::ThroughSysnative(utf8, systemDirectory_));
        if (native.paths.back() != utf8)
            native.paths.push_back(utf8);
    }
    return native;
}

} // namespace vantrel::win32
