// Building and writing 24-bit BMP files of the pattern image, field by field, little-endian.
#include "output/bitmap_file.h"

#include "output/file_output.h"

#include <string_view>

namespace plicato {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

BitmapInfo makeBitmapInfo(int width, int height, int planes, int bitsPerPixel) {
    int bits = planes * bitsPerPixel;
    if (bits <= 1)
        bits = 1;
    else if (bits <= 4)
        bits = 4;
    else if (bits <= 8)
        bits = 8;
    else if (bits <= 16)
        bits = 16;
    else if (bits <= 24)
        bits = 24;
    else
        bits = 32;
    BitmapInfo info;
    info.width = width;
    info.height = height;
    info.planes = std::uint16_t(planes);
    info.bitCount = std::uint16_t(bitsPerPixel);
    info.imageSize = std::uint32_t(bits) * std::uint32_t((width + 7) / 8) * std::uint32_t(height);
    if (bits < 24) {
        info.coloursUsed = 1u << bits;
        info.colourTable.assign(info.coloursUsed, 0);
    } else if (bits == 32) {
        info.colourTable.assign(1, 0);
    }
    return info;
}

BitmapInfo makeBitmapInfo(const RasterImage& image) {
    return makeBitmapInfo(image.width, image.height, 1, 24);
}

std::vector<std::uint8_t> bitmapFileBytes(const BitmapInfo& info, const RasterImage& image) {
    const std::uint32_t tableBytes = 4 * info.coloursUsed;
    std::vector<std::uint8_t> out;
    out.reserve(14 + info.headerSize + tableBytes + info.imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, 14 + info.headerSize + tableBytes + info.imageSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, 14 + info.headerSize + tableBytes);
    put32(out, info.headerSize);
    put32(out, std::uint32_t(info.width));
    put32(out, std::uint32_t(info.height));
    put16(out, info.planes);
    put16(out, info.bitCount);
    put32(out, info.compression);
    put32(out, info.imageSize);
    put32(out, std::uint32_t(info.xPixelsPerMeter));
    put32(out, std::uint32_t(info.yPixelsPerMeter));
    put32(out, info.coloursUsed);
    put32(out, info.coloursImportant);
    for (std::uint32_t i = 0; i < info.coloursUsed; ++i)
        put32(out, i < info.colourTable.size() ? info.colourTable[i] : 0);

    // The pixels as the 24-bit device-independent read gives them, into a buffer of the
    // header's image size.
    const std::size_t pixelsAt = out.size();
    out.resize(pixelsAt + info.imageSize, 0);
    const std::size_t stride = (std::size_t(image.width) * 3 + 3) / 4 * 4;
    for (int row = 0; row < image.height; ++row) {
        const std::size_t at = pixelsAt + std::size_t(image.height - 1 - row) * stride;
        if (at + stride > out.size())
            break; // the header was made for a smaller image; what fits is written
        const std::uint8_t* src = &image.rgb[std::size_t(row) * std::size_t(image.width) * 3];
        for (int x = 0; x < image.width; ++x) {
            out[at + std::size_t(x) * 3 + 0] = src[x * 3 + 2];
            out[at + std::size_t(x) * 3 + 1] = src[x * 3 + 1];
            out[at + std::size_t(x) * 3 + 2] = src[x * 3 + 0];
        }
    }
    return out;
}

bool writeBitmapFile(const std::string& path, const BitmapInfo& info, const RasterImage& image,
                     std::string* error) {
    const std::vector<std::uint8_t> bytes = bitmapFileBytes(info, image);
    return writeFileReplacing(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error);
}

} // namespace plicato
