#include "platform/os/mediainfo/VideoCreationTime.h"

#include <MediaInfo/MediaInfo.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/os/CaptureTimeText.h"

namespace {

// The reading stops after this many pieces or bytes, whichever comes first,
// so a file that keeps sending the reader elsewhere cannot hold it.
constexpr int kMostPieces = 256;
constexpr uint64_t kMostBytes = 16 << 20;
constexpr size_t kPieceBytes = 64 << 10;
// MediaInfoLib's state of a buffer reading: bit 3, finished.
constexpr size_t kFinished = 0x08;

// A MediaInfoLib text (wide) as UTF-8.
std::string Narrow(const MediaInfoLib::String& text) {
  std::string out;
  for (const wchar_t wide : text) {
    const auto c = static_cast<uint32_t>(wide);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x110000) {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string GeneralField(MediaInfoLib::MediaInfo& info, const wchar_t* name) {
  return Narrow(info.Get(MediaInfoLib::Stream_General, 0, name));
}

// The container's creation time as MediaInfoLib gives it: "2023-07-14
// 08:22:03 UTC", "UTC 2023-07-14 08:22:03" or ISO 8601. The zero times of
// the formats' epochs (1904 and 1970) mean none was written.
std::optional<WallClockTime> CreationTime(std::string text) {
  if (text.rfind("UTC ", 0) == 0) text.erase(0, 4);
  WallClockTime time;
  if (!ParseExifDateTime(text.c_str(), time) && !ParseIsoDateTime(text.c_str(), time, nullptr)) return {};
  if (time == WallClockTime{} || time == WallClockTime{WallClockSeconds(1904, 1, 1, 0, 0, 0), 0}) return {};
  return time;
}

}  // namespace

bool LooksLikeVideo(PictureBytes& file) {
  unsigned char head[8];
  if (file.ReadAt(0, head, sizeof head) != sizeof head) return false;
  for (const char* type : {"ftyp", "moov", "mdat", "wide", "free", "skip", "pnot"}) {
    if (std::memcmp(head + 4, type, 4) == 0) return true;
  }
  return false;
}

VideoRecord ReadVideoRecord(PictureBytes& file) {
  VideoRecord record;
  if (!LooksLikeVideo(file)) return record;
  const uint64_t size = file.Size();
  MediaInfoLib::MediaInfo info;
  info.Option(L"ParseSpeed", L"0");
  info.Open_Buffer_Init(size, 0);
  std::vector<unsigned char> piece(kPieceBytes);
  uint64_t offset = 0, read = 0;
  for (int count = 0; count < kMostPieces && read < kMostBytes && offset < size; ++count) {
    const size_t got = file.ReadAt(offset, piece.data(), piece.size());
    if (got == 0) break;
    read += got;
    if (info.Open_Buffer_Continue(piece.data(), got) & kFinished) break;
    const uint64_t wanted = info.Open_Buffer_Continue_GoTo_Get();
    if (wanted != static_cast<uint64_t>(-1)) {
      offset = wanted;
      info.Open_Buffer_Init(size, offset);
    } else {
      offset += got;
    }
  }
  info.Open_Buffer_Finalize();

  WallClockTime apple;
  std::optional<int32_t> zone;
  if (ParseIsoDateTime(GeneralField(info, L"com.apple.quicktime.creationdate").c_str(), apple, &zone)) {
    record.appleCreation = apple;
    record.appleZone = zone;
  }
  record.creation = CreationTime(GeneralField(info, L"Encoded_Date"));
  record.camera = GeneralField(info, L"com.apple.quicktime.model");
  return record;
}
