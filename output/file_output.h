// Writing an output file without ever leaving a half-written one behind (the model file's safe
// replacement: temporary file in the same folder, checked writes, flush, rename).
#pragma once

#include <string>
#include <string_view>

namespace plicato {

// True when `bytes` is now the whole content of `path`. On failure the previous file (if any)
// is unchanged, the temporary file is removed and `error` (when given) says what failed.
bool writeFileReplacing(const std::string& path, std::string_view bytes,
                        std::string* error = nullptr);

} // namespace plicato
