#include "platform/os/ErrorText.h"

#include <cstring>

std::string SystemReason(int error) { return std::strerror(error); }

std::string Explained(const std::string& sentence, const std::string& detail) {
  return detail.empty() ? sentence : sentence + "\n" + detail;
}
