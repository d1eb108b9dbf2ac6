// The bytes of the program's icon file, built into the program.
#pragma once

#include <string_view>

std::string_view ProgramIcon();
