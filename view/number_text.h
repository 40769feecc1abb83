// Decimal numbers in dialog fields, independent of the user's locale: the shortest text that
// reads back to the same value, and a strict reader that accepts surrounding blanks only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plicato {

std::string formatDecimal(double value);
// The value rounded to `decimals` places with trailing zeros dropped, as a person would write
// it: 11.999999999999993 is "12", 0.30000000000000004 is "0.3", -0.0000001 is "0".
std::string formatRounded(double value, int decimals = 6);
// A finite decimal number with optional sign, fraction and exponent; nothing else but blanks
// around it. Anything else is refused.
std::optional<double> parseDecimal(std::string_view text);

} // namespace plicato
