#pragma once
// A LinkList whose Add keeps the nodes in the order of a replaceable
// comparison, nodes that compare equal staying in the order they were added.

#include "fsystem/LinkList.h"

// Compares the node being inserted (a) with a node already in the list (b);
// returns -1, 0 or +1.
typedef int (*CompareFn)(ListNode* a, ListNode* b);

// The default comparison: the two keys, byte by byte (see CompareBytes).
int CompareKeys(ListNode* a, ListNode* b);

class SortLLst : public LinkList {
 public:
  SortLLst() = default;

  const char* ClassName() const override;

  // Inserts before the first node that compares greater than `node`, else
  // appends; the node becomes current. Returns 1.
  int Add(ListNode* node) override;

  // Replace the comparison for later Adds; nodes already in the list stay put.
  void SetCompare(CompareFn fn) { compare_ = fn; }
  void SetDefaultCompare() { compare_ = CompareKeys; }

 private:
  CompareFn compare_ = CompareKeys;
};
