#include "platform/os/libav/VideoCreationTime.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

#include <chrono>
#include <mutex>
#include <string>

#include "platform/os/CaptureTimeText.h"

namespace {

// The reading of one file stops after this many bytes or this long,
// whichever comes first, so a file that keeps sending the demuxer elsewhere
// cannot hold the run.
constexpr uint64_t kMostBytes = 64 << 20;
constexpr auto kMostTime = std::chrono::seconds(3);
// The demuxer reads in pieces of this size: its boxes' headers are small,
// and a block this small is reused from the heap, where one of 64 KiB is
// given back to the system and asked for anew at every file.
constexpr int kPieceBytes = 4 << 10;
constexpr size_t kMostBlock = 16 << 20;

// The file's bytes as libavformat reads them: a position, the bytes read so
// far, the moment the reading must end.
struct Reading {
  PictureBytes& file;
  uint64_t size;
  uint64_t at = 0;
  uint64_t read = 0;
  std::chrono::steady_clock::time_point deadline;
};

int ReadPiece(void* opaque, uint8_t* into, int count) {
  auto& reading = *static_cast<Reading*>(opaque);
  if (count <= 0 || reading.at >= reading.size || reading.read >= kMostBytes) return AVERROR_EOF;
  const size_t got = reading.file.ReadAt(reading.at, into, static_cast<size_t>(count));
  if (got == 0) return AVERROR_EOF;
  reading.at += got;
  reading.read += got;
  return static_cast<int>(got);
}

int64_t SeekTo(void* opaque, int64_t offset, int whence) {
  auto& reading = *static_cast<Reading*>(opaque);
  whence &= ~AVSEEK_FORCE;
  if (whence == AVSEEK_SIZE) return static_cast<int64_t>(reading.size);
  int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<int64_t>(reading.at);
  if (whence == SEEK_END) base = static_cast<int64_t>(reading.size);
  if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) return -1;
  if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0) return -1;
  reading.at = static_cast<uint64_t>(base + offset);
  return base + offset;
}

int PastDeadline(void* opaque) {
  return std::chrono::steady_clock::now() > static_cast<Reading*>(opaque)->deadline ? 1 : 0;
}

std::string MetadataText(AVDictionary* metadata, const char* key) {
  const AVDictionaryEntry* entry = av_dict_get(metadata, key, nullptr, 0);
  return entry && entry->value ? entry->value : "";
}

// The container's creation time as libavformat gives it: ISO 8601 in UTC,
// "2023-07-14T08:22:03.000000Z". The zero times of the formats' epochs
// (1904 and 1970) mean none was written.
std::optional<WallClockTime> CreationTime(const std::string& text) {
  WallClockTime time;
  if (!ParseIsoDateTime(text.c_str(), time, nullptr)) return {};
  if (time.seconds == 0 || time.seconds == WallClockSeconds(1904, 1, 1, 0, 0, 0)) return {};
  return time;
}

// libavformat's one-time set-up: no messages on the terminal about damaged
// files (they are expected, and ordered by their last-write time), and no
// block of memory larger than kMostBlock, whatever counts a damaged file
// claims (the module is libavformat's one user in the program).
const AVInputFormat* QuickTimeDemuxer() {
  static std::once_flag prepared;
  static const AVInputFormat* demuxer = nullptr;
  std::call_once(prepared, [] {
    av_log_set_level(AV_LOG_QUIET);
    av_max_alloc(kMostBlock);
    demuxer = av_find_input_format("mov");
  });
  return demuxer;
}

}  // namespace

VideoRecord ReadVideoRecord(PictureBytes& file) {
  VideoRecord record;
  const AVInputFormat* demuxer = QuickTimeDemuxer();
  if (!demuxer) return record;
  Reading reading{file, file.Size(), 0, 0, std::chrono::steady_clock::now() + kMostTime};
  auto* buffer = static_cast<unsigned char*>(av_malloc(kPieceBytes));
  if (!buffer) return record;
  AVIOContext* io = avio_alloc_context(buffer, kPieceBytes, 0, &reading, ReadPiece, nullptr, SeekTo);
  if (!io) {
    av_free(buffer);
    return record;
  }
  AVFormatContext* format = avformat_alloc_context();
  if (format) {
    format->pb = io;
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    format->interrupt_callback = {PastDeadline, &reading};
    // On failure avformat_open_input frees the context itself.
    if (avformat_open_input(&format, nullptr, demuxer, nullptr) == 0) {
      WallClockTime apple;
      std::optional<int32_t> zone;
      if (ParseIsoDateTime(MetadataText(format->metadata, "com.apple.quicktime.creationdate").c_str(), apple,
                           &zone)) {
        record.appleCreation = apple;
        record.appleZone = zone;
      }
      record.creation = CreationTime(MetadataText(format->metadata, "creation_time"));
      record.camera = MetadataText(format->metadata, "com.apple.quicktime.model");
      avformat_close_input(&format);
    }
  }
  av_freep(&io->buffer);
  avio_context_free(&io);
  return record;
}

extern "C" __attribute__((visibility("default"))) void TarvineReadVideoRecord(PictureBytes* file,
                                                                             VideoRecord* record) {
  *record = ReadVideoRecord(*file);
}
