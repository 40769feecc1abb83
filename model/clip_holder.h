// Owns a ClipPolygon for the length of a scope, so an exception cannot leak its arrays.
#pragma once

#include "polygon_clip/clip_polygon.h"

namespace plicato {

struct ClipHolder {
    ClipPolygon p;
    ClipHolder() = default;
    explicit ClipHolder(ClipPolygon q) : p(q) {}
    ClipHolder(const ClipHolder&) = delete;
    ClipHolder& operator=(const ClipHolder&) = delete;
    ~ClipHolder() { freeClipPolygon(p); }
};

} // namespace plicato
