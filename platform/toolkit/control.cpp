// What every control shares: LeftMousePressed, raised before the widget sees the press.
#include <QMouseEvent>
#include <QObject>
#include <QWidget>

#include "platform/toolkit/controls.h"
#include "platform/toolkit/events.h"

namespace toolkit {
namespace {

int KeysHeld(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ControlModifier ? 1 : 0) + (modifiers & Qt::ShiftModifier ? 2 : 0) +
         (modifiers & Qt::AltModifier ? 4 : 0);
}

// Sees a widget's mouse presses before the widget does; never takes them away from it.
class PressFilter : public QObject {
 public:
  explicit PressFilter(Control& control) : QObject(control.Widget()), control_(control) {}

  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
      auto* press = static_cast<QMouseEvent*>(e);
      if (press->button() == Qt::LeftButton) {
        QPoint at = press->position().toPoint();
        Deliver(control_.LeftMousePressed, at.x(), at.y(), KeysHeld(press->modifiers()));
      }
    }
    return false;
  }

 private:
  Control& control_;
};

}  // namespace

Control::Control(std::string name, QWidget* widget) : Component(std::move(name)), widget_(widget) {
  widget_->setObjectName(QString::fromStdString(Name()));
  widget_->installEventFilter(new PressFilter(*this));
}

Control::~Control() = default;

}  // namespace toolkit
