#include "core/app/Profile.h"

#include "core/app/ProgramState.h"
#include "core/platform/Environment.h"
#include "core/platform/FileNames.h"
#include "core/platform/TextFiles.h"
#include "core/speech/SpeechTags.h"

#include <algorithm>
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
    lines << s.CarattereLettere << number(s.MassimoLettere) << asField(s.ListaInUso)
          << yesNo(s.UsaTutteLeImmagini) << yesNo(s.SuoniAttivi) << number(s.VelocitaVoce)
          << number(s.TonoVoce) << yesNo(s.ParlatoAttivo) << yesNo(s.TieniTraccia)
          << asField(s.NomeFont) << asField(s.NomeFontScelto) << number(s.DimensioneFont)
          << number(s.ColoreFont) << number(s.ColoreSfondoTesto) << number(s.ColoreSfondo)
          << yesNo(s.ColoreCasuale) << yesNo(s.ColoriDiSistema) << yesNo(s.MouseDiSistema)
          << number(s.ModalitaInput) << number(s.VelocitaScansione) << yesNo(s.RipartiDallInizio)
          << yesNo(s.ConRiquadro) << number(s.SpessoreRiquadro) << number(s.ColoreBottoni)
          << number(s.ColoreBottoneSelezionato) << asField(s.NomeAgente) << asField(s.ModoVoce);
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

// A colour as stored: &HBBGGRR, or a system colour (&H80000000 plus an index,
// as a negative number). Anything else gives the setting's default.
Colore colour(double value, Colore fallback)
{
    const double whole = std::nearbyint(value);
    if (whole != value)
        return fallback;
    if ((whole >= 0 && whole <= 0xFFFFFF) ||
        (whole >= kColoreSistemaPrimo && whole <= kColoreSistemaUltimo))
        return whole;
    return fallback;
}

} // namespace

QString percorsoListaPredefinita(const Environment& env, const LanguageTexts& texts)
{
    return env.programFolder + QLatin1Char('/') + texts.CartellaListe + QLatin1Char('/') +
           texts.ListaPredefinita;
}

bool testoSalvabileNelProfilo(const QString& text)
{
    return text.isValidUtf16() && !text.contains(QLatin1Char('\r')) &&
           !text.contains(QLatin1Char('\n')) &&
           !(fieldNeedsQuotes(text) && text.contains(QLatin1Char('"')));
}

bool percorsoListaSalvabile(const QString& path)
{
    // The reader drops the blanks at the end of the list's name.
    return testoSalvabileNelProfilo(path) && !path.endsWith(QLatin1Char(' '));
}

std::optional<QByteArray> testoProfilo(const ProfileSettings& s)
{
    if (!percorsoListaSalvabile(s.ListaInUso))
        return std::nullopt;
    for (const QString* text :
         {&s.CarattereLettere, &s.NomeFont, &s.NomeFontScelto, &s.NomeAgente, &s.ModoVoce}) {
        if (!testoSalvabileNelProfilo(*text))
            return std::nullopt;
    }
    return (profileLines(s).join(QLatin1String("\r\n")) + QLatin1String("\r\n")).toUtf8();
}

std::optional<ProfileSettings> leggiTestoProfilo(const QByteArray& bytes)
{
    static const ProfileSettings kPredefiniti; // colours that name none take these
    LineReader in(splitLines(decodeText(bytes)));
    ProfileSettings s;
    for (bool& attiva : s.LettereAttive)
        attiva = in.yesNo();
    s.CarattereLettere = letterCase(in.text());
    s.MassimoLettere = std::clamp(in.integer(), kMassimoLettereMinimo, kMassimoLettereMassimo);
    s.ListaInUso = withoutTrailingBlanks(in.text());
    s.UsaTutteLeImmagini = in.yesNo();
    s.SuoniAttivi = in.yesNo();
    s.VelocitaVoce = std::clamp(in.integer(), VoiceTone::kSpeedMin, VoiceTone::kSpeedMax);
    s.TonoVoce = std::clamp(in.integer(), VoiceTone::kPitchMin, VoiceTone::kPitchMax);
    s.ParlatoAttivo = in.yesNo();
    s.TieniTraccia = in.yesNo();
    s.NomeFont = in.text();
    s.NomeFontScelto = in.text();
    s.DimensioneFont = std::clamp(in.integer(), kDimensioneFontMinima, kDimensioneFontMassima);
    s.ColoreFont = colour(in.number(), kPredefiniti.ColoreFont);
    s.ColoreSfondoTesto = colour(in.number(), kPredefiniti.ColoreSfondoTesto);
    s.ColoreSfondo = colour(in.number(), kPredefiniti.ColoreSfondo);
    s.ColoreCasuale = in.yesNo();
    s.ColoriDiSistema = in.yesNo();
    s.MouseDiSistema = in.yesNo();
    s.ModalitaInput = std::clamp(in.integer(), kModalitaInputPrima, kModalitaInputUltima);
    s.VelocitaScansione =
        std::clamp(in.integer(), kVelocitaScansioneMinima, kVelocitaScansioneMassima);
    s.RipartiDallInizio = in.yesNo();
    s.ConRiquadro = in.yesNo();
    s.SpessoreRiquadro =
        std::clamp(in.integer(), kSpessoreRiquadroMinimo, kSpessoreRiquadroMassimo);
    s.ColoreBottoni = colour(in.number(), kPredefiniti.ColoreBottoni);
    s.ColoreBottoneSelezionato = colour(in.number(), kPredefiniti.ColoreBottoneSelezionato);
    s.NomeAgente = in.text();
    s.ModoVoce = in.text();
    if (in.failed())
        return std::nullopt;
    return s;
}

bool SalvaProfilo(const ProfileSettings& settings, const QString& path)
{
    const std::optional<QByteArray> text = testoProfilo(settings);
    return text && writeFileUnlessSame(resolveCaseInsensitive(path), *text);
}

LetturaProfilo LeggiProfilo(ProfileSettings& settings, const QString& path,
                            const QString& defaultList)
{
    const QString onDisk = resolveCaseInsensitive(path);
    const std::optional<QByteArray> bytes = readFileBytes(onDisk, kDimensioneMassimaProfilo);
    std::optional<ProfileSettings> read = bytes ? leggiTestoProfilo(*bytes) : std::nullopt;
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
