#include "platform/os/PackedNames.h"

void PackedNames::Reorder(const std::vector<uint32_t>& order) {
  std::vector<uint32_t> reordered;
  reordered.reserve(order.size());
  for (const uint32_t i : order) reordered.push_back(starts_[i]);
  starts_ = std::move(reordered);
}
