#pragma once
// The preview pictures a camera embeds in its files, read with Exiv2's
// preview manager: the Exif thumbnail of a JPEG file, the previews of TIFF
// and raw files (CR2, NEF, ARW, DNG, ORF, RW2, RAF, CR3 ...).

#include <string>

#include "platform/os/PictureBytes.h"

// The encoded JPEG bytes of the smallest preview `file` embeds whose longer
// side is at least `wantedEdge` pixels, else of its largest; empty when it
// embeds none in JPEG, or is no picture, or is damaged. Any content gives an
// answer, reading at most PictureBytesIo::kMostMapped bytes.
// Safe to call from many threads at once.
std::string EmbeddedPreview(PictureBytes& file, int wantedEdge);
