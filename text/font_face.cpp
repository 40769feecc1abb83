// FreeType behind FontFace: unhinted outlines at the requested em height, decomposed into
// contour and curve records.
#include "text/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <fstream>

namespace plicato {

namespace {

// Glyphs with more outline points than this are not real lettering; their sampling and hole
// test would run for minutes, so they are treated as unloadable.
constexpr int maxGlyphPoints = 20000;

const char* const fontUnreadable = "フォントファイルを読み込めません。\n";

Point2 toPoint(const FT_Vector* v) {
    return {double(v->x) / 64.0, double(v->y) / 64.0};
}

// Ends the open contour: FreeType closes every contour explicitly, the records imply it.
void finishContour(GlyphOutline& g) {
    if (g.contours.empty())
        return;
    OutlineContour& c = g.contours.back();
    if (c.records.empty() || c.records.back().type != CurveType::Line)
        return;
    std::vector<Point2>& pts = c.records.back().points;
    if (!pts.empty() && pts.back() == c.start)
        pts.pop_back();
    if (pts.empty())
        c.records.pop_back();
}

OutlineContour* current(void* user) {
    auto* g = static_cast<GlyphOutline*>(user);
    return g->contours.empty() ? nullptr : &g->contours.back();
}

int moveTo(const FT_Vector* to, void* user) {
    auto* g = static_cast<GlyphOutline*>(user);
    finishContour(*g);
    g->contours.push_back({toPoint(to), {}});
    return 0;
}

int lineTo(const FT_Vector* to, void* user) {
    OutlineContour* c = current(user);
    if (!c)
        return 1;
    // Consecutive straight pieces form one polyline record.
    if (c->records.empty() || c->records.back().type != CurveType::Line)
        c->records.push_back({CurveType::Line, {}});
    c->records.back().points.push_back(toPoint(to));
    return 0;
}

int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    OutlineContour* c = current(user);
    if (!c)
        return 1;
    c->records.push_back({CurveType::QuadraticSpline, {toPoint(control), toPoint(to)}});
    return 0;
}

int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    OutlineContour* c = current(user);
    if (!c)
        return 1;
    c->records.push_back({CurveType::CubicSpline, {toPoint(c1), toPoint(c2), toPoint(to)}});
    return 0;
}

} // namespace

struct FontFace::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::vector<unsigned char> bytes; // FreeType reads memory faces in place

    ~Impl() {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

FontFace::~FontFace() = default;

std::unique_ptr<FontFace> FontFace::open(const std::string& path, int index, int emPixels,
                                         MessageSink& sink) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        sink.show(fontUnreadable + path);
        return nullptr;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff length = in.tellg();
    in.seekg(0, std::ios::beg);
    // Font files beyond 256 MB are not fonts we can use; refusing them bounds the allocation.
    if (length < 0 || length > (std::streamoff(256) << 20)) {
        sink.show(fontUnreadable + path);
        return nullptr;
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(length));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), length)) {
        sink.show(fontUnreadable + path);
        return nullptr;
    }
    CollectingMessageSink inner;
    auto face = openData(std::move(bytes), index, emPixels, inner);
    if (!face)
        sink.show(fontUnreadable + path);
    return face;
}

std::unique_ptr<FontFace> FontFace::openData(std::vector<unsigned char> bytes, int index,
                                             int emPixels, MessageSink& sink) {
    std::unique_ptr<FontFace> font(new FontFace());
    font->impl_ = std::make_unique<Impl>();
    Impl& d = *font->impl_;
    d.bytes = std::move(bytes);
    if (emPixels < 1 || index < 0 || d.bytes.empty() || FT_Init_FreeType(&d.library) != 0 ||
        FT_New_Memory_Face(d.library, d.bytes.data(), FT_Long(d.bytes.size()), index, &d.face) !=
            0 ||
        !FT_IS_SCALABLE(d.face) || FT_Set_Pixel_Sizes(d.face, 0, FT_UInt(emPixels)) != 0) {
        sink.show(fontUnreadable);
        return nullptr;
    }
    return font;
}

bool FontFace::glyph(char32_t code, GlyphOutline& out) const {
    out = {};
    FT_Face face = impl_->face;
    const FT_UInt index = FT_Get_Char_Index(face, FT_ULong(code));
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE && slot->outline.n_points > maxGlyphPoints)
        return false;
    // The cell advance is whole pixels.
    out.advance = std::round(double(slot->advance.x) / 64.0);
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE || slot->outline.n_contours <= 0)
        return true;
    FT_Outline_Funcs funcs{};
    funcs.move_to = moveTo;
    funcs.line_to = lineTo;
    funcs.conic_to = conicTo;
    funcs.cubic_to = cubicTo;
    funcs.shift = 0;
    funcs.delta = 0;
    if (FT_Outline_Decompose(&slot->outline, &funcs, &out) != 0) {
        out.contours.clear(); // a broken outline gives no faces, the advance stays
        return true;
    }
    finishContour(out);
    return true;
}

int emPixelsFor(int size, int dotsPerInch) {
    return int(std::trunc(double(size) * dotsPerInch * 10.0 / 720.0));
}

std::u32string decodeUtf8(const std::string& text) {
    std::u32string out;
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = s[i];
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            cp = b & 0x07;
        } else {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        bool ok = i + std::size_t(extra) < n;
        for (int k = 1; ok && k <= extra; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        static constexpr char32_t minimum[4] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        out.push_back(cp);
        i += std::size_t(extra) + 1;
    }
    return out;
}

} // namespace plicato
