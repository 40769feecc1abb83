// The family of planes a face lies in, stored as a 32-bit integer in model files.
#pragma once

namespace plicato {

enum class FacePlane : int { Vertical = 0, Horizontal = 1 };

} // namespace plicato
