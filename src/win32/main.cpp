// Process entry: a tray program with a hidden main form and no command-line arguments.

#include "app/MainForm.h"
#include "win32/DllSearch.h"
#include "win32/Win32Platform.h"

#include <exception>
#include <memory>

namespace {

using vantrel::MainForm;
using vantrel::win32::Win32Platform;

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

void ShowFailure(const char* text) {
    MessageBoxA(nullptr, text, vantrel::ProgramTitle, MB_OK | MB_ICONERROR);
}

int Run(HINSTANCE instance) {
    auto system = std::make_unique<Win32Platform>(instance);
    MainForm form(system->platform);
    if (!system->window.Create(form))
        return 0;
    system->clipboard.SetOwner(system->window.Handle());
    system->messages.SetWindow(system->window.Handle());
    system->hotKeys.SetWindow(system->window.Handle());
    form.FormCreate();
    return RunMessageLoop();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    vantrel::win32::RestrictDllSearchToSystem32();
    try {
        Run(instance);
    } catch (const std::exception& failure) {
        ShowFailure(failure.what());
    } catch (...) {
        ShowFailure("");
    }
    return 0;
}
