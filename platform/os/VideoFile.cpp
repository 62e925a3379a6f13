#include "platform/os/VideoFile.h"

#include <cstring>

bool IsStillBoxFile(PictureBytes& file) {
  unsigned char head[12];
  if (file.ReadAt(0, head, sizeof head) != sizeof head || std::memcmp(head + 4, "ftyp", 4) != 0) return false;
  for (const char* still : {"heic", "heix", "heim", "heis", "mif1", "msf1", "avif", "avis", "crx ", "jxl "}) {
    if (std::memcmp(head + 8, still, 4) == 0) return true;
  }
  return false;
}

bool LooksLikeVideo(PictureBytes& file) {
  unsigned char head[12];
  const size_t size = file.ReadAt(0, head, sizeof head);
  if (size < 8) return false;
  // The still pictures of the same box format name themselves by the brand
  // after "ftyp": HEIC, HEIF, AVIF, CR3, JPEG XL.
  if (IsStillBoxFile(file)) return false;
  for (const char* type : {"ftyp", "moov", "mdat", "wide", "free", "skip", "pnot"}) {
    if (std::memcmp(head + 4, type, 4) == 0) return true;
  }
  return false;
}

bool NamedLikeVideo(const char* name) {
  const char* dot = std::strrchr(name, '.');
  if (!dot || dot == name || std::strlen(dot + 1) != 3) return false;
  char extension[4] = {};
  for (int i = 0; i < 3; ++i) extension[i] = static_cast<char>(dot[1 + i] | (dot[1 + i] >= 'A' && dot[1 + i] <= 'Z' ? 0x20 : 0));
  for (const char* video : {"mov", "mp4", "m4v", "3gp", "3g2"}) {
    if (std::memcmp(extension, video, 4) == 0) return true;
  }
  return false;
}
