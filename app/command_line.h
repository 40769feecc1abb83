// The model file named on the command line, and the small path helpers of the file commands.
#pragma once

#include <string>
#include <vector>

namespace plicato {

// The arguments (program name excluded) taken whole as one path: joined by single spaces; when
// the result starts with a double quote its first and last characters are dropped.
std::string commandLinePath(const std::vector<std::string>& args);

// The file name without its folder and its extension: the title a design is shown under.
std::string fileTitle(const std::string& path);
// The folder of `path` ending in '/', or empty when the path names no folder.
std::string folderOf(const std::string& path);

} // namespace plicato
