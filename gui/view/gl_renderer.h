// The thin fixed-function renderer: draws a scene list with the matrices it carries. It needs a
// current compatibility-profile context and holds the underlay textures between frames.
#pragma once

#include "view/scene.h"

#include <cstdint>
#include <vector>

namespace plicato {

class GlRenderer {
public:
    // The one-time drawing state; call once with the context current.
    void initialize();
    // Draws the frame into the current framebuffer of `width` x `height` device pixels.
    void draw(const Scene& scene, int width, int height);
    // Forgets the textures (their context is going away).
    void release();

private:
    struct TextureSlot {
        unsigned name = 0;
        std::uint64_t version = 0; // of the picture last uploaded; pictures start at 1
    };
    bool bindPicture(TextureSlot& slot, const Picture* picture);
    void drawItem(const DrawItem& item, bool textured);

    TextureSlot front_;
    TextureSlot top_;
    bool initialized_ = false;
    bool smoothLines_ = false;
    std::vector<float> floats_; // vertex positions of the item being drawn
};

} // namespace plicato
