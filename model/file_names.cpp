// The title and folder of a path.
#include "model/file_names.h"

namespace plicato {

std::string fileTitle(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    // A leading dot names a hidden file rather than starting an extension.
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace plicato
