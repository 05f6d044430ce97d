#include "exercise/KeyCaptions.h"

namespace ortolino {

QString keyCaption(const ProgramState& state, int index)
{
    const QString& letter = state.LettereTastiera.at(static_cast<size_t>(index) + 1);
    return state.CarattereLettere == kMaiuscolo ? letter.toUpper() : letter.toLower();
}

} // namespace ortolino
