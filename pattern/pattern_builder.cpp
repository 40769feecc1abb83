// Building the fold and cut links of the built faces, by a direct quadratic search and by an
// indexed search that finds the same vertices and the same links in the same order.
#include "pattern/pattern_builder.h"

#include "model/card_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace plicato {

namespace {

// The pattern is always read from the right-angle card, where flatten inverts toSpace.
constexpr int patternAngle = 90;
constexpr double linkEps = 0.01;
constexpr double sideEps = 0.001;

void clearLinks(CardModel& model) {
    for (auto& face : model.builtFaces)
        face->links.clear();
    model.links.clear();
}

void attach(FaceLink& link, Face& face) {
    if (face.plane == FacePlane::Vertical)
        link.vFace = &face;
    else
        link.hFace = &face;
    face.links.push_back(&link);
}

FaceLink& appendCut(CardModel& model, const Point3& p1, const Point3& p2) {
    auto link = std::make_unique<FaceLink>();
    link->kind = FoldKind::Cut;
    link->p1 = p1;
    link->p2 = p2;
    model.links.push_back(std::move(link));
    return *model.links.back();
}

bool notParallelToFold(const Point2& p, const Point2& q) {
    return std::fabs(p.y - q.y) >= linkEps;
}

bool onEdgeLine(const Point3& v, const Point3& a) {
    return distance2(v.y, v.z, a.y, a.z) < linkEps;
}

bool sameEnds(const FaceLink& link, const Point3& s, const Point3& e) {
    return (samePoint3(link.p1, s, linkEps) && samePoint3(link.p2, e, linkEps)) ||
           (samePoint3(link.p2, s, linkEps) && samePoint3(link.p1, e, linkEps));
}

// A fold folds like the card's own central fold (valley) when its vertical face lies on the
// positive-y side of the line on the sheet.
void classify(CardModel& model) {
    for (auto& link : model.links) {
        if (!link->vFace || !link->hFace) {
            link->kind = FoldKind::Cut;
            continue;
        }
        const Point2 s1 = flatten(link->p1), s2 = flatten(link->p2);
        const Point2 t{(s1.x + s2.x) / 2, s1.y + sideEps};
        bool inside = false;
        for (const Triangle& tri : link->vFace->triangles) {
            if (pointInTriangle(tri.corners[0], tri.corners[1], tri.corners[2], t)) {
                inside = true;
                break;
            }
        }
        link->kind = inside ? FoldKind::Valley : FoldKind::Mountain;
    }
}

// The fold-parallel edge from A to B, split at the x values found on its spatial line.
template <class FindLink, class NewLink>
void addSplitEdge(Face& face, const Point3& a, std::vector<double>& xs, FindLink&& findLink,
                  NewLink&& newLink) {
    std::sort(xs.begin(), xs.end());
    for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
        const Point3 s{xs[k], a.y, a.z};
        const Point3 e{xs[k + 1], a.y, a.z};
        FaceLink* link = findLink(s, e);
        if (!link)
            link = &newLink(s, e);
        attach(*link, face);
    }
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

// Every vertex of the faces of one plane kind, at its 90-degree position, by (y, z) cell and
// sorted by x within a cell.
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

// Positions in model.links by the cell of their first end.
class LinkIndex {
public:
    explicit LinkIndex(const CardModel& model) : model_(model) {}
    void add(std::size_t position) {
        CellKey key;
        if (keyOf(model_.links[position]->p1, key))
            cells_[key].push_back(position);
    }
    // The first link in list order whose ends match s and e in either order.
    FaceLink* find(const Point3& s, const Point3& e) const {
        std::size_t best = model_.links.size();
        search(s, s, e, best);
        search(e, s, e, best);
        return best < model_.links.size() ? model_.links[best].get() : nullptr;
    }

private:
    static bool keyOf(const Point3& p, CellKey& key) {
        return cellOf(p.x, key.a) && cellOf(p.y, key.b) && cellOf(p.z, key.c);
    }
    void search(const Point3& around, const Point3& s, const Point3& e, std::size_t& best) const {
        CellKey centre;
        if (!keyOf(around, centre))
            return;
        for (std::int64_t da = -1; da <= 1; ++da)
            for (std::int64_t db = -1; db <= 1; ++db)
                for (std::int64_t dc = -1; dc <= 1; ++dc) {
                    const auto it = cells_.find({centre.a + da, centre.b + db, centre.c + dc});
                    if (it == cells_.end())
                        continue;
                    for (std::size_t position : it->second) {
                        if (position >= best)
                            break; // positions in a cell ascend
                        if (sameEnds(*model_.links[position], s, e))
                            best = position;
                    }
                }
    }

    const CardModel& model_;
    std::unordered_map<CellKey, std::vector<std::size_t>, CellHash> cells_;
};

} // namespace

void buildPatternLiteral(CardModel& model) {
    clearLinks(model);
    const auto findLink = [&model](const Point3& s, const Point3& e) -> FaceLink* {
        for (auto& link : model.links)
            if (sameEnds(*link, s, e))
                return link.get();
        return nullptr;
    };
    const auto newLink = [&model](const Point3& s, const Point3& e) -> FaceLink& {
        return appendCut(model, s, e);
    };
    std::vector<double> xs;
    for (auto& face : model.builtFaces) {
        for (const auto& loop : face->polygon.loops) {
            const std::vector<Point2>& pts = loop->points;
            for (std::size_t i = 0; i < pts.size(); ++i) {
                const Point2& p = pts[i];
                const Point2& q = pts[(i + 1) % pts.size()];
                const Point3 a = face->toSpace(p, patternAngle);
                const Point3 b = face->toSpace(q, patternAngle);
                if (notParallelToFold(p, q)) {
                    attach(appendCut(model, a, b), *face);
                    continue;
                }
                const double lo = std::min(a.x, b.x), hi = std::max(a.x, b.x);
                xs.assign({a.x, b.x});
                for (const auto& other : model.builtFaces) {
                    if (other->plane == face->plane)
                        continue;
                    for (const auto& otherLoop : other->polygon.loops)
                        for (const Point2& point : otherLoop->points) {
                            const Point3 v = other->toSpace(point, patternAngle);
                            if (onEdgeLine(v, a) && v.x > lo && v.x < hi)
                                xs.push_back(v.x);
                        }
                }
                addSplitEdge(*face, a, xs, findLink, newLink);
            }
        }
    }
    classify(model);
}

void buildPattern(CardModel& model) {
    clearLinks(model);
    VertexIndex vertices[2];
    for (const auto& face : model.builtFaces)
        for (const auto& loop : face->polygon.loops)
            for (const Point2& point : loop->points)
                vertices[face->plane == FacePlane::Vertical ? 0 : 1].add(
                    face->toSpace(point, patternAngle));
    vertices[0].finish();
    vertices[1].finish();

    LinkIndex linkIndex(model);
    const auto findLink = [&linkIndex](const Point3& s, const Point3& e) {
        return linkIndex.find(s, e);
    };
    const auto newLink = [&model, &linkIndex](const Point3& s, const Point3& e) -> FaceLink& {
        FaceLink& link = appendCut(model, s, e);
        linkIndex.add(model.links.size() - 1);
        return link;
    };
    std::vector<double> xs;
    for (auto& face : model.builtFaces) {
        const VertexIndex& others = vertices[face->plane == FacePlane::Vertical ? 1 : 0];
        for (const auto& loop : face->polygon.loops) {
            const std::vector<Point2>& pts = loop->points;
            for (std::size_t i = 0; i < pts.size(); ++i) {
                const Point2& p = pts[i];
                const Point2& q = pts[(i + 1) % pts.size()];
                const Point3 a = face->toSpace(p, patternAngle);
                const Point3 b = face->toSpace(q, patternAngle);
                if (notParallelToFold(p, q)) {
                    attach(newLink(a, b), *face);
                    continue;
                }
                xs.assign({a.x, b.x});
                others.collect(a, std::min(a.x, b.x), std::max(a.x, b.x), xs);
                addSplitEdge(*face, a, xs, findLink, newLink);
            }
        }
    }
    classify(model);
}

} // namespace plicato
