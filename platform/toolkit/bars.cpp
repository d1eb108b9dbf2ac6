// HScrollBar (volume bar) and SliderBar (progress slider).
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QScrollBar>
#include <algorithm>
#include <qdrawutil.h>

#include "platform/toolkit/events.h"
#include "platform/toolkit/widgets.h"

namespace toolkit {

int HScrollBar::Position() const { return static_cast<QScrollBar*>(Widget())->value(); }
int HScrollBar::MaxPosition() const { return static_cast<QScrollBar*>(Widget())->maximum(); }

namespace {
// A thumb 22 pixels long leaves 266 of the slider's 288 pixels for its travel: a press at x puts
// the thumb at x × 100 ÷ 266 right under the pointer, so the slider then takes the press as a
// grab of the thumb.
class SliderStyle : public QProxyStyle {
 public:
  SliderStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_SliderLength) return 22;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};
}  // namespace

SliderWidget::SliderWidget(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  auto* style = new SliderStyle;
  style->setParent(this);
  setStyle(style);
}

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
