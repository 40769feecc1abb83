// Feeds arbitrary bytes to the BMP reader.
#include "underlay/bmp_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plicato::CollectingMessageSink sink;
    auto picture = plicato::readBmpData(data, size, sink);
    if (picture && picture->data.size() != std::size_t(picture->width) * picture->height * 3)
        __builtin_trap();
    return 0;
}
