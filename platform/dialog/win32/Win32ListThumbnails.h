#pragma once
// Pictures before the lines of an owner-drawn list box on Windows: the
// shell's thumbnail (IShellItemImageFactory) of the path a ThumbnailSource
// gives for each line the list draws, read on worker threads, the latest
// drawn first (kMostWaiting at most wait), and posted to the dialog. Until
// then, and for good where the shell has no thumbnail (as under Wine), a
// plain icon. Once this is gone, pictures still being read are dropped.

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/dialog/DialogWindow.h"

struct HWND__;
typedef HWND__* HWND;
struct HDC__;
typedef HDC__* HDC;

// Invariant: the lines waited for are those of shared_'s WantedLines;
// answered_ owns its bitmaps (null: the plain icon for good).
class Win32ListThumbnails {
 public:
  static constexpr int kEdge = 48;  // a picture's side at 96 dots an inch
  static constexpr size_t kMostWaiting = 64;
  static constexpr int kWorkers = 2;
  // The message a picture is posted to the dialog with; its lParam goes to Take.
  static constexpr unsigned kPictureMessage = 0x8000 + 0x54;  // WM_APP + 0x54

  // Pictures for the list box `listId` of `dialog`, `edgePixels` on a side.
  Win32ListThumbnails(HWND dialog, int listId, ThumbnailSource source, int edgePixels);
  ~Win32ListThumbnails();
  Win32ListThumbnails(const Win32ListThumbnails&) = delete;
  Win32ListThumbnails& operator=(const Win32ListThumbnails&) = delete;

  int Edge() const { return edge_; }
  // Draws `line`'s picture in the square at (x, y), or the plain icon while
  // there is none, asking for it.
  void Draw(HDC context, int line, int x, int y);
  // Takes a posted picture (the message's lParam), this list's or not;
  // true when it was this list's.
  bool Take(long long posted);
  // Frees a posted picture no list takes, and those posted to `dialog` and
  // not yet taken.
  static void Drop(long long posted);
  static void DropPosted(HWND dialog);

  // What a line shows: kWaiting until its picture was asked for and answered.
  enum class Shown { kWaiting, kPicture, kPlainIcon };
  Shown ShownAt(int line) const;

  struct Shared;  // what the workers share with the list while it lives

 private:
  void Want(int line);

  HWND dialog_;
  int listId_;
  int edge_;
  std::unordered_map<int, void*> answered_;  // line => HBITMAP, null for the plain icon
  std::shared_ptr<Shared> shared_;
};
