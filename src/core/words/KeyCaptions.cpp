#include "core/words/KeyCaptions.h"

#include "core/words/WordCatalogue.h"

namespace ortolino {

QString keyCaption(const ProgramState& state, int index)
{
    // A key shows its letter as the words show theirs.
    return parolaNelCasoInUso(state, state.LettereTastiera.at(static_cast<size_t>(index) + 1));
}

QString letterName(const QString& names, const QString& letter)
{
    const QString lower = letter.toLower();
    if (lower.size() != 1 || lower[0] < u'a' || lower[0] > u'z')
        return letter;
    const QString name =
        names.section(u'|', lower[0].unicode() - u'a', lower[0].unicode() - u'a').trimmed();
    return name.isEmpty() ? letter : name;
}

} // namespace ortolino
