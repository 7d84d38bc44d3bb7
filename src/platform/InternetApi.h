#pragma once
// The few WinINet calls of the version check, one for one, so that tests can check every
// value passed. Called from the version-check worker thread only.

#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

using InternetHandle = std::uintptr_t; // 0: no handle

class InternetApi {
  public:
    virtual ~InternetApi() = default;
    // InternetOpenA without proxy or proxy bypass. 0 on failure, also when WinINet cannot
    // be loaded.
    virtual InternetHandle Open(const std::string& agent, std::uint32_t accessType,
                                std::uint32_t flags) = 0;
    // InternetSetOptionA with a 4-byte value.
    virtual bool SetOption(InternetHandle handle, std::uint32_t option, std::uint32_t value) = 0;
    // InternetOpenUrlA without extra headers, context 0. 0 on failure.
    virtual InternetHandle OpenUrl(InternetHandle session, const std::string& url,
                                   std::uint32_t flags) = 0;
    // HttpQueryInfoA of the answer's status code as a number (200 for a page that was
    // found), or nothing when it cannot be queried.
    virtual std::optional<std::uint32_t> StatusCode(InternetHandle file) = 0;
    // One InternetReadFile of at most maxBytes; the bytes read, or nothing when it failed.
    virtual std::optional<std::string> Read(InternetHandle file, std::uint32_t maxBytes) = 0;
    virtual void Close(InternetHandle handle) = 0;
};

} // namespace vantrel
