// Private-profile (ini) files: "[section]" lines with "key=value" lines under them. Names match
// without regard to letter case; lines end with CR LF (LF alone is read too); a write changes
// only the one value and keeps every other line, section, key and comment as it was.
#pragma once

#include <optional>
#include <string_view>

#include "platform/text.h"

// The key's value, cut to its first 10239 bytes; `fallback` (or the empty text) when the file,
// section or key is missing or unreadable. Leading bytes 0x01 to 0x20 of path, section and key
// are skipped; if one of them is then empty, nothing is read and the result is the empty text.
Text ReadProfileText(std::string_view path, std::string_view section, std::string_view key,
                     std::optional<std::string_view> fallback = std::nullopt);

// Stores the value, creating file, section and key as needed; an empty value stays an empty
// value. The file is replaced atomically: a failed write (no access, full disk) leaves the old
// file as it was and yields false. A value holding a line break cannot be stored and yields false.
bool WriteProfileText(std::string_view path, std::string_view section, std::string_view key,
                      std::string_view value);
