// Which box-structured pictures may hold XMP, and so are read one at a time.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/os/exiv2/PictureCaptureTime.h"
#include "tests/fuzz/MemoryBytes.h"

namespace {

// A box: its size (the header's 8 bytes and the content, unless told; 0:
// to the end of the file), type and content.
std::string Box(const char* type, const std::string& content, uint32_t size = UINT32_MAX) {
  if (size == UINT32_MAX) size = static_cast<uint32_t>(8 + content.size());
  const char header[] = {static_cast<char>(size >> 24), static_cast<char>(size >> 16), static_cast<char>(size >> 8),
                         static_cast<char>(size)};
  return std::string(header, 4) + type + content;
}

TEST(MayHoldXmp, OnlyBoxesThatAreSearchedWholeAndNameNoXmpHoldNone) {
  std::ifstream phone(TARVINE_CAPTURE_TIMES_DATA "/phone.heic", std::ios::binary);
  const std::string ftyp = Box("ftyp", std::string("heic\0\0\0\0mif1heic", 16));
  const struct {
    const char* what;
    std::string bytes;
    bool mayHold;
  } rows[] = {
      {"a phone's HEIC", std::string(std::istreambuf_iterator<char>(phone), {}), false},
      {"meta without XMP, then media data", ftyp + Box("meta", "infe hvc1 Exif") + Box("mdat", std::string(99, 'x')),
       false},
      {"media data to the end of the file", ftyp + Box("meta", "") + Box("mdat", std::string(9, 'x'), 0), false},
      {"an XMP item", ftyp + Box("meta", "infe mime application/rdf+xml") + Box("mdat", "<x:xmpmeta/>"), true},
      {"an XMP packet", ftyp + Box("uuid", "<x:xmpmeta/>"), true},
      {"an XMP box", ftyp + Box("uuid", "\xbe\x7a\xcf\xcb\x97\xa9\x42\xe8\x9c\x71\x99\x94\x91\xe3\xaf\xac"), true},
      {"a box beyond the bytes searched", ftyp + Box("moov", std::string(70000, 'x')), true},
      {"a box past the end of the file", ftyp + Box("meta", "", 4000), true},
      {"a box shorter than its header", ftyp + Box("meta", "", 3), true},
  };
  for (const auto& row : rows) {
    MemoryBytes bytes(reinterpret_cast<const uint8_t*>(row.bytes.data()), row.bytes.size());
    EXPECT_EQ(MayHoldXmp(bytes), row.mayHold) << row.what;
  }
}

}  // namespace
