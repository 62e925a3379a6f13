#pragma once
// The program's dialogs as native Windows dialogs: an extended dialog
// template is built in memory from the same DialogTemplate data the other
// window systems read (dialog units of "MS Sans Serif" 8 pt) and run by the
// dialog manager with DialogBoxIndirectParamW.
//
// The window never closes by itself; it reports to the DialogCommands given
// to DoModal, which end it with EndDialog:
//   Enter, or the push button with id 1          => OnOK
//   Escape, the close box, the push button id 2  => OnCancel
//   any other push button                        => OnCommand(id)
//   an item added to the window (system) menu    => OnSysCommand(id)
//   files dropped onto it, once DragAcceptFiles  => OnDropFiles(paths)

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialog/DialogTemplate.h"
#include "platform/dialog/DialogWindow.h"

struct HWND__;
typedef HWND__* HWND;
struct tagDRAWITEMSTRUCT;
class Win32ListThumbnails;

// Invariant: controls are addressed by id only while the window exists
// (between WM_INITDIALOG and its destruction); before and after, texts and
// checks are kept here and given to the window when it is made.
class Win32DialogWindow : public DialogWindow {
 public:
  explicit Win32DialogWindow(const DialogTemplate& dialogTemplate, HWND owner = nullptr);
  ~Win32DialogWindow() override;
  Win32DialogWindow(const Win32DialogWindow&) = delete;
  Win32DialogWindow& operator=(const Win32DialogWindow&) = delete;

  std::string GetDlgItemText(int id) override;
  void SetDlgItemText(int id, const char* text) override;
  int IsDlgButtonChecked(int id) override;
  void CheckDlgButton(int id, int checked) override;
  void LimitText(int id, int maxBytes) override;
  void GotoDlgCtrl(int id) override;
  void EnableWindow(int id, bool enabled) override;
  // A list box's lines are drawn here, their columns lined up at tab
  // stops as wide as the widest text of each column so far.
  void AddListItem(int id, const char* text) override;
  // The shell's thumbnails before the lines (Win32ListThumbnails).
  void SetListThumbnails(int id, ThumbnailSource source) override;
  void DragAcceptFiles(bool accept) override;
  void AppendSystemMenu(int id, const char* text) override;
  void CheckMenuRadioItem(int firstId, int lastId, int checkedId) override;
  void CheckMenuItem(int id, bool checked) override;
  int DoModal(DialogCommands& commands) override;
  void EndDialog(int result) override;
  // MessageBoxW owned by the dialog, with the style as given (0, 16, 48,
  // 4 | 32 ...); Yes and No return IDYES and IDNO, which kIdYes and kIdNo are.
  int MessageBox(const char* text, const char* caption, int style) override;
  // Takes every pending message off the queue and delivers it; never waits.
  void PumpMessages() override;

  // The window while it exists, as the owner of other windows; else null.
  HWND Window() const { return window_; }

  // What a list box's line shows before its text while the window exists.
  enum class ListThumbnail { kNone, kWaiting, kPicture, kPlainIcon };
  ListThumbnail ListThumbnailAt(int id, int line) const;

  // The dialog procedure's work for this object's window.
  long long Handle(HWND window, unsigned message, unsigned long long wParam, long long lParam);

 private:
  void Initialize();
  void FitTexts();
  void SetIcons();
  void KeepEditWithinLimit(int id);
  void SetListTabStops(int id, size_t fromLine);
  void SetListLineHeight(int id);
  void ShowListThumbnails(int id);
  // Where a list box's text begins in its lines, after any picture.
  int TextLeft(int id) const;
  void DrawListLine(const tagDRAWITEMSTRUCT& item);

  const DialogTemplate& template_;
  HWND owner_;
  HWND window_ = nullptr;
  DialogCommands* commands_ = nullptr;
  std::map<int, std::string> texts_;   // controls' texts while there is no window
  std::map<int, int> checks_;          // check boxes' states while there is no window
  std::map<int, int> byteLimits_;      // edits' limits in UTF-8 bytes
  std::map<int, std::wstring> lastFitting_;  // each limited edit's last text within its limit
  std::vector<std::pair<int, std::wstring>> systemMenu_;  // a separator has an empty text
  struct RadioGroup {
    int firstId;
    int lastId;
    int checkedId;
  };
  std::vector<RadioGroup> radioGroups_;
  std::map<int, bool> checkItems_;  // the window menu's items checked on their own, by id  // the window menu's radio items, shown once there is a window
  std::vector<int> pushButtons_;
  std::map<int, std::vector<std::wstring>> listItems_;  // list boxes' lines, tabs in a row made one
  std::map<int, std::vector<int>> columnWidths_;        // each list's widest text of each column, in pixels
  std::map<int, std::vector<int>> tabStops_;            // each list's column starts after the first, in pixels
  std::map<int, ThumbnailSource> thumbnailSources_;
  std::map<int, std::unique_ptr<Win32ListThumbnails>> thumbnails_;  // while the window exists
  bool acceptsFiles_ = false;
  bool settingText_ = false;  // the program's own texts pass an edit's limit
  void* icons_[2] = {nullptr, nullptr};  // large and small HICON of the window
  std::vector<void*> fonts_;             // HFONTs made smaller for texts that would not fit
};
