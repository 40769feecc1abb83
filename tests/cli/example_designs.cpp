// The example designs: a box, stairs, a house with a door and window flaps, a skyline of boxes
// at different depths and heights, a gallery wall whose windows are holes, and a name card of
// text in a Japanese Gothic font.
#include "tests/cli/example_designs.h"

#include "model/core_state.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"
#include "text/font_face.h"
#include "text/font_list.h"
#include "text/text_shapes.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace plicato {

namespace {

using InPlane = std::pair<double, double>;

// Clicks an outline on an edit plane: (x, height) on a vertical plane at depth `offset`, or
// (x, depth) on a horizontal plane at height `offset`, then closes it in the given mode.
void clickOutline(CardModel& model, FacePlane plane, double offset,
                  std::initializer_list<InPlane> points, EditMode mode = EditMode::PolygonFace) {
    model.editPlane = plane;
    model.editOffset = offset;
    model.drawPoints.clear();
    for (const auto& [u, v] : points) {
        const Point3 space =
            plane == FacePlane::Vertical ? Point3{u, offset, v} : Point3{u, v, offset};
        model.drawPoints.push_back({space, flatten(space)});
    }
    createFaceFromOutline(model, mode);
    model.drawPoints.clear();
}

// A box standing on the base: its front at `depth` from the floor to `height`, its lid at
// `height` from the front back to the upright half, both from x1 to x2.
void addBox(CardModel& model, double x1, double x2, double depth, double height) {
    clickOutline(model, FacePlane::Vertical, depth, {{x1, 0}, {x2, 0}, {x2, height}, {x1, height}});
    clickOutline(model, FacePlane::Horizontal, height,
                 {{x1, 0}, {x2, 0}, {x2, depth}, {x1, depth}});
}

std::unique_ptr<CardModel> box() {
    auto model = makeNewCard(80, 80);
    addBox(*model, -30, 30, 30, 40);
    return model;
}

std::unique_ptr<CardModel> stairs() {
    auto model = makeNewCard(80, 80);
    // Riser and tread in turn from the front step up to the upright half.
    const double x1 = -40, x2 = 40, step = 15;
    for (int i = 0; i < 3; ++i) {
        const double depth = step * (3 - i), low = step * i, high = step * (i + 1);
        clickOutline(*model, FacePlane::Vertical, depth,
                     {{x1, low}, {x2, low}, {x2, high}, {x1, high}});
        clickOutline(*model, FacePlane::Horizontal, high,
                     {{x1, depth - step}, {x2, depth - step}, {x2, depth}, {x1, depth}});
    }
    return model;
}

std::unique_ptr<CardModel> house() {
    auto model = makeNewCard(80, 80);
    // Front depth plus ridge height stays inside the 80 mm half, so the card closes flat.
    const double depth = 24, eaves = 40, ridge = 54;
    // The roof first; the front with its gable is drawn over it and takes the gable's paper.
    // The eaves either side of the gable stay folded to the roof, which holds the front up.
    clickOutline(*model, FacePlane::Horizontal, eaves,
                 {{-35, 0}, {35, 0}, {35, depth}, {-35, depth}});
    clickOutline(
        *model, FacePlane::Vertical, depth,
        {{-35, 0}, {35, 0}, {35, eaves}, {22, eaves}, {0, ridge}, {-22, eaves}, {-35, eaves}});
    // The door opens inwards about its sill; the window flaps fold in about their sills.
    clickOutline(*model, FacePlane::Vertical, depth, {{-7, 0}, {7, 0}, {7, 22}, {-7, 22}},
                 EditMode::CutOut);
    clickOutline(*model, FacePlane::Vertical, depth, {{-27, 18}, {-15, 18}, {-15, 30}, {-27, 30}},
                 EditMode::CutOut);
    clickOutline(*model, FacePlane::Vertical, depth, {{15, 18}, {27, 18}, {27, 30}, {15, 30}},
                 EditMode::CutOut);
    return model;
}

std::unique_ptr<CardModel> skyline() {
    auto model = makeNewCard(90, 80);
    struct Tower {
        double x1, x2, depth, height;
    };
    for (const Tower& t : {Tower{-85, -62, 20, 52}, Tower{-58, -33, 38, 30}, Tower{-29, -6, 14, 62},
                           Tower{-2, 20, 44, 24}, Tower{24, 50, 26, 46}, Tower{54, 84, 32, 36}})
        addBox(*model, t.x1, t.x2, t.depth, t.height);
    return model;
}

std::unique_ptr<CardModel> gallery() {
    auto model = makeNewCard(80, 70);
    // A wall standing in front of the upright half, with two square windows and a round one
    // cut through it as holes of the wall's face, and its lid back to the upright half.
    const double depth = 18, height = 50; // 68 from the fold when closed, on a 70 half
    auto wall = std::make_unique<Face>(FacePlane::Vertical, depth);
    const auto sheetY = [depth](double z) { return z - depth; };
    auto outer = std::make_unique<Loop>();
    // Clockwise on the sheet, as clicked outlines are stored.
    outer->points = {
        {-50, sheetY(height)}, {50, sheetY(height)}, {50, sheetY(0)}, {-50, sheetY(0)}};
    wall->polygon.addLoop(std::move(outer));
    for (double x : {-38.0, 14.0}) {
        auto hole = std::make_unique<Loop>();
        hole->isHole = true;
        hole->points = {
            {x, sheetY(45)}, {x + 24, sheetY(45)}, {x + 24, sheetY(30)}, {x, sheetY(30)}};
        wall->polygon.addLoop(std::move(hole));
    }
    auto round = std::make_unique<Loop>();
    round->isHole = true;
    for (int k = 0; k < 24; ++k) {
        const double a = -6.283185307179586 * k / 24;
        round->points.push_back({6 * std::cos(a), sheetY(16) + 5 * std::sin(a)});
    }
    wall->polygon.addLoop(std::move(round));
    addUserFace(*model, std::move(wall));
    clickOutline(*model, FacePlane::Horizontal, height,
                 {{-50, 0}, {50, 0}, {50, depth}, {-50, depth}});
    return model;
}

// "Happy 誕生日" standing on the card in IPAGothic 12 mm (em 16 mm at 96 dots per inch) on a
// plinth that joins the letters, the holes of its letters cut out of the base. Without IPAGothic
// the card stays blank.
std::unique_ptr<CardModel> nameCard() {
    auto model = makeNewCard(75, 60);
    const auto file = findFontFile("IPAGothic");
    CollectingMessageSink sink;
    const auto font = file && file->family == "IPAGothic"
                          ? FontFace::open(file->path, file->index, emPixelsFor(12, 96), sink)
                          : nullptr;
    if (font) {
        // A plinth on the vertical plane joins the letters and stands them on the base.
        clickOutline(*model, FacePlane::Vertical, 30, {{-52, 0}, {52, 0}, {52, 4}, {-52, 4}});
        model->editPlane = FacePlane::Vertical;
        model->editOffset = 30;
        buildTextShapes(*model, *font, decodeUtf8("Happy 誕生日"), 1.0);
        for (auto& f : model->userFaces)
            f->isSelected = false;
        model->selectedFaces.clear();
    }
    return model;
}

} // namespace

std::vector<ExampleDesign> exampleDesigns() {
    return {{"box", box},         {"stairs", stairs},   {"house", house},
            {"skyline", skyline}, {"gallery", gallery}, {"name_card", nameCard}};
}

} // namespace plicato
