#include "platform/os/PackedNames.h"

#include "platform/os/NaturalOrder.h"

void PackedNames::SortInNaturalOrder() {
  const auto nameAt = [](const void* context, uint32_t i) { return (*static_cast<const PackedNames*>(context))[i]; };
  const std::vector<uint32_t> order = NaturalOrderOf(static_cast<uint32_t>(starts_.size()), nameAt, this);
  std::vector<uint32_t> sorted;
  sorted.reserve(order.size());
  for (const uint32_t i : order) sorted.push_back(starts_[i]);
  starts_ = std::move(sorted);
}
