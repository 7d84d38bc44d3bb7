// clipread: prints what another program left on the clipboard, for end-to-end tests of
// "Copy Link". Output, one field per line:
//   formats=16,1,7,13              every format on the clipboard, in enumeration order
//   text=<CF_TEXT bytes>           up to the terminating zero, or "text=<none>"
//   text_hex=<CF_TEXT bytes in hex, terminating zero included>
//   unicode_hex=<CF_UNICODETEXT in hex, 4 digits per UTF-16 unit, zero included>
//   locale=0x<CF_LOCALE as 8 hex digits>, or "locale=<none>"
//   system_default_lcid=0x<GetSystemDefaultLCID()>
//   user_default_lcid=0x<GetUserDefaultLCID()>
// The hex fields make the bytes unambiguous (a text may hold line breaks or characters of
// code 128 and above); the two LCIDs let a test tell the system locale from the user's.
// Exit code 0 when the clipboard could be opened, 1 when it stayed busy for a second.
//
// Build (32-bit, static, console):
//   i686-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -Wshadow -Wconversion
//       -Werror -static -o clipread.exe tools/win32/clipread.cpp
// (one command line)

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool OpenClipboardPatiently() {
    // The program under test may still hold the clipboard for a moment.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(50);
    }
    return false;
}

std::string Formats() {
    std::string list;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        if (!list.empty())
            list += ",";
        list += std::to_string(format);
    }
    return list;
}

std::string Hex(const unsigned char* bytes, SIZE_T size) {
    std::string hex;
    char digits[4];
    for (SIZE_T i = 0; i < size; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
        hex += digits;
    }
    return hex;
}

void PrintText() {
    const HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (!text) {
        std::printf("text=<none>\ntext_hex=\n");
        return;
    }
    const SIZE_T size = GlobalSize(data);
    const SIZE_T length = strnlen(text, size);
    std::printf("text=%s\n", std::string(text, length).c_str());
    const SIZE_T shown = length < size ? length + 1 : length;
    std::printf("text_hex=%s\n",
                Hex(reinterpret_cast<const unsigned char*>(text), shown).c_str());
    GlobalUnlock(data);
}

void PrintUnicodeText() {
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    std::string hex;
    if (text) {
        const SIZE_T units = GlobalSize(data) / sizeof(wchar_t);
        char digits[8];
        for (SIZE_T i = 0; i < units; ++i) {
            std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(text[i]));
            hex += digits;
            if (text[i] == L'\0')
                break;
        }
        GlobalUnlock(data);
    }
    std::printf("unicode_hex=%s\n", hex.c_str());
}

void PrintLocale() {
    const HANDLE data = GetClipboardData(CF_LOCALE);
    const LCID* locale = data ? static_cast<const LCID*>(GlobalLock(data)) : nullptr;
    if (!locale || GlobalSize(data) < sizeof(LCID)) {
        std::printf("locale=<none>\n");
    } else {
        std::printf("locale=0x%08lX\n", static_cast<unsigned long>(*locale));
    }
    if (locale)
        GlobalUnlock(data);
}

} // namespace

int main() {
    if (!OpenClipboardPatiently()) {
        std::fprintf(stderr, "clipread: the clipboard stayed busy\n");
        return 1;
    }
    std::printf("formats=%s\n", Formats().c_str());
    PrintText();
    PrintUnicodeText();
    PrintLocale();
    CloseClipboard();
    std::printf("system_default_lcid=0x%08lX\n",
                static_cast<unsigned long>(GetSystemDefaultLCID()));
    std::printf("user_default_lcid=0x%08lX\n", static_cast<unsigned long>(GetUserDefaultLCID()));
    return 0;
}
