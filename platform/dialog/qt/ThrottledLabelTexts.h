#pragma once
// Label texts that are current for the program at every change but shown at
// most about 30 times a second. A run sets its count line once per entry; at
// 100,000 entries, painting each would cost more than the renames.

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>

class QLabel;

class ThrottledLabelTexts {
 public:
  // `onShown` is told of each label as it starts to show a new text.
  explicit ThrottledLabelTexts(std::function<void(QLabel*)> onShown = nullptr);

  // Shows `text` at once when the labels were last painted long enough ago,
  // else as soon as that much time has passed (on a later event loop turn).
  void Set(QLabel* label, const QString& text);
  // The text last set for the label, shown yet or not.
  QString Text(const QLabel* label) const;

 private:
  void ShowPending();

  std::function<void(QLabel*)> onShown_;
  std::map<const QLabel*, std::pair<QLabel*, QString>> pending_;
  QTimer timer_;
  QElapsedTimer sinceShown_;
};
