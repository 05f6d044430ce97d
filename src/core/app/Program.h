#pragma once

#include "core/app/ProgramState.h"
#include "core/lang/Language.h"
#include "core/lang/QtTranslations.h"
#include "core/platform/Environment.h"
#include "core/platform/Services.h"

namespace ortolino {

// Everything a window needs: where things are, the program state, the current
// language (with Qt's own texts) and the platform seams. The application owns one; tests build
// theirs.
class Program
{
public:
    Program(Environment environment, Services seams)
        : env(std::move(environment)), language(env), services(seams)
    {
    }

    // Short-hand for a numbered text of the current language.
    QString text(const QString& key) { return language.MLSGetString(key); }

    Environment env;
    ProgramState state;
    Language language;
    QtTranslations qtTranslations; // Qt's own texts, following `language`
    Services services;
};

} // namespace ortolino
