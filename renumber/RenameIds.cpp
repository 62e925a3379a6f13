#include "renumber/RenameIds.h"

#include <charconv>

#include "platform/os/FileServices.h"

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

bool IdsHeader::Names(std::string_view name) const {
  if (name.substr(0, prefix.size()) != prefix) return false;
  name.remove_prefix(prefix.size());
  size_t digits = 0;
  while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9') ++digits;
  size_t field = digits;
  if (width < 0) {
    while (field < name.size() && name[field] == ' ') ++field;
  }
  if (digits == 0 || (width > 0 && digits < static_cast<size_t>(width))) return false;
  name.remove_prefix(field);
  if (name.substr(0, suffix.size()) != suffix) return false;
  name.remove_prefix(suffix.size());
  return name.size() == extension.size() + 1 && HasExtension(std::string(name).c_str(), extension.c_str());
}

std::string HeaderLine(const IdsHeader& header) {
  const auto field = [](const std::string& text) { return std::to_string(text.size()) + ":" + text; };
  return "# " + std::to_string(header.ruleNamesBefore) + " " + std::to_string(header.width) + " " +
         field(header.prefix) + " " + field(header.suffix) + " " + field(header.extension);
}

std::optional<IdsHeader> ParseHeaderLine(std::string_view line) {
  if (line.substr(0, 2) != "# ") return std::nullopt;
  line.remove_prefix(2);
  IdsHeader header;
  const auto number = [&](auto& value) {
    const auto [stop, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || stop == line.data()) return false;
    line.remove_prefix(static_cast<size_t>(stop - line.data()));
    return true;
  };
  const auto space = [&] {
    if (line.empty() || line.front() != ' ') return false;
    line.remove_prefix(1);
    return true;
  };
  const auto field = [&](std::string& text) {
    size_t length = 0;
    if (!number(length) || line.empty() || line.front() != ':' || line.size() < length + 1) return false;
    text = std::string(line.substr(1, length));
    line.remove_prefix(length + 1);
    return true;
  };
  if (!number(header.ruleNamesBefore) || !space() || !number(header.width) || !space() || !field(header.prefix) ||
      !space() || !field(header.suffix) || !space() || !field(header.extension) || !line.empty()) {
    return std::nullopt;
  }
  return header;
}

long NamesOfRule(const IdsHeader& header, const std::string& directoryText) {
  long count = 0;
  for (const char* name : Files().SearchNames((directoryText + "*").c_str())) count += header.Names(name) ? 1 : 0;
  return count;
}

IdsHeader HeaderOfRule(const NewNameRule& rule, const char* directoryText) {
  IdsHeader header;
  header.width = rule.width;
  header.prefix = rule.prefix;
  header.suffix = rule.suffix;
  header.extension = rule.extension;
  header.ruleNamesBefore = NamesOfRule(header, directoryText);
  return header;
}
