// The Qt widgets behind the control kinds. Platform-private: each widget knows the control that
// owns it and turns Qt's notifications into that control's events.
#pragma once

#include <QDeadlineTimer>
#include <QEvent>
#include <QListView>
#include <QMargins>
#include <QPixmap>
#include <QPoint>
#include <QSlider>
#include <QTimer>
#include <QWidget>

#include "platform/toolkit/controls.h"
#include "platform/toolkit/song_list_model.h"
#include "platform/toolkit/window_template.h"

namespace toolkit {

class Window;

// A progress report on its way from a service thread to a Label.
class FeedbackEvent : public QEvent {
 public:
  static const QEvent::Type kType;
  FeedbackEvent(int value, int extra) : QEvent(kType), value(value), extra(extra) {}
  const int value, extra;
};

class LabelWidget : public QWidget {
 public:
  LabelWidget(QWidget* parent, const Fill& fill);
  Label* owner = nullptr;

 protected:
  void paintEvent(QPaintEvent*) override;
  bool event(QEvent* e) override;

 private:
  Fill fill_;
};

class TransLabelWidget : public QWidget {
 public:
  explicit TransLabelWidget(QWidget* parent) : QWidget(parent) {}
  QByteArray caption;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// Raises ListItemSelected for the user's selections only; the program's writes go around it.
class ListWidget : public QListView {
 public:
  explicit ListWidget(QWidget* parent);
  ListBox* owner = nullptr;
  int SelectedRow() const;
  SongListModel& Songs() const { return *songs_; }

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  SongListModel* songs_;  // a child of the widget
};

class SliderWidget : public QSlider {
 public:
  explicit SliderWidget(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* e) override;
};

// The top-level window: fixed outer size including the frame the window manager draws,
// background picture stretched over the client area, Esc closes.
class WindowWidget : public QWidget {
 public:
  WindowWidget(Window& owner, const WindowTemplate& description);
  void CentreOnScreen();
  // While hidden, checks every second that the tray is still there to bring the window back.
  void WatchTray();
  void HoldCentreWhileRestoring();

 protected:
  void paintEvent(QPaintEvent*) override;
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void showEvent(QShowEvent* e) override;
  void FitFrame();
  void NoticeMove();

  Window& owner_;
  QSize outer_;
  QString background_path_;
  QPixmap background_;
  QMargins frame_;
  QPoint last_position_;
  bool fitting_ = false;
  QTimer* tray_watch_ = nullptr;
  QDeadlineTimer centre_until_;
};

}  // namespace toolkit
