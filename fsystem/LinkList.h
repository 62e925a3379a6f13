#pragma once
// A doubly linked list of owned nodes with one cursor, the current node,
// through which callers walk it: First(), then Next() until it returns null.

#include "fsystem/FsObject.h"
#include "fsystem/ListNode.h"

// Invariant: an empty list has first, last and current all null; a list with
// nodes has a current node, the first node has no previous and the last no next.
class LinkList : public FsObject {
 public:
  LinkList() = default;
  ~LinkList() override;  // destroys every node, first to last
  LinkList(const LinkList&) = delete;
  LinkList& operator=(const LinkList&) = delete;

  int Probe(void* value) override;
  const char* ClassName() const override;
  const char* Label() const override;

  // Appends at the tail; the node becomes current. Returns 1.
  virtual int Add(ListNode* node);
  // Destroys the current node. The cursor goes to the new first node, the new
  // last node, or (from the middle) the predecessor. 0 for an empty list.
  virtual int RemoveCurrent();
  // Destroys every node; the list is empty. Returns 1.
  virtual int RemoveAll();
  // Moves the cursor one step and returns the node, or returns null and
  // leaves the cursor where it is.
  virtual ListNode* Next();
  virtual ListNode* Previous();
  // Move the cursor to the first or last node; null for an empty list.
  virtual ListNode* First();
  virtual ListNode* Last();
  virtual ListNode* Current();
  // The n-th node counted from 1 becomes current; null (cursor unchanged)
  // when n < 1 or the list is shorter.
  virtual ListNode* GoTo(int n);
  // 1-based position of the cursor; -1 for an empty list.
  virtual int Position();
  // The first node whose key equals `key` becomes current; when there is none
  // the cursor goes to the last node and the result is null.
  virtual ListNode* Find(const char* key);
  // Inserts before the current node (into an empty list: as its only node);
  // the node becomes current. Returns 1.
  virtual int InsertBefore(ListNode* node);

 protected:
  // True only when every node's key equals the first node's (a list of at
  // most one node included); false means unknown. Lets a sorted insertion
  // skip a walk whose every comparison would find equal keys.
  bool KeysAllEqual() const { return keysAllEqual_; }

 private:
  void CheckInvariant() const;
  void NoteKeyOf(const ListNode* node);

  ListNode* first_ = nullptr;
  ListNode* last_ = nullptr;
  ListNode* current_ = nullptr;
  bool keysAllEqual_ = true;
};
