#include "platform/toolkit/program_icon.h"

#include <QByteArray>
#include <QFile>

std::string_view ProgramIcon() {
  static const QByteArray bytes = [] {
    QFile file(QStringLiteral(":/assets/tazmel.ico"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }();
  return std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()));
}
