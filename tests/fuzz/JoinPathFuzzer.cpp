// JoinPath against its documented behaviour: the two texts one after the
// other, cut to kJoinPathRoom - 1 bytes, whatever their lengths.
//
// Input: the first text, a zero byte, the second text.

#include <cstdint>
#include <string>
#include <vector>

#include "fsystem/PathHelpers.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> texts = SplitInput(data, size, 2);
  const std::string expected = (texts[0] + texts[1]).substr(0, kJoinPathRoom - 1);
  const std::string joined = JoinPath(texts[0].c_str(), texts[1].c_str());
  CHECK(joined == expected, "JoinPath(" + Printable(texts[0]) + ", " + Printable(texts[1]) + "): expected " +
                                Printable(expected) + ", got " + Printable(joined));
  return 0;
}
