// The scene of one frame as a list of draw primitives in model coordinates: which primitive is
// drawn, in which order, colour, width and depth-test state, decided without a graphics context.
#pragma once

#include "check/design_check.h"
#include "model/card_model.h"
#include "view/camera.h"
#include "view/color_table.h"
#include "view/display_state.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace plicato {

enum class PrimitiveKind : unsigned char { Triangles, Lines, LineStrip, LineLoop, Points, Quads };

// Which underlay picture textures a primitive.
enum class SceneTexture : unsigned char { None, Front, Top };

// What a primitive is part of, so tests can find it and the renderer may batch.
enum class SceneRole : unsigned char {
    CardHalf,
    Face,
    Outline,
    Grid,
    Handle,
    Ruler,
    MirrorPlane,
    UnderlayFrame,
    DrawnOutline,
    CornerMarker,
    MirrorLine,
    SizePreview,
    CardGrid,
    SelectionBox,
    Gizmo,
};

struct DrawItem {
    PrimitiveKind kind = PrimitiveKind::Lines;
    SceneRole role = SceneRole::Face;
    Rgba color;
    float size = 1.0f; // line width or point size in pixels
    bool depthTest = true;
    bool lit = false;      // lighting with the gizmo's light and a material of `color`
    bool cullBack = false; // back faces culled, clockwise front faces (the gizmo's solids)
    SceneTexture texture = SceneTexture::None;
    std::vector<Point3> vertices;
    std::vector<Point2> texCoords; // one per vertex when textured
    std::vector<Point3> normals;   // one per vertex when lit
};

struct Scene {
    Rgba backgroundTop;
    Rgba backgroundBottom;
    bool hasModel = false; // without a model only the background is drawn
    ProjectionCache projection;
    bool lineSmooth = false;
    const Picture* frontPicture = nullptr; // the pictures the textured items use
    const Picture* topPicture = nullptr;
    std::vector<DrawItem> items;
    // Names the primitives for a renderer that keeps them between frames: the same non-zero
    // value promises the same items. 0 (as built) means the renderer takes them afresh.
    std::uint64_t geometryVersion = 0;
};

// Which part of the frame to build. While faces are dragged, everything but the dragged faces
// stays as it was: it is drawn once (Still) and kept as a picture, and each new position draws
// only the selected faces, their outlines, the selection box and the gizmo (Moving) over it.
enum class SceneLayer : unsigned char { Whole, Still, Moving };

// What the scene needs besides the model, the display state and the colours.
struct SceneExtras {
    SceneLayer layer = SceneLayer::Whole;
    int activeHandle = 0; // the grabbed edit-plane handle, drawn red
    // The outline vertex being dragged or picked first, already placed in space.
    std::optional<Point3> markedVertex;
    // In the subdivision mode while a first corner is picked: only this face shows its corners.
    const Face* subdivideFace = nullptr;
    // The design check of the built faces: when set, the pop-up display colours every held
    // piece by its class (the frame keeps its plane colour).
    const CheckResult* check = nullptr;
    long checkPiece = -1; // the piece chosen in the findings list, drawn selected
};

// The frame for `model` (may be null) seen by `camera`, whose mode angles must already be
// applied.
Scene buildScene(const CardModel* model, const DisplayState& state, const Camera& camera,
                 const ColorTable& colors, const SceneExtras& extras = {});

// Our own solids, centred or based at model points, with outward normals.
DrawItem solidCube(const Point3& center, double edge, const Rgba& color);
DrawItem wireCube(const Point3& center, double edge, const Rgba& color);
// Cone with its base centred at `base`, pointing along the unit model axis `axis` (0 x, 1 y, 2 z).
DrawItem solidCone(const Point3& base, int axis, double radius, double height, int slices,
                   const Rgba& color);

} // namespace plicato
