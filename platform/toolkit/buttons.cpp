// Button and RadioBox: push buttons; a radio is a checkable one in its window's exclusive group.
#include <QAbstractButton>

#include "platform/toolkit/controls.h"

namespace toolkit {
namespace {
Text CaptionOf(QWidget* widget) {
  return static_cast<QAbstractButton*>(widget)->text().toStdString();
}
}  // namespace

Text Button::Caption() const { return CaptionOf(Widget()); }
Text RadioBox::Caption() const { return CaptionOf(Widget()); }
bool RadioBox::Checked() const { return static_cast<QAbstractButton*>(Widget())->isChecked(); }

}  // namespace toolkit
