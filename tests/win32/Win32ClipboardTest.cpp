// The real clipboard: what CopyTextToClipboard leaves there, as another program reads it.
#include "launch/Clipboard.h"
#include "win32/Win32Clipboard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace vantrel::win32 {
namespace {

// A message-only window to own the clipboard, as the hidden main form does.
struct OwnerWindow {
    HWND handle = CreateWindowExA(0, "STATIC", "owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    OwnerWindow() = default;
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    ~OwnerWindow() { DestroyWindow(handle); }
};

struct Contents {
    std::vector<UINT> formats;
    std::string text; // CF_TEXT bytes including the terminating zero
    LCID locale = 0;
};

Contents ReadClipboard() {
    Contents contents;
    if (!OpenClipboard(nullptr))
        return contents;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
        contents.formats.push_back(format);
    if (HANDLE text = GetClipboardData(CF_TEXT)) {
        const char* bytes = static_cast<const char*>(GlobalLock(text));
        contents.text.assign(bytes, strnlen(bytes, GlobalSize(text)) + 1);
        GlobalUnlock(text);
    }
    if (HANDLE locale = GetClipboardData(CF_LOCALE)) {
        contents.locale = *static_cast<const LCID*>(GlobalLock(locale));
        GlobalUnlock(locale);
    }
    CloseClipboard();
    return contents;
}

TEST(Win32ClipboardTest, PlacesTheSystemLocaleFirstThenTheText) {
    OwnerWindow owner;
    ASSERT_NE(owner.handle, nullptr);
    Win32Clipboard clipboard(owner.handle);
    const std::string text = "C:\\M\xFCller \"a b\"";
    ASSERT_TRUE(CopyTextToClipboard(clipboard, text));

    const Contents contents = ReadClipboard();
    ASSERT_GE(contents.formats.size(), 2u);
    EXPECT_EQ(contents.formats[0], static_cast<UINT>(CF_LOCALE));
    EXPECT_EQ(contents.formats[1], static_cast<UINT>(CF_TEXT));
    EXPECT_EQ(contents.text, text + '\0');
    EXPECT_EQ(contents.locale, GetSystemDefaultLCID());
}

// Another program holding the clipboard open: nothing is copied and its contents stay.
TEST(Win32ClipboardTest, ClipboardHeldOpenElsewhereIsLeftAlone) {
    OwnerWindow owner;
    Win32Clipboard clipboard(owner.handle);
    ASSERT_TRUE(CopyTextToClipboard(clipboard, "kept"));

    std::promise<void> opened;
    std::promise<void> release;
    std::thread holder([&] {
        const bool open = OpenClipboard(nullptr) != FALSE;
        opened.set_value();
        release.get_future().wait();
        if (open)
            CloseClipboard();
    });
    opened.get_future().wait();
    const bool copied = CopyTextToClipboard(clipboard, "lost");
    release.set_value();
    holder.join();

    EXPECT_FALSE(copied);
    EXPECT_EQ(ReadClipboard().text, std::string("kept") + '\0');
}

} // namespace
} // namespace vantrel::win32
