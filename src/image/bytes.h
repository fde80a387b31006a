#pragma once
// Small checked accessors for little-endian numbers and bit tables in the image.
#include <array>
#include <cstdint>
#include <cassert>

using ImageBytes = std::array<std::uint8_t, 2048>;

namespace bytes {

inline std::uint32_t get16(const ImageBytes &img, int at)
{
    assert(at >= 0 && at + 2 <= int(img.size()));
    return std::uint32_t(img[at]) | std::uint32_t(img[at + 1]) << 8;
}

inline std::uint32_t get24(const ImageBytes &img, int at)
{
    assert(at >= 0 && at + 3 <= int(img.size()));
    return get16(img, at) | std::uint32_t(img[at + 2]) << 16;
}

inline std::uint32_t get32(const ImageBytes &img, int at)
{
    assert(at >= 0 && at + 4 <= int(img.size()));
    return get24(img, at) | std::uint32_t(img[at + 3]) << 24;
}

inline void put(ImageBytes &img, int at, std::uint32_t value, int count)
{
    assert(at >= 0 && at + count <= int(img.size()));
    for (int i = 0; i < count; ++i)
        img[at + i] = std::uint8_t(value >> (8 * i));
}

inline void put16(ImageBytes &img, int at, std::uint32_t v) { put(img, at, v, 2); }
inline void put24(ImageBytes &img, int at, std::uint32_t v) { put(img, at, v, 3); }
inline void put32(ImageBytes &img, int at, std::uint32_t v) { put(img, at, v, 4); }

// Bit tables: item i (counted from 0) sits in byte base + i / 8, bit i % 8.
inline bool bit(const ImageBytes &img, int base, int item)
{
    assert(item >= 0 && base + item / 8 < int(img.size()));
    return (img[base + item / 8] >> (item % 8)) & 1;
}

inline void setBit(ImageBytes &img, int base, int item, bool on)
{
    assert(item >= 0 && base + item / 8 < int(img.size()));
    std::uint8_t &b = img[base + item / 8];
    const std::uint8_t mask = std::uint8_t(1u << (item % 8));
    b = on ? std::uint8_t(b | mask) : std::uint8_t(b & ~mask);
}

} // namespace bytes
