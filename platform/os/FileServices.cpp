#include "platform/os/FileServices.h"

namespace {

FileServices* inForce = nullptr;

}  // namespace

FileServices& Files() { return inForce ? *inForce : SystemFileServices(); }

ScopedFileServices::ScopedFileServices(FileServices& replacement) : previous_(inForce) {
  inForce = &replacement;
}

ScopedFileServices::~ScopedFileServices() { inForce = previous_; }
