// The reader of videos on POSIX: libavformat, with the hundred-odd libraries
// it brings, lives in a module of its own (tarvine-video.so, in lib/tarvine/video
// beside the program's bin: ../lib/tarvine/video from the program's folder),
// loaded at the first video a run meets, so that a run without videos
// starts as fast as before.

#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <future>
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

// The module's entry; null when it is missing (every video is then ordered
// by its last-write time).
ReadEntry LoadReader() {
  const std::string path = ModulePath();
  if (path.empty()) return nullptr;
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  return module ? reinterpret_cast<ReadEntry>(dlsym(module, "TarvineReadVideoRecord")) : nullptr;
}

// The module, loaded once on a thread of its own: the hundred-odd libraries
// take a core for some 60 ms, while the other cores go on reading pictures.
const std::shared_future<ReadEntry>& Loading() {
  static const std::shared_future<ReadEntry> loading = std::async(std::launch::async, LoadReader).share();
  return loading;
}

}  // namespace

VideoRecord ReadVideoRecordOnce(PictureBytes& file) {
  VideoRecord record;
  if (!LooksLikeVideo(file)) return record;
  if (const ReadEntry read = Loading().get()) read(&file, &record);
  return record;
}

void LoadVideoReaderAhead() { Loading(); }

bool VideoReaderReady() { return Loading().wait_for(std::chrono::seconds(0)) == std::future_status::ready; }
