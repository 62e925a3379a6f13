#include "fsystem/ListNode.h"

#include <cstring>

ListNode::ListNode(const char* key, FsObject* item) : key_(new char[std::strlen(key) + 1]), item_(item) {
  std::strcpy(key_, key);
}

ListNode::~ListNode() {
  delete item_;
  delete[] key_;
}
