// Size caps for decoded pictures and the checked opening of picture files: a picture that
// would need more memory than these is refused before anything is decoded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plicato {

constexpr int maxPictureSide = 16384;
constexpr std::int64_t maxPicturePixels = 64'000'000;

// True when a picture of w x h pixels may be decoded.
inline bool pictureSizeAllowed(std::int64_t w, std::int64_t h) {
    return w > 0 && h > 0 && w <= maxPictureSide && h <= maxPictureSide &&
           w * h <= maxPicturePixels;
}

// A read-only mapping of a whole regular file. Pipes, devices and folders are refused so that a
// stored path can never make a reader block or read without end.
class MappedFile {
public:
    explicit MappedFile(const std::string& path);
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    bool isOpen() const { return opened; }
    const unsigned char* data() const { return bytes; }
    std::size_t size() const { return length; }

private:
    const unsigned char* bytes = nullptr;
    std::size_t length = 0;
    bool opened = false;
    bool mapped = false;
};

// Opens a regular file for reading without blocking on special files; -1 on failure.
int openRegularFile(const std::string& path);

} // namespace plicato
