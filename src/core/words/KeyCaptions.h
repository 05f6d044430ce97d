#pragma once

#include "core/app/ProgramState.h"

#include <QString>

namespace ortolino {

// Caption of key `index` (0..25) of the letter keyboard: its letter
// (LettereTastiera(index + 1)) in upper case with "maiuscolo" lettering and in
// lower case otherwise ("corsivo" only changes the font).
QString keyCaption(const ProgramState& state, int index);

// The language key holding the names of the letters a to z as a child hears
// them ("a|bi|ci|..."), for auditory scanning.
inline const QString kLetterNamesKey = QStringLiteral("0450");

// The name of a key's letter (any case) in that list; the letter itself when
// the list has no name for it.
QString letterName(const QString& names, const QString& letter);

} // namespace ortolino
