// What earlier rebuilds computed, kept for the next one: the engine's results (clips and fills)
// and what each user face did to the built faces it met, found again by a fingerprint of their
// exact inputs, and the builder's state every few faces; a rebuild after an edit redoes only the
// work whose inputs the edit changed.
#pragma once

#include "model/face.h"
#include "polygon_clip/clip_polygon.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <shared_mutex>
#include <unordered_map>
#include <vector>

namespace plicato {

class MeasuredClip;

class RebuildMemo {
public:
    // Two independent 64-bit hashes of every bit of the inputs: a false match needs both to
    // collide on inputs that differ.
    struct Key {
        std::uint64_t a = 0;
        std::uint64_t b = 0;
        bool operator==(const Key&) const = default;
    };
    // Planted faults, for proving that the identity test catches a memo that answers for the
    // wrong inputs. Never set outside tests.
    enum class Fault {
        None,
        IgnoreClipOperand,        // the key of a clip leaves the second operand out
        CheckpointKeepsOldCopies, // a face's copy for checkpoints outlives a change to the face
        StepIgnoresMetFaces,      // a step's key leaves out the built faces the new face met
    };

    // What the builder knows of a polygon besides its points: its box, its fingerprint
    // (polygonPrint) and its area (outer loops less holes), kept beside the polygon so that
    // reusing one does not cost going over its points again.
    struct Summary {
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
        double area = 0.0;
        Key print;
    };
    // A built face as a checkpoint holds it, with its box and, when it was made, its print
    // (the summary's area is not kept); its fill only while that is up to date.
    struct KeptFace {
        Face face;
        Summary summary;
        bool printed = false;
        signed char outers = -1; // outer loops, 2 standing for two or more; -1 not counted
    };
    // The builder's state after a run of user faces from the first: its built faces in order
    // (faces unchanged from one checkpoint to the next are shared, not copied) and which of
    // them wait for their fill. A rebuild whose first faces are the same starts from here.
    struct Checkpoint {
        std::vector<std::shared_ptr<const KeptFace>> faces;
        std::vector<char> stale;
    };

    // `salt` tells apart calls whose stored answer means something else for the same inputs.
    Key clipKey(ClipOp op, const Polygon& subject, const ClipPolygon& clip,
                unsigned salt = 0) const;
    Key clipKey(ClipOp op, const Polygon& subject, const Polygon& clip, unsigned salt = 0) const;
    static Key fillKey(const Polygon& polygon);
    // The same from the polygon's print (polygonPrint), for a polygon whose print is known.
    static Key fillKey(const Key& polygonPrint);
    // The key of a clip from fingerprints of its operands (polygonPrint), for operands that
    // take part in many clips.
    static Key polygonPrint(const Polygon& polygon);
    static Key polygonPrint(const ClipPolygon& polygon);
    Key clipKey(ClipOp op, const Key& subjectPrint, const Key& clipPrint, unsigned salt) const;

    // What adding one user face did to the built faces its box met, for doing it again whole
    // when the same face meets the same faces: for each of them, in list order, whether it
    // stayed as it was, was given a new outline or was removed; then the faces it added at the
    // end of the list. The faces are kept as checkpoints keep them (with box and print, their
    // fills out of date), and shared with the checkpoints that hold them.
    enum class StepOutcome : unsigned char { Kept, Reshaped, Removed };
    struct Step {
        std::vector<StepOutcome> outcomes;
        // One for each Reshaped outcome, in order.
        std::vector<std::shared_ptr<const KeptFace>> reshaped;
        std::vector<std::shared_ptr<const KeptFace>> added;
        std::vector<Key> clips; // the keys of the clips the step looked up or made
    };
    // The key of a step from its words (the new face's print and place, then every met face's).
    Key stepKey(const std::vector<std::uint64_t>& words) const;
    // The step stored under the key, or null; a found one is kept for the next rebuilds. Only
    // the builder's thread looks steps up and stores them: no lock.
    const Step* findStep(const Key& key);
    void storeStep(const Key& key, Step step);

    // The key of a checkpoint: the sheet and the builder's settings, then every user face before
    // it, one step at a time (outline by its print, plane, offset, and whether it fills
    // anything).
    static Key prefixStart(double cardWidth, double cardHeight, unsigned salt);
    Key prefixStep(const Key& prefix, const Face& userFace, const Key& outlinePrint) const;

    // The checkpoint stored under the key, or null; a found one is kept for the next rebuilds.
    const Checkpoint* findCheckpoint(const Key& key);
    void storeCheckpoint(const Key& key, Checkpoint checkpoint);
    // User faces apart between checkpoints; tests set it small so that short designs have many.
    int checkpointSpacing() const { return checkpointSpacing_; }
    void setCheckpointSpacing(int spacing) { checkpointSpacing_ = spacing < 1 ? 1 : spacing; }
    // User faces whose work the rebuilds so far took from checkpoints instead of doing again.
    std::size_t facesResumed() const { return facesResumed_; }
    void noteResumed(std::size_t faces) { facesResumed_ += faces; }

    // The stored result for the key (and the note stored with it), or null; a found entry is
    // kept for the next rebuilds. `summary`, when given, receives the result's summary if one
    // was stored with it, else null. A found pointer stays valid until the rebuild ends; what
    // it points at may be rewritten by a store from another thread.
    const Polygon* findClip(const Key& key, int* note = nullptr, const Summary** summary = nullptr);
    // The stored result copied into `out`, safe beside other threads' copies and stores.
    bool copyClip(const Key& key, Polygon& out);
    bool copyFill(const Key& key, std::vector<Triangle>& out);
    // Returns the stored copy of the summary (null without one).
    const Summary* storeClip(const Key& key, const Polygon& result, int note = 0,
                             const Summary* summary = nullptr);
    void storeFill(const Key& key, const std::vector<Triangle>& fill);

    // Ends one rebuild: entries and checkpoints neither used nor made in the last `keptRebuilds`
    // rebuilds are dropped, so the memory held follows the design. A rebuild that starts from a
    // checkpoint does not touch the entries of the faces before it, which the next edit of an
    // earlier face needs again: hence several rebuilds, not one. The sweep runs once every
    // `keptRebuilds` rebuilds, since going over every entry costs a good part of a rebuild.
    static constexpr unsigned keptRebuilds = 8;
    void endRebuild();

    std::size_t entryCount() const { return used_; }
    std::size_t checkpointCount() const { return checkpoints_.size(); }
    std::size_t hits() const { return hits_.load(); }
    std::size_t misses() const { return misses_.load(); }
    void setFaultForTesting(Fault fault) { fault_ = fault; }
    Fault fault() const { return fault_; }

private:
    template <class Operand>
    Key operandClipKey(ClipOp op, const Polygon& subject, const Operand& clip, unsigned salt) const;
    struct KeyHash {
        std::size_t operator()(const Key& k) const { return static_cast<std::size_t>(k.a); }
    };
    struct Entry {
        bool isFill = false;
        bool summarised = false;
        int note = 0;
        // Set by lookups under the shared lock, on both cores at once.
        std::atomic<unsigned> lastUsed{0};
        Polygon polygon;
        std::vector<Triangle> fill;
        Summary summary;
    };
    Entry* find(const Key& key, bool fill);
    // The entry under the key, or null; not counted as a lookup.
    Entry* entryAt(const Key& key);
    // The entry under the key, made empty if there was none.
    Entry& slotFor(const Key& key);
    // Moves the entries into a table of `size` slots (a power of two), leaving out those not
    // used lately when `dropUnused`.
    void rehash(std::size_t size, bool dropUnused);
    static constexpr std::size_t minSlots = 1024;

    // Open addressing with linear probing on the key's first hash (already well mixed): a
    // lookup reads one slot where a map of nodes chased a bucket and then its node. Entries
    // live apart from the slots, so a found one stays put while others are added.
    struct Slot {
        Key key;
        std::unique_ptr<Entry> entry; // null: the slot is free
    };

    // A checkpoint or a step with the rebuild that last used it, kept by key.
    template <class Value> struct Stored {
        Value value;
        unsigned lastUsed = 0;
    };
    template <class Value> using StoredMap = std::unordered_map<Key, Stored<Value>, KeyHash>;
    // The value under the key (marked used), or null.
    template <class Value> const Value* findStored(StoredMap<Value>& map, const Key& key) {
        auto it = map.find(key);
        if (it == map.end())
            return nullptr;
        it->second.lastUsed = generation_;
        return &it->second.value;
    }
    template <class Value> void store(StoredMap<Value>& map, const Key& key, Value value) {
        Stored<Value>& s = map[key];
        s.value = std::move(value);
        s.lastUsed = generation_;
    }

    // Shared by lookups, held alone by stores: the clean-up's jobs on both cores clip and fill
    // through the memo, and mostly find what they look for, copying it out side by side.
    std::shared_mutex entriesLock_;
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    StoredMap<Checkpoint> checkpoints_;
    StoredMap<Step> steps_;
    // Wider spacing redoes a few more faces before the first changed one but copies and frees
    // fewer faces for checkpoints; on 300-face designs 16 measured faster than 8, and 32 than
    // 16, for random edits and for one face edited again and again.
    int checkpointSpacing_ = 32;
    std::size_t facesResumed_ = 0;
    unsigned generation_ = 1;
    std::atomic<std::size_t> hits_{0};
    std::atomic<std::size_t> misses_{0};
    Fault fault_ = Fault::None;
};

// a = a op b through the engine, or the memo's stored answer for the same call; without a memo,
// always the engine. `salt` as for clipKey. `engineSubject`: a is the engine's own output, so
// only its part near b need go through the sweep.
void memoisedClip(Polygon& a, ClipOp op, const ClipPolygon& b, RebuildMemo* memo, unsigned salt = 0,
                  bool engineSubject = false);
void memoisedClip(Polygon& a, ClipOp op, const Polygon& b, RebuildMemo* memo, unsigned salt = 0,
                  bool engineSubject = false);
// The same, with b measured already: a clip used on many faces is measured once.
void memoisedClip(Polygon& a, ClipOp op, const MeasuredClip& b, RebuildMemo* memo,
                  unsigned salt = 0, bool engineSubject = false);

// f's fill from its polygon, through the memo when there is one. `print`, when given, is the
// polygon's print (polygonPrint), which spares going over its points for the key.
void memoisedFill(Face& f, RebuildMemo* memo, const RebuildMemo::Key* print = nullptr);

} // namespace plicato
