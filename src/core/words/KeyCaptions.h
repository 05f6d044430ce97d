#pragma once

#include "core/app/ProgramState.h"

#include <QString>

namespace ortolino {

// Caption of key `index` (0..25) of the letter keyboard: its letter
// (LettereTastiera(index + 1)) in upper case with "maiuscolo" lettering and in
// lower case otherwise ("corsivo" only changes the font).
QString keyCaption(const ProgramState& state, int index);

} // namespace ortolino
