#pragma once
// What a source hands to an import, in the order it finds it: folders opened and closed,
// links, and what it had to leave out. Every text is UTF-8.

#include "transfer/ImportSummary.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

// What a bookmarks file written by this program keeps beside the link itself, so that it
// comes back as it was. Each is absent where the file does not say it.
struct OwnFields {
    std::optional<std::uint8_t> category; // on a top-level folder: the category it holds (3..7)
    std::optional<std::uint8_t> kind;     // 3..7
    std::optional<std::uint8_t> entryType;
    std::optional<std::uint8_t> runAsAdmin;
    std::optional<std::string> target; // when the address does not give the target back
    std::optional<std::string> parameters;
    std::optional<std::string> workDir;
};

class ImportSink {
  public:
    virtual ~ImportSink() = default;
    // `name` is empty when its text could not be read (it is then left out with its content).
    virtual void EnterFolder(const std::optional<std::string>& name, const OwnFields& own) = 0;
    virtual void LeaveFolder() = 0;
    virtual void AddAddress(std::string title, std::string address, OwnFields own) = 0;
    virtual void Skip(SkipReason reason) = 0;
};

} // namespace vantrel
