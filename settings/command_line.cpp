// Command-line path joining.
#include "settings/command_line.h"

namespace plicato {

std::string commandLinePath(const std::vector<std::string>& args) {
    std::string line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            line += ' ';
        line += args[i];
    }
    if (!line.empty() && line.front() == '"')
        line = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string();
    return line;
}

} // namespace plicato
