#include "fsystem/FsObject.h"

const char kEmptyLabel[] = "";

FsObject::~FsObject() = default;

int FsObject::State() const { return 0; }
