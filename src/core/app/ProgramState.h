#pragma once

#include "core/platform/Colore.h"

#include <array>
#include <cstdint>
#include <QString>
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

// The process-wide settings and working variables. One instance is owned by
// the application and handed to every window; tests build their own.
struct ProgramState
{
    ProgramState();

    // User and profile.
    QString NomeUtente;
    QString PercorsoProfilo;

    // Profile settings (written and read by the profile file).
    std::array<bool, kNumeroTasti> LettereAttive{};
    QString CarattereLettere;
    int MassimoLettere = 5;
    QString ListaInUso;
    bool UsaTutteLeImmagini = true;
    bool SuoniAttivi = true;
    int VelocitaVoce = 130;
    int TonoVoce = 100;
    bool ParlatoAttivo = true;
    bool TieniTraccia = false;
    QString NomeFont;
    QString NomeFontScelto;
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
    QString NomeAgente;
    QString ModoVoce;

    // Texts of the current language loaded at start-up.
    QString LinguaAgente;
    QString CartellaImmagini;
    QString CartellaListe;
    QString ListaPredefinita;

    // Working variables.
    std::array<QString, kNumeroTasti + 1> LettereTastiera; // element 0 stays empty
    std::vector<RigaRegistro> Registro;                    // rows 0..1000
    int NumeroRigheRegistro = 0;
    int TipoEsercizio = 0;
    int NumeroEsatti = 0;
    int NumeroErrati = 0;
    std::vector<QString> ParoleDisponibili; // entries 1..NumeroParole
    int NumeroParole = 0;
    int IndiceParola = 0;

    // Empties every row of the activity log and makes row 0 the row in use.
    void svuotaRegistro();
};

// Default letters: e r t u i o p a l n m.
inline constexpr std::array<int, 11> kLettereAttivePredefinite = {2, 3,  4,  6,  7, 8,
                                                                  9, 10, 18, 24, 25};

// One colour of the background table, drawn at random (a pastel or bright colour).
std::uint32_t ScegliColoreCasuale(RandomSource& random);

// The 18 positions of the background table, in order.
const std::array<std::uint32_t, 18>& tabellaColoriSfondo();

// The speech-tag prefix put before every text a character speaks:
// "\Spd=130\\Pit=100\" for speed 130 and pitch 100.
QString parametriVoce(int velocitaVoce, int tonoVoce);

// Fills LettereTastiera with the QWERTY letters q..m (lower case); element 0 empty.
void PreparaTastiera(ProgramState& state);

} // namespace ortolino
