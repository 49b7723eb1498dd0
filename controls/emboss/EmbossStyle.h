#pragma once
// The three-dimensional look for standard dialog controls: frames, edit fields, group boxes,
// check boxes and radio buttons get sunken or raised bevels in the button face's light and
// shadow colours, drawn over the application's own style.
#include <QFrame>
#include <QProxyStyle>

namespace tarkel::controls {

class EmbossStyle final : public QProxyStyle {
  Q_OBJECT
 public:
  EmbossStyle();
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

  // The one instance the library hands out; lives until the application ends.
  static EmbossStyle* Shared();
};

// Gives `widget` and every widget inside it the embossed look.
void Emboss(QWidget* widget);

// The "Emboss" control: a panel with a raised bevel whose child controls (those present and
// those added later) take the embossed look.
class EmbossPanel final : public QFrame {
  Q_OBJECT
 public:
  explicit EmbossPanel(QWidget* parent = nullptr);

 protected:
  bool event(QEvent* event) override;
};

}  // namespace tarkel::controls
