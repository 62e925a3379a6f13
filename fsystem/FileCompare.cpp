#include "fsystem/FileCompare.h"

#include <cstring>

#include "fsystem/ByteOrder.h"
#include "fsystem/FileItem.h"

namespace {

const FileItem& ItemOf(ListNode* node) { return *static_cast<const FileItem*>(node->Item()); }

int CompareSigned(int32_t a, int32_t b) { return (a > b) - (a < b); }

}  // namespace

int CompareNames(ListNode* a, ListNode* b) { return CompareBytes(ItemOf(a).name, ItemOf(b).name); }

int CompareExtensions(ListNode* a, ListNode* b) {
  const int byExtension = CompareBytes(ExtensionOf(ItemOf(a).name), ExtensionOf(ItemOf(b).name));
  return byExtension != 0 ? byExtension : CompareNames(a, b);
}

int CompareTimes(ListNode* a, ListNode* b) {
  const int bySortKey = CompareSigned(ItemOf(a).sortKey, ItemOf(b).sortKey);
  if (bySortKey != 0) return bySortKey;
  const int byTime = CompareSigned(ItemOf(a).timeKey, ItemOf(b).timeKey);
  return byTime != 0 ? byTime : CompareNames(a, b);
}

const char* ExtensionOf(const char* name) {
  const char* dot = std::strchr(name, '.');
  return dot ? dot + 1 : name + std::strlen(name);
}
