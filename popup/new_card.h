// A new card: the two halves of the sheet as base faces, a 10 mm grid, the edit plane halfway up.
#pragma once

#include "model/card_model.h"

#include <memory>

namespace plicato {

std::unique_ptr<CardModel> makeNewCard(int halfWidth, int height);

} // namespace plicato
