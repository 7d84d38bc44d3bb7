#pragma once
// Placing one text on the clipboard.

#include "platform/ClipboardApi.h"

#include <string>

namespace vantrel {

// Places the text as CF_TEXT, preceded by CF_LOCALE with the system default locale, so that
// programs reading the text in another format convert it with the code page it was written
// in. An empty text leaves the clipboard alone. True when the text was placed. Every path
// that opened the clipboard closes it again, an exception included.
bool CopyTextToClipboard(ClipboardApi& clipboard, const std::string& text);

} // namespace vantrel
