// Picture loading, resampling, border painting and fitting for the underlay records.
#include "underlay/underlay_loader.h"

#include "underlay/bmp_reader.h"
#include "underlay/jpeg_reader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace plicato {

namespace {

bool isJpegPath(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".jpg" || ext == ".jpeg";
}

int powerOfTwoAtLeast(int v) {
    int p = 64;
    while (p < v && p < 32768)
        p *= 2;
    return p;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(path, ec);
}

} // namespace

int textureSide(int imageWidth, int imageHeight, int maxSide) {
    const int s = std::max(powerOfTwoAtLeast(imageWidth), powerOfTwoAtLeast(imageHeight));
    return s <= maxSide ? s : maxSide;
}

std::unique_ptr<Picture> resamplePicture(const Picture& source, int side) {
    auto out = std::make_unique<Picture>();
    out->width = side;
    out->height = side;
    out->data.assign(std::size_t(side) * std::size_t(side) * 3, 255);
    for (int i = 1; i < side - 1; ++i) {
        const std::int64_t srcRow = std::int64_t(i) * source.height / side;
        const unsigned char* src = source.data.data() + srcRow * source.width * 3;
        unsigned char* dst = out->data.data() + std::size_t(i) * side * 3;
        for (int j = 1; j < side - 1; ++j) {
            const std::int64_t srcCol = std::int64_t(j) * source.width / side;
            const std::ptrdiff_t d = std::ptrdiff_t{3} * j;
            dst[d] = src[3 * srcCol];
            dst[d + 1] = src[3 * srcCol + 1];
            dst[d + 2] = src[3 * srcCol + 2];
        }
    }
    return out;
}

bool loadPicture(UnderlayImage& record, const std::string& path, int maxSide, MessageSink& sink) {
    std::unique_ptr<Picture> decoded;
    if (isJpegPath(path)) {
        JpegImage jpeg;
        if (!readJpeg(path, sink, jpeg))
            return false;
        decoded = std::make_unique<Picture>();
        decoded->width = jpeg.width;
        decoded->height = jpeg.height;
        decoded->data.resize(jpeg.rgb.size());
        const std::size_t rowBytes = std::size_t(jpeg.width) * 3;
        for (int y = 0; y < jpeg.height; ++y)
            std::copy_n(jpeg.rgb.data() + std::size_t(y) * rowBytes, rowBytes,
                        decoded->data.data() + std::size_t(jpeg.height - 1 - y) * rowBytes);
    } else {
        decoded = readBmp(path, sink);
        if (!decoded)
            return false;
    }
    // Only a complete success touches the record, so a bad file never pairs a new path with
    // the old picture.
    record.picture =
        resamplePicture(*decoded, textureSide(decoded->width, decoded->height, maxSide));
    record.imageWidth = decoded->width;
    record.imageHeight = decoded->height;
    if (&record.path != &path)
        record.path = path;
    return true;
}

bool loadPicture(UnderlayImage& record, int maxSide, MessageSink& sink) {
    const std::string path = record.path;
    return loadPicture(record, path, maxSide, sink);
}

bool loadUnderlay(UnderlayImage& record, const std::string& path, MessageSink& sink) {
    if (!fileExists(path)) {
        sink.show("画像ファイルが見つかりません\n" + path);
        return false;
    }
    return loadPicture(record, path, maxTextureSide, sink);
}

std::string findUnderlayFile(const std::string& storedPath, const std::string& modelFilePath) {
    if (storedPath.empty() || fileExists(storedPath))
        return storedPath;
    // Paths written on Windows use backslashes; either separator ends the folder part.
    const auto sep = storedPath.find_last_of("/\\");
    const std::string name = sep == std::string::npos ? storedPath : storedPath.substr(sep + 1);
    if (name.empty() || name == "." || name == "..")
        return storedPath;
    const std::filesystem::path folder = std::filesystem::path(modelFilePath).parent_path();
    const std::string candidate = (folder / name).string();
    return fileExists(candidate) ? candidate : storedPath;
}

void paintBorder(UnderlayImage& record, unsigned int colour) {
    Picture* p = record.picture.get();
    if (!p || p->width <= 0 || p->height <= 0)
        return;
    const unsigned char rgb[3] = {static_cast<unsigned char>(colour & 0xFF),
                                  static_cast<unsigned char>((colour >> 8) & 0xFF),
                                  static_cast<unsigned char>((colour >> 16) & 0xFF)};
    auto set = [&](int row, int col) {
        unsigned char* px = p->data.data() + (std::size_t(row) * p->width + col) * 3;
        px[0] = rgb[0];
        px[1] = rgb[1];
        px[2] = rgb[2];
    };
    for (int col = 0; col < p->width; ++col) {
        set(0, col);
        set(p->height - 1, col);
    }
    for (int row = 0; row < p->height; ++row) {
        set(row, 0);
        set(row, p->width - 1);
    }
    p->touch();
}

void fitToCard(UnderlayImage& record, int cardWidth, int cardHeight) {
    const double w = record.imageWidth, h = record.imageHeight;
    const double W = cardWidth, H = cardHeight;
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0)
        return; // nothing sensible to fit
    if (H / W >= h / w) {
        record.width = W;
        record.height = W * h / w;
    } else {
        record.height = H;
        record.width = H * w / h;
    }
    record.centerX = 0.0;
    record.bottom = 0.0;
}

void fitToCard(UnderlayImage& record, const CardModel& model) {
    fitToCard(record, model.cardWidth, model.cardHeight);
}

} // namespace plicato
