// Fixed-function drawing of the scene list: positions from a vertex buffer kept while the scene's
// geometry stands (camera moves redraw it as it is), texture coordinates and normals of the few
// items that have them from client-side arrays; a face drag's still layer kept as a picture.
#include "gui/view/gl_renderer.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>

#include <GL/gl.h>

namespace plicato {

namespace {

static_assert(sizeof(Point3) == 3 * sizeof(double), "vertex arrays read Point3 directly");
static_assert(sizeof(Point2) == 2 * sizeof(double), "texture arrays read Point2 directly");

GLenum glMode(PrimitiveKind kind) {
    switch (kind) {
    case PrimitiveKind::Triangles:
        return GL_TRIANGLES;
    case PrimitiveKind::Lines:
        return GL_LINES;
    case PrimitiveKind::LineStrip:
        return GL_LINE_STRIP;
    case PrimitiveKind::LineLoop:
        return GL_LINE_LOOP;
    case PrimitiveKind::Points:
        return GL_POINTS;
    case PrimitiveKind::Quads:
        return GL_QUADS;
    }
    return GL_POINTS;
}

void enableIf(GLenum cap, bool on) {
    if (on)
        glEnable(cap);
    else
        glDisable(cap);
}

void clearErrors() {
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i)
        continue;
}

} // namespace

GlRenderer::GlRenderer() = default;
GlRenderer::~GlRenderer() = default;

void GlRenderer::initialize() {
    glDisable(GL_CULL_FACE);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 0.001f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    initialized_ = true;
}

void GlRenderer::release() {
    if (scene_.vertices.isCreated())
        scene_.vertices.destroy();
    scene_.firsts.clear();
    scene_.uploaded = 0;
    releaseLayers();
    for (TextureSlot* slot : {&front_, &top_}) {
        if (slot->name)
            glDeleteTextures(1, &slot->name);
        *slot = {};
    }
}

bool GlRenderer::bindPicture(TextureSlot& slot, const Picture* picture) {
    if (!picture || picture->width <= 0 || picture->height <= 0 ||
        picture->data.size() < std::size_t(picture->width) * std::size_t(picture->height) * 3)
        return false;
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    if (picture->width > maxSide || picture->height > maxSide)
        return false;
    if (!slot.name)
        glGenTextures(1, &slot.name);
    glBindTexture(GL_TEXTURE_2D, slot.name);
    if (slot.version != picture->version) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        const GLfloat border[4] = {1, 0, 0, 0};
        glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, picture->width, picture->height, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, picture->data.data());
        slot.version = picture->version;
    }
    return true;
}

void GlRenderer::upload(Geometry& geometry, const Scene& scene) {
    std::size_t total = 0;
    for (const DrawItem& item : scene.items)
        total += item.vertices.size();
    std::vector<float> floats;
    floats.reserve(total * 3);
    geometry.firsts.clear();
    for (const DrawItem& item : scene.items) {
        geometry.firsts.push_back(int(floats.size() / 3));
        for (const Point3& p : item.vertices)
            floats.insert(floats.end(), {float(p.x), float(p.y), float(p.z)});
    }
    QOpenGLBuffer& v = geometry.vertices;
    if (!v.isCreated())
        v.create();
    v.bind();
    v.setUsagePattern(scene.geometryVersion ? QOpenGLBuffer::StaticDraw
                                            : QOpenGLBuffer::StreamDraw);
    v.allocate(floats.data(), int(floats.size() * sizeof(float)));
    v.release();
    geometry.uploaded = scene.geometryVersion;
    ++uploads_;
}

void GlRenderer::begin(const Scene& scene, int width, int height, bool background) {
    if (!initialized_)
        initialize();
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glClearDepth(1.0);
    glEnable(GL_DITHER);
    glViewport(0, 0, width, height);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    if (!background)
        return;
    // The gradient below covers every pixel, opaque: only depths need clearing, which spares the
    // software rasteriser a pass over the whole colour buffer.
    glClear(GL_DEPTH_BUFFER_BIT);

    // Background gradient over the whole view.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND); // opaque: the same pixels without reading the target
    glBegin(GL_QUADS);
    const Rgba& b = scene.backgroundBottom;
    const Rgba& t = scene.backgroundTop;
    glColor4f(b.r, b.g, b.b, b.a);
    glVertex2d(-1, -1);
    glVertex2d(1, -1);
    glColor4f(t.r, t.g, t.b, t.a);
    glVertex2d(1, 1);
    glVertex2d(-1, 1);
    glEnd();
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void GlRenderer::draw(const Scene& scene, int width, int height) {
    begin(scene, width, height, true);
    drawItems(scene, scene_);
}

bool GlRenderer::stillKept(const Scene& still) const {
    const ProjectionCache& a = stillProjection_;
    const ProjectionCache& b = still.projection;
    return still.geometryVersion != 0 && stillVersion_ == still.geometryVersion &&
           a.modelview.m == b.modelview.m && a.projection.m == b.projection.m &&
           a.viewport == b.viewport;
}

void GlRenderer::releaseLayers() {
    drop(still_);
    drop(frame_);
    stillVersion_ = 0;
    if (moving_.vertices.isCreated())
        moving_.vertices.destroy();
    moving_.firsts.clear();
    moving_.uploaded = 0;
}

void GlRenderer::drop(Offscreen& o) {
    if (o.framebuffer) {
        if (QOpenGLContext* context = QOpenGLContext::currentContext()) {
            QOpenGLExtraFunctions* f = context->extraFunctions();
            f->glDeleteFramebuffers(1, &o.framebuffer);
            f->glDeleteRenderbuffers(1, &o.color);
            f->glDeleteRenderbuffers(1, &o.depth);
        }
    }
    o = {};
}

bool GlRenderer::fit(QOpenGLExtraFunctions& f, Offscreen& o, int width, int height, int depthBits) {
    if (o.framebuffer && o.width == width && o.height == height && o.depthBits == depthBits) {
        f.glBindFramebuffer(GL_FRAMEBUFFER, o.framebuffer);
        return true;
    }
    drop(o);
    // The depth bits of the window: polygon offsets and near ties come out as they do there.
    GLenum depthFormat = 0;
    switch (depthBits) {
    case 16:
        depthFormat = GL_DEPTH_COMPONENT16;
        break;
    case 24:
        depthFormat = GL_DEPTH_COMPONENT24;
        break;
    case 32:
        depthFormat = GL_DEPTH_COMPONENT32;
        break;
    default:
        return false;
    }
    f.glGenFramebuffers(1, &o.framebuffer);
    f.glGenRenderbuffers(1, &o.color);
    f.glGenRenderbuffers(1, &o.depth);
    f.glBindRenderbuffer(GL_RENDERBUFFER, o.color);
    f.glRenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, width, height);
    f.glBindRenderbuffer(GL_RENDERBUFFER, o.depth);
    f.glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, width, height);
    f.glBindRenderbuffer(GL_RENDERBUFFER, 0);
    f.glBindFramebuffer(GL_FRAMEBUFFER, o.framebuffer);
    f.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, o.color);
    f.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, o.depth);
    GLint bits = 0;
    const bool complete = f.glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (complete)
        glGetIntegerv(GL_DEPTH_BITS, &bits);
    if (!complete || bits != depthBits) {
        drop(o);
        return false;
    }
    o.width = width;
    o.height = height;
    o.depthBits = depthBits;
    return true;
}

void GlRenderer::drawLayered(const Scene& still, const Scene& moving, int width, int height) {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    QOpenGLExtraFunctions* f = context ? context->extraFunctions() : nullptr;
    GLint target = 0, depthBits = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &target);
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    bool done = false;
    if (f && still.hasModel && width > 0 && height > 0) {
        clearErrors(); // so the copy's own failure can be told
        const bool kept = still_.width == width && still_.height == height &&
                          still_.depthBits == depthBits && stillKept(still);
        bool ready = kept;
        if (!kept && fit(*f, still_, width, height, depthBits)) {
            draw(still, width, height);
            stillVersion_ = still.geometryVersion;
            stillProjection_ = still.projection;
            ++stillDraws_;
            ready = true;
        }
        if (ready && fit(*f, frame_, width, height, depthBits)) {
            // Same formats on both sides: a plain copy of colours and depths.
            f->glBindFramebuffer(GL_READ_FRAMEBUFFER, still_.framebuffer);
            f->glBlitFramebuffer(0, 0, width, height, 0, 0, width, height,
                                 GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, GL_NEAREST);
            begin(still, width, height, false);
            if (moving.hasModel)
                drawItems(moving, moving_);
            f->glBindFramebuffer(GL_READ_FRAMEBUFFER, frame_.framebuffer);
            f->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(target));
            f->glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT,
                                 GL_NEAREST);
            done = glGetError() == GL_NO_ERROR;
        }
        f->glBindFramebuffer(GL_FRAMEBUFFER, GLuint(target));
    }
    if (!done) {
        // No off-screen targets here: the whole frame afresh, in the same order.
        draw(still, width, height);
        if (moving.hasModel)
            drawItems(moving, moving_);
    }
}

void GlRenderer::drawItems(const Scene& scene, Geometry& geometry) {
    if (!scene.hasModel)
        return;

    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(scene.projection.projection.m.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(scene.projection.modelview.m.data());
    enableIf(GL_LINE_SMOOTH, scene.lineSmooth);
    smoothLines_ = scene.lineSmooth; // smoothed lines need blending to show their coverage

    const bool frontOk = scene.frontPicture && bindPicture(front_, scene.frontPicture);
    const bool topOk = scene.topPicture && bindPicture(top_, scene.topPicture);

    if (scene.geometryVersion == 0 || scene.geometryVersion != geometry.uploaded ||
        geometry.firsts.size() != scene.items.size())
        upload(geometry, scene);
    glEnableClientState(GL_VERTEX_ARRAY);
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        const DrawItem& item = scene.items[i];
        bool textured = false;
        if (item.texture == SceneTexture::Front && frontOk) {
            glBindTexture(GL_TEXTURE_2D, front_.name);
            textured = true;
        } else if (item.texture == SceneTexture::Top && topOk) {
            glBindTexture(GL_TEXTURE_2D, top_.name);
            textured = true;
        }
        enableIf(GL_TEXTURE_2D, textured);
        if (textured && item.texCoords.size() == item.vertices.size()) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_DOUBLE, 0, item.texCoords.data());
        } else {
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
        drawItem(item, geometry, geometry.firsts[i], textured);
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glFrontFace(GL_CCW);
    glDisable(GL_CULL_FACE);
}

void GlRenderer::drawRubberBand(double x, double y, double w, double h, int width, int height,
                                const Rgba& fill, const Rgba& edge) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(fill.r, fill.g, fill.b, fill.a);
    glBegin(GL_QUADS);
    glVertex2d(x, y);
    glVertex2d(x + w, y);
    glVertex2d(x + w, y + h);
    glVertex2d(x, y + h);
    glEnd();
    // Pixel centres, so the one-pixel frame falls on the rectangle's own outer pixels.
    glLineWidth(1.0f);
    glColor4f(edge.r, edge.g, edge.b, edge.a);
    glBegin(GL_LINE_LOOP);
    glVertex2d(x + 0.5, y + 0.5);
    glVertex2d(x + w - 0.5, y + 0.5);
    glVertex2d(x + w - 0.5, y + h - 0.5);
    glVertex2d(x + 0.5, y + h - 0.5);
    glEnd();
    glEnable(GL_DEPTH_TEST);
}

void GlRenderer::drawItem(const DrawItem& item, Geometry& geometry, int first, bool textured) {
    if (item.vertices.empty())
        return;
    enableIf(GL_DEPTH_TEST, item.depthTest);
    const bool lit = item.lit && item.normals.size() == item.vertices.size();
    if (lit) {
        const GLfloat ambient[4] = {0.1f, 0.1f, 0.1f, 1};
        const GLfloat one[4] = {1, 1, 1, 1};
        const GLfloat direction[4] = {0.3f, 1, 0.5f, 0};
        glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, one);
        glLightfv(GL_LIGHT0, GL_SPECULAR, one);
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        const GLfloat noAmbient[4] = {0, 0, 0, 1};
        const GLfloat diffuse[4] = {item.color.r, item.color.g, item.color.b, item.color.a};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, noAmbient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_NORMALIZE);
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_DOUBLE, 0, item.normals.data());
    } else {
        glDisable(GL_LIGHTING);
        glDisableClientState(GL_NORMAL_ARRAY);
    }
    if (item.cullBack) {
        // The axis exchange in the modelview mirrors the model, so outward faces turn clockwise.
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glFrontFace(GL_CW);
    } else {
        glDisable(GL_CULL_FACE);
        glFrontFace(GL_CCW);
    }
    // Opaque items blend to the same pixels; skipping the blend spares the software rasteriser
    // a read of every covered pixel.
    const bool line = item.kind == PrimitiveKind::Lines || item.kind == PrimitiveKind::LineStrip ||
                      item.kind == PrimitiveKind::LineLoop;
    enableIf(GL_BLEND, item.color.a < 1.0f || textured || (smoothLines_ && line));
    glColor4f(item.color.r, item.color.g, item.color.b, item.color.a);
    glLineWidth(item.size);
    glPointSize(item.size);
    // Each item's positions start the vertex array, taken from the buffer bound now; its
    // texture coordinates and normals, set with no buffer bound, come from memory and are read
    // from index 0 alike.
    QOpenGLBuffer& vertices = geometry.vertices;
    vertices.bind();
    glVertexPointer(3, GL_FLOAT, 0,
                    reinterpret_cast<const void*>(std::size_t(first) * 3 * sizeof(float)));
    vertices.release();
    glDrawArrays(glMode(item.kind), 0, GLsizei(item.vertices.size()));
    if (lit) {
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisable(GL_LIGHTING);
    }
}

} // namespace plicato
