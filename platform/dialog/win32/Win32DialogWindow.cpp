#include <windows.h>
#include <shellapi.h>

#include "platform/dialog/win32/Win32DialogWindow.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/dialog/DialogCommands.h"
#include "platform/dialog/TextWidening.h"
#include "platform/dialog/win32/DialogText.h"
#include "platform/dialog/win32/Win32ListThumbnails.h"
#include "platform/dialog/XpmImage.h"

namespace {

std::wstring ControlText(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// An extended dialog template as the dialog manager reads it, WORD by WORD.
class TemplateWriter {
 public:
  void Word(unsigned value) { words_.push_back(static_cast<WORD>(value)); }
  void Dword(DWORD value) {
    Word(value & 0xFFFF);
    Word(value >> 16);
  }
  void Text(const std::wstring& text) {
    for (wchar_t unit : text) Word(static_cast<WORD>(unit));
    Word(0);
  }
  void AlignToDword() {
    if (words_.size() % 2) Word(0);
  }
  const WORD* Data() const { return words_.data(); }

 private:
  std::vector<WORD> words_;
};

// The class atom and style of a control of each kind.
std::pair<WORD, DWORD> ClassAndStyle(const ControlTemplate& control) {
  constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082, kListBox = 0x0083;
  switch (control.kind) {
    case ControlKind::kEdit:
      return {kEdit, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | ((control.style & ControlStyle::kReadOnly) ? ES_READONLY : 0)};
    case ControlKind::kListBox:
      // Drawn here (WM_DRAWITEM), so that a line may show a picture before its columns.
      return {kListBox, LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                            WS_HSCROLL | WS_BORDER};
    case ControlKind::kPushButton: return {kButton, BS_PUSHBUTTON};
    case ControlKind::kDefaultPushButton: return {kButton, BS_DEFPUSHBUTTON};
    case ControlKind::kCheckBox: return {kButton, BS_AUTOCHECKBOX};
    case ControlKind::kLabel:
      return {kStatic, SS_LEFT | ((control.style & ControlStyle::kNoPrefix) ? SS_NOPREFIX : 0)};
    case ControlKind::kGroupBox: return {kButton, BS_GROUPBOX};
    case ControlKind::kIcon: return {kStatic, SS_ICON};
  }
  return {kStatic, SS_LEFT};
}

// The template in memory: header, font, then one item per control.
TemplateWriter BuildTemplate(const DialogTemplate& dialog) {
  TemplateWriter out;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME | DS_CENTER;
  if (dialog.minimizeAndMaximizeBoxes) style |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  out.Word(1);       // dlgVer
  out.Word(0xFFFF);  // signature: extended
  out.Dword(0);      // helpID
  out.Dword(dialog.ownTaskbarButton ? WS_EX_APPWINDOW : 0);
  out.Dword(style);
  out.Word(static_cast<unsigned>(dialog.controls.size()));
  out.Word(0);
  out.Word(0);
  out.Word(static_cast<unsigned>(dialog.width));
  out.Word(static_cast<unsigned>(dialog.height));
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(WideDialogText(dialog.caption));
  out.Word(static_cast<unsigned>(dialog.fontPoints > 0 ? dialog.fontPoints : 8));
  out.Word(FW_NORMAL);
  out.Word(DEFAULT_CHARSET << 8);  // italic 0, then the character set
  out.Text(WideDialogText(dialog.fontName ? dialog.fontName : "MS Shell Dlg"));
  for (const ControlTemplate& control : dialog.controls) {
    out.AlignToDword();
    const auto [atom, kindStyle] = ClassAndStyle(control);
    DWORD controlStyle = WS_CHILD | WS_VISIBLE | kindStyle;
    if (control.style & ControlStyle::kTabStop) controlStyle |= WS_TABSTOP;
    out.Dword(0);  // helpID
    out.Dword(0);  // exStyle
    out.Dword(controlStyle);
    out.Word(static_cast<unsigned>(control.x));
    out.Word(static_cast<unsigned>(control.y));
    out.Word(static_cast<unsigned>(control.width));
    out.Word(static_cast<unsigned>(control.height));
    out.Dword(static_cast<DWORD>(control.id));
    out.Word(0xFFFF);
    out.Word(atom);
    out.Text(control.kind == ControlKind::kIcon ? std::wstring() : WideDialogText(control.text));
    out.Word(0);  // no creation data
  }
  return out;
}

// An icon of the window system from XPM text; null when it cannot be made.
HICON IconFromXpm(const char* const* xpm) {
  ArgbImage image;
  if (!DecodeXpm(xpm, image)) return nullptr;
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = image.width;
  header.bV5Height = -image.height;  // top row first
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP colour =
      CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!colour) return nullptr;
  std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(uint32_t));
  HBITMAP mask = CreateBitmap(image.width, image.height, 1, 1, nullptr);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  return icon;
}

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(window, DWLP_USER, lParam);
  auto* owner = reinterpret_cast<Win32DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  return owner ? static_cast<INT_PTR>(owner->Handle(window, message, wParam, lParam)) : FALSE;
}

}  // namespace

Win32DialogWindow::Win32DialogWindow(const DialogTemplate& dialogTemplate, HWND owner)
    : template_(dialogTemplate), owner_(owner) {
  for (const ControlTemplate& control : dialogTemplate.controls) {
    if (control.id == -1) continue;
    texts_.emplace(control.id, control.text ? control.text : "");
    if (control.kind == ControlKind::kPushButton || control.kind == ControlKind::kDefaultPushButton) {
      pushButtons_.push_back(control.id);
    }
  }
}

Win32DialogWindow::~Win32DialogWindow() {
  for (void* icon : icons_) {
    if (icon) DestroyIcon(static_cast<HICON>(icon));
  }
  for (void* font : fonts_) DeleteObject(static_cast<HFONT>(font));
}

std::string Win32DialogWindow::GetDlgItemText(int id) {
  if (window_) return Utf8DialogText(ControlText(GetDlgItem(window_, id)));
  const auto found = texts_.find(id);
  return found == texts_.end() ? std::string() : found->second;
}

void Win32DialogWindow::SetDlgItemText(int id, const char* text) {
  texts_[id] = text ? text : "";
  if (!window_) return;
  const std::wstring wide = WideDialogText(text);
  settingText_ = true;  // the program's own text passes the edit's limit
  SetDlgItemTextW(window_, id, wide.c_str());
  settingText_ = false;
  if (byteLimits_.count(id)) lastFitting_[id] = wide;
}

int Win32DialogWindow::IsDlgButtonChecked(int id) {
  if (window_) return ::IsDlgButtonChecked(window_, id) == BST_CHECKED ? 1 : 0;
  const auto found = checks_.find(id);
  return found != checks_.end() && found->second ? 1 : 0;
}

void Win32DialogWindow::CheckDlgButton(int id, int checked) {
  checks_[id] = checked != 0;
  if (window_) ::CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32DialogWindow::LimitText(int id, int maxBytes) {
  byteLimits_[id] = maxBytes;
  if (!window_) return;
  // A UTF-16 unit takes one byte of UTF-8 at least, so the edit's own limit
  // in units never cuts what fits in bytes; the bytes are checked as typed.
  SendDlgItemMessageW(window_, id, EM_SETLIMITTEXT, maxBytes > 0 ? static_cast<WPARAM>(maxBytes) : 0, 0);
  lastFitting_[id] = ControlText(GetDlgItem(window_, id));
}

void Win32DialogWindow::KeepEditWithinLimit(int id) {
  HWND edit = GetDlgItem(window_, id);
  const std::wstring text = ControlText(edit);
  const int limit = byteLimits_[id];
  if (limit <= 0 || Utf8DialogText(text).size() <= static_cast<size_t>(limit)) {
    lastFitting_[id] = text;
    return;
  }
  // Typed or pasted beyond the limit: the edit keeps what it held before.
  DWORD caret = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
  settingText_ = true;
  SetWindowTextW(edit, lastFitting_[id].c_str());
  settingText_ = false;
  const auto keptCaret = static_cast<LPARAM>(std::min<size_t>(caret, lastFitting_[id].size()));
  SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(keptCaret), keptCaret);
  MessageBeep(MB_OK);
}

void Win32DialogWindow::GotoDlgCtrl(int id) {
  if (!window_) return;
  HWND control = GetDlgItem(window_, id);
  if (!control) return;
  SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  if (byteLimits_.count(id) || texts_.count(id)) SendMessageW(control, EM_SETSEL, 0, -1);  // ready to be typed over
}

void Win32DialogWindow::EnableWindow(int id, bool enabled) {
  if (window_) ::EnableWindow(GetDlgItem(window_, id), enabled ? TRUE : FALSE);
}

// A list box's line with each run of tabs made one, so that its tab stops
// (SetListTabStops) divide it into columns: "a.jpg\t\t-> 1.jpg" => "a.jpg\t-> 1.jpg".
std::wstring ListLine(const std::wstring& line) {
  std::wstring columns;
  for (wchar_t unit : line) {
    if (unit == L'\t' && (columns.empty() || columns.back() == L'\t')) continue;
    columns += unit;
  }
  return columns;
}

void Win32DialogWindow::AddListItem(int id, const char* text) {
  std::vector<std::wstring>& lines = listItems_[id];
  lines.push_back(ListLine(WideDialogText(text)));
  if (!window_) return;
  SendDlgItemMessageW(window_, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lines.back().c_str()));
  SetListTabStops(id, lines.size() - 1);
}

void Win32DialogWindow::SetListTabStops(int id, size_t fromLine) {
  HWND list = GetDlgItem(window_, id);
  if (!list) return;
  // Each column as wide as its widest text and two average characters;
  // only the lines from `fromLine` on are measured anew.
  HDC context = GetDC(list);
  HGDIOBJ previous = SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
  std::vector<int>& widths = columnWidths_[id];
  const std::vector<std::wstring>& lines = listItems_[id];
  for (size_t i = fromLine; i < lines.size(); ++i) {
    const std::wstring& line = lines[i];
    size_t column = 0;
    for (size_t start = 0; start <= line.size(); ++column) {
      const size_t end = std::min(line.find(L'\t', start), line.size());
      SIZE size{};
      GetTextExtentPoint32W(context, line.c_str() + start, static_cast<int>(end - start), &size);
      if (widths.size() <= column) widths.resize(column + 1, 0);
      widths[column] = std::max(widths[column], static_cast<int>(size.cx));
      start = end + 1;
    }
  }
  SelectObject(context, previous);
  ReleaseDC(list, context);
  RECT quarter{0, 0, 4, 0};  // the dialog's average character, in pixels
  MapDialogRect(window_, &quarter);
  const int average = std::max(1, static_cast<int>(quarter.right));
  std::vector<INT>& stops = tabStops_[id];
  stops.clear();
  int at = 0;
  for (int width : widths) {
    at += width + 2 * average;
    stops.push_back(at);
  }
  const int extent = at + TextLeft(id);
  if (!stops.empty()) stops.pop_back();  // the last column needs no stop after it
  SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
}

int Win32DialogWindow::TextLeft(int id) const {
  const auto thumbnails = thumbnails_.find(id);
  return 2 + (thumbnails == thumbnails_.end() ? 0 : thumbnails->second->Edge() + 4);
}

void Win32DialogWindow::SetListThumbnails(int id, ThumbnailSource source) {
  thumbnailSources_[id] = std::move(source);
  if (window_) ShowListThumbnails(id);
}

void Win32DialogWindow::ShowListThumbnails(int id) {
  HWND list = GetDlgItem(window_, id);
  if (!list) return;
  HDC screen = GetDC(list);
  const int edge = MulDiv(Win32ListThumbnails::kEdge, GetDeviceCaps(screen, LOGPIXELSY), 96);
  ReleaseDC(list, screen);
  thumbnails_[id] = std::make_unique<Win32ListThumbnails>(window_, id, thumbnailSources_[id], edge);
  SetListLineHeight(id);
  SetListTabStops(id, listItems_[id].size());
  InvalidateRect(list, nullptr, TRUE);
}

void Win32DialogWindow::SetListLineHeight(int id) {
  HWND list = GetDlgItem(window_, id);
  if (!list) return;
  HDC context = GetDC(list);
  HGDIOBJ previous = SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(context, &metrics);
  SelectObject(context, previous);
  ReleaseDC(list, context);
  const auto thumbnails = thumbnails_.find(id);
  const int picture = thumbnails == thumbnails_.end() ? 0 : thumbnails->second->Edge() + 4;
  SendMessageW(list, LB_SETITEMHEIGHT, 0, std::max<LPARAM>(metrics.tmHeight + 2, picture));
}

void Win32DialogWindow::DrawListLine(const DRAWITEMSTRUCT& item) {
  const int id = static_cast<int>(item.CtlID);
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const std::vector<std::wstring>& lines = listItems_[id];
  if (item.itemID < lines.size()) {
    const int line = static_cast<int>(item.itemID);
    const int height = item.rcItem.bottom - item.rcItem.top;
    const auto thumbnails = thumbnails_.find(id);
    if (thumbnails != thumbnails_.end()) {
      const int edge = thumbnails->second->Edge();
      thumbnails->second->Draw(item.hDC, line, item.rcItem.left + 2, item.rcItem.top + (height - edge) / 2);
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(item.hDC, &metrics);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::wstring& text = lines[item.itemID];
    std::vector<INT>& stops = tabStops_[id];
    const int left = item.rcItem.left + TextLeft(id);
    TabbedTextOutW(item.hDC, left, item.rcItem.top + (height - metrics.tmHeight) / 2, text.c_str(),
                   static_cast<int>(text.size()), static_cast<int>(stops.size()), stops.empty() ? nullptr : stops.data(),
                   left);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

Win32DialogWindow::ListThumbnail Win32DialogWindow::ListThumbnailAt(int id, int line) const {
  const auto thumbnails = thumbnails_.find(id);
  if (thumbnails == thumbnails_.end()) return ListThumbnail::kNone;
  switch (thumbnails->second->ShownAt(line)) {
    case Win32ListThumbnails::Shown::kPicture:
      return ListThumbnail::kPicture;
    case Win32ListThumbnails::Shown::kPlainIcon:
      return ListThumbnail::kPlainIcon;
    default:
      return ListThumbnail::kWaiting;
  }
}

void Win32DialogWindow::DragAcceptFiles(bool accept) {
  acceptsFiles_ = accept;
  if (window_) ::DragAcceptFiles(window_, accept ? TRUE : FALSE);
}

void Win32DialogWindow::AppendSystemMenu(int id, const char* text) {
  systemMenu_.emplace_back(id, text ? WideDialogText(text) : std::wstring());
  if (!window_) return;
  HMENU menu = GetSystemMenu(window_, FALSE);
  if (text) {
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), systemMenu_.back().second.c_str());
  } else {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  }
}

void Win32DialogWindow::CheckMenuRadioItem(int firstId, int lastId, int checkedId) {
  bool known = false;
  for (RadioGroup& group : radioGroups_) {
    if (group.firstId == firstId && group.lastId == lastId) group.checkedId = checkedId, known = true;
  }
  if (!known) radioGroups_.push_back({firstId, lastId, checkedId});
  if (window_) {
    ::CheckMenuRadioItem(GetSystemMenu(window_, FALSE), static_cast<UINT>(firstId), static_cast<UINT>(lastId),
                         static_cast<UINT>(checkedId), MF_BYCOMMAND);
  }
}

void Win32DialogWindow::CheckMenuItem(int id, bool checked) {
  checkItems_[id] = checked;
  if (window_) {
    ::CheckMenuItem(GetSystemMenu(window_, FALSE), static_cast<UINT>(id),
                    MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

int Win32DialogWindow::DoModal(DialogCommands& commands) {
  commands_ = &commands;
  const TemplateWriter dialogTemplate = BuildTemplate(template_);
  const INT_PTR result =
      DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.Data()),
                              owner_, DialogProcedure, reinterpret_cast<LPARAM>(this));
  commands_ = nullptr;
  return static_cast<int>(result);
}

void Win32DialogWindow::EndDialog(int result) {
  if (window_) ::EndDialog(window_, result);
}

int Win32DialogWindow::MessageBox(const char* text, const char* caption, int style) {
  return MessageBoxW(window_, WideDialogText(text).c_str(), WideDialogText(caption).c_str(), static_cast<UINT>(style));
}

void Win32DialogWindow::PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the loop that owns it
      return;
    }
    if (window_ && IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32DialogWindow::Initialize() {
  for (const auto& [id, text] : texts_) {
    if (!GetDlgItem(window_, id)) continue;
    settingText_ = true;
    SetDlgItemTextW(window_, id, WideDialogText(text.c_str()).c_str());
    settingText_ = false;
  }
  for (const auto& [id, checked] : checks_) ::CheckDlgButton(window_, id, checked ? BST_CHECKED : BST_UNCHECKED);
  for (const auto& [id, limit] : byteLimits_) LimitText(id, limit);
  SetIcons();
  FitTexts();
  const std::vector<std::pair<int, std::wstring>> items = std::move(systemMenu_);
  systemMenu_.clear();
  for (const auto& [id, text] : items) AppendSystemMenu(id, text.empty() ? nullptr : Utf8DialogText(text).c_str());
  for (const RadioGroup group : radioGroups_) CheckMenuRadioItem(group.firstId, group.lastId, group.checkedId);
  for (const auto& [id, checked] : checkItems_) CheckMenuItem(id, checked);
  for (const ControlTemplate& control : template_.controls) {
    if (control.kind == ControlKind::kListBox) SetListLineHeight(control.id);
  }
  for (const auto& [id, lines] : listItems_) {
    for (const std::wstring& line : lines) {
      SendDlgItemMessageW(window_, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    columnWidths_[id].clear();
    SetListTabStops(id, 0);
  }
  for (const auto& [id, source] : thumbnailSources_) ShowListThumbnails(id);
  if (acceptsFiles_) ::DragAcceptFiles(window_, TRUE);
}

void Win32DialogWindow::SetIcons() {
  if (!template_.icon) return;
  icons_[0] = IconFromXpm(template_.icon->large);
  icons_[1] = IconFromXpm(template_.icon->small);
  if (icons_[0]) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_[0]));
  if (icons_[1]) SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_[1]));
  EnumChildWindows(
      window_,
      [](HWND child, LPARAM icon) -> BOOL {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) SendMessageW(child, STM_SETICON, icon, 0);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(icons_[0]));
}

void Win32DialogWindow::FitTexts() {
  HDC context = GetDC(window_);
  HGDIOBJ previous = SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(window_, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(context, &metrics);
  std::vector<PlacedControl> placed;
  std::vector<HWND> handles;
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    wchar_t className[16] = L"";
    GetClassNameW(child, className, 16);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    const bool isButton = lstrcmpiW(className, L"Button") == 0;
    const bool isFrame = isButton && (style & BS_TYPEMASK) == BS_GROUPBOX;
    const bool isCheckBox = isButton && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    const bool isLabel = lstrcmpiW(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_LEFT;
    int wanted = 0;
    if (isCheckBox || isLabel) {
      std::wstring text = ControlText(child);
      if (!(style & SS_NOPREFIX) || isCheckBox) text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
      SIZE size{};
      GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &size);
      wanted = size.cx + (isCheckBox ? GetSystemMetrics(SM_CXMENUCHECK) + metrics.tmAveCharWidth : 0);
    }
    placed.push_back({static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right - rect.left),
                      static_cast<int>(rect.bottom - rect.top),
                      isFrame ? PlacedControl::kFrame : (isCheckBox || isLabel) ? PlacedControl::kText
                                                                                 : PlacedControl::kOther,
                      wanted});
    handles.push_back(child);
  }
  SelectObject(context, previous);
  ReleaseDC(window_, context);
  RECT client;
  GetClientRect(window_, &client);
  const std::vector<int> widths = WidenedWidths(placed, client.right, metrics.tmHeight);
  LOGFONTW dialogFont{};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(window_, WM_GETFONT, 0, 0)), sizeof dialogFont, &dialogFont);
  for (size_t i = 0; i < handles.size(); ++i) {
    if (widths[i] != placed[i].width) {
      SetWindowPos(handles[i], nullptr, 0, 0, widths[i], placed[i].height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A text that cannot grow without touching its neighbour is drawn
    // smaller, within the control, rather than running into it.
    if (placed[i].kind == PlacedControl::kText && placed[i].wantedWidth > widths[i] && dialogFont.lfHeight != 0) {
      LOGFONTW smaller = dialogFont;
      // Rounded towards zero, so the face really shrinks: 11 px to 147/163 is 9.
      const int height = std::max(1, std::abs(static_cast<int>(dialogFont.lfHeight)) * widths[i] / placed[i].wantedWidth);
      smaller.lfHeight = dialogFont.lfHeight < 0 ? -height : height;
      smaller.lfWidth = 0;
      HFONT font = CreateFontIndirectW(&smaller);
      if (font) {
        fonts_.push_back(font);
        SendMessageW(handles[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
      }
    }
  }
}

long long Win32DialogWindow::Handle(HWND window, unsigned message, unsigned long long wParam, long long lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      window_ = window;
      Initialize();
      HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
      if (first) GotoDlgCtrl(GetDlgCtrlID(first));
      if (commands_) {
        commands_->OnInitDialog();  // may choose another control
        FitTexts();                 // and sets the texts it shows first
      }
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (code == EN_CHANGE && !settingText_ && byteLimits_.count(id)) KeepEditWithinLimit(id);
      if (code != BN_CLICKED || !commands_) return FALSE;
      if (id == IDOK) {
        commands_->OnOK();
      } else if (id == IDCANCEL) {
        commands_->OnCancel();  // also Escape and the close box
      } else if (std::find(pushButtons_.begin(), pushButtons_.end(), id) != pushButtons_.end()) {
        commands_->OnCommand(id);
      }
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_LISTBOX) return FALSE;
      DrawListLine(*item);
      return TRUE;
    }
    case Win32ListThumbnails::kPictureMessage:
      for (auto& [id, thumbnails] : thumbnails_) {
        if (thumbnails->Take(lParam)) return TRUE;
      }
      Win32ListThumbnails::Drop(lParam);  // its list is gone
      return TRUE;
    case WM_DROPFILES: {
      auto* drop = reinterpret_cast<HDROP>(wParam);
      std::vector<std::string> paths;
      const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        std::wstring path(static_cast<size_t>(DragQueryFileW(drop, i, nullptr, 0)) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(Utf8DialogText(path));
      }
      DragFinish(drop);
      if (commands_ && acceptsFiles_ && !paths.empty()) commands_->OnDropFiles(paths);
      return TRUE;
    }
    case WM_SYSCOMMAND: {
      // The window system keeps a command's four low bits for itself.
      const int command = static_cast<int>(wParam & 0xFFF0);
      for (const auto& item : systemMenu_) {
        if (item.first == command && !item.second.empty() && commands_) {
          commands_->OnSysCommand(static_cast<int>(wParam));
          return TRUE;
        }
      }
      return FALSE;
    }
    case WM_DESTROY:
      // The fields may still be read once the window is gone.
      for (auto& [id, text] : texts_) {
        if (HWND control = GetDlgItem(window_, id)) text = Utf8DialogText(ControlText(control));
      }
      for (auto& [id, checked] : checks_) checked = ::IsDlgButtonChecked(window_, id) == BST_CHECKED;
      thumbnails_.clear();  // no picture is posted any more
      Win32ListThumbnails::DropPosted(window_);
      window_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}
