// MPRIS 2 on the session bus: one object, /org/mpris/MediaPlayer2, under the bus name
// org.mpris.MediaPlayer2.tazmel_mp3 (a second player adds ".instance<pid>").
#include "platform/desktop/media_controls.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QPointer>
#include <QWidget>

#include "platform/audio/playback_status.h"
#include "platform/desktop/mpris_adaptors.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/window.h"

namespace desktop {
namespace {
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
}  // namespace

class MediaPlayer : public QObject {
 public:
  MediaPlayer(toolkit::Window& window, MediaControls controls)
      : QObject(window.Widget()), window_(window), controls_(std::move(controls)) {
    new RootAdaptor(this);
    new PlayerAdaptor(this);
    title_ = Title();
  }

  bool Register() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) return false;
    QString name = QStringLiteral("org.mpris.MediaPlayer2.tazmel_mp3");
    if (!bus.registerService(name)) {
      name += QStringLiteral(".instance%1").arg(getpid());
      if (!bus.registerService(name)) {
        bus.unregisterObject(kObjectPath);
        return false;
      }
    }
    service_ = name;
    return true;
  }

  void Unregister() {
    if (service_.isEmpty()) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(service_);
    bus.unregisterObject(kObjectPath);
    service_.clear();
  }

  // A call from the bus runs its handler as a click would.
  void Run(const std::function<void()>& handler) {
    if (window_.Destroyed()) return;
    toolkit::Deliver(handler);
  }

  const MediaControls& Controls() const { return controls_; }

  void Raise() {
    Run(controls_.raise);
    if (window_.Destroyed() || !window_.Visible()) return;
    window_.Widget()->raise();
    window_.Widget()->activateWindow();
  }

  QString Status() const {
    switch (CurrentPlaybackStatus()) {
      case PlaybackStatus::kPlaying:
        return QStringLiteral("Playing");
      case PlaybackStatus::kPaused:
        return QStringLiteral("Paused");
      case PlaybackStatus::kStopped:
        break;
    }
    return QStringLiteral("Stopped");
  }

  QVariantMap Metadata() const {
    QString track = QStringLiteral("/local/tazmel/TazmelMP3/track/%1").arg(track_);
    return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(track))},
            {QStringLiteral("xesam:title"), title_}};
  }

  // Tells the bus what changed since it was last told. Runs after the handler that changed the
  // status has finished, so a new song's title is already on the label.
  void Refresh() {
    if (service_.isEmpty()) return;
    QVariantMap changed;
    QString status = Status();
    if (status != sent_status_) {
      sent_status_ = status;
      changed.insert(QStringLiteral("PlaybackStatus"), status);
    }
    QString title = Title();
    if (title != title_) {
      title_ = title;
      ++track_;
      changed.insert(QStringLiteral("Metadata"), Metadata());
    }
    if (changed.isEmpty()) return;
    QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
  }

 private:
  // The label's text as it shows it: a lone "&" marks a mnemonic and is not shown.
  QString Title() const { return controls_.title ? controls_.title->Widget()->accessibleName() : QString(); }

  toolkit::Window& window_;
  const MediaControls controls_;
  QString service_;
  QString sent_status_ = QStringLiteral("Stopped");
  QString title_;
  int track_ = 0;
};

RootAdaptor::RootAdaptor(MediaPlayer* player) : QDBusAbstractAdaptor(player), player_(player) {}
QString RootAdaptor::Identity() const { return QCoreApplication::applicationName(); }
QString RootAdaptor::DesktopEntry() const { return QStringLiteral("tazmel-mp3"); }
QStringList RootAdaptor::SupportedMimeTypes() const { return {QStringLiteral("audio/mpeg")}; }
void RootAdaptor::Raise() { player_->Raise(); }
void RootAdaptor::Quit() { player_->Run(player_->Controls().quit); }

PlayerAdaptor::PlayerAdaptor(MediaPlayer* player) : QDBusAbstractAdaptor(player), player_(player) {}
QString PlayerAdaptor::PlaybackStatus() const { return player_->Status(); }
QVariantMap PlayerAdaptor::Metadata() const { return player_->Metadata(); }
void PlayerAdaptor::Play() { player_->Run(player_->Controls().play); }
void PlayerAdaptor::Pause() { player_->Run(player_->Controls().pause); }
void PlayerAdaptor::PlayPause() {
  bool playing = CurrentPlaybackStatus() == ::PlaybackStatus::kPlaying;
  player_->Run(playing ? player_->Controls().pause : player_->Controls().play);
}
void PlayerAdaptor::Stop() { player_->Run(player_->Controls().pause); }
void PlayerAdaptor::Next() { player_->Run(player_->Controls().next); }
void PlayerAdaptor::Previous() { player_->Run(player_->Controls().previous); }
void PlayerAdaptor::Seek(qlonglong) {}
void PlayerAdaptor::SetPosition(const QDBusObjectPath&, qlonglong) {}
void PlayerAdaptor::OpenUri(const QString&) {}

}  // namespace desktop

void OfferMediaControls(toolkit::Window& window, MediaControls controls) {
  auto* player = new desktop::MediaPlayer(window, std::move(controls));
  if (!player->Register()) {
    delete player;
    return;
  }
  QPointer<desktop::MediaPlayer> watched(player);
  // From any thread: the bus is told on the user-interface thread, once the handler that
  // changed the status has finished.
  WatchPlaybackStatus([watched] {
    QMetaObject::invokeMethod(qApp, [watched] {
      if (watched) watched->Refresh();
    }, Qt::QueuedConnection);
  });
  window.WhenDestroyed([watched] {
    if (watched) watched->Unregister();
  });
}
