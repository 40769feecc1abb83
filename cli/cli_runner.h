// The command-line exporter's commands (export, info) behind a function that tests can call
// with their own streams; main() only forwards the arguments.
#pragma once

#include "model_file/model_file_reader.h"

#include <ostream>
#include <string>
#include <vector>

namespace plicato {

// Exit statuses of plicato-cli; each failure also leaves one line "plicato-cli: FILE: reason"
// (or, for usage errors, "plicato-cli: problem" and the usage text) on `err`.
// (3 is `check --strict` finding a piece that spoils the card, see check_command.h.)
constexpr int cliSuccess = 0;
constexpr int cliInputRefused = 1; // the design could not be read
constexpr int cliRefused = cliInputRefused;
constexpr int cliUsage = 2;         // the command line itself was wrong
constexpr int cliOutputRefused = 4; // the output file was refused or could not be written

// Runs plicato-cli with `args` (without the program name). Messages are in English.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The reason a design was not read, as the messages give it ("no such file", "truncated at
// byte 120", ...).
std::string describeReadProblem(const ModelReadReport& report);

// The usage text printed by --help and after usage errors.
std::string cliUsageText();

class CardModel;
// Reads a design and builds its pattern links for a command; nullptr, after the messages on
// `err`, when it is refused. Warnings follow the run's --quiet.
CardModel* loadCliDesign(const std::string& path, std::ostream& err);

} // namespace plicato
