#pragma once

#include "core/platform/Colore.h"
#include "core/platform/SwitchInput.h"

#include <array>
#include <cstdint>
#include <QString>
#include <QStringList>
#include <vector>

namespace ortolino {

class RandomSource;

// Letter case of the words and keys.
inline const QString kMaiuscolo = QStringLiteral("maiuscolo");
inline const QString kMinuscolo = QStringLiteral("minuscolo");
inline const QString kCorsivo = QStringLiteral("corsivo");

// Name of the handwriting font face used while the letter case is "corsivo".
inline const QString kFontCorsivo = QStringLiteral("Tratto1");

inline constexpr int kNumeroTasti = 26;
inline constexpr int kRigheRegistro = 1001; // rows 0..1000
inline constexpr int kMassimoParole = 1000; // catalogue entries 1..1000

// One row of the activity log: title, detail text, completion mark.
using RigaRegistro = std::array<QString, 3>;

// Default letters: e r t u i o p a l n m.
constexpr std::array<bool, kNumeroTasti> lettereAttivePredefinite()
{
    std::array<bool, kNumeroTasti> attive{};
    for (int i : {2, 3, 4, 6, 7, 8, 9, 10, 18, 24, 25})
        attive[static_cast<size_t>(i)] = true;
    return attive;
}

// Whose profile is in use and where it lives.
struct CurrentUser
{
    QString NomeUtente = QStringLiteral("_predefinito");
    QString PercorsoProfilo;
};

// The settings a profile file holds, each with its default: this is the one
// place the defaults are written. ListaInUso has none of its own: it names
// the language's default list, which the profile code fills in.
struct ProfileSettings
{
    std::array<bool, kNumeroTasti> LettereAttive = lettereAttivePredefinite();
    QString CarattereLettere = kMaiuscolo;
    int MassimoLettere = 5;
    QString ListaInUso;
    bool UsaTutteLeImmagini = true;
    bool SuoniAttivi = true;
    int VelocitaVoce = 130;
    int TonoVoce = 100;
    bool ParlatoAttivo = true;
    bool TieniTraccia = false;
    QString NomeFont = QStringLiteral("Arial");
    QString NomeFontScelto = QStringLiteral("Arial");
    int DimensioneFont = 28;
    Colore ColoreFont = 0;
    Colore ColoreSfondoTesto = 16777215;
    Colore ColoreSfondo = 16777152;
    bool ColoreCasuale = true;
    bool ColoriDiSistema = false;
    bool MouseDiSistema = false;
    int ModalitaInput = 0;
    int VelocitaScansione = 4;
    bool RipartiDallInizio = false;
    bool ConRiquadro = false;
    int SpessoreRiquadro = 9;
    Colore ColoreBottoni = kColoreFacciaBottoni;
    Colore ColoreBottoneSelezionato = 255;
    QString NomeAgente = QStringLiteral("Merlin");
    QString ModoVoce = QStringLiteral("{7EF71701-A92D-11d1-B17B-0020AFED142E}");

    friend bool operator==(const ProfileSettings&, const ProfileSettings&) = default;
};

// How auditory scanning lets an item be heard: its whole name, or a short cue
// sound only (for children who find speech too slow).
enum class AuditoryStyle
{
    Name = 0,
    Cue = 1
};

// The order of the compact scanning keyboard's letters.
enum class CompactOrder
{
    Alphabetical = 0,
    Frequency = 1
};

// The ranges the switch settings are brought into when read.
inline constexpr double kFirstItemStepsMax = 4; // in steps, by halves from 1
inline constexpr int kLoopsBeforePauseMax = 10; // 0 never pauses
inline constexpr int kAcceptanceMsMax = 1000;   // by kAcceptanceStepMs
inline constexpr int kAcceptanceStepMs = 50;
inline constexpr int kIgnoreAfterChoiceMsMax = 2000; // by kAcceptanceStepMs
// The scan highlight takes the marked key's colour (ColoreBottoneSelezionato).
inline constexpr Colore kHighlightAsMarkedKey = -1;

// The per-child settings of switch access that the 53-line profile has no
// line for (other programs and older copies read that file as it is). They
// live in a side file of their own, read and saved with the profile; each has
// its default here, and the defaults keep the program as it was without them.
struct SwitchSettings
{
    bool auditoryScanning = false;
    AuditoryStyle auditoryStyle = AuditoryStyle::Name;
    // The first item of each round is held this many steps (1 = as the others).
    double firstItemSteps = 1;
    // Full rounds without a choice before the automatic scan pauses; 0 = never.
    int loopsBeforePause = 0;
    // A press (switch down to switch up) shorter than this is ignored.
    int acceptanceMs = 0;
    // Presses this soon after a choice are ignored.
    int ignoreAfterChoiceMs = 0;
    Colore highlightColour = kHighlightAsMarkedKey;
    bool enlargeHighlighted = false;
    // "Back to the menu" as a scan target after "avanti" (confirmed).
    bool backToMenuTarget = false;
    // "ESCI" chosen by a switch in the menu asks for a confirming choice.
    bool confirmExit = true;
    bool compactKeyboard = false;
    CompactOrder compactOrder = CompactOrder::Alphabetical;
    // Not switch access, but the child's own like the rest: a finished word
    // is praised with motion (the tick grows, the word flashes, the character
    // cheers); off for a child whom motion distracts.
    bool celebration = true;

    friend bool operator==(const SwitchSettings&, const SwitchSettings&) = default;
};

// Texts of the current language, read at start-up and on a change of language.
struct LanguageTexts
{
    QString LinguaAgente;
    QString CartellaImmagini;
    QString CartellaListe;
    QString ListaPredefinita;
    // The lists folders of the other installed languages: a list there names
    // that language's pictures.
    QStringList CartelleListeAltre;
};

// What the user did in this session, for the report.
struct ActivityLog
{
    std::vector<RigaRegistro> Registro = std::vector<RigaRegistro>(kRigheRegistro); // 0..1000
    int NumeroRigheRegistro = 0;
    // The user whose work the log holds (names match without regard to
    // case); empty while it holds nobody's.
    QString owner;

    // Empties every row of the activity log and makes row 0 the row in use.
    void svuotaRegistro();
    // The log is to hold this user's work: another user's rows go first, so
    // that no report shows one child's words under another child's name,
    // however the user changed (chosen, made new, deleted).
    void belongTo(const QString& user);
};

// The words the exercises draw from.
struct Catalogue
{
    std::vector<QString> ParoleDisponibili =
        std::vector<QString>(kMassimoParole + 1); // entries 1..NumeroParole
    int NumeroParole = 0;
    int IndiceParola = 0;
    // The words came from every picture: by the setting, or because the list
    // in use could not be read (which the profile is not told).
    bool TutteLeImmagini = false;
};

// The exercise under way and the letters of the on-screen keyboard.
struct WorkingVariables
{
    std::array<QString, kNumeroTasti + 1> LettereTastiera; // element 0 stays empty
    int TipoEsercizio = 0;
    int NumeroEsatti = 0;
    int NumeroErrati = 0;
    // When a switch last chose (the clock's seconds): the presses ignored
    // after a choice are ignored in the window the choice opened too.
    double ultimaSceltaSensore = -1e9;
};

// The process-wide settings and working variables, made of the parts above so
// that code needing one part can take just that part. One instance is owned
// by the application and handed to every window; tests build their own.
struct ProgramState : CurrentUser,
                      ProfileSettings,
                      SwitchSettings,
                      LanguageTexts,
                      ActivityLog,
                      Catalogue,
                      WorkingVariables
{
};

// One colour of the background table, drawn at random (a light colour).
std::uint32_t ScegliColoreCasuale(RandomSource& random);

// The 18 positions of the background table, in order.
const std::array<std::uint32_t, 18>& tabellaColoriSfondo();

// The speech-tag prefix put before every text a character speaks:
// "\Spd=130\\Pit=100\" for speed 130 and pitch 100.
QString parametriVoce(int velocitaVoce, int tonoVoce);

// The scan's timing for the settings in force: the automatic step
// (VelocitaScansione) and the child's switch settings.
ScanTiming scanTiming(const ProgramState& state);

// Fills LettereTastiera with the QWERTY letters q..m (lower case); element 0 empty.
void PreparaTastiera(WorkingVariables& state);

} // namespace ortolino
