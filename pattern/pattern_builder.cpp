// Building the fold and cut links of the built faces, by a direct quadratic search and by an
// indexed search that finds the same pieces, the same pairs and the same links in the same order.
#include "pattern/pattern_builder.h"

#include "model/card_model.h"
#include "model/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

namespace plicato {

namespace {

// The pattern is always read from the right-angle card, where flatten inverts toSpace.
constexpr int patternAngle = 90;
constexpr double linkEps = 0.01;
constexpr double sideEps = 0.001;
constexpr std::size_t none = std::numeric_limits<std::size_t>::max();

// One stretch of a face's boundary in processing order: an edge across the fold direction
// (never shared), or the piece of a fold-parallel edge between two neighbouring split points.
struct Piece {
    Face* face = nullptr;
    Point3 s, e;         // for split pieces s.x <= e.x
    bool shared = false; // a fold-parallel piece, which may pair with one of the other kind
    int side = 0;        // +1 the face lies on the positive-y side of it on the sheet, -1 below
    std::size_t partner = none;
};

// An edge shorter than the tolerance across the fold is not parallel to it either: taken as
// parallel it would have no length along the fold and leave a gap in the cut it belongs to.
bool notParallelToFold(const Point2& p, const Point2& q) {
    const double dy = std::fabs(p.y - q.y);
    return dy >= linkEps || (dy > 0.0 && std::fabs(p.x - q.x) <= dy);
}

bool onEdgeLine(const Point3& v, const Point3& a) {
    return distance2(v.y, v.z, a.y, a.z) < linkEps;
}

// The side of a fold-parallel edge on which its face lies, from the direction in which the loop
// runs along it: exact, whatever other faces lie within the tolerance of the edge.
int faceSide(const Point2& p, const Point2& q, bool interiorOnLeft) {
    if (q.x == p.x)
        return 0;
    return (q.x > p.x) == interiorOnLeft ? 1 : -1;
}

// The point of the edge from a to b at x. An edge that is parallel to the fold within the
// tolerance but not exactly keeps its slope: drawn at a's height, the far end of a piece would
// move with the loop's starting point.
Point3 along(const Point3& a, const Point3& b, double x) {
    if (x == b.x)
        return b;
    if (x == a.x || a.x == b.x)
        return {x, a.y, a.z};
    const double t = (x - a.x) / (b.x - a.x);
    return {x, a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
}

// How far apart two pieces are when their ends match within the tolerance (in either order),
// else infinity.
double matchDistance(const Piece& a, const Piece& b) {
    constexpr double far = std::numeric_limits<double>::infinity();
    const double d1 = distance3(a.s, b.s), d2 = distance3(a.e, b.e);
    const double r1 = distance3(a.s, b.e), r2 = distance3(a.e, b.s);
    const double direct = d1 < linkEps && d2 < linkEps ? std::max(d1, d2) : far;
    const double reversed = r1 < linkEps && r2 < linkEps ? std::max(r1, r2) : far;
    return std::min(direct, reversed);
}

// Every stretch of every built face's boundary, fold-parallel edges split at the x of every
// vertex (of any face, of either kind) on the edge's spatial line: both faces of a fold see the
// same split points, so their pieces match. `collect(a, lo, hi, xs)` appends those x values.
template <class Collect> std::vector<Piece> collectPieces(CardModel& model, Collect&& collect) {
    std::vector<Piece> pieces;
    std::vector<double> xs;
    for (auto& face : model.builtFaces) {
        for (const auto& loop : face->polygon.loops) {
            const std::vector<Point2>& pts = loop->points;
            const bool interiorOnLeft = (signedArea(pts) > 0.0) != loop->isHole;
            for (std::size_t i = 0; i < pts.size(); ++i) {
                const Point2& p = pts[i];
                const Point2& q = pts[(i + 1) % pts.size()];
                const Point3 a = face->toSpace(p, patternAngle);
                const Point3 b = face->toSpace(q, patternAngle);
                if (notParallelToFold(p, q)) {
                    pieces.push_back({face.get(), a, b, false, 0, none});
                    continue;
                }
                xs.assign({a.x, b.x});
                collect(a, std::min(a.x, b.x), std::max(a.x, b.x), xs);
                std::sort(xs.begin(), xs.end());
                const int side = faceSide(p, q, interiorOnLeft);
                for (std::size_t k = 0; k + 1 < xs.size(); ++k)
                    pieces.push_back(
                        {face.get(), along(a, b, xs[k]), along(a, b, xs[k + 1]), true, side, none});
            }
        }
    }
    return pieces;
}

struct Candidate {
    double distance;
    std::size_t later, earlier; // piece positions
};

// Pairs vertical with horizontal pieces: nearest pairs first, so that of several planes within
// the tolerance the one nearest in space wins; among equally near ones the later piece takes
// the earlier partner, as a search through the links in order would.
void pairPieces(std::vector<Piece>& pieces, std::vector<Candidate>& candidates) {
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        if (a.distance != b.distance)
            return a.distance < b.distance;
        if (a.later != b.later)
            return a.later < b.later;
        return a.earlier < b.earlier;
    });
    for (const Candidate& c : candidates) {
        Piece& a = pieces[c.later];
        Piece& b = pieces[c.earlier];
        if (a.partner != none || b.partner != none)
            continue;
        a.partner = c.earlier;
        b.partner = c.later;
    }
}

void addCandidate(const std::vector<Piece>& pieces, std::size_t i, std::size_t j,
                  std::vector<Candidate>& out) {
    const double d = matchDistance(pieces[i], pieces[j]);
    if (d < linkEps)
        out.push_back({d, std::max(i, j), std::min(i, j)});
}

bool isVertical(const Piece& p) {
    return p.face->plane == FacePlane::Vertical;
}

// A fold folds like the card's own central fold (valley) when its vertical face lies on the
// positive-y side of the line on the sheet. Only an edge without length along the fold has no
// side of its own; it keeps the test point just above the line.
FoldKind foldKind(const FaceLink& link, int verticalSide) {
    if (verticalSide != 0)
        return verticalSide > 0 ? FoldKind::Valley : FoldKind::Mountain;
    const Point2 s1 = flatten(link.p1), s2 = flatten(link.p2);
    const Point2 t{(s1.x + s2.x) / 2, s1.y + sideEps};
    for (const Triangle& tri : link.vFace->triangles)
        if (pointInTriangle(tri.corners[0], tri.corners[1], tri.corners[2], t))
            return FoldKind::Valley;
    return FoldKind::Mountain;
}

// Links in the order of the pieces: a piece whose partner already has a link joins it, any
// other piece starts a link of its own. Then every link is classified.
void makeLinks(CardModel& model, const std::vector<Piece>& pieces) {
    std::vector<std::size_t> linkOf(pieces.size(), none);
    std::vector<int> verticalSide;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& piece = pieces[i];
        std::size_t position = piece.partner != none ? linkOf[piece.partner] : none;
        if (position == none) {
            auto link = std::make_unique<FaceLink>();
            link->kind = FoldKind::Cut;
            link->p1 = piece.s;
            link->p2 = piece.e;
            position = model.links.size();
            model.links.push_back(std::move(link));
            verticalSide.push_back(0);
        }
        linkOf[i] = position;
        FaceLink& link = *model.links[position];
        if (isVertical(piece)) {
            link.vFace = piece.face;
            verticalSide[position] = piece.side;
        } else {
            link.hFace = piece.face;
        }
        piece.face->links.push_back(&link);
    }
    for (std::size_t i = 0; i < model.links.size(); ++i) {
        FaceLink& link = *model.links[i];
        link.kind = link.vFace && link.hFace ? foldKind(link, verticalSide[i]) : FoldKind::Cut;
    }
}

void clearLinks(CardModel& model) {
    for (auto& face : model.builtFaces)
        face->links.clear();
    model.links.clear();
}

// Grid cells twice as wide as the tolerance, so that points closer than the tolerance always
// fall into the same or neighbouring cells despite rounding in the division.
constexpr double cellSize = 2 * linkEps;

bool cellOf(double v, std::int64_t& cell) {
    if (!std::isfinite(v))
        return false; // such a point never passes the distance tests
    cell = std::int64_t(std::clamp(std::floor(v / cellSize), -1e15, 1e15));
    return true;
}

struct CellKey {
    std::int64_t a = 0, b = 0, c = 0;
    friend bool operator==(const CellKey&, const CellKey&) = default;
};

struct CellHash {
    std::size_t operator()(const CellKey& k) const {
        std::uint64_t h = std::uint64_t(k.a) * 0x9E3779B97F4A7C15ull;
        h ^= std::uint64_t(k.b) * 0xC2B2AE3D27D4EB4Full + (h << 6) + (h >> 2);
        h ^= std::uint64_t(k.c) * 0x165667B19E3779F9ull + (h << 6) + (h >> 2);
        return std::size_t(h ^ (h >> 29));
    }
};

// Every vertex of the built faces, at its 90-degree position, by (y, z) cell and sorted by x
// within a cell.
class VertexIndex {
public:
    void add(const Point3& v) {
        CellKey key;
        if (!cellOf(v.y, key.a) || !cellOf(v.z, key.b) || std::isnan(v.x))
            return;
        cells_[key].push_back(v);
    }
    void finish() {
        for (auto& [key, points] : cells_)
            std::sort(points.begin(), points.end(),
                      [](const Point3& p, const Point3& q) { return p.x < q.x; });
    }
    // Appends the x of every vertex on the spatial line through `a` strictly between lo and hi.
    void collect(const Point3& a, double lo, double hi, std::vector<double>& xs) const {
        CellKey centre;
        if (!cellOf(a.y, centre.a) || !cellOf(a.z, centre.b))
            return;
        for (std::int64_t da = -1; da <= 1; ++da) {
            for (std::int64_t db = -1; db <= 1; ++db) {
                const auto it = cells_.find({centre.a + da, centre.b + db, 0});
                if (it == cells_.end())
                    continue;
                const std::vector<Point3>& points = it->second;
                auto p = std::upper_bound(points.begin(), points.end(), lo,
                                          [](double x, const Point3& q) { return x < q.x; });
                for (; p != points.end() && p->x < hi; ++p)
                    if (onEdgeLine(*p, a))
                        xs.push_back(p->x);
            }
        }
    }

private:
    std::unordered_map<CellKey, std::vector<Point3>, CellHash> cells_;
};

bool keyOf(const Point3& p, CellKey& key) {
    return cellOf(p.x, key.a) && cellOf(p.y, key.b) && cellOf(p.z, key.c);
}

} // namespace

void buildPatternLiteral(CardModel& model) {
    clearLinks(model);
    const auto collect = [&model](const Point3& a, double lo, double hi, std::vector<double>& xs) {
        for (const auto& other : model.builtFaces)
            for (const auto& loop : other->polygon.loops)
                for (const Point2& point : loop->points) {
                    const Point3 v = other->toSpace(point, patternAngle);
                    if (onEdgeLine(v, a) && v.x > lo && v.x < hi)
                        xs.push_back(v.x);
                }
    };
    std::vector<Piece> pieces = collectPieces(model, collect);
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        for (std::size_t j = i + 1; j < pieces.size(); ++j)
            if (pieces[i].shared && pieces[j].shared &&
                isVertical(pieces[i]) != isVertical(pieces[j]))
                addCandidate(pieces, i, j, candidates);
    pairPieces(pieces, candidates);
    makeLinks(model, pieces);
}

void buildPattern(CardModel& model) {
    clearLinks(model);
    VertexIndex vertices;
    for (const auto& face : model.builtFaces)
        for (const auto& loop : face->polygon.loops)
            for (const Point2& point : loop->points)
                vertices.add(face->toSpace(point, patternAngle));
    vertices.finish();
    std::vector<Piece> pieces = collectPieces(
        model, [&vertices](const Point3& a, double lo, double hi, std::vector<double>& xs) {
            vertices.collect(a, lo, hi, xs);
        });

    // Horizontal pieces by the cell of their first end; a vertical piece looks around both of
    // its ends, which finds partners in either order.
    std::unordered_map<CellKey, std::vector<std::size_t>, CellHash> horizontal;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        CellKey key;
        if (pieces[i].shared && !isVertical(pieces[i]) && keyOf(pieces[i].s, key))
            horizontal[key].push_back(i);
    }
    std::vector<Candidate> candidates;
    std::vector<std::size_t> near;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].shared || !isVertical(pieces[i]))
            continue;
        near.clear();
        for (const Point3* end : {&pieces[i].s, &pieces[i].e}) {
            CellKey centre;
            if (!keyOf(*end, centre))
                continue;
            for (std::int64_t da = -1; da <= 1; ++da)
                for (std::int64_t db = -1; db <= 1; ++db)
                    for (std::int64_t dc = -1; dc <= 1; ++dc) {
                        const auto it =
                            horizontal.find({centre.a + da, centre.b + db, centre.c + dc});
                        if (it != horizontal.end())
                            near.insert(near.end(), it->second.begin(), it->second.end());
                    }
        }
        std::sort(near.begin(), near.end());
        near.erase(std::unique(near.begin(), near.end()), near.end());
        for (std::size_t j : near)
            addCandidate(pieces, i, j, candidates);
    }
    pairPieces(pieces, candidates);
    makeLinks(model, pieces);
}

} // namespace plicato
