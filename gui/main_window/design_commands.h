// The commands that make the window a designer: the editing modes, the display modes, mirror
// editing, undo and redo through the view, and scaling the selected faces.
#pragma once

#include "model/core_state.h"

#include <QString>

namespace plicato {

class CMainFrame;
class CDave3vView;

// Gives the mode, display, undo, redo and scale commands of `frame` their handlers and menu
// states, acting through `view`; without a view only redo and scale act (on the model).
void bindDesignCommands(CMainFrame& frame, CDave3vView* view);

// The scale command: asks for the percentage and scales the selection, refusing a factor that
// would leave the coordinates a model file can hold. True when the faces were scaled.
bool scaleSelectedFaces(CMainFrame& frame);

// The idle hint of the status bar for the modes where the mouse and keys do something else than
// draw outlines; empty in the drawing modes, which keep the frame's drawing hint.
QString idleHintFor(EditMode mode);

} // namespace plicato
