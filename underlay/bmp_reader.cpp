// BMP decoding. Every offset and length is checked against the bytes present before it is used,
// and the picture size is checked against the caps before the pixel buffer is allocated.
#include "underlay/bmp_reader.h"

#include "underlay/picture_limits.h"

#include <bit>
#include <cstdint>
#include <new>

namespace plicato {

namespace {

const char* const unknownFormat = "Unknown DIB file format.";
const char* const conversionError = "Image file conversion error.";
const char* const outOfMemory = "Out of memory.";

std::uint32_t u16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}
std::uint32_t u32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
std::int32_t i32(const unsigned char* p) {
    return static_cast<std::int32_t>(u32(p));
}

// One channel described by a bit mask, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m != 0) {
            shift = std::countr_zero(m);
            bits = std::popcount(m);
        }
    }
    unsigned char get(std::uint32_t v) const {
        if (bits == 0)
            return 0;
        const std::uint32_t x = (v & mask) >> shift;
        if (bits >= 8)
            return static_cast<unsigned char>(x >> (bits - 8));
        const std::uint32_t maxValue = (1u << bits) - 1;
        return static_cast<unsigned char>((x * 255 + maxValue / 2) / maxValue);
    }
};

struct Rgb {
    unsigned char r = 0, g = 0, b = 0;
};

} // namespace

std::unique_ptr<Picture> readBmpData(const unsigned char* data, std::size_t size,
                                     MessageSink& sink) {
    // A file without the "BM" file header is taken as a bare bitmap: header, palette, pixels.
    std::size_t infoStart = 0;
    std::size_t pixelOffset = 0;
    bool haveFileHeader = false;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        if (size < 14) {
            sink.show(unknownFormat);
            return nullptr;
        }
        infoStart = 14;
        pixelOffset = u32(data + 10);
        haveFileHeader = true;
    }
    if (size < infoStart + 4) {
        sink.show(unknownFormat);
        return nullptr;
    }
    const std::uint32_t headerSize = u32(data + infoStart);
    if ((headerSize != 12 && headerSize != 40) || size < infoStart + headerSize) {
        sink.show(unknownFormat);
        return nullptr;
    }
    const unsigned char* h = data + infoStart;
    std::int64_t width = 0, height = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::size_t paletteEntrySize = 4;
    if (headerSize == 12) {
        width = u16(h + 4);
        height = u16(h + 6);
        bitCount = static_cast<int>(u16(h + 10));
        paletteEntrySize = 3;
    } else {
        width = i32(h + 4);
        height = i32(h + 8);
        bitCount = static_cast<int>(u16(h + 14));
        compression = u32(h + 16);
        colorsUsed = u32(h + 32);
    }
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    const bool knownDepth = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                            bitCount == 24 || bitCount == 32;
    const bool bitFields = compression == 3 && (bitCount == 16 || bitCount == 32);
    if (!knownDepth || (compression != 0 && !bitFields) || width <= 0 || height <= 0) {
        sink.show(conversionError);
        return nullptr;
    }
    if (!pictureSizeAllowed(width, height)) {
        sink.show(outOfMemory);
        return nullptr;
    }

    std::size_t pos = infoStart + headerSize;
    Channel red(0x7C00), green(0x03E0), blue(0x001F);
    if (bitCount == 32) {
        red = Channel(0xFF0000);
        green = Channel(0xFF00);
        blue = Channel(0xFF);
    }
    if (bitFields) {
        if (size < pos + 12) {
            sink.show(conversionError);
            return nullptr;
        }
        red = Channel(u32(data + pos));
        green = Channel(u32(data + pos + 4));
        blue = Channel(u32(data + pos + 8));
        pos += 12;
    }

    Rgb palette[256];
    if (bitCount <= 8) {
        const std::uint32_t fullCount = 1u << bitCount;
        const std::uint32_t count =
            (colorsUsed == 0 || colorsUsed > fullCount) ? fullCount : colorsUsed;
        // A palette cut off by the end of the file: the entries present are used, the rest black.
        for (std::uint32_t i = 0; i < count; ++i) {
            if (pos + paletteEntrySize > size)
                break;
            palette[i] = {data[pos + 2], data[pos + 1], data[pos]};
            pos += paletteEntrySize;
        }
        if (colorsUsed > fullCount && colorsUsed <= 0x10000)
            pos += (colorsUsed - fullCount) * paletteEntrySize;
    }
    if (!haveFileHeader || pixelOffset == 0)
        pixelOffset = pos;

    const std::uint64_t stride = ((std::uint64_t(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t pixelBytes = stride * std::uint64_t(height);
    if (pixelOffset > size || size - pixelOffset < pixelBytes) {
        sink.show(conversionError);
        return nullptr;
    }

    auto picture = std::make_unique<Picture>();
    try {
        picture->data.resize(std::size_t(width) * std::size_t(height) * 3);
    } catch (const std::bad_alloc&) {
        sink.show(outOfMemory);
        return nullptr;
    }
    picture->width = static_cast<int>(width);
    picture->height = static_cast<int>(height);
    for (std::int64_t row = 0; row < height; ++row) {
        const unsigned char* src = data + pixelOffset + std::size_t(row) * stride;
        const std::int64_t destRow = topDown ? height - 1 - row : row;
        unsigned char* dst = picture->data.data() + std::size_t(destRow) * std::size_t(width) * 3;
        for (std::int64_t x = 0; x < width; ++x, dst += 3) {
            Rgb c;
            switch (bitCount) {
            case 1:
                c = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                c = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
                break;
            case 8:
                c = palette[src[x]];
                break;
            case 16: {
                const std::uint32_t v = u16(src + 2 * x);
                c = {red.get(v), green.get(v), blue.get(v)};
                break;
            }
            case 24:
                c = {src[3 * x + 2], src[3 * x + 1], src[3 * x]};
                break;
            default: {
                const std::uint32_t v = u32(src + 4 * x);
                c = {red.get(v), green.get(v), blue.get(v)};
                break;
            }
            }
            dst[0] = c.r;
            dst[1] = c.g;
            dst[2] = c.b;
        }
    }
    return picture;
}

std::unique_ptr<Picture> readBmp(const std::string& path, MessageSink& sink) {
    MappedFile file(path);
    if (!file.isOpen()) {
        sink.show("Failed to open DIB file " + path + ".\n");
        return nullptr;
    }
    return readBmpData(file.data(), file.size(), sink);
}

} // namespace plicato
