// Where a profile file of the program's directory really lies: there when the directory is
// writable or already holds the file (a portable install), else in the user's configuration
// folder (an installed program in a folder the user cannot write).
#pragma once

#include <QByteArray>

// `native` is a file-system path; paths outside the program's directory are left alone.
QByteArray ProfileLocation(const QByteArray& native);
