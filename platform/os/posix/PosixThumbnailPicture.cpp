// The picture of a thumbnail on POSIX: a file's embedded preview through
// Exiv2, else the file itself.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/os/ThumbnailPicture.h"
#include "platform/os/VideoFile.h"
#include "platform/os/exiv2/PicturePreview.h"
#include "platform/os/posix/OpenFileBytes.h"
#include "platform/os/posix/PosixFileAt.h"

std::string ReadThumbnailPicture(const std::string& directory, const std::string& name, int wantedEdge) {
  if (name.empty() || name.find('/') != std::string::npos) return {};  // a bare name alone
  const int folder = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return {};
  const int fd = OpenPictureAt(folder, name.c_str());
  close(folder);
  if (fd < 0) return {};
  std::string picture;
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    const auto size = static_cast<uint64_t>(info.st_size);
    OpenFileBytes bytes(fd, size);
    picture = EmbeddedPreview(bytes, wantedEdge);
    if (picture.empty() && size <= kMostThumbnailFileBytes && !LooksLikeVideo(bytes)) {
      picture.resize(size);
      picture.resize(bytes.ReadAt(0, reinterpret_cast<unsigned char*>(picture.data()), picture.size()));
    }
  }
  close(fd);
  return picture;
}
