#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace rastrix {

// Little-endian fields of BMP headers. The caller has checked that the bytes are there.

inline std::uint16_t ReadU16(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint16_t(b[at] | (b[at + 1] << 8));
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
}

inline std::int32_t ReadI32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::int32_t(ReadU32(b, at));
}

}  // namespace rastrix
