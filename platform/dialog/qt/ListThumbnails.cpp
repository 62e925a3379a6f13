#include "platform/dialog/qt/ListThumbnails.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QThreadPool>
#include <cmath>
#include <optional>
#include <utility>

#include "platform/dialog/WantedLines.h"
#include "platform/dialog/qt/TabColumns.h"

struct ListThumbnails::Shared {
  WantedLines lines{kMostWaiting, kWorkers};
  ListThumbnails* receiver = nullptr;  // used while the lines are open
  ThumbnailSource source;
  int edgePixels = kEdge;
};

// Reads the wanted lines' pictures until none is left, handing each to the
// list while there is one.
void ListThumbnails::ReadPictures(const std::shared_ptr<Shared>& shared) {
  while (const std::optional<int> line = shared->lines.Next()) {
    QImage picture;
    try {
      picture = Decode(shared->source(static_cast<size_t>(*line), shared->edgePixels).encoded, shared->edgePixels);
    } catch (...) {  // no picture: the plain icon stays
    }
    // Posted while the receiver lives; should it go before the event is
    // delivered, the event goes with it.
    shared->lines.WhileOpen([&shared, &line, &picture] {
      ListThumbnails* receiver = shared->receiver;
      QMetaObject::invokeMethod(
          receiver, [receiver, line = *line, picture] { receiver->Deliver(line, picture); }, Qt::QueuedConnection);
    });
  }
}

ListThumbnails::ListThumbnails(QListWidget* list, ThumbnailSource source)
    : QObject(list), list_(list), shared_(std::make_shared<Shared>()) {
  list->setIconSize(QSize(kEdge, kEdge));
  placeholder_ = list->style()->standardIcon(QStyle::SP_FileIcon, nullptr, list);
  shared_->receiver = this;
  shared_->source = std::move(source);
  shared_->edgePixels = static_cast<int>(std::ceil(kEdge * list->devicePixelRatioF()));
  if (auto* columns = dynamic_cast<TabColumns*>(list->itemDelegate())) {
    columns->ShowPictures(placeholder_, [this](int line) { Want(line); });
  }
}

ListThumbnails* ListThumbnails::Of(const QListWidget* list) {
  for (QObject* child : list->children()) {
    if (auto* thumbnails = dynamic_cast<ListThumbnails*>(child)) return thumbnails;
  }
  return nullptr;
}

ListThumbnails::~ListThumbnails() { shared_->lines.Close(); }

void ListThumbnails::Want(int line) {
  if (shared_->lines.Want(line)) QThreadPool::globalInstance()->start([shared = shared_] { ReadPictures(shared); });
}

void ListThumbnails::Deliver(int line, const QImage& picture) {
  shared_->lines.Answered(line);
  QListWidgetItem* item = list_->item(line);
  if (!item) return;
  if (picture.isNull()) {
    item->setIcon(placeholder_);
    return;
  }
  QPixmap pixmap = QPixmap::fromImage(picture);
  pixmap.setDevicePixelRatio(static_cast<qreal>(picture.width()) / kEdge);
  item->setIcon(QIcon(pixmap));
}

QImage ListThumbnails::Decode(const std::string& encoded, int edge) {
  if (encoded.empty() || edge <= 0) return {};
  QByteArray bytes = QByteArray::fromRawData(encoded.data(), static_cast<qsizetype>(encoded.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAutoTransform(true);  // as the camera was held
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > edge || size.height() > edge)) {
    reader.setScaledSize(size.scaled(edge, edge, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
  }
  QImage picture = reader.read();
  if (picture.isNull()) return {};
  if (picture.width() > edge || picture.height() > edge) {
    picture = picture.scaled(edge, edge, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  QImage square(edge, edge, QImage::Format_ARGB32_Premultiplied);
  square.fill(Qt::transparent);
  QPainter painter(&square);
  painter.drawImage((edge - picture.width()) / 2, (edge - picture.height()) / 2, picture);
  painter.end();
  return square;
}
