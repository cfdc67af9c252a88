#include "units/window/focus_order.h"

#include <algorithm>

namespace units {

void OrderCandidates(std::vector<FocusCandidate>& candidates) {
  std::sort(candidates.begin(), candidates.end(), [](const FocusCandidate& a, const FocusCandidate& b) {
    return a.tabOrder != b.tabOrder ? a.tabOrder < b.tabOrder : a.index > b.index;
  });
}

std::optional<uint32_t> NextInFocusOrder(const std::vector<FocusCandidate>& ordered, const FocusStart& start,
                                         bool forward) {
  if (ordered.empty()) return std::nullopt;
  const size_t n = ordered.size();

  if (start.kind != FocusStart::Kind::kUnit) {
    uint32_t own = start.kind == FocusStart::Kind::kFrameLabel ? 0 : start.tabOrder;
    if (forward) {
      for (const FocusCandidate& c : ordered)
        if (c.tabOrder >= own) return c.index;
    } else {
      for (size_t i = n; i-- > 0;)
        if (ordered[i].tabOrder < own) return ordered[i].index;
    }
    return std::nullopt;
  }

  for (size_t i = 0; i < n; ++i) {
    if (ordered[i].index != start.index) continue;
    size_t next = forward ? (i + 1) % n : (i + n - 1) % n;
    return ordered[next].index;
  }

  // Not a candidate itself: the first candidate not listed after it is the reference.
  for (size_t i = 0; i < n; ++i) {
    if (ordered[i].index > start.index) continue;
    if (forward) return ordered[i].index;
    return ordered[i == 0 ? n - 1 : i - 1].index;
  }
  return forward ? ordered.front().index : ordered.back().index;
}

}  // namespace units
