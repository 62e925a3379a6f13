#include "platform/dialog/qt/ThrottledLabelTexts.h"

#include <QLabel>
#include <QTest>

#include "tests/qt/QtTestSupport.h"

namespace {

using ThrottledLabelTextsTest = QtWindowTest;

TEST_F(ThrottledLabelTextsTest, TheProgramSeesEveryTextTheScreenAtMostThirtyASecond) {
  QLabel label;
  ThrottledLabelTexts texts;
  texts.Set(&label, "   0");
  EXPECT_EQ(label.text(), "   0") << "the first text shows at once";
  int shownChanges = 0;
  QString lastShown = label.text();
  for (int count = 1; count <= 2000; ++count) {
    const QString text = QString("   %1").arg(count);
    texts.Set(&label, text);
    EXPECT_EQ(texts.Text(&label), text);
    QCoreApplication::processEvents();
    if (label.text() != lastShown) {
      ++shownChanges;
      lastShown = label.text();
    }
  }
  EXPECT_LT(shownChanges, 100) << "2,000 quick changes are not 2,000 paints";
  QTest::qWait(50);
  EXPECT_EQ(label.text(), "   2000") << "the last text shows in the end";
}

}  // namespace
