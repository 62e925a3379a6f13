#pragma once
// The file-system library: a linked list with a cursor, a sorted list with a
// replaceable comparison, a directory listing of file records, and helpers
// on path texts.

#include "fsystem/ByteOrder.h"
#include "fsystem/FileCompare.h"
#include "fsystem/FileItem.h"
#include "fsystem/FileList.h"
#include "fsystem/FsObject.h"
#include "fsystem/LinkList.h"
#include "fsystem/ListNode.h"
#include "fsystem/PathHelpers.h"
#include "fsystem/PickFile.h"
#include "fsystem/SortLLst.h"
