// Placeholder until the scan-beam engine lands: refuses loudly instead of returning wrong areas.
#include "popup/polygon_clip/polygon_clip.h"

#include <stdexcept>

namespace plicato {

ClipPolygon clipPolygons(ClipOp, const ClipPolygon&, const ClipPolygon&) {
    throw std::logic_error("polygon engine not built yet");
}

std::vector<TriangleStrip> polygonToStrips(const ClipPolygon&) {
    throw std::logic_error("polygon engine not built yet");
}

} // namespace plicato
