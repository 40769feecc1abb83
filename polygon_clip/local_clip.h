// Clipping a large polygon of the engine's own making by a small one, with only the large
// polygon's part near the small one going through the sweep.
#pragma once

#include "polygon_clip/contour_boxes.h"
#include "polygon_clip/polygon_clip.h"

#include <memory_resource>
#include <vector>

namespace plicato {

// `subject` op `clip` for a subject that is the engine's own output (its contours neither cross
// one another nor themselves). For a difference or a union with a clip whose box covers little
// of the subject's, the subject is trimmed to the clip's window, clipped, and the trimmed runs
// are put back; whenever the result cannot be vouched for that way, and for every other case,
// it is clipPolygons' result. Either way the contours come in the engine's order (each from its
// lowest vertex, leftmost among equals, in the order of those vertices).
ClipPolygon clipEngineSubject(ClipOp op, const ClipPolygon& subject, const ClipPolygon& clip);

// A clip operand measured once (its contour boxes, which of them the engine can use, the box
// round those), for clipping many subjects by it. It refers to the polygon, which must outlive
// it and stay unchanged.
class MeasuredClip {
public:
    explicit MeasuredClip(const ClipPolygon& clip,
                          std::pmr::memory_resource* arena = std::pmr::get_default_resource());
    const ClipPolygon& polygon() const { return clip_; }
    const std::pmr::vector<ClipBox>& boxes() const { return boxes_; }
    const std::pmr::vector<char>& use() const { return use_; }
    const ClipChunkBoxes& chunks() const { return chunks_; }
    bool anyUsable() const { return anyUsable_; }
    const ClipBox& box() const { return box_; }

private:
    const ClipPolygon& clip_;
    std::pmr::vector<char> use_;
    ClipChunkBoxes chunks_;
    std::pmr::vector<ClipBox> boxes_;
    ClipBox box_{};
    bool anyUsable_ = false;
};

// clipEngineSubject with the clip measured already.
ClipPolygon clipEngineSubject(ClipOp op, const ClipPolygon& subject, const MeasuredClip& clip);

} // namespace plicato
