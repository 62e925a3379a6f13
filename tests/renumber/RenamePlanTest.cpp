#include "renumber/RenamePlan.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Names = std::vector<std::string>;
using Moves = std::vector<std::pair<std::string, std::string>>;

// A picture of `names` in which each move is made (through free names, so
// that cycles can be pictured), in the order given, and the plan for it.
RenamePlan PlanFor(const Names& names, const Moves& moves) {
  PackedNames packed;
  for (const auto& name : names) packed.Add(name);
  auto picture = std::make_unique<DirectoryPicture>(std::move(packed));
  for (const auto& [from, to] : moves) EXPECT_EQ(picture->Rename(from.c_str(), ("moving " + to).c_str()), 0) << from;
  for (const auto& [from, to] : moves) EXPECT_EQ(picture->Rename(("moving " + to).c_str(), to.c_str()), 0) << to;
  return RenamePlan::Between(std::move(picture), "jpg");
}

// The plan made on a directory of `names`, each rename checked as the
// never-replacing rename would: its old name there, its new name free.
// Returns the renames as "from>to".
Names Carry(const RenamePlan& plan, const Names& names, std::map<std::string, std::string>& directory) {
  for (const auto& name : names) directory[name] = name;
  Names made;
  for (size_t i = 0; i < plan.Size(); ++i) {
    const PlannedRename rename = plan[i];
    EXPECT_EQ(directory.count(rename.from), 1u) << rename.from;
    EXPECT_EQ(directory.count(rename.to), 0u) << rename.to << " would be replaced";
    directory[rename.to] = directory[rename.from];
    directory.erase(rename.from);
    made.push_back(std::string(rename.from) + ">" + rename.to);
  }
  return made;
}

TEST(RenamePlanTest, MovesWhatMustMoveInTheFewestRenames) {
  struct Case {
    const char* what;
    Names names;
    Moves moves;
    Names renames;
  };
  const Case cases[] = {
      {"nothing moves", {"1.jpg", "2.jpg"}, {}, {}},
      {"a name given back", {"1.jpg"}, {{"1.jpg", "1.jpg"}}, {}},
      {"free names", {"a.jpg", "b.jpg"}, {{"a.jpg", "1.jpg"}, {"b.jpg", "2.jpg"}}, {"a.jpg>1.jpg", "b.jpg>2.jpg"}},
      {"a chain from its free end",
       {"0a.jpg", "1.jpg", "2.jpg"},
       {{"0a.jpg", "1.jpg"}, {"1.jpg", "2.jpg"}, {"2.jpg", "3.jpg"}},
       {"2.jpg>3.jpg", "1.jpg>2.jpg", "0a.jpg>1.jpg"}},
      {"a chain met in its middle",
       {"0a.jpg", "1.jpg", "2.jpg"},
       {{"1.jpg", "2.jpg"}, {"0a.jpg", "1.jpg"}, {"2.jpg", "3.jpg"}},
       {"2.jpg>3.jpg", "1.jpg>2.jpg", "0a.jpg>1.jpg"}},
      {"a swap",
       {"1.jpg", "2.jpg"},
       {{"1.jpg", "2.jpg"}, {"2.jpg", "1.jpg"}},
       {"1.jpg>renum-swap-1.jpg", "2.jpg>1.jpg", "renum-swap-1.jpg>2.jpg"}},
      {"a cycle of three",
       {"3.jpg", "1.jpg", "2.jpg"},
       {{"3.jpg", "1.jpg"}, {"1.jpg", "2.jpg"}, {"2.jpg", "3.jpg"}},
       {"3.jpg>renum-swap-1.jpg", "2.jpg>3.jpg", "1.jpg>2.jpg", "renum-swap-1.jpg>1.jpg"}},
      {"a temporary name is free before and after, and used once",
       {"renum-swap-1.jpg", "1.jpg", "2.jpg", "3.jpg", "4.jpg"},
       {{"1.jpg", "2.jpg"}, {"2.jpg", "1.jpg"}, {"3.jpg", "4.jpg"}, {"4.jpg", "3.jpg"}, {"renum-swap-1.jpg", "renum-swap-2.jpg"}},
       {"1.jpg>renum-swap-3.jpg", "2.jpg>1.jpg", "renum-swap-3.jpg>2.jpg", "3.jpg>renum-swap-4.jpg", "4.jpg>3.jpg",
        "renum-swap-4.jpg>4.jpg", "renum-swap-1.jpg>renum-swap-2.jpg"}},
  };
  for (const Case& c : cases) {
    const RenamePlan plan = PlanFor(c.names, c.moves);
    std::map<std::string, std::string> directory;
    EXPECT_EQ(Carry(plan, c.names, directory), c.renames) << c.what;
    for (const auto& [from, to] : c.moves) EXPECT_EQ(directory[to], from) << c.what;
    EXPECT_EQ(directory.size(), c.names.size()) << c.what;
  }
}

}  // namespace
