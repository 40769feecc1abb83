// Feeds arbitrary bytes to the JPEG reader.
#include "underlay/jpeg_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plicato::CollectingMessageSink sink;
    plicato::JpegImage image;
    if (plicato::readJpegData(data, size, sink, image) &&
        image.rgb.size() != std::size_t(image.width) * image.height * 3)
        __builtin_trap();
    return 0;
}
