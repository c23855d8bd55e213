#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "form/catalogue.h"

class QWidget;

namespace app {

// Fonts, colours and the thin single-line border of the form's components.
QFont fontOf(const form::Font& font);
QColor colourOf(form::Colour colour);
// The thin single-line border of fields, boxes and panels.
void drawThinBorder(QWidget& widget);
// The thin border, or a red frame where the field's text does not hold.
void drawFieldBorder(QWidget& widget, bool problem);

// The looks of the form's components. Most components wear the window's font
// and colours: they inherit them from their container, which is far cheaper
// than giving each of several hundred widgets a font and a palette of its own
// (every font or palette set on a widget is resolved, propagated and answered
// with a change event). The few other looks are made once and shared by every
// widget that wears them.
class ComponentLooks {
 public:
  // Gives the form's content the window's look, which its components inherit.
  void applyWindowLook(QWidget& content);
  // Gives a widget the catalogue's font, text colour and background where they
  // differ from those of the container it stands in (nullptr: the window's).
  void apply(QWidget& widget, const form::Component& component, const form::Component* container);

 private:
  const QFont& sharedFont(const form::Font& font);
  const QPalette& sharedPalette(form::Colour text, form::Colour background);

  std::map<std::tuple<std::string, int, bool, bool>, QFont> fonts_;
  std::map<std::pair<form::Colour, form::Colour>, QPalette> palettes_;
};

}  // namespace app
