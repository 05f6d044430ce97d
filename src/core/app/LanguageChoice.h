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

// Reads the texts that depend on the language in force: the character's
// language, the folder names, the default list, and the other installed
// languages' lists folders.
void leggiTestiLingua(Program& program);

// A language chosen in the menu, once the open windows are translated: the
// choice is stored in LangSetting.ini (rewritten whole), Qt's own texts
// follow the language's code, and the texts that depend on the language are
// read again. The user and every setting of the profile stay, the list in use
// too: a list of another language's lists folder gives way to this language's
// default list while this language is in force (`listaPerLaLingua`), and
// comes back with its own. False when the choice could not be stored.
bool registraSceltaLingua(Program& program, const QString& name);

} // namespace ortolino
