// makelink: writes a shell link (.lnk) through the shell's own link interface, as Explorer
// and installers make them, so that a test reads back what Windows would find.
//   makelink <link file> <target> [arguments] [working folder]
// Every text is taken as UTF-8. Exit code 0 when the link was saved.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {

std::wstring Wide(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

bool SaveLink(int argc, char** argv) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->SetPath(Wide(argv[2]).c_str());
    if (argc > 3)
        link->SetArguments(Wide(argv[3]).c_str());
    if (argc > 4)
        link->SetWorkingDirectory(Wide(argv[4]).c_str());
    IPersistFile* file = nullptr;
    bool saved = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    if (saved) {
        saved = SUCCEEDED(file->Save(Wide(argv[1]).c_str(), TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: makelink <link file> <target> [arguments] [folder]\n");
        return 2;
    }
    CoInitialize(nullptr);
    const bool saved = SaveLink(argc, argv);
    CoUninitialize();
    std::printf("%s\n", saved ? "saved" : "failed");
    return saved ? 0 : 1;
}
