#include "update/VendorPages.h"

#include "update/Vendor.h"

namespace vantrel {

std::string VendorUrl(const char* path) {
    return std::string("http://") + VendorHost + path;
}

void OpenVendorPage(ShellApi& shell, const char* path) {
    shell.Execute(ShellLaunch{"open", VendorUrl(path), std::nullopt, std::nullopt, ShowNormal});
}

} // namespace vantrel
