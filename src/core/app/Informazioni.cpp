#include "core/app/Informazioni.h"

#include "core/lang/Language.h"

#include <QStringList>

namespace ortolino {

QString programVersion()
{
    return QStringLiteral(ORTOLINO_VERSION);
}

namespace {

QString lines(Language& language, const char* key)
{
    return language.MLSGetString(QString::fromLatin1(key))
        .replace(QLatin1Char('|'), QLatin1Char('\n'));
}

} // namespace

QString testoRiconoscimenti(Language& language)
{
    return lines(language, "0236").arg(programVersion()) + QLatin1Char('\n');
}

QString testoCondizioniUso(Language& language)
{
    return lines(language, "0237");
}

QString righeLingua(Language& language)
{
    QString lines;
    for (const char* key : {"9996", "9997", "9998", "9999"}) {
        const QString text = language.MLSGetString(QString::fromLatin1(key));
        if (!text.isEmpty())
            lines += text + QLatin1Char('\n');
    }
    return lines;
}

} // namespace ortolino
