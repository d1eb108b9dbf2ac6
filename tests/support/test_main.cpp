// Test binaries draw offscreen unless a test asks for the real X server of the headless bench.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <QString>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

// The toolkit's warnings (an offscreen platform that cannot size windows, say) would mix with
// what death tests read from a child's stderr; only its criticals are worth seeing.
static void QuietQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "qt: %s\n", qPrintable(message));
}

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietQtWarnings);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
  qputenv("LANG", QByteArray("C.UTF-8"));
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    QByteArray folder = "/tmp/tazmel-test-run-" + QByteArray::number(getuid());
    mkdir(folder.constData(), 0700);
    qputenv("XDG_RUNTIME_DIR", folder);
  }
  std::setlocale(LC_ALL, "C.UTF-8");
  testing::InitGoogleTest(&argc, argv);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  return RUN_ALL_TESTS();
}
