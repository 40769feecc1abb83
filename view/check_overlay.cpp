// Colours, list lines and the re-run rule of the design check in the view.
#include "view/check_overlay.h"

#include <algorithm>
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

namespace {

bool holdsPoint(const SheetPiece& piece, const Point2& q) {
    bool inside = false;
    for (const std::vector<Point2>& p : piece.loops) {
        if (p.size() < 3)
            continue;
        for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++)
            if ((p[i].y > q.y) != (p[j].y > q.y) &&
                q.x < (p[j].x - p[i].x) * (q.y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
                inside = !inside;
    }
    return inside;
}

} // namespace

bool checkIsCurrent(const CardModel& model, const CheckResult& result) {
    const std::size_t n = model.builtFaces.size();
    if (result.pieces.size() != n)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (result.pieces[i].face != model.builtFaces[i].get())
            return false;
    return true;
}

std::vector<SheetPiece> sheetPieces(const CardModel& model, const CheckResult& result) {
    if (!checkIsCurrent(model, result))
        return {};
    const std::size_t n = model.builtFaces.size();
    std::vector<SheetPiece> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const PieceCheck& check = result.pieces[i];
        out[i].frame = check.frame;
        out[i].leading = leadingFinding(check);
        out[i].area = check.area;
        for (const auto& loop : model.builtFaces[i]->polygon.loops)
            out[i].loops.push_back(loop->points);
    }
    return out;
}

long pieceAt(const std::vector<SheetPiece>& pieces, const Point2& p) {
    long best = -1;
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (holdsPoint(pieces[i], p) &&
            (best < 0 || pieces[i].area < pieces[std::size_t(best)].area))
            best = long(i);
    return best;
}

SheetFit fitSheet(int cardWidth, int cardHeight, int width, int height, int margin) {
    SheetFit fit;
    const double w = width - 2.0 * margin, h = height - 2.0 * margin;
    if (cardWidth <= 0 || cardHeight <= 0 || w <= 0 || h <= 0)
        return fit;
    fit.scale = std::min(w / cardWidth, h / (2.0 * cardHeight));
    const double left = margin + (w - cardWidth * fit.scale) / 2;
    const double top = margin + (h - 2.0 * cardHeight * fit.scale) / 2;
    const int halfWidth = cardWidth / 2; // the pattern drawing's integer half
    fit.originX = left + halfWidth * fit.scale;
    fit.originY = top + cardHeight * fit.scale;
    return fit;
}

namespace {

struct Digest {
    std::uint64_t h = 14695981039346656037ull;
    // Eight bytes a step (it runs before every frame over every point): each step is a
    // bijection of the running value, so changing any one word always changes the digest.
    void bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, b + i, 8);
            h = (h ^ word) * 1099511628211ull;
            h ^= h >> 29;
        }
        for (; i < n; ++i)
            h = (h ^ b[i]) * 1099511628211ull;
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
        d.value(reinterpret_cast<std::uintptr_t>(face.get())); // the result points at them
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
