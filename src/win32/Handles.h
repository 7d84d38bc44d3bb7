#pragma once
// One move-only owner per handle kind, each counting the handles it holds. Wine reports no
// GUI resource counts, so these counters are how tests prove that nothing leaks.

#include "win32/WinHeaders.h"

#include <atomic>
#include <utility>

namespace vantrel::win32 {

struct HandleCounts {
    long menus;
    long gdiObjects;
    long deviceContexts;
    long icons;
    bool operator==(const HandleCounts& other) const {
        return menus == other.menus && gdiObjects == other.gdiObjects &&
               deviceContexts == other.deviceContexts && icons == other.icons;
    }
};

HandleCounts LiveHandleCounts();
void CountMenus(long delta);
void CountGdiObjects(long delta);
void CountDeviceContexts(long delta);
void CountIcons(long delta);

template <typename Handle, typename Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {
        if (handle_)
            Traits::Count(1);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    ~Owned() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset() {
        if (handle_) {
            Traits::Destroy(handle_);
            Traits::Count(-1);
            handle_ = nullptr;
        }
    }
    // Hands the handle to someone who destroys it (a menu that owns its submenus).
    Handle Release() {
        if (handle_)
            Traits::Count(-1);
        return std::exchange(handle_, nullptr);
    }

private:
    Handle handle_ = nullptr;
};

struct MenuTraits {
    static void Destroy(HMENU menu) { DestroyMenu(menu); }
    static void Count(long delta) { CountMenus(delta); }
};
struct GdiObjectTraits {
    static void Destroy(HGDIOBJ object) { DeleteObject(object); }
    static void Count(long delta) { CountGdiObjects(delta); }
};
struct MemoryDcTraits {
    static void Destroy(HDC dc) { DeleteDC(dc); }
    static void Count(long delta) { CountDeviceContexts(delta); }
};
struct IconTraits {
    static void Destroy(HICON icon) { DestroyIcon(icon); }
    static void Count(long delta) { CountIcons(delta); }
};

using OwnedMenu = Owned<HMENU, MenuTraits>;
using OwnedGdiObject = Owned<HGDIOBJ, GdiObjectTraits>;
using OwnedMemoryDc = Owned<HDC, MemoryDcTraits>;
using OwnedIcon = Owned<HICON, IconTraits>;

// A window's device context from GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {
        if (dc_)
            CountDeviceContexts(1);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
            CountDeviceContexts(-1);
        }
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() {
        if (previous_)
            SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace vantrel::win32
