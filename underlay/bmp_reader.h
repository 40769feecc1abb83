// Our own BMP reader: file header, core, info or V4/V5 header, 1/4/8/16/24/32 bits a pixel and
// RLE4/RLE8, to RGB rows from the bottom up.
#pragma once

#include "model/message_sink.h"
#include "model/underlay_image.h"

#include <cstddef>
#include <memory>
#include <string>

namespace plicato {

// Reads the file; on failure shows one of the reader's messages and returns nullptr.
std::unique_ptr<Picture> readBmp(const std::string& path, MessageSink& sink);
// The same on bytes already in memory (the whole file).
std::unique_ptr<Picture> readBmpData(const unsigned char* data, std::size_t size,
                                     MessageSink& sink);

} // namespace plicato
