#pragma once

#include <QString>
#include <QStringList>

namespace ortolino {

class Language;
class Program;

// The message shown when the language folder holds no language file.
inline const QString kNessunaLingua = QStringLiteral("Non è presente alcun file di linguaggio!");

// The entries of the language menu: the installed languages, in the
// alphabetical order a desktop listing shows them.
QStringList lingueDelMenu(const Language& language);

// A language chosen in the menu, once the open windows are translated: the
// choice is stored in LangSetting.ini (rewritten whole), the folder names are
// read again in the new language and every setting goes back to its default
// (the profile is not read again). False when the choice could not be stored.
bool registraSceltaLingua(Program& program, const QString& name);

} // namespace ortolino
