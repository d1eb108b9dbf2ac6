// The directory of the program file, computed once at start-up and made the current directory.
// Never ends in a separator: a program in the root folder yields the empty text.
#pragma once

#include "platform/text.h"

Text ProgramDirectory();

namespace files {
// Called once by PreparePlatform.
void ComputeProgramDirectory();
// For a host that runs the program's steps from another place (tests): the directory to use.
void UseProgramDirectory(const Text& directory);
}  // namespace files
