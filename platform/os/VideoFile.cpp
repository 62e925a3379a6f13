#include "platform/os/VideoFile.h"

#include <cstring>

bool LooksLikeVideo(PictureBytes& file) {
  unsigned char head[8];
  if (file.ReadAt(0, head, sizeof head) != sizeof head) return false;
  for (const char* type : {"ftyp", "moov", "mdat", "wide", "free", "skip", "pnot"}) {
    if (std::memcmp(head + 4, type, 4) == 0) return true;
  }
  return false;
}
