// Reading model files: the binary version 4 layout and the all-text versions 2 and 3. A design
// is built on the side and becomes the current model only when the whole file was read.
#pragma once

#include "model/card_model.h"
#include "model/message_sink.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace plicato {

// Fills an underlay record from the picture path stored in a file (shows its own messages).
using UnderlayLoader = std::function<void(UnderlayImage& record, const std::string& storedPath)>;

// Loads the stored picture into a record and places it where the file says; both file
// versions store the same five values.
inline void placeStoredUnderlay(UnderlayImage& record, const std::string& storedPath,
                                double centerX, double bottom, double width, double height,
                                const UnderlayLoader& loadUnderlay) {
    loadUnderlay(record, storedPath);
    record.centerX = centerX;
    record.bottom = bottom;
    record.width = width;
    record.height = height;
}

// Limits beyond which a file is malformed rather than a design.
constexpr std::size_t maxModelFileBytes = 64u << 20;
// Faces and loops cost far more memory than their bytes in a file; these bound what a small
// hostile file can make us allocate, far beyond any real design.
constexpr std::int64_t maxModelFaces = 1'000'000;
constexpr std::int64_t maxModelLoops = 1'000'000;
constexpr std::int32_t maxStoredPathLength = 4095;
constexpr double maxModelCoordinate = 1e6; // millimetres: a kilometre of card
constexpr int maxCardSize = 1'000'000;

// Why a file was not read, in more detail than the messages the application shows: the command
// line names the reason and the place. Filled by the readers when the caller asks for it.
struct ModelReadReport {
    enum class Problem {
        None,
        NoSuchFile,
        IsDirectory,
        NotRegularFile,
        Unreadable, // `error` holds the errno
        TooLarge,
        BadHeader, // no design header at all
        Truncated, // the file ends at `byte` where more was needed
        BadValue,  // the value starting at `byte` is impossible
        TooOld,    // version `major`.`minor`
        TooNew,
    };
    Problem problem = Problem::None;
    std::size_t byte = 0;
    int major = -1; // the version the header gives; -1 when it gives none
    int minor = -1;
    int error = 0;
};

// Any supported version; nullptr on failure, after any version message. Nothing is installed.
std::unique_ptr<CardModel> parseModelFile(std::string_view bytes, MessageSink& sink,
                                          const UnderlayLoader& loadUnderlay,
                                          ModelReadReport* report = nullptr);
// The version 4 layout only.
std::unique_ptr<CardModel> parseBinaryModelFile(std::string_view bytes,
                                                const UnderlayLoader& loadUnderlay,
                                                ModelReadReport* report = nullptr);

// Makes `model` the current one: builds its pop-up faces, edit plane vertical at offset 0.
void installModel(std::unique_ptr<CardModel> model);

// Reads the file at `path` and installs the design on success. Pictures whose stored path is
// missing are also looked for beside the model file. False when the file cannot be opened or
// is not a readable design; the current model is then untouched.
bool readModelFile(const std::string& path, MessageSink& sink, ModelReadReport* report = nullptr);
bool readBinaryModelFile(const std::string& path, MessageSink& sink);

// The loader used for files on disk: stored path, else the same name beside the model file.
UnderlayLoader underlayLoaderFor(const std::string& modelFilePath, MessageSink& sink);

// The whole file, if it is a regular file no larger than maxModelFileBytes.
bool readWholeFile(const std::string& path, std::string& out, ModelReadReport* report = nullptr);

} // namespace plicato
