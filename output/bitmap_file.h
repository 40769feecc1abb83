// The BMP file of the pattern image: the bitmap information block and the file writer.
#pragma once

#include "output/raster_canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plicato {

struct BitmapInfo {
    std::uint32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0; // positive: rows bottom-up
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPixelsPerMeter = 0;
    std::int32_t yPixelsPerMeter = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t coloursImportant = 0;
    std::vector<std::uint32_t> colourTable; // zero-filled entries
};

// The information block of a bitmap of the given size and format. The image size follows the
// rule bits x ((width + 7) / 8) x height, which is never smaller than the pixel rows.
BitmapInfo makeBitmapInfo(int width, int height, int planes, int bitsPerPixel);
// For the 24-bit pattern image.
BitmapInfo makeBitmapInfo(const RasterImage& image);

// The whole BMP file: file header, information block, colour table and the 24-bit pixels
// bottom-up with rows padded to four bytes; bytes of the image size beyond the rows are zero.
std::vector<std::uint8_t> bitmapFileBytes(const BitmapInfo& info, const RasterImage& image);

// Writes the BMP file safely; false when it could not be written (`error` says why).
bool writeBitmapFile(const std::string& path, const BitmapInfo& info, const RasterImage& image,
                     std::string* error = nullptr);

} // namespace plicato
