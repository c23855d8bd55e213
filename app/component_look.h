#pragma once

#include <QColor>
#include <QFont>

#include "form/catalogue.h"

class QWidget;

namespace app {

// Fonts, colours and the thin single-line border of the form's components.
QFont fontOf(const form::Font& font);
QColor colourOf(form::Colour colour);
// Gives a widget the catalogue's font, text colour and background.
void applyLook(QWidget& widget, const form::Component& component);
// The thin single-line border of fields, boxes and panels.
void drawThinBorder(QWidget& widget);

}  // namespace app
