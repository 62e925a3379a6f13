#pragma once
// The picture a small thumbnail of a file is drawn from. The system's
// sibling folder reads it; nothing here names the library it reads with.

#include <cstdint>
#include <string>

// The most bytes of a file read whole for its thumbnail.
constexpr uint64_t kMostThumbnailFileBytes = 32 << 20;

// The encoded picture (JPEG, PNG, ...) a thumbnail of `name`, a bare name
// in `directory` ("pics/", or "" for the current directory), is drawn from:
// the smallest preview the file embeds whose longer side is at least
// `wantedEdge` pixels (else its largest); else the whole file, when it is
// no video and at most kMostThumbnailFileBytes long. Empty when the name is
// no regular file (a link is never followed, a pipe or a device never
// waited on) or cannot be read, and where the system draws thumbnails
// itself (Windows). Safe to call from many threads at once.
std::string ReadThumbnailPicture(const std::string& directory, const std::string& name, int wantedEdge);
