#include "platform/toolkit/folder_picker.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include "platform/display_text.h"

Text BrowseForFolder(std::string_view prompt) {
  QPointer<QWidget> was_active = QApplication::activeWindow();
  QDialog picker(was_active);
  picker.setObjectName(QStringLiteral("folder-picker"));
  picker.setWindowTitle(DisplayText(prompt));
  picker.setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(&picker);
  auto* label = new QLabel(DisplayText(prompt), &picker);
  layout->addWidget(label);
  // Qt's own dialog, embedded: drawn in the program's visual style on every desktop.
  auto* folders = new QFileDialog(&picker, QString(), QStringLiteral("/"));
  folders->setWindowFlags(Qt::Widget);
  folders->setOption(QFileDialog::DontUseNativeDialog);
  folders->setOption(QFileDialog::ShowDirsOnly);
  folders->setFileMode(QFileDialog::Directory);
  folders->setAcceptMode(QFileDialog::AcceptOpen);
  layout->addWidget(folders);
  QObject::connect(folders, &QFileDialog::accepted, &picker, &QDialog::accept);
  QObject::connect(folders, &QFileDialog::rejected, &picker, &QDialog::reject);
  picker.resize(640, 420);

  Text chosen;
  if (picker.exec() == QDialog::Accepted && !folders->selectedFiles().isEmpty()) {
    QString path = QDir::cleanPath(folders->selectedFiles().first());
    QByteArray bytes = QFile::encodeName(path);
    if (bytes.size() > 1 && bytes.endsWith('/')) bytes.chop(1);
    chosen = Text(bytes.constData(), bytes.size());
  }
  if (was_active) {
    was_active->raise();
    was_active->activateWindow();
  }
  return chosen;
}
