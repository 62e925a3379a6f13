#include "fsystem/LinkList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An item that counts its destructions, to prove each is destroyed once.
struct CountedItem : FsObject {
  explicit CountedItem(int& destroyed) : destroyed(destroyed) {}
  ~CountedItem() override { ++destroyed; }
  int Probe(void*) override { return 0; }
  const char* ClassName() const override { return "CountedItem"; }
  const char* Label() const override { return kEmptyLabel; }
  int& destroyed;
};

std::vector<std::string> Keys(LinkList& list) {
  std::vector<std::string> keys;
  for (ListNode* node = list.First(); node; node = list.Next()) keys.push_back(node->Key());
  return keys;
}

std::string CurrentKey(LinkList& list) { return list.Current() ? list.Current()->Key() : "(none)"; }

void AddAll(LinkList& list, std::initializer_list<const char*> keys) {
  for (const char* key : keys) list.Add(new ListNode(key, nullptr));
}

TEST(LinkList, EmptyListAnswersNullAndMinusOne) {
  LinkList list;
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.Last(), nullptr);
  EXPECT_EQ(list.Current(), nullptr);
  EXPECT_EQ(list.Next(), nullptr);
  EXPECT_EQ(list.Previous(), nullptr);
  EXPECT_EQ(list.Find("a"), nullptr);
  EXPECT_EQ(list.Current(), nullptr);
  EXPECT_EQ(list.Position(), -1);
  EXPECT_EQ(list.RemoveCurrent(), 0);
  EXPECT_EQ(list.RemoveAll(), 1);
  EXPECT_STREQ(list.ClassName(), "LinkList");
  EXPECT_STREQ(list.Label(), "");
  EXPECT_EQ(list.Label(), kEmptyLabel);
  EXPECT_EQ(list.Probe(&list), 0);
  EXPECT_EQ(list.State(), 0);
}

TEST(LinkList, AddAppendsAndMovesTheCursorToTheNewNode) {
  LinkList list;
  EXPECT_EQ(list.Add(new ListNode("a", nullptr)), 1);
  EXPECT_EQ(list.First(), list.Last());
  EXPECT_EQ(list.Current(), list.First());
  list.Add(new ListNode("b", nullptr));
  EXPECT_EQ(CurrentKey(list), "b");
  EXPECT_STREQ(list.Last()->Key(), "b");
  ASSERT_NE(list.Previous(), nullptr);
  EXPECT_EQ(CurrentKey(list), "a");
}

TEST(LinkList, WalkingPastEitherEndKeepsTheCursorOnTheEndNode) {
  LinkList list;
  AddAll(list, {"a", "b", "c"});
  list.First();
  while (list.Next()) {
  }
  EXPECT_EQ(list.Next(), nullptr);
  EXPECT_EQ(CurrentKey(list), "c");
  EXPECT_EQ(list.Position(), 3);
  list.First();
  EXPECT_EQ(list.Previous(), nullptr);
  EXPECT_EQ(list.Previous(), nullptr);
  EXPECT_EQ(CurrentKey(list), "a");
}

TEST(LinkList, RemoveCurrentMovesTheCursorAsTheTableSays) {
  struct Case {
    int removeAt;
    std::vector<std::string> left;
    std::string cursorAfter;
  };
  const Case cases[] = {
      {1, {"b", "c"}, "b"},  // the first of several: the new first
      {2, {"a", "c"}, "a"},  // the middle: the predecessor
      {3, {"a", "b"}, "b"},  // the last of several: the new last
  };
  for (const Case& c : cases) {
    LinkList list;
    AddAll(list, {"a", "b", "c"});
    list.GoTo(c.removeAt);
    EXPECT_EQ(list.RemoveCurrent(), 1);
    EXPECT_EQ(CurrentKey(list), c.cursorAfter) << "removing node " << c.removeAt;
    EXPECT_EQ(Keys(list), c.left);
  }
}

TEST(LinkList, RemovingTheMiddleNodeLetsNextReachItsSuccessor) {
  LinkList list;
  AddAll(list, {"a", "b", "c"});
  list.GoTo(2);
  list.RemoveCurrent();
  ASSERT_NE(list.Next(), nullptr);
  EXPECT_EQ(CurrentKey(list), "c");
}

TEST(LinkList, RemovingTheOnlyNodeEmptiesTheList) {
  LinkList list;
  AddAll(list, {"a"});
  EXPECT_EQ(list.RemoveCurrent(), 1);
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.Current(), nullptr);
  EXPECT_EQ(list.Position(), -1);
}

TEST(LinkList, RemoveAllEmptiesAndTheListWorksAsNew) {
  LinkList list;
  AddAll(list, {"a", "b"});
  EXPECT_EQ(list.RemoveAll(), 1);
  EXPECT_EQ(list.Last(), nullptr);
  list.Add(new ListNode("c", nullptr));
  EXPECT_EQ(Keys(list), std::vector<std::string>{"c"});
}

TEST(LinkList, GoToOutOfRangeLeavesTheCursor) {
  LinkList list;
  AddAll(list, {"a", "b", "c"});
  list.GoTo(2);
  for (int n : {0, -3, 4, 100}) {
    EXPECT_EQ(list.GoTo(n), nullptr) << n;
    EXPECT_EQ(CurrentKey(list), "b") << n;
  }
  ListNode* first = list.GoTo(1);
  EXPECT_EQ(first, list.First());
  EXPECT_STREQ(list.GoTo(3)->Key(), "c");
  EXPECT_EQ(list.Position(), 3);
}

TEST(LinkList, FindTakesTheFrontmostMatchOrLeavesTheCursorLast) {
  LinkList list;
  list.Add(new ListNode("x", nullptr));
  list.Add(new ListNode("k", nullptr));
  list.Add(new ListNode("k", nullptr));
  list.Add(new ListNode("z", nullptr));
  ListNode* found = list.Find("k");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(list.Position(), 2);
  EXPECT_EQ(list.Find("K"), nullptr);  // case-sensitive
  EXPECT_EQ(CurrentKey(list), "z");
  EXPECT_EQ(list.Find("k\x01"), nullptr);
}

TEST(LinkList, InsertBeforeLinksAheadOfTheCursor) {
  LinkList list;
  EXPECT_EQ(list.InsertBefore(new ListNode("m", nullptr)), 1);
  EXPECT_EQ(list.First(), list.Last());
  list.First();
  list.InsertBefore(new ListNode("a", nullptr));
  EXPECT_EQ(CurrentKey(list), "a");
  EXPECT_EQ(list.Position(), 1);
  list.Last();
  list.InsertBefore(new ListNode("k", nullptr));
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"a", "k", "m"}));
  // Backward links agree with forward ones.
  std::vector<std::string> backward;
  for (ListNode* node = list.Last(); node; node = list.Previous()) backward.push_back(node->Key());
  EXPECT_EQ(backward, (std::vector<std::string>{"m", "k", "a"}));
}

TEST(LinkList, NodesOwnAPrivateCopyOfTheirKey) {
  char key[] = "abc";
  ListNode node(key, nullptr);
  key[0] = 'z';
  EXPECT_STREQ(node.Key(), "abc");
}

TEST(LinkList, EveryItemIsDestroyedExactlyOnce) {
  int destroyed = 0;
  {
    LinkList list;
    for (int i = 0; i < 5; ++i) list.Add(new ListNode("k", new CountedItem(destroyed)));
    list.GoTo(3);
    list.RemoveCurrent();
    EXPECT_EQ(destroyed, 1);
    FsObject* asRoot = new CountedItem(destroyed);
    delete asRoot;  // through the root's virtual destructor
    EXPECT_EQ(destroyed, 2);
  }
  EXPECT_EQ(destroyed, 6);
}

}  // namespace
