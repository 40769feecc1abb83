// Snapping the built faces' coordinates together and re-forming the faces that moved: slivers
// narrower than the tolerance close up and vanish, spikes and pinches are cut away.
#include "popup/built_face_cleanup.h"

#include "popup/built_faces.h"
#include "popup/face_box.h"
#include "popup/face_placement.h"
#include "popup/parallel_jobs.h"
#include "popup/rebuild_memo.h"
#include "popup/value_sort.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace plicato {

namespace {

// A map between doubles (numerically equal keys are one key, so -0 finds 0), asked once for
// every coordinate of every built face: open addressing on the key's bits, a small table that
// stays in the cache, where a map of nodes hashed every key byte by byte.
class ValueMap {
public:
    void assign(const std::vector<std::pair<double, double>>& pairs) {
        std::size_t size = 16;
        while (size < 4 * pairs.size())
            size *= 2;
        slots_.assign(size, Slot{});
        shift_ = 64 - std::countr_zero(size);
        for (const auto& [from, to] : pairs) {
            std::size_t i = home(from);
            while (slots_[i].used && slots_[i].from != from)
                i = (i + 1) & (slots_.size() - 1);
            slots_[i] = {from, to, true};
        }
        empty_ = pairs.empty();
    }
    bool empty() const { return empty_; }
    const double* find(double v) const {
        if (empty_)
            return nullptr;
        for (std::size_t i = home(v);; i = (i + 1) & (slots_.size() - 1)) {
            const Slot& s = slots_[i];
            if (!s.used)
                return nullptr;
            if (s.from == v)
                return &s.to;
        }
    }

private:
    struct Slot {
        double from = 0.0;
        double to = 0.0;
        bool used = false;
    };
    std::size_t home(double v) const {
        const std::uint64_t bits = v == 0.0 ? 0 : std::bit_cast<std::uint64_t>(v);
        return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> shift_);
    }
    std::vector<Slot> slots_;
    int shift_ = 60;
    bool empty_ = true;
};

// Every value of a run mapped to the one most vertices have (the lowest on a tie): a run goes
// on while the next value is closer than the tolerance to the one before it, so that two values
// a hair apart are never split by a run that started elsewhere. The most shared value keeps the
// many vertices that agree where they are, and moves the few that stray a hair off. Only values
// that change are kept in the map.
class Snap {
public:
    explicit Snap(std::vector<double> values) {
        sortValues(values);
        struct Count {
            double value;
            std::size_t count;
        };
        std::vector<Count> distinct;
        distinct.reserve(values.size());
        std::vector<std::pair<double, double>> movedPairs;
        for (double v : values) {
            if (!distinct.empty() && distinct.back().value == v)
                ++distinct.back().count;
            else
                distinct.push_back({v, 1});
        }
        for (std::size_t i = 0; i < distinct.size();) {
            std::size_t j = i + 1, most = i;
            while (j < distinct.size() &&
                   distinct[j].value - distinct[j - 1].value < builtFaceSnapTolerance) {
                if (distinct[j].count > distinct[most].count)
                    most = j;
                ++j;
            }
            for (std::size_t k = i; k < j; ++k)
                if (k != most)
                    movedPairs.emplace_back(distinct[k].value, distinct[most].value);
            after_.push_back(distinct[most].value);
            i = j;
        }
        moved_.assign(movedPairs);
    }
    bool empty() const { return moved_.empty(); }
    // The values after snapping, ascending: no two closer than the tolerance, since the first
    // and last values of neighbouring runs are not.
    const std::vector<double>& after() const { return after_; }
    // The snapped value; `changed` is set when it differs from v.
    double operator()(double v, bool& changed) const {
        const double* to = moved_.find(v);
        if (!to)
            return v;
        changed = true;
        return *to;
    }

private:
    ValueMap moved_;
    std::vector<double> after_;
};

// Whether none of `fresh` lies closer than the tolerance to another value of `fresh` or of
// `known` (ascending, no two that close): then values drawn from both leave nothing to snap.
// A known value is a hair from no other known one, so only the values not known need a look:
// against their known neighbours, and against each other. The fresh values are sorted and
// walked beside the known ones.
bool apart(std::vector<double> fresh, const std::vector<double>& known) {
    sortValues(fresh);
    std::size_t k = 0;
    double lastUnknown = 0.0;
    bool anyUnknown = false;
    for (const double v : fresh) {
        while (k < known.size() && known[k] < v)
            ++k;
        if (k < known.size() && known[k] == v)
            continue;
        if (k < known.size() && known[k] - v < builtFaceSnapTolerance)
            return false;
        if (k > 0 && v - known[k - 1] < builtFaceSnapTolerance)
            return false;
        if (anyUnknown && v != lastUnknown && v - lastUnknown < builtFaceSnapTolerance)
            return false;
        lastUnknown = v;
        anyUnknown = true;
    }
    return true;
}

// The values after one pass of the clean-up, for telling whether another pass would move
// anything.
struct PassValues {
    std::vector<double> xs, ys, offsets[2];
};

// Salts that keep the clean-up's memo entries apart from the builder's.
constexpr unsigned reformSalt = 16;
constexpr unsigned uniteSalt = 17;
constexpr unsigned splitSalt = 18;

// Face::splitByOuterLoops step for step (each outer loop less every hole, an island left whole,
// then filled), with the engine's work answered by the memo where it has the same inputs: the
// clean-up splits the same faces again after every edit.
void splitByOuterLoops(const Face& face, FaceList& out, RebuildMemo* memo) {
    std::vector<Polygon> holes;
    for (const auto& loop : face.polygon.loops)
        if (loop->isHole) {
            holes.emplace_back();
            holes.back().addLoop(std::make_unique<Loop>(*loop));
        }
    for (const auto& loop : face.polygon.loops) {
        if (loop->isHole)
            continue;
        auto part = std::make_unique<Face>(face.plane, face.offset);
        part->polygon.addLoop(std::make_unique<Loop>(*loop));
        for (const Polygon& hole : holes) {
            Polygon rest = part->polygon;
            memoisedClip(rest, ClipOp::Difference, hole, memo, splitSalt);
            // An outer outline lying inside a hole (an island) would vanish entirely; the hole
            // belongs to an enclosing outline, so the island keeps its paper.
            if (!rest.loops.empty())
                part->polygon = std::move(rest);
        }
        memoisedFill(*part, memo);
        out.push_back(std::move(part));
    }
}

// The polygon as the engine forms it: zero-width spikes, slits and pinches resolved.
void reform(Polygon& p, RebuildMemo* memo) {
    memoisedClip(p, ClipOp::Difference, Polygon{}, memo, reformSalt);
}

struct Plane {
    FacePlane plane;
    double offset;
    bool operator==(const Plane&) const = default;
};

void note(std::vector<Plane>& planes, const Face& f) {
    const Plane p{f.plane, f.offset};
    if (std::find(planes.begin(), planes.end(), p) == planes.end())
        planes.push_back(p);
}

// The faces of one plane that has seeds, in list order, each with the list place it sits at:
// its own, or for the union it went into, that of the union's first face.
struct PlaneFaces {
    struct Member {
        std::unique_ptr<Face> face;
        std::size_t slot;
        Box box;
    };
    Plane plane;
    std::vector<const Face*> seeds;
    std::vector<Member> faces;
};

// Whether the members are faces of one outer outline each whose regions lie pairwise apart:
// then the engine gives each back as it is, and their union is the faces side by side.
bool allApart(const PlaneFaces& p, const std::vector<std::size_t>& members,
              PlacementScratch& segments) {
    for (const std::size_t i : members)
        if (outerLoopCount(p.faces[i].face->polygon) != 1)
            return false;
    for (std::size_t a = 0; a < members.size(); ++a)
        for (std::size_t b = a + 1; b < members.size(); ++b) {
            const PlaneFaces::Member& ma = p.faces[members[a]];
            const PlaneFaces::Member& mb = p.faces[members[b]];
            if (placement(ma.face->polygon, ma.box, mb.face->polygon, mb.box, segments) !=
                Placement::Apart)
                return false;
        }
    return true;
}

// Replaces the members (in list order) by the parts, which go where the first member stood.
void replaceMembers(PlaneFaces& p, const std::vector<std::size_t>& members,
                    std::vector<PlaneFaces::Member> parts) {
    std::vector<PlaneFaces::Member> next;
    next.reserve(p.faces.size() + parts.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < p.faces.size(); ++i) {
        if (k < members.size() && members[k] == i) {
            if (k++ == 0)
                for (auto& part : parts)
                    next.push_back(std::move(part));
            continue;
        }
        next.push_back(std::move(p.faces[i]));
    }
    p.faces = std::move(next);
}

// What uniting members that lie apart and splitting the union gives, without the engine: the
// members themselves, one face per outer outline in the order the union's outlines take (by
// their lowest vertex), where the first member stood, marked as new faces are.
void setSideBySide(PlaneFaces& p, const std::vector<std::size_t>& members,
                   std::unordered_set<const Face*>& gone) {
    const auto lowest = [&](std::size_t i) {
        for (const auto& loop : p.faces[i].face->polygon.loops)
            if (!loop->isHole)
                return loop->points.front();
        return Point2{};
    };
    std::vector<std::size_t> order = members;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const Point2 pa = lowest(a), pb = lowest(b);
        return pa.y < pb.y || (pa.y == pb.y && pa.x < pb.x);
    });
    const std::size_t slot = p.faces[members.front()].slot;
    std::vector<PlaneFaces::Member> parts;
    for (const std::size_t i : order) {
        gone.insert(p.faces[i].face.get());
        p.faces[i].face->scratchMark = false;
        parts.push_back({std::move(p.faces[i].face), slot, p.faces[i].box});
    }
    replaceMembers(p, members, std::move(parts));
}

// uniteNear on one plane.
void unitePlane(PlaneFaces& p, RebuildMemo* memo, bool sideBySide) {
    for (auto& m : p.faces)
        m.box = boxOf(m.face->polygon);
    std::unordered_set<const Face*> gone;
    PlacementScratch segments;
    for (const Face* seed : p.seeds) {
        if (gone.contains(seed))
            continue;
        const auto at =
            std::find_if(p.faces.begin(), p.faces.end(),
                         [&](const PlaneFaces::Member& m) { return m.face.get() == seed; });
        if (at == p.faces.end())
            continue;
        const Box near = at->box;
        std::vector<std::size_t> members;
        for (std::size_t i = 0; i < p.faces.size(); ++i)
            if (p.faces[i].face.get() == seed || near.meets(p.faces[i].box))
                members.push_back(i);
        if (members.size() < 2)
            continue;
        if (sideBySide && allApart(p, members, segments)) {
            setSideBySide(p, members, gone);
            continue;
        }
        // The members leave the list below, so the first gives up its outline to the union.
        Polygon united = std::move(p.faces[members.front()].face->polygon);
        for (std::size_t i = 1; i < members.size(); ++i)
            memoisedClip(united, ClipOp::Union, p.faces[members[i]].face->polygon, memo, uniteSalt);
        for (const std::size_t i : members)
            gone.insert(p.faces[i].face.get());
        FaceList pieces;
        auto merged = std::make_unique<Face>(seed->plane, seed->offset);
        merged->polygon = std::move(united);
        if (outerLoopCount(merged->polygon) == 1) {
            memoisedFill(*merged, memo);
            pieces.push_back(std::move(merged));
        } else {
            splitByOuterLoops(*merged, pieces, memo);
        }
        const std::size_t slot = p.faces[members.front()].slot;
        std::vector<PlaneFaces::Member> parts;
        parts.reserve(pieces.size());
        for (auto& piece : pieces) {
            const Box box = boxOf(piece->polygon);
            parts.push_back({std::move(piece), slot, box});
        }
        replaceMembers(p, members, std::move(parts));
    }
}

// Unites each face in `seeds` with the faces of its plane whose boxes meet its own, and puts
// the union back, one face per outer outline, where the first of them stood in the list: the
// order of the faces (and so of the pattern's lines) stays as the rebuild made it. Planes are
// apart: each is worked on its own, on both cores, and its faces then go back to their places.
void uniteNear(CardModel& model, const std::vector<const Face*>& seeds, RebuildMemo* memo,
               bool sideBySide) {
    std::vector<PlaneFaces> planes;
    const auto planeOf = [&](const Face& f) -> int {
        const Plane key{f.plane, f.offset};
        for (std::size_t i = 0; i < planes.size(); ++i)
            if (planes[i].plane == key)
                return static_cast<int>(i);
        return -1;
    };
    for (const Face* seed : seeds) {
        int p = planeOf(*seed);
        if (p < 0) {
            planes.push_back({Plane{seed->plane, seed->offset}, {}, {}});
            p = static_cast<int>(planes.size()) - 1;
        }
        planes[static_cast<std::size_t>(p)].seeds.push_back(seed);
    }
    if (planes.empty())
        return;
    std::vector<int> planeAt(model.builtFaces.size(), -1);
    for (std::size_t i = 0; i < model.builtFaces.size(); ++i) {
        const int p = planeOf(*model.builtFaces[i]);
        planeAt[i] = p;
        if (p >= 0)
            planes[static_cast<std::size_t>(p)].faces.push_back(
                {std::move(model.builtFaces[i]), i, Box{}});
    }
    ParallelJobs::shared().run(
        planes.size(), [&](std::size_t k, int) { unitePlane(planes[k], memo, sideBySide); });
    FaceList next;
    next.reserve(model.builtFaces.size());
    std::vector<std::size_t> taken(planes.size(), 0);
    for (std::size_t i = 0; i < model.builtFaces.size(); ++i) {
        if (planeAt[i] < 0) {
            next.push_back(std::move(model.builtFaces[i]));
            continue;
        }
        PlaneFaces& p = planes[static_cast<std::size_t>(planeAt[i])];
        std::size_t& t = taken[static_cast<std::size_t>(planeAt[i])];
        for (; t < p.faces.size() && p.faces[t].slot == i; ++t)
            next.push_back(std::move(p.faces[t].face));
    }
    model.builtFaces = std::move(next);
}

bool samePoints(const Polygon& a, const Polygon& b) {
    if (a.loops.size() != b.loops.size())
        return false;
    for (std::size_t i = 0; i < a.loops.size(); ++i)
        if (a.loops[i]->isHole != b.loops[i]->isHole || a.loops[i]->points != b.loops[i]->points)
            return false;
    return true;
}

// One pass. A face whose vertices all hold values the pass kept (one it left alone, moved onto
// kept values only, or cut from such a face) has its scratch mark set; one the engine may have
// given new vertices (re-formed, united) has it clear.
// `late`: the fills still to make, when the rebuild left some.
int cleanOnce(CardModel& model, RebuildMemo* memo, PassValues& values, LateFills* late,
              bool sideBySide) {
    for (const auto& face : model.builtFaces)
        face->scratchMark = true;
    std::vector<double> xs, ys, offsets[2];
    std::size_t points = 0;
    for (const auto& face : model.builtFaces)
        for (const auto& loop : face->polygon.loops)
            points += loop->points.size();
    xs.reserve(points);
    ys.reserve(points);
    for (const auto& face : model.builtFaces) {
        offsets[int(face->plane)].push_back(face->offset);
        for (const auto& loop : face->polygon.loops)
            for (const Point2& p : loop->points) {
                xs.push_back(p.x);
                ys.push_back(p.y);
            }
    }
    std::optional<Snap> snapXY[2];
    ParallelJobs::shared().run(
        2, [&](std::size_t k, int) { snapXY[k].emplace(std::move(k ? ys : xs)); });
    const Snap& snapX = *snapXY[0];
    const Snap& snapY = *snapXY[1];
    const Snap snapOffset[2] = {Snap(std::move(offsets[0])), Snap(std::move(offsets[1]))};
    const auto lateFill = [&](std::size_t i) {
        if (late && late->missing[i])
            late->fill(i, *model.builtFaces[i]);
    };
    if (snapX.empty() && snapY.empty() && snapOffset[0].empty() && snapOffset[1].empty()) {
        if (late)
            ParallelJobs::shared().run(late->missing.size(),
                                       [&](std::size_t i, int) { lateFill(i); });
        return 0;
    }
    values.xs = snapX.after();
    values.ys = snapY.after();
    values.offsets[0] = snapOffset[0].after();
    values.offsets[1] = snapOffset[1].after();

    // A face whose outline moved is formed again by the engine: closed to no width it vanishes,
    // spikes and pinches go, a face pinched in two is split. Planes made one are merged; a face
    // that moved, or lay next to a sliver that vanished, is united with the faces of its plane
    // that it may now touch.
    // Each face is snapped and re-formed on its own, on both cores; what became of them is then
    // taken in list order.
    struct Outcome {
        bool offsetMoved = false;
        bool outlineMoved = false;
        Box box;        // before re-forming, when the outline moved
        FaceList parts; // a face pinched in two, in pieces that fill something
        bool split = false;
    };
    std::vector<Outcome> outcomes(model.builtFaces.size());
    ParallelJobs::shared().run(outcomes.size(), [&](std::size_t i, int) {
        Face& face = *model.builtFaces[i];
        Outcome& o = outcomes[i];
        face.offset = snapOffset[int(face.plane)](face.offset, o.offsetMoved);
        for (auto& loop : face.polygon.loops)
            for (Point2& p : loop->points) {
                p.x = snapX(p.x, o.outlineMoved);
                p.y = snapY(p.y, o.outlineMoved);
            }
        if (!o.outlineMoved) {
            lateFill(i);
            return;
        }
        o.box = boxOf(face.polygon);
        const Polygon snapped = face.polygon;
        reform(face.polygon, memo);
        // Re-formed as snapped, the outline holds only snapped values.
        face.scratchMark = samePoints(snapped, face.polygon);
        if (outerLoopCount(face.polygon) > 1) {
            o.split = true;
            splitByOuterLoops(face, o.parts, memo);
            std::erase_if(
                o.parts, [](const std::unique_ptr<Face>& part) { return part->triangles.empty(); });
            for (auto& part : o.parts)
                part->scratchMark = face.scratchMark;
            return;
        }
        memoisedFill(face, memo);
    });

    std::vector<Plane> joined;
    std::vector<Box> vanished;
    std::unordered_set<const Face*> moved;
    int changedFaces = 0;
    FaceList kept;
    kept.reserve(model.builtFaces.size());
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        auto& face = model.builtFaces[i];
        Outcome& o = outcomes[i];
        if (o.offsetMoved || o.outlineMoved)
            ++changedFaces;
        if (o.offsetMoved)
            note(joined, *face);
        if (!o.outlineMoved) {
            kept.push_back(std::move(face));
        } else if (o.split) {
            for (auto& part : o.parts) {
                moved.insert(part.get());
                kept.push_back(std::move(part));
            }
        } else if (face->triangles.empty()) {
            vanished.push_back(o.box);
        } else {
            moved.insert(face.get());
            kept.push_back(std::move(face));
        }
    }
    model.builtFaces = std::move(kept);
    for (const Plane& p : joined) {
        // The merge frees the plane's faces and allocates its own: a freed address left in
        // `moved` could come back as a merged face, which would then seed by accident of the
        // heap (and make the result depend on what was allocated before). The merged faces
        // are one per outline of the whole plane already, so none needs to seed.
        for (const auto& face : model.builtFaces)
            if (face->plane == p.plane && face->offset == p.offset)
                moved.erase(face.get());
        mergePlane(model, p.plane, p.offset);
    }

    std::vector<const Face*> seeds;
    for (const auto& face : model.builtFaces) {
        bool seed = moved.contains(face.get());
        if (!seed && !vanished.empty()) {
            const Box box = boxOf(face->polygon);
            seed = std::any_of(vanished.begin(), vanished.end(),
                               [&](const Box& v) { return v.meets(box); });
        }
        if (seed)
            seeds.push_back(face.get());
    }
    uniteNear(model, seeds, memo, sideBySide);
    std::erase_if(model.builtFaces,
                  [](const std::unique_ptr<Face>& f) { return f->triangles.empty(); });
    return changedFaces;
}

} // namespace

int cleanBuiltFaces(CardModel& model) {
    return cleanBuiltFaces(model, nullptr);
}

// Whether a second pass would find nothing to snap. The values the pass kept lie apart, so only
// values of faces the engine may have given new vertices can be a hair from another; checking
// those spares gathering and sorting every value again.
bool settled(const CardModel& model, const PassValues& before) {
    PassValues fresh;
    for (const auto& face : model.builtFaces) {
        if (face->scratchMark)
            continue;
        fresh.offsets[int(face->plane)].push_back(face->offset);
        for (const auto& loop : face->polygon.loops)
            for (const Point2& p : loop->points) {
                fresh.xs.push_back(p.x);
                fresh.ys.push_back(p.y);
            }
    }
    // The x and y values are looked at on both cores; the few offsets after.
    bool xyApart[2] = {true, true};
    ParallelJobs::shared().run(2, [&](std::size_t k, int) {
        xyApart[k] =
            k ? apart(std::move(fresh.ys), before.ys) : apart(std::move(fresh.xs), before.xs);
    });
    return xyApart[0] && xyApart[1] && apart(std::move(fresh.offsets[0]), before.offsets[0]) &&
           apart(std::move(fresh.offsets[1]), before.offsets[1]);
}

int cleanBuiltFaces(CardModel& model, RebuildMemo* memo) {
    return cleanBuiltFaces(model, memo, nullptr);
}

int cleanBuiltFaces(CardModel& model, RebuildMemo* memo, LateFills* late, bool sideBySide) {
    // Uniting faces can make new vertices a hair from old ones; a second pass takes those.
    int changed = 0;
    for (int pass = 0; pass < 3; ++pass) {
        PassValues values;
        // The first pass makes every fill still missing.
        const int now = cleanOnce(model, memo, values, pass == 0 ? late : nullptr, sideBySide);
        if (now == 0)
            break;
        changed += now;
        if (pass < 2 && settled(model, values))
            break;
    }
    for (const auto& face : model.builtFaces)
        face->scratchMark = false;
    return changed;
}

} // namespace plicato
