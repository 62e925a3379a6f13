#pragma once
// The orders a FileList can be sorted in. Each comparison returns -1, 0 or
// +1 and expects both nodes' items to be FileItems; texts compare by bytes.

#include "fsystem/ListNode.h"

// By name.
int CompareNames(ListNode* a, ListNode* b);
// By extension (ExtensionOf), then by name.
int CompareExtensions(ListNode* a, ListNode* b);
// By sortKey, then timeKey (signed, smaller first), then by name.
int CompareTimes(ListNode* a, ListNode* b);

// The position just after the first dot of `name`, or its terminator when it
// has no dot:
//   "a.jpg"    => "jpg"
//   "x.tar.gz" => "tar.gz"
//   ".profile" => "profile"
//   "README"   => ""
//   "a."       => ""
const char* ExtensionOf(const char* name);
