#pragma once

#include <QString>

namespace ortolino {

class Language;

// The program's version, the one number set in CMake (project VERSION).
QString programVersion();

// Texts of the information window. The credit and the usage notice are the
// program's own; the language lines come from the keys "9996" to "9999".
QString testoRiconoscimenti();
QString testoCondizioniUso();

// One line per key "9996".."9999" that has a text, each ending in a line
// break; keys without text add nothing.
QString righeLingua(Language& language);

} // namespace ortolino
