// CompareNatural must be a total order, or sorting a listing with it is
// undefined and the renumbering order can change from run to run: for any
// three names it answers -1, 0 or +1, 0 exactly for identical bytes,
// reverses with its arguments, and is transitive.
//
// Input: three names, each ended by a zero byte.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/os/NaturalOrder.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

std::string Comparison(const std::string& a, const std::string& b, int result) {
  return "CompareNatural(" + Printable(a) + ", " + Printable(b) + ") = " + std::to_string(result);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> names = SplitInput(data, size, 3);
  int result[3][3];
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) result[i][j] = CompareNatural(names[i].c_str(), names[j].c_str());
  }

  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      const std::string& a = names[i];
      const std::string& b = names[j];
      const int ab = result[i][j];
      CHECK(ab == -1 || ab == 0 || ab == 1, Comparison(a, b, ab) + ": not -1, 0 or +1");
      CHECK((ab == 0) == (a == b), Comparison(a, b, ab) + ": 0 must mean identical bytes");
      CHECK(result[j][i] == -ab, Comparison(a, b, ab) + " but " + Comparison(b, a, result[j][i]));
      for (int k = 0; k < 3; ++k) {
        const std::string& c = names[k];
        if (ab < 0 && result[j][k] < 0) {
          CHECK(result[i][k] < 0, Comparison(a, b, ab) + " and " + Comparison(b, c, result[j][k]) + " but " +
                                      Comparison(a, c, result[i][k]));
        }
      }
    }
  }
  return 0;
}
