// Replacing a file's contents without ever leaving it half written: the bytes go to a new file
// in the same folder, which is flushed to disk and then renamed over the target.
#pragma once

#include <string>
#include <string_view>

namespace plicato {

// True when `path` now holds exactly `bytes`. On false the previous file, if any, is untouched
// and no temporary file is left behind.
bool replaceFileContents(const std::string& path, std::string_view bytes);

} // namespace plicato
