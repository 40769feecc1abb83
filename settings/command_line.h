// The model file named on the command line.
#pragma once

#include <string>
#include <vector>

namespace plicato {

// The arguments (program name excluded) taken whole as one path: joined by single spaces; when
// the result starts with a double quote its first and last characters are dropped.
std::string commandLinePath(const std::vector<std::string>& args);

} // namespace plicato
