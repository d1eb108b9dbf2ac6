#include "platform/toolkit/tray_icon.h"

#include <QApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QWidget>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <map>
#include <memory>
#include <optional>

#include "platform/display_text.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/icon_file.h"

namespace toolkit {
namespace {

constexpr size_t kTipBytes = 62;

// At most one icon a window; user-interface thread only.
// Never destroyed: a window may still be taken down by the exit-time clean-up of a host.
std::map<const Window*, std::unique_ptr<QSystemTrayIcon>>& Icons() {
  static auto* icons = new std::map<const Window*, std::unique_ptr<QSystemTrayIcon>>;
  return *icons;
}

std::optional<QIcon> MakeIcon(std::string_view bytes) {
  auto entries = ReadIconDirectory(bytes);
  if (!entries) return std::nullopt;
  // The small-icon rule: a 16-pixel entry, else the last; once more preferring 32 pixels.
  for (int width : {16, 32}) {
    QImage image = ReadIconImage(bytes, (*entries)[ChooseIconEntry(*entries, width)]);
    if (!image.isNull()) return QIcon(QPixmap::fromImage(image));
  }
  return std::nullopt;
}

// On X11 the icon is a small widget of Qt's own in the tray. Its mouse events say what a
// report needs: the left button released (1), a double click (2), the right button released (3).
// Presses, moves and the middle button report nothing.
class TrayMouse : public QObject {
 public:
  TrayMouse(QObject* parent, Window& window) : QObject(parent), window_(window) {}
  bool eventFilter(QObject*, QEvent* e) override {
    switch (e->type()) {
      case QEvent::MouseButtonRelease: {
        auto button = static_cast<QMouseEvent*>(e)->button();
        if (button == Qt::LeftButton) Deliver(window_.TrayEvent, 1);
        if (button == Qt::RightButton) Deliver(window_.TrayEvent, 3);
        return true;
      }
      case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) Deliver(window_.TrayEvent, 2);
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::ContextMenu:
      case QEvent::Wheel:
        return true;
      default:
        return false;
    }
  }

 private:
  Window& window_;
};

// Qt's tray widget, where the tray is an X11 one (a desktop's D-Bus tray has none).
QWidget* TrayWidget() {
  for (QWidget* widget : QApplication::allWidgets())
    if (qstrcmp(widget->metaObject()->className(), "QSystemTrayIconSys") == 0) return widget;
  return nullptr;
}

// Where the icon has no widget of its own: Qt's reports, as near as they come.
void ReportAction(Window& window, QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      Deliver(window.TrayEvent, 1);
      break;
    case QSystemTrayIcon::DoubleClick:
      Deliver(window.TrayEvent, 2);
      break;
    case QSystemTrayIcon::Context:
      Deliver(window.TrayEvent, 3);
      break;
    default:
      break;
  }
}

}  // namespace

bool HasTrayIcon(const Window& window) { return Icons().count(&window) != 0; }

bool TrayCanBringBack(const Window& window) {
  return HasTrayIcon(window) && QSystemTrayIcon::isSystemTrayAvailable();
}

void RemoveTrayIcon(Window& window) { SetTrayIcon(window, nullptr); }

}  // namespace toolkit

void SetTrayIcon(toolkit::Window& window, const std::string_view* image, std::string_view tip) {
  using namespace toolkit;
  std::optional<QIcon> icon;
  if (image) icon = MakeIcon(*image);
  QString tip_text = tip.empty() ? QString() : DisplayText(tip.substr(0, std::min(tip.size(), kTipBytes)));
  auto& icons = Icons();
  auto found = icons.find(&window);
  if (found == icons.end()) {
    if (!icon) return;
    auto tray = std::make_unique<QSystemTrayIcon>(*icon);
    tray->setToolTip(tip_text);
    tray->show();
    if (QWidget* widget = TrayWidget()) {
      widget->installEventFilter(new TrayMouse(tray.get(), window));
    } else {
      QObject::connect(tray.get(), &QSystemTrayIcon::activated,
                       [&window](QSystemTrayIcon::ActivationReason reason) { ReportAction(window, reason); });
    }
    icons.emplace(&window, std::move(tray));
  } else if (icon) {
    found->second->setIcon(*icon);
    found->second->setToolTip(tip_text);
  } else {
    icons.erase(found);
  }
}
