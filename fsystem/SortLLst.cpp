#include "fsystem/SortLLst.h"

#include "fsystem/ByteOrder.h"

int CompareKeys(ListNode* a, ListNode* b) { return CompareBytes(a->Key(), b->Key()); }

const char* SortLLst::ClassName() const { return "SortLLst"; }

int SortLLst::Add(ListNode* node) {
  ListNode* existing = First();
  if (!existing) return LinkList::Add(node);

  // A directory listing gives every node the same key, so the walk below
  // would compare equal all the way and append: take that result at once
  // instead of n²/2 comparisons for n nodes.
  if (compare_ == CompareKeys && KeysAllEqual() && CompareKeys(node, existing) == 0) {
    return LinkList::Add(node);
  }

  do {
    if (compare_(node, existing) < 0) return InsertBefore(node);
    existing = Next();
  } while (existing);
  return LinkList::Add(node);
}
