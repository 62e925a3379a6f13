#include "fsystem/LinkList.h"

#include <cassert>

#include "fsystem/ByteOrder.h"

LinkList::~LinkList() { RemoveAll(); }

int LinkList::Probe(void*) { return 0; }

const char* LinkList::ClassName() const { return "LinkList"; }

const char* LinkList::Label() const { return kEmptyLabel; }

void LinkList::CheckInvariant() const {
  assert((first_ == nullptr) == (last_ == nullptr));
  assert((first_ == nullptr) == (current_ == nullptr));
  assert(!first_ || first_->previous_ == nullptr);
  assert(!last_ || last_->next_ == nullptr);
}

void LinkList::NoteKeyOf(const ListNode* node) {
  if (!first_) {
    keysAllEqual_ = true;
  } else if (keysAllEqual_) {
    keysAllEqual_ = CompareBytes(node->key_, first_->key_) == 0;
  }
}

int LinkList::Add(ListNode* node) {
  NoteKeyOf(node);
  node->next_ = nullptr;
  node->previous_ = last_;
  if (last_) {
    last_->next_ = node;
  } else {
    first_ = node;
  }
  last_ = node;
  current_ = node;
  CheckInvariant();
  return 1;
}

int LinkList::InsertBefore(ListNode* node) {
  if (!first_) return LinkList::Add(node);
  NoteKeyOf(node);
  node->next_ = current_;
  node->previous_ = current_->previous_;
  if (current_ == first_) {
    first_ = node;
  } else {
    current_->previous_->next_ = node;
  }
  current_->previous_ = node;
  current_ = node;
  CheckInvariant();
  return 1;
}

int LinkList::RemoveCurrent() {
  if (!current_) return 0;
  ListNode* removed = current_;
  ListNode* before = removed->previous_;
  ListNode* after = removed->next_;
  if (before) {
    before->next_ = after;
  } else {
    first_ = after;
  }
  if (after) {
    after->previous_ = before;
  } else {
    last_ = before;
  }
  // The first of several moves the cursor on; any other, back.
  current_ = before ? before : after;
  if (!first_) keysAllEqual_ = true;
  delete removed;
  CheckInvariant();
  return 1;
}

int LinkList::RemoveAll() {
  ListNode* node = first_;
  while (node) {
    ListNode* next = node->next_;
    delete node;
    node = next;
  }
  first_ = last_ = current_ = nullptr;
  keysAllEqual_ = true;
  CheckInvariant();
  return 1;
}

ListNode* LinkList::Next() {
  if (!current_ || !current_->next_) return nullptr;
  current_ = current_->next_;
  return current_;
}

ListNode* LinkList::Previous() {
  if (!current_ || !current_->previous_) return nullptr;
  current_ = current_->previous_;
  return current_;
}

ListNode* LinkList::First() {
  current_ = first_;
  return current_;
}

ListNode* LinkList::Last() {
  current_ = last_;
  return current_;
}

ListNode* LinkList::Current() { return current_; }

ListNode* LinkList::GoTo(int n) {
  if (n <= 0) return nullptr;
  ListNode* node = first_;
  for (int i = 1; node && i < n; ++i) node = node->next_;
  if (!node) return nullptr;
  current_ = node;
  return current_;
}

int LinkList::Position() {
  if (!first_) return -1;
  int position = 1;
  for (const ListNode* node = first_; node != current_; node = node->next_) ++position;
  return position;
}

ListNode* LinkList::Find(const char* key) {
  for (ListNode* node = first_; node; node = node->next_) {
    if (CompareBytes(node->key_, key) == 0) {
      current_ = node;
      return node;
    }
  }
  current_ = last_;
  return nullptr;
}
