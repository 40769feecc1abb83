// JPEG decoding through libjpeg into RGB rows from the top down; grey pictures are widened.
#pragma once

#include "model/message_sink.h"

#include <cstddef>
#include <string>
#include <vector>

namespace plicato {

struct JpegImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // 3 bytes a pixel, top row first
};

// Reads the file; on failure shows the reader's message where there is one and returns false.
bool readJpeg(const std::string& path, MessageSink& sink, JpegImage& out);
// The same on a whole file already in memory.
bool readJpegData(const unsigned char* data, std::size_t size, MessageSink& sink, JpegImage& out);

} // namespace plicato
