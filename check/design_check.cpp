// The design check's rules, each read off the geometry of the right-angle card: folds are the
// only joints between pieces, every fold runs parallel to the central fold, and every piece moves
// with the half of the card its plane is parallel to.
#include "check/design_check.h"

#include "check/paper_width.h"
#include "pattern/pattern_builder.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace plicato {

namespace {

// Fold ends within this distance lie on one line; the pattern builder pairs edges with it.
constexpr double lineEps = 0.01;
// A fold shorter than this is a point where two pieces touch, not paper holding them together.
constexpr double minFoldLength = 1e-6;
// Beyond the closed card by less than this is flush with its edge.
constexpr double flushEps = 0.001;
// The corners are tested this far inside the sheet, where exactly one piece holds them.
constexpr double cornerInset = 0.001;

struct Fold {
    std::size_t other;
    double y, z; // the fold's line, at 90 degrees
    double length;
};

bool sameLine(const Fold& a, const Fold& b) {
    return std::fabs(a.y - b.y) < lineEps && std::fabs(a.z - b.z) < lineEps;
}

double loopArea(const std::vector<Point2>& p) {
    return std::fabs(signedArea(p));
}

// A cut through the corner itself leaves a piece of the corner on either side; the user holds
// both, so a point on the outline counts as held.
bool onSegment(const Point2& a, const Point2& b, const Point2& q) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0.0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return distance2(a.x + t * dx, a.y + t * dy, q.x, q.y) < 1e-9;
}

bool holds(const Face& face, const PieceCheck& piece, const Point2& q) {
    if (q.x < piece.boxMin.x || q.x > piece.boxMax.x || q.y < piece.boxMin.y ||
        q.y > piece.boxMax.y)
        return false;
    bool inside = false;
    for (const auto& loop : face.polygon.loops) {
        const std::vector<Point2>& p = loop->points;
        for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
            if (onSegment(p[j], p[i], q))
                return true;
            if ((p[i].y > q.y) != (p[j].y > q.y) &&
                q.x < (p[j].x - p[i].x) * (q.y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
                inside = !inside;
        }
    }
    return inside;
}

// Distance from the central fold of a sheet point of the face when the card is closed. With
// the card shut (angle 0) a vertical face at depth d puts sheet point y at d + (y + d) and a
// horizontal face at height d puts it at (d - y) + d; on the open card both are the point's
// depth plus its height.
double closedReach(const Face& face, const Point2& p) {
    return face.plane == FacePlane::Vertical ? p.y + 2 * face.offset : 2 * face.offset - p.y;
}

void describe(const Face& face, PieceCheck& piece) {
    piece.face = &face;
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    for (const auto& loop : face.polygon.loops) {
        const double a = loopArea(loop->points);
        piece.area += loop->isHole ? -a : a;
        for (const Point2& p : loop->points) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    piece.boxMin = {minX, minY};
    piece.boxMax = {maxX, maxY};
}

} // namespace

CheckResult checkDesign(const CardModel& model, const CheckOptions& options) {
    CheckResult result;
    const std::size_t n = model.builtFaces.size();
    result.pieces.resize(n);
    result.halfHeight = model.cardHeight;
    std::unordered_map<const Face*, std::size_t> indexOf;
    indexOf.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        indexOf[model.builtFaces[i].get()] = i;
        describe(*model.builtFaces[i], result.pieces[i]);
    }

    // The frame: the pieces holding the four corners of the sheet, which the user holds.
    const double w = model.cardWidth / 2.0 - cornerInset, h = model.cardHeight - cornerInset;
    const Point2 corners[4] = {{-w, -h}, {w, -h}, {w, h}, {-w, h}};
    for (std::size_t i = 0; i < n; ++i)
        for (const Point2& c : corners)
            if (model.cardWidth > 0 && model.cardHeight > 0 &&
                holds(*model.builtFaces[i], result.pieces[i], c))
                result.pieces[i].frame = true;

    // Folds are the only joints: a link shared by a vertical and a horizontal piece. Cut links
    // join nothing, and pieces of one plane never share an edge (touching ones were merged).
    std::vector<std::vector<Fold>> folds(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (const FaceLink* link : model.builtFaces[i]->links) {
            if (!link->vFace || !link->hFace)
                continue;
            const double length = std::fabs(link->p2.x - link->p1.x);
            const Face* other =
                link->vFace == model.builtFaces[i].get() ? link->hFace : link->vFace;
            const auto it = indexOf.find(other);
            if (length < minFoldLength || it == indexOf.end() || it->second == i)
                continue;
            folds[i].push_back({it->second, link->p1.y, link->p1.z, length});
            result.pieces[i].foldLength += length;
        }
    }

    // Falls out: no chain of folds to the frame. Cutting every line leaves it loose.
    std::vector<char> reached(n, 0);
    std::vector<std::size_t> queue;
    for (std::size_t i = 0; i < n; ++i)
        if (result.pieces[i].frame) {
            reached[i] = 1;
            queue.push_back(i);
        }
    for (std::size_t k = 0; k < queue.size(); ++k)
        for (const Fold& f : folds[queue[k]])
            if (!reached[f.other]) {
                reached[f.other] = 1;
                queue.push_back(f.other);
            }

    // The distinct lines of each piece's folds; all folds run parallel to the central fold, so a
    // line is its (y, z) at 90 degrees.
    std::vector<std::vector<Fold>> lines(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (const Fold& f : folds[i])
            if (std::none_of(lines[i].begin(), lines[i].end(),
                             [&f](const Fold& l) { return sameLine(l, f); }))
                lines[i].push_back(f);
        result.pieces[i].foldLines = int(lines[i].size());
    }

    for (std::size_t i = 0; i < n; ++i) {
        PieceCheck& piece = result.pieces[i];
        if (piece.frame)
            continue;
        if (!reached[i]) {
            piece.fallsOut = true;
            continue;
        }
        const Face& face = *model.builtFaces[i];
        // Flap: a body held only on one straight line can turn about that line without
        // stretching any fold, whatever the rest of the card does. Certain.
        piece.flap = lines[i].size() == 1;

        // Sticks out: the reach when closed is linear on the sheet, so its largest value over
        // the piece is at a vertex. Beyond the half height it pokes out of the closed card's far
        // edge; below zero it pokes out past the spine.
        double beyond = -std::numeric_limits<double>::infinity();
        for (const auto& loop : face.polygon.loops)
            for (const Point2& p : loop->points) {
                const double reach = closedReach(face, p);
                const double out = std::max(reach - result.halfHeight, -reach);
                if (out > beyond) {
                    beyond = out;
                    piece.farthest = p;
                }
            }
        if (beyond > flushEps) {
            if (piece.flap)
                result.doubts.push_back({DoubtKind::FlapBeyond, {i}, beyond});
            else
                piece.sticksOutBy = beyond;
        }

        const NarrowPlace narrow = narrowestPlace(face, options.minPaperWidth);
        if (narrow.found) {
            piece.width = narrow.width;
            piece.narrowFrom = narrow.from;
            piece.narrowTo = narrow.to;
        }
        if (piece.foldLength < options.minPaperWidth)
            result.doubts.push_back({DoubtKind::ShortHold, {i}, piece.foldLength});
    }

    // Linkages: the held pieces that hang together without the frame. Each is a rigid body in
    // the plane across the folds (3 freedoms), each hinge (a line shared with one neighbour)
    // takes 2; the frame counts as one fixed body.
    std::vector<char> seen(n, 0);
    for (std::size_t start = 0; start < n; ++start) {
        if (seen[start] || !reached[start] || result.pieces[start].frame)
            continue;
        std::vector<std::size_t> group{start};
        seen[start] = 1;
        for (std::size_t k = 0; k < group.size(); ++k)
            for (const Fold& f : folds[group[k]])
                if (!seen[f.other] && !result.pieces[f.other].frame) {
                    seen[f.other] = 1;
                    group.push_back(f.other);
                }
        // Flaps are reported with their own freedom; the count is of what remains.
        long bodies = 0, hinges = 0;
        for (std::size_t a : group) {
            if (result.pieces[a].flap)
                continue;
            ++bodies;
            for (const Fold& line : lines[a]) {
                std::vector<long> neighbours; // -1 is the frame
                for (const Fold& f : folds[a])
                    if (sameLine(f, line) && !result.pieces[f.other].flap) {
                        const long b = result.pieces[f.other].frame ? -1 : long(f.other);
                        if ((b == -1 || b > long(a)) &&
                            std::find(neighbours.begin(), neighbours.end(), b) == neighbours.end())
                            neighbours.push_back(b);
                    }
                hinges += long(neighbours.size());
            }
        }
        const long freedom = 3 * bodies - 2 * hinges;
        if (freedom > 0) {
            std::erase_if(group, [&result](std::size_t a) { return result.pieces[a].flap; });
            std::sort(group.begin(), group.end());
            result.doubts.push_back({DoubtKind::Linkage, group, double(freedom)});
        }
    }

    for (std::size_t i = 0; i < n; ++i) {
        const PieceCheck& piece = result.pieces[i];
        if (piece.fallsOut)
            result.findings.push_back({FindingKind::FallsOut, i, 0.0});
        if (piece.flap)
            result.findings.push_back({FindingKind::Flap, i, 0.0});
        if (piece.sticksOutBy > 0.0)
            result.findings.push_back({FindingKind::SticksOut, i, piece.sticksOutBy});
        if (std::isfinite(piece.width))
            result.findings.push_back({FindingKind::TooThin, i, piece.width});
    }
    return result;
}

CheckResult buildAndCheckDesign(CardModel& model, const CheckOptions& options) {
    buildPattern(model);
    return checkDesign(model, options);
}

int leadingFinding(const PieceCheck& piece) {
    if (piece.frame)
        return -1;
    if (piece.fallsOut)
        return int(FindingKind::FallsOut);
    if (piece.sticksOutBy > 0.0)
        return int(FindingKind::SticksOut);
    if (std::isfinite(piece.width))
        return int(FindingKind::TooThin);
    if (piece.flap)
        return int(FindingKind::Flap);
    return -1;
}

} // namespace plicato
