#include "platform/toolkit/visual_style.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace toolkit {
namespace {

struct Scheme {
  QColor edge;        // border of edit boxes and combo box lists
  QColor outline;     // border of buttons, check boxes and radio buttons
  QColor face_light;  // top of a button face
  QColor face_dark;   // bottom of a button face
  QColor pressed;     // face of a pressed or checked button
};

const Scheme kSchemes[3] = {
    {QColor(123, 158, 189), QColor(0, 60, 116), QColor(255, 255, 255), QColor(214, 226, 244),
     QColor(176, 200, 236)},
    {QColor(164, 185, 127), QColor(55, 98, 6), QColor(255, 255, 246), QColor(222, 228, 196),
     QColor(190, 206, 150)},
    {QColor(198, 197, 215), QColor(118, 116, 146), QColor(255, 255, 255), QColor(226, 226, 236),
     QColor(200, 200, 216)},
};

// Fusion, with the faces and borders of standard controls drawn in a scheme's colours.
class SchemeStyle : public QProxyStyle {
 public:
  explicit SchemeStyle(int scheme)
      : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), scheme_(kSchemes[scheme - 1]) {
    setObjectName(QStringLiteral("tazmel-scheme-%1").arg(scheme));
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    switch (element) {
      case PE_PanelButtonCommand:
        DrawFace(option, painter);
        return;
      case PE_FrameLineEdit:
      case PE_FrameGroupBox:
        DrawEdge(option->rect, painter);
        return;
      case PE_IndicatorCheckBox:
      case PE_IndicatorRadioButton:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, element == PE_IndicatorRadioButton);
        painter->setPen(scheme_.outline);
        painter->setBrush(Qt::NoBrush);
        if (element == PE_IndicatorRadioButton)
          painter->drawEllipse(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
        else
          painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
      default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
  }

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                          const QWidget* widget) const override {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox || control == CC_SpinBox) DrawEdge(option->rect, painter);
  }

 private:
  void DrawEdge(const QRect& rect, QPainter* painter) const {
    painter->save();
    painter->setPen(scheme_.edge);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
  }

  void DrawFace(const QStyleOption* option, QPainter* painter) const {
    bool down = option->state & (State_Sunken | State_On);
    bool hover = option->state & State_MouseOver;
    QRectF r = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    if (down) {
      face.setColorAt(0, scheme_.pressed.darker(108));
      face.setColorAt(1, scheme_.pressed);
    } else {
      face.setColorAt(0, scheme_.face_light);
      face.setColorAt(1, hover ? scheme_.face_dark.lighter(104) : scheme_.face_dark);
    }
    QPainterPath shape;
    shape.addRoundedRect(r, 3, 3);
    painter->fillPath(shape, face);
    painter->setPen(option->state & State_HasFocus ? scheme_.outline.lighter(150) : scheme_.outline);
    painter->drawPath(shape);
    painter->restore();
  }

  Scheme scheme_;
};

int current_scheme = 0;

}  // namespace

bool ApplyVisualStyle(int scheme) {
  if (scheme >= 1 && scheme <= 3) {
    // Switching on first switches any scheme off, then the new one covers every widget there is
    // and every one made later.
    QApplication::setStyle(new SchemeStyle(scheme));
    current_scheme = scheme;
    return true;
  }
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  current_scheme = 0;
  return false;
}

int CurrentVisualScheme() { return current_scheme; }

}  // namespace toolkit
