// Texts as the program sees them: UTF-8 byte strings, the empty string standing for "nothing".
// JoinText and CompareText are the two text helpers every command uses.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

using Text = std::string;

// Joins the parts in order into a new text whose length is the sum of theirs. A text that
// cannot be allocated ends the program through ReportFatalError with the size asked for.
Text JoinText(std::initializer_list<std::string_view> parts);

// Byte-wise comparison as unsigned bytes: -1, 0 or 1.
int CompareText(std::string_view a, std::string_view b);
