#pragma once
// Small JPEG files that record capture times as cameras and editors write
// them: an Exif segment (its image record's DateTime, the Exif record's
// DateTimeOriginal and DateTimeDigitized with their sub-seconds) and an XMP
// segment, any of them left out when empty. No picture data follows: the
// times are all a reader of capture times looks at.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct PictureTimes {
  std::string imageDateTime = "";        // the time of the last edit, "YYYY:MM:DD HH:MM:SS"
  std::string original = "";             // DateTimeOriginal
  std::string originalSubSeconds = "";   // SubSecTimeOriginal, "45"
  std::string digitized = "";            // DateTimeDigitized
  std::string digitizedSubSeconds = "";  // SubSecTimeDigitized
  std::string xmpOriginal = "";          // exif:DateTimeOriginal, "2023-07-14T10:22:03"
  std::string xmpCreated = "";           // photoshop:DateCreated
};

namespace exif_jpeg {

inline void Put16(std::string& out, uint16_t v) { out += char(v & 0xFF), out += char(v >> 8); }
inline void Put32(std::string& out, uint32_t v) { Put16(out, v & 0xFFFF), Put16(out, v >> 16); }

using Tags = std::vector<std::pair<uint16_t, std::string>>;  // ASCII values, by tag number

// One IFD at `offset` of a little-endian TIFF structure: its ASCII entries,
// then a LONG entry (a sub-IFD's offset) when `link` is given, then the
// values that do not fit in their entries.
inline std::string Ifd(const Tags& tags, uint32_t offset, std::pair<uint16_t, uint32_t> link = {0, 0}) {
  const size_t count = tags.size() + (link.first ? 1 : 0);
  uint32_t data = offset + 2 + 12 * static_cast<uint32_t>(count) + 4;
  std::string out, values;
  Put16(out, static_cast<uint16_t>(count));
  for (const auto& [tag, text] : tags) {
    const std::string value = text + '\0';
    Put16(out, tag), Put16(out, 2), Put32(out, static_cast<uint32_t>(value.size()));
    if (value.size() <= 4) {
      out += value + std::string(4 - value.size(), '\0');
    } else {
      Put32(out, data + static_cast<uint32_t>(values.size()));
      values += value;
    }
  }
  if (link.first) Put16(out, link.first), Put16(out, 4), Put32(out, 1), Put32(out, link.second);
  Put32(out, 0);
  return out + values;
}

inline std::string Segment(unsigned char marker, const std::string& body) {
  std::string out = {char(0xFF), char(marker)};
  const size_t length = body.size() + 2;
  out += char(length >> 8), out += char(length & 0xFF);
  return out + body;
}

}  // namespace exif_jpeg

inline std::string ExifJpeg(const PictureTimes& times) {
  using namespace exif_jpeg;
  Tags image, photo;
  if (!times.imageDateTime.empty()) image.emplace_back(0x0132, times.imageDateTime);
  if (!times.original.empty()) photo.emplace_back(0x9003, times.original);
  if (!times.digitized.empty()) photo.emplace_back(0x9004, times.digitized);
  if (!times.originalSubSeconds.empty()) photo.emplace_back(0x9291, times.originalSubSeconds);
  if (!times.digitizedSubSeconds.empty()) photo.emplace_back(0x9292, times.digitizedSubSeconds);

  std::string jpeg = {char(0xFF), char(0xD8)};
  if (!image.empty() || !photo.empty()) {
    std::string tiff = "II";
    Put16(tiff, 42), Put32(tiff, 8);
    const uint32_t ifd0Size = static_cast<uint32_t>(Ifd(image, 8, {0x8769, 0}).size());
    tiff += Ifd(image, 8, {0x8769, 8 + ifd0Size});
    tiff += Ifd(photo, 8 + ifd0Size);
    jpeg += Segment(0xE1, std::string("Exif\0\0", 6) + tiff);
  }
  if (!times.xmpOriginal.empty() || !times.xmpCreated.empty()) {
    std::string attributes;
    if (!times.xmpOriginal.empty()) attributes += " exif:DateTimeOriginal=\"" + times.xmpOriginal + "\"";
    if (!times.xmpCreated.empty()) attributes += " photoshop:DateCreated=\"" + times.xmpCreated + "\"";
    const std::string packet =
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
        "<rdf:Description rdf:about=\"\" xmlns:exif=\"http://ns.adobe.com/exif/1.0/\" "
        "xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\"" +
        attributes + "/></rdf:RDF></x:xmpmeta>";
    jpeg += Segment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0", 29) + packet);
  }
  return jpeg + char(0xFF) + char(0xD9);
}
