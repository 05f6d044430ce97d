#pragma once

#include "core/app/ProgramState.h"

#include <QColor>

class QPalette;
class QWidget;

namespace ortolino {

// A stored colour as Qt sees it: &HBBGGRR values directly, system colour codes
// (&H80000000 + index) through the application's palette.
QColor qtColor(Colore value);

// The stored form (&HBBGGRR) of a colour.
Colore storedColor(const QColor& color);

// The scan's highlight: the child's own colour for it, or the marked key's
// colour (ColoreBottoneSelezionato).
QColor highlightColor(const ProgramState& state);
// How far the highlight stands out from the keys (ColoreBottoni), as a
// contrast ratio; below kHighlightContrastMin a child may lose the scan.
double highlightContrast(const ProgramState& state);
inline constexpr double kHighlightContrastMin = 3.0;
// The least contrast between the word's text colour and its background at
// which a child reads the word (large text).
inline constexpr double kTextContrastMin = 3.0;

// The contrast ratio of two colours (1 to 21).
double contrastRatio(const QColor& first, const QColor& second);
// A colour taken `percent` of the way from one colour to another.
QColor mixed(const QColor& from, const QColor& to, int percent);

// Gives the texts drawn on a background the program paints (captions,
// labels, buttons' captions; not the text of lists and text boxes, which
// keep the desktop's own background) the colour that reads on it, greyed
// when disabled. The desktop's text colour suits only the desktop's own
// background: a dark desktop gives light text.
void setReadableText(QPalette& palette, const QColor& background);

// Paints a widget's background (and keeps it painted when it is a container)
// and, unless a text colour was chosen for it, its texts readable on it.
void setBackground(QWidget* widget, const QColor& color);
QColor background(const QWidget* widget);

// Paints a widget's text.
void setForeground(QWidget* widget, const QColor& color);

} // namespace ortolino
