#pragma once

#include "core/app/ProgramState.h"

#include <QColor>

class QWidget;

namespace ortolino {

// A stored colour as Qt sees it: &HBBGGRR values directly, system colour codes
// (&H80000000 + index) through the application's palette.
QColor qtColor(Colore value);

// The stored form (&HBBGGRR) of a colour.
Colore storedColor(const QColor& color);

// Paints a widget's background (and keeps it painted when it is a container).
void setBackground(QWidget* widget, const QColor& color);
QColor background(const QWidget* widget);

// Paints a widget's text.
void setForeground(QWidget* widget, const QColor& color);

} // namespace ortolino
