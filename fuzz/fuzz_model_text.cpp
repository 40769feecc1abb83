// Feeds arbitrary text to the model reader of every version (the version line decides whether
// the text or the binary reader runs); stored picture paths are not opened.
#include "model_file/model_file_reader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const plicato::UnderlayLoader loader = [](plicato::UnderlayImage&, const std::string&) {};
    plicato::CollectingMessageSink sink;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto model = plicato::parseModelFile(bytes, sink, loader);
    if (model && (model->cardWidth <= 0 || model->cardHeight <= 0))
        __builtin_trap();
    return 0;
}
