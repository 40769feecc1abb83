// One TrueType font opened with FreeType at an em height in pixels, handing out glyph outlines
// as contour and curve records.
#pragma once

#include "model/message_sink.h"
#include "text/text_shapes.h"

#include <memory>
#include <string>
#include <vector>

namespace plicato {

class FontFace : public GlyphSource {
public:
    ~FontFace() override;
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Opens face `index` of the file at `emPixels`; on failure shows why and returns nullptr.
    static std::unique_ptr<FontFace> open(const std::string& path, int index, int emPixels,
                                          MessageSink& sink);
    // The same on the file's bytes (kept by the face).
    static std::unique_ptr<FontFace> openData(std::vector<unsigned char> bytes, int index,
                                              int emPixels, MessageSink& sink);

    // The outline and advance of the character `code` (a Unicode scalar). A character the font
    // lacks or that has no outline (a space) gives no contours; false only when FreeType
    // cannot load the glyph at all, and then the advance is 0.
    bool glyph(char32_t code, GlyphOutline& out) const override;

private:
    FontFace() = default;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The em height in device pixels of a character size in millimetres, read as points at the
// screen's logical resolution (dots per inch).
int emPixelsFor(int size, int dotsPerInch);

// Decodes UTF-8 into Unicode scalars; a malformed byte becomes U+FFFD and decoding goes on.
std::u32string decodeUtf8(const std::string& text);

} // namespace plicato
