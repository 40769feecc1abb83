// plicato-cli check: the design check of a model file as JSON, with --strict failing on the
// findings that spoil a card (too thin, sticks out).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace plicato {

class CardModel;
struct CheckResult;

// Exit status of `check --strict` when a piece is too thin or sticks out.
constexpr int cliCheckFailed = 3;

// Runs `check` with `args` as given to plicato-cli (args[0] is "check").
int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The check result as one JSON object.
std::string checkResultJson(const CardModel& model, const CheckResult& result);

} // namespace plicato
