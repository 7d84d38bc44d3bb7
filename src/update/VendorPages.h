#pragma once
// Addresses on the vendor's site, and opening its pages in the user's browser.

#include "platform/ShellApi.h"

#include <string>

namespace vantrel {

// "http://" + the vendor's host + path. Plain HTTP, as the site serves it.
std::string VendorUrl(const char* path);

// ShellExecuteA(no window, "open", the page's address, no parameters, no directory,
// SW_SHOWNORMAL). A failure is not reported.
void OpenVendorPage(ShellApi& shell, const char* path);

} // namespace vantrel
