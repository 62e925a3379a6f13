// The reader of videos on POSIX: libavformat, with the hundred-odd libraries
// it brings, lives in a module of its own (tarvine-video.so, in lib/tarvine/video
// beside the program's bin: ../lib/tarvine/video from the program's folder),
// loaded at the first video a run meets, so that a run without videos
// starts as fast as before.

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <mutex>
#include <string>

#include "platform/os/VideoFile.h"

namespace {

using ReadEntry = void (*)(PictureBytes*, VideoRecord*);

// The module's path from the running program's own: its folder, then
// ../lib/tarvine/video/tarvine-video.so. Empty when the program's path is unknown.
std::string ModulePath() {
  char program[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
  if (length <= 0) return {};
  std::string path(program, static_cast<size_t>(length));
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return path.substr(0, slash) + "/../lib/tarvine/video/tarvine-video.so";
}

// The module's entry, loaded once; null when it is missing (every video is
// then ordered by its last-write time).
ReadEntry LoadedReader() {
  static std::once_flag loaded;
  static ReadEntry entry = nullptr;
  std::call_once(loaded, [] {
    const std::string path = ModulePath();
    if (path.empty()) return;
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module) entry = reinterpret_cast<ReadEntry>(dlsym(module, "TarvineReadVideoRecord"));
  });
  return entry;
}

}  // namespace

VideoRecord ReadVideoRecordOnce(PictureBytes& file) {
  VideoRecord record;
  if (!LooksLikeVideo(file)) return record;
  if (const ReadEntry read = LoadedReader()) read(&file, &record);
  return record;
}
