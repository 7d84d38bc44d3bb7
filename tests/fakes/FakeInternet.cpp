#include "fakes/FakeInternet.h"

#include "fakes/FakePlatform.h"

#include <sstream>
#include <stdexcept>

namespace vantrel::testing {

namespace {
std::string Hex(std::uint64_t value) {
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}
} // namespace

InternetHandle FakeInternet::Open(const std::string& agent, std::uint32_t accessType,
                                  std::uint32_t flags) {
    log_.Add("InternetOpenA agent=" + agent + " access=" + std::to_string(accessType) +
             " flags=" + std::to_string(flags));
    return openFails ? 0 : Session;
}

bool FakeInternet::SetOption(InternetHandle handle, std::uint32_t option, std::uint32_t value) {
    log_.Add("InternetSetOptionA handle=" + Hex(handle) + " option=" + std::to_string(option) +
             " value=" + std::to_string(value));
    return true;
}

InternetHandle FakeInternet::OpenUrl(InternetHandle session, const std::string& url,
                                     std::uint32_t flags) {
    log_.Add("InternetOpenUrlA session=" + Hex(session) + " url=" + url + " flags=" + Hex(flags));
    if (duringOpenUrl)
        duringOpenUrl();
    return openUrlFails ? 0 : File;
}

std::optional<std::uint32_t> FakeInternet::StatusCode(InternetHandle file) {
    // HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER
    log_.Add("HttpQueryInfoA handle=" + Hex(file) + " query=0x20000013");
    return status;
}

std::optional<std::string> FakeInternet::Read(InternetHandle file, std::uint32_t maxBytes) {
    log_.Add("InternetReadFile handle=" + Hex(file) + " max=" + std::to_string(maxBytes));
    if (readThrows)
        throw std::runtime_error("read failed");
    if (!content)
        return std::nullopt;
    return content->substr(0, maxBytes);
}

void FakeInternet::Close(InternetHandle handle) {
    log_.Add("InternetCloseHandle " + Hex(handle));
}

} // namespace vantrel::testing
