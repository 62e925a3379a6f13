#include "platform/os/ErrorText.h"

std::string Explained(const std::string& sentence, const std::string& detail) {
  return detail.empty() ? sentence : sentence + "\n" + detail;
}
