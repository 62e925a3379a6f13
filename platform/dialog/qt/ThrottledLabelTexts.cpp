#include "platform/dialog/qt/ThrottledLabelTexts.h"

#include <QLabel>
#include <utility>

namespace {

constexpr int kMillisecondsBetweenPaints = 33;  // about 30 a second

}  // namespace

ThrottledLabelTexts::ThrottledLabelTexts(std::function<void(QLabel*)> onShown) : onShown_(std::move(onShown)) {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] { ShowPending(); });
}

void ThrottledLabelTexts::Set(QLabel* label, const QString& text) {
  pending_[label] = {label, text};
  if (!sinceShown_.isValid() || sinceShown_.elapsed() >= kMillisecondsBetweenPaints) {
    ShowPending();
  } else if (!timer_.isActive()) {
    timer_.start(static_cast<int>(kMillisecondsBetweenPaints - sinceShown_.elapsed()));
  }
}

QString ThrottledLabelTexts::Text(const QLabel* label) const {
  const auto found = pending_.find(label);
  return found == pending_.end() ? label->text() : found->second.second;
}

void ThrottledLabelTexts::ShowPending() {
  timer_.stop();
  for (auto& [key, shown] : pending_) {
    shown.first->setText(shown.second);
    if (onShown_) onShown_(shown.first);
  }
  pending_.clear();
  sinceShown_.start();
}
