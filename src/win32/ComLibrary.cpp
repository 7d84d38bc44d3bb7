#include "win32/ComLibrary.h"

#include "win32/OnDemandLibrary.h"

#include <objbase.h>

namespace vantrel::win32 {

namespace {
// Loaded once, by whichever thread comes first, and kept until the process ends: threads
// left behind at exit may still uninitialize.
const OnDemandLibrary& Ole32() {
    static const OnDemandLibrary* const library = new OnDemandLibrary("ole32.dll");
    return *library;
}
} // namespace

bool InitializeComOnThisThread() {
    using InitializeFn = HRESULT(WINAPI*)(void*, DWORD);
    const auto initialize = Ole32().Find<InitializeFn>("CoInitializeEx");
    return initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
}

bool CreateInProcessObject(const GUID& type, const GUID& requested, void** object) {
    using CreateFn = HRESULT(WINAPI*)(const GUID&, IUnknown*, DWORD, const GUID&, void**);
    *object = nullptr;
    const auto create = Ole32().Find<CreateFn>("CoCreateInstance");
    return create && SUCCEEDED(create(type, nullptr, CLSCTX_INPROC_SERVER, requested, object)) &&
           *object;
}

void UninitializeComOnThisThread() {
    using UninitializeFn = void(WINAPI*)();
    if (const auto uninitialize = Ole32().Find<UninitializeFn>("CoUninitialize"))
        uninitialize();
}

} // namespace vantrel::win32
