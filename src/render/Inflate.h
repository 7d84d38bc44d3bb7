#pragma once
// Raw DEFLATE (RFC 1951), as Python's zlib writes it with wbits -15: how the art script packs
// the pictures of every size. Only what an exactly known output needs.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vantrel {

// The `size` bytes that `packed` unpacks to; empty when the stream is damaged, ends early,
// or does not unpack to exactly `size` bytes. Never reads or writes outside the buffers.
std::optional<std::vector<std::uint8_t>> Inflate(const std::uint8_t* packed, std::size_t length,
                                                 std::size_t size);

} // namespace vantrel
