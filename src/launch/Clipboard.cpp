#include "launch/Clipboard.h"

namespace vantrel {

namespace {
// Closes the clipboard when the copy leaves, however it leaves: a clipboard left open
// blocks every other program from copying until this one exits.
class OpenedClipboard {
public:
    explicit OpenedClipboard(ClipboardApi& clipboard) : clipboard_(clipboard) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() { clipboard_.Close(); }

private:
    ClipboardApi& clipboard_;
};
} // namespace

bool CopyTextToClipboard(ClipboardApi& clipboard, const std::string& text) {
    if (text.empty() || !clipboard.Open())
        return false;
    const OpenedClipboard closer(clipboard);
    // Without ownership our formats would be mixed into another program's contents;
    // leave those intact instead.
    if (!clipboard.Empty())
        return false;
    // A missing locale only costs the conversion hint; the text still goes on.
    clipboard.PlaceLocale(clipboard.SystemDefaultLocale());
    return clipboard.PlaceText(text);
}

} // namespace vantrel
