// A bounded little-endian cursor over the bytes of a file: every read says whether the bytes
// were there, so no reader can run past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace plicato {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes(bytes) {}

    std::size_t remaining() const { return bytes.size() - pos; }
    std::size_t position() const { return pos; }
    std::size_t size() const { return bytes.size(); }
    bool atEnd() const { return pos == bytes.size(); }

    bool readInt32(std::int32_t& out) {
        if (remaining() < 4)
            return false;
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<unsigned char>(bytes[pos + i]);
        pos += 4;
        out = static_cast<std::int32_t>(v);
        return true;
    }

    bool readFloat64(double& out) {
        if (remaining() < 8)
            return false;
        std::uint64_t v = 0;
        for (int i = 7; i >= 0; --i)
            v = (v << 8) | static_cast<unsigned char>(bytes[pos + i]);
        pos += 8;
        std::memcpy(&out, &v, sizeof out);
        return true;
    }

    bool readBytes(std::size_t n, std::string& out) {
        if (remaining() < n)
            return false;
        out.assign(bytes.substr(pos, n));
        pos += n;
        return true;
    }

    // Consumes one line as a fixed-size line buffer would: up to and including the line feed,
    // or maxChars characters, whichever comes first. False when nothing is left to read.
    bool skipLine(std::size_t maxChars) {
        if (atEnd())
            return false;
        for (std::size_t n = 0; n < maxChars && !atEnd(); ++n)
            if (bytes[pos++] == '\n')
                break;
        return true;
    }

private:
    std::string_view bytes;
    std::size_t pos = 0;
};

} // namespace plicato
