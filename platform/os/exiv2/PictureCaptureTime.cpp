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
#include <mutex>
#include <string>
#include <vector>

#include "platform/os/CaptureTimeText.h"
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

// The XMP toolkit inside Exiv2 is not safe on many threads at once: packets
// are parsed in turn, and the toolkit's own shared state is guarded by the
// lock Exiv2 is given.
std::mutex xmpTurn;
std::recursive_mutex xmpToolkitLock;

void LockXmp(void* data, bool lock) {
  auto* mutex = static_cast<std::recursive_mutex*>(data);
  if (lock) {
    mutex->lock();
  } else {
    mutex->unlock();
  }
}

// Exiv2's one-time set-up: no warnings on the terminal about damaged files
// (they are expected, and ordered by their last-write time), its reader of
// BMFF files (HEIC, AVIF, CR3) switched on, and the XMP toolkit ready
// before any thread uses it.
void PrepareExiv2() {
  static std::once_flag prepared;
  std::call_once(prepared, [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::enableBMFF(true);
    Exiv2::XmpParser::initialize(LockXmp, &xmpToolkitLock);
  });
}

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

// The Exif date with its sub-seconds, in the order of preference, and the
// offset recorded beside the original date.
FileTime CaptureTimeInExifData(const Exiv2::ExifData& exif, std::string* camera) {
  if (camera) *camera = Trimmed(TagText<Exiv2::ExifData, Exiv2::ExifKey>(exif, "Exif.Image.Model"));
  const struct {
    const char* date;
    const char* subSeconds;
    uint16_t offsetTag;  // Exif OffsetTimeOriginal or OffsetTimeDigitized
    TimeSource source;
  } preferred[] = {
      {"Exif.Photo.DateTimeOriginal", "Exif.Photo.SubSecTimeOriginal", 0x9011, TimeSource::kExifOriginal},
      {"Exif.Photo.DateTimeDigitized", "Exif.Photo.SubSecTimeDigitized", 0x9012, TimeSource::kExifDigitized},
  };
  for (const auto& tag : preferred) {
    FileTime time;
    if (!ParseExifDateTime(TagText<Exiv2::ExifData, Exiv2::ExifKey>(exif, tag.date).c_str(), time.time)) continue;
    time.time.nanoseconds = SubSecondNanoseconds(TagText<Exiv2::ExifData, Exiv2::ExifKey>(exif, tag.subSeconds).c_str());
    time.source = tag.source;
    const auto offset = exif.findKey(Exiv2::ExifKey(tag.offsetTag, "Photo"));
    if (offset != exif.end() && ParseZoneOffset(Trimmed(offset->toString()).c_str(), time.offsetSeconds)) {
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
    const std::lock_guard<std::mutex> turn(xmpTurn);
    try {
      if (Exiv2::XmpParser::decode(xmp, packet) != 0) return {};
    } catch (...) {
      return {};
    }
  }
  return CaptureTimeInXmpData(xmp);
}

// The capture time of a file Exiv2 reads whole through `io`: the Exif of
// its metadata, else its XMP. Reading parses the XMP packet too, so files
// are read in the XMP toolkit's turn.
FileTime CaptureTimeInImage(Exiv2::BasicIo::AutoPtr io, int type, std::string* camera) {
  try {
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::create(type, std::move(io));
    if (!image.get()) return {};
    {
      const std::lock_guard<std::mutex> turn(xmpTurn);
      image->readMetadata();
    }
    const FileTime fromExif = CaptureTimeInExifData(image->exifData(), camera);
    return fromExif.source != TimeSource::kNone ? fromExif : CaptureTimeInXmpData(image->xmpData());
  } catch (...) {
    return {};
  }
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
                              type, camera);
  }
  Exiv2::BasicIo::AutoPtr io(new PictureBytesIo(file, file.Size()));
  int type = Exiv2::ImageType::none;
  try {
    type = Exiv2::ImageFactory::getType(*io);
  } catch (...) {
    return {};
  }
  if (!IsStillPictureType(type)) return {};
  return CaptureTimeInImage(std::move(io), type, camera);
}
