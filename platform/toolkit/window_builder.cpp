#include "platform/toolkit/window_builder.h"

#include <QFont>
#include <QPushButton>
#include <QScrollBar>

#include "platform/mixer/sys_volume.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/widgets.h"

namespace toolkit {
namespace {

void ApplyFont(QWidget* widget, const FontSpec& wanted) {
  if (wanted.height == 0) return;  // the default user-interface font
  QFont font = widget->font();
  if (*wanted.face) font.setFamily(QString::fromUtf8(wanted.face));
  font.setPixelSize(wanted.height);
  font.setWeight(QFont::Normal);
  widget->setFont(font);
}

QPushButton* MakePushButton(QWidget* parent, const ControlTemplate& row) {
  auto* button = new QPushButton(QString::fromUtf8(row.text), parent);
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setFocusPolicy(Qt::StrongFocus);
  return button;
}

// The window's radios form one group: checking one unchecks the others, and clicking the checked
// one leaves it checked. Unlike a QButtonGroup, each radio stays a tab stop of its own.
class RadioGroup : public QObject {
 public:
  using QObject::QObject;
  void Join(QPushButton* radio) {
    members_.push_back(radio);
    connect(radio, &QPushButton::clicked, this, [this, radio] {
      for (QPushButton* member : members_) member->setChecked(member == radio);
    });
  }

 private:
  std::vector<QPushButton*> members_;
};

std::unique_ptr<Component> MakeControl(Window& window, RadioGroup& radios, const ControlTemplate& row) {
  QWidget* parent = window.Widget();
  std::string name = row.name;
  switch (row.kind) {
    case ControlKind::Label: {
      auto* widget = new LabelWidget(parent, row.fill);
      auto label = std::make_unique<Label>(name, widget);
      widget->owner = label.get();
      return label;
    }
    case ControlKind::TransLabel: {
      auto* widget = new TransLabelWidget(parent);
      auto label = std::make_unique<TransLabel>(name, widget);
      label->SetCaption(row.text);
      return label;
    }
    case ControlKind::Button: {
      auto* widget = MakePushButton(parent, row);
      auto button = std::make_unique<Button>(name, widget);
      Button* raw = button.get();
      // clicked() comes from the mouse (press and release over it) and from the keyboard.
      QObject::connect(widget, &QPushButton::clicked, [raw] { Deliver(raw->Clicked); });
      return button;
    }
    case ControlKind::RadioBox: {
      auto* widget = MakePushButton(parent, row);
      widget->setCheckable(true);
      widget->setChecked(row.checked);
      radios.Join(widget);
      return std::make_unique<RadioBox>(name, widget);
    }
    case ControlKind::ListBox: {
      auto* widget = new ListWidget(parent);
      auto list = std::make_unique<ListBox>(name, widget);
      widget->owner = list.get();
      return list;
    }
    case ControlKind::HScrollBar: {
      auto* widget = new QScrollBar(Qt::Horizontal, parent);
      widget->setRange(row.range.minimum, row.range.maximum);
      widget->setSingleStep(row.range.line);
      widget->setPageStep(row.range.page);
      widget->setValue(row.range.position);
      widget->setTracking(true);
      widget->setFocusPolicy(Qt::NoFocus);
      auto bar = std::make_unique<HScrollBar>(name, widget);
      HScrollBar* raw = bar.get();
      // The program never writes this bar, so every change of value is the user's.
      QObject::connect(widget, &QScrollBar::valueChanged, [raw] { Deliver(raw->PositionChanged); });
      return bar;
    }
    case ControlKind::SliderBar: {
      auto* widget = new SliderWidget(parent);
      widget->setRange(row.range.minimum, row.range.maximum);
      widget->setSingleStep(row.range.line);
      widget->setPageStep(row.range.page);
      widget->setValue(row.range.position);
      widget->setTickPosition(QSlider::NoTicks);
      widget->setFocusPolicy(Qt::StrongFocus);
      auto slider = std::make_unique<SliderBar>(name, widget);
      SliderBar* raw = slider.get();
      // Every slider action (keys, pages, drag steps) and the release of the thumb notify;
      // the program's writes use setValue, which raises no action.
      QObject::connect(widget, &QSlider::actionTriggered, [raw] { raw->StoreThumbAndNotify(); });
      QObject::connect(widget, &QSlider::sliderReleased, [raw] { raw->StoreThumbAndNotify(); });
      return slider;
    }
    case ControlKind::SysVolume:
      return std::make_unique<SysVolume>(name);
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<Window> BuildWindow(const WindowTemplate& description) {
  SuppressionScope quiet;
  auto window = std::make_unique<Window>(description);
  QWidget* top = window->Widget();
  auto* radios = new RadioGroup(top);
  for (const ControlTemplate& row : description.controls) {
    std::unique_ptr<Component> component = MakeControl(*window, *radios, row);
    if (auto* control = dynamic_cast<Control*>(component.get())) {
      QWidget* widget = control->Widget();
      widget->setGeometry(row.left, row.top, row.width, row.height);
      ApplyFont(widget, row.font);
      if (row.kind == ControlKind::Label || row.kind == ControlKind::TransLabel)
        widget->setFocusPolicy(Qt::NoFocus);
      // Screen readers read captions; the controls without one are known by their name.
      if (row.kind == ControlKind::ListBox || row.kind == ControlKind::HScrollBar ||
          row.kind == ControlKind::SliderBar)
        widget->setAccessibleName(QString::fromUtf8(row.name));
      widget->lower();  // each control lies beneath every one listed before it
      widget->setVisible(row.visible);
    }
    window->Add(std::move(component));
  }
  return window;
}

}  // namespace toolkit
