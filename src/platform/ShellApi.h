#pragma once
// Starting programs, documents, folders and links through the Windows shell.

#include "platform/CodePageApi.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

constexpr int ShowNormal = 1; // SW_SHOWNORMAL, the show command of every launch

// One ShellExecute call with a null owner window. The shell treats a null pointer and an
// empty string differently (a null directory means "the current directory", an empty one
// is passed on as such), so the optional fields keep the two apart.
struct ShellLaunch {
    std::string verb;
    std::string file;
    std::optional<std::string> parameters; // nullopt: a null pointer
    std::optional<std::string> directory;  // nullopt: a null pointer
    int showCommand = ShowNormal;
    // Entries' texts are in the code page; the generated menus' paths come from the system.
    TextEncoding encoding = TextEncoding::Ansi;

    bool operator==(const ShellLaunch& other) const {
        return verb == other.verb && file == other.file && parameters == other.parameters &&
               directory == other.directory && showCommand == other.showCommand &&
               encoding == other.encoding;
    }
};

class ShellApi {
public:
    virtual ~ShellApi() = default;
    // Returns the shell's instance value (greater than 32 on success). The program never
    // reports a failed launch; the value is there for diagnostics and tests.
    virtual std::intptr_t Execute(const ShellLaunch& launch) = 0;
    // True when the program already runs with administrator rights.
    virtual bool IsUserAnAdmin() = 0;
};

} // namespace vantrel
