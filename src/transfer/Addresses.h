#pragma once
// Addresses as bookmarks and internet shortcuts hold them, and the paths behind file:
// addresses. Texts are UTF-8.

#include <optional>
#include <string>

namespace vantrel {

// "file:///C:/My%20Files/a.txt" for "C:\My Files\a.txt", "file://server/share" for
// "\\server\share"; any other text goes after "file:///" the same way, so that the address
// gives it back (see PathOfFileUrl) unless it holds a forward slash.
std::string FileUrlOf(const std::string& path);

// The Windows path of a file: address, percent-escapes decoded; empty for any other address.
// Takes the forms browsers write: "file:///C:/x", "file:///C|/x", "file://localhost/C:/x",
// "file://server/share" and "file://///server/share".
std::optional<std::string> PathOfFileUrl(const std::string& address);
// The same in place; false, and the text unchanged, when it is not a file: address.
bool ToPathOfFileUrl(std::string& address);

// The scheme in lower case ("http"); empty when the text has none. A drive letter ("C:") is
// not a scheme.
std::string SchemeOf(const std::string& address);

// Every byte above 0x7F as %XX: the form browsers themselves use for such addresses.
std::string PercentEncodeNonAscii(const std::string& text);

bool IsAscii(const std::string& text);
// A path on a share: "\\server\...".
bool IsSharePath(const std::string& path);
// A path the shell starts as a program: .exe, .com, .bat, .cmd or .msc.
bool IsProgramPath(const std::string& path);

} // namespace vantrel
