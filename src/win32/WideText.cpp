#include "win32/WideText.h"

#include <vector>

namespace vantrel::win32 {

namespace {
UINT CodePageOf(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? CP_UTF8 : CP_ACP;
}

int Units(std::size_t length) {
    return static_cast<int>(length);
}
} // namespace

std::wstring Widen(const std::string& text, TextEncoding encoding) {
    if (text.empty())
        return {};
    const UINT codePage = CodePageOf(encoding);
    const int length = MultiByteToWideChar(codePage, 0, text.data(), Units(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), Units(text.size()), wide.data(), length);
    return wide;
}

std::string ToUtf8(const wchar_t* text, std::size_t length) {
    if (length == 0)
        return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text, Units(length), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, Units(length), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::optional<std::string> ToAnsiExactly(const std::wstring& text) {
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                                         Units(text.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), Units(text.size()),
                        ansi.data(), size, nullptr, &usedDefault);
    // The way back proves it: some code pages map a character without using the default.
    if (size == 0 || usedDefault || Widen(ansi, TextEncoding::Ansi) != text)
        return std::nullopt;
    return ansi;
}

std::optional<std::string> FittedUtf8(const wchar_t* buffer, DWORD length, DWORD capacity) {
    if (length == 0 || length >= capacity)
        return std::nullopt;
    return ToUtf8(buffer, length);
}

std::string Win32CodePage::AnsiToUtf8(const std::string& ansi) {
    const std::wstring wide = Widen(ansi, TextEncoding::Ansi);
    return ToUtf8(wide);
}

std::optional<std::string> Win32CodePage::Utf8ToAnsi(const std::string& utf8) {
    return ToAnsiExactly(WidenUtf8(utf8));
}

std::optional<std::string> Win32CodePage::ShortPathOf(const std::string& utf8Path) {
    const std::wstring path = WidenUtf8(utf8Path);
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0)
        return std::nullopt;
    std::vector<wchar_t> buffer(needed);
    return FittedUtf8(buffer.data(), GetShortPathNameW(path.c_str(), buffer.data(), needed),
                      needed);
}

std::string Win32CodePage::UpperCase(const std::string& ansi) {
    std::string upper = ansi;
    if (!upper.empty())
        CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

std::optional<std::string> Win32CodePage::CodePageToUtf8(unsigned codePage,
                                                         const std::string& bytes) {
    if (!IsValidCodePage(codePage))
        return std::nullopt;
    if (bytes.empty())
        return std::string();
    // Undefined bytes fail rather than turn into a replacement character; a few code pages
    // take no flags at all.
    DWORD flags = MB_ERR_INVALID_CHARS;
    int length = MultiByteToWideChar(codePage, flags, bytes.data(), Units(bytes.size()), nullptr, 0);
    if (length == 0 && GetLastError() == ERROR_INVALID_FLAGS) {
        flags = 0;
        length = MultiByteToWideChar(codePage, flags, bytes.data(), Units(bytes.size()), nullptr, 0);
    }
    if (length == 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), Units(bytes.size()), wide.data(), length);
    return ToUtf8(wide);
}

// The system gives a code page's lead bytes as ranges, pairs of first and last byte ending
// with a pair of zeros.
LeadByteTable Win32CodePage::LeadBytes(unsigned codePage) {
    LeadByteTable leadBytes{};
    CPINFO info{};
    if (!GetCPInfo(codePage, &info))
        return leadBytes;
    for (std::size_t i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
        for (unsigned byte = info.LeadByte[i]; byte <= info.LeadByte[i + 1]; ++byte)
            leadBytes[byte] = true;
    return leadBytes;
}

} // namespace vantrel::win32
