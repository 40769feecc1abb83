// FNV-1a over the saved content of a design.
#include "model_file/design_fingerprint.h"

#include <cstring>
#include <string>

namespace plicato {

namespace {

class Digest {
public:
    void bytes(const void* data, std::size_t n) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < n; ++i) {
            hash ^= p[i];
            hash *= 1099511628211ull;
        }
    }
    void integer(std::int64_t v) { bytes(&v, sizeof v); }
    void real(double v) {
        if (v == 0.0)
            v = 0.0; // -0 and +0 save alike
        bytes(&v, sizeof v);
    }
    void text(const std::string& s) {
        integer(static_cast<std::int64_t>(s.size()));
        bytes(s.data(), s.size());
    }
    std::uint64_t hash = 14695981039346656037ull;
};

void addUnderlay(Digest& d, const UnderlayImage& u) {
    d.integer(u.isPresent() ? 1 : 0);
    d.text(u.path);
    d.real(u.centerX);
    d.real(u.bottom);
    d.real(u.width);
    d.real(u.height);
}

} // namespace

std::uint64_t designFingerprint(const CardModel& model) {
    Digest d;
    d.integer(model.cardWidth);
    d.integer(model.cardHeight);
    d.real(model.initGridSize);
    addUnderlay(d, model.frontImage);
    addUnderlay(d, model.topImage);
    d.integer(static_cast<std::int64_t>(model.userFaces.size()));
    for (const auto& face : model.userFaces) {
        d.integer(static_cast<int>(face->plane));
        d.real(face->offset);
        d.integer(face->isBase ? 1 : 0);
        d.integer(static_cast<std::int64_t>(face->polygon.loops.size()));
        for (const auto& loop : face->polygon.loops) {
            d.integer(loop->isHole ? 1 : 0);
            d.integer(static_cast<std::int64_t>(loop->points.size()));
            for (const Point2& p : loop->points) {
                d.real(p.x);
                d.real(p.y);
            }
        }
    }
    return d.hash;
}

} // namespace plicato
