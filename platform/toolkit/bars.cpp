// HScrollBar (volume bar) and SliderBar (progress slider).
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <qdrawutil.h>

#include "platform/toolkit/events.h"
#include "platform/toolkit/widgets.h"

namespace toolkit {

int HScrollBar::Position() const { return static_cast<QScrollBar*>(Widget())->value(); }
int HScrollBar::MaxPosition() const { return static_cast<QScrollBar*>(Widget())->maximum(); }

void SliderWidget::paintEvent(QPaintEvent* e) {
  QSlider::paintEvent(e);
  QPainter painter(this);
  qDrawShadePanel(&painter, rect(), palette(), false, 1);
}

SliderBar::SliderBar(std::string name, QWidget* widget) : Control(std::move(name), widget) {
  stored_ = static_cast<QSlider*>(widget)->value();
}

void SliderBar::SetPosition(int value) {
  auto* slider = static_cast<QSlider*>(Widget());
  stored_ = std::clamp(value, 0, 32767);
  // setValue, unlike setSliderPosition, raises no slider action, so no PositionChanged.
  slider->setValue(std::clamp(stored_, slider->minimum(), slider->maximum()));
}

void SliderBar::StoreThumbAndNotify() {
  stored_ = static_cast<QSlider*>(Widget())->sliderPosition();
  Deliver(PositionChanged);
}

}  // namespace toolkit
