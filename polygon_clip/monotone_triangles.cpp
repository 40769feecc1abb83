// Monotone triangulation. Vertices are visited by (y, x), which works as a sweep line tilted by
// an infinitesimal angle, so horizontal edges need no special case. The active edges are kept in
// x order; by even-odd parity the gap right of an even-placed edge is inside, and each inside gap
// carries the monotone piece being triangulated there: a stack holding the reflex chain not yet
// cut off. A split vertex ends its gap's chain with a diagonal to the piece's last vertex; a merge
// vertex leaves two pieces waiting for the next vertex of their joint gap, which closes one or
// both. Adjacent active edges are tested for contact whenever they become adjacent, so crossing
// or touching input is refused before it can mislead the sweep.
#include "polygon_clip/monotone_triangles.h"

#include "polygon_clip/edge_table.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory_resource>

namespace plicato {

namespace {

struct Vertex {
    double x;
    double y;
    int prev;
    int next;
};

bool before(const Vertex& a, const Vertex& b) {
    return a.y < b.y || (a.y == b.y && a.x < b.x);
}

// Sign of the turn a -> b -> c: 1 left, -1 right, 0 when rounding could have decided it.
int turn(const Vertex& a, const Vertex& b, const Vertex& c) {
    const double l = (b.x - a.x) * (c.y - a.y);
    const double r = (b.y - a.y) * (c.x - a.x);
    const double det = l - r;
    const double bound = 1e-14 * (std::fabs(l) + std::fabs(r));
    if (det > bound)
        return 1;
    if (det < -bound)
        return -1;
    return 0;
}

enum Side : signed char { Bottom = 0, Left = 1, Right = 2 };

struct ChainPoint {
    int vertex;
    Side side;
};

// A monotone piece in progress. `mergedWith` >= 0 marks a merge waiting for the next vertex of
// the gap: this piece holds the gap's left edge, that one the right edge.
struct Piece {
    explicit Piece(std::pmr::memory_resource* arena) : stack(arena) {}
    std::pmr::vector<ChainPoint> stack;
    int mergedWith = -1;
};

// An active edge from `lo` up to `hi`; `piece` is kept on left edges only.
struct Active {
    int lo;
    int hi;
    int piece;
};

enum class Where { OnLeft, OnRight, Both };

class Sweep {
public:
    Sweep(std::pmr::memory_resource* arena, std::vector<ClipVertex>& out)
        : verts_(arena), order_(arena), scratch_(arena), runs_(arena), active_(arena), hint_(arena),
          pieces_(arena), free_(arena), out_(out), arena_(arena) {}

    bool load(const ClipPolygon& polygon);
    bool run();

private:
    void sortByRuns();
    const Vertex& at(int i) const { return verts_[static_cast<std::size_t>(i)]; }
    Active edgeUp(int a, int b) const {
        return before(at(a), at(b)) ? Active{a, b, -1} : Active{b, a, -1};
    }
    bool touches(std::size_t left) const;
    bool adjacentClear(std::size_t k) const {
        return k == 0 || k >= active_.size() || !touches(k - 1);
    }
    std::size_t firstNotRightOf(const Vertex& v) const;
    std::size_t endingAt(int v) const;
    void placed(std::size_t k) {
        hint_[static_cast<std::size_t>(active_[k].hi)] = static_cast<int>(k);
    }

    int newPiece(int bottom);
    void release(int piece);
    void emit(int a, int b, int c);
    void add(int piece, int v, Side side);
    void finish(int piece, int v);
    int settle(int piece, int v, Where where);

    bool startOrSplit(int v);
    bool endOrMerge(int v);
    bool regular(int v, int below, int above);

    std::pmr::vector<Vertex> verts_;
    // Sweep order; the keys are copied beside the index so the sort reads no vertex records.
    struct Key {
        double y;
        double x;
        int vertex;
    };
    std::pmr::vector<Key> order_;
    std::pmr::vector<Key> scratch_;
    std::pmr::vector<std::size_t> runs_;
    std::pmr::vector<Active> active_;
    std::pmr::vector<int> hint_; // per vertex: where the last edge rising to it was placed
    std::pmr::vector<Piece> pieces_;
    std::pmr::vector<int> free_;
    std::vector<ClipVertex>& out_;
    std::pmr::memory_resource* arena_;
};

bool Sweep::load(const ClipPolygon& polygon) {
    std::size_t total = 0;
    for (int c = 0; c < polygon.contourCount; ++c)
        total += static_cast<std::size_t>(std::max(0, polygon.contours[c].vertexCount));
    verts_.reserve(total); // no regrowth in the arena
    for (int c = 0; c < polygon.contourCount; ++c) {
        const ClipContour& contour = polygon.contours[c];
        if (!clipContourUsable(contour))
            continue;
        const int first = static_cast<int>(verts_.size());
        for (int i = 0; i < contour.vertexCount; ++i) {
            const ClipVertex& p = contour.vertices[i];
            if (static_cast<int>(verts_.size()) > first && verts_.back().x == p.x &&
                verts_.back().y == p.y)
                continue;
            verts_.push_back({p.x, p.y, -1, -1});
        }
        while (static_cast<int>(verts_.size()) > first + 1 && verts_.back().x == verts_[first].x &&
               verts_.back().y == verts_[first].y)
            verts_.pop_back();
        const int n = static_cast<int>(verts_.size()) - first;
        if (n < 3) {
            // Fewer than three distinct points enclose nothing and change no point's parity.
            verts_.resize(static_cast<std::size_t>(first));
            continue;
        }
        for (int i = 0; i < n; ++i) {
            Vertex& v = verts_[static_cast<std::size_t>(first) + static_cast<std::size_t>(i)];
            v.prev = first + (i == 0 ? n - 1 : i - 1);
            v.next = first + (i + 1 == n ? 0 : i + 1);
        }
    }
    hint_.assign(verts_.size(), -1);
    order_.resize(verts_.size());
    for (std::size_t i = 0; i < order_.size(); ++i)
        order_[i] = {verts_[i].y, verts_[i].x, static_cast<int>(i)};
    sortByRuns();
    // Two vertices on one point (loops touching, or a loop pinched) are left to the strips.
    for (std::size_t i = 1; i < order_.size(); ++i)
        if (order_[i - 1].y == order_[i].y && order_[i - 1].x == order_[i].x)
            return false;
    return true;
}

// Where the active edges ending at `v` begin: where the last of them was placed, if nothing
// before it has moved since (an edge found there is one of them whatever moved), else by search.
std::size_t Sweep::endingAt(int v) const {
    const auto h = static_cast<std::size_t>(hint_[static_cast<std::size_t>(v)]);
    if (h < active_.size() && active_[h].hi == v)
        return h > 0 && active_[h - 1].hi == v ? h - 1 : h;
    return firstNotRightOf(at(v));
}

// A loop rises and falls only a few times, so its vertices in loop order are a few runs already
// sorted one way or the other: merging the runs costs little more than reading them.
void Sweep::sortByRuns() {
    const auto less = [](const Key& a, const Key& b) {
        return a.y < b.y || (a.y == b.y && a.x < b.x);
    };
    const std::size_t n = order_.size();
    runs_.clear();
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        if (j < n && less(order_[j], order_[i])) {
            while (j < n && less(order_[j], order_[j - 1]))
                ++j;
            std::reverse(order_.begin() + static_cast<std::ptrdiff_t>(i),
                         order_.begin() + static_cast<std::ptrdiff_t>(j));
        } else {
            while (j < n && !less(order_[j], order_[j - 1]))
                ++j;
        }
        runs_.push_back(i);
        i = j;
    }
    runs_.push_back(n);
    scratch_.resize(n);
    while (runs_.size() > 2) {
        std::size_t kept = 0;
        for (std::size_t r = 0; r + 1 < runs_.size(); r += 2) {
            const auto from = order_.begin();
            const auto to = scratch_.begin();
            const std::size_t a = runs_[r];
            const std::size_t b = runs_[r + 1];
            const std::size_t c = r + 2 < runs_.size() ? runs_[r + 2] : b;
            std::merge(from + static_cast<std::ptrdiff_t>(a), from + static_cast<std::ptrdiff_t>(b),
                       from + static_cast<std::ptrdiff_t>(b), from + static_cast<std::ptrdiff_t>(c),
                       to + static_cast<std::ptrdiff_t>(a), less);
            runs_[kept++] = a;
        }
        runs_[kept++] = n;
        runs_.resize(kept);
        order_.swap(scratch_);
    }
}

// True when the active edges at `left` and `left + 1` meet or may meet anywhere but at the
// vertex they share, if they share one.
bool Sweep::touches(std::size_t left) const {
    const Active& a = active_[left];
    const Active& b = active_[left + 1];
    if (a.lo == b.lo || a.hi == b.hi || a.lo == b.hi || a.hi == b.lo) {
        const int shared = (a.lo == b.lo || a.lo == b.hi) ? a.lo : a.hi;
        const int oa = a.lo == shared ? a.hi : a.lo;
        const int ob = b.lo == shared ? b.hi : b.lo;
        return turn(at(shared), at(oa), at(ob)) == 0;
    }
    // Most neighbours lie clear of each other in x: no turn needs computing.
    const double aMax = std::max(at(a.lo).x, at(a.hi).x);
    const double bMin = std::min(at(b.lo).x, at(b.hi).x);
    if (aMax < bMin)
        return false;
    const int o1 = turn(at(a.lo), at(a.hi), at(b.lo));
    const int o2 = turn(at(a.lo), at(a.hi), at(b.hi));
    if (o1 * o2 > 0)
        return false;
    const int o3 = turn(at(b.lo), at(b.hi), at(a.lo));
    const int o4 = turn(at(b.lo), at(b.hi), at(a.hi));
    return o3 * o4 <= 0;
}

// Index of the first active edge that `v` is not strictly to the right of.
std::size_t Sweep::firstNotRightOf(const Vertex& v) const {
    std::size_t lo = 0;
    std::size_t hi = active_.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        const Active& e = active_[mid];
        if (turn(at(e.lo), at(e.hi), v) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int Sweep::newPiece(int bottom) {
    int id;
    if (!free_.empty()) {
        id = free_.back();
        free_.pop_back();
    } else {
        id = static_cast<int>(pieces_.size());
        pieces_.emplace_back(arena_);
    }
    Piece& p = pieces_[static_cast<std::size_t>(id)];
    p.stack.clear();
    p.stack.push_back({bottom, Bottom});
    p.mergedWith = -1;
    return id;
}

void Sweep::release(int piece) {
    free_.push_back(piece);
}

void Sweep::emit(int a, int b, int c) {
    const Vertex& pa = at(a);
    const Vertex& pb = at(b);
    const Vertex& pc = at(c);
    const double det = (pb.x - pa.x) * (pc.y - pa.y) - (pb.y - pa.y) * (pc.x - pa.x);
    if (det == 0.0)
        return; // covers nothing
    out_.push_back({pa.x, pa.y});
    if (det > 0) {
        out_.push_back({pb.x, pb.y});
        out_.push_back({pc.x, pc.y});
    } else {
        out_.push_back({pc.x, pc.y});
        out_.push_back({pb.x, pb.y});
    }
}

// The monotone step: a vertex on the other chain than the stack's sees the whole stack; one on
// the same chain cuts off the corners that have become convex.
void Sweep::add(int piece, int v, Side side) {
    auto& s = pieces_[static_cast<std::size_t>(piece)].stack;
    if (s.size() >= 2 && s.back().side != side) {
        for (std::size_t i = 0; i + 1 < s.size(); ++i)
            emit(v, s[i].vertex, s[i + 1].vertex);
        const ChainPoint top = s.back();
        s.clear();
        s.push_back(top);
    } else {
        const int convex = side == Left ? -1 : 1;
        while (s.size() >= 2 &&
               turn(at(s[s.size() - 2].vertex), at(s.back().vertex), at(v)) == convex) {
            emit(s[s.size() - 2].vertex, s.back().vertex, v);
            s.pop_back();
        }
    }
    s.push_back({v, side});
}

// `v` is the piece's top: it sees all that is left.
void Sweep::finish(int piece, int v) {
    auto& s = pieces_[static_cast<std::size_t>(piece)].stack;
    for (std::size_t i = 0; i + 1 < s.size(); ++i)
        emit(v, s[i].vertex, s[i + 1].vertex);
    s.clear();
    release(piece);
}

// Before `v` joins a gap whose two pieces wait after a merge: the diagonal from the merge vertex
// to `v` closes the piece on the side `v` lies on. Returns the piece that goes on.
int Sweep::settle(int piece, int v, Where where) {
    Piece& p = pieces_[static_cast<std::size_t>(piece)];
    const int other = p.mergedWith;
    if (other < 0)
        return piece;
    p.mergedWith = -1;
    if (where == Where::OnLeft) {
        finish(piece, v);
        return other;
    }
    // On the right edge, or on both (an end vertex, whose caller closes the piece returned).
    finish(other, v);
    return piece;
}

bool Sweep::startOrSplit(int v) {
    const Vertex& pv = at(v);
    const int p = pv.prev;
    const int n = pv.next;
    const int t = turn(pv, at(n), at(p));
    if (t == 0)
        return false; // a spike: both edges leave along one line
    // The edge to the vertex that lies left of the other edge is the left one.
    const Active first = t > 0 ? Active{v, p, -1} : Active{v, n, -1};
    const Active second = t > 0 ? Active{v, n, -1} : Active{v, p, -1};
    const std::size_t i = firstNotRightOf(pv);
    if (i < active_.size()) {
        const Active& e = active_[i];
        if (turn(at(e.lo), at(e.hi), pv) == 0)
            return false;
    }
    const auto pos = active_.begin() + static_cast<std::ptrdiff_t>(i);
    if (i % 2 == 0) {
        const int piece = newPiece(v);
        active_.insert(pos, {first, second});
        active_[i].piece = piece;
        placed(i);
        placed(i + 1);
    } else {
        const int gap = active_[i - 1].piece;
        Piece& g = pieces_[static_cast<std::size_t>(gap)];
        int leftPiece;
        int rightPiece;
        if (g.mergedWith >= 0) {
            // The waiting merge resolves into the two sides of the split.
            rightPiece = g.mergedWith;
            g.mergedWith = -1;
            leftPiece = gap;
            add(leftPiece, v, Right);
            add(rightPiece, v, Left);
        } else {
            const int last = g.stack.back().vertex;
            const bool chainOnLeft = g.stack.size() >= 2 && g.stack.back().side == Left;
            const int fresh = newPiece(last);
            if (chainOnLeft) {
                add(gap, v, Left);
                add(fresh, v, Right);
                leftPiece = fresh;
                rightPiece = gap;
            } else {
                add(gap, v, Right);
                add(fresh, v, Left);
                leftPiece = gap;
                rightPiece = fresh;
            }
        }
        active_.insert(pos, {first, second});
        placed(i);
        placed(i + 1);
        active_[i - 1].piece = leftPiece;
        active_[i + 1].piece = rightPiece;
    }
    return adjacentClear(i) && adjacentClear(i + 2);
}

bool Sweep::endOrMerge(int v) {
    const std::size_t j = endingAt(v);
    if (j + 1 >= active_.size() || active_[j].hi != v || active_[j + 1].hi != v)
        return false;
    if (j % 2 == 0) {
        const int piece = settle(active_[j].piece, v, Where::Both);
        finish(piece, v);
    } else {
        const int left = settle(active_[j - 1].piece, v, Where::OnRight);
        add(left, v, Right);
        const int right = settle(active_[j + 1].piece, v, Where::OnLeft);
        add(right, v, Left);
        active_[j - 1].piece = left;
        pieces_[static_cast<std::size_t>(left)].mergedWith = right;
    }
    const auto pos = active_.begin() + static_cast<std::ptrdiff_t>(j);
    active_.erase(pos, pos + 2);
    return adjacentClear(j);
}

bool Sweep::regular(int v, int below, int above) {
    const std::size_t j = endingAt(v);
    if (j >= active_.size() || active_[j].hi != v || active_[j].lo != below)
        return false;
    if (j % 2 == 0) {
        const int piece = settle(active_[j].piece, v, Where::OnLeft);
        add(piece, v, Left);
        active_[j] = {v, above, piece};
        placed(j);
    } else {
        const int piece = settle(active_[j - 1].piece, v, Where::OnRight);
        add(piece, v, Right);
        active_[j - 1].piece = piece;
        active_[j] = {v, above, -1};
        placed(j);
    }
    return adjacentClear(j) && adjacentClear(j + 1);
}

bool Sweep::run() {
    for (const Key& key : order_) {
        const int v = key.vertex;
        const Vertex& pv = at(v);
        const bool prevBelow = before(at(pv.prev), pv);
        const bool nextBelow = before(at(pv.next), pv);
        bool ok;
        if (!prevBelow && !nextBelow)
            ok = startOrSplit(v);
        else if (prevBelow && nextBelow)
            ok = endOrMerge(v);
        else if (prevBelow)
            ok = regular(v, pv.prev, pv.next);
        else
            ok = regular(v, pv.next, pv.prev);
        if (!ok)
            return false;
    }
    return active_.empty();
}

constexpr std::size_t kArenaBytes = std::size_t{16} * 1024;

} // namespace

bool monotoneTriangles(const ClipPolygon& polygon, std::vector<ClipVertex>& out) {
    if (polygon.contourCount <= 0 || polygon.contours == nullptr)
        return true;
    alignas(std::max_align_t) std::byte initial[kArenaBytes];
    std::pmr::monotonic_buffer_resource arena(initial, sizeof initial);
    const std::size_t mark = out.size();
    // n vertices in h + 1 loops make at most n + 2h - 2 triangles.
    std::size_t bound = 0;
    for (int c = 0; c < polygon.contourCount; ++c)
        bound += static_cast<std::size_t>(std::max(0, polygon.contours[c].vertexCount)) + 2;
    out.reserve(mark + 3 * bound);
    Sweep sweep(&arena, out);
    if (sweep.load(polygon) && sweep.run())
        return true;
    out.resize(mark);
    return false;
}

} // namespace plicato
