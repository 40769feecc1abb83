// The binary model reader, the choice between the formats and the installation of a design.
// Every count is checked against the bytes that remain before anything is allocated from it.
#include "model_file/model_file_reader.h"

#include "model_file/byte_reader.h"
#include "model_file/model_text_reader.h"
#include "popup/built_faces.h"
#include "underlay/picture_limits.h"
#include "underlay/underlay_loader.h"

#include <cerrno>
#include <cmath>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

namespace plicato {

namespace {

using Problem = ModelReadReport::Problem;

// The binary body read value by value; a failed read records whether the file ended early or
// held an impossible value, and where.
class BodyReader {
public:
    BodyReader(std::string_view bytes, ModelReadReport* report) : in(bytes), report(report) {}

    bool skipLine(std::size_t maxChars) { return in.skipLine(maxChars) || truncated(); }
    bool int32(std::int32_t& out) {
        at = in.position();
        return in.readInt32(out) || truncated();
    }
    bool float64(double& out) {
        at = in.position();
        return in.readFloat64(out) || truncated();
    }
    bool coordinate(double& out) {
        if (!float64(out))
            return false;
        return (std::isfinite(out) && std::fabs(out) <= maxModelCoordinate) || bad();
    }
    bool bytes(std::size_t n, std::string& out) { return in.readBytes(n, out) || truncated(); }
    // A count of items of at least `each` bytes: impossible when negative or beyond `limit`,
    // a sign of a file cut short when the bytes left cannot hold it.
    bool count(std::int32_t& out, std::size_t each, std::int64_t limit) {
        if (!int32(out))
            return false;
        if (out < 0 || out > limit)
            return bad();
        return std::size_t(out) <= in.remaining() / each || truncated();
    }
    // The value just read is impossible.
    bool bad() { return fail(Problem::BadValue, at); }

private:
    bool truncated() { return fail(Problem::Truncated, in.size()); }
    bool fail(Problem problem, std::size_t byte) {
        if (report && report->problem == Problem::None) {
            report->problem = problem;
            report->byte = byte;
        }
        return false;
    }

    ByteReader in;
    ModelReadReport* report;
    std::size_t at = 0;
};

bool readUnderlayBlock(BodyReader& in, UnderlayImage& record, const UnderlayLoader& loadUnderlay) {
    std::int32_t present = 0;
    if (!in.int32(present))
        return false;
    if (present != 1)
        return true;
    double cx = 0, bottom = 0, width = 0, height = 0;
    std::int32_t length = 0;
    std::string path;
    if (!in.coordinate(cx) || !in.coordinate(bottom) || !in.coordinate(width) ||
        !in.coordinate(height) || !in.count(length, 1, maxStoredPathLength) ||
        !in.bytes(std::size_t(length), path))
        return false;
    placeStoredUnderlay(record, path, cx, bottom, width, height, loadUnderlay);
    return true;
}

// Smallest encodings, used to refuse counts that the remaining bytes cannot hold.
constexpr std::size_t minFaceBytes = 4 + 8 + 4;
constexpr std::size_t minLoopBytes = 4 + 4;
constexpr std::size_t pointBytes = 16;

} // namespace

std::unique_ptr<CardModel> parseBinaryModelFile(std::string_view bytes,
                                                const UnderlayLoader& loadUnderlay,
                                                ModelReadReport* report) {
    auto model = std::make_unique<CardModel>();
    BodyReader in(bytes, report);
    for (int i = 0; i < 4; ++i)
        if (!in.skipLine(1023))
            return nullptr;

    std::int32_t width = 0, height = 0;
    double grid = 0;
    if (!in.int32(width))
        return nullptr;
    if (width <= 0 || width > maxCardSize) {
        in.bad();
        return nullptr;
    }
    if (!in.int32(height))
        return nullptr;
    if (height <= 0 || height > maxCardSize) {
        in.bad();
        return nullptr;
    }
    if (!in.float64(grid))
        return nullptr;
    if (!std::isfinite(grid) || grid <= 0 || grid > maxCardSize) {
        in.bad();
        return nullptr;
    }
    model->cardWidth = width;
    model->cardHeight = height;
    model->setGridSize(grid);

    if (!readUnderlayBlock(in, model->frontImage, loadUnderlay) ||
        !readUnderlayBlock(in, model->topImage, loadUnderlay))
        return nullptr;

    std::int32_t faceCount = 0;
    if (!in.count(faceCount, minFaceBytes, maxModelFaces))
        return nullptr;
    std::int64_t totalLoops = 0;
    BaseFaceRule baseRule;
    model->userFaces.reserve(std::size_t(faceCount));
    for (std::int32_t f = 0; f < faceCount; ++f) {
        std::int32_t plane = 0, loopCount = 0;
        double offset = 0;
        if (!in.int32(plane) || !in.coordinate(offset))
            return nullptr;
        auto face = std::make_unique<Face>(plane == 1 ? FacePlane::Horizontal : FacePlane::Vertical,
                                           offset);
        baseRule.apply(*face);
        if (!in.count(loopCount, minLoopBytes, maxModelLoops))
            return nullptr;
        if ((totalLoops += loopCount) > maxModelLoops) {
            in.bad();
            return nullptr;
        }
        for (std::int32_t l = 0; l < loopCount; ++l) {
            std::int32_t hole = 0, pointCount = 0;
            if (!in.int32(hole) ||
                !in.count(pointCount, pointBytes, std::numeric_limits<std::int32_t>::max()))
                return nullptr;
            auto loop = std::make_unique<Loop>();
            loop->isHole = hole == 1;
            loop->points.reserve(std::size_t(pointCount));
            for (std::int32_t k = 0; k < pointCount; ++k) {
                Point2 p;
                if (!in.coordinate(p.x) || !in.coordinate(p.y))
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
                                          const UnderlayLoader& loadUnderlay,
                                          ModelReadReport* report) {
    TextReadResult text = readTextModel(bytes, sink, loadUnderlay, report);
    switch (text.outcome) {
    case TextReadResult::Outcome::Read:
        return std::move(text.model);
    case TextReadResult::Outcome::Binary:
        return parseBinaryModelFile(bytes, loadUnderlay, report);
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

bool readWholeFile(const std::string& path, std::string& out, ModelReadReport* report) {
    const auto fail = [report](Problem problem, int error) {
        if (report) {
            report->problem = problem;
            report->error = error;
        }
        return false;
    };
    const int fd = openRegularFile(path);
    if (fd < 0) {
        const int error = errno;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0)
            return fail(errno == ENOENT || errno == ENOTDIR ? Problem::NoSuchFile
                                                            : Problem::Unreadable,
                        errno);
        if (S_ISDIR(st.st_mode))
            return fail(Problem::IsDirectory, 0);
        if (!S_ISREG(st.st_mode))
            return fail(Problem::NotRegularFile, 0);
        return fail(Problem::Unreadable, error);
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && st.st_size >= 0;
    if (ok && std::uint64_t(st.st_size) > maxModelFileBytes) {
        ::close(fd);
        return fail(Problem::TooLarge, 0);
    }
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
    const int error = errno;
    ::close(fd);
    return ok || fail(Problem::Unreadable, error);
}

bool readModelFile(const std::string& path, MessageSink& sink, ModelReadReport* report) {
    std::string bytes;
    if (!readWholeFile(path, bytes, report))
        return false;
    auto model = parseModelFile(bytes, sink, underlayLoaderFor(path, sink), report);
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
