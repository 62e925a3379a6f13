#pragma once
// The main dialog's controls, by id.

constexpr int kPathField = 1000;       // directory and name of one file to renumber
constexpr int kBrowseButton = 1001;
constexpr int kChooseViewerButton = 1002;
constexpr int kDigitsField = 1003;
constexpr int kApplyViewerBox = 1004;  // write Folder.htt
constexpr int kGoButton = 1005;        // "Go For It!"
constexpr int kPrefixField = 1006;
constexpr int kSuffixField = 1007;
constexpr int kKeepLogBox = 1008;
constexpr int kSecondsField = 1009;
constexpr int kFileListBox = 1010;
constexpr int kViewAfterRunBox = 1011;
constexpr int kStatusLine = 1012;      // "Ready", "Working...", "Done." or "Error."
constexpr int kCountLine = 1013;       // files renamed so far

// Limits of the edit controls, in bytes.
constexpr int kDigitsLimit = 7;
constexpr int kPathLimit = 300;
constexpr int kSecondsLimit = 6;
