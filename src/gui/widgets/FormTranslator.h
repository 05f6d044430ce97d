#pragma once

class QWidget;

namespace ortolino {

class Language;

// Translates a window and all its controls from the current language file:
// the section is the window's name; keys are "name.Caption", "name(3).Caption",
// ".ToolTipText", ".Tag" and "name.TabCaption(i)". Controls, tabs and the
// window's title keep their design texts where the file has no entry; the
// window's own tag does not.
void MLSLoadFormStrings(QWidget* window, const Language& language);

} // namespace ortolino
