// The built faces: each user face clipped to the sheet takes its paper from the faces before it,
// then the faces of its plane are united and split into connected pieces.
#include "popup/built_faces.h"

#include "popup/polygon_clip/polygon_clip.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plicato {

namespace {

// Offsets closer than this are one plane when a face covers another.
constexpr double coverPlaneTolerance = 0.00001;

struct ClipHolder {
    ClipPolygon p;
    ClipHolder() = default;
    explicit ClipHolder(ClipPolygon q) : p(q) {}
    ClipHolder(const ClipHolder&) = delete;
    ClipHolder& operator=(const ClipHolder&) = delete;
    ~ClipHolder() { freeClipPolygon(p); }
};

// a = a op b, through the engine.
void clipInPlace(Polygon& a, ClipOp op, const Polygon& b) {
    ClipHolder subject, clip;
    a.toClipPolygon(subject.p);
    b.toClipPolygon(clip.p);
    ClipHolder result(clipPolygons(op, subject.p, clip.p));
    a.assignFromClipPolygon(result.p);
}

bool onCoverPlane(const Face& a, FacePlane plane, double offset) {
    return a.plane == plane && std::fabs(a.offset - offset) <= coverPlaneTolerance;
}

int outerLoopCount(const Polygon& p) {
    int n = 0;
    for (const auto& loop : p.loops)
        n += loop->isHole ? 0 : 1;
    return n;
}

struct Box {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    bool empty() const { return !(minX <= maxX); }
    // Touching boxes meet: a face that only touches another may still share an edge with it.
    bool meets(const Box& o) const {
        return !empty() && !o.empty() && minX <= o.maxX && o.minX <= maxX && minY <= o.maxY &&
               o.minY <= maxY;
    }
};

Box boxOf(const Polygon& p) {
    Box b;
    for (const auto& loop : p.loops)
        for (const Point2& q : loop->points) {
            b.minX = std::min(b.minX, q.x);
            b.maxX = std::max(b.maxX, q.x);
            b.minY = std::min(b.minY, q.y);
            b.maxY = std::max(b.maxY, q.y);
        }
    return b;
}

Polygon sheetRect(const CardModel& model) {
    const double w = model.cardWidth / 2.0;
    const double h = model.cardHeight;
    auto loop = std::make_unique<Loop>();
    loop->points = {{-w, -h}, {w, -h}, {w, h}, {-w, h}};
    Polygon rect;
    rect.addLoop(std::move(loop));
    return rect;
}

} // namespace

void rebuildBuiltFaces(CardModel& model) {
    rebuildBuiltFaces(model, RebuildOptions{});
}

void rebuildBuiltFaces(CardModel& model, const RebuildOptions& options) {
    // The links point at the faces about to go; keep them harmless until the pattern is rebuilt.
    for (auto& link : model.links) {
        link->vFace = nullptr;
        link->hFace = nullptr;
    }
    model.builtFaces.clear();
    const Polygon sheet = sheetRect(model);
    for (const auto& userFace : model.userFaces) {
        // The emptiness test is on the user face's own fill, as copied: a face wholly outside
        // the sheet still passes here and drops out when its plane is merged.
        if (userFace->triangles.empty())
            continue;
        auto copy = std::make_unique<Face>(*userFace);
        clipInPlace(copy->polygon, ClipOp::Intersection, sheet);
        addFaceToBuilt(model, std::move(copy), options);
    }
}

void addFaceToBuilt(CardModel& model, std::unique_ptr<Face> face) {
    addFaceToBuilt(model, std::move(face), RebuildOptions{});
}

void addFaceToBuilt(CardModel& model, std::unique_ptr<Face> face, const RebuildOptions& options) {
    struct PlaneRef {
        FacePlane plane;
        double offset;
    };
    std::vector<PlaneRef> remerge;
    std::vector<Face*> removed;
    const Box faceBox = boxOf(face->polygon);

    for (auto& built : model.builtFaces) {
        Face& b = *built;
        if (options.skipDisjointBoxes && !faceBox.meets(boxOf(b.polygon)))
            continue; // b minus a face beyond its box is b itself
        clipInPlace(b.polygon, ClipOp::Difference, face->polygon);
        b.triangulate();
        if (b.triangles.empty()) {
            removed.push_back(&b);
            continue;
        }
        if (outerLoopCount(b.polygon) < 2 || onCoverPlane(b, face->plane, face->offset))
            continue;
        const bool planeNoted = std::any_of(remerge.begin(), remerge.end(), [&](const PlaneRef& r) {
            return onCoverPlane(b, r.plane, r.offset);
        });
        if (!planeNoted)
            remerge.push_back({b.plane, b.offset});
    }

    if (!removed.empty()) {
        std::erase_if(model.builtFaces, [&](const std::unique_ptr<Face>& f) {
            return std::find(removed.begin(), removed.end(), f.get()) != removed.end();
        });
    }
    const FacePlane plane = face->plane;
    const double offset = face->offset;
    model.builtFaces.push_back(std::move(face));

    mergePlane(model, plane, offset);
    for (const PlaneRef& r : remerge)
        mergePlane(model, r.plane, r.offset);
}

void mergePlane(CardModel& model, FacePlane plane, double offset) {
    auto merged = std::make_unique<Face>(plane, offset);
    std::vector<Face*> noted;
    for (auto& built : model.builtFaces) {
        if (built->plane != plane || built->offset != offset)
            continue;
        clipInPlace(merged->polygon, ClipOp::Union, built->polygon);
        noted.push_back(built.get());
    }
    std::erase_if(model.builtFaces, [&](const std::unique_ptr<Face>& f) {
        return std::find(noted.begin(), noted.end(), f.get()) != noted.end();
    });

    if (outerLoopCount(merged->polygon) == 1) {
        merged->triangulate();
        model.builtFaces.push_back(std::move(merged));
        return;
    }
    merged->splitByOuterLoops(model.builtFaces);
}

} // namespace plicato
