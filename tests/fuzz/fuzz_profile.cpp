// The profile reader and writer: any file reads as a whole profile or not at
// all; what was read holds numbers in their ranges, and writing it and
// reading it back gives the same settings.
#include "core/app/Profile.h"
#include "core/app/ProgramState.h"
#include "core/speech/SpeechTags.h"
#include "FuzzSupport.h"

using namespace ortolino;
using namespace ortolino::fuzz;

namespace {

QString describe(const ProfileSettings& s)
{
    return QString::fromUtf8(testoProfilo(s).value_or("<cannot be stored>"));
}

void checkSame(const ProfileSettings& a, const ProfileSettings& b)
{
    const auto same = [&](bool holds, const char* what) {
        check(holds, what, describe(a) + QLatin1String("\n---\n") + describe(b));
    };
    same(a.LettereAttive == b.LettereAttive, "LettereAttive");
    same(a.CarattereLettere == b.CarattereLettere, "CarattereLettere");
    same(a.MassimoLettere == b.MassimoLettere, "MassimoLettere");
    same(a.ListaInUso == b.ListaInUso, "ListaInUso");
    same(a.UsaTutteLeImmagini == b.UsaTutteLeImmagini, "UsaTutteLeImmagini");
    same(a.SuoniAttivi == b.SuoniAttivi, "SuoniAttivi");
    same(a.VelocitaVoce == b.VelocitaVoce && a.TonoVoce == b.TonoVoce, "voice");
    same(a.ParlatoAttivo == b.ParlatoAttivo && a.TieniTraccia == b.TieniTraccia, "switches");
    same(a.NomeFont == b.NomeFont && a.NomeFontScelto == b.NomeFontScelto, "fonts");
    same(a.DimensioneFont == b.DimensioneFont, "DimensioneFont");
    same(a.ColoreFont == b.ColoreFont && a.ColoreSfondoTesto == b.ColoreSfondoTesto &&
             a.ColoreSfondo == b.ColoreSfondo && a.ColoreBottoni == b.ColoreBottoni &&
             a.ColoreBottoneSelezionato == b.ColoreBottoneSelezionato,
         "colours");
    same(a.ColoreCasuale == b.ColoreCasuale && a.ColoriDiSistema == b.ColoriDiSistema &&
             a.MouseDiSistema == b.MouseDiSistema,
         "colour switches");
    same(a.ModalitaInput == b.ModalitaInput && a.VelocitaScansione == b.VelocitaScansione &&
             a.RipartiDallInizio == b.RipartiDallInizio && a.ConRiquadro == b.ConRiquadro &&
             a.SpessoreRiquadro == b.SpessoreRiquadro,
         "scanning");
    same(a.NomeAgente == b.NomeAgente && a.ModoVoce == b.ModoVoce, "character");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<ProfileSettings> read = leggiTestoProfilo(bytesOf(data, size));
    if (!read)
        return 0;
    const ProfileSettings& s = *read;
    // The voice prefix of every spoken text is made of these: it must read as tags.
    const SpeechText spoken =
        parseSpeechTags(parametriVoce(s.VelocitaVoce, s.TonoVoce) + QLatin1String("ciao"));
    check(spoken.shown == QLatin1String("ciao"), "voice settings shown as text", spoken.shown);
    check(s.DimensioneFont >= kDimensioneFontMinima && s.DimensioneFont <= kDimensioneFontMassima,
          "font size out of range");

    const std::optional<QByteArray> written = testoProfilo(s);
    if (!written) {
        // Only a list name with blanks at its end cannot be written, and the
        // reader never gives one.
        check(false, "a profile read cannot be written", describe(s));
        return 0;
    }
    const std::optional<ProfileSettings> again = leggiTestoProfilo(*written);
    check(again.has_value(), "a written profile does not read", QString::fromUtf8(*written));
    checkSame(s, *again);
    return 0;
}
