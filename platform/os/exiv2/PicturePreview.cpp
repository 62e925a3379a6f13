#include "platform/os/exiv2/PicturePreview.h"

#include <exiv2/bmffimage.hpp>
#include <exiv2/cr2image.hpp>
#include <exiv2/crwimage.hpp>
#include <exiv2/exiv2.hpp>
#include <exiv2/mrwimage.hpp>
#include <exiv2/orfimage.hpp>
#include <exiv2/preview.hpp>
#include <exiv2/psdimage.hpp>
#include <exiv2/rafimage.hpp>
#include <exiv2/rw2image.hpp>

#include <algorithm>
#include <cstdint>

#include "platform/os/exiv2/Exiv2Setup.h"
#include "platform/os/exiv2/PictureBytesIo.h"

namespace {

// The kinds of file that embed previews, never Exiv2's video readers.
bool MayEmbedPreviews(int type) {
  using namespace Exiv2::ImageType;
  return type == jpeg || type == tiff || type == cr2 || type == crw || type == orf || type == rw2 || type == raf ||
         type == mrw || type == bmff || type == psd;
}

uint32_t LongerSide(const Exiv2::PreviewProperties& preview) { return std::max(preview.width_, preview.height_); }

}  // namespace

std::string EmbeddedPreview(PictureBytes& file, int wantedEdge) {
  PrepareExiv2();
  try {
    Exiv2::BasicIo::AutoPtr io(new PictureBytesIo(file, file.Size()));
    const int type = Exiv2::ImageFactory::getType(*io);
    if (!MayEmbedPreviews(type)) return {};
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::create(type, std::move(io));
    if (!image.get()) return {};
    {
      const std::lock_guard<std::mutex> turn(XmpTurn());
      image->readMetadata();
    }
    const Exiv2::PreviewManager previews(*image);
    const Exiv2::PreviewProperties* chosen = nullptr;
    const uint32_t wanted = static_cast<uint32_t>(std::max(wantedEdge, 1));
    const Exiv2::PreviewPropertiesList found = previews.getPreviewProperties();
    for (const Exiv2::PreviewProperties& preview : found) {
      if (preview.mimeType_ != "image/jpeg" || LongerSide(preview) == 0) continue;
      const bool bigEnough = LongerSide(preview) >= wanted;
      if (!chosen) {
        chosen = &preview;
      } else if (LongerSide(*chosen) >= wanted ? bigEnough && LongerSide(preview) < LongerSide(*chosen)
                                                : LongerSide(preview) > LongerSide(*chosen)) {
        chosen = &preview;
      }
    }
    if (!chosen) return {};
    const Exiv2::PreviewImage picture = previews.getPreviewImage(*chosen);
    return std::string(reinterpret_cast<const char*>(picture.pData()), picture.size());
  } catch (...) {  // Exiv2 says what it cannot read by throwing
    return {};
  }
}
