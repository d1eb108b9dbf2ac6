#include "platform/files/program_directory.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QFile>

namespace {
Text& Directory() {
  static Text directory;  // user-interface thread; written once
  return directory;
}
}  // namespace

Text ProgramDirectory() { return Directory(); }

namespace files {
void ComputeProgramDirectory() {
  QByteArray path = QFile::encodeName(QCoreApplication::applicationFilePath());
  qsizetype cut = path.lastIndexOf('/');
  Text directory = cut < 0 ? Text() : Text(path.constData(), cut);
  Directory() = directory;
  if (chdir(directory.empty() ? "/" : directory.c_str()) != 0) {
    // The directory was taken from the running program's own path; if it cannot be entered the
    // program still runs, with relative paths meaning what they meant before.
  }
}
void UseProgramDirectory(const Text& directory) { Directory() = directory; }
}  // namespace files
