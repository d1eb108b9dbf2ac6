#include "platform/files/native_path.h"

QByteArray NativePath(std::string_view path) {
  QByteArray native(path.data(), static_cast<qsizetype>(path.size()));
  native.replace('\\', '/');
  return native;
}
