#include "platform/files/profile_location.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "platform/files/program_directory.h"

#ifndef TAZMEL_INSTALL_BINDIR
#define TAZMEL_INSTALL_BINDIR "/usr/local/bin"
#endif

namespace {
// Folders where an installed program lies: its settings belong to the user, not beside it,
// even for a user who may write there.
bool InstalledProgramFolder(const QByteArray& folder) {
  static const char* const kSystem[] = {"/usr/bin", "/usr/local/bin", "/bin", "/usr/games", "/usr/local/games",
                                        TAZMEL_INSTALL_BINDIR};
  for (const char* system : kSystem)
    if (folder == system) return true;
  return false;
}
}  // namespace

QByteArray ProfileLocation(const QByteArray& native) {
  qsizetype cut = native.lastIndexOf('/');
  if (cut < 0) return native;
  QByteArray folder = native.left(cut);
  QByteArray program_folder = QByteArray::fromStdString(ProgramDirectory());
  if (folder != program_folder) return native;
  if (access(native.constData(), F_OK) == 0) return native;
  bool writable = access(folder.isEmpty() ? "/" : folder.constData(), W_OK) == 0;
  if (writable && !InstalledProgramFolder(folder)) return native;
  QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (config.isEmpty()) return native;
  return QFile::encodeName(config) + native.mid(cut);
}
