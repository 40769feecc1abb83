// The title and folder of a path: what the file commands show and where their dialogs start.
#pragma once

#include <string>

namespace plicato {

// The file name without its folder and its extension: the title a design is shown under.
std::string fileTitle(const std::string& path);
// The folder of `path` ending in '/', or empty when the path names no folder.
std::string folderOf(const std::string& path);

} // namespace plicato
