// Sorting the coordinates of a whole design, as the clean-up does on every rebuild.
#pragma once

#include <vector>

namespace plicato {

// Sorts the values ascending, -0 as 0, NaNs (which no design should hold) last.
void sortValues(std::vector<double>& values);

} // namespace plicato
