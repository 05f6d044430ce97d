#include "core/app/Informazioni.h"

#include "core/lang/Language.h"

#include <QStringList>

namespace ortolino {

QString programVersion()
{
    return QStringLiteral(ORTOLINO_VERSION);
}

QString testoRiconoscimenti()
{
    return QStringLiteral("Software di\n"
                          "gli autori di Ortolino per Linux\n"
                          "Ortolino %1, scritto in C++ con Qt 6 ed eSpeak NG\n"
                          "riconoscimenti: clic sulla figura qui sopra\n")
        .arg(programVersion());
}

QString testoCondizioniUso()
{
    return QStringLiteral("Ortolino è software libero: puoi usarlo, copiarlo e modificarlo\n"
                          "secondo la GNU GPL, versione 3 o successiva.\n"
                          "È distribuito SENZA ALCUNA GARANZIA.");
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
