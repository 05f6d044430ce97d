#include "core/app/CommandLine.h"

#include "core/lang/Language.h"
#include "core/platform/Environment.h"

#include <QCommandLineParser>

namespace ortolino {

bool asksForInformation(const QStringList& arguments)
{
    static const QStringList informationOptions = {
        QStringLiteral("-h"),         QStringLiteral("--help"), QStringLiteral("-?"),
        QStringLiteral("--help-all"), QStringLiteral("-v"),     QStringLiteral("--version")};
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (informationOptions.contains(arguments[i]))
            return true;
    return false;
}

void describeOptions(QCommandLineParser& parser, Language& language, const Environment& env)
{
    parser.setApplicationDescription(
        language.MLSGetString(QStringLiteral("0300")) + QLatin1Char('\n') +
        language.MLSGetString(QStringLiteral("0301")) + QLatin1Char(' ') + env.settingsRoot);
    parser.addHelpOption();
    parser.addVersionOption();
}

} // namespace ortolino
