// Shared set-up for the editing tests.
#include "editing_fixture.h"

#include "popup/face_creation.h"
#include "popup/new_card.h"

#include <cmath>
#include <sstream>

namespace plicato::test {

void EditingTest::SetUp() {
    state = CoreState{};
    state.openAngle = 90;
    installCoreState(&state);
    owned = makeNewCard(100, 80);
    model = owned.get();
}

void EditingTest::TearDown() {
    owned.reset();
    installCoreState(nullptr);
}

Face* EditingTest::addFace(FacePlane plane, double offset, std::initializer_list<Point2> outline) {
    auto face = std::make_unique<Face>(plane, offset);
    auto loop = std::make_unique<Loop>();
    loop->points = outline;
    face->polygon.addLoop(std::move(loop));
    if (!addUserFace(*model, std::move(face)))
        return nullptr;
    return model->userFaces.back().get();
}

Face* EditingTest::addRect(FacePlane plane, double offset, double x0, double y0, double x1,
                           double y1) {
    return addFace(plane, offset, {{x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}});
}

void EditingTest::select(std::initializer_list<Face*> faces) {
    for (auto& f : model->userFaces)
        f->isSelected = false;
    model->selectedFaces.clear();
    for (Face* f : faces) {
        f->isSelected = true;
        model->selectedFaces.push_back(f);
    }
}

void EditingTest::setFaceOperation(bool on) {
    state.editMode = int(on ? EditMode::FaceOperation : EditMode::PolygonFace);
}

FaceList copyFaces(const FaceList& faces) {
    FaceList out;
    for (const auto& f : faces)
        out.push_back(std::make_unique<Face>(*f));
    return out;
}

::testing::AssertionResult sameFaces(const FaceList& expected, const FaceList& actual) {
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure()
               << "face count " << actual.size() << ", expected " << expected.size();
    for (size_t i = 0; i < expected.size(); ++i) {
        const Face& e = *expected[i];
        const Face& a = *actual[i];
        auto fail = [i]() { return ::testing::AssertionFailure() << "face " << i << ": "; };
        if (e.plane != a.plane || e.offset != a.offset)
            return fail() << "plane/offset " << int(a.plane) << "/" << a.offset << ", expected "
                          << int(e.plane) << "/" << e.offset;
        if (e.isSelected != a.isSelected || e.isBase != a.isBase)
            return fail() << "flags differ";
        if (e.triangles != a.triangles)
            return fail() << "triangles differ";
        if (e.polygon.loops.size() != a.polygon.loops.size())
            return fail() << "loop count differs";
        for (size_t k = 0; k < e.polygon.loops.size(); ++k) {
            if (e.polygon.loops[k]->isHole != a.polygon.loops[k]->isHole ||
                e.polygon.loops[k]->points != a.polygon.loops[k]->points)
                return fail() << "loop " << k << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

namespace {
bool faceContains(const Face& face, const Point2& q) {
    for (const Triangle& t : face.triangles) {
        // Either orientation: the samples never lie on an edge in practice.
        if (pointInTriangle(t.corners[0], t.corners[1], t.corners[2], q) ||
            pointInTriangle(t.corners[0], t.corners[2], t.corners[1], q))
            return true;
    }
    return false;
}
} // namespace

::testing::AssertionResult builtFacesPartitionSheet(const CardModel& model, std::mt19937& rng) {
    const double w = model.cardWidth;
    const double h = model.cardHeight;
    const double sheet = w * 2 * h;
    double byOutline = 0;
    double byTriangles = 0;
    for (const auto& f : model.builtFaces) {
        byOutline += polygonArea(*f);
        byTriangles += triangleArea(*f);
    }
    const double tolerance = 1e-6 * sheet;
    if (std::abs(byOutline - sheet) > tolerance || std::abs(byTriangles - sheet) > tolerance)
        return ::testing::AssertionFailure() << "built area " << byOutline << " (outlines), "
                                             << byTriangles << " (triangles), sheet " << sheet;
    std::uniform_real_distribution<double> ux(-w / 2, w / 2);
    std::uniform_real_distribution<double> uy(-h, h);
    for (int s = 0; s < 24; ++s) {
        const Point2 q{ux(rng), uy(rng)};
        int count = 0;
        for (const auto& f : model.builtFaces)
            count += faceContains(*f, q) ? 1 : 0;
        if (count != 1)
            return ::testing::AssertionFailure()
                   << "sheet point (" << q.x << ", " << q.y << ") lies in " << count << " faces";
    }
    return ::testing::AssertionSuccess();
}

} // namespace plicato::test
