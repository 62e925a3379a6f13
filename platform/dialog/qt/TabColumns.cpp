#include "platform/dialog/qt/TabColumns.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <utility>

namespace {

QStringList Columns(const QString& line) { return line.split(u'\t', Qt::SkipEmptyParts); }

const QStyle* StyleOf(const QStyleOptionViewItem& option) {
  return option.widget ? option.widget->style() : QApplication::style();
}

// The room the style leaves on either side of an item's text.
int TextMargin(const QStyleOptionViewItem& option) {
  return StyleOf(option)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
}

// Between two columns: two average characters.
int Gap(const QFontMetrics& metrics) { return 2 * metrics.averageCharWidth(); }

}  // namespace

TabColumns::TabColumns(QListWidget* list) : QStyledItemDelegate(list), list_(list) {}

void TabColumns::Measure(const QString& line) {
  const QStringList columns = Columns(line);
  if (static_cast<size_t>(columns.size()) > widths_.size()) widths_.resize(columns.size(), 0);
  const QFontMetrics metrics = list_->fontMetrics();
  bool wider = false;
  for (qsizetype i = 0; i < columns.size(); ++i) {
    const int width = metrics.horizontalAdvance(columns[i]);
    if (width <= widths_[i]) continue;
    widths_[i] = width;
    wider = true;
  }
  if (wider) list_->viewport()->update();
}

void TabColumns::ShowPictures(const QIcon& placeholder, std::function<void(int line)> wanted) {
  placeholder_ = placeholder;
  wanted_ = std::move(wanted);
  list_->viewport()->update();
}

void TabColumns::Decorate(QStyleOptionViewItem& item) const {
  if (!wanted_) return;
  if (item.icon.isNull()) item.icon = placeholder_;
  item.features |= QStyleOptionViewItem::HasDecoration;
  item.decorationSize = list_->iconSize();  // a narrow picture moves no column
}

void TabColumns::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  if (wanted_ && item.icon.isNull()) wanted_(index.row());
  Decorate(item);
  const QStringList columns = Columns(item.text);
  item.text.clear();  // the style draws the background, the selection and the focus; the columns are drawn here
  const QStyle* style = StyleOf(item);
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

  const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
  const QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                     : (item.state & QStyle::State_Active)  ? QPalette::Active
                                                                            : QPalette::Inactive;
  painter->save();
  painter->setFont(item.font);
  painter->setPen(item.palette.color(
      group, item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
  int left = textRect.left() + TextMargin(item);
  for (qsizetype i = 0; i < columns.size(); ++i) {
    const bool measured = i < static_cast<qsizetype>(widths_.size());
    const int width = measured ? widths_[i] : item.fontMetrics.horizontalAdvance(columns[i]);
    painter->drawText(QRect(left, textRect.top(), width, textRect.height()), Qt::AlignLeft | Qt::AlignVCenter,
                      columns[i]);
    left += width + Gap(item.fontMetrics);
  }
  painter->restore();
}

QSize TabColumns::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  int width = 2 * TextMargin(option);
  if (wanted_) {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    Decorate(item);
    size = StyleOf(item)->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), item.widget);
    width += item.decorationSize.width() + 2 * TextMargin(item);
  }
  for (const int column : widths_) width += column + Gap(option.fontMetrics);
  size.setWidth(width);
  return size;
}
