#pragma once

#include <functional>
#include <QAccessible>
#include <QString>

class QLabel;
class QWidget;

namespace ortolino {

// What assistive technology (a screen reader, switch-access software) learns
// about Ortolino's windows. Qt's own controls describe themselves; these
// helpers give Ortolino's own controls a role and every control a name in the
// program's language.

// Installs the descriptions of Ortolino's own controls: a ClickLabel is a
// button named by its caption, or by its tooltip when it shows a picture; a
// PictureBox is a graphic, named only by what the window sets as its
// accessible name; a text marked live (markLive) is an alert whose name is its
// text. Idempotent; every window's construction calls it.
void installAccessibleControls();

// Names the controls that show no caption of their own (pictures, lists,
// combo boxes, the switch boxes) by their tooltip, which the language file
// translates. Runs after each translation, so names follow the language.
void nameCaptionlessControls(QWidget* window);

// Ties a label to the control it describes, so that a screen reader reads the
// label as the control's name (its buddy, as for a mnemonic).
void tieLabel(QLabel* label, QWidget* control);

// The scan now highlights this control. The keyboard focus stays on the
// switch box, so assistive technology hears the move as a focus change to the
// control, and a screen reader speaks it.
void announceScanned(QWidget* control);

// A text that shows up by itself (the speech balloon): assistive technology
// sees it as an alert whose name is the text, and hears each new text.
void markLive(QWidget* widget);
void announceLiveText(QWidget* widget, const QString& text);

// Hears every announcement above besides assistive technology (which Qt
// reaches only while a screen reader listens): tests record them. An empty
// function stops listening.
using AnnouncementListener = std::function<void(QObject* target, QAccessible::Event event)>;
void setAnnouncementListener(AnnouncementListener listener);

} // namespace ortolino
