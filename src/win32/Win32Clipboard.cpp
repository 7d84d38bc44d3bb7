#include "win32/Win32Clipboard.h"

#include <cstring>

namespace vantrel::win32 {

namespace {
// A movable global block that is freed unless the clipboard took it over.
class GlobalBlock {
public:
    explicit GlobalBlock(SIZE_T bytes) : block_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock() {
        if (block_)
            GlobalFree(block_);
    }

    bool Fill(const void* bytes, SIZE_T size) {
        if (!block_)
            return false;
        void* target = GlobalLock(block_);
        if (!target)
            return false;
        std::memcpy(target, bytes, size);
        GlobalUnlock(block_);
        return true;
    }
    // After a successful SetClipboardData the block belongs to the clipboard; after a failed
    // one it is still ours and is freed here.
    bool HandTo(UINT format) {
        if (!SetClipboardData(format, block_))
            return false;
        block_ = nullptr;
        return true;
    }

private:
    HGLOBAL block_;
};

bool Place(UINT format, const void* bytes, SIZE_T size) {
    GlobalBlock block(size);
    return block.Fill(bytes, size) && block.HandTo(format);
}
} // namespace

bool Win32Clipboard::Open() { return OpenClipboard(owner_) != FALSE; }

bool Win32Clipboard::Empty() { return EmptyClipboard() != FALSE; }

std::uint32_t Win32Clipboard::SystemDefaultLocale() { return GetSystemDefaultLCID(); }

bool Win32Clipboard::PlaceLocale(std::uint32_t localeId) {
    const LCID value = localeId; // CF_LOCALE holds one 32-bit LCID
    return Place(CF_LOCALE, &value, sizeof value);
}

bool Win32Clipboard::PlaceText(const std::string& text) {
    // c_str() ends in the zero byte that CF_TEXT needs.
    return Place(CF_TEXT, text.c_str(), text.size() + 1);
}

void Win32Clipboard::Close() { CloseClipboard(); }

} // namespace vantrel::win32
