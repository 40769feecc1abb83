// Messages of the Qt-free core in the interface's language, for every Qt layer that shows one.
#pragma once

#include <QString>

#include <string>

namespace plicato {

// The translation of a core message (context "plicato::core"). A message followed by a detail
// on its next lines ("...\n" + path) keeps the detail as it is; a message with a number in it
// is looked up with the number as %1.
QString translateCoreMessage(const std::string& text);

} // namespace plicato
