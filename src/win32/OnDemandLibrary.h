#pragma once
// A system DLL that the program does not import but loads when it needs it, from System32
// only (see DllSearch.h), and the entry points looked up in it.

#include "win32/WinHeaders.h"

namespace vantrel::win32 {

class OnDemandLibrary {
public:
    explicit OnDemandLibrary(const char* name);
    ~OnDemandLibrary();
    OnDemandLibrary(const OnDemandLibrary&) = delete;
    OnDemandLibrary& operator=(const OnDemandLibrary&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    // The named entry point as a function pointer of type Function; null when missing.
    template <typename Function>
    Function Find(const char* name) const {
        if (!module_)
            return nullptr;
        // GetProcAddress hands out a generic pointer; the caller names the real type.
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

private:
    HMODULE module_;
};

} // namespace vantrel::win32
