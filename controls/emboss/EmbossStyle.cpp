#include "controls/emboss/EmbossStyle.h"

#include <QApplication>
#include <QChildEvent>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include "controls/ControlWidget.h"

namespace tarkel::controls {
namespace {

// A two-line bevel: sunken for fields and indicators, etched for group boxes.
void SunkenBevel(QPainter& painter, QRect r, const QPalette& colours) {
  DrawBevel(painter, r, 1, colours.color(QPalette::Dark), colours.color(QPalette::Light));
  DrawBevel(painter, r.adjusted(1, 1, -1, -1), 1, colours.color(QPalette::Shadow), colours.color(QPalette::Midlight));
}

void EtchedBevel(QPainter& painter, QRect r, const QPalette& colours) {
  DrawBevel(painter, r, 1, colours.color(QPalette::Dark), colours.color(QPalette::Light));
  DrawBevel(painter, r.adjusted(1, 1, -1, -1), 1, colours.color(QPalette::Light), colours.color(QPalette::Dark));
}

}  // namespace

EmbossStyle::EmbossStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

EmbossStyle* EmbossStyle::Shared() {
  static EmbossStyle* style = [] {
    auto* made = new EmbossStyle;
    made->setParent(qApp);
    return made;
  }();
  return style;
}

void EmbossStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
  switch (element) {
    case PE_FrameLineEdit:
    case PE_Frame:
      SunkenBevel(*painter, option->rect, option->palette);
      return;
    case PE_FrameGroupBox:
      EtchedBevel(*painter, option->rect, option->palette);
      return;
    case PE_IndicatorCheckBox:
    case PE_IndicatorRadioButton: {
      // The base style draws the mark; the bevel goes round it.
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      if (element == PE_IndicatorCheckBox) SunkenBevel(*painter, option->rect, option->palette);
      return;
    }
    default:
      QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
}

void Emboss(QWidget* widget) {
  if (!widget) return;
  widget->setStyle(EmbossStyle::Shared());
  for (QWidget* child : widget->findChildren<QWidget*>()) child->setStyle(EmbossStyle::Shared());
}

EmbossPanel::EmbossPanel(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  setStyle(EmbossStyle::Shared());
}

bool EmbossPanel::event(QEvent* event) {
  if (event->type() == QEvent::ChildPolished) {
    if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
        child && child->style() != EmbossStyle::Shared())
      Emboss(child);
  }
  return QFrame::event(event);
}

}  // namespace tarkel::controls
