#include "app/CameraClocksDialog.h"

#include <algorithm>

#include "app/Icon.h"
#include "platform/os/CaptureTimeText.h"

namespace {

constexpr int kRowHeight = 16;
constexpr int kTop = 24;

}  // namespace

std::string CameraRowText(const CameraSummary& camera) {
  std::string text = camera.model + ": " + std::to_string(camera.files) + (camera.files == 1 ? " file, " : " files, ") +
                     WallClockText({camera.first.seconds, 0});
  if (camera.last.seconds != camera.first.seconds) text += " to " + WallClockText({camera.last.seconds, 0});
  return text;
}

DialogTemplate CameraClocksTemplate(const std::vector<CameraSummary>& cameras, std::vector<std::string>& texts) {
  const size_t rows = std::min(cameras.size(), kMostCameraRows);
  texts.clear();
  for (size_t i = 0; i < rows; ++i) texts.push_back(CameraRowText(cameras[i]));
  const int height = kTop + static_cast<int>(rows) * kRowHeight + 26;
  DialogTemplate dialog{"Camera clocks", 330, height, "MS Sans Serif", 8, false, false, &ProgramIcon(), {}};
  dialog.controls.push_back({-1, ControlKind::kLabel, "Add to each camera's times (e.g. +1h02m, -30s; empty: nothing):",
                             7, 7, 316, 8, ControlStyle::kNoPrefix});
  for (size_t i = 0; i < rows; ++i) {
    const int y = kTop + static_cast<int>(i) * kRowHeight;
    dialog.controls.push_back({-1, ControlKind::kLabel, texts[i].c_str(), 7, y + 2, 250, 8, ControlStyle::kNoPrefix});
    dialog.controls.push_back({kCameraOffsetField + static_cast<int>(i), ControlKind::kEdit, "", 263, y, 60, 12,
                               ControlStyle::kTabStop});
  }
  dialog.controls.push_back({kIdOk, ControlKind::kDefaultPushButton, "OK", 208, height - 21, 55, 15,
                             ControlStyle::kTabStop});
  dialog.controls.push_back({kIdCancel, ControlKind::kPushButton, "Cancel", 268, height - 21, 55, 15,
                             ControlStyle::kTabStop});
  return dialog;
}

void CameraClocksDialog::OnInitDialog() {
  const size_t rows = std::min(cameras_.size(), kMostCameraRows);
  for (size_t i = 0; i < rows; ++i) {
    const int field = kCameraOffsetField + static_cast<int>(i);
    window_.LimitText(field, 24);
    const int64_t seconds = ClockShiftOf(shifts_, cameras_[i].model);
    if (seconds != 0) window_.SetDlgItemText(field, ClockOffsetText(seconds).c_str());
  }
  if (rows > 0) window_.GotoDlgCtrl(kCameraOffsetField);
}

void CameraClocksDialog::OnOK() {
  const size_t rows = std::min(cameras_.size(), kMostCameraRows);
  std::vector<ClockShift> shifts = shifts_;
  for (size_t i = 0; i < rows; ++i) {
    const std::string& model = cameras_[i].model;
    const std::string text = window_.GetDlgItemText(kCameraOffsetField + static_cast<int>(i));
    int64_t seconds = 0;
    if (!text.empty() && !ParseClockOffset(text, seconds)) {
      const std::string message = "The offset of " + model + " is not like +1h02m or -30s (days d, hours h, minutes "
                                  "m, seconds s, signed).";
      window_.MessageBox(message.c_str(), "Camera clocks", kMessageStop);
      window_.GotoDlgCtrl(kCameraOffsetField + static_cast<int>(i));
      return;
    }
    std::erase_if(shifts, [&](const ClockShift& shift) { return ClockShiftOf({{shift.model, 1}}, model) == 1; });
    if (seconds != 0) shifts.push_back({model, seconds});
  }
  shifts_ = shifts;
  window_.EndDialog(kIdOk);
}
