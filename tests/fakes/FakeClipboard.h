#pragma once
// Recording stand-in for the clipboard. It keeps what a real clipboard would hold, so a
// test sees both the calls and the result, and any step can be made to fail or to throw.

#include "platform/ClipboardApi.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::testing {

struct CallLog;

enum class ClipboardStep { None, Open, Empty, PlaceLocale, PlaceText };

class FakeClipboard : public ClipboardApi {
public:
    explicit FakeClipboard(CallLog& log) : log_(log) {}

    std::uint32_t systemLocale = 0x0407; // German (Germany)
    ClipboardStep failingStep = ClipboardStep::None;
    bool failByThrowing = false; // the failing step throws instead of answering false

    // What another program would see.
    std::vector<unsigned> formats;         // in the order they were placed
    std::optional<std::uint32_t> locale;   // CF_LOCALE
    std::optional<std::string> textBlock;  // CF_TEXT, terminating zero included
    bool isOpen = false;

    bool Open() override;
    bool Empty() override;
    std::uint32_t SystemDefaultLocale() override;
    bool PlaceLocale(std::uint32_t localeId) override;
    bool PlaceText(const std::string& text) override;
    void Close() override;

    // Previous contents from another program.
    void HoldText(const std::string& text);

private:
    bool Fails(ClipboardStep step);
    CallLog& log_;
};

} // namespace vantrel::testing
