#include "app/DialogTemplates.h"

#include "app/Icon.h"
#include "app/PreviewDialog.h"
#include "platform/dialog/DialogWindow.h"
#include "renumber/ControlIds.h"

namespace {

using Kind = ControlKind;
constexpr uint32_t kTab = ControlStyle::kTabStop;
constexpr int kNoId = -1;

}  // namespace

const DialogTemplate& MainDialogTemplate() {
  static const DialogTemplate dialog{
      "Kavo's  Plim Renumber ",
      332,
      221,
      "MS Sans Serif",
      8,
      true,
      true,
      &ProgramIcon(),
      {
          {kPathField, Kind::kEdit, "", 21, 28, 165, 12, kTab},
          {kBrowseButton, Kind::kPushButton, "Browse", 187, 28, 50, 12, kTab},
          {kPrefixField, Kind::kEdit, "", 31, 63, 40, 12, kTab},
          {kDigitsField, Kind::kEdit, "", 87, 63, 35, 12, kTab},
          {kSuffixField, Kind::kEdit, "", 141, 63, 45, 12, kTab},
          {kKeepLogBox, Kind::kCheckBox, "Keep a log ( named: renum.log )", 60, 100, 116, 10, kTab},
          {kApplyViewerBox, Kind::kCheckBox, "Apply Kavo's Plim Viewer", 21, 132, 84, 8, kTab},
          {kSecondsField, Kind::kEdit, "", 111, 154, 40, 12, kTab},
          {kFileListBox, Kind::kCheckBox, "Include a file list of files in the directory", 41, 170, 136, 10, kTab},
          {kGoButton, Kind::kPushButton, "Go For It!", 260, 10, 65, 35, kTab},
          {kIdOk, Kind::kDefaultPushButton, "Exit", 260, 194, 65, 19, kTab},
          {kNoId, Kind::kLabel, "Directory and file name of one of the files to renumber:", 21, 18, 170, 8, 0},
          {kNoId, Kind::kLabel, "Maximum", 81, 45, 30, 8, 0},
          {kNoId, Kind::kLabel, "( ex. to get 00010 put a value of 5 ) ", 61, 80, 114, 8, 0},
          {kNoId, Kind::kLabel, "number of digits", 81, 54, 50, 8, 0},
          {kNoId, Kind::kLabel, "Prefix", 31, 54, 18, 8, 0},
          {kNoId, Kind::kLabel, "Suffix", 141, 54, 18, 8, 0},
          {kNoId, Kind::kLabel, "Note: to strip off leading zeros, put 0 or leave blank", 41, 90, 161, 8, 0},
          {kNoId, Kind::kLabel, "Number of seconds to wait", 41, 145, 85, 8, 0},
          {kNoId, Kind::kLabel, " for auto sequencing:", 41, 156, 68, 8, 0},
          {kNoId, Kind::kLabel, "Note: Only applies to JPG and GIF images", 111, 132, 133, 8, 0},
          {kNoId, Kind::kGroupBox, "Plim Viewer", 5, 115, 250, 75, 0},
          {kNoId, Kind::kGroupBox, "Plim Renumber Directory and File Formats", 5, 5, 250, 110, 0},
          {kNoId, Kind::kGroupBox, "Microsoft Internet Explorer", 5, 190, 250, 25, 0},
          {kViewAfterRunBox, Kind::kCheckBox, "View using Internet Explorer or choosen viewer", 21, 201, 164, 8, kTab},
          {kStatusLine, Kind::kLabel, "Ready", 270, 70, 50, 8, 0},
          {kNoId, Kind::kGroupBox, "Status", 260, 55, 65, 40, 0},
          {kCountLine, Kind::kLabel, "", 270, 80, 50, 8, 0},
          {kChooseViewerButton, Kind::kPushButton, "Choose Viewer", 190, 200, 60, 12, kTab},
      },
  };
  return dialog;
}

const DialogTemplate& AboutDialogTemplate() {
  static const DialogTemplate dialog{
      "About Tarvine",
      217,
      55,
      "MS Sans Serif",
      8,
      false,
      false,
      &ProgramIcon(),
      {
          {kNoId, Kind::kIcon, "", 11, 17, 20, 20, 0},
          {kNoId, Kind::kLabel, "Tarvine Version 1.0", 40, 10, 119, 8, ControlStyle::kNoPrefix},
          {kIdOk, Kind::kDefaultPushButton, "OK", 178, 7, 32, 14, kTab},
      },
  };
  return dialog;
}

const DialogTemplate& PreviewDialogTemplate() {
  static const DialogTemplate dialog{
      "Preview the renames",
      320,
      200,
      "MS Sans Serif",
      8,
      false,
      false,
      &ProgramIcon(),
      {
          {kNoId, Kind::kLabel, "Directory:", 7, 9, 44, 8, 0},
          {kPreviewDirectory, Kind::kEdit, "", 53, 7, 260, 12, kTab | ControlStyle::kReadOnly},
          {kPreviewList, Kind::kListBox, "", 7, 24, 306, 148, kTab},
          {kPreviewCount, Kind::kLabel, "", 7, 181, 170, 8, 0},
          {kGoButton, Kind::kPushButton, "Go For It!", 190, 178, 58, 15, kTab},
          {kIdCancel, Kind::kDefaultPushButton, "Close", 255, 178, 58, 15, kTab},
      },
  };
  return dialog;
}
