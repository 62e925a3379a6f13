#include "platform/dialog/DataExchange.h"

#include <gtest/gtest.h>

#include "tests/support/HeadlessDialogWindow.h"

namespace {

struct Fields {
  std::string shortText = "5";
  std::string longText = "free";
  int box = 1;
  std::string last = "end";

  bool Exchange(DialogWindow& window, bool save) {
    DataExchange exchange(window, save, "Tarvine");
    exchange.Text(1, shortText, 3);
    exchange.Text(2, longText);
    exchange.Check(3, box);
    exchange.Text(4, last);
    return exchange.Succeeded();
  }
};

TEST(DataExchange, IntoTheControlsShowsFieldsAndInstallsLimits) {
  HeadlessDialogWindow window;
  Fields fields;
  EXPECT_TRUE(fields.Exchange(window, false));
  EXPECT_EQ(window.ItemText(1), "5");
  EXPECT_EQ(window.TextLimit(1), 3);
  EXPECT_EQ(window.TextLimit(2), 0);
  EXPECT_EQ(window.IsDlgButtonChecked(3), 1);
  EXPECT_EQ(window.ItemText(4), "end");
}

TEST(DataExchange, OutOfTheControlsTakesTextsAndChecks) {
  HeadlessDialogWindow window;
  Fields fields;
  window.SetDlgItemText(1, "123");
  window.SetDlgItemText(2, std::string(5000, 'x').c_str());
  window.CheckDlgButton(3, 0);
  EXPECT_TRUE(fields.Exchange(window, true));
  EXPECT_EQ(fields.shortText, "123");
  EXPECT_EQ(fields.longText.size(), 5000u);
  EXPECT_EQ(fields.box, 0);
  EXPECT_TRUE(window.Messages().empty());
}

TEST(DataExchange, ATextOverItsLimitStopsTheExchangeThere) {
  HeadlessDialogWindow window;
  Fields fields;
  window.SetDlgItemText(1, "1234");
  window.SetDlgItemText(4, "changed");
  window.CheckDlgButton(3, 0);
  EXPECT_FALSE(fields.Exchange(window, true));
  ASSERT_EQ(window.Messages().size(), 1u);
  EXPECT_EQ(window.Messages()[0].text, "Please enter no more than 3 characters.");
  EXPECT_EQ(window.Messages()[0].caption, "Tarvine");
  EXPECT_EQ(window.Messages()[0].style, kMessageExclamation);
  EXPECT_EQ(window.Focus(), 1);
  EXPECT_EQ(fields.box, 1) << "pairs after the failure are not exchanged";
  EXPECT_EQ(fields.last, "end");
}

TEST(DataExchange, TheMessageNamesTheLimit) {
  EXPECT_EQ(TooManyCharactersMessage(7), "Please enter no more than 7 characters.");
  EXPECT_EQ(TooManyCharactersMessage(300), "Please enter no more than 300 characters.");
}

}  // namespace
