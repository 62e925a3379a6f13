// EmbeddedPreview, which reads the previews of whatever files a folder
// holds, for any content: it answers (no crash, no hang: the run's timeout),
// its answer is empty or a JPEG no longer than the file, and the same bytes
// give the same answer again.
//
// Input: the file's bytes.

#include <cstdint>
#include <string>

#include "platform/os/exiv2/PicturePreview.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/MemoryBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryBytes bytes(data, size);
  const std::string preview = EmbeddedPreview(bytes, 96);
  CHECK(preview.empty() || (preview.size() <= size && preview.compare(0, 2, "\xFF\xD8") == 0),
        "a preview of " + std::to_string(preview.size()) + " bytes that is no JPEG of the file");
  MemoryBytes again(data, size);
  CHECK(EmbeddedPreview(again, 96) == preview, "the same bytes gave another preview");
  return 0;
}
