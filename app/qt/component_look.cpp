#include "app/qt/component_look.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace app {
namespace {

// The face every component shows unless the catalogue gives it another.
constexpr form::Colour kWindowBackground = form::Colour::ButtonFace;

bool sameFace(const form::Font& a, const form::Font& b) {
  return a.family == b.family && a.pixelHeight == b.pixelHeight && a.bold == b.bold &&
         a.italic == b.italic;
}

}  // namespace

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

void ComponentLooks::applyWindowLook(QWidget& content) {
  const form::Font window;
  content.setFont(sharedFont(window));
  content.setPalette(sharedPalette(window.colour, kWindowBackground));
}

void ComponentLooks::apply(QWidget& widget, const form::Component& component,
                           const form::Component* container) {
  const form::Font inheritedFont = container != nullptr ? container->font : form::Font{};
  const form::Colour inheritedBackground =
      container != nullptr ? container->background : kWindowBackground;
  if (!sameFace(component.font, inheritedFont)) widget.setFont(sharedFont(component.font));
  if (component.font.colour != inheritedFont.colour || component.background != inheritedBackground)
    widget.setPalette(sharedPalette(component.font.colour, component.background));
  if (component.background != kWindowBackground) widget.setAutoFillBackground(true);
}

const QFont& ComponentLooks::sharedFont(const form::Font& font) {
  const auto key = std::make_tuple(font.family, font.pixelHeight, font.bold, font.italic);
  auto it = fonts_.find(key);
  if (it == fonts_.end()) it = fonts_.emplace(key, fontOf(font)).first;
  return it->second;
}

// Only these four roles are the component's own; every other role still
// follows the window and the platform.
const QPalette& ComponentLooks::sharedPalette(form::Colour text, form::Colour background) {
  const auto key = std::make_pair(text, background);
  auto it = palettes_.find(key);
  if (it == palettes_.end()) {
    QPalette palette;
    const QColor textColour = colourOf(text);
    palette.setColor(QPalette::WindowText, textColour);
    palette.setColor(QPalette::Text, textColour);
    palette.setColor(QPalette::ButtonText, textColour);
    palette.setColor(QPalette::Window, colourOf(background));
    it = palettes_.emplace(key, palette).first;
  }
  return it->second;
}

void drawThinBorder(QWidget& widget) {
  QPainter painter(&widget);
  painter.setPen(QColor(105, 105, 105));
  painter.drawRect(widget.rect().adjusted(0, 0, -1, -1));
}

void drawFieldBorder(QWidget& widget, bool problem) {
  if (!problem) {
    drawThinBorder(widget);
    return;
  }
  QPainter painter(&widget);
  painter.setPen(QColor(255, 0, 0));
  painter.drawRect(widget.rect().adjusted(0, 0, -1, -1));
}

}  // namespace app
