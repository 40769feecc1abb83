// BMP decoding, plain and run-length coded. Every offset and length is checked against the bytes
// present before it is used, and the picture size against the caps before any allocation.
#include "underlay/bmp_reader.h"

#include "underlay/picture_limits.h"

#include <bit>
#include <cstdint>
#include <new>
#include <vector>

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

// Run-length coded 4- and 8-bit pixels into palette indices, rows from the bottom. Pixels the
// code skips (deltas, early ends) keep index 0; runs past the row or the picture are clipped.
// Every step consumes input, so a hostile stream ends with the bytes.
void decodeRle(const unsigned char* src, std::size_t size, int bits, std::int64_t width,
               std::int64_t height, std::vector<unsigned char>& indices) {
    std::int64_t x = 0, y = 0;
    std::size_t i = 0;
    auto put = [&](unsigned value) {
        if (x < width && y < height)
            indices[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                static_cast<unsigned char>(value);
        ++x;
    };
    while (i + 1 < size && y < height) {
        const unsigned count = src[i];
        const unsigned value = src[i + 1];
        i += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count && x < width; ++k)
                put(bits == 8 ? value : (k % 2 == 0 ? value >> 4 : value & 0xF));
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of picture
            break;
        } else if (value == 2) { // delta
            if (i + 1 >= size)
                break;
            x += src[i];
            y += src[i + 1];
            i += 2;
        } else { // a literal run of `value` pixels, padded to a 16-bit boundary
            const std::size_t bytes = bits == 8 ? value : (value + 1) / 2;
            if (i + bytes > size)
                break;
            for (unsigned k = 0; k < value && x < width; ++k)
                put(bits == 8 ? src[i + k]
                              : (k % 2 == 0 ? src[i + k / 2] >> 4 : src[i + k / 2] & 0xF));
            i += bytes + (bytes & 1);
        }
    }
}

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
    // The core header, the info header and its longer forms (52 and 56 bytes with the masks in
    // the header, 108 and 124 bytes as today's tools write by default).
    const bool knownHeader = headerSize == 12 || headerSize == 40 || headerSize == 52 ||
                             headerSize == 56 || headerSize == 108 || headerSize == 124;
    if (!knownHeader || size < infoStart + headerSize) {
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
    // Run-length coding is stored bottom-up only.
    const bool rle =
        !topDown && ((compression == 1 && bitCount == 8) || (compression == 2 && bitCount == 4));
    if (!knownDepth || (compression != 0 && !bitFields && !rle) || width <= 0 || height <= 0) {
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
        // The longer headers hold the masks at the same place; the info header is followed by
        // them.
        const std::size_t maskPos = headerSize >= 52 ? infoStart + 40 : pos;
        if (size < maskPos + 12) {
            sink.show(conversionError);
            return nullptr;
        }
        red = Channel(u32(data + maskPos));
        green = Channel(u32(data + maskPos + 4));
        blue = Channel(u32(data + maskPos + 8));
        if (headerSize < 52)
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
    const std::uint64_t pixelBytes = rle ? 2 : stride * std::uint64_t(height);
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
    if (rle) {
        std::vector<unsigned char> indices;
        try {
            indices.assign(std::size_t(width) * std::size_t(height), 0);
        } catch (const std::bad_alloc&) {
            sink.show(outOfMemory);
            return nullptr;
        }
        decodeRle(data + pixelOffset, size - pixelOffset, bitCount, width, height, indices);
        unsigned char* dst = picture->data.data();
        for (const unsigned char index : indices) {
            const Rgb& c = palette[index];
            *dst++ = c.r;
            *dst++ = c.g;
            *dst++ = c.b;
        }
        return picture;
    }
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
