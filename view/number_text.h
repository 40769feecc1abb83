// Decimal numbers in dialog fields, independent of the user's locale: the shortest text that
// reads back to the same value, and a strict reader that accepts surrounding blanks only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plicato {

std::string formatDecimal(double value);
// A finite decimal number with optional sign, fraction and exponent; nothing else but blanks
// around it. Anything else is refused.
std::optional<double> parseDecimal(std::string_view text);

} // namespace plicato
