// The command-line exporter's commands (export, info) behind a function that tests can call
// with their own streams; main() only forwards the arguments.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace plicato {

// Exit statuses of plicato-cli.
constexpr int cliSuccess = 0;
constexpr int cliRefused = 1; // the input or the output was refused; the reason is on `err`
constexpr int cliUsage = 2;   // the command line itself was wrong; the usage text is on `err`

// Runs plicato-cli with `args` (without the program name).
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage text printed by --help and after usage errors.
std::string cliUsageText();

class CardModel;
// Reads a design and builds its pattern links for a command; nullptr, after the messages on
// `err`, when it is refused.
CardModel* loadCliDesign(const std::string& path, std::ostream& err);

} // namespace plicato
