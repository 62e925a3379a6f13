#include <windows.h>
#include <shobjidl.h>

#include "platform/dialog/win32/Win32ListThumbnails.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "platform/dialog/WantedLines.h"
#include "platform/dialog/win32/DialogText.h"

struct Win32ListThumbnails::Shared {
  WantedLines lines{kMostWaiting, kWorkers};
  HWND receiver = nullptr;  // used while the lines are open
  int listId = 0;
  int edge = kEdge;
  ThumbnailSource source;
};

namespace {

// A picture on its way to the dialog.
struct Posted {
  int listId;
  int line;
  HBITMAP picture;  // null: none, the plain icon
};

// The shell's thumbnail of the file at `path`, fitted into a square of
// `edge` pixels; null when it has none (never the file type's icon), or
// when the path names a link or a folder.
//   a picture the shell reads => its thumbnail;  under Wine => null
HBITMAP ShellThumbnail(const std::string& path, int edge) {
  const std::wstring wide = WideDialogText(path.c_str());
  std::wstring full(MAX_PATH, L'\0');
  DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (length == 0 || length >= full.size()) return nullptr;
  full.resize(length);
  // A link, a junction or a folder is never followed out of the directory.
  const DWORD attributes = GetFileAttributesW(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE))) {
    return nullptr;
  }
  IShellItemImageFactory* factory = nullptr;
  if (FAILED(SHCreateItemFromParsingName(full.c_str(), nullptr, IID_PPV_ARGS(&factory)))) return nullptr;
  HBITMAP picture = nullptr;
  if (FAILED(factory->GetImage(SIZE{edge, edge}, SIIGBF_THUMBNAILONLY | SIIGBF_RESIZETOFIT, &picture))) {
    picture = nullptr;
  }
  factory->Release();
  // Wine's shell answers a 1 x 1 bitmap where it has no thumbnail.
  BITMAP size{};
  if (picture && (!GetObjectW(picture, sizeof size, &size) || size.bmWidth < 2 || std::abs(size.bmHeight) < 2)) {
    DeleteObject(picture);
    picture = nullptr;
  }
  return picture;
}

// A plain page with a folded corner, in the middle of the square of `edge`
// pixels at (x, y): drawn here, the same on every system (the system's
// stock icons are empty under Wine).
void DrawPlainIcon(HDC context, int x, int y, int edge) {
  const int width = edge / 2, height = edge * 2 / 3, fold = std::max(1, width / 3);
  const int left = x + (edge - width) / 2, top = y + (edge - height) / 2;
  const POINT page[] = {{left, top},
                        {left + width - fold, top},
                        {left + width, top + fold},
                        {left + width, top + height},
                        {left, top + height}};
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_GRAYTEXT));
  HGDIOBJ previousPen = SelectObject(context, pen);
  HGDIOBJ previousBrush = SelectObject(context, GetSysColorBrush(COLOR_WINDOW));
  Polygon(context, page, 5);
  MoveToEx(context, left + width - fold, top, nullptr);
  LineTo(context, left + width - fold, top + fold);
  LineTo(context, left + width, top + fold);
  SelectObject(context, previousBrush);
  SelectObject(context, previousPen);
  DeleteObject(pen);
}

// Reads the wanted lines' pictures until none is left, posting each to
// the dialog while there is one.
void ReadPictures(const std::shared_ptr<Win32ListThumbnails::Shared>& shared) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  while (const std::optional<int> line = shared->lines.Next()) {
    HBITMAP picture = nullptr;
    try {
      const Thumbnail thumbnail = shared->source(static_cast<size_t>(*line), shared->edge);
      if (!thumbnail.path.empty()) picture = ShellThumbnail(thumbnail.path, shared->edge);
    } catch (...) {  // no picture: the plain icon stays
    }
    auto* posted = new Posted{shared->listId, *line, picture};
    bool sent = false;
    shared->lines.WhileOpen([&] {
      sent = PostMessageW(shared->receiver, Win32ListThumbnails::kPictureMessage, 0,
                          reinterpret_cast<LPARAM>(posted)) != 0;
    });
    if (!sent) {
      if (picture) DeleteObject(picture);
      delete posted;
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace

Win32ListThumbnails::Win32ListThumbnails(HWND dialog, int listId, ThumbnailSource source, int edgePixels)
    : dialog_(dialog), listId_(listId), edge_(std::max(edgePixels, 1)), shared_(std::make_shared<Shared>()) {
  shared_->receiver = dialog;
  shared_->listId = listId;
  shared_->edge = edge_;
  shared_->source = std::move(source);
}

Win32ListThumbnails::~Win32ListThumbnails() {
  shared_->lines.Close();
  for (const auto& [line, picture] : answered_) {
    if (picture) DeleteObject(static_cast<HBITMAP>(picture));
  }
}

void Win32ListThumbnails::Drop(long long posted) {
  auto* picture = reinterpret_cast<Posted*>(posted);
  if (picture && picture->picture) DeleteObject(picture->picture);
  delete picture;
}

void Win32ListThumbnails::DropPosted(HWND dialog) {
  MSG message;
  while (PeekMessageW(&message, dialog, kPictureMessage, kPictureMessage, PM_REMOVE)) Drop(message.lParam);
}

void Win32ListThumbnails::Want(int line) {
  if (shared_->lines.Want(line)) std::thread([shared = shared_] { ReadPictures(shared); }).detach();
}

bool Win32ListThumbnails::Take(long long posted) {
  auto* picture = reinterpret_cast<Posted*>(posted);
  if (!picture || picture->listId != listId_) return false;
  shared_->lines.Answered(picture->line);
  void*& answer = answered_[picture->line];
  if (answer) DeleteObject(static_cast<HBITMAP>(answer));
  answer = picture->picture;
  const int line = picture->line;
  delete picture;
  HWND list = GetDlgItem(dialog_, listId_);
  RECT area;
  if (list && SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&area)) != LB_ERR) {
    InvalidateRect(list, &area, FALSE);
  }
  return true;
}

Win32ListThumbnails::Shown Win32ListThumbnails::ShownAt(int line) const {
  const auto found = answered_.find(line);
  if (found == answered_.end()) return Shown::kWaiting;
  return found->second ? Shown::kPicture : Shown::kPlainIcon;
}

void Win32ListThumbnails::Draw(HDC context, int line, int x, int y) {
  const auto found = answered_.find(line);
  if (found == answered_.end()) Want(line);
  auto* picture = found == answered_.end() ? nullptr : static_cast<HBITMAP>(found->second);
  BITMAP size{};
  if (!picture || !GetObjectW(picture, sizeof size, &size)) {
    DrawPlainIcon(context, x, y, edge_);
    return;
  }
  const int width = std::min<int>(size.bmWidth, edge_), height = std::min<int>(std::abs(size.bmHeight), edge_);
  HDC source = CreateCompatibleDC(context);
  HGDIOBJ previous = SelectObject(source, picture);
  const int left = x + (edge_ - width) / 2, top = y + (edge_ - height) / 2;
  if (size.bmBitsPixel == 32) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(context, left, top, width, height, source, 0, 0, width, height, blend);
  } else {
    BitBlt(context, left, top, width, height, source, 0, 0, SRCCOPY);
  }
  SelectObject(source, previous);
  DeleteDC(source);
}
