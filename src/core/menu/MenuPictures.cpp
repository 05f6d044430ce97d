#include "core/menu/MenuPictures.h"

#include "core/lang/Language.h"

#include <algorithm>

namespace ortolino {

QList<bool> lettereNascosteEsempio(int esercizio, const QString& parola, QChar lettera)
{
    const auto n = parola.size();
    QList<bool> nascoste(n, false);
    if (n == 0)
        return nascoste;
    switch (esercizio) {
    case 0:
        nascoste[0] = true;
        break;
    case 1:
        nascoste[n / 2] = true;
        break;
    case 2:
        nascoste[std::min<qsizetype>(1, n - 1)] = true;
        nascoste[std::min<qsizetype>(2, n - 1)] = true;
        break;
    default:
        for (qsizetype i = 0; i < n; ++i)
            nascoste[i] = parola[i].toUpper() == lettera.toUpper();
    }
    return nascoste;
}

QByteArray figuraConTessere(const QByteArray& disegno, const QString& parola,
                            const QList<bool>& nascoste)
{
    const auto end = disegno.lastIndexOf("</svg>");
    if (end < 0 || parola.isEmpty())
        return disegno;
    // Tiles of at most 40 units across the 200 of the picture, 6 from its
    // sides and 4 apart, centred; the band below y = 112 is theirs.
    const auto n = static_cast<double>(parola.size());
    const double gap = 4;
    const double width = std::min(40.0, (188.0 - gap * (n - 1)) / n);
    const double height = std::min(52.0, width * 1.3);
    const double left = (200.0 - (width * n + gap * (n - 1))) / 2;
    const double top = 112 + (52 - height) / 2;
    static const char* const fills[] = {"#fff59d", "#b3e5fc", "#c8e6c9", "#f8bbd0"};
    QString tiles;
    for (qsizetype i = 0; i < parola.size(); ++i) {
        const bool blank = i < nascoste.size() && nascoste[i];
        const double x = left + static_cast<double>(i) * (width + gap);
        tiles += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" "
                                "fill=\"%6\" stroke=\"%7\" stroke-width=\"3\"%8/>\n")
                     .arg(x)
                     .arg(top)
                     .arg(width)
                     .arg(height)
                     .arg(width / 5)
                     .arg(QLatin1String(blank ? "#ffffff" : fills[i % 4]),
                          QLatin1String(blank ? "#e53935" : "#333333"),
                          QLatin1String(blank ? " stroke-dasharray=\"7,4\"" : ""));
        tiles += QStringLiteral("<text x=\"%1\" y=\"%2\" font-family=\"DejaVu Sans\" "
                                "font-weight=\"bold\" font-size=\"%3\" fill=\"%4\" "
                                "text-anchor=\"middle\">%5</text>\n")
                     .arg(x + width / 2)
                     .arg(top + height * 0.73)
                     .arg(width * 0.8)
                     .arg(QLatin1String(blank ? "#e53935" : "#263238"),
                          blank ? QStringLiteral("?") : QString(parola[i]).toHtmlEscaped());
    }
    return disegno.left(end) + tiles.toUtf8() + disegno.mid(end);
}

QByteArray figuraEsempio(Language& language, int esercizio, const QByteArray& disegno)
{
    const QString voce =
        language.MLSGetString(QLatin1String(esercizio == 3 ? "0243" : "0242")).trimmed();
    const QString parola = voce.section(QLatin1Char('|'), 0, 0).trimmed();
    const QString lettera = voce.section(QLatin1Char('|'), 1, 1).trimmed();
    return figuraConTessere(
        disegno, parola,
        lettereNascosteEsempio(esercizio, parola, lettera.isEmpty() ? QChar() : lettera[0]));
}

} // namespace ortolino
