#include "platform/dialog/qt/QtDialogWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDropEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <functional>
#include <utility>

#include "platform/dialog/DialogCommands.h"
#include "platform/dialog/qt/DialogFont.h"
#include "platform/dialog/qt/DialogFrame.h"
#include "platform/dialog/qt/ListThumbnails.h"
#include "platform/dialog/qt/TabColumns.h"
#include "platform/dialog/qt/TextFitting.h"
#include "platform/dialog/qt/ThrottledLabelTexts.h"
#include "platform/dialog/qt/Utf8ByteLimit.h"

namespace {

// A QDialog that leaves every way of closing it to its owner: QDialog's
// Enter (through the default button), Escape and close box end in accept()
// or reject(), which only report here.
class ReportingDialog : public QDialog {
 public:
  ReportingDialog(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

  std::function<void()> onAccept;
  std::function<void()> onReject;
  std::function<void(const QPoint&)> onContextMenu;

  void accept() override {
    if (onAccept) onAccept();
  }
  void reject() override {
    if (onReject) onReject();
  }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override {
    if (onContextMenu) onContextMenu(event->globalPos());
  }
};

// Checks and unchecks itself when clicked anywhere in its rectangle, as the
// window system's check boxes do; Qt's own take clicks on the box and the
// text only.
class DialogCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

Qt::WindowFlags WindowFlagsOf(const DialogTemplate& dialogTemplate) {
  // An application window is a normal top-level window, which has its own
  // taskbar button on every desktop.
  Qt::WindowFlags flags = dialogTemplate.ownTaskbarButton ? Qt::Window : Qt::Dialog;
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (dialogTemplate.minimizeAndMaximizeBoxes) flags |= Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
  return flags;
}

QIcon IconOf(const IconImages& images) {
  QIcon icon;
  if (images.large) icon.addPixmap(QPixmap(images.large));
  if (images.small) icon.addPixmap(QPixmap(images.small));
  return icon;
}

QMessageBox::Icon MessageIconOf(int style) {
  switch (style & 0xF0) {
    case 0x10:
      return QMessageBox::Critical;
    case 0x20:
      return QMessageBox::Question;
    case 0x30:
      return QMessageBox::Warning;
    case 0x40:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// Hands the events of the widgets it watches to one function, which
// returns true for an event it took.
class WatchedEvents : public QObject {
 public:
  WatchedEvents(QObject* parent, std::function<bool(QWidget*, QEvent*)> handle)
      : QObject(parent), handle_(std::move(handle)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && handle_(widget, event);
  }

 private:
  std::function<bool(QWidget*, QEvent*)> handle_;
};

// The keys that open a context menu from the keyboard: the Menu key and Shift+F10.
bool IsMenuKey(const QKeyEvent& key) {
  return (key.key() == Qt::Key_Menu && key.modifiers() == Qt::NoModifier) ||
         (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
}

// The paths of the local files a drag carries, in its order; its other
// addresses (a web page's, say) are no files.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() && !url.toLocalFile().isEmpty()) paths.push_back(url.toLocalFile().toUtf8().toStdString());
  }
  return paths;
}

QString FromUtf8(const char* text) { return QString::fromUtf8(text ? text : ""); }

bool IsTabStop(const ControlTemplate& control) { return (control.style & ControlStyle::kTabStop) != 0; }

}  // namespace

QtDialogWindow::QtDialogWindow(const DialogTemplate& dialogTemplate, QWidget* parent)
    : labelTexts_(std::make_unique<ThrottledLabelTexts>([this](QLabel* label) { FitText(label); })) {
  auto* dialog = new ReportingDialog(parent, WindowFlagsOf(dialogTemplate));
  dialog->onAccept = [this] { Ok(); };
  dialog->onReject = [this] { Cancel(); };
  dialog->onContextMenu = [this](const QPoint& position) { ShowSystemMenu(position); };
  dialog_ = dialog;
  events_ = new WatchedEvents(dialog, [this](QWidget* widget, QEvent* event) { return TakeEvent(widget, event); });
  dialog->installEventFilter(events_);

  dialog->setWindowTitle(FromUtf8(dialogTemplate.caption));
  if (dialogTemplate.icon) dialog->setWindowIcon(IconOf(*dialogTemplate.icon));
  dialog->setFont(DialogFont(dialogTemplate));
  const DialogBaseUnits units = BaseUnitsOf(dialog->font());
  dialog->setFixedSize(ToPixels(0, 0, dialogTemplate.width, dialogTemplate.height, units).size());
  BuildControls(dialogTemplate);
}

QtDialogWindow::~QtDialogWindow() { delete dialog_.data(); }

void QtDialogWindow::BuildControls(const DialogTemplate& dialogTemplate) {
  const DialogBaseUnits units = BaseUnitsOf(dialog_->font());
  std::vector<QWidget*> tabStops;
  std::vector<std::pair<QLabel*, size_t>> mnemonicLabels;  // label, tab stops before it
  std::vector<QWidget*> frames;
  std::vector<QWidget*> texts;  // labels and check boxes

  for (const ControlTemplate& control : dialogTemplate.controls) {
    const QString text = FromUtf8(control.text);
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::kEdit: {
        auto* edit = new QLineEdit(text, dialog_);
        edit->setReadOnly(control.style & ControlStyle::kReadOnly);
        widget = edit;
        break;
      }
      case ControlKind::kListBox: {
        auto* list = new QListWidget(dialog_);
        list->setUniformItemSizes(true);  // one line each: a long list is laid out at once
        list->setItemDelegate(new TabColumns(list));
        widget = list;
        break;
      }
      case ControlKind::kPushButton:
      case ControlKind::kDefaultPushButton: {
        auto* button = new QPushButton(text, dialog_);
        button->setDefault(control.kind == ControlKind::kDefaultPushButton);
        const int id = control.id;
        QObject::connect(button, &QPushButton::clicked, dialog_, [this, id] { ButtonClicked(id); });
        widget = button;
        break;
      }
      case ControlKind::kCheckBox:
        widget = new DialogCheckBox(text, dialog_);
        texts.push_back(widget);
        break;
      case ControlKind::kLabel: {
        auto* label = new QLabel(text, dialog_);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        texts.push_back(label);
        if (!(control.style & ControlStyle::kNoPrefix) && text.contains(u'&')) {
          mnemonicLabels.emplace_back(label, tabStops.size());
        }
        widget = label;
        break;
      }
      case ControlKind::kGroupBox:
        // Only a frame drawn behind the controls it surrounds, which are its
        // siblings: clicks and the focus go through to them.
        widget = new DialogFrame(text, dialog_);
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        frames.push_back(widget);
        break;
      case ControlKind::kIcon: {
        auto* picture = new QLabel(dialog_);
        if (dialogTemplate.icon && dialogTemplate.icon->large) picture->setPixmap(QPixmap(dialogTemplate.icon->large));
        widget = picture;
        break;
      }
    }
    QRect geometry = ToPixels(control.x, control.y, control.width, control.height, units);
    if (control.kind == ControlKind::kIcon && dialogTemplate.icon) {
      geometry.setSize(static_cast<QLabel*>(widget)->pixmap().size());  // sized to its picture
    }
    widget->setGeometry(geometry);
    widget->installEventFilter(events_);

    const bool takesInput = control.kind != ControlKind::kLabel && control.kind != ControlKind::kGroupBox &&
                            control.kind != ControlKind::kIcon;
    widget->setFocusPolicy(!takesInput ? Qt::NoFocus : IsTabStop(control) ? Qt::StrongFocus : Qt::ClickFocus);
    if (takesInput && IsTabStop(control)) tabStops.push_back(widget);
    if (control.id != -1) controls_.emplace(control.id, widget);  // the first of an id stays
    inTemplateOrder_.push_back(widget);
  }

  for (QWidget* frame : frames) frame->lower();
  for (size_t i = 1; i < tabStops.size(); ++i) QWidget::setTabOrder(tabStops[i - 1], tabStops[i]);
  // A label's mnemonic moves the focus to the next tab stop, wrapping round.
  for (const auto& [label, tabStopsBefore] : mnemonicLabels) {
    if (!tabStops.empty()) label->setBuddy(tabStops[tabStopsBefore % tabStops.size()]);
  }
  fitting_ = std::make_unique<TextFitting>(texts, frames, units);
  firstTabStop_ = tabStops.empty() ? nullptr : tabStops.front();
}

QDialog* QtDialogWindow::Dialog() const { return dialog_.data(); }

QWidget* QtDialogWindow::Control(int id) const {
  if (!dialog_) return nullptr;
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

std::vector<QWidget*> QtDialogWindow::Controls() const {
  return dialog_ ? inTemplateOrder_ : std::vector<QWidget*>();
}

std::string QtDialogWindow::GetDlgItemText(int id) {
  QString text;
  QWidget* control = Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    text = edit->text();
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    text = button->text();
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    text = labelTexts_->Text(label);
  } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
    text = frame->title();
  }
  return text.toUtf8().toStdString();
}

void QtDialogWindow::SetDlgItemText(int id, const char* text) {
  QWidget* control = Control(id);
  const QString newText = FromUtf8(text);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    // The program's own text passes the edit's limit; the user's does not.
    const QValidator* limit = edit->validator();
    edit->setValidator(nullptr);
    edit->setText(newText);
    edit->setValidator(limit);
    edit->setCursorPosition(0);  // shows the start of a text longer than the edit
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(newText);
    FitText(button);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    labelTexts_->Set(label, newText);  // fitted when shown
  } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
    frame->setTitle(newText);
  }
}

void QtDialogWindow::FitText(QWidget* control) {
  if (fitting_ && dialog_) fitting_->Fit(control);
}

int QtDialogWindow::IsDlgButtonChecked(int id) {
  auto* box = qobject_cast<QCheckBox*>(Control(id));
  return box && box->isChecked() ? 1 : 0;
}

void QtDialogWindow::CheckDlgButton(int id, int checked) {
  if (auto* box = qobject_cast<QCheckBox*>(Control(id))) box->setChecked(checked != 0);
}

void QtDialogWindow::LimitText(int id, int maxBytes) {
  auto* edit = qobject_cast<QLineEdit*>(Control(id));
  if (!edit) return;
  delete edit->validator();
  edit->setValidator(maxBytes > 0 ? new Utf8ByteLimit(edit, maxBytes) : nullptr);  // 0: no limit
}

void QtDialogWindow::GotoDlgCtrl(int id) {
  if (QWidget* control = Control(id)) FocusControl(control);
}

void QtDialogWindow::FocusControl(QWidget* control) {
  control->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();  // ready to be typed over
}

void QtDialogWindow::EnableWindow(int id, bool enabled) {
  if (QWidget* control = Control(id)) control->setEnabled(enabled);
}

void QtDialogWindow::AddListItem(int id, const char* text) {
  auto* list = qobject_cast<QListWidget*>(Control(id));
  if (!list) return;
  const QString line = FromUtf8(text);
  if (auto* columns = dynamic_cast<TabColumns*>(list->itemDelegate())) columns->Measure(line);
  list->addItem(line);
}

void QtDialogWindow::SetListThumbnails(int id, ThumbnailSource source) {
  auto* list = qobject_cast<QListWidget*>(Control(id));
  if (!list) return;
  delete ListThumbnails::Of(list);  // its pictures, should it have any, are replaced
  new ListThumbnails(list, std::move(source));
}

void QtDialogWindow::DragAcceptFiles(bool accept) {
  acceptsFiles_ = accept;
  if (dialog_) dialog_->setAcceptDrops(accept);
}

bool QtDialogWindow::TakeEvent(QWidget* widget, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      if (systemMenu_.empty() || !IsMenuKey(*static_cast<QKeyEvent*>(event))) return false;
      ShowSystemMenu(widget->mapToGlobal(widget->rect().center()));
      return true;
    case QEvent::ContextMenu:
      // The Menu key, as the desktop reports it, opens the dialog's menu even
      // on an edit, whose own menu a right click still opens.
      if (systemMenu_.empty() || static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Keyboard) {
        return false;
      }
      ShowSystemMenu(widget->mapToGlobal(widget->rect().center()));
      return true;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!acceptsFiles_ || LocalFiles(drag->mimeData()).empty()) return false;  // an edit still takes dropped text
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const std::vector<std::string> files = LocalFiles(drop->mimeData());
      if (!acceptsFiles_ || files.empty()) return false;
      drop->acceptProposedAction();
      if (commands_) commands_->OnDropFiles(files);
      return true;
    }
    default:
      return false;
  }
}

void QtDialogWindow::AppendSystemMenu(int id, const char* text) {
  systemMenu_.emplace_back(id, text ? QString::fromUtf8(text) : QString());
}

void QtDialogWindow::CheckMenuRadioItem(int firstId, int lastId, int checkedId) {
  for (RadioGroup& group : radioGroups_) {
    if (group.firstId == firstId && group.lastId == lastId) {
      group.checkedId = checkedId;
      return;
    }
  }
  radioGroups_.push_back({firstId, lastId, checkedId});
}

void QtDialogWindow::CheckMenuItem(int id, bool checked) { checkItems_[id] = checked; }

int QtDialogWindow::DoModal(DialogCommands& commands) {
  if (!dialog_) return -1;
  commands_ = &commands;
  ended_ = false;
  result_ = 0;
  if (firstTabStop_) FocusControl(firstTabStop_);  // OnInitDialog may choose another
  commands.OnInitDialog();
  if (!ended_ && dialog_) {
    const int code = dialog_->exec();
    if (!ended_) result_ = code;  // the loop was ended from outside, as at quit
  }
  commands_ = nullptr;
  return result_;
}

void QtDialogWindow::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  if (dialog_ && dialog_->isVisible()) dialog_->done(result);
}

int QtDialogWindow::MessageBox(const char* text, const char* caption, int style) {
  const bool yesNo = (style & 0xF) == kMessageYesNo;
  QMessageBox box(MessageIconOf(style), FromUtf8(caption), FromUtf8(text),
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, dialog_);
  box.setTextFormat(Qt::PlainText);
  if (yesNo) {
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);  // and the close box
  }
  box.exec();
  if (!yesNo) return kIdOk;  // OK is its only button; Escape and the close box count as OK too
  return box.clickedButton() == box.button(QMessageBox::Yes) ? kIdYes : kIdNo;
}

void QtDialogWindow::PumpMessages() {
  // A run pumps twice for every entry, and each delivery asks the system for
  // events: at 100,000 entries that alone costs a quarter of the run. So
  // events are delivered at most every couple of milliseconds, which a user
  // cannot tell from at once.
  constexpr qint64 kNanosecondsBetweenDeliveries = 2'000'000;
  if (sincePumped_.isValid() && sincePumped_.nsecsElapsed() < kNanosecondsBetweenDeliveries) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  sincePumped_.start();
}

void QtDialogWindow::ButtonClicked(int id) {
  if (!commands_) return;
  if (id == kIdOk) {
    commands_->OnOK();
  } else if (id == kIdCancel) {
    commands_->OnCancel();
  } else {
    commands_->OnCommand(id);
  }
}

void QtDialogWindow::Ok() {
  if (commands_) commands_->OnOK();
}

void QtDialogWindow::Cancel() {
  if (commands_) commands_->OnCancel();
}

void QtDialogWindow::ShowSystemMenu(const QPoint& globalPosition) {
  if (systemMenu_.empty() || !commands_) return;
  QMenu menu(dialog_);
  std::map<const RadioGroup*, QActionGroup*> groups;
  for (const auto& [id, text] : systemMenu_) {
    if (text.isNull()) {
      menu.addSeparator();
      continue;
    }
    QAction* action = menu.addAction(text);
    action->setData(id);
    if (const auto checkItem = checkItems_.find(id); checkItem != checkItems_.end()) {
      action->setCheckable(true);
      action->setChecked(checkItem->second);
    }
    for (const RadioGroup& group : radioGroups_) {
      if (id < group.firstId || id > group.lastId) continue;
      QActionGroup*& actions = groups[&group];
      if (!actions) actions = new QActionGroup(&menu);  // exclusive: shown as radio items
      action->setCheckable(true);
      action->setChecked(id == group.checkedId);
      actions->addAction(action);
    }
  }
  const QAction* chosen = menu.exec(globalPosition);
  if (chosen && commands_) commands_->OnSysCommand(chosen->data().toInt());
}
