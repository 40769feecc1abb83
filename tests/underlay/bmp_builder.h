// Builds BMP files byte by byte from the layout, so each test states exactly what it feeds in.
#pragma once

#include "tests/support/test_files.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plicato::test {

inline void put16(Bytes& b, std::uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
inline void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

struct BmpSpec {
    int headerSize = 40; // 12 core, 40 info, anything else to provoke refusal
    std::int32_t width = 2;
    std::int32_t height = 2;
    int bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    bool fileHeader = true;
    std::vector<std::uint32_t> masks;   // written after the info header (bit fields)
    std::vector<std::uint32_t> palette; // 0xRRGGBB
    Bytes pixels;                       // rows as stored, padding included
};

inline Bytes makeBmp(const BmpSpec& s) {
    Bytes info;
    put32(info, s.headerSize);
    if (s.headerSize == 12) {
        put16(info, s.width);
        put16(info, s.height);
        put16(info, 1);
        put16(info, s.bitCount);
    } else {
        put32(info, s.width);
        put32(info, s.height);
        put16(info, 1);
        put16(info, s.bitCount);
        put32(info, s.compression);
        put32(info, s.pixels.size());
        put32(info, 2835);
        put32(info, 2835);
        put32(info, s.colorsUsed);
        put32(info, 0);
        while (info.size() < std::size_t(s.headerSize))
            info.push_back(0);
    }
    for (auto m : s.masks)
        put32(info, m);
    for (auto c : s.palette) {
        info.push_back(c & 0xFF);
        info.push_back((c >> 8) & 0xFF);
        info.push_back((c >> 16) & 0xFF);
        if (s.headerSize != 12)
            info.push_back(0);
    }
    Bytes out;
    if (s.fileHeader) {
        out.push_back('B');
        out.push_back('M');
        put32(out, 14 + info.size() + s.pixels.size());
        put32(out, 0);
        put32(out, 14 + info.size());
    }
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    return out;
}

} // namespace plicato::test
