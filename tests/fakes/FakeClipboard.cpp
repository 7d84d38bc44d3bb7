#include "fakes/FakeClipboard.h"

#include "fakes/FakePlatform.h"

#include <cstdio>
#include <stdexcept>

namespace vantrel::testing {

bool FakeClipboard::Fails(ClipboardStep step) {
    if (step != failingStep)
        return false;
    if (failByThrowing)
        throw std::runtime_error("clipboard step failed");
    return true;
}

bool FakeClipboard::Open() {
    log_.Add("OpenClipboard");
    if (Fails(ClipboardStep::Open))
        return false;
    isOpen = true;
    return true;
}

bool FakeClipboard::Empty() {
    log_.Add("EmptyClipboard");
    if (Fails(ClipboardStep::Empty))
        return false;
    formats.clear();
    locale.reset();
    textBlock.reset();
    return true;
}

std::uint32_t FakeClipboard::SystemDefaultLocale() {
    log_.Add("GetSystemDefaultLCID");
    return systemLocale;
}

bool FakeClipboard::PlaceLocale(std::uint32_t localeId) {
    char line[64];
    std::snprintf(line, sizeof line, "SetClipboardData CF_LOCALE 0x%08X", localeId);
    log_.Add(line);
    if (Fails(ClipboardStep::PlaceLocale))
        return false;
    formats.push_back(ClipboardFormatLocale);
    locale = localeId;
    return true;
}

bool FakeClipboard::PlaceText(const std::string& text) {
    log_.Add("SetClipboardData CF_TEXT " + text);
    if (Fails(ClipboardStep::PlaceText))
        return false;
    formats.push_back(ClipboardFormatText);
    textBlock = text + '\0';
    return true;
}

void FakeClipboard::Close() {
    log_.Add("CloseClipboard");
    isOpen = false;
}

void FakeClipboard::HoldText(const std::string& text) {
    formats = {ClipboardFormatText};
    locale.reset();
    textBlock = text + '\0';
}

} // namespace vantrel::testing
