// Text shapes as a command of the view: the plane switch, the undo step and the mode change
// around the face building of the text library.
#include "view/text_shape_command.h"

#include "editing/selection.h"
#include "editing/undo_history.h"
#include "text/font_face.h"
#include "text/font_list.h"
#include "view/edit_plane.h"

namespace plicato {

bool runTextShapeCommand(CardModel& model, DisplayState& state, const TextShapeRequest& request,
                         int dotsPerInch, MessageSink& sink) {
    if (request.text.empty())
        return false;
    // The font is opened first so that a missing or broken one leaves the design as it was.
    const auto file = findFontFile(request.faceName);
    if (!file) {
        sink.show("フォントが見つかりません。\n" + request.faceName);
        return false;
    }
    const auto font =
        FontFace::open(file->path, file->index, emPixelsFor(request.size, dotsPerInch), sink);
    if (!font)
        return false;
    if (model.editPlane == FacePlane::Horizontal)
        togglePlane(model);
    clearSelection(model);
    pushUndo(model);
    buildTextShapes(model, *font, decodeUtf8(request.text), request.segmentLength);
    // As the face-operation command does: the user's faces at the right angle.
    state.editMode = int(EditMode::FaceOperation);
    state.openAngle = 90;
    state.inputDisplay = true;
    return true;
}

} // namespace plicato
