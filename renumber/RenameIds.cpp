#include "renumber/RenameIds.h"

#include <charconv>

std::string IdentityLine(const FileIdentity* identity) {
  if (!identity) return "-";
  return std::to_string(identity->size) + " " + std::to_string(identity->modified) + " " +
         std::to_string(identity->index);
}

std::optional<FileIdentity> ParseIdentityLine(std::string_view line) {
  FileIdentity identity;
  const char* at = line.data();
  const char* end = line.data() + line.size();
  const auto number = [&](auto& value, bool last) {
    const auto [stop, error] = std::from_chars(at, end, value);
    if (error != std::errc() || stop == at) return false;
    at = stop;
    if (last) return at == end;
    if (at == end || *at != ' ') return false;
    ++at;
    return true;
  };
  if (!number(identity.size, false) || !number(identity.modified, false) || !number(identity.index, true)) {
    return std::nullopt;
  }
  return identity;
}
