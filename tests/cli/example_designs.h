// The example designs shipped in examples/, each built the way a user builds it: a new card,
// outlines clicked on edit planes at chosen depths and heights, cut-outs, and a framed window.
#pragma once

#include "model/card_model.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plicato {

struct ExampleDesign {
    std::string name;
    std::function<std::unique_ptr<CardModel>()> build;
};

std::vector<ExampleDesign> exampleDesigns();

} // namespace plicato
