#include "app/component_look.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace app {

QFont fontOf(const form::Font& font) {
  QFont f(QString::fromStdString(font.family));
  f.setPixelSize(font.pixelHeight);
  f.setBold(font.bold);
  f.setItalic(font.italic);
  return f;
}

QColor colourOf(form::Colour colour) {
  switch (colour) {
    case form::Colour::Maroon:
      return QColor(128, 0, 0);
    case form::Colour::Black:
      return QColor(0, 0, 0);
    case form::Colour::SystemWindow:
      return QApplication::palette().color(QPalette::Base);
    case form::Colour::ButtonFace:
      return QApplication::palette().color(QPalette::Button);
  }
  return QColor(0, 0, 0);
}

void applyLook(QWidget& widget, const form::Component& component) {
  widget.setFont(fontOf(component.font));
  QPalette palette = widget.palette();
  const QColor text = colourOf(component.font.colour);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::Window, colourOf(component.background));
  widget.setPalette(palette);
  if (component.background != form::Colour::ButtonFace) widget.setAutoFillBackground(true);
}

void drawThinBorder(QWidget& widget) {
  QPainter painter(&widget);
  painter.setPen(QColor(105, 105, 105));
  painter.drawRect(widget.rect().adjusted(0, 0, -1, -1));
}

}  // namespace app
