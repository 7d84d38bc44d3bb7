#pragma once
// The program's own web site: its host and the three pages the program reaches there. Every
// use of the site takes its address from here.

namespace vantrel {

constexpr const char* VendorHost = "www.vantrel.example";
constexpr const char* VendorHomePagePath = "/home.html";
constexpr const char* VendorDownloadsPath = "/downloads.html";
constexpr const char* VendorVersionFilePath = "/vtl-version.txt";

} // namespace vantrel
