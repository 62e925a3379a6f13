#pragma once
// The program's icon (resource 128): a numbered picture, 32 x 32 and 16 x 16
// in 16 colours.

#include "platform/dialog/DialogTemplate.h"

const IconImages& ProgramIcon();
