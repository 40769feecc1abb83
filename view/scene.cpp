// Building the frame's primitive list: background, card and faces, edit plane, underlay frame,
// outline being drawn, corner markers, mirror line, card-size preview and face-operation extras.
#include "view/scene.h"

#include "view/check_overlay.h"
#include "view/edit_plane.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plicato {

namespace {

const Rgba black{0, 0, 0, 1};
const Rgba white{1, 1, 1, 1};
const Rgba red{1, 0, 0, 1};
const Rgba green{0, 1, 0, 1};
const Rgba blue{0, 0, 1, 1};
const Rgba yellow{1, 1, 0, 1};

constexpr double planeTolerance = 0.00001;

// A spacing the card can hold a sane number of lines at; a damaged grid size would otherwise
// make millions of lines.
bool drawableSpacing(double step, double extent) {
    return step > 0.0 && extent / step < 100000.0;
}

bool sameStyle(const DrawItem& item, PrimitiveKind kind, SceneRole role, const Rgba& color,
               float size, bool depthTest) {
    return item.kind == kind && item.role == role && item.color == color && item.size == size &&
           item.depthTest == depthTest && !item.lit && item.texture == SceneTexture::None;
}

Point2 frontTexCoord(const UnderlayImage& u, double x, double z) {
    const double left = u.centerX - u.width / 2;
    return {u.width != 0 ? (x - left) / u.width : 0.0,
            u.height != 0 ? (z - u.bottom) / u.height : 0.0};
}

// The top picture is mirrored in x.
Point2 topTexCoord(const UnderlayImage& u, double x, double y) {
    const double right = u.centerX + u.width / 2;
    return {u.width != 0 ? (right - x) / u.width : 0.0,
            u.height != 0 ? (y - u.bottom) / u.height : 0.0};
}

class Builder {
public:
    Builder(const CardModel& model, const DisplayState& state, const Camera& camera,
            const ColorTable& colors, const SceneExtras& extras, Scene& scene)
        : m(model), st(state), cam(camera), col(colors), ex(extras), sc(scene),
          hw(integerHalf(model.cardWidth)), h(model.cardHeight) {}

    void build();

private:
    // A new item, or the last one when it has the same style and kind allows joining.
    DrawItem& item(PrimitiveKind kind, SceneRole role, const Rgba& color, float size = 1.0f,
                   bool depthTest = true) {
        last = color;
        const bool joinable = kind == PrimitiveKind::Lines || kind == PrimitiveKind::Triangles ||
                              kind == PrimitiveKind::Points;
        if (joinable && !sc.items.empty() &&
            sameStyle(sc.items.back(), kind, role, color, size, depthTest))
            return sc.items.back();
        DrawItem& d = sc.items.emplace_back();
        d.kind = kind;
        d.role = role;
        d.color = color;
        d.size = size;
        d.depthTest = depthTest;
        return d;
    }
    void line(SceneRole role, const Rgba& c, float w, const Point3& a, const Point3& b,
              bool depthTest = true) {
        auto& d = item(PrimitiveKind::Lines, role, c, w, depthTest);
        d.vertices.push_back(a);
        d.vertices.push_back(b);
    }
    void point(SceneRole role, const Rgba& c, float size, const Point3& p) {
        item(PrimitiveKind::Points, role, c, size, false).vertices.push_back(p);
    }
    void push(DrawItem d) {
        last = d.color;
        sc.items.push_back(std::move(d));
    }

    // Shift along the edit plane's normal so lines drawn on faces stay in front of them.
    Point3 lifted(Point3 p, double by) const {
        if (m.editPlane == FacePlane::Horizontal)
            p.z += by;
        else
            p.y += by;
        return p;
    }
    bool onEditPlaneCoordinate(const Point3& p) const {
        const double v = m.editPlane == FacePlane::Horizontal ? p.z : p.y;
        return std::fabs(v - m.editOffset) < 0.01;
    }

    // Whether the layer being built holds this face, and the parts that are not faces.
    bool holds(const Face& f) const {
        return ex.layer == SceneLayer::Whole || f.isSelected == (ex.layer == SceneLayer::Moving);
    }
    bool holdsStill() const { return ex.layer != SceneLayer::Moving; }
    bool holdsMoving() const { return ex.layer != SceneLayer::Still; }

    void cardAndFaces();
    void facePass(FacePlane plane);
    void outlines();
    void editPlane();
    void handles();
    void mirrorHandleAndPlane();
    void underlayFrame();
    void drawnOutline();
    void cornerMarkers();
    void mirrorLine();
    void sizePreview();
    void faceOperationExtras();
    void gizmo();

    const CardModel& m;
    const DisplayState& st;
    const Camera& cam;
    const ColorTable& col;
    const SceneExtras& ex;
    Scene& sc;
    const double hw; // integer half width
    const double h;
    Rgba last = white; // the colour most recently set, which unset colours inherit
    const FaceList* shown = nullptr;
};

void Builder::build() {
    last = col.rgba(ColorTable::BackgroundTop); // the background quad sets it last
    shown = st.inputDisplay ? &m.userFaces : &m.builtFaces;
    cardAndFaces();
    const bool faceOp = st.inMode(EditMode::FaceOperation);
    if (!holdsStill()) {
        if (faceOp)
            faceOperationExtras();
        return;
    }
    if (st.showEditPlane && !faceOp)
        editPlane();
    if ((st.inMode(EditMode::UnderlayFront) && m.frontImage.isPresent()) ||
        (st.inMode(EditMode::UnderlayTop) && m.topImage.isPresent()))
        underlayFrame();
    if (!m.drawPoints.empty())
        drawnOutline();
    if (st.inMode(EditMode::OutlineEdit) || st.inMode(EditMode::Subdivide))
        cornerMarkers();
    if (st.showEditPlane && st.mirrorEdit && !faceOp && !st.inMode(EditMode::OutlineEdit))
        mirrorLine();
    if (st.cardSizePreview)
        sizePreview();
    if (faceOp)
        faceOperationExtras();
}

void Builder::cardAndFaces() {
    sc.lineSmooth = st.antiAlias;
    facePass(FacePlane::Vertical);
    facePass(FacePlane::Horizontal);
    outlines();
}

void Builder::facePass(FacePlane plane) {
    const bool vertical = plane == FacePlane::Vertical;
    const UnderlayImage& u = vertical ? m.frontImage : m.topImage;
    const bool textured = st.showUnderlay && u.isPresent();
    const Rgba planeColor =
        vertical ? verticalFaceColor(col, st.openAngle) : col.rgba(ColorTable::HorizontalPlane);
    const SceneTexture tex = vertical ? SceneTexture::Front : SceneTexture::Top;
    if (textured) {
        if (vertical)
            sc.frontPicture = u.picture.get();
        else
            sc.topPicture = u.picture.get();
    }

    // With a picture the whole card half carries it, so the picture also shows where no face
    // covers the half. It keeps the colour last set, which modulates the picture. The quad
    // turns with the half like its base face, so it never stands apart from a closing card.
    if (textured && holdsStill()) {
        DrawItem half;
        half.kind = PrimitiveKind::Quads;
        half.role = SceneRole::CardHalf;
        half.color = last;
        half.texture = tex;
        const Face halfFace(plane, 0.0);
        const Point2 corners[4] = {
            {-hw, 0}, {hw, 0}, {hw, vertical ? h : -h}, {-hw, vertical ? h : -h}};
        for (const Point2& c : corners) {
            half.vertices.push_back(halfFace.toSpace(c));
            const Point3 q = halfFace.toSpace(c, 90);
            half.texCoords.push_back(vertical ? frontTexCoord(u, q.x, q.z)
                                              : topTexCoord(u, q.x, q.y));
        }
        push(std::move(half));
    }

    const bool faceOp = st.inMode(EditMode::FaceOperation);
    const CheckResult* check =
        !st.inputDisplay && ex.check && ex.check->pieces.size() == m.builtFaces.size() ? ex.check
                                                                                       : nullptr;
    for (std::size_t index = 0; index < shown->size(); ++index) {
        const Face& f = *(*shown)[index];
        if (f.plane != plane || f.triangles.empty())
            continue;
        Rgba c;
        const PieceCheck* piece =
            check && check->pieces[index].face == &f ? &check->pieces[index] : nullptr;
        // The check is never shown in the input display, so no piece competes with a selection.
        if ((piece && long(index) == ex.checkPiece) || (st.inputDisplay && f.isSelected))
            c = col.rgba(ColorTable::SelectedFace);
        else if (piece && !piece->frame)
            c = findingColor(leadingFinding(*piece));
        else if (!faceOp && m.editPlane == plane &&
                 std::fabs(f.offset - m.editOffset) < planeTolerance && st.showEditPlane)
            c = col.rgba(ColorTable::FaceOnEditPlane);
        else
            c = planeColor;
        if (!holds(f)) {
            last = c; // drawn in the other layer, but later unset colours still follow it
            continue;
        }
        DrawItem* d;
        if (textured) {
            if (sc.items.empty() || sc.items.back().role != SceneRole::Face ||
                sc.items.back().texture != tex || !(sc.items.back().color == c)) {
                DrawItem& n = sc.items.emplace_back();
                n.kind = PrimitiveKind::Triangles;
                n.role = SceneRole::Face;
                n.color = c;
                n.texture = tex;
            }
            d = &sc.items.back();
            last = c;
        } else {
            d = &item(PrimitiveKind::Triangles, SceneRole::Face, c);
        }
        for (const Triangle& t : f.triangles)
            for (const Point2& p : t.corners) {
                d->vertices.push_back(f.toSpace(p));
                if (textured) {
                    const Point3 q = f.toSpace(p, 90);
                    d->texCoords.push_back(vertical ? frontTexCoord(u, q.x, q.z)
                                                    : topTexCoord(u, q.x, q.y));
                }
            }
    }
}

void Builder::outlines() {
    const bool highlight = !st.inMode(EditMode::FaceOperation) && st.showEditPlane;
    const Rgba normal =
        col.rgba(st.inputDisplay ? ColorTable::InputOutline : ColorTable::PopupOutline);
    const Rgba onPlane = col.rgba(ColorTable::EdgeOnEditPlane);
    for (const auto& fp : *shown) {
        const Face& f = *fp;
        if (!holds(f))
            continue;
        for (const auto& loop : f.polygon.loops) {
            const auto& pts = loop->points;
            const std::size_t n = pts.size();
            for (std::size_t i = 0; i < n; ++i) {
                const Point3 a = f.toSpace(pts[i]);
                const Point3 b = f.toSpace(pts[(i + 1) % n]);
                const bool both = highlight && onEditPlaneCoordinate(a) && onEditPlaneCoordinate(b);
                line(SceneRole::Outline, both ? onPlane : normal, 2.0f, lifted(a, 0.02),
                     lifted(b, 0.02));
            }
        }
    }
}

void Builder::editPlane() {
    const double g = m.gridSize;
    const double big = std::max(m.initGridSize, m.gridSize);
    const double e = m.editOffset;
    const bool horizontal = m.editPlane == FacePlane::Horizontal;
    const Rgba c = col.rgba(horizontal ? ColorTable::HorizontalGrid : ColorTable::VerticalGrid);
    // In the plane: (x, v) with v the depth of a horizontal plane or the height of a vertical one.
    auto at = [&](double x, double v) { return horizontal ? Point3{x, v, e} : Point3{x, e, v}; };
    for (const auto& [step, width] : {std::pair{g, 1.0f}, std::pair{big, 2.0f}}) {
        if (!drawableSpacing(step, std::max(hw, h)))
            continue;
        for (int i = 0; i * step <= hw; ++i) {
            const double x = i * step;
            line(SceneRole::Grid, c, width, at(x, 0), at(x, h));
            if (i > 0)
                line(SceneRole::Grid, c, width, at(-x, 0), at(-x, h));
        }
        for (int i = 0; i * step <= h; ++i)
            line(SceneRole::Grid, c, width, at(-hw, i * step), at(hw, i * step));
    }
    line(SceneRole::Grid, c, 3.0f, at(0, 0), at(0, h));

    if (handlesActive(st)) {
        handles();
        if (st.mirrorEdit)
            mirrorHandleAndPlane();
    }
}

void Builder::handles() {
    const double d = m.cardWidth / 30.0;
    const double k = m.cardWidth / 60.0;
    const bool horizontal = m.editPlane == FacePlane::Horizontal;
    const int first = horizontal ? HorizontalRight : VerticalRight;
    for (int id : {first, first + 1}) {
        const Rgba c = ex.activeHandle == id ? red : horizontal ? green : blue;
        const Point3 p = handlePosition(m, id);
        push(solidCube(p, d, c));
        push(wireCube(p, d, black));
    }
    // Ruler on the other card half along both side edges.
    const double g = m.gridSize;
    if (!drawableSpacing(g, std::max(hw, h)))
        return;
    int last = 0;
    for (int i = 0; i * g <= h; ++i) {
        const double v = i * g;
        last = i;
        for (double side : {1.0, -1.0}) {
            if (horizontal)
                line(SceneRole::Ruler, black, 1.0f, {side * hw, 0.01, v},
                     {side * (hw - k), 0.01, v});
            else
                line(SceneRole::Ruler, black, 1.0f, {side * hw, v, 0.01},
                     {side * (hw - k), v, 0.01});
        }
    }
    for (double side : {1.0, -1.0}) {
        const double x = side * (hw - k);
        if (horizontal)
            line(SceneRole::Ruler, black, 1.0f, {x, 0.01, 0}, {x, 0.01, last * g});
        else
            line(SceneRole::Ruler, black, 1.0f, {x, 0, 0.01}, {x, last * g, 0.01});
    }
}

void Builder::mirrorHandleAndPlane() {
    const double d = m.cardWidth / 30.0;
    const double k = m.cardWidth / 60.0;
    const double mx = m.mirrorX;
    const Point3 p = handlePosition(m, MirrorHandle);
    push(solidCube(p, d, ex.activeHandle == MirrorHandle ? red : yellow));
    push(wireCube(p, d, black));
    DrawItem plane;
    plane.kind = PrimitiveKind::Quads;
    plane.role = SceneRole::MirrorPlane;
    plane.color = {1, 1, 0, 0.5f};
    plane.vertices = {{mx, 0, 0}, {mx, h, 0}, {mx, h, h}, {mx, 0, h}};
    push(std::move(plane));
    const double g = m.gridSize;
    if (!drawableSpacing(g, std::max(hw, h)))
        return;
    for (int i = 0; i * g <= hw; ++i) {
        const double x = i * g;
        line(SceneRole::Ruler, black, 1.0f, {x, h, 0.01}, {x, h - k, 0.01});
        if (i > 0)
            line(SceneRole::Ruler, black, 1.0f, {-x, h, 0.01}, {-x, h - k, 0.01});
    }
    line(SceneRole::Ruler, black, 1.0f, {-hw, h - k, 0.01}, {hw, h - k, 0.01});
}

void Builder::underlayFrame() {
    const bool front = st.inMode(EditMode::UnderlayFront);
    const UnderlayImage& u = front ? m.frontImage : m.topImage;
    auto at = [&](double x, double v) { return front ? Point3{x, 0, v} : Point3{x, v, 0}; };
    const double l = u.centerX - u.width / 2, r = u.centerX + u.width / 2;
    const double b = u.bottom, t = u.bottom + u.height;
    auto& frame = item(PrimitiveKind::LineLoop, SceneRole::UnderlayFrame, black, 1.0f, false);
    frame.vertices = {at(l, b), at(r, b), at(r, t), at(l, t)};
    const double mx = (l + r) / 2, mv = (b + t) / 2;
    const Point3 spots[8] = {at(r, t),  at(r, mv), at(r, b),  at(mx, t),
                             at(mx, b), at(l, t),  at(l, mv), at(l, b)};
    for (const Point3& p : spots) {
        point(SceneRole::UnderlayFrame, black, 9.0f, p);
        point(SceneRole::UnderlayFrame, white, 7.0f, p);
    }
}

void Builder::drawnOutline() {
    Rgba c = last; // other modes keep the colour last set
    if (st.inMode(EditMode::PolygonFace) || st.inMode(EditMode::Rectangle3))
        c = col.rgba(ColorTable::DrawnOutline);
    else if (st.inMode(EditMode::CutOut))
        c = col.rgba(ColorTable::DrawnCutOut);
    auto& strip = item(PrimitiveKind::LineStrip, SceneRole::DrawnOutline, c, 4.0f, false);
    for (const DrawPoint& p : m.drawPoints)
        strip.vertices.push_back(lifted(p.space, 0.02));
    if (st.mirrorEdit) {
        auto& mirrored =
            item(PrimitiveKind::LineStrip, SceneRole::DrawnOutline, yellow, 4.0f, false);
        for (const DrawPoint& p : m.drawPoints)
            mirrored.vertices.push_back(
                lifted({2 * m.mirrorX - p.space.x, p.space.y, p.space.z}, 0.02));
    }
    for (const DrawPoint& p : m.drawPoints)
        point(SceneRole::DrawnOutline, c, 7.0f, lifted(p.space, 0.02));
    const Point3 first = lifted(m.drawPoints.front().space, 0.02);
    point(SceneRole::DrawnOutline, white, 5.0f, first);
    point(SceneRole::DrawnOutline, c, 3.0f, first);
}

void Builder::cornerMarkers() {
    const bool picking = st.inMode(EditMode::Subdivide) && ex.subdivideFace != nullptr;
    for (const auto& fp : m.userFaces) {
        const Face& f = *fp;
        if (f.isBase || f.plane != m.editPlane ||
            !(std::fabs(f.offset - m.editOffset) < planeTolerance))
            continue;
        if (picking && &f != ex.subdivideFace)
            continue;
        for (const auto& loop : f.polygon.loops)
            for (const Point2& p : loop->points) {
                const Point3 q = lifted(f.toSpace(p), 0.02);
                point(SceneRole::CornerMarker, red, 5.0f, q);
                point(SceneRole::CornerMarker, white, 3.0f, q);
            }
    }
    if (ex.markedVertex)
        point(SceneRole::CornerMarker, red, 5.0f, lifted(*ex.markedVertex, 0.02));
}

void Builder::mirrorLine() {
    const double mx = m.mirrorX, e = m.editOffset;
    if (m.editPlane == FacePlane::Horizontal)
        line(SceneRole::MirrorLine, yellow, 3.0f, {mx, 0, e}, {mx, h, e});
    else
        line(SceneRole::MirrorLine, yellow, 3.0f, {mx, e, 0}, {mx, e, h});
}

void Builder::sizePreview() {
    const double w2 = integerHalf(st.previewWidth);
    const double ph = st.previewHeight;
    auto& base = item(PrimitiveKind::LineLoop, SceneRole::SizePreview, red, 3.0f);
    base.vertices = {{-w2, 0, 0}, {-w2, ph, 0}, {w2, ph, 0}, {w2, 0, 0}};
    auto& upright = item(PrimitiveKind::LineLoop, SceneRole::SizePreview, red, 3.0f);
    upright.vertices = {{-w2, 0, 0}, {w2, 0, 0}, {w2, 0, ph}, {-w2, 0, ph}};
}

void Builder::faceOperationExtras() {
    const Rgba brown{0.5f, 0.3f, 0.0f, 1.0f};
    const double g = m.gridSize;
    if (holdsStill() && drawableSpacing(g, std::max(hw, h))) {
        for (int i = 0; i * g < hw; ++i) {
            for (double x : {i * g, -i * g}) {
                line(SceneRole::CardGrid, brown, 1.0f, {x, 0, 0}, {x, h, 0});
                line(SceneRole::CardGrid, brown, 1.0f, {x, 0, 0}, {x, 0, h});
                if (i == 0)
                    break;
            }
        }
        for (int i = 1; i * g <= h; ++i) {
            const double t = i * g;
            line(SceneRole::CardGrid, brown, 1.0f, {-hw, t, 0}, {hw, t, 0});
            line(SceneRole::CardGrid, brown, 1.0f, {-hw, 0, t}, {hw, 0, t});
        }
    }
    if (m.selectedFaces.empty() || !holdsMoving())
        return;
    const Rgba c = col.rgba(ColorTable::SelectionBox);
    const Point3 a = m.selectionBox.min, b = m.selectionBox.max;
    auto& nearLoop = item(PrimitiveKind::LineLoop, SceneRole::SelectionBox, c, 1.0f, false);
    nearLoop.vertices = {{a.x, a.y, a.z}, {b.x, a.y, a.z}, {b.x, a.y, b.z}, {a.x, a.y, b.z}};
    auto& farLoop = item(PrimitiveKind::LineLoop, SceneRole::SelectionBox, c, 1.0f, false);
    farLoop.vertices = {{a.x, b.y, a.z}, {b.x, b.y, a.z}, {b.x, b.y, b.z}, {a.x, b.y, b.z}};
    for (const auto& [x, z] : {std::pair{a.x, a.z}, {b.x, a.z}, {b.x, b.z}, {a.x, b.z}})
        line(SceneRole::SelectionBox, c, 1.0f, {x, a.y, z}, {x, b.y, z}, false);
    gizmo();
}

void Builder::gizmo() {
    const double r = 0.1 * m.cardWidth / cam.scale;
    const Point3 g = m.selectionBox.handle;
    auto along = [&](int axis, double t) {
        Point3 p = g;
        (axis == 0 ? p.x : axis == 1 ? p.y : p.z) += t * r;
        return p;
    };
    for (int axis = 0; axis < 3; ++axis)
        line(SceneRole::Gizmo, black, 1.0f, along(axis, 0.15), along(axis, 1.0), false);
    const bool lit = !cam.usesOrthographic(st);
    auto finish = [&](DrawItem d) {
        d.role = SceneRole::Gizmo;
        d.depthTest = false;
        d.lit = lit;
        d.cullBack = true;
        push(std::move(d));
    };
    finish(solidCube(g, 0.3 * r, yellow));
    const Rgba axisColors[3] = {red, green, blue};
    for (int axis = 0; axis < 3; ++axis)
        finish(solidCone(along(axis, 1.0), axis, 0.15 * r, 0.5 * r, 12, axisColors[axis]));
}

} // namespace

Scene buildScene(const CardModel* model, const DisplayState& state, const Camera& camera,
                 const ColorTable& colors, const SceneExtras& extras) {
    Scene scene;
    scene.backgroundTop = colors.rgba(ColorTable::BackgroundTop);
    scene.backgroundBottom = colors.rgba(ColorTable::BackgroundBottom);
    if (!model)
        return scene;
    scene.hasModel = true;
    scene.projection = camera.projectionFor(state, model->cardWidth);
    Builder(*model, state, camera, colors, extras, scene).build();
    return scene;
}

DrawItem solidCube(const Point3& c, double edge, const Rgba& color) {
    DrawItem d;
    d.kind = PrimitiveKind::Triangles;
    d.role = SceneRole::Handle;
    d.color = color;
    const double s = edge / 2;
    // For each axis and side: the outward normal and two in-plane axes forming a
    // counter-clockwise square seen from outside.
    for (int axis = 0; axis < 3; ++axis)
        for (double side : {1.0, -1.0}) {
            const int u = (axis + 1) % 3, v = (axis + 2) % 3;
            auto corner = [&](double a, double b) {
                double p[3] = {0, 0, 0};
                p[axis] = side * s;
                p[u] = a * s * side;
                p[v] = b * s;
                return Point3{c.x + p[0], c.y + p[1], c.z + p[2]};
            };
            double n[3] = {0, 0, 0};
            n[axis] = side;
            const Point3 normal{n[0], n[1], n[2]};
            const Point3 q[4] = {corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1)};
            for (int k : {0, 1, 2, 0, 2, 3}) {
                d.vertices.push_back(q[k]);
                d.normals.push_back(normal);
            }
        }
    return d;
}

DrawItem wireCube(const Point3& c, double edge, const Rgba& color) {
    DrawItem d;
    d.kind = PrimitiveKind::Lines;
    d.role = SceneRole::Handle;
    d.color = color;
    const double s = edge / 2;
    auto corner = [&](int i) {
        return Point3{c.x + (i & 1 ? s : -s), c.y + (i & 2 ? s : -s), c.z + (i & 4 ? s : -s)};
    };
    for (int i = 0; i < 8; ++i)
        for (int bit : {1, 2, 4})
            if (!(i & bit)) {
                d.vertices.push_back(corner(i));
                d.vertices.push_back(corner(i | bit));
            }
    return d;
}

DrawItem solidCone(const Point3& base, int axis, double radius, double height, int slices,
                   const Rgba& color) {
    DrawItem d;
    d.kind = PrimitiveKind::Triangles;
    d.role = SceneRole::Gizmo;
    d.color = color;
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    auto make = [&](double a, double b, double w) {
        double p[3] = {0, 0, 0};
        p[axis] = w;
        p[u] = a;
        p[v] = b;
        return Point3{p[0], p[1], p[2]};
    };
    auto add = [](const Point3& a, const Point3& b) {
        return Point3{a.x + b.x, a.y + b.y, a.z + b.z};
    };
    const Point3 apex = add(base, make(0, 0, height));
    const double slant = std::hypot(radius, height);
    const Point3 baseNormal = make(0, 0, -1);
    for (int i = 0; i < slices; ++i) {
        const double a0 = 2 * std::numbers::pi * i / slices;
        const double a1 = 2 * std::numbers::pi * (i + 1) / slices;
        const Point3 p0 = add(base, make(radius * std::cos(a0), radius * std::sin(a0), 0));
        const Point3 p1 = add(base, make(radius * std::cos(a1), radius * std::sin(a1), 0));
        // Side: counter-clockwise seen from outside (u, v, axis is right-handed).
        const double am = (a0 + a1) / 2;
        const Point3 n0 =
            make(height / slant * std::cos(a0), height / slant * std::sin(a0), radius / slant);
        const Point3 n1 =
            make(height / slant * std::cos(a1), height / slant * std::sin(a1), radius / slant);
        const Point3 nm =
            make(height / slant * std::cos(am), height / slant * std::sin(am), radius / slant);
        d.vertices.insert(d.vertices.end(), {p0, p1, apex});
        d.normals.insert(d.normals.end(), {n0, n1, nm});
        // Base disc, facing back along the axis.
        d.vertices.insert(d.vertices.end(), {base, p1, p0});
        d.normals.insert(d.normals.end(), {baseNormal, baseNormal, baseNormal});
    }
    return d;
}

} // namespace plicato
