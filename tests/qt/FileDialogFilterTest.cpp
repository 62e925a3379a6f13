#include <gtest/gtest.h>

#include <ostream>

#include "platform/dialog/qt/QtNameFilter.h"

namespace {

struct FilterCase {
  const char* name;
  const char* filter;
  std::vector<std::string> nameFilters;  // as Qt shows them, in order
  std::vector<bool> executables;
};

void PrintTo(const FilterCase& c, std::ostream* out) { *out << c.name; }

class FileDialogFilterTable : public testing::TestWithParam<FilterCase> {};

TEST_P(FileDialogFilterTable, BecomesQtNameFilters) {
  const FilterCase& c = GetParam();
  std::vector<std::string> nameFilters;
  std::vector<bool> executables;
  for (const auto& choice : FileDialogChoices(c.filter)) {
    nameFilters.push_back(QtNameFilter(choice));
    executables.push_back(choice.executables);
  }
  EXPECT_EQ(nameFilters, c.nameFilters);
  EXPECT_EQ(executables, c.executables);
}

INSTANTIATE_TEST_SUITE_P(
    FileDialogFilter, FileDialogFilterTable,
    testing::Values(FilterCase{"ThreePictureChoices",
                               "JPEG Files (*.jpg)|*.jpg|GIF Files (*.gif)|*.gif|All Files (*.*)|*.*||",
                               {"JPEG Files (*.jpg)", "GIF Files (*.gif)", "All Files (*)"},
                               {false, false, false}},
                    FilterCase{"ExeMeansPrograms", "EXE Files (*.exe)|*.exe||", {"EXE Files (*)"}, {true}},
                    FilterCase{"ExeInCapitals", "Programs|*.EXE||", {"Programs (*)"}, {true}},
                    FilterCase{
                        "SeveralPatterns", "Pictures|*.jpg; *.gif;;*.jpg||", {"Pictures (*.jpg *.gif)"}, {false}},
                    FilterCase{"NoClosingBar", "Notes (plain)|*.txt", {"Notes (plain) (*.txt)"}, {false}},
                    FilterCase{"EveryFileOnce", "Everything|*.*;*||", {"Everything (*)"}, {false}},
                    // The list ends at the first empty part; a choice without patterns is left out.
                    FilterCase{"EndsAtTheFirstEmptyPart", "Text|*.txt||Never|*.never||", {"Text (*.txt)"}, {false}},
                    FilterCase{"ChoiceWithoutPatternsLeftOut", "Empty|;|Text|*.txt||", {"Text (*.txt)"}, {false}},
                    FilterCase{"EmptyDescriptionEndsTheList", "|*.txt||", {}, {}},
                    FilterCase{"DescriptionWithoutPattern", "Dangling||", {}, {}},
                    FilterCase{"DescriptionAlone", "Dangling", {}, {}}, FilterCase{"EmptyText", "", {}, {}},
                    FilterCase{"NullText", nullptr, {}, {}}));

TEST(FileDialogFilter, ExecutablesKeepTheOtherPatternsOfTheirChoice) {
  const auto choices = FileDialogChoices("Runnable|*.exe;*.sh||");
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_TRUE(choices[0].executables);
  EXPECT_EQ(choices[0].patterns, std::vector<std::string>{"*.sh"});
  EXPECT_EQ(QtNameFilter(choices[0]), "Runnable (*)");
}

}  // namespace
