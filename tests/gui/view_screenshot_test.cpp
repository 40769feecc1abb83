// The view drawn for real under an X server (software GL): pixel probes at places found through
// the same matrices the frame was drawn with, one screenshot per state.
#include "gui/view/dave3v_view.h"

#include "gui/view/card_opening_dialog.h"
#include "gui/view/viewpoint_dialog.h"
#include "view/color_table.h"
#include "view/edit_plane.h"

#include "editing/selection.h"
#include "popup/face_creation.h"
#include "popup/new_card.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

using namespace plicato;

namespace {

// A new 160 x 80 card with one face drawn as the user draws it: four clicks on the vertical
// edit plane 20 mm in front of the fold, a 60 x 40 mm face standing on the base.
std::unique_ptr<CardModel> raisedCard() {
    auto m = makeNewCard(80, 80);
    m->editPlane = FacePlane::Vertical;
    m->editOffset = 20;
    for (const Point3& p :
         {Point3{-30, 20, 0}, Point3{30, 20, 0}, Point3{30, 20, 40}, Point3{-30, 20, 40}})
        m->drawPoints.push_back({p, flatten(p)});
    createFaceFromOutline(*m, EditMode::PolygonFace);
    m->drawPoints.clear();
    return m;
}

constexpr int viewWidth = 640;
constexpr int viewHeight = 400;

class ViewScreenshotTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "view_screenshot_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            app = new QApplication(argc, argv);
    }

    void SetUp() override {
        installDisplayState(&state);
        colorTable().resetToDefaults();
        view = std::make_unique<CDave3vView>();
        view->resize(viewWidth, viewHeight);
        view->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        view.reset();
        setCurrentModel(nullptr);
        installDisplayState(nullptr);
    }

    // Draws a frame and keeps it; with PLICATO_SCREENSHOT_DIR set it is also saved as `name`.
    void shoot(const char* name) {
        image = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(image.width(), viewWidth);
        ASSERT_EQ(image.height(), viewHeight);
        if (const char* dir = std::getenv("PLICATO_SCREENSHOT_DIR"))
            image.save(QString::fromUtf8(dir) + "/" + name + ".png");
    }
    // Shows the current model and waits until its first frame is on screen; `loop` then quits
    // at every frame shown.
    void showFirstFrame(QEventLoop& loop) {
        QObject::connect(view.get(), &CDave3vView::frameSwapped, &loop, &QEventLoop::quit);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        view->update();
        loop.exec();
    }
    QRgb pixelAt(const Point3& p) const {
        const WindowPoint w = view->controller().projection.project(p);
        return pixel(int(std::floor(w.x)), int(std::floor(w.y)));
    }
    QRgb pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
            return 0;
        return image.pixel(x, y);
    }
    // Some pixel within `radius` of the projected point has the colour.
    bool nearbyHas(const Point3& p, QRgb want, int radius = 1) const {
        const WindowPoint w = view->controller().projection.project(p);
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (same(pixel(int(w.x) + dx, int(w.y) + dy), want))
                    return true;
        return false;
    }
    static bool same(QRgb a, QRgb b, int tolerance = 2) {
        return std::abs(qRed(a) - qRed(b)) <= tolerance &&
               std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
               std::abs(qBlue(a) - qBlue(b)) <= tolerance;
    }
    static std::string text(QRgb c) {
        return std::to_string(qRed(c)) + "," + std::to_string(qGreen(c)) + "," +
               std::to_string(qBlue(c));
    }

    static QApplication* app;
    DisplayState state;
    std::unique_ptr<CDave3vView> view;
    QImage image;
};

QApplication* ViewScreenshotTest::app = nullptr;

const QRgb white = qRgb(255, 255, 255);
const QRgb lightGrey = qRgb(200, 200, 200);
const QRgb pink = qRgb(255, 200, 200);
const QRgb gridBlue = qRgb(0, 0, 128);

#define EXPECT_COLOR(actual, expected)                                                             \
    EXPECT_TRUE(same((actual), (expected))) << text(actual) << " instead of " << text(expected)

} // namespace

TEST_F(ViewScreenshotTest, BackgroundGradientWithoutAModel) {
    shoot("background");
    EXPECT_COLOR(pixel(320, 0), white);
    EXPECT_COLOR(pixel(5, viewHeight - 1), qRgb(0, 0, 255));
    const QRgb middle = pixel(320, viewHeight / 2);
    EXPECT_NEAR(qRed(middle), 128, 3);
    EXPECT_EQ(qBlue(middle), 255);
    // Rows get bluer downwards.
    EXPECT_GT(qRed(pixel(320, 100)), qRed(pixel(320, 300)));
}

TEST_F(ViewScreenshotTest, NewCardHalvesAndTheirOutlines) {
    setCurrentModel(makeNewCard(80, 80));
    state.showEditPlane = false;
    shoot("new_card");
    EXPECT_COLOR(pixelAt({5, 0, 65}), white);
    EXPECT_COLOR(pixelAt({-50, 0, 30}), white);
    EXPECT_COLOR(pixelAt({5, 60, 0}), lightGrey);
    EXPECT_COLOR(pixelAt({-60, 20, 0}), lightGrey);
    // The outline of the upright half's top edge is black.
    EXPECT_TRUE(nearbyHas({30, 0, 80}, qRgb(0, 0, 0)));
    // Above the card: the gradient.
    const QRgb sky = pixel(320, 2);
    EXPECT_COLOR(sky, white);
    EXPECT_EQ(qBlue(pixel(320, viewHeight - 2)), 255);
    EXPECT_LT(qRed(pixel(5, viewHeight - 2)), 20);
}

TEST_F(ViewScreenshotTest, EditPlaneGridAndHandles) {
    setCurrentModel(makeNewCard(80, 80));
    shoot("edit_plane");
    // Grid lines of the vertical plane at depth 40, and the wide centre line.
    EXPECT_TRUE(nearbyHas({-30, 40, 45}, gridBlue));
    EXPECT_TRUE(nearbyHas({35, 40, 30}, gridBlue));
    EXPECT_COLOR(pixelAt({0, 40, 55}), gridBlue);
    // Between the lines the white upright half shows through.
    EXPECT_COLOR(pixelAt({-45, 40, 35}), white);
    // The right handle: a blue cube.
    EXPECT_COLOR(pixelAt(handlePosition(*currentModel(), VerticalRight)), qRgb(0, 0, 255));
}

TEST_F(ViewScreenshotTest, RaisedFaceOnTheEditPlaneIsPink) {
    setCurrentModel(raisedCard());
    ASSERT_EQ(currentModel()->userFaces.size(), 3u);
    shoot("raised_face");
    // The face stands 20 mm in front of the fold, 40 mm high; probe between grid lines.
    EXPECT_COLOR(pixelAt({-25, 20, 35}), pink);
    EXPECT_COLOR(pixelAt({15, 20, 5}), pink);
    state.showEditPlane = false;
    shoot("raised_face_plane_hidden");
    EXPECT_COLOR(pixelAt({-25, 20, 35}), white);
    // Its top edge is outlined in black in front of the white upright half.
    EXPECT_TRUE(nearbyHas({0, 20, 40}, qRgb(0, 0, 0)));
}

TEST_F(ViewScreenshotTest, OrthographicCardFillsHalfTheWidth) {
    setCurrentModel(makeNewCard(80, 80));
    state.showEditPlane = false;
    state.orthographic = true;
    view->controller().camera.rotX = 0; // straight at the upright half
    shoot("orthographic_front");
    // 2 pixels a millimetre: the half spans x 160..480 and rises 160 pixels above the middle.
    EXPECT_COLOR(pixel(163, 120), white);
    EXPECT_COLOR(pixel(476, 120), white);
    EXPECT_COLOR(pixel(320, 43), white);
    EXPECT_FALSE(same(pixel(156, 120), white));
    EXPECT_FALSE(same(pixel(484, 120), white));
    EXPECT_FALSE(same(pixel(320, 36), white));
    EXPECT_EQ(qBlue(pixel(156, 120)), 255); // the background beside it
}

namespace {

// A 64 x 64 picture, rows bottom-up: the lower half blue, the upper half red on the left and
// green on the right, with the white border every loaded picture has.
std::unique_ptr<Picture> quadrantPicture() {
    auto p = std::make_unique<Picture>();
    p->width = p->height = 64;
    p->data.resize(64 * 64 * 3);
    for (int row = 0; row < 64; ++row)
        for (int col = 0; col < 64; ++col) {
            unsigned char* px = &p->data[(row * 64 + col) * 3];
            const bool border = row == 0 || col == 0 || row == 63 || col == 63;
            const QRgb c = border     ? qRgb(255, 255, 255)
                           : row < 32 ? qRgb(0, 0, 255)
                           : col < 32 ? qRgb(255, 0, 0)
                                      : qRgb(0, 255, 0);
            px[0] = qRed(c);
            px[1] = qGreen(c);
            px[2] = qBlue(c);
        }
    return p;
}

void placePicture(UnderlayImage& u) {
    u.picture = quadrantPicture();
    u.width = 80;
    u.height = 40;
    u.centerX = 0;
    u.bottom = 10;
}

} // namespace

TEST_F(ViewScreenshotTest, FrontUnderlayOnTheUprightHalf) {
    auto m = makeNewCard(80, 80);
    placePicture(m->frontImage);
    setCurrentModel(std::move(m));
    state.showEditPlane = false;
    state.editMode = int(EditMode::UnderlayFront);
    shoot("underlay_front");
    EXPECT_EQ(view->controller().camera.rotX, 0);
    EXPECT_COLOR(pixelAt({-20, 0, 40}), qRgb(255, 0, 0));
    EXPECT_COLOR(pixelAt({20, 0, 40}), qRgb(0, 255, 0));
    EXPECT_COLOR(pixelAt({0, 0, 15}), qRgb(0, 0, 255));
    // Beyond the picture the clamped border colour shows.
    EXPECT_COLOR(pixelAt({-60, 0, 30}), white);
    EXPECT_COLOR(pixelAt({30, 0, 70}), white);
    // The frame and its handles: a black point with a white centre at each corner.
    EXPECT_TRUE(nearbyHas({40, 0, 50}, white, 0));
    EXPECT_TRUE(nearbyHas({40, 0, 50}, qRgb(0, 0, 0), 4));
}

TEST_F(ViewScreenshotTest, RepaintedBorderAndNewPictureReachTheTexture) {
    auto m = makeNewCard(80, 80);
    placePicture(m->frontImage);
    setCurrentModel(std::move(m));
    state.showEditPlane = false;
    state.editMode = int(EditMode::UnderlayFront);
    shoot("underlay_front");
    EXPECT_COLOR(pixelAt({-60, 0, 30}), white);
    // The colour dialog repaints the border in place: the next frame shows it.
    Picture& p = *currentModel()->frontImage.picture;
    for (int i = 0; i < 64; ++i)
        for (int k : {i * 64, 63 * 64 + i, i * 64 + 63, i}) {
            p.data[std::size_t(k) * 3] = 10;
            p.data[std::size_t(k) * 3 + 1] = 20;
            p.data[std::size_t(k) * 3 + 2] = 30;
        }
    p.touch(); // whoever changes the pixels in place says so
    shoot("underlay_border");
    EXPECT_COLOR(pixelAt({-60, 0, 30}), qRgb(10, 20, 30));
    EXPECT_COLOR(pixelAt({-20, 0, 40}), qRgb(255, 0, 0));
    // A change inside the picture, away from its border, reaches the texture as well.
    for (int row = 32; row < 63; ++row)
        for (int col = 1; col < 32; ++col) {
            unsigned char* px = &p.data[std::size_t(row * 64 + col) * 3];
            px[0] = 90;
            px[1] = 60;
            px[2] = 30;
        }
    p.touch();
    shoot("underlay_inside_changed");
    EXPECT_COLOR(pixelAt({-20, 0, 40}), qRgb(90, 60, 30));
    EXPECT_COLOR(pixelAt({20, 0, 40}), qRgb(0, 255, 0));
    // A new picture replaces the old one.
    auto q = quadrantPicture();
    for (std::size_t i = 0; i < q->data.size(); i += 3)
        q->data[i + 1] = 255;
    currentModel()->frontImage.picture = std::move(q);
    shoot("underlay_replaced");
    EXPECT_COLOR(pixelAt({-20, 0, 40}), qRgb(255, 255, 0));
}

TEST_F(ViewScreenshotTest, TopUnderlayIsMirroredInX) {
    auto m = makeNewCard(80, 80);
    placePicture(m->topImage);
    setCurrentModel(std::move(m));
    state.showEditPlane = false;
    state.editMode = int(EditMode::UnderlayTop);
    shoot("underlay_top");
    EXPECT_EQ(view->controller().camera.rotX, 90);
    // The base faces' light grey tints the picture.
    EXPECT_COLOR(pixelAt({20, 40, 0}), qRgb(200, 0, 0));
    EXPECT_COLOR(pixelAt({-20, 40, 0}), qRgb(0, 200, 0));
    EXPECT_COLOR(pixelAt({0, 15, 0}), qRgb(0, 0, 200));
    EXPECT_COLOR(pixelAt({-60, 30, 0}), lightGrey);
    // Handle 1 (right, far edge of the picture) lies at the lower right on the screen.
    const WindowPoint h1 = view->controller().projection.project({40, 50, 0});
    EXPECT_GT(h1.x, viewWidth / 2);
    EXPECT_GT(h1.y, view->controller().projection.project({40, 10, 0}).y);
}

TEST_F(ViewScreenshotTest, ClosedCardIsGrey) {
    setCurrentModel(makeNewCard(80, 80));
    state.showEditPlane = false;
    state.openAngle = 0;
    shoot("closed_card");
    EXPECT_COLOR(pixelAt({5, 60, 0}), lightGrey);
    EXPECT_COLOR(pixelAt({-40, 30, 0}), lightGrey);
    // Where the upright half stood open there is only background now.
    const QRgb above = pixelAt({5, 0, 65});
    EXPECT_FALSE(same(above, white));
    EXPECT_FALSE(same(above, lightGrey));
}

TEST_F(ViewScreenshotTest, GizmoInTheFaceOperationMode) {
    auto m = raisedCard();
    m->userFaces.back()->isSelected = true;
    m->selectedFaces.push_back(m->userFaces.back().get());
    m->selectionBox = {{-30, 20, 0}, {30, 20, 40}, {0, 20, 40}};
    setCurrentModel(std::move(m));
    state.editMode = int(EditMode::FaceOperation);
    state.inputDisplay = true;
    shoot("face_operation");
    // The selected face in the selection colour, the cube of the gizmo in yellow light.
    EXPECT_COLOR(pixelAt({-20, 20, 10}), qRgb(255, 80, 80));
    const QRgb cube = pixelAt({0, 20, 40});
    EXPECT_GT(qRed(cube), 60);
    EXPECT_GT(qGreen(cube), 60);
    EXPECT_LT(qBlue(cube), 30);
    // The red cone along x.
    const double r = 0.1 * 160;
    const QRgb cone = pixelAt({1.2 * r, 20, 40});
    EXPECT_GT(qRed(cone), 40);
    EXPECT_LT(qGreen(cone), 30);
}

namespace {

void sendKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(w, &press);
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}

} // namespace

// The user's pointer and keys arrive at the GL window, not at the widget: they must reach the
// view all the same, a key it leaves and a dropped file must go on to the window around it.
TEST_F(ViewScreenshotTest, InputOnTheDrawingWindowReachesTheViewAndBeyond) {
    struct Around : QWidget {
        int keys = 0, drops = 0;
        void keyPressEvent(QKeyEvent*) override { ++keys; }
        void dragEnterEvent(QDragEnterEvent* e) override { e->acceptProposedAction(); }
        void dropEvent(QDropEvent* e) override {
            ++drops;
            e->acceptProposedAction();
        }
    } around;
    around.setAcceptDrops(true);
    auto* inner = new CDave3vView(&around);
    around.resize(viewWidth, viewHeight);
    inner->resize(viewWidth, viewHeight);
    around.show();
    QApplication::processEvents();
    setCurrentModel(makeNewCard(80, 80));
    CardModel& m = *currentModel();
    QWindow* window = inner->drawingWindow();
    ASSERT_NE(window, nullptr);

    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(window, &up);
    EXPECT_EQ(m.editOffset, 30);
    QKeyEvent other(QEvent::KeyPress, Qt::Key_F9, Qt::NoModifier);
    QApplication::sendEvent(window, &other);
    EXPECT_EQ(around.keys, 1);

    // A frame drawn with the card, as the user sees before a click.
    ASSERT_FALSE(inner->grabFramebuffer().isNull());
    const QPointF at(viewWidth / 2.0, viewHeight / 2.0);
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, at, window->mapToGlobal(at), Qt::LeftButton,
                      t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
        QApplication::sendEvent(window, &e);
    }
    EXPECT_EQ(m.drawPoints.size(), 1u); // the click put the first point of an outline

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/card.plq"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(window, &drop);
    EXPECT_EQ(around.drops, 1);
}

// The selection rectangle is drawn over the frame: tinted inside, the frame untouched outside,
// and gone again after the release.
TEST_F(ViewScreenshotTest, RubberBandIsDrawnOverTheFrame) {
    setCurrentModel(makeNewCard(80, 80));
    state.editMode = int(EditMode::FaceOperation);
    shoot("rubber_band_before");
    const QImage before = image;
    sendMouse(view.get(), QEvent::MouseButtonPress, {20, 20}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(view.get(), QEvent::MouseMove, {120, 90}, Qt::NoButton, Qt::LeftButton);
    shoot("rubber_band");
    EXPECT_NE(image.pixel(70, 50), before.pixel(70, 50));   // inside
    EXPECT_NE(image.pixel(20, 50), before.pixel(20, 50));   // on its left edge
    EXPECT_EQ(image.pixel(160, 50), before.pixel(160, 50)); // beside it
    EXPECT_EQ(image.pixel(70, 120), before.pixel(70, 120)); // below it
    sendMouse(view.get(), QEvent::MouseButtonRelease, {120, 90}, Qt::LeftButton, Qt::NoButton);
    shoot("rubber_band_after");
    EXPECT_EQ(image.pixel(70, 50), before.pixel(70, 50));
}

TEST_F(ViewScreenshotTest, KeysReachTheViewCommands) {
    setCurrentModel(makeNewCard(80, 80));
    int statusRefreshes = 0;
    QObject::connect(view.get(), &CDave3vView::statusRefreshRequested, [&] { ++statusRefreshes; });
    CardModel& m = *currentModel();
    sendKey(view.get(), Qt::Key_Up);
    EXPECT_EQ(m.editOffset, 30);
    sendKey(view.get(), Qt::Key_Space);
    EXPECT_EQ(m.editPlane, FacePlane::Horizontal);
    EXPECT_TRUE(view->isHorizontalPlane());
    view->onHorizontalPlane(); // choosing the checked plane switches to the other one
    EXPECT_TRUE(view->isVerticalPlane());
    sendKey(view.get(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(m.gridSize, 5);
    EXPECT_EQ(statusRefreshes, 1);
    sendKey(view.get(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(m.gridSize, 10);
    EXPECT_TRUE(view->canGridLarger());
    sendKey(view.get(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(view->isEditPlaneHidden());
    sendKey(view.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(view->isOrthographic());
    view->onToggleOrthographic();
    EXPECT_FALSE(view->isOrthographic());
}

TEST_F(ViewScreenshotTest, MouseDragsTheCameraAndTheWheelZooms) {
    setCurrentModel(makeNewCard(80, 80));
    Camera& c = view->controller().camera;
    sendMouse(view.get(), QEvent::MouseButtonPress, {500, 300}, Qt::RightButton, Qt::RightButton);
    sendMouse(view.get(), QEvent::MouseMove, {207, 210}, Qt::NoButton, Qt::RightButton);
    sendMouse(view.get(), QEvent::MouseButtonRelease, {207, 210}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(c.rotX, 0);
    EXPECT_EQ(c.rotY, -90);
    EXPECT_TRUE(c.axisSnapped);
    shoot("left_side_view");
    // A side view in the orthographic projection, looking along the fold from its +x end: the
    // base runs from the fold to the left, 80 mm at 2 pixels a millimetre.
    const WindowPoint fold = view->controller().projection.project({0, 0, 0});
    const WindowPoint front = view->controller().projection.project({0, 80, 0});
    const WindowPoint top = view->controller().projection.project({0, 0, 80});
    EXPECT_NEAR(front.x - fold.x, -160, 1e-6);
    EXPECT_NEAR(top.y - fold.y, -160, 1e-6);
    EXPECT_LT(view->controller().projection.project({80, 0, 0}).depth, fold.depth);

    QWheelEvent wheel(QPointF(100, 100), view->mapToGlobal(QPointF(100, 100)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.get(), &wheel);
    EXPECT_NEAR(c.scale, 1.24, 1e-12);
    view->onResetView();
    EXPECT_EQ(c.rotX, 30);
    EXPECT_EQ(c.scale, 1);
}

TEST_F(ViewScreenshotTest, CameraMovesRedrawTheKeptFrameAsAFreshFrameWouldLook) {
    setCurrentModel(raisedCard());
    shoot("kept_frame_before");
    const QImage before = image;
    const long built = view->builtFrameCount();
    const long uploads = view->geometryUploadCount();
    // A right drag still held, then the wheel: camera moves alone, drawn from the kept frame.
    sendMouse(view.get(), QEvent::MouseButtonPress, {300, 200}, Qt::RightButton, Qt::RightButton);
    sendMouse(view.get(), QEvent::MouseMove, {345, 170}, Qt::NoButton, Qt::RightButton);
    QWheelEvent wheel(QPointF(100, 100), view->mapToGlobal(QPointF(100, 100)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.get(), &wheel);
    shoot("kept_frame_turned");
    const QImage kept = image;
    EXPECT_EQ(view->builtFrameCount(), built);
    EXPECT_EQ(view->geometryUploadCount(), uploads);
    EXPECT_NE(kept, before); // the camera did move

    // The same camera with the frame built from the model again: the same picture.
    view->onUpdate(0);
    shoot("kept_frame_built_again");
    EXPECT_EQ(view->builtFrameCount(), built + 1);
    EXPECT_EQ(view->geometryUploadCount(), uploads + 1);
    EXPECT_TRUE(image == kept) << "the kept frame differs from the one built again";

    // A face added while the drag goes on, with no word to the view, is drawn all the same.
    sendMouse(view.get(), QEvent::MouseMove, {360, 170}, Qt::NoButton, Qt::RightButton);
    CardModel& m = *currentModel();
    auto face = std::make_unique<Face>(FacePlane::Horizontal, 30.0);
    auto loop = std::make_unique<Loop>();
    loop->points = {{-20, -30}, {20, -30}, {20, -10}, {-20, -10}};
    face->polygon.addLoop(std::move(loop));
    addUserFace(m, std::move(face));
    shoot("kept_frame_face_added");
    EXPECT_EQ(view->builtFrameCount(), built + 2);
    // So is the edit plane moved in place, which changes no count of anything.
    sendMouse(view.get(), QEvent::MouseMove, {365, 170}, Qt::NoButton, Qt::RightButton);
    m.editOffset += 10;
    shoot("kept_frame_plane_moved");
    EXPECT_EQ(view->builtFrameCount(), built + 3);
    sendMouse(view.get(), QEvent::MouseButtonRelease, {360, 170}, Qt::RightButton, Qt::NoButton);
}

// A face drag draws the faces that stay from a picture kept for the drag, with its depths, and
// the dragged ones over it: every frame must be the one drawn whole, hidden parts included.
TEST_F(ViewScreenshotTest, FaceDragFramesLookAsWholeFramesDo) {
    auto m = raisedCard();
    // Faces that stay: one in front of the dragged face, one behind it, one lying across it.
    auto add = [&](FacePlane plane, double offset, std::vector<Point2> points) {
        auto face = std::make_unique<Face>(plane, offset);
        auto loop = std::make_unique<Loop>();
        loop->points = std::move(points);
        face->polygon.addLoop(std::move(loop));
        addUserFace(*m, std::move(face));
    };
    add(FacePlane::Vertical, 40, {{0, 10}, {25, 10}, {25, 30}, {0, 30}});
    add(FacePlane::Vertical, 5, {{10, 5}, {60, 5}, {60, 60}, {10, 60}});
    add(FacePlane::Horizontal, 20, {{-10, -10}, {50, -10}, {50, -35}, {-10, -35}});
    Face* dragged = m->userFaces[2].get();
    dragged->isSelected = true;
    rebuildSelection(*m);
    const Point3 handle = m->selectionBox.handle;
    setCurrentModel(std::move(m));
    state.editMode = int(EditMode::FaceOperation);
    state.inputDisplay = true;
    shoot("face_drag_before");
    const QImage before = image;

    // Grab the x arrow at its tip and drag it to the right in two steps.
    const double r = 0.1 * 160 / view->controller().camera.scale;
    const WindowPoint tip =
        view->controller().refreshProjection().project({handle.x + r, handle.y, handle.z});
    const QPoint press(int(std::lround(tip.x)), int(std::lround(tip.y)));
    sendMouse(view.get(), QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(view->controller().gizmoAxis(), 1);
    const long stillsBefore = view->stillLayerDrawCount();
    sendMouse(view.get(), QEvent::MouseMove, press + QPoint(40, 0), Qt::NoButton, Qt::LeftButton);
    shoot("face_drag_first");
    const QImage first = image;
    sendMouse(view.get(), QEvent::MouseMove, press + QPoint(90, 0), Qt::NoButton, Qt::LeftButton);
    shoot("face_drag_second");
    const QImage second = image;
    EXPECT_GT(dragged->polygon.loops.front()->points.front().x, -30); // it did move
    EXPECT_NE(first, before);
    EXPECT_NE(second, first);
    EXPECT_EQ(view->stillLayerDrawCount(), stillsBefore + 1); // drawn once for the drag

    // A model change other than the drag itself draws the still layer again.
    view->onUpdate(0);
    shoot("face_drag_after_update");
    EXPECT_EQ(view->stillLayerDrawCount(), stillsBefore + 2);
    EXPECT_TRUE(image == second);

    // Released where it stands: the whole frame is the last drag frame.
    sendMouse(view.get(), QEvent::MouseButtonRelease, press + QPoint(90, 0), Qt::LeftButton,
              Qt::NoButton);
    ASSERT_EQ(view->controller().gizmoAxis(), 0);
    shoot("face_drag_released");
    EXPECT_TRUE(image == second) << "the drag frame differs from the whole frame";
}

// A frame asked for is drawn once, as soon as the events before it are handled: the platform's
// own paced request that follows must not draw it a second time.
TEST_F(ViewScreenshotTest, EachRequestedFrameIsDrawnOnce) {
    setCurrentModel(raisedCard());
    QEventLoop loop;
    showFirstFrame(loop); // whatever the window still had to set up
    auto settle = [] {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 60)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    };
    settle();
    const long before = view->frameCount();
    for (int i = 0; i < 5; ++i) {
        view->update();
        view->update(); // asked for twice before it is drawn: still one frame
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        settle(); // time for the paced request to come and go
    }
    EXPECT_EQ(view->frameCount(), before + 5);
}

// Shrinking the window exposes nothing new, so the X server asks for no drawing: the view must
// draw itself again, or it keeps showing the old frame cut off and off centre.
TEST_F(ViewScreenshotTest, ASmallerViewIsDrawnAgain) {
    setCurrentModel(raisedCard());
    QEventLoop loop;
    showFirstFrame(loop);
    int shown = 0; // frames shown in the window, not the copies the widget paints for grabs
    QObject::connect(view.get(), &CDave3vView::frameSwapped, [&] { ++shown; });
    view->resize(viewWidth - 200, viewHeight - 100);
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_GT(shown, 0);
}

TEST_F(ViewScreenshotTest, ViewpointDialogWritesTheCameraBack) {
    setCurrentModel(makeNewCard(80, 80));
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<ViewpointDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->field(0)->text(), QStringLiteral("30"));
        d->field(0)->setText(QStringLiteral("12.5"));
        d->field(2)->setText(QStringLiteral("0.05"));
        d->accept();
    });
    view->onViewpoint();
    EXPECT_EQ(view->controller().camera.rotX, 12.5);
    EXPECT_EQ(view->controller().camera.scale, 0.05);
    shoot("tiny_scale"); // drawn with it, no clamping
}

TEST_F(ViewScreenshotTest, OpeningCommandShowsTheWindowAndCloseRestores) {
    setCurrentModel(makeNewCard(80, 80));
    view->onCardOpening();
    CardOpeningDialog* d = view->cardOpeningDialog();
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(state.showEditPlane);
    d->slider()->setValue(45); // at 30 degrees the half would lie along the line of sight
    shoot("opening_45_degrees");
    // Half closed: the upright half leans over the base, in the tinted vertical colour.
    const Rgba tint = verticalFaceColor(colorTable(), 45);
    const QRgb leaning = pixelAt({0, 40 * std::cos(M_PI / 4), 40 * std::sin(M_PI / 4)});
    EXPECT_NEAR(qRed(leaning), tint.r * 255, 2);
    EXPECT_LT(qRed(leaning), 250); // tinted towards the grey of the base
    d->closeButton()->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(state.openAngle, 90);
    EXPECT_TRUE(state.showEditPlane);
}
