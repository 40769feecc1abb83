// The development pattern's first stage: every edge of the built faces, split where any face's
// vertex lies on it, paired into folds and cuts and classified (mountain, valley, cut).
#pragma once

namespace plicato {

class CardModel;

// Rebuilds model.links and every built face's links list, evaluated at 90 degrees whatever the
// current opening angle. A fold pairs one vertical with one horizontal piece of edge, the nearest
// in space within the tolerance; its direction is the side on which the vertical face lies.
// Indexed by the spatial line of an edge and by the ends of the pieces.
void buildPattern(CardModel& model);

// The same result by the plain quadratic search over all vertices and all links; kept as the
// reference that the indexed builder is checked against.
void buildPatternLiteral(CardModel& model);

} // namespace plicato
