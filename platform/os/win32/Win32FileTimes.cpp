// The times of a directory's files on Windows: last-write times from the
// file system, capture times from the pictures' metadata through the
// Windows Imaging Component (WIC), which reads the headers it needs alone,
// else from the shell's property store (HEIC, raws and videos where the
// system has their codecs).

#include <windows.h>
#include <propidl.h>
#include <wincodec.h>

#include <string>
#include <thread>

#include "platform/os/CameraTable.h"
#include "platform/os/CaptureTimeText.h"
#include "platform/os/CaptureTimes.h"
#include "platform/os/OnEveryCore.h"
#include "platform/os/win32/ShellPropertyTime.h"
#include "platform/os/win32/SystemPath.h"
#include "platform/os/win32/WideText.h"

namespace {

// A FILETIME (UTC) on the local wall clock.
FileTime LastWriteOf(const FILETIME& written) {
  SYSTEMTIME utc, local;
  if (!FileTimeToSystemTime(&written, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return {};
  const int64_t seconds =
      WallClockSeconds(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond);
  const uint64_t steps = (static_cast<uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
  return {{seconds, static_cast<int32_t>(steps % 10000000) * 100}, TimeSource::kLastWrite};
}

// A metadata text, narrow, or "" when the reader has none of that name.
std::string MetadataText(IWICMetadataQueryReader* reader, const wchar_t* name) {
  PROPVARIANT value;
  PropVariantInit(&value);
  std::string text;
  if (SUCCEEDED(reader->GetMetadataByName(name, &value))) {
    if (value.vt == VT_LPSTR && value.pszVal) text = value.pszVal;
    if (value.vt == VT_LPWSTR && value.pwszVal) text = Narrow(value.pwszVal);
  }
  PropVariantClear(&value);
  return text;
}

// The capture time the picture's metadata records, by the preference of
// TimeSource: in a JPEG the Exif of its APP1 segment and its XMP, in a
// TIFF-structured file those of its first directory.
FileTime CaptureTimeIn(IWICMetadataQueryReader* reader) {
  struct Exif {
    const wchar_t* dateTime;
    const wchar_t* subSeconds;
    TimeSource source;
  };
  const Exif exifTimes[] = {
      {L"/app1/ifd/exif/{ushort=36867}", L"/app1/ifd/exif/{ushort=37521}", TimeSource::kExifOriginal},
      {L"/ifd/exif/{ushort=36867}", L"/ifd/exif/{ushort=37521}", TimeSource::kExifOriginal},
      {L"/app1/ifd/exif/{ushort=36868}", L"/app1/ifd/exif/{ushort=37522}", TimeSource::kExifDigitized},
      {L"/ifd/exif/{ushort=36868}", L"/ifd/exif/{ushort=37522}", TimeSource::kExifDigitized},
  };
  for (const Exif& exif : exifTimes) {
    WallClockTime time;
    if (ParseExifDateTime(MetadataText(reader, exif.dateTime).c_str(), time)) {
      time.nanoseconds = SubSecondNanoseconds(MetadataText(reader, exif.subSeconds).c_str());
      return {time, exif.source};
    }
  }
  struct Xmp {
    const wchar_t* name;
    TimeSource source;
  };
  const Xmp xmpTimes[] = {
      {L"/xmp/exif:DateTimeOriginal", TimeSource::kXmpOriginal},
      {L"/ifd/xmp/exif:DateTimeOriginal", TimeSource::kXmpOriginal},
      {L"/xmp/photoshop:DateCreated", TimeSource::kXmpCreated},
      {L"/ifd/xmp/photoshop:DateCreated", TimeSource::kXmpCreated},
  };
  for (const Xmp& xmp : xmpTimes) {
    WallClockTime time;
    if (ParseXmpDateTime(MetadataText(reader, xmp.name).c_str(), time)) return {time, xmp.source};
  }
  return {};
}

// The capture time of an open picture; source kNone for anything else.
FileTime CaptureTimeOf(IWICImagingFactory* factory, HANDLE file) {
  FileTime found;
  IWICBitmapDecoder* decoder = nullptr;
  if (FAILED(factory->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file), nullptr,
                                                  WICDecodeMetadataCacheOnDemand, &decoder))) {
    return found;
  }
  IWICBitmapFrameDecode* frame = nullptr;
  IWICMetadataQueryReader* reader = nullptr;
  if (SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetMetadataQueryReader(&reader))) {
    found = CaptureTimeIn(reader);
  }
  if (reader) reader->Release();
  if (frame) frame->Release();
  decoder->Release();
  return found;
}

// The capture time of a regular file, else its last-write time. The name is
// opened without following a link, and only a file on a disk is read.
FileTime TakenAt(IWICImagingFactory* factory, const std::wstring& path, VideoClock videoClock, CameraTable& cameras) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  FileTime time;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(file, &info)) {
    time = LastWriteOf(info.ftLastWriteTime);
    const DWORD notAPicture = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    if (factory && GetFileType(file) == FILE_TYPE_DISK && !(info.dwFileAttributes & notAPicture)) {
      std::string camera;
      FileTime taken = CaptureTimeOf(factory, file);
      if (taken.source == TimeSource::kNone) taken = CaptureTimeFromProperties(path, videoClock, camera);
      if (taken.source != TimeSource::kNone) {
        taken.camera = cameras.Place(camera);
        time = taken;
      }
    }
  }
  CloseHandle(file);
  return time;
}

FileTime LastWriteAt(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
  return LastWriteOf(data.ftLastWriteTime);
}

// The imaging factory of the calling thread, made and let go with it.
class ThreadImaging {
 public:
  ThreadImaging() {
    initialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory_)))) {
      factory_ = nullptr;
    }
  }
  ~ThreadImaging() {
    if (factory_) factory_->Release();
    if (initialized_) CoUninitialize();
  }
  IWICImagingFactory* Factory() const { return factory_; }

 private:
  bool initialized_ = false;
  IWICImagingFactory* factory_ = nullptr;
};

}  // namespace

std::vector<FileTime> ReadFileTimes(const std::string& directory, const std::vector<const char*>& names,
                                    FileTimeKind kind, VideoClock videoClock, CameraModels* cameras) {
  std::vector<FileTime> times(names.size());
  const std::wstring directoryPath = SystemDirectoryPath(directory);
  const auto pathOf = [&](size_t i) { return directoryPath + Widen(names[i]); };
  if (kind == FileTimeKind::kModified) {
    OnEveryCore(names.size(), [&](size_t i) { times[i] = LastWriteAt(pathOf(i)); });
  } else {
    // Only threads of its own enter COM, so the caller's thread (a window's)
    // keeps the apartment it chose.
    CameraTable table(cameras);
    std::thread reader([&] {
      OnEveryCore(names.size(), [&](size_t i) {
        thread_local ThreadImaging imaging;
        times[i] = TakenAt(imaging.Factory(), pathOf(i), videoClock, table);
      });
    });
    reader.join();
  }
  return times;
}
