#pragma once
// Pictures before the lines of a list box: each line the list draws is
// asked of a ThumbnailSource on worker threads, its picture decoded there at
// the size it is drawn, and set as the line's icon on the window's thread.
// Until then, and for good when nothing could be read or decoded, the line
// shows a plain icon. Lines never drawn are never asked for; the waiting
// lines are the most recently drawn ones (kMostWaiting), so a quick scroll
// through a long list leaves no backlog behind it. The window never waits:
// once the list is gone, pictures still being read are dropped.

#include <QIcon>
#include <QImage>
#include <QObject>
#include <memory>
#include <string>

#include "platform/dialog/DialogWindow.h"

class QListWidget;

// Invariant: the lines waited for are those of shared_'s WantedLines.
class ListThumbnails : public QObject {
 public:
  static constexpr int kEdge = 48;         // a picture's side, in the list's (logical) pixels
  static constexpr int kMostWaiting = 64;  // lines queued at once, the latest drawn first
  static constexpr int kWorkers = 2;       // threads reading pictures at once

  // Shows pictures in `list`, which owns this.
  ListThumbnails(QListWidget* list, ThumbnailSource source);
  ~ListThumbnails() override;
  ListThumbnails(const ListThumbnails&) = delete;
  ListThumbnails& operator=(const ListThumbnails&) = delete;

  // The pictures shown in `list`; null when none.
  static ListThumbnails* Of(const QListWidget* list);

  // The icon a line shows without a picture of its own.
  const QIcon& Placeholder() const { return placeholder_; }

  // The picture in `encoded` (any format Qt reads), scaled to fit a square
  // of `edge` pixels and centred in it on a transparent ground, or null
  // when it cannot be decoded.
  static QImage Decode(const std::string& encoded, int edge);

  struct Shared;  // what the workers share with the list while it lives

 private:
  static void ReadPictures(const std::shared_ptr<Shared>& shared);
  void Want(int line);
  void Deliver(int line, const QImage& picture);

  QListWidget* list_;
  QIcon placeholder_;
  std::shared_ptr<Shared> shared_;
};
