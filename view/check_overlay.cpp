// Colours, list lines and the re-run rule of the design check in the view.
#include "view/check_overlay.h"

#include "view/number_text.h"

#include <cmath>
#include <cstring>

namespace plicato {

Rgba findingColor(int leading) {
    switch (leading) {
    case int(FindingKind::FallsOut):
        return {0.55f, 0.1f, 0.15f, 1.0f}; // dark, unlike the red of a selected face
    case int(FindingKind::Flap):
        return {1.0f, 0.7f, 0.1f, 1.0f};
    case int(FindingKind::SticksOut):
        return {0.8f, 0.25f, 0.9f, 1.0f};
    case int(FindingKind::TooThin):
        return {0.1f, 0.55f, 1.0f, 1.0f};
    default:
        return {0.55f, 0.85f, 0.5f, 1.0f};
    }
}

const char* findingName(FindingKind kind) {
    switch (kind) {
    case FindingKind::FallsOut:
        return "抜け落ちる";
    case FindingKind::Flap:
        return "フラップ（蝶番で動く）";
    case FindingKind::SticksOut:
        return "閉じたカードからはみ出す";
    case FindingKind::TooThin:
        return "細すぎる";
    }
    return "";
}

namespace {

// Tenths of a millimetre, what a ruler shows; whole numbers without a fraction.
std::string millimetres(double v) {
    const double r = std::round(v * 10.0) / 10.0;
    return formatDecimal(r == 0.0 ? 0.0 : r);
}

std::string pieceText(const PieceCheck& p) {
    if (!p.face)
        return {};
    return std::string(p.face->plane == FacePlane::Vertical ? "垂直面" : "水平面") + " " +
           millimetres(p.face->offset) + " mm";
}

} // namespace

std::string findingLine(const CheckResult& result, const Finding& finding) {
    std::string line = findingName(finding.kind);
    line += "  " + pieceText(result.pieces.at(finding.piece));
    if (finding.kind == FindingKind::SticksOut)
        line += "  " + millimetres(finding.amount) + " mm はみ出し";
    else if (finding.kind == FindingKind::TooThin)
        line += "  幅 " + millimetres(finding.amount) + " mm";
    return line;
}

std::string doubtLine(const Doubt& doubt) {
    switch (doubt.kind) {
    case DoubtKind::Linkage:
        return "確定できません: " + std::to_string(doubt.pieces.size()) +
               " 個の部品が平行な折り線でつながり、動く可能性があります (自由度 " +
               millimetres(doubt.value) + ")";
    case DoubtKind::FlapBeyond:
        return "確定できません: フラップが閉じたカードから " + millimetres(doubt.value) +
               " mm 出る位置に描かれています";
    case DoubtKind::ShortHold:
        return "確定できません: 折り線が " + millimetres(doubt.value) + " mm しかありません";
    }
    return {};
}

namespace {

struct Digest {
    std::uint64_t h = 14695981039346656037ull;
    void bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; ++i) {
            h ^= b[i];
            h *= 1099511628211ull;
        }
    }
    template <class T> void value(const T& v) {
        unsigned char buffer[sizeof(T)];
        std::memcpy(buffer, &v, sizeof(T));
        bytes(buffer, sizeof(T));
    }
};

} // namespace

std::uint64_t checkInputKey(const CardModel& model, const CheckOptions& options) {
    Digest d;
    d.value(model.cardWidth);
    d.value(model.cardHeight);
    d.value(options.minPaperWidth);
    d.value(model.builtFaces.size());
    for (const auto& face : model.builtFaces) {
        d.value(face.get()); // the result points at the faces
        d.value(int(face->plane));
        d.value(face->offset);
        d.value(face->polygon.loops.size());
        for (const auto& loop : face->polygon.loops) {
            d.value(loop->isHole);
            d.value(loop->points.size());
            d.bytes(loop->points.data(), loop->points.size() * sizeof(Point2));
        }
    }
    return d.h;
}

const CheckResult& DesignCheckRunner::update(CardModel& model, const CheckOptions& options) {
    const std::uint64_t key = checkInputKey(model, options);
    if (!valid_ || key != key_) {
        result_ = buildAndCheckDesign(model, options);
        key_ = key;
        valid_ = true;
        ++runs_;
    }
    return result_;
}

} // namespace plicato
