// Writing a design as a model file: four header lines and a little-endian binary body.
#pragma once

#include "model/card_model.h"
#include "model/message_sink.h"

#include <string>

namespace plicato {

// The complete file for `model`: header, card size, grid, underlays, user faces.
std::string encodeModelFile(const CardModel& model);

// True when every value of `model` lies within what the readers accept, so that a saved file
// can always be opened again.
bool modelFitsFileLimits(const CardModel& model);

// Saves `model` to `path`, replacing any previous file only once the new one is complete. On
// failure shows "ファイルに書き込めません", leaves the previous file as it was and returns false.
// A model that would make a file the readers refuse (a non-finite number, say) is not saved.
bool writeModelFile(const CardModel& model, const std::string& path, MessageSink& sink);
// Saves the current model.
bool writeModelFile(const std::string& path, MessageSink& sink);

} // namespace plicato
