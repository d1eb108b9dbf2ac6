// Where a profile file of the program's directory really lies: there when the directory is
// writable or already holds the file (a portable install, a build folder), else in the user's
// configuration folder: an installed program (in a system folder such as /usr/bin, or in one the
// user cannot write) keeps its settings per user.
#pragma once

#include <QByteArray>

// `native` is a file-system path; paths outside the program's directory are left alone.
QByteArray ProfileLocation(const QByteArray& native);
