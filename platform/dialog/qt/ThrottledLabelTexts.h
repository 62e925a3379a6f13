#pragma once
// Label texts that are current for the program at every change but shown at
// most about 30 times a second. A run sets its count line once per entry; at
// 100,000 entries, painting each would cost more than the renames.

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <map>

class QLabel;

class ThrottledLabelTexts {
 public:
  ThrottledLabelTexts();

  // Shows `text` at once when the labels were last painted long enough ago,
  // else as soon as that much time has passed (on a later event loop turn).
  void Set(QLabel* label, const QString& text);
  // The text last set for the label, shown yet or not.
  QString Text(const QLabel* label) const;

 private:
  void ShowPending();

  std::map<const QLabel*, std::pair<QLabel*, QString>> pending_;
  QTimer timer_;
  QElapsedTimer sinceShown_;
};
