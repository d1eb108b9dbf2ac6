// The two MPRIS 2 interfaces of the player's object on the session bus. They only forward:
// MediaPlayer answers the calls and keeps the properties.
#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

namespace desktop {

class MediaPlayer;

class RootAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(bool CanQuit READ CanQuit)
  Q_PROPERTY(bool CanRaise READ CanRaise)
  Q_PROPERTY(bool HasTrackList READ HasTrackList)
  Q_PROPERTY(QString Identity READ Identity)
  Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
  Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)

 public:
  explicit RootAdaptor(MediaPlayer* player);
  bool CanQuit() const { return true; }
  bool CanRaise() const { return true; }
  bool HasTrackList() const { return false; }
  QString Identity() const;
  QString DesktopEntry() const;
  QStringList SupportedUriSchemes() const { return {}; }
  QStringList SupportedMimeTypes() const;

 public Q_SLOTS:
  void Raise();
  void Quit();

 private:
  MediaPlayer* player_;
};

class PlayerAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
  Q_PROPERTY(QVariantMap Metadata READ Metadata)
  Q_PROPERTY(double Rate READ Rate)
  Q_PROPERTY(double MinimumRate READ Rate)
  Q_PROPERTY(double MaximumRate READ Rate)
  Q_PROPERTY(bool CanGoNext READ CanControl)
  Q_PROPERTY(bool CanGoPrevious READ CanControl)
  Q_PROPERTY(bool CanPlay READ CanControl)
  Q_PROPERTY(bool CanPause READ CanControl)
  Q_PROPERTY(bool CanSeek READ CanSeek)
  Q_PROPERTY(bool CanControl READ CanControl)

 public:
  explicit PlayerAdaptor(MediaPlayer* player);
  QString PlaybackStatus() const;
  QVariantMap Metadata() const;
  double Rate() const { return 1.0; }
  bool CanSeek() const { return false; }
  bool CanControl() const { return true; }

 public Q_SLOTS:
  void Play();
  void Pause();
  void PlayPause();
  void Stop();
  void Next();
  void Previous();
  // The player seeks by its own slider only; these are accepted and do nothing.
  void Seek(qlonglong offset);
  void SetPosition(const QDBusObjectPath& track, qlonglong position);
  void OpenUri(const QString& uri);

 Q_SIGNALS:
  void Seeked(qlonglong position);

 private:
  MediaPlayer* player_;
};

}  // namespace desktop
