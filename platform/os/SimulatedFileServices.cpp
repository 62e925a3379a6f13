#include "platform/os/SimulatedFileServices.h"

#include <cerrno>
#include <cstring>

#include "platform/os/NullDevice.h"
#include "platform/os/SearchText.h"

namespace {

// The entries of one picture by bare names; renames are told with the
// directory text in front, as the log writes them.
class PictureRunDirectory : public RunDirectory {
 public:
  PictureRunDirectory(SimulatedFileServices& services, std::string directoryText)
      : services_(services), directoryText_(std::move(directoryText)), picture_(services.PictureOf(directoryText_)) {}

  int Exists(const char* name) override { return picture_.Exists(name) ? 1 : 0; }
  int Rename(const char* from, const char* to) override {
    const int error = picture_.Rename(from, to);
    if (error == 0 && services_.onRename) services_.onRename((directoryText_ + from).c_str(), (directoryText_ + to).c_str());
    return error;
  }
  FILE* OpenOwnFile(const char* name, const char* mode) override {
    return services_.OpenOwnFile((directoryText_ + name).c_str(), mode);
  }
  int Remove(const char*) override { return 0; }
  int SameFile(const char*, const char*) override { return 0; }
  // A picture knows names alone, and nothing of it is on disk to sync.
  int Identify(const char*, FileIdentity&) override { return ENOTSUP; }
  int Sync() override { return 0; }

 private:
  SimulatedFileServices& services_;
  std::string directoryText_;
  DirectoryPicture& picture_;
};

}  // namespace

namespace {

// The current directory is "" to a run and "." to a search text.
std::string KeyOf(const std::string& directory) { return directory.empty() ? "." : directory; }

}  // namespace

DirectoryPicture& SimulatedFileServices::PictureOf(const std::string& directory) {
  const std::string key = KeyOf(directory);
  std::unique_ptr<DirectoryPicture>& picture = pictures_[key];
  if (!picture) picture = std::make_unique<DirectoryPicture>(real_, key);
  return *picture;
}

std::unique_ptr<DirectoryPicture> SimulatedFileServices::TakePicture(const std::string& directory) {
  PictureOf(directory);
  const auto found = pictures_.find(KeyOf(directory));
  std::unique_ptr<DirectoryPicture> picture = std::move(found->second);
  pictures_.erase(found);
  return picture;
}

std::vector<DirEntry> SimulatedFileServices::Search(const char* searchText, EntryDetail detail) {
  const SearchText search = SplitSearchText(searchText);
  DirectoryPicture& picture = PictureOf(search.directory);
  if (detail == EntryDetail::kFullRecords) return picture.ListRecords(search.pattern.c_str());
  std::vector<DirEntry> found;
  for (const char* name : picture.List(search.pattern.c_str())) found.emplace_back().name = name;
  return found;
}

PackedNames SimulatedFileServices::SearchNames(const char* searchText) {
  const SearchText search = SplitSearchText(searchText);
  return PictureOf(search.directory).List(search.pattern.c_str());
}

int SimulatedFileServices::Exists(const char* path) {
  if (!*path) return 0;
  const SearchText where = SplitSearchText(path);
  const DirectoryPicture& picture = PictureOf(where.directory);
  if (where.pattern.empty()) return picture.Readable() ? 1 : 0;  // "pics/"
  return picture.Exists(where.pattern) ? 1 : 0;
}

int SimulatedFileServices::Rename(const char* from, const char* to) {
  const SearchText source = SplitSearchText(from);
  const SearchText target = SplitSearchText(to);
  DirectoryPicture& picture = PictureOf(source.directory);
  if (!PictureOf(target.directory).Readable()) return ENOENT;
  if (!picture.Exists(source.pattern)) return ENOENT;
  if (target.directory != source.directory) return EXDEV;
  const int error = picture.Rename(source.pattern.c_str(), target.pattern.c_str());
  if (error == 0 && onRename) onRename(from, to);
  return error;
}

int SimulatedFileServices::IsDirectory(const char* path) {
  const SearchText where = SplitSearchText(path);
  DirectoryPicture& picture = PictureOf(where.directory);
  if (where.pattern.empty()) return picture.Readable() ? 1 : 0;  // "pics/"
  return picture.IsDirectory(where.pattern) ? 1 : 0;
}

int SimulatedFileServices::OpenRunDirectory(const char* directory, std::unique_ptr<RunDirectory>& opened) {
  if (!PictureOf(directory).Readable()) return ENOENT;
  opened = std::make_unique<PictureRunDirectory>(*this, directory);
  return 0;
}

FILE* SimulatedFileServices::Open(const char* path, const char* mode) {
  if (std::strpbrk(mode, "wa+") != nullptr) return std::fopen(NullDevicePath(), mode);
  // A file renamed in a picture is read under the name it has on disk.
  const SearchText where = SplitSearchText(path);
  const auto picture = pictures_.find(KeyOf(where.directory));
  if (picture != pictures_.end()) {
    const size_t entry = picture->second->Find(where.pattern);
    if (entry != DirectoryPicture::kNone && picture->second->Renamed(entry)) {
      const std::string onDisk = (where.directory == "." ? std::string() : where.directory) +
                                 picture->second->OriginalName(entry);
      return real_.Open(onDisk.c_str(), mode);
    }
  }
  return real_.Open(path, mode);
}
