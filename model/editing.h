// Every editing operation on the card model, for callers that use several of them.
#pragma once

#include "model/clipboard.h"
#include "model/edit_commands.h"
#include "model/move_scale.h"
#include "model/outline_smoothing.h"
#include "model/selection.h"
#include "model/sheet_resize.h"
#include "model/stacking_order.h"
#include "model/undo_history.h"
