// The design check as the view shows it: a colour for each class of piece, the lines the
// findings list shows, and the check kept current by re-running it only when the pieces changed.
#pragma once

#include "check/design_check.h"
#include "view/color_table.h"

#include <cstdint>
#include <string>

namespace plicato {

// The colour of a held piece by its leading finding (-1: no finding). The frame keeps the
// colour of its plane.
Rgba findingColor(int leading);
// The name of a finding kind as the program shows it.
const char* findingName(FindingKind kind);
// One line of the findings list: what, which piece (plane and offset), by how much.
std::string findingLine(const CheckResult& result, const Finding& finding);
// One line for a doubt.
std::string doubtLine(const Doubt& doubt);

// A digest of what the check reads: the built faces (identity, plane, offset, outline), the
// card size and the options. Equal keys give equal results.
std::uint64_t checkInputKey(const CardModel& model, const CheckOptions& options);

class DesignCheckRunner {
public:
    // The check of the model's current built faces. The pattern builder and the check run only
    // when the key changed since the last call; otherwise the last result is returned, so
    // calling this every frame costs one pass over the outlines.
    const CheckResult& update(CardModel& model, const CheckOptions& options);
    const CheckResult& result() const { return result_; }
    // How many times the check actually ran.
    int runs() const { return runs_; }
    void invalidate() { valid_ = false; }

private:
    CheckResult result_;
    std::uint64_t key_ = 0;
    bool valid_ = false;
    int runs_ = 0;
};

} // namespace plicato
