#pragma once
// A list box's lines drawn in columns: the tabs of a line divide it, tabs
// in a row count as one, and each column is as wide as its widest text in
// any line so far and a gap, so that the columns line up however wide the
// texts. (Qt's own lists put a tab at the next multiple of 80 pixels, which
// sets a long name's arrow further right than a short one's.)
//   "a.jpg\t\t-> 1.jpg", "long-name.jpg\t\t-> 2.jpg"
//     => "a.jpg          -> 1.jpg"
//        "long-name.jpg  -> 2.jpg"
//
// Invariant: widths_ holds, for each column, the widest text of that
// column among the lines measured.

#include <QIcon>
#include <QStyledItemDelegate>
#include <functional>
#include <vector>

class QListWidget;

class TabColumns : public QStyledItemDelegate {
 public:
  // Draws the lines of `list`, which owns it.
  explicit TabColumns(QListWidget* list);

  // Widens the columns for a line that is added to the list.
  void Measure(const QString& line);

  // Lines show a picture of the list's icon size before their columns: their
  // own icon once they have one, else `placeholder`, telling `wanted` each
  // line drawn without its own.
  void ShowPictures(const QIcon& placeholder, std::function<void(int line)> wanted);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  // With pictures shown: every line's picture in the same square, the
  // placeholder where the line has none.
  void Decorate(QStyleOptionViewItem& item) const;

  QListWidget* list_;
  std::vector<int> widths_;
  QIcon placeholder_;
  std::function<void(int line)> wanted_;  // set while pictures are shown
};
