#pragma once
// One element of a LinkList: a key text and an item, both owned.

#include "fsystem/FsObject.h"

class ListNode {
 public:
  // Copies `key`; takes ownership of `item`, which may be null.
  ListNode(const char* key, FsObject* item);
  // Destroys the item, then the key. A node never unlinks itself: its list
  // unlinks it first.
  ~ListNode();
  ListNode(const ListNode&) = delete;
  ListNode& operator=(const ListNode&) = delete;

  const char* Key() const { return key_; }
  FsObject* Item() const { return item_; }

 private:
  friend class LinkList;

  char* key_;
  FsObject* item_;
  ListNode* next_ = nullptr;
  ListNode* previous_ = nullptr;
};
