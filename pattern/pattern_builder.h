// The development pattern's first stage: every edge of the built faces, split where faces of the
// other plane kind meet it, paired into folds and cuts and classified (mountain, valley, cut).
#pragma once

namespace plicato {

class CardModel;

// Rebuilds model.links and every built face's links list, evaluated at 90 degrees whatever the
// current opening angle. Indexed by the spatial line of an edge and by link ends.
void buildPattern(CardModel& model);

// The same result by the plain quadratic search over all vertices and all links; kept as the
// reference that the indexed builder is checked against.
void buildPatternLiteral(CardModel& model);

} // namespace plicato
