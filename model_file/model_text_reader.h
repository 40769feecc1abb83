// The all-text model files of versions 2 and 3, and the header scan that tells them from the
// binary version 4 layout.
#pragma once

#include "model_file/model_file_reader.h"

namespace plicato {

struct TextReadResult {
    enum class Outcome { Read, Failed, Binary };
    Outcome outcome = Outcome::Failed;
    std::unique_ptr<CardModel> model; // set for Read
};

// On failure `report`, when given, says why and where.
TextReadResult readTextModel(std::string_view bytes, MessageSink& sink,
                             const UnderlayLoader& loadUnderlay, ModelReadReport* report = nullptr);

// The first Horizontal and the first Vertical face at offset 0 of a file are its base faces.
class BaseFaceRule {
public:
    void apply(Face& face);

private:
    bool horizontalSeen = false;
    bool verticalSeen = false;
};

} // namespace plicato
