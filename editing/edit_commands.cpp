// Enable conditions of the Edit menu's model commands.
#include "editing/edit_commands.h"

namespace plicato {

bool canCopy(const CardModel& model) {
    return !model.selectedFaces.empty();
}
bool canCut(const CardModel& model) {
    return !model.selectedFaces.empty();
}
bool canDelete(const CardModel& model) {
    return !model.selectedFaces.empty();
}
bool canScale(const CardModel& model) {
    return !model.selectedFaces.empty();
}
bool canReorder(const CardModel& model) {
    return !model.selectedFaces.empty();
}
bool canPaste(const CardModel& model) {
    return !model.clipboardFaces.empty();
}
bool canUndo(const CardModel& model) {
    return !model.undoHistory.empty();
}

} // namespace plicato
