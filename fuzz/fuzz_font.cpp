// Feeds arbitrary bytes to the font loading path: FreeType opens them as a face, a few glyphs
// are decomposed into records, sampled into contours and sorted into outlines and holes.
#include "text/font_face.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    plicato::CollectingMessageSink sink;
    auto font =
        plicato::FontFace::openData(std::vector<unsigned char>(data, data + size), 0, 40, sink);
    if (!font)
        return 0;
    for (char32_t code : {U'O', U'a', U'8', U' ', U'\u56DE', char32_t(0)}) {
        plicato::GlyphOutline glyph;
        if (!font->glyph(code, glyph))
            continue;
        const auto contours = plicato::contourFromOutline(glyph, 0.0, 1.0);
        const auto holes = plicato::classifyHoles(contours);
        const auto depths = plicato::nestingDepths(contours);
        if (holes.size() != contours.size() || depths.size() != contours.size())
            __builtin_trap();
        for (const auto& c : contours)
            for (const auto& p : c)
                if (!std::isfinite(p.x) || !std::isfinite(p.y))
                    __builtin_trap();
    }
    return 0;
}
