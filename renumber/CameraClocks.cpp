#include "renumber/CameraClocks.h"

#include <algorithm>

#include "fsystem/FileList.h"
#include "renumber/NameRules.h"

std::vector<CameraSummary> CamerasIn(const std::string& directory, const char* extension, VideoClock videoClock) {
  FileList list;
  list.LoadNames(directory.c_str(), "*");
  std::vector<const char*> names;
  for (const char* name : list.Names()) {
    if (HasExtension(name, extension)) names.push_back(name);
  }
  CameraModels models;
  const std::vector<FileTime> times = ReadFileTimes(directory, names, FileTimeKind::kTaken, videoClock, &models);
  std::vector<CameraSummary> cameras(models.size());
  for (size_t i = 0; i < models.size(); ++i) cameras[i].model = models[i];
  for (const FileTime& time : times) {
    if (time.camera == 0 || time.camera > cameras.size()) continue;
    CameraSummary& camera = cameras[time.camera - 1];
    if (camera.files == 0 || time.time < camera.first) camera.first = time.time;
    if (camera.files == 0 || camera.last < time.time) camera.last = time.time;
    ++camera.files;
  }
  std::erase_if(cameras, [](const CameraSummary& camera) { return camera.files == 0; });
  std::stable_sort(cameras.begin(), cameras.end(),
                   [](const CameraSummary& a, const CameraSummary& b) { return a.first < b.first; });
  return cameras;
}
