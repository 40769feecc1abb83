// The thin fixed-function renderer: draws a scene list with the matrices it carries. It needs a
// current compatibility-profile context and holds the underlay textures and the vertex buffer of
// the last scene between frames.
#pragma once

#include "view/scene.h"

#include <QOpenGLBuffer>

#include <cstdint>
#include <vector>

namespace plicato {

class GlRenderer {
public:
    // The one-time drawing state; call once with the context current.
    void initialize();
    // Draws the frame into the current framebuffer of `width` x `height` device pixels.
    void draw(const Scene& scene, int width, int height);
    // Draws a selection rectangle over the frame, in window pixels from the top left (x, y, w,
    // h), filled with `fill` (its alpha blends) and framed with `edge`.
    void drawRubberBand(double x, double y, double w, double h, int width, int height,
                        const Rgba& fill, const Rgba& edge);
    // Forgets the textures and the vertex buffer (their context is going away).
    void release();
    // How many times the vertex positions were handed to the GL (for tests and measuring): once
    // per new geometryVersion, every frame for a scene without one.
    long uploadCount() const { return uploads_; }

private:
    struct TextureSlot {
        unsigned name = 0;
        std::uint64_t version = 0; // of the picture last uploaded; pictures start at 1
    };
    bool bindPicture(TextureSlot& slot, const Picture* picture);
    void upload(const Scene& scene);
    void drawItem(const DrawItem& item, int first, bool textured);

    TextureSlot front_;
    TextureSlot top_;
    bool initialized_ = false;
    bool smoothLines_ = false;
    // The positions of all items, in single precision (what the pipeline works in), one run per
    // item starting at firsts_[i]; they stay on the GL side while the geometry version holds.
    QOpenGLBuffer vertices_{QOpenGLBuffer::VertexBuffer};
    std::vector<int> firsts_;
    std::uint64_t uploaded_ = 0; // geometryVersion of the buffer's contents, 0 for none
    long uploads_ = 0;
};

} // namespace plicato
