// Every editing operation on the card model, for callers that use several of them.
#pragma once

#include "editing/clipboard.h"
#include "editing/edit_commands.h"
#include "editing/move_scale.h"
#include "editing/outline_smoothing.h"
#include "editing/selection.h"
#include "editing/sheet_resize.h"
#include "editing/stacking_order.h"
#include "editing/undo_history.h"
