// Calls one method of a player's MPRIS 2 interface on the session bus and prints the moment it
// was sent (CLOCK_MONOTONIC, ms), so that the first sound that follows can be timed against it.
// The connection is made before the clock is read: only the call itself is timed.
// Usage: mpris_call PLAYER METHOD      (PLAYER as in org.mpris.MediaPlayer2.PLAYER)
#include <time.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PLAYER METHOD\n", argv[0]);
    return 2;
  }
  QCoreApplication application(argc, argv);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    std::fprintf(stderr, "no session bus\n");
    return 1;
  }
  QString method = QString::fromUtf8(argv[2]);
  QString interface = method == QLatin1String("Raise") || method == QLatin1String("Quit")
                          ? QStringLiteral("org.mpris.MediaPlayer2")
                          : QStringLiteral("org.mpris.MediaPlayer2.Player");
  QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.mpris.MediaPlayer2.") + QString::fromUtf8(argv[1]),
                                                     QStringLiteral("/org/mpris/MediaPlayer2"), interface, method);
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
  std::printf("%.3f\n", t.tv_sec * 1e3 + t.tv_nsec / 1e6);
  return reply.type() == QDBusMessage::ReplyMessage ? 0 : 1;
}
