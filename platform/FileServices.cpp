#include "platform/FileServices.h"

#include "platform/PosixFileServices.h"

namespace {

FileServices& PosixServices() {
  static PosixFileServices services;
  return services;
}

FileServices* inForce = nullptr;

}  // namespace

FileServices& Files() { return inForce ? *inForce : PosixServices(); }

ScopedFileServices::ScopedFileServices(FileServices& replacement) : previous_(inForce) {
  inForce = &replacement;
}

ScopedFileServices::~ScopedFileServices() { inForce = previous_; }
