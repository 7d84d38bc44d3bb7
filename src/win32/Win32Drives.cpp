#include "win32/Win32Drives.h"

#include "win32/BackgroundThread.h"
#include "win32/ComLibrary.h"
#include "win32/Win32Icons.h"

#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

namespace vantrel::win32 {

struct Win32Drives::Mailbox {
    std::mutex lock;
    HWND window = nullptr; // cleared when the owner goes, so late threads post nowhere
    std::vector<std::pair<unsigned, std::optional<RawIcon>>> finished;
};

namespace {
constexpr const char* WindowClassName = "VantrelDriveIcons";

void LookUpIcon(const std::shared_ptr<Win32Drives::Mailbox>& mailbox, unsigned id,
                const std::string& path, int side) noexcept {
    try {
        std::optional<RawIcon> icon;
        // The shell needs COM on every thread that asks it for icons.
        const bool com = InitializeComOnThisThread();
        try {
            icon = Win32Icons().SmallIconOfPath(path, TextEncoding::Ansi, side);
        } catch (...) {
        }
        if (com)
            UninitializeComOnThisThread();
        std::lock_guard<std::mutex> guard(mailbox->lock);
        mailbox->finished.emplace_back(id, std::move(icon));
        if (mailbox->window)
            PostMessageA(mailbox->window, Win32Drives::IconReadyMessage, 0, 0);
    } catch (...) {
        // Nothing may leave a thread; the answer is simply lost, as a time-out would be.
    }
}

BOOL CALLBACK RepaintIfMenu(HWND window, LPARAM) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32768") == 0 && IsWindowVisible(window))
        InvalidateRect(window, nullptr, FALSE);
    return TRUE;
}

// An icon that arrives while the menu is open is painted at once; owner-drawn items are
// drawn afresh from their records.
void RepaintOpenMenus() {
    EnumThreadWindows(GetCurrentThreadId(), &RepaintIfMenu, 0);
}

DriveType FromSystemType(UINT type) {
    switch (type) {
    case DRIVE_NO_ROOT_DIR:
        return DriveType::NoRootDir;
    case DRIVE_REMOVABLE:
        return DriveType::Removable;
    case DRIVE_FIXED:
        return DriveType::Fixed;
    case DRIVE_REMOTE:
        return DriveType::Remote;
    case DRIVE_CDROM:
        return DriveType::CdRom;
    case DRIVE_RAMDISK:
        return DriveType::RamDisk;
    default:
        return DriveType::Unknown;
    }
}
} // namespace

Win32Drives::Win32Drives() : mailbox_(std::make_shared<Mailbox>()) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32Drives::WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = WindowClassName;
    RegisterClassExA(&windowClass); // fails harmlessly when already registered
    window_ = CreateWindowExA(0, WindowClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              instance, this);
    std::lock_guard<std::mutex> guard(mailbox_->lock);
    mailbox_->window = window_;
}

Win32Drives::~Win32Drives() {
    {
        std::lock_guard<std::mutex> guard(mailbox_->lock);
        mailbox_->window = nullptr;
    }
    if (window_)
        DestroyWindow(window_);
    // Lookups still blocked in the shell end on their own and find nobody to tell; the
    // process does not wait for a network time-out to exit.
}

std::uint32_t Win32Drives::LogicalDrives() {
    return GetLogicalDrives();
}

DriveType Win32Drives::TypeOfDrive(const std::string& root) {
    return FromSystemType(GetDriveTypeA(root.c_str()));
}

bool Win32Drives::RequestIconInBackground(const std::string& path, int side, IconDone done) {
    if (!window_)
        return false;
    const unsigned id = ++nextId_;
    // Not a detached std::thread: see BackgroundThread.h.
    std::shared_ptr<Mailbox> mailbox = mailbox_;
    if (!RunInBackground([mailbox, id, path, side] { LookUpIcon(mailbox, id, path, side); }))
        return false; // no thread to be had: the row stays without its icon
    waiting_.emplace(id, std::move(done));
    return true;
}

LRESULT CALLBACK Win32Drives::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Drives*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == IconReadyMessage && self) {
        // No exception may unwind into user32.
        try {
            self->DeliverFinished();
        } catch (...) {
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Win32Drives::DeliverFinished() {
    std::vector<std::pair<unsigned, std::optional<RawIcon>>> finished;
    {
        std::lock_guard<std::mutex> guard(mailbox_->lock);
        finished.swap(mailbox_->finished);
    }
    bool delivered = false;
    for (auto& [id, icon] : finished) {
        const auto it = waiting_.find(id);
        if (it == waiting_.end())
            continue;
        IconDone done = std::move(it->second);
        waiting_.erase(it);
        delivered = true;
        try {
            done(std::move(icon));
        } catch (...) {
            // One failed delivery must not strand the answers after it.
        }
    }
    if (delivered)
        RepaintOpenMenus();
}

} // namespace vantrel::win32
