// Shared set-up for the editing tests: a fresh card with its own core state, face builders,
// an exact comparison of face lists and a check that the built faces cover the sheet once.
#pragma once

#include "model/card_model.h"
#include "model/core_state.h"
#include "tests/support/polygon_area.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <random>

namespace plicato::test {

class EditingTest : public ::testing::Test {
protected:
    // A 200 by 80 card (half-width 100) at 90 degrees, outside the face-operation mode.
    void SetUp() override;
    void TearDown() override;

    // Adds a face with one outer loop through addUserFace; nullptr when it was dropped.
    Face* addFace(FacePlane plane, double offset, std::initializer_list<Point2> outline);
    // Adds the rectangle [x0, x1] x [y0, y1] (sheet coordinates), stored clockwise.
    Face* addRect(FacePlane plane, double offset, double x0, double y0, double x1, double y1);
    // Selects exactly the given faces (flags and list).
    void select(std::initializer_list<Face*> faces);
    void setFaceOperation(bool on);

    CoreState state;
    std::unique_ptr<CardModel> owned;
    CardModel* model = nullptr;
};

// Exact equality of two face lists: plane, offset, flags, every loop point and every triangle.
::testing::AssertionResult sameFaces(const FaceList& expected, const FaceList& actual);
// Deep copies of a face list.
FaceList copyFaces(const FaceList& faces);
// Area of the face's region by its outline (holes subtract) and by its triangle fill.
inline double polygonArea(const Face& face) {
    return testing::polygonArea(face.polygon);
}
inline double triangleArea(const Face& face) {
    return testing::trianglesArea(face.triangles);
}
// The built faces of the model cover the sheet exactly once: their areas (by outline and by
// triangles) add up to the sheet's, and sampled points of the sheet lie in exactly one face.
::testing::AssertionResult builtFacesPartitionSheet(const CardModel& model, std::mt19937& rng);

} // namespace plicato::test
