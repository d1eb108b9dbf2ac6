// The program's paths use the backslash; the file system's use "/". Bytes are kept as they are,
// so names that are not UTF-8 still reach the very file they came from.
#pragma once

#include <QByteArray>
#include <string_view>

QByteArray NativePath(std::string_view path);
