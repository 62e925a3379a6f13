#pragma once
// "Camera clocks...": the camera models of the path field's directory, each
// with its number of files, its first and last capture times and a field
// for the offset its clock was wrong by ("+1h02m", "-30s"; empty for none).
// OK keeps the offsets (an unreadable one is refused with a message and the
// dialog stays); Cancel and Escape keep the old ones.

#include <string>
#include <vector>

#include "platform/dialog/DialogCommands.h"
#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/DialogWindow.h"
#include "renumber/CameraClocks.h"
#include "renumber/ClockShift.h"

// The offset field of the camera of row `row`.
constexpr int kCameraOffsetField = 1200;
constexpr size_t kMostCameraRows = 12;

// The dialog's rows hold the cameras (the first kMostCameraRows of them);
// `shifts` receives the offsets on OK, the others' kept as they were.
class CameraClocksDialog : public DialogCommands {
 public:
  CameraClocksDialog(DialogWindow& window, const std::vector<CameraSummary>& cameras,
                     std::vector<ClockShift>& shifts)
      : window_(window), cameras_(cameras), shifts_(shifts) {}

  void OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override { window_.EndDialog(kIdCancel); }

 private:
  DialogWindow& window_;
  const std::vector<CameraSummary>& cameras_;
  std::vector<ClockShift>& shifts_;
};

// The dialog as data, a row a camera; `texts` holds the rows' texts for as
// long as the template is used.
DialogTemplate CameraClocksTemplate(const std::vector<CameraSummary>& cameras, std::vector<std::string>& texts);

// A camera's row as the dialog shows it.
//   {"Canon EOS R5", 3, 2023-07-14 10:22:03, 2023-07-14 18:00:00}
//     => "Canon EOS R5: 3 files, 2023-07-14 10:22:03 to 2023-07-14 18:00:00"
//   {"iPhone 12", 1, t, t} => "iPhone 12: 1 file, 2023-07-14 10:22:03"
std::string CameraRowText(const CameraSummary& camera);
