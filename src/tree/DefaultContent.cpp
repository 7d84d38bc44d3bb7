#include "tree/DefaultContent.h"

#include "platform/WindowsPaths.h"
#include "tree/Entries.h"
#include "update/Vendor.h"

#include <cstdint>

namespace vantrel {

const char* const ExampleHost = "www.google.com";

namespace {

constexpr const char* GroupTitle = "Examples";

struct Example {
    std::string title;
    std::string target;
    std::uint8_t runAsAdmin = 0;
};

MenuNode& AddGroup(MenuNode* category, std::uint8_t kind) {
    return CreateGroupEntry(*category, GroupTitle, kind, EntryTypeGroup);
}

void AddItem(MenuNode& group, std::uint8_t kind, const Example& example,
             std::uint8_t entryType = EntryTypeItem) {
    ItemFields fields;
    fields.title = example.title;
    fields.target = example.target;
    fields.runAsAdmin = example.runAsAdmin;
    fields.kind = kind;
    fields.entryType = entryType;
    CreateItemEntry(group, fields);
}

void AddRunExamples(const Categories& categories) {
    MenuNode& group = AddGroup(categories.run, LinkKindRun);
    const std::string host = ExampleHost;
    const Example examples[] = {
        {"arp -a", "cmd /K arp -a", 0},
        {"ipconfig /all", "cmd /K ipconfig /all", 0},
        {"netstat -b", "cmd /K netstat -b", 1}, // names the owning programs: needs elevation
        {"ping " + host, "cmd /K ping " + host, 0},
        {"tracert " + host, "cmd /K tracert " + host, 0},
    };
    for (const Example& example : examples)
        AddItem(group, LinkKindRun, example);
}

// Older systems keep these tools elsewhere: the usual path is taken when its file is there.
// Stored as typed, placeholder and all; looked at with the placeholder expanded.
std::string ProbedPath(const char* usual, const char* older, Platform& platform) {
    const std::string expanded = ExpandSystemPrefix(usual, ApplicationDriveLength, platform.process);
    return platform.files.Exists(platform.codePage.AnsiToUtf8(expanded)) ? usual : older;
}

void AddApplicationExamples(const Categories& categories, Platform& platform) {
    MenuNode& group = AddGroup(categories.applications, LinkKindApplication);
    auto add = [&](const Example& example) { AddItem(group, LinkKindApplication, example); };
    add({"Command Line", "cmd.exe", 1});
    add({"Regedit", "regedit.exe", 1});
    add({"Paint", "mspaint.exe", 0});
    add({"Notepad", "notepad.exe", 0});
    add({"Calculator", "calc.exe", 0});
    add({"Explorer", "explorer.exe", 0});
    add({"Task Manager", "taskmgr.exe", 1});
    add({"MS Config",
         ProbedPath("%SystemRoot%\\System32\\msconfig.exe",
                    "%SystemRoot%\\pchealth\\helpctr\\binaries\\msconfig.exe", platform),
         1});
    add({"MS Info",
         ProbedPath("%SystemRoot%\\System32\\msinfo32.exe",
                    "%SystemDrive%\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\"
                    "msinfo32.exe",
                    platform),
         1});
    add({"DirectX Diagnostic", "dxdiag.exe", 1});
}

void AddNetworkExamples(const Categories& categories) {
    MenuNode& group = AddGroup(categories.network, LinkKindNetwork);
    // The administrative share of drive C: on this machine.
    AddItem(group, LinkKindNetwork, {"Disc C on 127.0.0.1", "\\\\127.0.0.1\\C$", 0});
}

std::string BareDomain(const std::string& host) {
    return host.rfind("www.", 0) == 0 ? host.substr(4) : host;
}

// Search engines, portals, social networks, a video site, an encyclopedia and shops.
const char* const PublicSites[] = {
    "google.com",   "bing.com",    "yahoo.com",     "msn.com",    "facebook.com", "twitter.com",
    "linkedin.com", "youtube.com", "wikipedia.org", "amazon.com", "ebay.com",
};

void AddSite(MenuNode& group, const std::string& domain) {
    AddItem(group, LinkKindInternet, {domain, WebAddressOf(domain), 0});
}

void AddInternetExamples(const Categories& categories) {
    MenuNode& group = AddGroup(categories.internet, LinkKindInternet);
    AddSite(group, BareDomain(VendorHost)); // our own site comes first
    for (const char* domain : PublicSites)
        AddSite(group, domain);
}

void AddFileExamples(const Categories& categories) {
    MenuNode& group = AddGroup(categories.files, LinkKindFile);
    AddItem(group, LinkKindFile, {"System Root", "%SystemRoot%", 0}, EntryTypeFolder);
}

} // namespace

std::string WebAddressOf(const std::string& domain) {
    return "http://www." + domain;
}

void CreateDefaultContent(const Categories& categories, Platform& platform, ProcessFacts& facts) {
    try {
        AddRunExamples(categories);
        // The tools are looked for in the real system directory.
        WithRedirectionSuspended(facts, platform.process,
                                 [&] { AddApplicationExamples(categories, platform); });
        AddNetworkExamples(categories);
        AddInternetExamples(categories);
        AddFileExamples(categories);
    } catch (...) {
        // What was created so far stays.
    }
}

} // namespace vantrel
