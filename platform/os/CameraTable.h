#pragma once
// The camera models a reading of capture times meets, each once, shared by
// the threads of that reading.

#include <cstdint>
#include <mutex>
#include <string>

#include "platform/os/CaptureTimes.h"

// Invariant: every model in the table is non-empty and stands in it once.
class CameraTable {
 public:
  explicit CameraTable(CameraModels* models) : models_(models) {}

  // 1 + the place of `model` among the models, added when new; 0 for "" or
  // when no table was asked for.
  uint32_t Place(const std::string& model) {
    if (!models_ || model.empty()) return 0;
    const std::lock_guard<std::mutex> lock(mutex_);
    for (size_t i = 0; i < models_->size(); ++i) {
      if ((*models_)[i] == model) return static_cast<uint32_t>(i + 1);
    }
    models_->push_back(model);
    return static_cast<uint32_t>(models_->size());
  }

 private:
  CameraModels* models_;
  std::mutex mutex_;
};
