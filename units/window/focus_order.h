#pragma once
// The order in which keyboard navigation visits the units of a window.
#include <cstdint>
#include <optional>
#include <vector>

namespace units {

struct FocusCandidate {
  uint32_t index;     // entry index in the window's unit list
  uint32_t tabOrder;
};

// Ascending tab order; among equal tab orders the unit listed later comes first.
void OrderCandidates(std::vector<FocusCandidate>& candidates);

struct FocusStart {
  uint32_t index;     // 0 when the focus is on the window itself or nowhere
  uint32_t tabOrder;
  // Label-like units pass the focus on by tab order: the ones that frame other units start from
  // tab order 0.
  enum class Kind { kUnit, kLabel, kFrameLabel } kind = Kind::kUnit;
};

// The candidate (by entry index) that navigation from `start` moves to, forward or backward
// through `ordered` (as OrderCandidates left it); nothing when it stays.
std::optional<uint32_t> NextInFocusOrder(const std::vector<FocusCandidate>& ordered, const FocusStart& start,
                                         bool forward);

}  // namespace units
