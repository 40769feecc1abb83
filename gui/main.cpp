// PlicatoPRO: the program's entry point.
#include "gui/main_window/card_app.h"

#include <QApplication>
#include <QSurfaceFormat>

int main(int argc, char** argv) {
    // The view draws with the fixed-function pipeline.
    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PlicatoPRO"));
    QApplication::setApplicationVersion(QStringLiteral("3.1.1"));
    QApplication::setDesktopFileName(QStringLiteral("plicatopro"));

    QStringList args = QApplication::arguments();
    args.removeFirst();
    plicato::CCardApp app;
    if (!app.initInstance(args))
        return 1;
    return application.exec();
}
