#pragma once
// The fuzz targets' property checks. A failed check prints what was expected
// and what came instead, then aborts, so libFuzzer keeps the input as a crash
// artifact and the run fails.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// A byte text as C source would spell it, so that blanks, tabs, control
// bytes and UTF-8 show in a failure message: "a\tb\xC3\xA9".
inline std::string Printable(std::string_view bytes) {
  std::string text = "\"";
  for (const char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (c == '\t') {
      text += "\\t";
    } else if (c == '\n') {
      text += "\\n";
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      text += escaped;
    } else {
      text += c;
    }
  }
  return text + "\"";
}

[[noreturn]] inline void FuzzCheckFailed(const char* file, int line, const char* condition,
                                         const std::string& details) {
  std::fprintf(stderr, "\n%s:%d: check failed: %s\n%s\n", file, line, condition, details.c_str());
  std::abort();
}

// CHECK(condition, details): `details` is any expression giving a
// std::string, evaluated only when the check fails.
#define CHECK(condition, details)                                      \
  do {                                                                 \
    if (!(condition)) FuzzCheckFailed(__FILE__, __LINE__, #condition, (details)); \
  } while (0)
