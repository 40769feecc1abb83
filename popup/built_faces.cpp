// The built faces: each user face clipped to the sheet takes its paper from the faces before it,
// then the faces of its plane are united and split into connected pieces.
#include "popup/built_faces.h"

#include "model/clip_holder.h"
#include "model/geometry.h"
#include "polygon_clip/local_clip.h"
#include "popup/built_face_cleanup.h"
#include "popup/face_box.h"
#include "popup/face_placement.h"
#include "popup/parallel_jobs.h"
#include "popup/rebuild_memo.h"
#include "popup/spare_work.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace plicato {

namespace {

// Offsets closer than this are one plane when a face covers another.
constexpr double coverPlaneTolerance = 0.00001;

bool onCoverPlane(const Face& a, FacePlane plane, double offset) {
    return a.plane == plane && std::fabs(a.offset - offset) <= coverPlaneTolerance;
}

// The box and area of p (no print).
RebuildMemo::Summary measure(const Polygon& p) {
    double area = 0.0;
    const Box b = boxAndArea(p, area);
    return {b.minX, b.minY, b.maxX, b.maxY, area, {}};
}

RebuildMemo::Summary summarise(const Polygon& p) {
    RebuildMemo::Summary s = measure(p);
    s.print = RebuildMemo::polygonPrint(p);
    return s;
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

// Salt of the memo's entries for a user face cut to the sheet, which carry a summary.
constexpr unsigned sheetClipSalt = 32;

// A user face cut to the sheet, with its summary when the memo keeps one. The memo's cut is
// not copied out: most steps are done again from the memo without reading it.
// A new face in the engine's form, measured once for every face it is taken from.
struct FaceForm {
    explicit FaceForm(const Polygon& p) : box(boxOf(p)) {
        p.toClipPolygon(clip.p);
        measured.emplace(clip.p);
        runs = segmentRuns(p);
    }
    FaceForm(const FaceForm&) = delete;
    FaceForm& operator=(const FaceForm&) = delete;
    Box box;
    ClipHolder clip;
    std::optional<MeasuredClip> measured; // refers to `clip`
    SegmentRuns runs;
};

struct SheetCut {
    Polygon outline;
    std::unique_ptr<FaceForm> form;  // of `outline`, when it was cut in this rebuild
    const Polygon* stored = nullptr; // the memo's, in place of `outline`
    RebuildMemo::Key key;
    RebuildMemo::Summary summary;
    bool summarised = false;
};

// `count` jobs on both cores, with the faces in `discard` freed by one more, the first: the
// faces of the rebuild before go while the other core gets on with the others.
template <class Job> void runDiscarding(FaceList& discard, std::size_t count, const Job& job) {
    const std::size_t extra = discard.empty() ? 0 : 1;
    ParallelJobs::shared().run(count + extra, [&](std::size_t k, int lane) {
        if (k < extra)
            discard.clear();
        else
            job(k - extra, lane);
    });
}

// The print of every user face's outline, made on both cores: the checkpoints' keys and the
// keys of the cuts to the sheet are made from them. `discard` as for runDiscarding.
std::vector<RebuildMemo::Key> outlinePrints(const CardModel& model, FaceList& discard) {
    std::vector<RebuildMemo::Key> prints(model.userFaces.size());
    runDiscarding(discard, prints.size(), [&](std::size_t i, int) {
        prints[i] = RebuildMemo::polygonPrint(model.userFaces[i]->polygon);
    });
    return prints;
}

// The cuts to the sheet of the user faces [from, end) with a fill (others stay empty), with
// those the memo answers filled in and the rest listed in `missing`. The missing cuts depend
// on nothing but their user face and the sheet.
// `prints` holds the outlines' prints when there is a memo.
std::vector<SheetCut> sheetCutsKnown(const CardModel& model, std::size_t from, const Polygon& sheet,
                                     RebuildMemo* memo, const std::vector<RebuildMemo::Key>& prints,
                                     std::vector<std::size_t>& missing) {
    const std::size_t count = model.userFaces.size();
    std::vector<SheetCut> cuts(count - from);
    missing.clear();
    const RebuildMemo::Key sheetPrint = RebuildMemo::polygonPrint(sheet);
    for (std::size_t k = 0; k < cuts.size(); ++k) {
        const Face& userFace = *model.userFaces[from + k];
        if (userFace.triangles.empty())
            continue;
        SheetCut& cut = cuts[k];
        if (memo) {
            cut.key =
                memo->clipKey(ClipOp::Intersection, prints[from + k], sheetPrint, sheetClipSalt);
            const RebuildMemo::Summary* summary = nullptr;
            if (const Polygon* found = memo->findClip(cut.key, nullptr, &summary);
                found && summary) {
                cut.stored = found;     // stays as it is until the rebuild ends
                cut.summary = *summary; // copied: later stores may move the memo's entries
                cut.summarised = true;
                continue;
            }
        }
        missing.push_back(k);
    }
    return cuts;
}

// Cuts one user face to the sheet; touches nothing but the cut.
void cutToSheet(const Face& userFace, const Polygon& sheet, bool summarise, SheetCut& cut) {
    cut.outline = userFace.polygon;
    memoisedClip(cut.outline, ClipOp::Intersection, sheet, nullptr);
    cut.form = std::make_unique<FaceForm>(cut.outline);
    if (summarise) {
        cut.summary = plicato::summarise(cut.outline);
        cut.summarised = true;
    }
}

// The missing cuts to the sheet, and the freeing of the faces of the rebuild before, as spare
// work for the helper between the builder's batches: it gets on with them while this thread
// merges and splits alone, and this thread makes any cut the helper has not begun when the
// builder comes to its face. Withdrawn, with every item done, when it goes.
class SpareCuts {
public:
    SpareCuts(const CardModel& model, std::size_t from, const Polygon& sheet, RebuildMemo* memo,
              std::vector<SheetCut>& cuts, std::vector<std::size_t> missing, FaceList& discard)
        : cuts_(cuts), missing_(std::move(missing)), itemOf_(cuts.size(), none),
          extra_(discard.empty() ? 0 : 1), item_{model, from,     sheet,   memo,
                                                 cuts,  missing_, discard, extra_},
          work_(missing_.size() + extra_, item_) {
        for (std::size_t m = 0; m < missing_.size(); ++m)
            itemOf_[missing_[m]] = m + extra_;
        ParallelJobs::shared().offer(work_);
    }
    ~SpareCuts() {
        for (std::size_t k = 0; k < work_.count(); ++k)
            work_.take(k);
        ParallelJobs::shared().withdraw();
    }
    SpareCuts(const SpareCuts&) = delete;
    SpareCuts& operator=(const SpareCuts&) = delete;

    // Cut k (of the faces from `from` on) made; with the memo, stored in it.
    SheetCut& take(std::size_t k) {
        if (itemOf_[k] != none) {
            work_.take(itemOf_[k]);
            if (item_.memo)
                item_.memo->storeClip(cuts_[k].key, cuts_[k].outline, 0, &cuts_[k].summary);
        }
        return cuts_[k];
    }

private:
    static constexpr std::size_t none = ~std::size_t{0};
    struct Item {
        const CardModel& model;
        std::size_t from;
        const Polygon& sheet;
        RebuildMemo* memo;
        std::vector<SheetCut>& cuts;
        const std::vector<std::size_t>& missing;
        FaceList& discard;
        std::size_t extra;
        void operator()(std::size_t k) const {
            if (k < extra) {
                discard.clear();
                return;
            }
            const std::size_t c = missing[k - extra];
            cutToSheet(*model.userFaces[from + c], sheet, memo != nullptr, cuts[c]);
        }
    };
    std::vector<SheetCut>& cuts_;
    std::vector<std::size_t> missing_;
    std::vector<std::size_t> itemOf_;
    std::size_t extra_;
    Item item_;
    SpareWork work_;
};

// One rebuild. The full form follows the derivation step by step; the shortcut form reaches the
// same pieces of paper (same planes and regions) with less work:
// - a built face whose box does not meet the new face's is not clipped (nothing to take away);
// - fills are computed once, when the rebuild ends, instead of after every clip;
// - merging a plane unites only the faces near the new face, since the faces of one plane are
//   already disjoint, separate pieces; a face cut in two is just split;
// - splitting subtracts only the holes whose box meets the piece.
// Only the order of the built faces may differ between the two forms.
class Builder {
public:
    // `engineShaped`: every built face present or to come is the engine's own output, which it
    // gives back unchanged when nothing is taken away or added.
    // `memo`, when given, answers engine calls and whole steps whose inputs an earlier rebuild
    // had too.
    Builder(CardModel& model, const RebuildOptions& options, bool engineShaped,
            RebuildMemo* memo = nullptr)
        : model_(model), shortcuts_(options.skipDisjointBoxes),
          sideBySide_(options.setApartFacesSideBySide), engineShaped_(engineShaped), memo_(memo) {
        renote();
    }

    // `known`, when given, is the new face's summary (from the memo). `outline`, when given
    // (with `known`), is its outline, which the face lacks until it is needed. `form`, when
    // given, is the face's polygon in the engine's form, made already.
    void add(std::unique_ptr<Face> face, const RebuildMemo::Summary* known = nullptr,
             const Polygon* outline = nullptr, const FaceForm* form = nullptr) {
        const Box faceBox = known ? boxOfSummary(*known) : form ? form->box : boxOf(face->polygon);
        const RebuildMemo::Key facePrint = known   ? known->print
                                           : memo_ ? RebuildMemo::polygonPrint(face->polygon)
                                                   : RebuildMemo::Key{};
        // The whole step depends only on the new face and the faces it meets, as long as no
        // other face is in several pieces (a cut on a plane a hair from the cutting face's
        // leaves one so, and a merge or split of its plane would take it in): an earlier
        // rebuild's step with the same faces is then done again from what it left.
        bool steps = memo_ && shortcuts_ && engineShaped_;
        // Every face is looked at for every face added, and whether it is met is anyone's
        // guess: the test is made without branches, into room for all. Read through locals,
        // which the writes cannot change.
        const std::size_t count = model_.builtFaces.size();
        met_.resize(count);
        std::size_t* met = met_.data();
        const Note* notes = notes_.data(); // box() and outers() fill notes in, never move them
        const bool shortcuts = shortcuts_;
        const unsigned all = shortcuts ? 0u : 1u; // without the shortcuts, every face is met
        const unsigned tested = shortcuts && !faceBox.empty() ? 1u : 0u;
        unsigned severed = 0; // some face not met is in several pieces
        std::size_t k = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const Note& n = notes[i];
            const Box& b = n.boxed || !shortcuts ? n.box : box(i);
            const unsigned hit =
                all | (tested & unsigned(b.minX <= b.maxX) & unsigned(faceBox.minX <= b.maxX) &
                       unsigned(b.minX <= faceBox.maxX) & unsigned(faceBox.minY <= b.maxY) &
                       unsigned(b.minY <= faceBox.maxY));
            met[k] = i;
            k += hit;
            if (steps && n.outers < 0 && hit == 0) // rare: most counts are known
                outers(i);
            severed |= (hit ^ 1u) & unsigned(n.outers > 1);
        }
        met_.resize(k);
        steps = steps && severed == 0;
        RebuildMemo::Key stepKey;
        if (steps) {
            stepKey = keyOfStep(*face, facePrint);
            if (const RebuildMemo::Step* s = memo_->findStep(stepKey);
                s && s->outcomes.size() == met_.size()) {
                replay(*s);
                return;
            }
            metIds_.clear();
            for (const std::size_t i : met_)
                metIds_.push_back(notes_[i].id);
        }
        const std::uint64_t firstNew = nextId_;
        if (outline)
            face->polygon = *outline;
        takeAway(std::move(face), faceBox, facePrint, form);
        if (steps)
            memo_->storeStep(stepKey, record(firstNew));
    }

    // The new face's print and place, then each met face's, in list order.
    RebuildMemo::Key keyOfStep(const Face& face, const RebuildMemo::Key& facePrint) {
        words_.clear();
        words_.reserve(5 + 4 * met_.size());
        const auto put = [&](const RebuildMemo::Key& print, FacePlane plane, double offset) {
            words_.push_back(print.a);
            words_.push_back(print.b);
            words_.push_back(static_cast<std::uint64_t>(plane));
            words_.push_back(std::bit_cast<std::uint64_t>(offset));
        };
        put(facePrint, face.plane, face.offset);
        words_.push_back(met_.size());
        for (const std::size_t i : met_)
            put(print(i), notes_[i].plane, notes_[i].offset);
        return memo_->stepKey(words_);
    }

    // What the step just taken left, read off the list: the met faces still in it (older than
    // the step, so in the order they were met) and, at its end, the faces the step added.
    RebuildMemo::Step record(std::uint64_t firstNew) {
        using Outcome = RebuildMemo::StepOutcome;
        RebuildMemo::Step s;
        s.outcomes.assign(metIds_.size(), Outcome::Removed);
        s.clips.reserve(takeAways_.size());
        for (const TakeAway& t : takeAways_)
            s.clips.push_back(t.key);
        std::size_t k = 0;
        for (std::size_t i = 0; i < notes_.size(); ++i) {
            const std::uint64_t id = notes_[i].id;
            if (id >= firstNew) {
                s.added.push_back(kept(i, true));
                continue;
            }
            while (k < metIds_.size() && metIds_[k] < id)
                ++k;
            if (k == metIds_.size() || metIds_[k] != id)
                continue; // not met
            if (takeAways_[k].place == Placement::Apart) {
                s.outcomes[k] = Outcome::Kept;
            } else {
                s.outcomes[k] = Outcome::Reshaped;
                s.reshaped.push_back(kept(i, true));
            }
            ++k;
        }
        return s;
    }

    // The face as checkpoints and steps keep it, shared with its note while it stays as it is.
    // A fill out of date is not kept: it is made again from the outline. `printIt`: with its
    // print, so that whoever takes the face from a step knows it.
    std::shared_ptr<const RebuildMemo::KeptFace> kept(std::size_t i, bool printIt) {
        Note& n = notes_[i];
        Refs& r = refs(n);
        if (!r.copy) {
            const Box b = box(i);
            if (printIt)
                print(i);
            const Face& f = real(i);
            // Made in place: a Face has no move, so building it apart would copy it twice.
            auto k = std::make_shared<RebuildMemo::KeptFace>(
                RebuildMemo::KeptFace{Face(f.plane, f.offset),
                                      {b.minX, b.minY, b.maxX, b.maxY, 0.0, n.print},
                                      n.printed,
                                      static_cast<signed char>(outers(i))});
            k->face.polygon = f.polygon;
            if (!n.stale)
                k->face.triangles = f.triangles;
            r.copy = std::move(k);
        }
        return r.copy;
    }

    // Does a stored step again: the met faces as it left them, then the faces it added.
    void replay(const RebuildMemo::Step& s) {
        using Outcome = RebuildMemo::StepOutcome;
        drop_.clear();
        std::size_t r = 0;
        for (std::size_t k = 0; k < met_.size(); ++k) {
            const std::size_t i = met_[k];
            if (s.outcomes[k] == Outcome::Removed) {
                drop_.push_back(i);
            } else if (s.outcomes[k] == Outcome::Reshaped) {
                const auto& face = s.reshaped[r++];
                changed(i);
                know(i, face);
            }
        }
        dropAt(drop_);
        for (const auto& face : s.added) {
            append(std::make_unique<Face>(face->face.plane, face->face.offset));
            know(notes_.size() - 1, face);
        }
    }

    // The face at i is now the kept one's outline, copied only when it is read (most faces a
    // step reshapes are reshaped again, or kept as they are by checkpoints, before that).
    void know(std::size_t i, const std::shared_ptr<const RebuildMemo::KeptFace>& face) {
        Note& n = notes_[i];
        Refs& r = refs(n);
        r.source = face;
        n.box = boxOfSummary(face->summary);
        n.boxed = true;
        n.print = face->summary.print;
        n.printed = face->printed;
        n.outers = face->outers;
        if (!r.copy)
            r.copy = face;
    }

    void takeAway(std::unique_ptr<Face> face, const Box& faceBox, const RebuildMemo::Key& facePrint,
                  const FaceForm* form) {
        struct PlaneRef {
            FacePlane plane;
            double offset;
        };
        std::vector<PlaneRef> remerge;

        // What each face in reach loses: the memo answers what an earlier rebuild worked out,
        // the rest is worked out on both cores, every face on its own. Only then are the results
        // taken in list order, as one face after another would have them.
        takeAways_.clear();
        pending_.clear();
        for (const std::size_t i : met_) {
            takeAways_.push_back(lookUp(i, facePrint));
            if (!takeAways_.back().known) {
                real(i);
                pending_.push_back(takeAways_.size() - 1);
            }
        }
        // The new face in the engine's form, when not made already.
        std::optional<FaceForm> madeHere;
        if (!pending_.empty() && !form)
            form = &madeHere.emplace(face->polygon);
        // The largest faces first, so that the last job to end, which the batch waits for, is
        // a small one.
        if (pending_.size() > 2) {
            costs_.clear();
            for (const std::size_t k : pending_) {
                std::size_t points = 0;
                for (const auto& loop : model_.builtFaces[takeAways_[k].face]->polygon.loops)
                    points += loop->points.size();
                costs_.emplace_back(points, k);
            }
            std::sort(costs_.begin(), costs_.end(), std::greater<>());
            for (std::size_t j = 0; j < costs_.size(); ++j)
                pending_[j] = costs_[j].second;
        }
        ParallelJobs::shared().run(pending_.size(), [&](std::size_t k, int lane) {
            work(takeAways_[pending_[k]], *face, faceBox, form->runs, *form->measured, lane);
        });

        drop_.clear();
        for (TakeAway& t : takeAways_) {
            const std::size_t i = t.face;
            if (!t.known && memo_)
                store(t);
            if (t.place == Placement::Apart)
                continue;
            Face& b = *model_.builtFaces[i];
            changed(i);
            if (t.measured) {
                Note& n = notes_[i];
                n.box = boxOfSummary(t.summary);
                n.boxed = true;
                if (t.summarised) {
                    n.printed = true;
                    n.print = t.summary.print;
                }
            }
            if (isEmpty(i, t.measured ? &t.summary : nullptr)) {
                drop_.push_back(i);
                continue;
            }
            if (t.outers >= 0)
                notes_[i].outers = t.outers;
            if (outers(i) < 2 || onCoverPlane(b, face->plane, face->offset))
                continue;
            const bool planeNoted =
                std::any_of(remerge.begin(), remerge.end(),
                            [&](const PlaneRef& r) { return onCoverPlane(b, r.plane, r.offset); });
            if (!planeNoted)
                remerge.push_back({b.plane, b.offset});
        }
        dropAt(drop_);

        const FacePlane plane = face->plane;
        const double offset = face->offset;
        // The new face's box and print are known; its fill is not made yet.
        Note& n = notes_.emplace_back(plane, offset, issueId());
        n.box = faceBox;
        n.boxed = true;
        n.print = facePrint;
        n.printed = memo_ != nullptr;
        n.stale = shortcuts_;
        model_.builtFaces.push_back(std::move(face));
        if (shortcuts_) {
            mergeNear(plane, offset, faceBox);
            for (const PlaneRef& r : remerge)
                splitSeveredFaces(r.plane, r.offset);
        } else {
            mergePlane(model_, plane, offset);
            for (const PlaneRef& r : remerge)
                mergePlane(model_, r.plane, r.offset);
            // The merges remade the list: nothing known of its faces carries over.
            renote();
        }
    }

    // b = b - face, for one built face b in reach of the new face. A face clear of the new one
    // keeps its outline as it is (Apart); one inside it loses all (Within). The memo keeps the
    // placement with the result, so an earlier rebuild's answer spares both the test and the
    // engine. `summary` is b's new polygon's, when the memo has it or is given it.
    struct TakeAway {
        std::size_t face = 0;
        RebuildMemo::Key key;
        Placement place = Placement::Unknown;
        bool known = false;      // answered by the memo
        bool summarised = false; // `summary` holds
        bool measured = false;   // its box and area hold
        signed char outers = -1; // b's outer loops as outers() counts them, when counted
        RebuildMemo::Summary summary;
    };

    TakeAway lookUp(std::size_t bi, const RebuildMemo::Key& facePrint) {
        TakeAway t;
        t.face = bi;
        if (!memo_)
            return t;
        const unsigned salt = 1 + (shortcuts_ ? 2 : 0) + (engineShaped_ ? 4 : 0);
        t.key = memo_->clipKey(ClipOp::Difference, print(bi), facePrint, salt);
        int note = 0;
        const RebuildMemo::Summary* after = nullptr;
        const Polygon* found = memo_->findClip(t.key, &note, &after);
        if (!found)
            return t;
        Face& b = *model_.builtFaces[bi];
        t.known = true;
        t.place = static_cast<Placement>(note);
        if (t.place == Placement::Within) {
            b.polygon.clear();
            refs(notes_[bi]).source.reset();
        } else if (t.place == Placement::Unknown) {
            b.polygon = *found;
            refs(notes_[bi]).source.reset();
        }
        // Copied: later stores may move the memo's entries.
        if (after) {
            t.summary = *after;
            t.summarised = t.measured = true;
        }
        return t;
    }

    // Touches only b, the new face and the lane's own scratch: safe beside other such calls.
    void work(TakeAway& t, const Face& face, const Box& faceBox, const SegmentRuns& faceRuns,
              const MeasuredClip& faceClip, int lane) {
        Face& b = *model_.builtFaces[t.face];
        t.place = shortcuts_ && engineShaped_
                      ? placement(face.polygon, faceBox, b.polygon, notes_[t.face].box,
                                  segments_[lane], &faceRuns)
                      : Placement::Unknown;
        if (t.place == Placement::Encloses)
            t.place = Placement::Unknown; // b keeps its paper round a new hole
        if (t.place == Placement::Within)
            b.polygon.clear();
        else if (t.place == Placement::Unknown)
            memoisedClip(b.polygon, ClipOp::Difference, faceClip, nullptr, 0, engineShaped_);
        if (t.place == Placement::Unknown) {
            // Measured here, on both cores, for the emptiness test and the next face's scan;
            // with the memo also printed, since the next rebuild that finds this result needs
            // its box and print at once.
            t.summary = memo_ ? summarise(b.polygon) : measure(b.polygon);
            t.summarised = memo_ != nullptr;
            t.measured = true;
            t.outers = static_cast<signed char>(std::min(outerLoopCount(b.polygon), 2));
        }
    }

    void store(TakeAway& t) {
        if (t.place == Placement::Unknown)
            memo_->storeClip(t.key, model_.builtFaces[t.face]->polygon, static_cast<int>(t.place),
                             &t.summary);
        else
            memo_->storeClip(t.key, Polygon{}, static_cast<int>(t.place));
    }

    // The state so far, sharing the copies kept for faces unchanged since the last checkpoint.
    RebuildMemo::Checkpoint checkpoint() {
        RebuildMemo::Checkpoint c;
        c.faces.reserve(model_.builtFaces.size());
        c.stale.reserve(model_.builtFaces.size());
        for (std::size_t i = 0; i < model_.builtFaces.size(); ++i) {
            c.faces.push_back(kept(i, false));
            c.stale.push_back(notes_[i].stale ? 1 : 0);
        }
        return c;
    }

    // Starts from a checkpoint instead of from no faces.
    void resume(const RebuildMemo::Checkpoint& c) {
        releaseRefs();
        model_.builtFaces.clear();
        model_.builtFaces.reserve(c.faces.size());
        notes_.clear();
        notes_.reserve(c.faces.size());
        for (std::size_t i = 0; i < c.faces.size(); ++i) {
            const RebuildMemo::KeptFace& kept = *c.faces[i];
            Note n{kept.face.plane, kept.face.offset, issueId()};
            n.box = boxOfSummary(kept.summary);
            n.boxed = true;
            n.printed = kept.printed;
            n.print = kept.summary.print;
            n.outers = kept.outers;
            n.stale = c.stale[i] != 0;
            Refs& r = refs(n);
            r.copy = c.faces[i];
            // With the shortcuts, every read of a face's outline goes through the builder, which
            // copies it from the checkpoint when it is first read.
            if (shortcuts_ && engineShaped_) {
                r.source = c.faces[i];
                model_.builtFaces.push_back(
                    std::make_unique<Face>(kept.face.plane, kept.face.offset));
            } else {
                model_.builtFaces.push_back(std::make_unique<Face>(kept.face));
            }
            notes_.push_back(n);
        }
    }

    // Brings every fill left out of date up to date, each face on its own, on both cores.
    // Outlines still shared with kept faces are copied first, in the same jobs. With `late`, the
    // fills are left to the clean-up, which re-forms some faces and fills those anew anyway:
    // `late` is told which faces lack one and how to make it.
    void finish(LateFills* late = nullptr) {
        pending_.clear();
        for (std::size_t i = 0; i < model_.builtFaces.size(); ++i)
            if (notes_[i].stale || refs(notes_[i]).source)
                pending_.push_back(i);
        ParallelJobs::shared().run(pending_.size(), [&](std::size_t k, int) {
            const std::size_t i = pending_[k];
            Note& n = notes_[i];
            Face& f = real(i);
            if (n.stale && !late) {
                memoisedFill(f, memo_, n.printed ? &n.print : nullptr);
                n.stale = false;
            }
        });
        if (!late)
            return;
        late->missing.assign(notes_.size(), 0);
        for (std::size_t i = 0; i < notes_.size(); ++i)
            late->missing[i] = notes_[i].stale ? 1 : 0;
        // Until the clean-up changes the list, face i is still the one noted at i, and its
        // outline is still the one printed.
        late->fill = [this](std::size_t i, Face& f) {
            Note& n = notes_[i];
            memoisedFill(f, memo_, n.printed ? &n.print : nullptr);
            n.stale = false;
        };
    }

private:
    // What is known of the built face at the same place in the list: its plane (for scans that
    // need not visit the face), its box and print while its polygon stays as it was, and
    // whether its fill is out of date; its id finds its kept faces (Refs).
    // The notes sit side by side so that the scans over all built faces, made for every face
    // added, read one array instead of a face and a table entry each.
    struct Note {
        Note(FacePlane p, double o, std::uint64_t i) : plane(p), offset(o), id(i) {}
        // The small fields share the plane's eight bytes: notes are moved, and scanned, in bulk.
        FacePlane plane;
        signed char outers = -1; // outer loops, -1 until counted
        bool boxed = false;
        bool printed = false;
        bool stale = false;
        double offset;
        // Given in list order when a face joins the list, so ids rise along it.
        std::uint64_t id;
        Box box;
        RebuildMemo::Key print;
    };
    // A note's kept faces, apart from the note so that notes move as plain data when faces
    // leave the list: the copy a checkpoint holds of the face while it stays as copied, and
    // while set, the kept face whose outline (and fill, when up to date) the face's is, not yet
    // copied into it (read through polygonOf, or copied by real).
    struct Refs {
        std::shared_ptr<const RebuildMemo::KeptFace> copy;
        std::shared_ptr<const RebuildMemo::KeptFace> source;
    };

    // A new note's id, with room for its kept faces.
    std::uint64_t issueId() {
        refs_.emplace_back();
        return nextId_++;
    }
    Refs& refs(const Note& n) { return refs_[static_cast<std::size_t>(n.id - firstRef_)]; }
    const Refs& refs(const Note& n) const {
        return refs_[static_cast<std::size_t>(n.id - firstRef_)];
    }
    // Lets go of the kept faces of every note so far, as every note goes (the list is noted
    // anew): the notes to come start the table afresh.
    void releaseRefs() {
        refs_.clear();
        firstRef_ = nextId_;
    }

    Face& real(std::size_t i) {
        Note& n = notes_[i];
        Face& f = *model_.builtFaces[i];
        if (Refs& r = refs(n); r.source) {
            f.polygon = r.source->face.polygon;
            if (!n.stale)
                f.triangles = r.source->face.triangles;
            r.source.reset();
        }
        return f;
    }

    const Polygon& polygonOf(std::size_t i) const {
        const Refs& r = refs(notes_[i]);
        return r.source ? r.source->face.polygon : model_.builtFaces[i]->polygon;
    }

    // Notes for the faces in the list as it is, knowing nothing of them.
    void renote() {
        releaseRefs();
        notes_.clear();
        notes_.reserve(model_.builtFaces.size());
        for (const auto& f : model_.builtFaces)
            notes_.emplace_back(f->plane, f->offset, issueId());
    }

    const Box& box(std::size_t i) {
        Note& n = notes_[i];
        if (!n.boxed) {
            n.box = boxOf(polygonOf(i));
            n.boxed = true;
        }
        return n.box;
    }

    // The fingerprint of a face's polygon, made once for all the clips it takes part in.
    const RebuildMemo::Key& print(std::size_t i) {
        Note& n = notes_[i];
        if (!n.printed) {
            n.print = RebuildMemo::polygonPrint(polygonOf(i));
            n.printed = true;
        }
        return n.print;
    }

    int outers(std::size_t i) {
        Note& n = notes_[i];
        if (n.outers < 0)
            n.outers = static_cast<signed char>(std::min(outerLoopCount(polygonOf(i)), 2));
        return n.outers;
    }

    // The polygon of a face has changed: its box is stale, and so is its fill.
    void changed(std::size_t i) {
        Note& n = notes_[i];
        n.boxed = n.printed = false;
        n.outers = -1;
        if (!memo_ || memo_->fault() != RebuildMemo::Fault::CheckpointKeepsOldCopies)
            refs(n).copy.reset();
        if (shortcuts_)
            n.stale = true;
        else
            model_.builtFaces[i]->triangulate();
    }

    // Whether f's fill is (or would be) empty. Without the shortcuts the fill is current. With
    // them, a polygon with no loops fills nothing and one enclosing some area fills something;
    // only slivers in between need the fill itself.
    // `known`, when given, holds f's area.
    bool isEmpty(std::size_t i, const RebuildMemo::Summary* known) {
        Face& f = real(i);
        Note& n = notes_[i];
        if (!shortcuts_ || !n.stale)
            return f.triangles.empty();
        if (f.polygon.loops.empty())
            return true;
        if ((known ? known->area : regionArea(f.polygon)) > 1e-9)
            return false;
        memoisedFill(f, memo_);
        n.stale = false;
        refs(n).copy.reset();
        return f.triangles.empty();
    }

    // Drops the faces (and their notes) at the places given in ascending order, keeping the
    // order of the rest; the faces before the first place stay where they are.
    void dropAt(const std::vector<std::size_t>& at) {
        if (at.empty())
            return;
        for (const std::size_t i : at)
            refs(notes_[i]) = Refs{};
        // Each stretch between two dropped places moves down as one.
        auto& faces = model_.builtFaces;
        std::size_t kept = at.front();
        for (std::size_t a = 0; a < at.size(); ++a) {
            const std::size_t from = at[a] + 1;
            const std::size_t to = a + 1 < at.size() ? at[a + 1] : faces.size();
            if (to <= from)
                continue;
            const auto f = static_cast<std::ptrdiff_t>(from);
            const auto t = static_cast<std::ptrdiff_t>(to);
            const auto k = static_cast<std::ptrdiff_t>(kept);
            std::move(faces.begin() + f, faces.begin() + t, faces.begin() + k);
            std::move(notes_.begin() + f, notes_.begin() + t, notes_.begin() + k);
            kept += to - from;
        }
        model_.builtFaces.resize(kept);
        notes_.erase(notes_.begin() + static_cast<std::ptrdiff_t>(kept), notes_.end());
    }

    // `outers`: the face's outer loops when known (at most 2), else -1.
    void append(std::unique_ptr<Face> f, signed char outers = -1) {
        Note n{f->plane, f->offset, issueId()};
        n.stale = true;
        n.outers = outers;
        notes_.push_back(n);
        model_.builtFaces.push_back(std::move(f));
    }

    // Unites the new face (last in the list) with the faces of its plane that may touch it.
    // `near` is the new face's box.
    void mergeNear(FacePlane plane, double offset, const Box& near) {
        const std::size_t newest = model_.builtFaces.size() - 1;
        united_.clear();
        for (std::size_t i = 0; i <= newest; ++i) {
            if (notes_[i].plane != plane || notes_[i].offset != offset)
                continue;
            // Far faces are separate pieces already, unless a cut left one in several.
            if (i != newest && !near.meets(box(i)) && outers(i) < 2)
                continue;
            united_.push_back(i);
        }
        if (engineShaped_ && united_.size() == 1 && outers(newest) == 1)
            return; // alone and in one piece: taking it out and putting it back changes nothing
        auto merged = std::make_unique<Face>(plane, offset);
        Box mergedBox;
        bool sideBySide = false; // loops put side by side since the last union
        for (const std::size_t i : united_) {
            const Box& b = box(i);
            if (engineShaped_ && merged->polygon.loops.empty()) {
                // Uniting with nothing gives the face back; the face goes with the others.
                merged->polygon = std::move(real(i).polygon);
            } else if (engineShaped_ && shortcuts_ && sideBySide_ &&
                       placement(merged->polygon, mergedBox, polygonOf(i), b, segments_[0]) ==
                           Placement::Apart) {
                // The engine gives two faces that lie apart back as they are, side by side.
                for (const auto& loop : polygonOf(i).loops)
                    merged->polygon.addLoop(std::make_unique<Loop>(*loop));
                sideBySide = true;
            } else {
                memoisedClip(merged->polygon, ClipOp::Union, polygonOf(i), memo_, 0, engineShaped_);
                sideBySide = false;
            }
            // The union's extreme points are its operands': its box is theirs together.
            mergedBox = {std::min(mergedBox.minX, b.minX), std::min(mergedBox.minY, b.minY),
                         std::max(mergedBox.maxX, b.maxX), std::max(mergedBox.maxY, b.maxY)};
        }
        if (sideBySide)
            inEngineOrder(merged->polygon);
        dropAt(united_);
        place(std::move(merged));
    }

    // Puts the loops of engine-made polygons, each starting at its lowest vertex, in the order
    // the engine gives them: by that vertex, lowest first, leftmost among equals.
    static void inEngineOrder(Polygon& p) {
        std::stable_sort(p.loops.begin(), p.loops.end(), [](const auto& a, const auto& b) {
            const Point2& pa = a->points.front();
            const Point2& pb = b->points.front();
            return pa.y < pb.y || (pa.y == pb.y && pa.x < pb.x);
        });
    }

    // Splits the faces of one plane that a new face has cut into several pieces.
    void splitSeveredFaces(FacePlane plane, double offset) {
        std::vector<std::unique_ptr<Face>> taken;
        drop_.clear();
        for (std::size_t i = 0; i < model_.builtFaces.size(); ++i) {
            if (notes_[i].plane != plane || notes_[i].offset != offset || outers(i) < 2)
                continue;
            real(i);
            taken.push_back(std::move(model_.builtFaces[i]));
            drop_.push_back(i);
        }
        dropAt(drop_);
        for (auto& f : taken) {
            auto merged = std::make_unique<Face>(plane, offset);
            merged->polygon = std::move(f->polygon);
            place(std::move(merged));
        }
    }

    // Appends a merged face whole, or one face per outer outline.
    void place(std::unique_ptr<Face> merged) {
        const int outers = outerLoopCount(merged->polygon);
        if (outers == 1) {
            append(std::move(merged), 1);
            return;
        }
        std::vector<const Loop*> holes;
        std::vector<Box> holeBoxes;
        for (const auto& loop : merged->polygon.loops)
            if (loop->isHole) {
                holes.push_back(loop.get());
                holeBoxes.push_back(boxOf(*loop));
            }
        for (const auto& loop : merged->polygon.loops) {
            if (loop->isHole)
                continue;
            auto part = std::make_unique<Face>(merged->plane, merged->offset);
            part->polygon.addLoop(std::make_unique<Loop>(*loop));
            const Box partBox = boxOf(*loop);
            for (std::size_t h = 0; h < holes.size(); ++h) {
                if (!partBox.meets(holeBoxes[h]))
                    continue; // a hole beyond the outline takes nothing from it
                cutHole(part->polygon, partBox, *holes[h], holeBoxes[h]);
            }
            append(std::move(part));
        }
    }

    // part = part - hole, for a hole of the polygon the part's outline came from.
    void cutHole(Polygon& part, const Box& partBox, const Loop& holeLoop, const Box& holeBox) {
        Polygon hole;
        hole.addLoop(std::make_unique<Loop>(holeLoop));
        // Both are the engine's output, which it gives back as they are: a hole clear of the
        // part takes nothing, and one inside it comes after the part's loops.
        const Placement p = shortcuts_ && engineShaped_
                                ? placement(hole, holeBox, part, partBox, segments_[0])
                                : Placement::Unknown;
        if (p == Placement::Apart || p == Placement::Within)
            return; // clear of the part, or round it (an island keeps its paper)
        if (p == Placement::Encloses) {
            part.addLoop(std::move(hole.loops.front()));
            return;
        }
        Polygon rest = part;
        memoisedClip(rest, ClipOp::Difference, hole, memo_);
        if (!rest.loops.empty()) // an island inside the hole keeps its paper
            part = std::move(rest);
    }

    static Box boxOfSummary(const RebuildMemo::Summary& s) {
        return Box{s.minX, s.minY, s.maxX, s.maxY};
    }

    CardModel& model_;
    bool shortcuts_;
    bool sideBySide_;
    bool engineShaped_;
    RebuildMemo* memo_;
    std::vector<Note> notes_; // one for each built face, in the same order
    std::vector<Refs> refs_;  // by note id, from firstRef_
    std::uint64_t firstRef_ = 0;
    PlacementScratch segments_[2]; // scratch for the apartness test, one per lane
    std::vector<TakeAway> takeAways_;
    std::vector<std::size_t> pending_;
    std::vector<std::pair<std::size_t, std::size_t>> costs_; // scratch: points, take-away
    std::vector<std::size_t> met_;      // the faces the new face's box meets, in list order
    std::vector<std::uint64_t> metIds_; // and their ids
    std::vector<std::uint64_t> words_;  // scratch for a step's key
    std::vector<std::size_t> united_;   // scratch: the faces a merge unites
    std::vector<std::size_t> drop_;     // scratch: places of faces to drop
    std::uint64_t nextId_ = 0;
};

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
    // The faces of the rebuild before are freed in the first batch of jobs below.
    FaceList discard = std::move(model.builtFaces);
    model.builtFaces.clear();
    RebuildMemo* memo = nullptr;
    if (options.reuseEarlierResults) {
        if (!model.rebuildMemo)
            model.rebuildMemo = std::make_shared<RebuildMemo>();
        memo = model.rebuildMemo.get();
    }
    const Polygon sheet = sheetRect(model);
    // Every face below comes out of the engine, starting with its cut to the sheet.
    Builder builder(model, options, true, memo);
    // With the memo, the builder's state is kept every few user faces under a key of all the
    // faces before; the rebuild starts from the latest one whose faces are still the same, so
    // an edit costs only the faces from the checkpoint before the first changed one.
    std::size_t from = 0;
    const std::size_t count = model.userFaces.size();
    // Where checkpoints go: every `spacing` faces and after the last, so that a rebuild of an
    // unchanged design (an undo back to it, say) starts from the end.
    std::vector<std::size_t> stops;
    std::vector<RebuildMemo::Key> stopKeys;
    std::vector<RebuildMemo::Key> prints;
    if (memo) {
        prints = outlinePrints(model, discard);
        const auto spacing = static_cast<std::size_t>(memo->checkpointSpacing());
        RebuildMemo::Key key = RebuildMemo::prefixStart(model.cardWidth, model.cardHeight,
                                                        options.skipDisjointBoxes ? 1 : 0);
        const RebuildMemo::Checkpoint* latest = nullptr;
        for (std::size_t i = 0;; ++i) {
            if (i > 0 && (i % spacing == 0 || i == count)) {
                stops.push_back(i);
                stopKeys.push_back(key);
                // Every matching checkpoint is looked up, so that all are kept for the next
                // rebuilds, not only the one resumed from.
                if (const RebuildMemo::Checkpoint* c = memo->findCheckpoint(key)) {
                    latest = c;
                    from = i;
                }
            }
            if (i == count)
                break;
            key = memo->prefixStep(key, *model.userFaces[i], prints[i]);
        }
        if (latest) {
            builder.resume(*latest);
            memo->noteResumed(from);
        }
    }
    std::size_t nextStop = 0;
    while (nextStop < stops.size() && stops[nextStop] <= from)
        ++nextStop;
    std::vector<std::size_t> missing;
    std::vector<SheetCut> cuts = sheetCutsKnown(model, from, sheet, memo, prints, missing);
    SpareCuts spare(model, from, sheet, memo, cuts, std::move(missing), discard);
    for (std::size_t i = from; i < count; ++i) {
        const auto& userFace = *model.userFaces[i];
        // The emptiness test is on the user face's own fill, as copied: a face wholly outside
        // the sheet still passes here and drops out when its plane is merged.
        if (!userFace.triangles.empty()) {
            // The copy's fill would be replaced when its plane is merged, so only the outline
            // is copied.
            auto copy = std::make_unique<Face>(userFace.plane, userFace.offset);
            SheetCut& cut = spare.take(i - from);
            if (!cut.stored)
                copy->polygon = std::move(cut.outline);
            builder.add(std::move(copy), cut.summarised ? &cut.summary : nullptr, cut.stored,
                        cut.form.get());
        }
        if (nextStop < stops.size() && stops[nextStop] == i + 1) {
            memo->storeCheckpoint(stopKeys[nextStop], builder.checkpoint());
            ++nextStop;
        }
    }
    LateFills late;
    builder.finish(&late);
    // The clean-up works on the whole result; the memo answers only its engine calls (pure
    // functions of their inputs), so its decisions are those of a clean-up without it.
    cleanBuiltFaces(model, memo, &late, options.setApartFacesSideBySide);
    if (memo)
        memo->endRebuild();
}

void addFaceToBuilt(CardModel& model, std::unique_ptr<Face> face) {
    addFaceToBuilt(model, std::move(face), RebuildOptions{});
}

void addFaceToBuilt(CardModel& model, std::unique_ptr<Face> face, const RebuildOptions& options) {
    Builder builder(model, options, false);
    builder.add(std::move(face));
    builder.finish();
}

void mergePlane(CardModel& model, FacePlane plane, double offset) {
    auto merged = std::make_unique<Face>(plane, offset);
    std::vector<Face*> noted;
    for (auto& built : model.builtFaces) {
        if (built->plane != plane || built->offset != offset)
            continue;
        memoisedClip(merged->polygon, ClipOp::Union, built->polygon, nullptr);
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
