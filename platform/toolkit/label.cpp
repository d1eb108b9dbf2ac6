// Label (opaque strip, report target) and TransLabel (text only, over what lies beneath).
#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>
#include <qdrawutil.h>

#include "platform/display_text.h"
#include "platform/toolkit/events.h"
#include "platform/toolkit/widgets.h"

namespace toolkit {

const QEvent::Type FeedbackEvent::kType = static_cast<QEvent::Type>(QEvent::registerEventType());

namespace {
QColor ToQColor(Colour c) { return QColor(c.red, c.green, c.blue); }
}  // namespace

LabelWidget::LabelWidget(QWidget* parent, const Fill& fill) : QWidget(parent), fill_(fill) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void LabelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect inside = rect();
  if (fill_.raised) {
    qDrawShadePanel(&painter, rect(), palette(), false, 1);
    inside = rect().adjusted(1, 1, -1, -1);
  }
  QLinearGradient gradient(inside.left(), 0, inside.right() + 1, 0);
  gradient.setColorAt(0.0, ToQColor(fill_.left));
  gradient.setColorAt(0.5, ToQColor(fill_.middle));
  gradient.setColorAt(1.0, ToQColor(fill_.right));
  painter.fillRect(inside, gradient);
}

bool LabelWidget::event(QEvent* e) {
  if (e->type() == FeedbackEvent::kType) {
    auto* report = static_cast<FeedbackEvent*>(e);
    if (owner) Deliver(owner->Feedback, report->value, report->extra);
    return true;
  }
  return QWidget::event(e);
}

void Label::SetCaption(std::string_view text) { caption_ = Text(text); }

void Label::PostFeedback(int value, int extra) {
  // postEvent is thread-safe; the widget lives until the platform's end, after every service
  // thread has stopped.
  QCoreApplication::postEvent(Widget(), new FeedbackEvent(value, extra));
}

void TransLabelWidget::paintEvent(QPaintEvent*) {
  if (caption.isEmpty()) return;
  QPainter painter(this);
  painter.setPen(Qt::black);
  painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                   DisplayText(std::string_view(caption.constData(), caption.size())));
}

Text TransLabel::Caption() const {
  const QByteArray& bytes = static_cast<TransLabelWidget*>(Widget())->caption;
  return Text(bytes.constData(), bytes.size());
}

void TransLabel::SetCaption(std::string_view text) {
  auto* label = static_cast<TransLabelWidget*>(Widget());
  label->caption = QByteArray(text.data(), static_cast<qsizetype>(text.size()));
  label->setAccessibleName(DisplayText(text).remove(QRegularExpression(QStringLiteral("&(?!&)"))));
  // Not opaque: Qt repaints the window and the controls beneath before the new text.
  label->update();
}

}  // namespace toolkit
