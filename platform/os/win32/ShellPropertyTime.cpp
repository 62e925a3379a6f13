#include "platform/os/win32/ShellPropertyTime.h"

#include <windows.h>
#include <shobjidl.h>
#include <propsys.h>

#include "platform/os/CaptureTimeText.h"
#include "platform/os/VideoClock.h"
#include "platform/os/win32/WideText.h"

namespace {

// System.Photo.DateTaken, System.Photo.CameraModel and
// System.Media.DateEncoded (not every SDK's propkey.h names them).
const PROPERTYKEY kDateTaken = {{0x14b81da1, 0x0135, 0x4d31, {0x96, 0xd9, 0x6c, 0xbf, 0xc9, 0x67, 0x1a, 0x99}}, 36867};
const PROPERTYKEY kCameraModel = {{0x14b81da1, 0x0135, 0x4d31, {0x96, 0xd9, 0x6c, 0xbf, 0xc9, 0x67, 0x1a, 0x99}}, 272};
const PROPERTYKEY kDateEncoded = {{0x2e4b640d, 0x5019, 0x46d8, {0x88, 0x81, 0x55, 0x41, 0x4c, 0xc5, 0xca, 0xa0}}, 100};

// A UTC FILETIME as the UTC wall clock (seconds since 1970), with its
// fraction.
WallClockTime UtcOf(const FILETIME& time) {
  const uint64_t steps = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  constexpr uint64_t kStepsTo1970 = 116444736000000000ULL;
  const int64_t since1970 = static_cast<int64_t>(steps - kStepsTo1970);
  const int64_t seconds = since1970 >= 0 ? since1970 / 10000000 : (since1970 - 9999999) / 10000000;
  return {seconds, static_cast<int32_t>((since1970 - seconds * 10000000) * 100)};
}

bool FileTimeProperty(IPropertyStore* store, const PROPERTYKEY& key, FILETIME& time) {
  PROPVARIANT value;
  PropVariantInit(&value);
  const bool found = SUCCEEDED(store->GetValue(key, &value)) && value.vt == VT_FILETIME;
  if (found) time = value.filetime;
  PropVariantClear(&value);
  return found && (time.dwHighDateTime || time.dwLowDateTime);
}

std::string TextProperty(IPropertyStore* store, const PROPERTYKEY& key) {
  PROPVARIANT value;
  PropVariantInit(&value);
  std::string text;
  if (SUCCEEDED(store->GetValue(key, &value)) && value.vt == VT_LPWSTR && value.pwszVal) text = Narrow(value.pwszVal);
  PropVariantClear(&value);
  return text;
}

}  // namespace

FileTime CaptureTimeFromProperties(const std::wstring& path, VideoClock videoClock, std::string& camera) {
  camera.clear();
  IPropertyStore* store = nullptr;
  if (FAILED(SHGetPropertyStoreFromParsingName(path.c_str(), nullptr, GPS_DEFAULT, IID_PPV_ARGS(&store)))) return {};
  FileTime found;
  FILETIME time;
  if (FileTimeProperty(store, kDateTaken, time)) {
    // The shell turned the camera's clock into UTC with this machine's zone:
    // turned back, it is the clock as the camera showed it.
    FileTime local = VideoFileTime({std::nullopt, std::nullopt, UtcOf(time), {}}, VideoClock::kUtc);
    found = {local.time, TimeSource::kExifOriginal};
    camera = TextProperty(store, kCameraModel);
  } else if (FileTimeProperty(store, kDateEncoded, time)) {
    found = VideoFileTime({std::nullopt, std::nullopt, UtcOf(time), {}}, videoClock);
  }
  store->Release();
  return found;
}
