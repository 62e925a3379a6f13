#include "platform/os/SearchText.h"

#include "platform/os/PathSeparators.h"

SearchText SplitSearchText(const char* searchText) {
  const long lastSeparator = LastSeparatorAt(searchText);
  if (lastSeparator < 0) return {".", searchText};
  return {std::string(searchText, static_cast<size_t>(lastSeparator) + 1), searchText + lastSeparator + 1};
}
