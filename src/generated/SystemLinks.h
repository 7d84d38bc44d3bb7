#pragma once
// The System Links menu: a fixed catalogue of system places (management-console snap-ins,
// shell folders, system and profile directories). A place gets a row only when it exists
// here: its path is there, or the shell has the folder's location. The menu is built once at
// start-up and never changes afterwards; the rows' pictures are read later.

#include "platform/PictureApi.h"
#include "platform/Platform.h"
#include "platform/ProcessFacts.h"
#include "tree/MenuNode.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// What a click on a System Links row does; kept in the row's EntryType.
enum SystemLinkCode : std::uint8_t {
    SystemLinkSnapIn = 0,
    SystemLinkAdminTools = 1,
    SystemLinkControlPanel = 2,
    SystemLinkMyComputer = 3,
    SystemLinkNetworkNeighborhood = 4,
    SystemLinkNetworkConnections = 5,
    SystemLinkWindows = 10,
    SystemLinkSystem32 = 11,
    SystemLinkSystem32X86 = 12,
    SystemLinkProgramFiles = 13,
    SystemLinkProgramFilesX86 = 14,
    SystemLinkTemp = 15,
    SystemLinkSystemDrive = 16,
    SystemLinkDocumentsAndSettings = 20,
    SystemLinkMyProfile = 21,
    SystemLinkMyDocuments = 22,
    SystemLinkDesktop = 23,
    SystemLinkSharedDocuments = 24,
    SystemLinkAllUsersProfile = 25,
};

extern const char* const ManagementConsoleCaption; // "Management Console"

struct SnapIn {
    const char* caption;
    const char* file; // under the system directory
};
// The snap-ins offered, in menu order (35 of them).
extern const SnapIn SnapInCatalogue[35];

// Appends the catalogue to the System Links menu. Facts must already be probed: the rows
// depend on IsWow64 and the Windows major version. A row whose place is missing is left
// out silently; a failure part-way keeps the rows built so far.
void BuildSystemLinksMenu(MenuNode& menu, Platform& platform, ProcessFacts& facts);

// Adds one snap-in row under the "Management Console" submenu when its file exists under
// the system directory. The caller has switched file-system redirection off, so a 32-bit
// process on 64-bit Windows looks in the real System32.
void AddSnapInRow(MenuNode& parent, const std::string& caption, const std::string& file,
                  Platform& platform);

// The shell folder a row without a path stands for (by its code); empty for any other code.
std::optional<int> ShellFolderOfRow(std::uint8_t code);

// Where a row's own picture is read from: its path, or its shell folder.
std::optional<PictureSource> SystemLinkPictureSource(const LinkEntry& row);

// A directory the system reports (in UTF-8) into a buffer of 280 characters is usable when
// it has 1 to 280 of them; otherwise empty.
std::string UsableDirectory(const std::string& reported);

} // namespace vantrel
