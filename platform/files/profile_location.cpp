#include "platform/files/profile_location.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "platform/files/program_directory.h"

QByteArray ProfileLocation(const QByteArray& native) {
  qsizetype cut = native.lastIndexOf('/');
  if (cut < 0) return native;
  QByteArray folder = native.left(cut);
  QByteArray program_folder = QByteArray::fromStdString(ProgramDirectory());
  if (folder != program_folder) return native;
  if (access(native.constData(), F_OK) == 0) return native;
  if (access(folder.isEmpty() ? "/" : folder.constData(), W_OK) == 0) return native;
  QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (config.isEmpty()) return native;
  return QFile::encodeName(config) + native.mid(cut);
}
