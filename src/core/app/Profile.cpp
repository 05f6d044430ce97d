#include "core/app/Profile.h"

#include "core/app/ProgramState.h"
#include "core/platform/Environment.h"
#include "core/platform/FileNames.h"
#include "core/platform/TextFiles.h"

#include <cmath>
#include <optional>
#include <QFileInfo>
#include <QStringList>

namespace ortolino {

namespace {

// --- writing ---------------------------------------------------------------

QString yesNo(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// A number as the profile writes it: a blank (or the minus sign) before the
// digits and one blank after them.
QString number(double value)
{
    QString digits = std::floor(value) == value && std::fabs(value) < 1e15
                         ? QString::number(static_cast<qint64>(std::fabs(value)))
                         : QString::number(std::fabs(value), 'g', 15);
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}

QStringList profileLines(const ProfileSettings& s)
{
    QStringList lines;
    for (bool attiva : s.LettereAttive)
        lines << yesNo(attiva);
    lines << s.CarattereLettere << number(s.MassimoLettere) << s.ListaInUso
          << yesNo(s.UsaTutteLeImmagini) << yesNo(s.SuoniAttivi) << number(s.VelocitaVoce)
          << number(s.TonoVoce) << yesNo(s.ParlatoAttivo) << yesNo(s.TieniTraccia) << s.NomeFont
          << s.NomeFontScelto << number(s.DimensioneFont) << number(s.ColoreFont)
          << number(s.ColoreSfondoTesto) << number(s.ColoreSfondo) << yesNo(s.ColoreCasuale)
          << yesNo(s.ColoriDiSistema) << yesNo(s.MouseDiSistema) << number(s.ModalitaInput)
          << number(s.VelocitaScansione) << yesNo(s.RipartiDallInizio) << yesNo(s.ConRiquadro)
          << number(s.SpessoreRiquadro) << number(s.ColoreBottoni)
          << number(s.ColoreBottoneSelezionato) << s.NomeAgente << s.ModoVoce;
    return lines;
}

// --- reading ---------------------------------------------------------------

// A field of a line: it starts at the first non-blank character; a quoted
// field runs to the next quote, any other field to a comma or the line's end.
QString field(const QString& line)
{
    qsizetype start = 0;
    while (start < line.size() && line[start] == QLatin1Char(' '))
        ++start;
    if (start < line.size() && line[start] == QLatin1Char('"')) {
        qsizetype end = line.indexOf(QLatin1Char('"'), start + 1);
        return line.mid(start + 1, end < 0 ? -1 : end - start - 1);
    }
    qsizetype comma = line.indexOf(QLatin1Char(','), start);
    return line.mid(start, comma < 0 ? -1 : comma - start);
}

// Reads the lines in order; any unreadable value marks the whole read failed.
class LineReader
{
public:
    explicit LineReader(QStringList lines) : lines_(std::move(lines)) {}

    bool failed() const { return failed_; }

    QString text() { return next().value_or(QString()); }
    bool yesNo() { return text().startsWith(QLatin1Char('T')); }

    double number()
    {
        std::optional<QString> value = next();
        if (!value)
            return 0;
        bool ok = false;
        double result = value->trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(result))
            failed_ = true;
        return ok ? result : 0;
    }

    // A 16-bit whole number, as the settings are held.
    int integer()
    {
        double value = std::nearbyint(number());
        if (value < -32768 || value > 32767) {
            failed_ = true;
            return 0;
        }
        return static_cast<int>(value);
    }

private:
    std::optional<QString> next()
    {
        if (line_ >= lines_.size()) {
            failed_ = true;
            return std::nullopt;
        }
        return field(lines_[line_++]);
    }

    QStringList lines_;
    qsizetype line_ = 0;
    bool failed_ = false;
};

QString letterCase(const QString& value)
{
    if (value.startsWith(QLatin1String("mai")))
        return kMaiuscolo;
    if (value.startsWith(QLatin1String("min")))
        return kMinuscolo;
    return kCorsivo;
}

QString withoutTrailingBlanks(QString value)
{
    while (value.endsWith(QLatin1Char(' ')))
        value.chop(1);
    return value;
}

// Reads every field into fresh settings, handed out only when all were read.
std::optional<ProfileSettings> readProfile(const QString& path)
{
    std::optional<QByteArray> bytes = readFileBytes(path, kDimensioneMassimaProfilo);
    if (!bytes)
        return std::nullopt;
    LineReader in(splitLines(decodeText(*bytes)));
    ProfileSettings s;
    for (bool& attiva : s.LettereAttive)
        attiva = in.yesNo();
    s.CarattereLettere = letterCase(in.text());
    s.MassimoLettere = in.integer();
    s.ListaInUso = withoutTrailingBlanks(in.text());
    s.UsaTutteLeImmagini = in.yesNo();
    s.SuoniAttivi = in.yesNo();
    s.VelocitaVoce = in.integer();
    s.TonoVoce = in.integer();
    s.ParlatoAttivo = in.yesNo();
    s.TieniTraccia = in.yesNo();
    s.NomeFont = in.text();
    s.NomeFontScelto = in.text();
    s.DimensioneFont = in.integer();
    s.ColoreFont = in.number();
    s.ColoreSfondoTesto = in.number();
    s.ColoreSfondo = in.number();
    s.ColoreCasuale = in.yesNo();
    s.ColoriDiSistema = in.yesNo();
    s.MouseDiSistema = in.yesNo();
    s.ModalitaInput = in.integer();
    s.VelocitaScansione = in.integer();
    s.RipartiDallInizio = in.yesNo();
    s.ConRiquadro = in.yesNo();
    s.SpessoreRiquadro = in.integer();
    s.ColoreBottoni = in.number();
    s.ColoreBottoneSelezionato = in.number();
    s.NomeAgente = in.text();
    s.ModoVoce = in.text();
    if (in.failed())
        return std::nullopt;
    return s;
}

} // namespace

QString percorsoListaPredefinita(const Environment& env, const LanguageTexts& texts)
{
    return env.programFolder + QLatin1Char('/') + texts.CartellaListe + QLatin1Char('/') +
           texts.ListaPredefinita;
}

bool SalvaProfilo(const ProfileSettings& settings, const QString& path)
{
    QString text = profileLines(settings).join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    return writeFileAtomically(resolveCaseInsensitive(path), text.toUtf8());
}

LetturaProfilo LeggiProfilo(ProfileSettings& settings, const QString& path,
                            const QString& defaultList)
{
    const QString onDisk = resolveCaseInsensitive(path);
    std::optional<ProfileSettings> read = readProfile(onDisk);
    if (read) {
        settings = std::move(*read);
        return LetturaProfilo::Letto;
    }
    ImpostaValoriPredefiniti(settings, defaultList);
    return QFileInfo(onDisk).isFile() ? LetturaProfilo::Illeggibile : LetturaProfilo::Assente;
}

void ImpostaValoriPredefiniti(ProfileSettings& settings, const QString& defaultList)
{
    settings = ProfileSettings{};
    settings.ListaInUso = defaultList;
}

} // namespace ortolino
