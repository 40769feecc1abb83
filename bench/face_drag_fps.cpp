// Frames per second of the view while the gizmo drags selected faces of a generated 300-face
// design in the face-operation mode at 1280 x 800, and the rebuild when the pop-up display is
// chosen again. Run under an X server; prints one line of figures.
#include "bench/process_time.h"
#include "gui/view/dave3v_view.h"
#include "view/color_table.h"

#include "editing/selection.h"
#include "popup/built_faces.h"
#include "popup/new_card.h"
#include "tests/support/random_design.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cmath>
#include <cstdio>

using namespace plicato;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int faceCount = argc > 1 ? std::atoi(argv[1]) : 300;
    const int selected = argc > 2 ? std::atoi(argv[2]) : 30;
    const int frames = argc > 3 ? std::atoi(argv[3]) : 120;

    testing::RandomDesignOptions options;
    options.faceCount = faceCount;
    options.cutOutShare = 0.0;
    auto model = makeNewCard(100, 100);
    model->setGridSize(1);
    testing::RandomDesigner designer(300, model->cardWidth, model->cardHeight);
    for (testing::RandomFace& rf : designer.faces(options)) {
        rf.face->triangulate();
        if (!rf.face->triangles.empty())
            model->userFaces.push_back(std::move(rf.face));
    }
    rebuildBuiltFaces(*model);
    const std::size_t faces = model->userFaces.size();
    setCurrentModel(std::move(model));
    CardModel& m = *currentModel();

    CDave3vView view;
    view.resize(1280, 800);
    view.show();
    app.processEvents();
    ViewController& c = view.controller();
    c.resize(1280, 800);
    c.chooseMode(EditMode::FaceOperation);
    int count = 0;
    for (auto& f : m.userFaces)
        if (!f->isBase && count < selected) {
            f->isSelected = true;
            ++count;
        }
    rebuildSelection(m);

    QEventLoop loop;
    QObject::connect(&view, &CDave3vView::frameSwapped, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    view.update();
    loop.exec();

    // Grab the x arrow at its tip, then drag along it a pixel more each frame.
    const double r = gizmoArmLength(m, c.camera.scale);
    Point3 tip = m.selectionBox.handle;
    tip.x += r;
    const WindowPoint w = c.refreshProjection().project(tip);
    const int x0 = int(std::lround(w.x)), y0 = int(std::lround(w.y));
    c.leftButtonDown(x0, y0, 0);
    if (c.gizmoAxis() != 1) {
        std::printf("the gizmo was not grabbed\n");
        return 1;
    }
    double eventMs = 0.0;
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = cpuSeconds();
    const long before = view.frameCount();
    for (int i = 1; i <= frames; ++i) {
        QElapsedTimer event;
        event.start();
        c.mouseMove(x0 + i, y0, LeftButton, 0);
        eventMs += event.nsecsElapsed() / 1e6;
        view.update();
        loop.exec();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    const long drawn = view.frameCount() - before;
    c.leftButtonUp(x0 + frames, y0, 0);
    QElapsedTimer rebuild;
    rebuild.start();
    c.choosePopupDisplay();
    const double rebuildMs = rebuild.nsecsElapsed() / 1e6;
    std::printf("faces %zu, %d selected: %ld drag frames in %.3f s = %.1f frames per second; "
                "%.1f ms processor time a frame; drag event %.2f ms a frame; rebuild on the pop-up "
                "display %.1f ms\n",
                faces, count, drawn, seconds, drawn / seconds, cpu * 1000 / double(drawn),
                eventMs / frames, rebuildMs);
    return 0;
}
