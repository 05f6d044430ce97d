#include "core/words/KeyCaptions.h"

#include "core/words/WordCatalogue.h"

namespace ortolino {

QString keyCaption(const ProgramState& state, int index)
{
    // A key shows its letter as the words show theirs.
    return parolaNelCasoInUso(state, state.LettereTastiera.at(static_cast<size_t>(index) + 1));
}

} // namespace ortolino
