// Text shapes on a card: faces on the vertical plane, holes on the base, centring, selection,
// the command's single undo step and plane handling, and real fonts end to end.
#include "text/font_face.h"
#include "text/font_list.h"
#include "text/text_shapes.h"
#include "view/text_shape_command.h"

#include "editing/undo_history.h"
#include "popup/built_faces.h"
#include "popup/new_card.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>

using namespace plicato;

namespace {

const std::string monoFont = std::string(PLICATO_TEST_DATA) + "/fonts/DejaVuSansMono.ttf";

// Glyphs from a table: square rings and plain squares of given advances.
class TableGlyphs : public GlyphSource {
public:
    std::map<char32_t, GlyphOutline> table;
    bool glyph(char32_t code, GlyphOutline& out) const override {
        const auto it = table.find(code);
        if (it == table.end())
            return false;
        out = it->second;
        return true;
    }
};

OutlineContour squareContour(double x0, double y0, double side) {
    return {{x0, y0},
            {{CurveType::Line, {{x0, y0 + side}, {x0 + side, y0 + side}, {x0 + side, y0}}}}};
}

class TextShapesTest : public ::testing::Test {
protected:
    void SetUp() override {
        installDisplayState(&state);
        setCurrentModel(makeNewCard(100, 100));
    }
    void TearDown() override {
        setCurrentModel(nullptr);
        installDisplayState(nullptr);
    }
    CardModel& model() { return *currentModel(); }
    std::vector<const Face*> newFaces(std::size_t before) {
        std::vector<const Face*> out;
        for (std::size_t i = before; i < model().userFaces.size(); ++i)
            out.push_back(model().userFaces[i].get());
        return out;
    }
    static void bounds(const Face& f, Point2& lo, Point2& hi) {
        lo = {1e300, 1e300};
        hi = {-1e300, -1e300};
        for (const auto& loop : f.polygon.loops)
            for (const Point2& p : loop->points) {
                lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
                hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
            }
    }

    DisplayState state;
};

} // namespace

TEST_F(TextShapesTest, RingGivesAVerticalFaceAndACutOutOnTheBase) {
    TableGlyphs glyphs;
    GlyphOutline ring;
    ring.contours = {squareContour(0, 0, 40), squareContour(10, 10, 20)};
    ring.advance = 50;
    glyphs.table[U'O'] = ring;
    model().editOffset = 30;
    const std::size_t before = model().userFaces.size();
    EXPECT_EQ(buildTextShapes(model(), glyphs, U"O", 1.0), 50.0);
    const auto faces = newFaces(before);
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_EQ(faces[0]->plane, FacePlane::Vertical);
    EXPECT_EQ(faces[0]->offset, 30.0);
    EXPECT_EQ(faces[1]->plane, FacePlane::Horizontal);
    EXPECT_EQ(faces[1]->offset, 0.0);
    for (const Face* f : faces)
        EXPECT_TRUE(f->isSelected);
    EXPECT_EQ(model().selectedFaces.size(), 2u);
    // Centred by half the advance; the cut-out flattens onto the hole of the letter.
    Point2 lo, hi, hlo, hhi;
    bounds(*faces[0], lo, hi);
    bounds(*faces[1], hlo, hhi);
    EXPECT_NEAR(lo.x, -25, 1e-9);
    EXPECT_NEAR(hi.x, 15, 1e-9);
    EXPECT_NEAR(lo.y, -30, 1e-9); // baseline at height 0 of the plane at depth 30
    EXPECT_NEAR(hi.y, 10, 1e-9);
    EXPECT_NEAR(hlo.x, -15, 1e-9);
    EXPECT_NEAR(hhi.x, 5, 1e-9);
    EXPECT_NEAR(hlo.y, -20, 1e-9);
    EXPECT_NEAR(hhi.y, 0, 1e-9);
    EXPECT_EQ(model().editOffset, 30.0);
    EXPECT_EQ(model().editPlane, FacePlane::Vertical);
    EXPECT_TRUE(model().drawPoints.empty());
}

TEST_F(TextShapesTest, TotalAdvanceCentresTheText) {
    TableGlyphs glyphs;
    GlyphOutline bar;
    bar.contours = {squareContour(0, 0, 10)};
    bar.advance = 25;
    GlyphOutline blank;
    blank.advance = 25; // a space: no faces, still advances
    glyphs.table[U'I'] = bar;
    glyphs.table[U' '] = blank;
    const std::size_t before = model().userFaces.size();
    EXPECT_EQ(buildTextShapes(model(), glyphs, U"I  I", 1.0), 100.0);
    const auto faces = newFaces(before);
    ASSERT_EQ(faces.size(), 2u);
    Point2 lo, hi;
    bounds(*faces[0], lo, hi);
    EXPECT_NEAR(lo.x, -50, 1e-9); // total advance 100: moved 50 to the left
    bounds(*faces[1], lo, hi);
    EXPECT_NEAR(lo.x, 25, 1e-9);
    EXPECT_NEAR(hi.x, 35, 1e-9);
}

TEST_F(TextShapesTest, UnloadableCharactersAreSkippedWithoutAdvance) {
    TableGlyphs glyphs;
    GlyphOutline bar;
    bar.contours = {squareContour(0, 0, 10)};
    bar.advance = 20;
    glyphs.table[U'I'] = bar;
    const std::size_t before = model().userFaces.size();
    EXPECT_EQ(buildTextShapes(model(), glyphs, U"I?I", 1.0), 40.0);
    EXPECT_EQ(newFaces(before).size(), 2u);
}

TEST_F(TextShapesTest, CommandIsOneUndoStepAndEndsInFaceOperation) {
    CollectingMessageSink sink;
    const std::size_t before = model().userFaces.size();
    const std::size_t undoBefore = model().undoHistory.size();
    const TextShapeRequest request{"OK", "DejaVu Sans Mono", 30, 1.0};
    ASSERT_TRUE(runTextShapeCommand(model(), state, request, 96, sink));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(model().undoHistory.size(), undoBefore + 1);
    // O: outer and hole; K: one outline.
    EXPECT_EQ(model().userFaces.size(), before + 3);
    EXPECT_TRUE(state.inMode(EditMode::FaceOperation));
    EXPECT_TRUE(state.inputDisplay);
    undo(model());
    EXPECT_EQ(model().userFaces.size(), before);
}

TEST_F(TextShapesTest, CommandStartedOnTheHorizontalPlaneBuildsOnTheVertical) {
    model().editPlane = FacePlane::Horizontal;
    model().editOffset = 20;
    CollectingMessageSink sink;
    const std::size_t before = model().userFaces.size();
    ASSERT_TRUE(runTextShapeCommand(model(), state, {"l", "DejaVu Sans Mono", 20, 1.0}, 96, sink));
    const auto faces = newFaces(before);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(faces[0]->plane, FacePlane::Vertical);
    EXPECT_EQ(model().editPlane, FacePlane::Vertical);
}

TEST_F(TextShapesTest, EmptyTextAndMissingFontsLeaveTheDesignAlone) {
    CollectingMessageSink sink;
    const std::size_t before = model().userFaces.size();
    EXPECT_FALSE(runTextShapeCommand(model(), state, {"", "DejaVu Sans Mono", 30, 1.0}, 96, sink));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(model().undoHistory.size(), 0u);
    EXPECT_EQ(model().userFaces.size(), before);
    EXPECT_FALSE(state.inMode(EditMode::FaceOperation));
}

TEST_F(TextShapesTest, KanjiKeepsItsInnerSquareAsItsOwnPiece) {
    const auto ipa = findFontFile("ＭＳ ゴシック");
    if (!ipa || ipa->family != "IPAGothic")
        GTEST_SKIP() << "IPAGothic is not installed (scripts/install-deps installs it)";
    CollectingMessageSink sink;
    const std::size_t before = model().userFaces.size();
    ASSERT_TRUE(runTextShapeCommand(model(), state, {"回", "ＭＳ ゴシック", 30, 1.0}, 96, sink));
    const auto faces = newFaces(before);
    // Outer square and inner square stand up; the two rings between them are cut-outs.
    ASSERT_EQ(faces.size(), 4u);
    EXPECT_EQ(std::count_if(faces.begin(), faces.end(),
                            [](const Face* f) { return f->plane == FacePlane::Vertical; }),
              2);
    Point2 lo0, hi0, lo1, hi1;
    const Face* vertical[2] = {nullptr, nullptr};
    int n = 0;
    for (const Face* f : faces)
        if (f->plane == FacePlane::Vertical)
            vertical[n++] = f;
    bounds(*vertical[0], lo0, hi0);
    bounds(*vertical[1], lo1, hi1);
    if (hi0.x - lo0.x < hi1.x - lo1.x) {
        std::swap(lo0, lo1);
        std::swap(hi0, hi1);
    }
    // The second vertical face lies strictly inside the first: the inner square.
    EXPECT_LT(lo0.x, lo1.x);
    EXPECT_GT(hi0.x, hi1.x);
    EXPECT_LT(lo0.y, lo1.y);
    EXPECT_GT(hi0.y, hi1.y);
    // In the pop-up the inner square is a piece of paper apart from the outer frame.
    int verticalPieces = 0;
    for (const auto& b : model().builtFaces)
        if (b->plane == FacePlane::Vertical && b->offset == model().editOffset)
            ++verticalPieces;
    EXPECT_EQ(verticalPieces, 2);
}

TEST_F(TextShapesTest, TwentyGothicCharactersBuildWithinTheBudget) {
    const auto ipa = findFontFile("ＭＳ ゴシック");
    if (!ipa || ipa->family != "IPAGothic")
        GTEST_SKIP() << "IPAGothic is not installed";
    setCurrentModel(makeNewCard(150, 100));
    CollectingMessageSink sink;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(runTextShapeCommand(
        model(), state, {"Happy 誕生日おめでとう ABCDEFG", "ＭＳ ゴシック", 10, 1.0}, 96, sink));
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const auto again = std::chrono::steady_clock::now();
    rebuildBuiltFaces(model());
    const double rebuildMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - again).count();
    RecordProperty("text_build_ms", std::to_string(ms));
    std::printf("20 characters, 10 mm IPAGothic: %.1f ms for the command, %.1f ms of it for one "
                "rebuild of the %zu faces\n",
                ms, rebuildMs, model().userFaces.size());
    EXPECT_GT(model().userFaces.size(), 40u);
    EXPECT_TRUE(sink.messages.empty());
}
