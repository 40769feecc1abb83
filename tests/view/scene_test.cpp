// The scene list: which colour paints what, which parts appear in which mode, and where.
#include "view/scene.h"

#include "hand_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>

using namespace plicato;
using plicato::testing::addBoth;
using plicato::testing::handCard;
using plicato::testing::handFace;

namespace {

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        installDisplayState(&state);
        model = handCard(160, 80, 20);
        camera.viewWidth = 1280;
        camera.viewHeight = 800;
    }
    void TearDown() override { installDisplayState(nullptr); }

    // The frame stays alive until the next build, so pointers into it may be kept till then.
    const Scene& build() {
        frame = buildScene(model.get(), state, camera, colors, extras);
        return frame;
    }

    static std::vector<const DrawItem*> withRole(const Scene& s, SceneRole role) {
        std::vector<const DrawItem*> out;
        for (const DrawItem& d : s.items)
            if (d.role == role)
                out.push_back(&d);
        return out;
    }
    // The colour of the face item that holds the placed point p.
    static std::optional<Rgba> colorAt(const Scene& s, SceneRole role, const Point3& p) {
        for (const DrawItem& d : s.items)
            if (d.role == role)
                for (const Point3& v : d.vertices)
                    if (std::fabs(v.x - p.x) < 1e-9 && std::fabs(v.y - p.y) < 1e-9 &&
                        std::fabs(v.z - p.z) < 1e-9)
                        return d.color;
        return std::nullopt;
    }
    Rgba entry(int i) const { return colors.rgba(i); }

    DisplayState state;
    std::unique_ptr<CardModel> model;
    Camera camera;
    ColorTable colors;
    SceneExtras extras;
    Scene frame;
};

// A vertical face at depth 20 whose sheet corner (-10, -20) stands at the foot (-10, 20, 0).
Face& raiseVertical(CardModel& m) {
    return addBoth(m,
                   handFace(FacePlane::Vertical, 20, {{-10, -20}, {10, -20}, {10, 10}, {-10, 10}}));
}

} // namespace

TEST_F(SceneTest, WithoutAModelOnlyTheBackgroundIsDrawn) {
    const Scene s = buildScene(nullptr, state, camera, colors);
    EXPECT_FALSE(s.hasModel);
    EXPECT_TRUE(s.items.empty());
    EXPECT_EQ(s.backgroundTop, entry(12));
    EXPECT_EQ(s.backgroundBottom, entry(13));
}

TEST_F(SceneTest, NewCardHalvesAreWhiteAndGrey) {
    const Scene s = build();
    EXPECT_TRUE(withRole(s, SceneRole::CardHalf).empty()); // only a picture needs the half
    EXPECT_EQ(colorAt(s, SceneRole::Face, {80, 80, 0}), entry(1));
    EXPECT_EQ(colorAt(s, SceneRole::Face, {80, 0, 80}), entry(0));
    EXPECT_EQ(colorAt(s, SceneRole::Face, {-80, 0, 0}), entry(0));
}

TEST_F(SceneTest, FaceOnTheEditPlaneIsPinkOnlyWhileThePlaneIsShown) {
    raiseVertical(*model);
    const Point3 foot{-10, 20, 0};
    EXPECT_EQ(colorAt(build(), SceneRole::Face, foot), entry(7));
    state.showEditPlane = false;
    EXPECT_EQ(colorAt(build(), SceneRole::Face, foot), entry(0));
    state.showEditPlane = true;
    model->editOffset = 30;
    EXPECT_EQ(colorAt(build(), SceneRole::Face, foot), entry(0));
    model->editOffset = 20;
    model->editPlane = FacePlane::Horizontal;
    EXPECT_EQ(colorAt(build(), SceneRole::Face, foot), entry(0));
    model->editPlane = FacePlane::Vertical;
    state.editMode = int(EditMode::FaceOperation);
    EXPECT_EQ(colorAt(build(), SceneRole::Face, foot), entry(0));
}

TEST_F(SceneTest, HorizontalFacesInTheFaceOperationModeKeepTheirPlaneColour) {
    addBoth(*model, handFace(FacePlane::Horizontal, 20, {{0, 0}, {10, 0}, {10, -10}}));
    model->editPlane = FacePlane::Horizontal;
    const Point3 corner{0, 20, 20};
    EXPECT_EQ(colorAt(build(), SceneRole::Face, corner), entry(7));
    state.editMode = int(EditMode::FaceOperation);
    EXPECT_EQ(colorAt(build(), SceneRole::Face, corner), entry(1));
}

TEST_F(SceneTest, SelectedFacesShowOnlyInTheInputShapeDisplay) {
    Face& built = raiseVertical(*model);
    model->userFaces.back()->isSelected = true;
    built.isSelected = true;
    const Point3 foot{-10, 20, 0};
    EXPECT_EQ(colorAt(build(), SceneRole::Face, foot), entry(7));
    state.inputDisplay = true;
    EXPECT_EQ(colorAt(build(), SceneRole::Face, foot), entry(9));
}

TEST_F(SceneTest, VerticalFacesAreGreyWhenTheCardIsClosed) {
    raiseVertical(*model);
    state.openAngle = 0;
    state.showEditPlane = false;
    const Scene s = build();
    // Closed: the face lies flat on the base, in front of its fold line.
    EXPECT_EQ(colorAt(s, SceneRole::Face, {-10, 20, 0}), entry(1));
    EXPECT_EQ(colorAt(s, SceneRole::Face, {80, 80, 0}), entry(1));       // the upright half, closed
    EXPECT_EQ(colorAt(s, SceneRole::Face, {-10, 20 + 30, 0}), entry(1)); // sheet y 10
}

TEST_F(SceneTest, OutlineColoursPerDisplayAndOnThePlane) {
    raiseVertical(*model);
    auto outlineColors = [&] {
        std::vector<Rgba> cs;
        for (const DrawItem* d : withRole(build(), SceneRole::Outline)) {
            EXPECT_EQ(d->size, 2.0f);
            cs.push_back(d->color);
        }
        return cs;
    };
    auto has = [](const std::vector<Rgba>& v, const Rgba& c) {
        return std::find(v.begin(), v.end(), c) != v.end();
    };
    std::vector<Rgba> popup = outlineColors();
    EXPECT_TRUE(has(popup, entry(2)));
    EXPECT_TRUE(has(popup, entry(8)));
    EXPECT_FALSE(has(popup, entry(14)));
    state.inputDisplay = true;
    std::vector<Rgba> input = outlineColors();
    EXPECT_TRUE(has(input, entry(14)));
    EXPECT_FALSE(has(input, entry(2)));
    state.showEditPlane = false;
    EXPECT_FALSE(has(outlineColors(), entry(8)));
}

TEST_F(SceneTest, OutlinesAreLiftedAlongTheEditPlaneNormal) {
    raiseVertical(*model);
    const Scene s = build();
    // The raised face's top edge at height 30, depth 20, drawn 0.02 nearer.
    EXPECT_TRUE(colorAt(s, SceneRole::Outline, {10, 20.02, 30}));
    model->editPlane = FacePlane::Horizontal;
    const Scene h = build();
    EXPECT_TRUE(colorAt(h, SceneRole::Outline, {10, 20, 30.02}));
    EXPECT_FALSE(colorAt(h, SceneRole::Outline, {10, 20.02, 30}));
}

TEST_F(SceneTest, DrawnOutlineColourFollowsTheMode) {
    model->drawPoints = {{{0, 20, 0}, {}}, {{10, 20, 0}, {}}, {{10, 20, 10}, {}}};
    auto stripColor = [&] { return withRole(build(), SceneRole::DrawnOutline)[0]->color; };
    EXPECT_EQ(stripColor(), entry(10)); // red
    state.editMode = int(EditMode::CutOut);
    EXPECT_EQ(stripColor(), (Rgba{1, 1, 0, 1})); // yellow
    const Scene s = build();
    const auto parts = withRole(s, SceneRole::DrawnOutline);
    ASSERT_GE(parts.size(), 3u);
    EXPECT_EQ(parts[0]->size, 4.0f);
    EXPECT_FALSE(parts[0]->depthTest);
    EXPECT_EQ(parts[0]->vertices[0], (Point3{0, 20.02, 0}));
    // The ring on the first point: white size 5, then size 3 in the outline colour.
    EXPECT_EQ(parts[parts.size() - 2]->color, (Rgba{1, 1, 1, 1}));
    EXPECT_EQ(parts.back()->size, 3.0f);
    state.editMode = int(EditMode::PolygonFace);
    state.mirrorEdit = true;
    model->mirrorX = 20;
    const auto mirrored = withRole(build(), SceneRole::DrawnOutline);
    EXPECT_EQ(mirrored[1]->color, (Rgba{1, 1, 0, 1}));
    EXPECT_EQ(mirrored[1]->vertices[1], (Point3{30, 20.02, 0}));
}

TEST_F(SceneTest, EditPlaneGridHandlesAndRuler) {
    const Scene s = build();
    const auto grid = withRole(s, SceneRole::Grid);
    ASSERT_FALSE(grid.empty());
    EXPECT_EQ(grid.front()->color, entry(3));
    EXPECT_EQ(grid.back()->size, 3.0f); // the centre line
    std::size_t thin = 0;
    for (const DrawItem* d : grid)
        if (d->size == 1.0f)
            thin += d->vertices.size() / 2;
    EXPECT_EQ(thin, 17u + 9u); // x = -80..80 and height 0..80 every 10 mm
    const auto handles = withRole(s, SceneRole::Handle);
    ASSERT_EQ(handles.size(), 4u); // two solid cubes, each with a black wire cube
    EXPECT_EQ(handles[0]->color, (Rgba{0, 0, 1, 1}));
    EXPECT_EQ(handles[1]->color, (Rgba{0, 0, 0, 1}));
    EXPECT_FALSE(withRole(s, SceneRole::Ruler).empty());

    extras.activeHandle = 2;
    EXPECT_EQ(withRole(build(), SceneRole::Handle)[2]->color, (Rgba{1, 0, 0, 1}));
    model->editPlane = FacePlane::Horizontal;
    extras.activeHandle = 0;
    const Scene h = build();
    EXPECT_EQ(withRole(h, SceneRole::Grid).front()->color, entry(4));
    EXPECT_EQ(withRole(h, SceneRole::Handle)[0]->color, (Rgba{0, 1, 0, 1}));

    state.editMode = int(EditMode::OutlineEdit);
    EXPECT_TRUE(withRole(build(), SceneRole::Handle).empty());
    EXPECT_FALSE(withRole(build(), SceneRole::Grid).empty());
    state.editMode = int(EditMode::FaceOperation);
    EXPECT_TRUE(withRole(build(), SceneRole::Grid).empty());
    state.editMode = int(EditMode::PolygonFace);
    state.showEditPlane = false;
    EXPECT_TRUE(withRole(build(), SceneRole::Grid).empty());
}

TEST_F(SceneTest, FinerGridAddsTheCoarseLinesAtDoubleWidth) {
    model->gridLevel = 1;
    model->gridSize = 5;
    std::size_t thin = 0, wide = 0;
    for (const DrawItem* d : withRole(build(), SceneRole::Grid)) {
        if (d->size == 1.0f)
            thin += d->vertices.size() / 2;
        if (d->size == 2.0f)
            wide += d->vertices.size() / 2;
    }
    EXPECT_EQ(thin, 33u + 17u);
    EXPECT_EQ(wide, 17u + 9u);
}

TEST_F(SceneTest, MirrorEditingAddsLinePlaneAndHandle) {
    state.mirrorEdit = true;
    model->mirrorX = -30;
    const Scene s = build();
    const auto line = withRole(s, SceneRole::MirrorLine);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0]->vertices[0], (Point3{-30, 20, 0}));
    EXPECT_EQ(line[0]->vertices[1], (Point3{-30, 20, 80}));
    EXPECT_EQ(line[0]->size, 3.0f);
    const auto plane = withRole(s, SceneRole::MirrorPlane);
    ASSERT_EQ(plane.size(), 1u);
    EXPECT_EQ(plane[0]->color.a, 0.5f);
    EXPECT_EQ(withRole(s, SceneRole::Handle).size(), 6u);
    state.editMode = int(EditMode::OutlineEdit);
    EXPECT_TRUE(withRole(build(), SceneRole::MirrorLine).empty());
}

TEST_F(SceneTest, CardSizePreviewLoops) {
    state.cardSizePreview = true;
    state.previewWidth = 101;
    state.previewHeight = 60;
    const auto loops = withRole(build(), SceneRole::SizePreview);
    ASSERT_EQ(loops.size(), 2u);
    EXPECT_EQ(loops[0]->color, (Rgba{1, 0, 0, 1}));
    EXPECT_EQ(loops[0]->vertices[2], (Point3{50, 60, 0})); // integer half width
    EXPECT_EQ(loops[1]->vertices[2], (Point3{50, 0, 60}));
}

TEST_F(SceneTest, UnderlayTexturesMapThePictureRectangle) {
    model->frontImage.picture = std::make_unique<Picture>();
    model->frontImage.width = 80;
    model->frontImage.height = 40;
    model->frontImage.centerX = 0;
    model->frontImage.bottom = 10;
    model->topImage.picture = std::make_unique<Picture>();
    model->topImage.width = 160;
    model->topImage.height = 80;
    const Scene s = build();
    const auto halves = withRole(s, SceneRole::CardHalf);
    ASSERT_EQ(halves[0]->texture, SceneTexture::Front);
    // Corners (-80, 0, 0) and (80, 0, 80): outside the picture, clamped by the renderer.
    EXPECT_EQ(halves[0]->texCoords[0], (Point2{-0.5, -0.25}));
    EXPECT_EQ(halves[0]->texCoords[2], (Point2{1.5, 1.75}));
    EXPECT_EQ(halves[0]->color, entry(12)); // unset: the colour last set modulates it
    ASSERT_EQ(halves[1]->texture, SceneTexture::Top);
    EXPECT_EQ(halves[1]->texCoords[0], (Point2{1, 0})); // mirrored in x
    EXPECT_EQ(halves[1]->texCoords[2], (Point2{0, 1}));
    EXPECT_EQ(s.frontPicture, model->frontImage.picture.get());
    // The half turns with the card; the picture stays where it lies on the sheet.
    state.openAngle = 0;
    const auto closed = withRole(build(), SceneRole::CardHalf);
    EXPECT_EQ(closed[0]->vertices[2], (Point3{80, 80, 0}));
    EXPECT_EQ(closed[0]->texCoords[2], (Point2{1.5, 1.75}));
    state.showUnderlay = false;
    const Scene off = build();
    EXPECT_TRUE(withRole(off, SceneRole::CardHalf).empty());
    EXPECT_EQ(off.frontPicture, nullptr);
}

TEST_F(SceneTest, FaceTextureCoordinatesComeFromTheRightAnglePosition) {
    model->frontImage.picture = std::make_unique<Picture>();
    model->frontImage.width = 20;
    model->frontImage.height = 40;
    raiseVertical(*model);
    state.openAngle = 45;
    const Scene s = build();
    bool found = false;
    for (const DrawItem& d : s.items)
        for (std::size_t i = 0; i < d.texCoords.size(); ++i)
            if (d.role == SceneRole::Face && d.texture == SceneTexture::Front &&
                d.vertices[i].x == -10 && std::fabs(d.texCoords[i].y - 0.75) < 1e-12 &&
                d.texCoords[i].x == 0)
                found = true;
    EXPECT_TRUE(found);
}

TEST_F(SceneTest, UnderlayFrameWithEightHandles) {
    state.editMode = int(EditMode::UnderlayTop);
    EXPECT_TRUE(withRole(build(), SceneRole::UnderlayFrame).empty()); // no top picture
    model->topImage.picture = std::make_unique<Picture>();
    model->topImage.width = 40;
    model->topImage.height = 20;
    model->topImage.centerX = 10;
    model->topImage.bottom = 5;
    const auto frame = withRole(build(), SceneRole::UnderlayFrame);
    ASSERT_FALSE(frame.empty());
    EXPECT_EQ(frame[0]->kind, PrimitiveKind::LineLoop);
    EXPECT_EQ(frame[0]->vertices[2], (Point3{30, 25, 0}));
    EXPECT_FALSE(frame[0]->depthTest);
    std::size_t points = 0;
    for (const DrawItem* d : frame)
        if (d->kind == PrimitiveKind::Points)
            points += d->vertices.size();
    EXPECT_EQ(points, 16u);
}

TEST_F(SceneTest, CornerMarkersOnTheEditPlaneFacesOnly) {
    addBoth(*model, handFace(FacePlane::Vertical, 20, {{0, 0}, {5, 0}, {5, 5}}));
    addBoth(*model, handFace(FacePlane::Vertical, 30, {{0, 0}, {5, 0}, {5, 5}}));
    state.editMode = int(EditMode::OutlineEdit);
    extras.markedVertex = Point3{5, 20, 25};
    const auto markers = withRole(build(), SceneRole::CornerMarker);
    std::size_t red = 0, white = 0;
    for (const DrawItem* d : markers)
        (d->color == Rgba{1, 1, 1, 1} ? white : red) += d->vertices.size();
    EXPECT_EQ(white, 3u); // the base faces and the face at 30 have none
    EXPECT_EQ(red, 3u + 1u);
    state.editMode = int(EditMode::PolygonFace);
    EXPECT_TRUE(withRole(build(), SceneRole::CornerMarker).empty());
}

TEST_F(SceneTest, FaceOperationGridSelectionBoxAndGizmo) {
    state.editMode = int(EditMode::FaceOperation);
    state.inputDisplay = true;
    const Scene none = build();
    EXPECT_FALSE(withRole(none, SceneRole::CardGrid).empty());
    EXPECT_TRUE(withRole(none, SceneRole::Gizmo).empty());
    std::size_t gridLines = 0;
    for (const DrawItem* d : withRole(none, SceneRole::CardGrid))
        gridLines += d->vertices.size() / 2;
    // x = -70..70 on both halves (|x| < 80), and heights 10..80 on both.
    EXPECT_EQ(gridLines, 2u * 15u + 2u * 8u);

    model->selectedFaces.push_back(model->userFaces[1].get());
    model->selectionBox = {{-10, 0, 0}, {10, 20, 30}, {0, 20, 30}};
    camera.scale = 2;
    const Scene s = build();
    const auto box = withRole(s, SceneRole::SelectionBox);
    ASSERT_EQ(box.size(), 3u); // two loops and the four joining lines
    EXPECT_EQ(box[0]->color, entry(15));
    EXPECT_FALSE(box[0]->depthTest);
    const auto gizmo = withRole(s, SceneRole::Gizmo);
    ASSERT_EQ(gizmo.size(), 5u); // axis lines, cube, three cones
    const double r = 0.1 * 160 / 2;
    EXPECT_EQ(gizmo[0]->vertices[1], (Point3{r, 20, 30}));
    EXPECT_TRUE(gizmo[1]->lit);
    EXPECT_EQ(gizmo[2]->color, (Rgba{1, 0, 0, 1}));
    double tip = 0;
    for (const Point3& v : gizmo[2]->vertices)
        tip = std::max(tip, v.x);
    EXPECT_NEAR(tip, 1.5 * r, 1e-9);
    state.orthographic = true;
    EXPECT_FALSE(withRole(build(), SceneRole::Gizmo)[1]->lit);
}

TEST(SolidShapes, TrianglesFaceOutwardsWithTheirNormals) {
    const Point3 c{1, 2, 3};
    const DrawItem cube = solidCube(c, 2, {});
    ASSERT_EQ(cube.vertices.size(), 36u);
    std::vector<DrawItem> solids{cube};
    for (int axis = 0; axis < 3; ++axis)
        solids.push_back(solidCone(c, axis, 0.5, 2, 12, {}));
    for (const DrawItem& d : solids) {
        ASSERT_EQ(d.normals.size(), d.vertices.size());
        for (std::size_t i = 0; i + 2 < d.vertices.size(); i += 3) {
            const Point3 &a = d.vertices[i], &b = d.vertices[i + 1], &e = d.vertices[i + 2];
            const Point3 u{b.x - a.x, b.y - a.y, b.z - a.z}, v{e.x - a.x, e.y - a.y, e.z - a.z};
            const Point3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
            const Point3& given = d.normals[i];
            EXPECT_GT(n.x * given.x + n.y * given.y + n.z * given.z, 0) << i;
        }
    }
    for (std::size_t i = 0; i < cube.vertices.size(); ++i) {
        const Point3& v = cube.vertices[i];
        const Point3& n = cube.normals[i];
        EXPECT_NEAR((v.x - c.x) * n.x + (v.y - c.y) * n.y + (v.z - c.z) * n.z, 1.0, 1e-12);
    }
    EXPECT_EQ(wireCube(c, 2, {}).vertices.size(), 24u);
}

TEST_F(SceneTest, GizmoKeepsItsScreenSizeWhenZooming) {
    state.editMode = int(EditMode::FaceOperation);
    model->selectedFaces.push_back(model->userFaces[1].get());
    model->selectionBox = {{-10, 0, 0}, {10, 20, 30}, {0, 20, 30}};
    auto armPixels = [&](double scale) {
        camera.scale = scale;
        const Scene s = build();
        const DrawItem* arms = withRole(s, SceneRole::Gizmo)[0];
        const Point3 g = model->selectionBox.handle;
        const Point3 tip = arms->vertices[1]; // end of the x arm
        const WindowPoint a = s.projection.project(g), b = s.projection.project(tip);
        return std::hypot(b.x - a.x, b.y - a.y);
    };
    state.orthographic = true;
    const double ortho = armPixels(1);
    EXPECT_GT(ortho, 20);
    EXPECT_NEAR(armPixels(3), ortho, 1e-9);
    EXPECT_NEAR(armPixels(0.4), ortho, 1e-9);
    // In perspective the size holds where zooming does not move the gizmo nearer: at the origin.
    state.orthographic = false;
    model->selectionBox.handle = {0, 0, 0};
    const double persp = armPixels(1);
    EXPECT_NEAR(armPixels(3), persp, 1e-9);
    EXPECT_NEAR(armPixels(0.4), persp, 1e-9);
}

TEST_F(SceneTest, DamagedGridSizeDrawsNoGrid) {
    for (double g : {0.0, -10.0, 1e-9, std::nan("")}) {
        model->gridSize = g;
        model->initGridSize = g;
        state.editMode = int(EditMode::PolygonFace);
        const Scene& s = build();
        std::size_t grid = 0;
        for (const DrawItem* d : withRole(s, SceneRole::Grid))
            grid += d->vertices.size();
        EXPECT_LE(grid, 2u) << g; // at most the centre line
        EXPECT_TRUE(withRole(s, SceneRole::Ruler).empty()) << g;
        state.editMode = int(EditMode::FaceOperation);
        EXPECT_TRUE(withRole(build(), SceneRole::CardGrid).empty()) << g;
    }
}

namespace {

// One primitive vertex with everything that decides how it is drawn.
struct DrawnVertex {
    SceneRole role;
    PrimitiveKind kind;
    Rgba color;
    float size;
    bool depthTest, lit;
    SceneTexture texture;
    Point3 at;
    Point2 tex;
    bool operator<(const DrawnVertex& o) const {
        auto key = [](const DrawnVertex& v) {
            return std::tuple(int(v.role), int(v.kind), v.color.r, v.color.g, v.color.b, v.color.a,
                              v.size, v.depthTest, v.lit, int(v.texture), v.at.x, v.at.y, v.at.z,
                              v.tex.x, v.tex.y);
        };
        return key(*this) < key(o);
    }
    bool operator==(const DrawnVertex& o) const { return !(*this < o) && !(o < *this); }
};

std::vector<DrawnVertex> drawnVertices(const std::vector<const Scene*>& scenes) {
    std::vector<DrawnVertex> out;
    for (const Scene* s : scenes)
        for (const DrawItem& d : s->items)
            for (std::size_t i = 0; i < d.vertices.size(); ++i)
                out.push_back({d.role, d.kind, d.color, d.size, d.depthTest, d.lit, d.texture,
                               d.vertices[i], i < d.texCoords.size() ? d.texCoords[i] : Point2{}});
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

// While faces are dragged the frame is drawn in two layers: together they must hold exactly the
// primitives of the whole frame, the selected faces and the selection's marks all in the moving
// layer and nothing else there, on random cards with random selections.
TEST_F(SceneTest, StillAndMovingLayersTogetherAreTheWholeFrame) {
    std::srand(7);
    auto uniform = [](double lo, double hi) {
        return lo + (hi - lo) * (std::rand() / double(RAND_MAX));
    };
    state.editMode = int(EditMode::FaceOperation);
    state.inputDisplay = true;
    for (int round = 0; round < 40; ++round) {
        model = handCard(160, 80, 20);
        const int faces = 1 + round % 9;
        for (int i = 0; i < faces; ++i) {
            const double x = uniform(-70, 50), y = uniform(0, 50), w = uniform(2, 30);
            const FacePlane plane = std::rand() % 2 ? FacePlane::Vertical : FacePlane::Horizontal;
            const double sheetY = plane == FacePlane::Vertical ? y : -y;
            addBoth(*model, handFace(plane, uniform(0, 60),
                                     {{x, sheetY},
                                      {x + w, sheetY},
                                      {x + w, sheetY + w / 2},
                                      {x + w / 3, sheetY + w}}));
        }
        for (auto& f : model->userFaces)
            if (!f->isBase && std::rand() % 3 == 0) {
                f->isSelected = true;
                model->selectedFaces.push_back(f.get());
            }
        model->selectionBox = {{-10, 0, 0}, {10, 20, 30}, {0, 20, 30}};
        // Every third round with pictures on both halves: the half quads take the colour last
        // set, which a face drawn in the other layer may have set.
        const bool pictures = round % 3 == 0;
        for (UnderlayImage* u : {&model->frontImage, &model->topImage}) {
            u->picture = pictures ? std::make_unique<Picture>() : nullptr;
            u->width = 80;
            u->height = 40;
        }
        state.antiAlias = round % 2 == 0;
        SCOPED_TRACE(round);

        extras.layer = SceneLayer::Whole;
        const Scene whole = build();
        extras.layer = SceneLayer::Still;
        const Scene still = build();
        extras.layer = SceneLayer::Moving;
        const Scene moving = build();
        EXPECT_TRUE(drawnVertices({&whole}) == drawnVertices({&still, &moving}));
        for (const DrawItem& d : still.items)
            EXPECT_TRUE(d.role != SceneRole::Gizmo && d.role != SceneRole::SelectionBox);
        for (const DrawItem& d : moving.items)
            EXPECT_TRUE(d.role == SceneRole::Face || d.role == SceneRole::Outline ||
                        d.role == SceneRole::Gizmo || d.role == SceneRole::SelectionBox)
                << int(d.role);
        // The moving layer holds the selected faces' corners and no other face's.
        for (const auto& f : model->userFaces)
            for (const Triangle& t : f->triangles) {
                const Point3 p = f->toSpace(t.corners[0]);
                bool inMoving = false;
                for (const DrawItem& d : moving.items)
                    if (d.role == SceneRole::Face)
                        inMoving |=
                            std::find(d.vertices.begin(), d.vertices.end(), p) != d.vertices.end();
                EXPECT_EQ(inMoving, f->isSelected);
            }
        EXPECT_EQ(still.lineSmooth, whole.lineSmooth);
        EXPECT_EQ(moving.lineSmooth, whole.lineSmooth);
    }
}
