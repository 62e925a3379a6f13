#include "fsystem/SortLLst.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Tells apart nodes with equal keys.
struct Tag : FsObject {
  explicit Tag(int id) : id(id) {}
  int Probe(void*) override { return 0; }
  const char* ClassName() const override { return "Tag"; }
  const char* Label() const override { return kEmptyLabel; }
  int id;
};

int TagOf(ListNode* node) { return static_cast<Tag*>(node->Item())->id; }

std::vector<std::string> Keys(LinkList& list) {
  std::vector<std::string> keys;
  for (ListNode* node = list.First(); node; node = list.Next()) keys.push_back(node->Key());
  return keys;
}

TEST(SortLLst, EqualKeysKeepTheOrderTheyWereAddedIn) {
  SortLLst list;
  EXPECT_STREQ(list.ClassName(), "SortLLst");
  int id = 0;
  for (const char* key : {"b", "a", "b", "c"}) list.Add(new ListNode(key, new Tag(id++)));
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"a", "b", "b", "c"}));
  EXPECT_EQ(TagOf(list.GoTo(2)), 0);  // the b added first
  EXPECT_EQ(TagOf(list.GoTo(3)), 2);
}

TEST(SortLLst, AddLeavesTheCursorOnTheNewNode) {
  SortLLst list;
  for (const char* key : {"m", "z", "a", "m"}) {
    list.Add(new ListNode(key, nullptr));
    EXPECT_STREQ(list.Current()->Key(), key);
  }
  EXPECT_EQ(list.Position(), 3);  // the second m, after the first
}

TEST(SortLLst, DefaultComparisonIsByUnsignedBytes) {
  struct Case {
    const char* a;
    const char* b;
    int expected;
  };
  const Case cases[] = {
      {"B", "a", -1}, {"Z", "a", -1}, {"ab", "abc", -1}, {"abc", "ab", 1},
      {"x", "x", 0},  {"", "", 0},    {"\xC3\xA9", "z", 1}, {"a", "\x7F", -1},
  };
  for (const Case& c : cases) {
    ListNode a(c.a, nullptr), b(c.b, nullptr);
    EXPECT_EQ(CompareKeys(&a, &b), c.expected) << c.a << " vs " << c.b;
  }
}

int compareCalls = 0;
int CountingEqual(ListNode*, ListNode*) {
  ++compareCalls;
  return 0;
}
int Reversed(ListNode* a, ListNode* b) { return -CompareKeys(a, b); }

TEST(SortLLst, AReplacedComparisonWalksFromTheFirstNode) {
  SortLLst list;
  list.SetCompare(CountingEqual);
  compareCalls = 0;
  for (int i = 0; i < 10; ++i) list.Add(new ListNode("k", nullptr));
  EXPECT_EQ(compareCalls, 45);  // 0 + 1 + ... + 9: every Add walks the whole list
}

TEST(SortLLst, SetCompareGovernsOnlyLaterAdds) {
  SortLLst list;
  for (const char* key : {"b", "a"}) list.Add(new ListNode(key, nullptr));
  list.SetCompare(Reversed);
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"a", "b"}));
  list.Add(new ListNode("c", nullptr));
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"c", "a", "b"}));
  list.SetDefaultCompare();
  list.Add(new ListNode("bb", nullptr));
  // Walks from c: "bb" < "c" at once.
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"bb", "c", "a", "b"}));
}

// The list that the sorted insertion's plain walk gives, as a model for the
// library's list, which may take shortcuts but must end the same.
struct ModelList {
  struct Node {
    std::string key;
    int tag;
  };
  std::vector<Node> nodes;
  int cursor = -1;
  CompareFn compare = CompareKeys;

  void SortedAdd(const std::string& key, int tag) {
    ListNode incoming(key.c_str(), nullptr);
    size_t at = nodes.size();
    for (size_t i = 0; i < nodes.size(); ++i) {
      ListNode existing(nodes[i].key.c_str(), nullptr);
      if (compare(&incoming, &existing) < 0) {
        at = i;
        break;
      }
    }
    nodes.insert(nodes.begin() + at, {key, tag});
    cursor = static_cast<int>(at);
  }
  void InsertBefore(const std::string& key, int tag) {
    const int at = nodes.empty() ? 0 : cursor;
    nodes.insert(nodes.begin() + at, {key, tag});
    cursor = at;
  }
  void RemoveCurrent() {
    if (nodes.empty()) return;
    nodes.erase(nodes.begin() + cursor);
    if (nodes.empty()) cursor = -1;
    else if (cursor > 0) cursor -= 1;
  }
};

TEST(SortLLst, RandomOperationsEndAsThePlainWalkWould) {
  std::mt19937 random(20261207);
  const char* keys[] = {"FCB", "FCB", "FCB", "FCA", "FCC", "", "FCBx"};
  for (int round = 0; round < 200; ++round) {
    SortLLst list;
    ModelList model;
    for (int step = 0, tag = 0; step < 60; ++step, ++tag) {
      const std::string key = keys[random() % std::size(keys)];
      switch (random() % 10) {
        case 0:
          list.InsertBefore(new ListNode(key.c_str(), new Tag(tag)));
          model.InsertBefore(key, tag);
          break;
        case 1:
          list.RemoveCurrent();
          model.RemoveCurrent();
          break;
        case 2: {
          const bool reverse = random() % 2;
          list.SetCompare(reverse ? Reversed : CompareKeys);
          model.compare = reverse ? Reversed : CompareKeys;
          break;
        }
        case 3:
          if (!model.nodes.empty()) {
            const int n = 1 + random() % model.nodes.size();
            list.GoTo(n);
            model.cursor = n - 1;
          }
          break;
        default:
          list.Add(new ListNode(key.c_str(), new Tag(tag)));
          model.SortedAdd(key, tag);
          break;
      }
      ASSERT_EQ(list.Position(), model.nodes.empty() ? -1 : model.cursor + 1) << "round " << round;
      const int cursor = list.Position();
      int i = 0;
      for (ListNode* node = list.First(); node; node = list.Next(), ++i) {
        ASSERT_LT(i, static_cast<int>(model.nodes.size()));
        ASSERT_EQ(node->Key(), model.nodes[i].key) << "round " << round << " step " << step;
        ASSERT_EQ(TagOf(node), model.nodes[i].tag) << "round " << round << " step " << step;
      }
      ASSERT_EQ(i, static_cast<int>(model.nodes.size()));
      if (cursor > 0) list.GoTo(cursor);
    }
  }
}

}  // namespace
