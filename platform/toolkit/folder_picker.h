// A modal folder picker: folders only, the prompt above the folder tree, a field to type a
// folder in. While it is open the program's other windows take no input; afterwards the window
// that was active is active again. Reports posted to labels are still handled meanwhile.
#pragma once

#include <string_view>

#include "platform/text.h"

// The chosen folder's path as the file system gives it, without a trailing separator except for
// the root ("/"); the empty text when the user cancels.
Text BrowseForFolder(std::string_view prompt);
