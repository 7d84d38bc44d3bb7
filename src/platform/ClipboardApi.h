#pragma once
// The clipboard, one step per call, so that the caller decides the order of the formats and
// can prove that every path which opened the clipboard closes it again.

#include <cstdint>
#include <string>

namespace vantrel {

constexpr unsigned ClipboardFormatText = 1;    // CF_TEXT
constexpr unsigned ClipboardFormatLocale = 16; // CF_LOCALE

class ClipboardApi {
public:
    virtual ~ClipboardApi() = default;
    // Opens the clipboard with the main form's window as owner; false when another program
    // holds it open.
    virtual bool Open() = 0;
    // Empties it, which makes this program the owner of what is placed next.
    virtual bool Empty() = 0;
    // GetSystemDefaultLCID: the machine's locale, not the user's.
    virtual std::uint32_t SystemDefaultLocale() = 0;
    // Each places one movable global block; false when the block could not be allocated,
    // locked or handed over (the block is then not leaked).
    virtual bool PlaceLocale(std::uint32_t localeId) = 0;
    // The text's bytes followed by one zero byte, as CF_TEXT.
    virtual bool PlaceText(const std::string& text) = 0;
    virtual void Close() = 0;
};

} // namespace vantrel
