// A PlicatoPRO instance for the recovery test: starts the application with fast autosave, edits
// the design twice (each edit an undo snapshot) and reports once both edits are autosaved.
// "crash" then waits to be killed; "exit" closes the window as a user would and ends.
#include "editing/undo_history.h"
#include "gui/main_window/card_app.h"
#include "gui/main_window/dave3v_doc.h"
#include "model/card_model.h"
#include "popup/built_faces.h"
#include "scripted_prompts.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>

namespace {

void addTriangle(double offset, double x) {
    plicato::CardModel& m = *plicato::currentModel();
    plicato::pushUndo(m);
    auto face = std::make_unique<plicato::Face>(plicato::FacePlane::Vertical, offset);
    auto loop = std::make_unique<plicato::Loop>();
    loop->addPoint({x - 10, 10});
    loop->addPoint({x + 10, 10});
    loop->addPoint({x, 30});
    face->polygon.addLoop(std::move(loop));
    face->triangulate();
    m.userFaces.push_back(std::move(face));
    plicato::rebuildBuiltFaces(m);
}

// Runs the event loop until the autosave has written `count` copies; false after 10 s.
bool waitForWrites(plicato::CAutosave& autosave, int count) {
    QElapsedTimer clock;
    clock.start();
    while (autosave.writes() < count && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return autosave.writes() >= count;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[2], "crash") != 0 && std::strcmp(argv[2], "exit") != 0)) {
        std::fprintf(stderr, "usage: recovery_driver FOLDER crash|exit\n");
        return 2;
    }
    QApplication application(argc, argv);
    plicato::test::ScriptedPrompts prompts;
    // Quitting answers No to the save question: the user drops the changes.
    prompts.saveAnswer = plicato::UserPrompts::SaveAnswer::No;
    plicato::FrameOptions options;
    options.createView = false;
    options.recoveryFolder = argv[1];
    options.autosaveTiming = {60'000, 100, 10}; // only the undo snapshots make copies here
    plicato::CCardApp app;
    if (!app.initInstance({}, options) || !app.mainFrame()->autosave())
        return 3;
    plicato::CAutosave& autosave = *app.mainFrame()->autosave();
    addTriangle(20, 0);
    if (!waitForWrites(autosave, 1))
        return 4;
    addTriangle(25, 30);
    if (!waitForWrites(autosave, 2))
        return 5;
    std::printf("%s\n", autosave.recoveryStore().copyPath().c_str());
    std::fflush(stdout);
    if (std::strcmp(argv[2], "exit") == 0)
        return app.mainFrame()->close() ? 0 : 6;
    return application.exec();
}
