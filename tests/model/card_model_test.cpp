// The card model: the empty model, the grid and its snapping, destruction of everything owned,
// and the one current model of the process.
#include "model/card_model.h"
#include "model/core_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plicato;

namespace {

// Counts its own destruction, to see which lists a model really frees.
class CountedFace : public Face {
public:
    explicit CountedFace(int& counter) : Face(FacePlane::Vertical, 0.0), counter_(counter) {}
    ~CountedFace() override { ++counter_; }

private:
    int& counter_;
};

} // namespace

TEST(CardModel, EmptyModelSwitchesMirrorEditingOff) {
    coreState().mirrorEdit = true;
    CardModel m;
    EXPECT_FALSE(coreState().mirrorEdit);
    EXPECT_TRUE(m.userFaces.empty());
    EXPECT_TRUE(m.builtFaces.empty());
    EXPECT_EQ(m.cardWidth, 0);
    EXPECT_EQ(m.cardHeight, 0);
    EXPECT_EQ(m.mirrorX, 0.0);
    EXPECT_EQ(m.editPlane, FacePlane::Vertical);
}

TEST(CardModel, SnapRoundsHalvesUpAndTruncatesToWholeMillimetres) {
    CardModel m;
    m.setGridSize(10.0);
    EXPECT_EQ(m.snapToGrid(14.9), 10.0);
    EXPECT_EQ(m.snapToGrid(15.0), 20.0);
    EXPECT_EQ(m.snapToGrid(25.0), 30.0);
    EXPECT_EQ(m.snapToGrid(0.0), 0.0);
    // Truncation toward zero makes negative values round toward zero at the half.
    EXPECT_EQ(m.snapToGrid(-7.0), 0.0);
    EXPECT_EQ(m.snapToGrid(-15.0), -10.0);
    EXPECT_EQ(m.snapToGrid(-16.0), -10.0);
    EXPECT_EQ(m.snapToGrid(-26.0), -20.0);

    m.setGridSize(2.5);
    EXPECT_EQ(m.snapToGrid(6.3), 7.0); // grid line 7.5, cut to 7 mm
    EXPECT_EQ(m.snapToGrid(6.2), 5.0);
    m.setGridSize(0.625);
    EXPECT_EQ(m.snapToGrid(1.0), 1.0); // 1.25 -> 1
}

TEST(CardModel, SnapStaysDefinedForAbsurdInput) {
    CardModel m; // grid 0 before setGridSize
    EXPECT_TRUE(std::isfinite(m.snapToGrid(5.0)));
    EXPECT_TRUE(std::isfinite(m.snapToGrid(0.0)));
    m.setGridSize(10.0);
    EXPECT_TRUE(std::isfinite(m.snapToGrid(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isfinite(m.snapToGrid(1e300)));
    EXPECT_TRUE(std::isfinite(m.snapToGrid(-1e300)));
}

TEST(CardModel, SetGridSizeResetsTheLevelAndSnapsTheEditOffset) {
    CardModel m;
    m.setGridSize(10.0);
    m.gridLevel = 3;
    m.gridSize = 1.25;
    m.editOffset = 37.0;
    m.setGridSize(5.0);
    EXPECT_EQ(m.initGridSize, 5.0);
    EXPECT_EQ(m.gridSize, 5.0);
    EXPECT_EQ(m.gridLevel, 0);
    EXPECT_EQ(m.editOffset, 35.0);
    m.editOffset = 37.5;
    m.setGridSize(5.0);
    EXPECT_EQ(m.editOffset, 40.0);
}

TEST(CardModel, DestructionFreesEveryOwnedFace) {
    int destroyed = 0;
    {
        CardModel m;
        m.userFaces.push_back(std::make_unique<CountedFace>(destroyed));
        m.builtFaces.push_back(std::make_unique<CountedFace>(destroyed));
        m.clipboardFaces.push_back(std::make_unique<CountedFace>(destroyed));
        auto snap = std::make_unique<UndoSnapshot>();
        snap->faces.push_back(std::make_unique<CountedFace>(destroyed));
        snap->faces.push_back(std::make_unique<CountedFace>(destroyed));
        m.undoHistory.push_back(std::move(snap));
        m.selectedFaces.push_back(m.userFaces[0].get());
        auto link = std::make_unique<FaceLink>();
        link->vFace = m.builtFaces[0].get();
        m.builtFaces[0]->links.push_back(link.get());
        m.links.push_back(std::move(link));
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 5);
}

TEST(CardModel, CurrentModelIsReplacedAsAWhole) {
    int destroyed = 0;
    auto first = std::make_unique<CardModel>();
    first->userFaces.push_back(std::make_unique<CountedFace>(destroyed));
    CardModel* firstRaw = first.get();
    setCurrentModel(std::move(first));
    EXPECT_EQ(currentModel(), firstRaw);

    auto second = std::make_unique<CardModel>();
    CardModel* secondRaw = second.get();
    setCurrentModel(std::move(second));
    EXPECT_EQ(currentModel(), secondRaw);
    EXPECT_EQ(destroyed, 1);

    setCurrentModel(nullptr);
    EXPECT_EQ(currentModel(), nullptr);
}
