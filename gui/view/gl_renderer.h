// The thin fixed-function renderer: draws a scene list with the matrices it carries. It needs a
// current compatibility-profile context and holds the underlay textures, the vertex buffers and
// the kept picture of a face drag's still layer between frames.
#pragma once

#include "view/scene.h"

#include <QOpenGLBuffer>

#include <cstdint>
#include <vector>

class QOpenGLExtraFunctions;

namespace plicato {

class GlRenderer {
public:
    GlRenderer();
    ~GlRenderer();
    // The one-time drawing state; call once with the context current.
    void initialize();
    // Draws the frame into the current framebuffer of `width` x `height` device pixels.
    void draw(const Scene& scene, int width, int height);
    // Draws `still` and then `moving` over it, as one scene whose moving items come last. The
    // still layer is kept as a picture with its depths and copied in while its geometry version,
    // matrices and size hold; `moving` is taken afresh each time.
    void drawLayered(const Scene& still, const Scene& moving, int width, int height);
    // Draws a selection rectangle over the frame, in window pixels from the top left (x, y, w,
    // h), filled with `fill` (its alpha blends) and framed with `edge`.
    void drawRubberBand(double x, double y, double w, double h, int width, int height,
                        const Rgba& fill, const Rgba& edge);
    // Frees the pictures drawLayered keeps (with the context current).
    void releaseLayers();
    // Forgets the textures and the vertex buffer (their context is going away).
    void release();
    // How many times the vertex positions were handed to the GL (for tests and measuring): once
    // per new geometryVersion, every frame for a scene without one.
    long uploadCount() const { return uploads_; }
    // How many times the still layer was drawn into its picture (for tests).
    long stillDrawCount() const { return stillDraws_; }

private:
    struct TextureSlot {
        unsigned name = 0;
        std::uint64_t version = 0; // of the picture last uploaded; pictures start at 1
    };
    // The positions of all items of a scene, in single precision (what the pipeline works in),
    // one run per item starting at firsts[i]; they stay on the GL side while the geometry
    // version holds.
    struct Geometry {
        QOpenGLBuffer vertices{QOpenGLBuffer::VertexBuffer};
        std::vector<int> firsts;
        std::uint64_t uploaded = 0; // geometryVersion of the buffer's contents, 0 for none
    };
    bool bindPicture(TextureSlot& slot, const Picture* picture);
    void upload(Geometry& geometry, const Scene& scene);
    // The per-frame state, and the background unless the frame goes over a kept picture.
    void begin(const Scene& scene, int width, int height, bool background);
    void drawItems(const Scene& scene, Geometry& geometry);
    void drawItem(const DrawItem& item, Geometry& geometry, int first, bool textured);
    // An off-screen colour and depth target. Depths are copied between two of the same kind
    // only: a copy into another depth format goes through a shader, as slow as drawing.
    struct Offscreen {
        unsigned framebuffer = 0, color = 0, depth = 0;
        int width = 0, height = 0, depthBits = 0;
    };
    // Makes `o` fit (keeping it when it does) and binds it; false when the GL cannot.
    static bool fit(QOpenGLExtraFunctions& f, Offscreen& o, int width, int height, int depthBits);
    static void drop(Offscreen& o);
    // Whether the kept still picture shows `still`.
    bool stillKept(const Scene& still) const;

    TextureSlot front_;
    TextureSlot top_;
    bool initialized_ = false;
    bool smoothLines_ = false;
    Geometry scene_;  // whole frames and still layers
    Geometry moving_; // the moving layer, new every frame
    long uploads_ = 0;
    // A drag's still layer as drawn, and the frame it is copied into and completed in.
    Offscreen still_;
    Offscreen frame_;
    std::uint64_t stillVersion_ = 0;
    ProjectionCache stillProjection_;
    long stillDraws_ = 0;
};

} // namespace plicato
