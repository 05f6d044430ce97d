#include "core/app/CommandLine.h"

#include "core/lang/Language.h"
#include "core/platform/Environment.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTranslator>

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

namespace {

// Qt words the help options itself, and its Italian translation lacks these
// two lines: they come from the language file ("0286", "0287") instead, so
// the help speaks one language.
class HelpOptionTexts final : public QTranslator
{
public:
    explicit HelpOptionTexts(Language& language)
        : help_(language.MLSGetString(QStringLiteral("0286"))),
          helpAll_(language.MLSGetString(QStringLiteral("0287")))
    {
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (qstrcmp(context, "QCommandLineParser") != 0)
            return {};
        if (qstrcmp(source, "Displays help on commandline options.") == 0)
            return help_;
        if (qstrcmp(source, "Displays help including Qt specific options.") == 0)
            return helpAll_;
        return {};
    }

private:
    QString help_;
    QString helpAll_;
};

} // namespace

void describeOptions(QCommandLineParser& parser, Language& language, const Environment& env)
{
    parser.setApplicationDescription(
        language.MLSGetString(QStringLiteral("0300")) + QLatin1Char('\n') +
        language.MLSGetString(QStringLiteral("0301")) + QLatin1Char(' ') + env.settingsRoot);
    // The options take their descriptions as they are added.
    HelpOptionTexts texts(language);
    QCoreApplication::installTranslator(&texts);
    parser.addHelpOption();
    parser.addVersionOption();
    QCoreApplication::removeTranslator(&texts);
}

} // namespace ortolino
