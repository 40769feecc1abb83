// The model file writer. The file is built in memory field by field and then handed to the
// safe replacement, so a failed save can never cost the previous copy.
#include "model_file/model_file_writer.h"

#include "model_file/model_file_reader.h"
#include "model_file/safe_file_write.h"

#include <cmath>

#include <cstdint>
#include <cstring>

namespace plicato {

namespace {

// Little-endian whatever the host: each value is laid out in a small buffer and appended at once,
// which the compiler turns into one store instead of a growth check per byte.
void putInt32(std::string& out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    char bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    out.append(bytes, sizeof bytes);
}

void layFloat64(char* at, double value) {
    std::uint64_t v = 0;
    std::memcpy(&v, &value, sizeof v);
    for (int i = 0; i < 8; ++i)
        at[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void putFloat64(std::string& out, double value) {
    char bytes[8];
    layFloat64(bytes, value);
    out.append(bytes, sizeof bytes);
}

// A loop's points, the bulk of a file: laid into room made for all of them at once.
void putPoints(std::string& out, const std::vector<Point2>& points) {
    std::size_t at = out.size();
    out.resize(at + 16 * points.size());
    for (const Point2& p : points) {
        layFloat64(&out[at], p.x);
        layFloat64(&out[at + 8], p.y);
        at += 16;
    }
}

void putUnderlay(std::string& out, const UnderlayImage& record) {
    if (!record.isPresent()) {
        putInt32(out, 0);
        return;
    }
    putInt32(out, 1);
    putFloat64(out, record.centerX);
    putFloat64(out, record.bottom);
    putFloat64(out, record.width);
    putFloat64(out, record.height);
    putInt32(out, static_cast<std::int32_t>(record.path.size()));
    out += record.path;
}

bool inRange(double v) {
    return std::isfinite(v) && std::fabs(v) <= maxModelCoordinate;
}

bool underlayFits(const UnderlayImage& record) {
    return !record.isPresent() ||
           (inRange(record.centerX) && inRange(record.bottom) && inRange(record.width) &&
            inRange(record.height) && record.path.size() <= std::size_t(maxStoredPathLength));
}

} // namespace

bool modelFitsFileLimits(const CardModel& model) {
    if (model.cardWidth <= 0 || model.cardHeight <= 0 || model.cardWidth > maxCardSize ||
        model.cardHeight > maxCardSize || !std::isfinite(model.initGridSize) ||
        model.initGridSize <= 0 || model.initGridSize > maxCardSize ||
        !underlayFits(model.frontImage) || !underlayFits(model.topImage) ||
        std::int64_t(model.userFaces.size()) > maxModelFaces)
        return false;
    std::int64_t loops = 0;
    for (const auto& face : model.userFaces) {
        if (!inRange(face->offset))
            return false;
        loops += std::int64_t(face->polygon.loops.size());
        for (const auto& loop : face->polygon.loops)
            for (const Point2& p : loop->points)
                if (!inRange(p.x) || !inRange(p.y))
                    return false;
    }
    return loops <= maxModelLoops;
}

std::string encodeModelFile(const CardModel& model) {
    std::string out = "# Plicato Forge PRO\nheader\nversion 4 0\nend_header\n";
    std::size_t size = out.size() + 16 + 8 + 4;
    for (const auto& face : model.userFaces) {
        size += 16;
        for (const auto& loop : face->polygon.loops)
            size += 8 + 16 * loop->points.size();
    }
    out.reserve(size + model.frontImage.path.size() + model.topImage.path.size() + 80);

    putInt32(out, model.cardWidth);
    putInt32(out, model.cardHeight);
    putFloat64(out, model.initGridSize);
    putUnderlay(out, model.frontImage);
    putUnderlay(out, model.topImage);
    putInt32(out, static_cast<std::int32_t>(model.userFaces.size()));
    for (const auto& face : model.userFaces) {
        putInt32(out, face->plane == FacePlane::Horizontal ? 1 : 0);
        putFloat64(out, face->offset);
        putInt32(out, static_cast<std::int32_t>(face->polygon.loops.size()));
        for (const auto& loop : face->polygon.loops) {
            putInt32(out, loop->isHole ? 1 : 0);
            putInt32(out, static_cast<std::int32_t>(loop->points.size()));
            putPoints(out, loop->points);
        }
    }
    return out;
}

bool writeModelFile(const CardModel& model, const std::string& path, MessageSink& sink) {
    if (!modelFitsFileLimits(model)) {
        sink.show("ファイルに書き込めません");
        return false;
    }
    const std::string bytes = encodeModelFile(model);
    if (bytes.size() > maxModelFileBytes || !replaceFileContents(path, bytes)) {
        sink.show("ファイルに書き込めません");
        return false;
    }
    return true;
}

bool writeModelFile(const std::string& path, MessageSink& sink) {
    const CardModel* model = currentModel();
    if (!model) {
        sink.show("ファイルに書き込めません");
        return false;
    }
    return writeModelFile(*model, path, sink);
}

} // namespace plicato
