#include "platform/os/exiv2/PictureCaptureTime.h"

#include <exiv2/bmffimage.hpp>
#include <exiv2/exiv2.hpp>
#include <exiv2/orfimage.hpp>
#include <exiv2/pngimage.hpp>
#include <exiv2/rafimage.hpp>
#include <exiv2/rw2image.hpp>
#include <exiv2/webpimage.hpp>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/os/CaptureTimeText.h"
#include "platform/os/VideoFile.h"
#include "platform/os/exiv2/Exiv2Setup.h"
#include "platform/os/exiv2/PictureBytesIo.h"

namespace {

// A JPEG file's metadata segments lie before its first scan; the walk stops
// there, or after this many segments or bytes, whichever comes first, so a
// file of endless tiny segments cannot hold it.
constexpr int kMostSegments = 512;
constexpr uint64_t kMostHeaderBytes = 16 << 20;
// Of a TIFF-structured file, the IFDs that hold the dates lie near the start.
constexpr size_t kTiffHeadBytes = 1 << 20;

const unsigned char kExifSignature[] = {'E', 'x', 'i', 'f', 0, 0};
const char kXmpSignature[] = "http://ns.adobe.com/xap/1.0/";  // with its terminator

// The metadata a JPEG file carries for capture times: the TIFF structure of
// its Exif segment and its XMP packet, each empty when missing.
struct JpegMetadata {
  std::vector<unsigned char> exif;
  std::string xmp;
};

bool StartsWith(const std::vector<unsigned char>& data, const void* prefix, size_t length) {
  return data.size() >= length && std::memcmp(data.data(), prefix, length) == 0;
}

// Walks the segments of a JPEG file from after its start marker up to the
// first scan, keeping the first Exif and the first XMP segment.
JpegMetadata ReadJpegMetadata(PictureBytes& file) {
  JpegMetadata found;
  uint64_t offset = 2;
  for (int segment = 0; segment < kMostSegments && offset < kMostHeaderBytes; ++segment) {
    unsigned char head[4];
    if (file.ReadAt(offset, head, 2) != 2 || head[0] != 0xFF) break;
    const unsigned char marker = head[1];
    if (marker == 0xFF) {  // a fill byte before the marker
      ++offset;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) break;  // the end, or the first scan
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a length
      offset += 2;
      continue;
    }
    if (file.ReadAt(offset + 2, head + 2, 2) != 2) break;
    const size_t length = static_cast<size_t>(head[2] << 8 | head[3]);
    if (length < 2) break;
    if (marker == 0xE1 && length > 2 && (found.exif.empty() || found.xmp.empty())) {
      std::vector<unsigned char> data(length - 2);
      if (file.ReadAt(offset + 4, data.data(), data.size()) != data.size()) break;
      if (found.exif.empty() && StartsWith(data, kExifSignature, sizeof kExifSignature)) {
        found.exif.assign(data.begin() + sizeof kExifSignature, data.end());
      } else if (found.xmp.empty() && StartsWith(data, kXmpSignature, sizeof kXmpSignature)) {
        found.xmp.assign(data.begin() + sizeof kXmpSignature, data.end());
      }
    }
    offset += 2 + length;
  }
  return found;
}

// The text of a tag, or empty when it is missing.
template <typename Data, typename Key>
std::string TagText(const Data& data, const char* key) {
  const auto found = data.findKey(Key(key));
  if (found == data.end()) return {};
  return found->toString();
}

// A tag's text without the blanks and NULs around it.
std::string Trimmed(std::string text) {
  const char* const blanks = " \t\r\n";
  text.erase(std::find(text.begin(), text.end(), '\0'), text.end());
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// A tag of Exif as Exiv2 numbers it: its number and its IFD.
struct ExifTag {
  uint16_t number;
  int ifd;

  explicit ExifTag(const Exiv2::ExifKey& key) : number(key.tag()), ifd(key.ifdId()) {}
  bool Is(const Exiv2::Exifdatum& datum) const { return datum.tag() == number && datum.ifdId() == ifd; }
};

// The tags capture times are read from, each found once: a file's tags are
// then looked over in one walk, without making a key's text per tag.
enum CaptureTag { kModel, kOriginal, kOriginalSubSeconds, kOriginalOffset, kDigitized, kDigitizedSubSeconds,
                  kDigitizedOffset, kCaptureTags };
const std::vector<ExifTag>& CaptureTags() {
  static const std::vector<ExifTag> tags = {
      ExifTag(Exiv2::ExifKey("Exif.Image.Model")),
      ExifTag(Exiv2::ExifKey("Exif.Photo.DateTimeOriginal")),
      ExifTag(Exiv2::ExifKey("Exif.Photo.SubSecTimeOriginal")),
      ExifTag(Exiv2::ExifKey(0x9011, "Photo")),  // OffsetTimeOriginal
      ExifTag(Exiv2::ExifKey("Exif.Photo.DateTimeDigitized")),
      ExifTag(Exiv2::ExifKey("Exif.Photo.SubSecTimeDigitized")),
      ExifTag(Exiv2::ExifKey(0x9012, "Photo")),  // OffsetTimeDigitized
  };
  return tags;
}

// A tag's text as Exiv2 writes it. An ASCII tag's bytes are taken as they
// stand, without their trailing NULs, which is what Exiv2 writes for it,
// without a string stream per tag.
//   "2023:07:14 08:40:41\0" (ASCII)  => "2023:07:14 08:40:41"
//   "+02:00\0\0" (ASCII)              => "+02:00"
//   3 (SHORT)                         => "3"
std::string DatumText(const Exiv2::Exifdatum& datum) {
  if (datum.typeId() != Exiv2::asciiString) return datum.toString();
  std::string text(static_cast<size_t>(datum.size()), '\0');
  if (!text.empty()) {
    const long copied = datum.copy(reinterpret_cast<Exiv2::byte*>(&text[0]), Exiv2::invalidByteOrder);
    text.resize(static_cast<size_t>(copied));
  }
  text.erase(text.find_last_not_of('\0') + 1);
  return text;
}

// The Exif date with its sub-seconds, in the order of preference, and the
// offset recorded beside the original date.
FileTime CaptureTimeInExifData(const Exiv2::ExifData& exif, std::string* camera) {
  const std::vector<ExifTag>& tags = CaptureTags();
  const Exiv2::Exifdatum* found[kCaptureTags] = {};
  for (const Exiv2::Exifdatum& datum : exif) {
    for (int tag = 0; tag < kCaptureTags; ++tag) {
      if (!found[tag] && tags[tag].Is(datum)) found[tag] = &datum;
    }
  }
  const auto text = [&found](CaptureTag tag) { return found[tag] ? DatumText(*found[tag]) : std::string(); };
  if (camera) *camera = Trimmed(text(kModel));
  const struct {
    CaptureTag date, subSeconds, offset;
    TimeSource source;
  } preferred[] = {
      {kOriginal, kOriginalSubSeconds, kOriginalOffset, TimeSource::kExifOriginal},
      {kDigitized, kDigitizedSubSeconds, kDigitizedOffset, TimeSource::kExifDigitized},
  };
  for (const auto& tag : preferred) {
    FileTime time;
    if (!ParseExifDateTime(text(tag.date).c_str(), time.time)) continue;
    time.time.nanoseconds = SubSecondNanoseconds(text(tag.subSeconds).c_str());
    time.source = tag.source;
    if (found[tag.offset] && ParseZoneOffset(Trimmed(text(tag.offset)).c_str(), time.offsetSeconds)) {
      time.offsetKind = ClockOffset::kRecorded;
    }
    return time;
  }
  return {};
}

FileTime CaptureTimeInExif(const unsigned char* tiff, size_t size, std::string* camera) {
  if (size == 0) return {};
  Exiv2::ExifData exif;
  try {
    Exiv2::ExifParser::decode(exif, tiff, static_cast<uint32_t>(size));
  } catch (...) {  // Exiv2 says what it cannot read by throwing
    return {};
  }
  return CaptureTimeInExifData(exif, camera);
}

FileTime CaptureTimeInXmpData(const Exiv2::XmpData& xmp) {
  const struct {
    const char* date;
    TimeSource source;
  } preferred[] = {
      {"Xmp.exif.DateTimeOriginal", TimeSource::kXmpOriginal},
      {"Xmp.photoshop.DateCreated", TimeSource::kXmpCreated},
  };
  for (const auto& tag : preferred) {
    FileTime time;
    if (!ParseXmpDateTime(TagText<Exiv2::XmpData, Exiv2::XmpKey>(xmp, tag.date).c_str(), time.time)) continue;
    time.source = tag.source;
    return time;
  }
  return {};
}

FileTime CaptureTimeInXmp(const std::string& packet) {
  if (packet.empty()) return {};
  Exiv2::XmpData xmp;
  {
    const std::lock_guard<std::mutex> turn(XmpTurn());
    try {
      if (Exiv2::XmpParser::decode(xmp, packet) != 0) return {};
    } catch (...) {
      return {};
    }
  }
  return CaptureTimeInXmpData(xmp);
}

// The capture time of a file Exiv2 reads whole through `io`: the Exif of
// its metadata, else its XMP. Reading parses an XMP packet too, so a file
// that may hold one is read in the XMP toolkit's turn.
FileTime CaptureTimeInImage(Exiv2::BasicIo::AutoPtr io, int type, bool mayHoldXmp, std::string* camera) {
  try {
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::create(type, std::move(io));
    if (!image.get()) return {};
    if (mayHoldXmp) {
      const std::lock_guard<std::mutex> turn(XmpTurn());
      image->readMetadata();
    } else {
      image->readMetadata();
    }
    const FileTime fromExif = CaptureTimeInExifData(image->exifData(), camera);
    return fromExif.source != TimeSource::kNone ? fromExif : CaptureTimeInXmpData(image->xmpData());
  } catch (...) {
    return {};
  }
}

// Of a box-structured file (HEIC, AVIF, CR3), the bytes searched for a
// sign of XMP: a phone's leading boxes take a few kilobytes.
constexpr size_t kXmpSearchBytes = 64 << 10;

uint32_t BigEndian32(const unsigned char* bytes) {
  return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

bool Holds(const unsigned char* begin, const unsigned char* end, const void* text, size_t length) {
  return std::search(begin, end, static_cast<const unsigned char*>(text),
                     static_cast<const unsigned char*>(text) + length) != end;
}

bool IsTiffHeader(const unsigned char* head) {
  return (head[0] == 'I' && head[1] == 'I' && head[2] == 42 && head[3] == 0) ||
         (head[0] == 'M' && head[1] == 'M' && head[2] == 0 && head[3] == 42);
}

// The TIFF-like headers of Olympus (ORF) and Panasonic (RW2) raws, whose
// dates lie near the start as in TIFF.
bool IsTiffLikeRawHeader(const unsigned char* head) {
  return std::memcmp(head, "IIRO", 4) == 0 || std::memcmp(head, "IIRS", 4) == 0 ||
         std::memcmp(head, "MMOR", 4) == 0 || std::memcmp(head, "IIU\0", 4) == 0;
}

// The kinds of file Exiv2 is asked to read beyond JPEG and TIFF: the still
// pictures among its readers, never its video readers.
bool IsStillPictureType(int type) {
  return type == Exiv2::ImageType::bmff || type == Exiv2::ImageType::png || type == Exiv2::ImageType::webp ||
         type == Exiv2::ImageType::raf || type == Exiv2::ImageType::orf || type == Exiv2::ImageType::rw2;
}

}  // namespace

bool MayHoldXmp(PictureBytes& file) {
  static const unsigned char kXmpUuid[] = {0xbe, 0x7a, 0xcf, 0xcb, 0x97, 0xa9, 0x42, 0xe8,
                                           0x9c, 0x71, 0x99, 0x94, 0x91, 0xe3, 0xaf, 0xac};
  const uint64_t fileSize = file.Size();
  std::vector<unsigned char> bytes;  // of one box
  for (uint64_t at = 0; at < fileSize;) {
    unsigned char box[16];
    if (file.ReadAt(at, box, 8) != 8) return true;
    uint64_t size = BigEndian32(box);
    if (size == 1) {
      if (file.ReadAt(at + 8, box + 8, 8) != 8) return true;
      size = uint64_t{BigEndian32(box + 8)} << 32 | BigEndian32(box + 12);
    } else if (size == 0) {
      size = fileSize - at;  // to the end of the file
    }
    if (size < 8 || size > fileSize - at) return true;
    const bool mediaData = std::memcmp(box + 4, "mdat", 4) == 0 || std::memcmp(box + 4, "free", 4) == 0 ||
                           std::memcmp(box + 4, "skip", 4) == 0;
    if (!mediaData) {
      if (at + size > kXmpSearchBytes) return true;
      bytes.resize(size);
      if (file.ReadAt(at, bytes.data(), size) != size) return true;
      const unsigned char* begin = bytes.data();
      const unsigned char* end = begin + size;
      if (Holds(begin, end, "rdf+xml", 7) || Holds(begin, end, "xmpmeta", 7) ||
          Holds(begin, end, kXmpUuid, sizeof kXmpUuid)) {
        return true;
      }
    }
    at += size;
  }
  return false;
}

FileTime CaptureTimeInPicture(PictureBytes& file, std::string* camera) {
  PrepareExiv2();
  if (camera) camera->clear();
  unsigned char head[4];
  const size_t headSize = file.ReadAt(0, head, sizeof head);
  if (headSize >= 2 && head[0] == 0xFF && head[1] == 0xD8) {
    const JpegMetadata metadata = ReadJpegMetadata(file);
    const FileTime fromExif = CaptureTimeInExif(metadata.exif.data(), metadata.exif.size(), camera);
    return fromExif.source != TimeSource::kNone ? fromExif : CaptureTimeInXmp(metadata.xmp);
  }
  if (headSize < sizeof head) return {};
  if (IsTiffHeader(head) || IsTiffLikeRawHeader(head)) {
    std::vector<unsigned char> tiff(kTiffHeadBytes);
    tiff.resize(file.ReadAt(0, tiff.data(), tiff.size()));
    if (IsTiffHeader(head)) return CaptureTimeInExif(tiff.data(), tiff.size(), camera);
    const int type = IsTiffLikeRawHeader(head) && head[2] == 'U' ? Exiv2::ImageType::rw2 : Exiv2::ImageType::orf;
    return CaptureTimeInImage(Exiv2::BasicIo::AutoPtr(new Exiv2::MemIo(tiff.data(), static_cast<long>(tiff.size()))),
                              type, true, camera);
  }
  Exiv2::BasicIo::AutoPtr io(new PictureBytesIo(file, file.Size()));
  int type = Exiv2::ImageType::none;
  try {
    // A still picture's box file names itself by its brand; any other file
    // is put to each of Exiv2's readers in turn.
    type = IsStillBoxFile(file) ? Exiv2::ImageType::bmff : Exiv2::ImageFactory::getType(*io);
  } catch (...) {
    return {};
  }
  if (!IsStillPictureType(type)) return {};
  return CaptureTimeInImage(std::move(io), type, type != Exiv2::ImageType::bmff || MayHoldXmp(file), camera);
}
