// What counts as a change of the design for the unsaved-changes mark.
#include "model_file/design_fingerprint.h"

#include <gtest/gtest.h>

namespace plicato {
namespace {

std::unique_ptr<Face> triangleFace(double offset) {
    auto face = std::make_unique<Face>(FacePlane::Vertical, offset);
    auto loop = std::make_unique<Loop>();
    loop->points = {{0, 0}, {10, 0}, {0, 10}};
    face->polygon.addLoop(std::move(loop));
    return face;
}

class DesignFingerprintTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.cardWidth = 160;
        model.cardHeight = 80;
        model.initGridSize = model.gridSize = 10;
        model.userFaces.push_back(triangleFace(5));
        before = designFingerprint(model);
    }
    CardModel model;
    std::uint64_t before = 0;
};

TEST_F(DesignFingerprintTest, SavedContentChangesTheFingerprint) {
    model.userFaces[0]->polygon.loops[0]->points[1].x = 10.5;
    EXPECT_NE(designFingerprint(model), before);
    model.userFaces[0]->polygon.loops[0]->points[1].x = 10;
    EXPECT_EQ(designFingerprint(model), before) << "undoing the edit makes it clean again";

    model.userFaces[0]->offset = 6;
    EXPECT_NE(designFingerprint(model), before);
    model.userFaces[0]->offset = 5;
    model.userFaces[0]->polygon.loops[0]->isHole = true;
    EXPECT_NE(designFingerprint(model), before);
    model.userFaces[0]->polygon.loops[0]->isHole = false;
    model.userFaces[0]->plane = FacePlane::Horizontal;
    EXPECT_NE(designFingerprint(model), before);
    model.userFaces[0]->plane = FacePlane::Vertical;
    EXPECT_EQ(designFingerprint(model), before);
}

TEST_F(DesignFingerprintTest, CardSizeGridAndUnderlaysCount) {
    model.cardWidth = 170;
    EXPECT_NE(designFingerprint(model), before);
    model.cardWidth = 160;
    model.initGridSize = 5;
    EXPECT_NE(designFingerprint(model), before);
    model.initGridSize = 10;
    model.frontImage.path = "/pictures/front.bmp";
    EXPECT_NE(designFingerprint(model), before);
    model.frontImage.path.clear();
    model.topImage.centerX = 3;
    EXPECT_NE(designFingerprint(model), before);
    model.topImage.centerX = 0;
    EXPECT_EQ(designFingerprint(model), before);
}

TEST_F(DesignFingerprintTest, AddingOrReorderingFacesCounts) {
    model.userFaces.push_back(triangleFace(7));
    const auto two = designFingerprint(model);
    EXPECT_NE(two, before);
    std::swap(model.userFaces[0], model.userFaces[1]);
    EXPECT_NE(designFingerprint(model), two);
}

TEST_F(DesignFingerprintTest, ViewAndSelectionStateDoNotCount) {
    model.userFaces[0]->isSelected = true;
    model.selectedFaces.push_back(model.userFaces[0].get());
    model.gridLevel = 2;
    model.gridSize = 2.5;
    model.editOffset = 30;
    model.editPlane = FacePlane::Horizontal;
    model.drawPoints.push_back({});
    model.builtFaces.push_back(triangleFace(1));
    EXPECT_EQ(designFingerprint(model), before);
}

} // namespace
} // namespace plicato
