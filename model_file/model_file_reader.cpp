// The binary model reader, the choice between the formats and the installation of a design.
// Every count is checked against the bytes that remain before anything is allocated from it.
#include "model_file/model_file_reader.h"

#include "model_file/byte_reader.h"
#include "model_file/model_text_reader.h"
#include "popup/built_faces.h"
#include "underlay/picture_limits.h"
#include "underlay/underlay_loader.h"

#include <cmath>

#include <sys/stat.h>
#include <unistd.h>

namespace plicato {

namespace {

bool readCoordinate(ByteReader& in, double& out) {
    return in.readFloat64(out) && std::isfinite(out) && std::fabs(out) <= maxModelCoordinate;
}

bool readUnderlayBlock(ByteReader& in, UnderlayImage& record, const UnderlayLoader& loadUnderlay) {
    std::int32_t present = 0;
    if (!in.readInt32(present))
        return false;
    if (present != 1)
        return true;
    double cx = 0, bottom = 0, width = 0, height = 0;
    std::int32_t length = 0;
    std::string path;
    if (!readCoordinate(in, cx) || !readCoordinate(in, bottom) || !readCoordinate(in, width) ||
        !readCoordinate(in, height) || !in.readInt32(length) || length < 0 ||
        length > maxStoredPathLength || !in.readBytes(std::size_t(length), path))
        return false;
    placeStoredUnderlay(record, path, cx, bottom, width, height, loadUnderlay);
    return true;
}

// Smallest encodings, used to refuse counts that the remaining bytes cannot hold.
constexpr std::size_t minFaceBytes = 4 + 8 + 4;
constexpr std::size_t minLoopBytes = 4 + 4;
constexpr std::size_t pointBytes = 16;

bool countFits(std::int32_t count, std::size_t each, const ByteReader& in) {
    return count >= 0 && std::size_t(count) <= in.remaining() / each;
}

} // namespace

std::unique_ptr<CardModel> parseBinaryModelFile(std::string_view bytes,
                                                const UnderlayLoader& loadUnderlay) {
    auto model = std::make_unique<CardModel>();
    ByteReader in(bytes);
    for (int i = 0; i < 4; ++i)
        if (!in.skipLine(1023))
            return nullptr;

    std::int32_t width = 0, height = 0;
    double grid = 0;
    if (!in.readInt32(width) || !in.readInt32(height) || !in.readFloat64(grid))
        return nullptr;
    if (width <= 0 || height <= 0 || width > maxCardSize || height > maxCardSize ||
        !std::isfinite(grid) || grid <= 0 || grid > maxCardSize)
        return nullptr;
    model->cardWidth = width;
    model->cardHeight = height;
    model->setGridSize(grid);

    if (!readUnderlayBlock(in, model->frontImage, loadUnderlay) ||
        !readUnderlayBlock(in, model->topImage, loadUnderlay))
        return nullptr;

    std::int32_t faceCount = 0;
    if (!in.readInt32(faceCount) || !countFits(faceCount, minFaceBytes, in) ||
        faceCount > maxModelFaces)
        return nullptr;
    std::int64_t totalLoops = 0;
    BaseFaceRule baseRule;
    model->userFaces.reserve(std::size_t(faceCount));
    for (std::int32_t f = 0; f < faceCount; ++f) {
        std::int32_t plane = 0, loopCount = 0;
        double offset = 0;
        if (!in.readInt32(plane) || !readCoordinate(in, offset))
            return nullptr;
        auto face = std::make_unique<Face>(plane == 1 ? FacePlane::Horizontal : FacePlane::Vertical,
                                           offset);
        baseRule.apply(*face);
        if (!in.readInt32(loopCount) || !countFits(loopCount, minLoopBytes, in) ||
            (totalLoops += loopCount) > maxModelLoops)
            return nullptr;
        for (std::int32_t l = 0; l < loopCount; ++l) {
            std::int32_t hole = 0, pointCount = 0;
            if (!in.readInt32(hole) || !in.readInt32(pointCount) ||
                !countFits(pointCount, pointBytes, in))
                return nullptr;
            auto loop = std::make_unique<Loop>();
            loop->isHole = hole == 1;
            loop->points.reserve(std::size_t(pointCount));
            for (std::int32_t k = 0; k < pointCount; ++k) {
                Point2 p;
                if (!readCoordinate(in, p.x) || !readCoordinate(in, p.y))
                    return nullptr;
                loop->addPoint(p);
            }
            face->polygon.addLoop(std::move(loop));
        }
        face->triangulate();
        model->userFaces.push_back(std::move(face));
    }
    return model;
}

std::unique_ptr<CardModel> parseModelFile(std::string_view bytes, MessageSink& sink,
                                          const UnderlayLoader& loadUnderlay) {
    TextReadResult text = readTextModel(bytes, sink, loadUnderlay);
    switch (text.outcome) {
    case TextReadResult::Outcome::Read:
        return std::move(text.model);
    case TextReadResult::Outcome::Binary:
        return parseBinaryModelFile(bytes, loadUnderlay);
    case TextReadResult::Outcome::Failed:
        break;
    }
    return nullptr;
}

void installModel(std::unique_ptr<CardModel> model) {
    setCurrentModel(std::move(model));
    CardModel& current = *currentModel();
    rebuildBuiltFaces(current);
    current.editPlane = FacePlane::Vertical;
    current.editOffset = 0.0;
}

UnderlayLoader underlayLoaderFor(const std::string& modelFilePath, MessageSink& sink) {
    return [modelFilePath, &sink](UnderlayImage& record, const std::string& storedPath) {
        loadUnderlay(record, findUnderlayFile(storedPath, modelFilePath), sink);
    };
}

bool readWholeFile(const std::string& path, std::string& out) {
    const int fd = openRegularFile(path);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok =
        ::fstat(fd, &st) == 0 && st.st_size >= 0 && std::uint64_t(st.st_size) <= maxModelFileBytes;
    if (ok) {
        out.resize(std::size_t(st.st_size));
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
            if (n <= 0) {
                ok = n == 0; // a file that shrank while being read ends where it ends
                out.resize(done);
                break;
            }
            done += std::size_t(n);
        }
    }
    ::close(fd);
    return ok;
}

bool readModelFile(const std::string& path, MessageSink& sink) {
    std::string bytes;
    if (!readWholeFile(path, bytes))
        return false;
    auto model = parseModelFile(bytes, sink, underlayLoaderFor(path, sink));
    if (!model)
        return false;
    installModel(std::move(model));
    return true;
}

bool readBinaryModelFile(const std::string& path, MessageSink& sink) {
    std::string bytes;
    if (!readWholeFile(path, bytes))
        return false;
    auto model = parseBinaryModelFile(bytes, underlayLoaderFor(path, sink));
    if (!model)
        return false;
    installModel(std::move(model));
    return true;
}

} // namespace plicato
