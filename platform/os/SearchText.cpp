#include "platform/os/SearchText.h"

#include <cstring>

SearchText SplitSearchText(const char* searchText) {
  const char* lastSlash = std::strrchr(searchText, '/');
  if (!lastSlash) return {".", searchText};
  return {std::string(searchText, lastSlash + 1), lastSlash + 1};
}
