// Output files go through the same safe replacement as model files; this adds the reason.
#include "output/file_output.h"

#include "model_file/safe_file_write.h"

#include <cerrno>
#include <cstring>

namespace plicato {

bool writeFileReplacing(const std::string& path, std::string_view bytes, std::string* error) {
    errno = 0;
    if (replaceFileContents(path, bytes))
        return true;
    if (error)
        *error = "cannot write " + path + (errno ? std::string(": ") + std::strerror(errno) : "");
    return false;
}

} // namespace plicato
