#pragma once

#include <QString>

namespace ortolino {

class Language;

// The program's version, the one number set in CMake (project VERSION).
QString programVersion();

// Texts of the information window: the credit ("0236", with the version) and
// the usage notice ("0237"), a '|' of the language file starting a new line;
// the language lines come from the keys "9996" to "9999".
QString testoRiconoscimenti(Language& language);
QString testoCondizioniUso(Language& language);

// One line per key "9996".."9999" that has a text, each ending in a line
// break; keys without text add nothing.
QString righeLingua(Language& language);

} // namespace ortolino
