// The top-level window: its widget, its Visible and WindowState, centring, and its destruction.
#include "platform/toolkit/window.h"

#include <QCloseEvent>
#include <QFile>
#include <QIcon>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "platform/toolkit/events.h"
#include "platform/toolkit/life_cycle.h"
#include "platform/toolkit/life_cycle_private.h"
#include "platform/toolkit/icon_file.h"
#include "platform/toolkit/tray_icon.h"
#include "platform/toolkit/widgets.h"

namespace toolkit {

WindowWidget::WindowWidget(Window& owner, const WindowTemplate& description)
    : QWidget(nullptr,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      owner_(owner),
      outer_(description.outer_width, description.outer_height),
      background_path_(QString::fromUtf8(description.background)) {
  setObjectName(QString::fromUtf8(description.name));
  setWindowTitle(QString::fromUtf8(description.caption));
  setAttribute(Qt::WA_OpaquePaintEvent);
  QFile icon_file(QString::fromUtf8(description.icon));
  if (icon_file.open(QIODevice::ReadOnly)) {
    QByteArray bytes = icon_file.readAll();
    QIcon icon;
    for (const QImage& image : ReadAllIconImages(std::string_view(bytes.constData(), bytes.size())))
      icon.addPixmap(QPixmap::fromImage(image));
    setWindowIcon(icon);
  }
  setFixedSize(outer_);  // until the window manager tells its frame
  CentreOnScreen();
  last_position_ = pos();
}

void WindowWidget::CentreOnScreen() {
  // The whole primary screen and the outer rectangle; signed division truncates toward zero.
  QRect screen = QGuiApplication::primaryScreen()->geometry();
  QSize outer = frameGeometry().size();
  if (!isVisible()) outer = outer_;
  QPoint centre((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
  if (pos() != centre) move(centre);
}

void WindowWidget::WatchTray() {
  if (!tray_watch_) {
    tray_watch_ = new QTimer(this);
    tray_watch_->setInterval(1000);
    // The notification area went away while the window was hidden: show the window again.
    connect(tray_watch_, &QTimer::timeout, this, [this] {
      if (isVisible()) return tray_watch_->stop();
      if (!owner_.Destroyed() && !TrayCanBringBack(owner_)) {
        tray_watch_->stop();
        showNormal();
        raise();
        activateWindow();
      }
    });
  }
  tray_watch_->start();
}

void WindowWidget::paintEvent(QPaintEvent*) {
  // The picture stretched to the client area, kept only at that size: the 900 x 600 original
  // is read again from the program's resources if the client area ever changes.
  if (background_.size() != size()) {
    QImage original(background_path_);
    background_ = QPixmap::fromImage(
        original.isNull() ? original : original.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  QPainter painter(this);
  painter.fillRect(rect(), palette().button());
  painter.drawPixmap(0, 0, background_);
}

void WindowWidget::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(e);
}

void WindowWidget::closeEvent(QCloseEvent* e) {
  // No handler refuses a close request: it is always granted and destroys the window.
  e->accept();
  owner_.Destroy();
}

void WindowWidget::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  FitFrame();
  if (!centre_until_.hasExpired()) CentreOnScreen();
  NoticeMove();
}

void WindowWidget::HoldCentreWhileRestoring() {
  // The window manager places a window that comes back from minimised as it likes, after the
  // program has centred it; for a moment the window is put back in the centre.
  centre_until_ = QDeadlineTimer(1000);
}

void WindowWidget::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  FitFrame();
}

void WindowWidget::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  FitFrame();
}

void WindowWidget::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange) owner_.DeliverPositionChanged();
}

void WindowWidget::NoticeMove() {
  if (fitting_ || pos() == last_position_) return;
  last_position_ = pos();
  owner_.DeliverPositionChanged();
}

void WindowWidget::FitFrame() {
  // Once the window manager has framed the window, the client area is what the fixed outer
  // size leaves inside the frame. The frame's top-left corner does not move.
  if (fitting_ || !isVisible()) return;
  QMargins frame(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                 frameGeometry().right() - geometry().right(),
                 frameGeometry().bottom() - geometry().bottom());
  // A frame of nothing is what an unmapped window reports: it keeps the frame known last.
  if (frame == frame_ || frame.isNull()) return;
  bool first = frame_.isNull();
  frame_ = frame;
  fitting_ = true;
  setFixedSize(outer_.width() - frame.left() - frame.right(), outer_.height() - frame.top() - frame.bottom());
  // Created centred: with the frame now known, centre the outer rectangle.
  if (first) CentreOnScreen();
  fitting_ = false;
  last_position_ = pos();
}

Window::Window(const WindowTemplate& description)
    : widget_(new WindowWidget(*this, description)) {}

Window::~Window() {
  RemoveTrayIcon(*this);
  components_.clear();
  delete widget_;
}

void Window::Add(std::unique_ptr<Component> component) { components_.push_back(std::move(component)); }

Component* Window::Find(std::string_view name) const {
  for (const auto& component : components_)
    if (component->Name() == name) return component.get();
  return nullptr;
}

void Window::MissingComponent(std::string_view) { ReportFatalError("载入启动窗口失败", 0); }

QWidget* Window::Widget() const { return widget_; }

bool Window::Visible() const { return widget_->isVisible(); }

void Window::SetVisible(bool visible) {
  if (destroyed_ || visible == widget_->isVisible()) return;
  if (visible) {
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
  } else if (TrayCanBringBack(*this)) {
    // Many desktops have no notification area: a window is hidden only where its tray icon can
    // bring it back; elsewhere a minimised window just stays minimised.
    widget_->hide();
    widget_->WatchTray();
  }
}

int Window::WindowState() const {
  Qt::WindowStates state = widget_->windowState();
  if (state & Qt::WindowMinimized) return 2;
  if (state & Qt::WindowMaximized) return 3;
  return 0;
}

void Window::SetWindowState(int state) {
  state = std::clamp(state, 0, 3);
  if (destroyed_) return;
  if (!widget_->isVisible()) {
    // Hidden: only stored, applied by the next show.
    static const Qt::WindowState kStored[] = {Qt::WindowNoState, Qt::WindowNoState, Qt::WindowMinimized,
                                              Qt::WindowMaximized};
    widget_->setWindowState(kStored[state]);
    return;
  }
  switch (state) {
    case 0:
      if (WindowState() != 0) widget_->showNormal();
      break;
    case 1:
      if (WindowState() != 0) {
        widget_->showNormal();
        widget_->HoldCentreWhileRestoring();
      }
      widget_->CentreOnScreen();
      break;
    case 2:
      widget_->showMinimized();
      break;
    case 3:
      widget_->showMaximized();
      break;
  }
}

void Window::ShowFirstTime() {
  widget_->show();
  widget_->activateWindow();
}

void Window::DeliverPositionChanged() {
  if (!destroyed_) Deliver(PositionChanged);
}

void Window::Destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  RemoveTrayIcon(*this);
  widget_->hide();
  for (auto& action : when_destroyed_) action();
  WindowDestroyed(*this);
}

}  // namespace toolkit
