// Fingerprints of engine inputs and the store of earlier results.
#include "popup/rebuild_memo.h"

#include "model/clip_holder.h"
#include "polygon_clip/local_clip.h"
#include "polygon_clip/polygon_clip.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace plicato {

namespace {

// Feeds 64-bit words to two differently mixed hashes.
class Fingerprint {
public:
    explicit Fingerprint(std::uint64_t tag) { word(tag); }
    void word(std::uint64_t w) {
        a_ = mixA(a_, w);
        b_ = mixB(b_, w);
    }
    void real(double v) { word(std::bit_cast<std::uint64_t>(v)); }
    void polygon(const Polygon& p) {
        word(p.loops.size());
        for (const auto& loop : p.loops) {
            word(loop->points.size() * 2 + (loop->isHole ? 1 : 0));
            points(loop->points.data(), loop->points.size());
        }
    }
    void polygon(const ClipPolygon& p) {
        const int n = p.contours != nullptr && p.contourCount > 0 ? p.contourCount : 0;
        word(static_cast<std::uint64_t>(n));
        for (int c = 0; c < n; ++c) {
            const ClipContour& contour = p.contours[c];
            const int count =
                contour.vertices != nullptr && contour.vertexCount > 0 ? contour.vertexCount : 0;
            word(static_cast<std::uint64_t>(count) * 2 + (p.holeFlags[c] != 0 ? 1 : 0));
            points(contour.vertices, static_cast<std::size_t>(count));
        }
    }
    RebuildMemo::Key key() const {
        // Final avalanche so that nearby inputs spread over the table.
        std::uint64_t a = a_ ^ (a_ >> 33);
        a *= 0xFF51AFD7ED558CCDull;
        a ^= a >> 33;
        return {a, b_ ^ (b_ >> 31)};
    }

private:
    static std::uint64_t mixA(std::uint64_t h, std::uint64_t w) {
        h = (h ^ w) * 0x9E3779B97F4A7C15ull;
        return h ^ (h >> 29);
    }
    static std::uint64_t mixB(std::uint64_t h, std::uint64_t w) {
        return std::rotl(h + w * 0xC2B2AE3D27D4EB4Full, 31) * 0x165667B19E3779F9ull;
    }
    // The x and the y values go to chains of their own, joined at the end: four chains side by
    // side instead of two one after the other, since every rebuild fingerprints all its points.
    template <class Vertex> void points(const Vertex* v, std::size_t n) {
        std::uint64_t ax = a_, bx = b_;
        std::uint64_t ay = a_ ^ 0x5851F42D4C957F2Dull, by = b_ ^ 0x14057B7EF767814Full;
        for (std::size_t i = 0; i < n; ++i) {
            const auto x = std::bit_cast<std::uint64_t>(v[i].x);
            const auto y = std::bit_cast<std::uint64_t>(v[i].y);
            ax = mixA(ax, x);
            bx = mixB(bx, x);
            ay = mixA(ay, y);
            by = mixB(by, y);
        }
        a_ = mixA(ax, ay);
        b_ = mixB(bx, by);
    }

    std::uint64_t a_ = 0xCBF29CE484222325ull;
    std::uint64_t b_ = 0x84222325CBF29CE4ull;
};

constexpr std::uint64_t kFillTag = 0xF111;
constexpr std::uint64_t kPrefixTag = 0xC4EC;
constexpr std::uint64_t kStepTag = 0x57E9;

} // namespace

template <class Operand>
RebuildMemo::Key RebuildMemo::operandClipKey(ClipOp op, const Polygon& subject, const Operand& clip,
                                             unsigned salt) const {
    // The same words for both operand forms, so both forms of one input find one entry.
    Fingerprint f(static_cast<std::uint64_t>(op) | std::uint64_t{salt} << 8);
    f.polygon(subject);
    f.word(0xC11Bu);
    if (fault_ != Fault::IgnoreClipOperand)
        f.polygon(clip);
    return f.key();
}

RebuildMemo::Key RebuildMemo::clipKey(ClipOp op, const Polygon& subject, const ClipPolygon& clip,
                                      unsigned salt) const {
    return operandClipKey(op, subject, clip, salt);
}

RebuildMemo::Key RebuildMemo::clipKey(ClipOp op, const Polygon& subject, const Polygon& clip,
                                      unsigned salt) const {
    return operandClipKey(op, subject, clip, salt);
}

RebuildMemo::Key RebuildMemo::polygonPrint(const Polygon& polygon) {
    Fingerprint f(0x9017);
    f.polygon(polygon);
    return f.key();
}

RebuildMemo::Key RebuildMemo::polygonPrint(const ClipPolygon& polygon) {
    Fingerprint f(0x9017);
    f.polygon(polygon);
    return f.key();
}

RebuildMemo::Key RebuildMemo::clipKey(ClipOp op, const Key& subjectPrint, const Key& clipPrint,
                                      unsigned salt) const {
    Fingerprint f((static_cast<std::uint64_t>(op) | std::uint64_t{salt} << 8) ^ 0x9017000000ull);
    f.word(subjectPrint.a);
    f.word(subjectPrint.b);
    if (fault_ != Fault::IgnoreClipOperand) {
        f.word(clipPrint.a);
        f.word(clipPrint.b);
    }
    return f.key();
}

RebuildMemo::Key RebuildMemo::fillKey(const Polygon& polygon) {
    Fingerprint f(kFillTag);
    f.polygon(polygon);
    return f.key();
}

RebuildMemo::Key RebuildMemo::fillKey(const Key& polygonPrint) {
    Fingerprint f(kFillTag + 1);
    f.word(polygonPrint.a);
    f.word(polygonPrint.b);
    return f.key();
}

RebuildMemo::Key RebuildMemo::prefixStart(double cardWidth, double cardHeight, unsigned salt) {
    Fingerprint f(kPrefixTag | std::uint64_t{salt} << 16);
    f.real(cardWidth);
    f.real(cardHeight);
    return f.key();
}

RebuildMemo::Key RebuildMemo::prefixStep(const Key& prefix, const Face& userFace,
                                         const Key& outlinePrint) const {
    Fingerprint f(kPrefixTag + 1);
    f.word(prefix.a);
    f.word(prefix.b);
    f.word(static_cast<std::uint64_t>(userFace.plane) * 2 + (userFace.triangles.empty() ? 1 : 0));
    f.real(userFace.offset);
    f.word(outlinePrint.a);
    f.word(outlinePrint.b);
    return f.key();
}

RebuildMemo::Key RebuildMemo::stepKey(const std::vector<std::uint64_t>& words) const {
    Fingerprint f(kStepTag);
    // The first five words are the new face's; the rest, five for each met face.
    const std::size_t n = fault_ == Fault::StepIgnoresMetFaces
                              ? std::min<std::size_t>(words.size(), 5)
                              : words.size();
    for (std::size_t i = 0; i < n; ++i)
        f.word(words[i]);
    return f.key();
}

const RebuildMemo::Step* RebuildMemo::findStep(const Key& key) {
    const Step* step = findStored(steps_, key);
    ++(step ? hits_ : misses_);
    return step;
}

void RebuildMemo::storeStep(const Key& key, Step step) {
    store(steps_, key, std::move(step));
}

const RebuildMemo::Checkpoint* RebuildMemo::findCheckpoint(const Key& key) {
    return findStored(checkpoints_, key);
}

void RebuildMemo::storeCheckpoint(const Key& key, Checkpoint checkpoint) {
    store(checkpoints_, key, std::move(checkpoint));
}

RebuildMemo::Entry* RebuildMemo::entryAt(const Key& key) {
    if (slots_.empty())
        return nullptr;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(key.a) & mask; slots_[i].entry;
         i = (i + 1) & mask)
        if (slots_[i].key == key)
            return slots_[i].entry.get();
    return nullptr;
}

RebuildMemo::Entry* RebuildMemo::find(const Key& key, bool fill) {
    Entry* e = entryAt(key);
    if (!e || e->isFill != fill) {
        misses_.fetch_add(1, std::memory_order_relaxed);
        return nullptr;
    }
    hits_.fetch_add(1, std::memory_order_relaxed);
    e->lastUsed.store(generation_, std::memory_order_relaxed);
    return e;
}

void RebuildMemo::rehash(std::size_t size, bool dropUnused) {
    std::vector<Slot> old = std::move(slots_);
    slots_.clear();
    slots_.resize(size);
    used_ = 0;
    const std::size_t mask = size - 1;
    for (Slot& s : old) {
        if (!s.entry || (dropUnused && s.entry->lastUsed + keptRebuilds < generation_))
            continue;
        std::size_t i = static_cast<std::size_t>(s.key.a) & mask;
        while (slots_[i].entry)
            i = (i + 1) & mask;
        slots_[i] = std::move(s);
        ++used_;
    }
}

RebuildMemo::Entry& RebuildMemo::slotFor(const Key& key) {
    if (2 * (used_ + 1) > slots_.size())
        rehash(slots_.empty() ? minSlots : 2 * slots_.size(), false);
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = static_cast<std::size_t>(key.a) & mask;
    for (; slots_[i].entry; i = (i + 1) & mask)
        if (slots_[i].key == key)
            return *slots_[i].entry;
    slots_[i].key = key;
    slots_[i].entry = std::make_unique<Entry>();
    ++used_;
    return *slots_[i].entry;
}

const Polygon* RebuildMemo::findClip(const Key& key, int* note, const Summary** summary) {
    const std::shared_lock<std::shared_mutex> hold(entriesLock_);
    const Entry* e = find(key, false);
    if (e && note)
        *note = e->note;
    if (summary)
        *summary = e && e->summarised ? &e->summary : nullptr;
    return e ? &e->polygon : nullptr;
}

const RebuildMemo::Summary* RebuildMemo::storeClip(const Key& key, const Polygon& result, int note,
                                                   const Summary* summary) {
    const std::lock_guard<std::shared_mutex> hold(entriesLock_);
    Entry& e = slotFor(key);
    e.isFill = false;
    e.note = note;
    e.polygon = result;
    e.fill.clear();
    e.summarised = summary != nullptr;
    if (summary)
        e.summary = *summary;
    e.lastUsed = generation_;
    return summary ? &e.summary : nullptr;
}

bool RebuildMemo::copyClip(const Key& key, Polygon& out) {
    const std::shared_lock<std::shared_mutex> hold(entriesLock_);
    const Entry* e = find(key, false);
    if (e)
        out = e->polygon;
    return e != nullptr;
}

bool RebuildMemo::copyFill(const Key& key, std::vector<Triangle>& out) {
    const std::shared_lock<std::shared_mutex> hold(entriesLock_);
    const Entry* e = find(key, true);
    if (e)
        out = e->fill;
    return e != nullptr;
}

void RebuildMemo::storeFill(const Key& key, const std::vector<Triangle>& fill) {
    const std::lock_guard<std::shared_mutex> hold(entriesLock_);
    Entry& e = slotFor(key);
    e.isFill = true;
    e.summarised = false;
    e.polygon.clear();
    e.fill = fill;
    e.lastUsed = generation_;
}

void RebuildMemo::endRebuild() {
    if (++generation_ % keptRebuilds != 0)
        return;
    // A step done again does not look up the clips it was made of; they are kept as long as the
    // step is, for when one of its faces changes and the others' clips are wanted again.
    for (const auto& [key, stored] : steps_) {
        if (stored.lastUsed + keptRebuilds < generation_)
            continue;
        for (const Key& clip : stored.value.clips)
            if (Entry* e = entryAt(clip))
                e->lastUsed = std::max(e->lastUsed.load(), stored.lastUsed);
    }
    // The table is made again from the entries kept (a freed slot in a run of probes would cut
    // the run short), no larger than they need.
    std::size_t kept = 0;
    for (const Slot& s : slots_)
        kept += s.entry && s.entry->lastUsed + keptRebuilds >= generation_ ? 1 : 0;
    std::size_t size = minSlots;
    while (size < 2 * kept)
        size *= 2;
    rehash(size, true);
    const auto old = [&](const auto& kv) {
        return kv.second.lastUsed + keptRebuilds < generation_;
    };
    std::erase_if(checkpoints_, old);
    std::erase_if(steps_, old);
}

namespace {

// The memo's answer when it has one; else `clip`'s result for a in the engine's form.
template <class Operand, class Clip>
void clipThroughMemo(Polygon& a, ClipOp op, const Operand& b, RebuildMemo* memo, unsigned salt,
                     Clip clip) {
    RebuildMemo::Key key;
    if (memo) {
        key = memo->clipKey(op, a, b, salt);
        if (memo->copyClip(key, a))
            return;
    }
    // The subject's engine form lives only for the call: one room a thread, used again.
    thread_local ClipRoom subject;
    a.toClipRoom(subject);
    ClipHolder result(clip(subject.view));
    a.assignFromClipPolygon(result.p);
    if (memo)
        memo->storeClip(key, a);
}

} // namespace

void memoisedClip(Polygon& a, ClipOp op, const ClipPolygon& b, RebuildMemo* memo, unsigned salt,
                  bool engineSubject) {
    clipThroughMemo(a, op, b, memo, salt, [&](const ClipPolygon& s) {
        return engineSubject ? clipEngineSubject(op, s, b) : clipPolygons(op, s, b);
    });
}

void memoisedClip(Polygon& a, ClipOp op, const MeasuredClip& b, RebuildMemo* memo, unsigned salt,
                  bool engineSubject) {
    clipThroughMemo(a, op, b.polygon(), memo, salt, [&](const ClipPolygon& s) {
        return engineSubject ? clipEngineSubject(op, s, b) : clipPolygons(op, s, b.polygon());
    });
}

void memoisedClip(Polygon& a, ClipOp op, const Polygon& b, RebuildMemo* memo, unsigned salt,
                  bool engineSubject) {
    // The operand is put in the engine's form only when the memo has no answer.
    clipThroughMemo(a, op, b, memo, salt, [&](const ClipPolygon& s) {
        ClipHolder other;
        b.toClipPolygon(other.p);
        return engineSubject ? clipEngineSubject(op, s, other.p) : clipPolygons(op, s, other.p);
    });
}

void memoisedFill(Face& f, RebuildMemo* memo, const RebuildMemo::Key* print) {
    if (!memo) {
        f.triangulate();
        return;
    }
    const RebuildMemo::Key key =
        print ? RebuildMemo::fillKey(*print) : RebuildMemo::fillKey(f.polygon);
    if (memo->copyFill(key, f.triangles))
        return;
    f.triangulate();
    memo->storeFill(key, f.triangles);
}

} // namespace plicato
