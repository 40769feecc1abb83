// Frames per second of the 3D view drawing a generated 300-face design at 1280 x 800 while the
// camera turns, its slowest frame, and the time from an edit of one face to its frame on the
// screen. Run under an X server (e.g. xvfb-run -s "-screen 0 1280x800x24"); prints one line of
// figures.
#include "bench/process_time.h"
#include "gui/view/dave3v_view.h"
#include "gui/view/gl_renderer.h"
#include "view/color_table.h"

#include "popup/built_faces.h"
#include "popup/new_card.h"
#include "tests/support/random_design.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QOpenGLFramebufferObject>
#include <QTimer>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

using namespace plicato;

namespace {

// Triangle fans of every outer loop, for when the polygon engine cannot triangulate.
void fanTriangulate(Face& f) {
    f.triangles.clear();
    for (const auto& loop : f.polygon.loops) {
        if (loop->isHole)
            continue;
        const auto& p = loop->points;
        for (std::size_t i = 2; i < p.size(); ++i)
            f.triangles.push_back({{p[0], p[i - 1], p[i]}});
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int faceCount = argc > 1 ? std::atoi(argv[1]) : 300;
    const int frames = argc > 2 ? std::atoi(argv[2]) : 120;

    // The design the pattern benchmark uses: 300 random faces, a fifth of them letter-like
    // outlines with holes, on a 200 x 100 mm card, built into the card's pieces of paper.
    testing::RandomDesignOptions options;
    options.faceCount = faceCount;
    options.cutOutShare = 0.0;
    std::unique_ptr<CardModel> model;
    bool engine = true;
    try {
        model = makeNewCard(100, 100);
        testing::RandomDesigner designer(300, model->cardWidth, model->cardHeight);
        for (testing::RandomFace& rf : designer.faces(options)) {
            rf.face->triangulate();
            if (!rf.face->triangles.empty())
                model->userFaces.push_back(std::move(rf.face));
        }
        rebuildBuiltFaces(*model);
    } catch (const std::logic_error&) {
        // Without the polygon engine: the raw faces as built faces, filled by fans.
        engine = false;
        model = std::make_unique<CardModel>();
        model->cardWidth = 200;
        model->cardHeight = 100;
        model->setGridSize(10);
        testing::RandomDesigner designer(300, model->cardWidth, model->cardHeight);
        for (testing::RandomFace& rf : designer.faces(options)) {
            fanTriangulate(*rf.face);
            model->builtFaces.push_back(std::move(rf.face));
        }
    }
    model->editOffset = 40;
    std::size_t triangles = 0, points = 0;
    for (const auto& f : model->builtFaces) {
        triangles += f->triangles.size();
        for (const auto& loop : f->polygon.loops)
            points += loop->points.size();
    }
    const std::size_t builtCount = model->builtFaces.size();
    setCurrentModel(std::move(model));

    CDave3vView view;
    view.resize(1280, 800);
    view.show();
    app.processEvents();
    // Each frame: ask for a redraw and wait until it has been drawn and shown.
    QEventLoop loop;
    QObject::connect(&view, &CDave3vView::frameSwapped, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit); // never hang on a missing window
    view.update();
    loop.exec(); // the first frame sets up the context
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = cpuSeconds();
    const long before = view.frameCount();
    double slowestMs = 0.0;
    for (int i = 0; i < frames; ++i) {
        const qint64 start = timer.nsecsElapsed();
        view.controller().camera.rotY = -30 + 60.0 * i / frames;
        view.redrawCamera(); // as a camera drag does: the kept frame, seen anew
        loop.exec();
        slowestMs = std::max(slowestMs, (timer.nsecsElapsed() - start) / 1e6);
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    // The share of a frame spent deciding the primitives, without any drawing.
    QElapsedTimer sceneTimer;
    sceneTimer.start();
    std::size_t items = 0;
    for (int i = 0; i < frames; ++i)
        items += view.controller().buildFrame(colorTable()).items.size();
    const double sceneMs = sceneTimer.nsecsElapsed() / 1e6 / frames;
    const long drawn = view.frameCount() - before;
    // Our drawing alone: the same frames into an off-screen target of the view's size, finished
    // each time, without the widget's composition onto the window.
    view.makeCurrent();
    double ownMs = 0.0, ownCpuMs = 0.0;
    {
        QOpenGLFramebufferObject target(1280, 800, QOpenGLFramebufferObject::Depth);
        target.bind();
        GlRenderer renderer;
        const Scene scene = view.controller().buildFrame(colorTable());
        renderer.draw(scene, 1280, 800);
        glFinish();
        QElapsedTimer own;
        own.start();
        const double ownCpuBefore = cpuSeconds();
        for (int i = 0; i < frames; ++i) {
            renderer.draw(scene, 1280, 800);
            glFinish();
        }
        ownMs = own.nsecsElapsed() / 1e6 / frames;
        ownCpuMs = (cpuSeconds() - ownCpuBefore) * 1000 / frames;
        renderer.release();
        target.release();
    }
    view.doneCurrent();
    // Edits as the user makes them: one face moved half a millimetre along the sheet, the built
    // faces rebuilt (from what the rebuilds before kept, as after any edit), and the new frame
    // drawn and shown. A different face each time, away from the first few (the card's own).
    std::vector<double> editMs;
    if (engine) {
        CardModel& m = *currentModel();
        const std::size_t n = m.userFaces.size();
        for (int k = 0; k < 20 && n > 10; ++k) {
            Face& face = *m.userFaces[10 + std::size_t(k) * 7 % (n - 10)];
            QElapsedTimer edit;
            edit.start();
            for (auto& ring : face.polygon.loops)
                for (Point2& p : ring->points)
                    p.x += 0.5;
            face.triangulate();
            rebuildBuiltFaces(m);
            view.onUpdate(0);
            loop.exec();
            editMs.push_back(edit.nsecsElapsed() / 1e6);
        }
    }
    std::sort(editMs.begin(), editMs.end());
    // Without the engine nothing is rebuilt: no edit figure rather than a zero that looks met.
    char edits[96] = "edit to screen not measured";
    if (!editMs.empty())
        std::snprintf(edits, sizeof edits, "edit to screen %.1f ms, slowest %.1f ms",
                      editMs[editMs.size() / 2], editMs.back());
    std::printf(
        "faces %d (built %zu) triangles %zu outline points %zu, %s: %ld frames in %.3f s "
        "= %.1f frames per second (%.1f ms processor time a frame); scene list %.2f ms a "
        "frame (%zu items); drawing alone %.1f ms a frame (%.1f ms processor time); slowest "
        "frame %.1f ms; %s\n",
        faceCount, builtCount, triangles, points, engine ? "built" : "raw faces, fans", drawn,
        seconds, drawn / seconds, cpu * 1000 / double(drawn), sceneMs, items / std::size_t(frames),
        ownMs, ownCpuMs, slowestMs, edits);
    return 0;
}
