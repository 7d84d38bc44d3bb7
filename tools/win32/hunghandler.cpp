// hunghandler: a shell icon handler that never answers, as one whose files live on a share
// that stopped answering does. Registered for an extension, it keeps every thread that asks
// the shell for such a file's icon inside IPersistFile::Load for good, and appends a line to
// "<this dll>.stuck" beside itself for each (the reads it holds).
//   HKLM\Software\Classes\.<ext>\ShellEx\{000214FA-0000-0000-C000-000000000046} = its class
//   HKLM\Software\Classes\CLSID\{6D1F0C57-3B1E-4A8E-9A55-5F1D2C0B7E41}\InprocServer32 = it
// (the class in the 32-bit view: /reg:32). Wine's shell takes handlers from HKLM only.
#include <windows.h>

#include <objidl.h>

#include <new>
#include <string>

namespace {

const CLSID HandlerClass = {
    0x6d1f0c57, 0x3b1e, 0x4a8e, {0x9a, 0x55, 0x5f, 0x1d, 0x2c, 0x0b, 0x7e, 0x41}};
HMODULE self = nullptr;

void NoteStuckRead() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    const std::string marker = std::string(path) + ".stuck";
    HANDLE file = CreateFileA(marker.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string line = "stuck " + std::to_string(GetCurrentProcessId()) + "\r\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

class Handler final : public IPersistFile {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        *out = nullptr;
        if (id != IID_IUnknown && id != IID_IPersist && id != IID_IPersistFile)
            return E_NOINTERFACE;
        *out = static_cast<IPersistFile*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        *id = HandlerClass;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(LPCOLESTR, DWORD) override {
        NoteStuckRead();
        for (;;)
            Sleep(INFINITE);
    }
    HRESULT STDMETHODCALLTYPE Save(LPCOLESTR, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR*) override { return E_NOTIMPL; }

  private:
    LONG refs_ = 1;
};

class Factory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        *out = id == IID_IUnknown || id == IID_IClassFactory ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; } // static: never freed
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** out) override {
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        Handler* handler = new (std::nothrow) Handler();
        if (!handler)
            return E_OUTOFMEMORY;
        const HRESULT result = handler->QueryInterface(id, out);
        handler->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};
Factory factory;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        self = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID id, REFIID what, void** out) {
    if (id != HandlerClass) {
        *out = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return factory.QueryInterface(what, out);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return S_FALSE;
}
