#pragma once

#include "core/app/Profile.h"
#include "core/speech/SpeechTags.h"

#include <optional>
#include <QString>
#include <QStringList>

namespace ortolino {

struct ProgramState;
class Language;
struct FontChoice;

// The range of a setting's scroll bar; profile values outside it are brought
// inside when the configuration shows them.
struct BarRange
{
    int minimum;
    int maximum;
    int clamp(int value) const;
};

// HScroll1, VelocitaVoce; HScroll2, TonoVoce: the ranges of the speech tags.
inline constexpr BarRange kBarraVelocitaVoce{VoiceTone::kSpeedMin, VoiceTone::kSpeedMax};
inline constexpr BarRange kBarraTonoVoce{VoiceTone::kPitchMin, VoiceTone::kPitchMax};
// HScroll3, VelocitaScansione (quarter seconds); HScrollRiquadro, SpessoreRiquadro.
inline constexpr BarRange kBarraScansione{kVelocitaScansioneMinima, kVelocitaScansioneMassima};
inline constexpr BarRange kBarraRiquadro{kSpessoreRiquadroMinimo, kSpessoreRiquadroMassimo};

// Input modes (ModalitaInput).
inline constexpr int kInputMouse = 0;
inline constexpr int kInputScansioneManuale = 1;
inline constexpr int kInputScansioneAutomatica = 2;

// The longest-word options: option index -> MassimoLettere. Option 4 ("3
// lettere") stands first on the screen.
inline constexpr int kOpzioniQuanteLettere = 5;
int massimoLetterePerOpzione(int option);
// The option showing a MassimoLettere value, or nothing for a value no option has.
std::optional<int> opzionePerMassimoLettere(int massimoLettere);

// Which scan controls of the input-mode tab a mode shows. A mode the program
// does not know scans nothing, so it shows as "mouse or keyboard".
struct VisibilitaInput
{
    bool riparti = false;  // CheckRiparti
    bool riquadro = false; // CheckRiquadro
    bool campione = false; // ShapeRiquadro and HScrollRiquadro
    bool mouse = false;    // CheckDisabilitaMousePersonalizzato
    bool velocita = false; // HScroll3 and Label7
    friend bool operator==(const VisibilitaInput&, const VisibilitaInput&) = default;
};
VisibilitaInput visibilitaPerModalita(int modalitaInput, bool conRiquadro);

// "Velocità scansione: 1,50 secondi" for 6 quarter seconds ("0232"), the
// number in the language's own form.
QString testoVelocitaScansione(Language& language, int quartiDiSecondo);

// A character file's name as the character list shows it: each word with a
// capital first letter and the rest in lower case ("PEEDY" -> "Peedy").
QString nomePersonaggioMostrato(const QString& fileName);

// The letter case chosen: the cursive case always uses the handwriting face,
// the others the face last chosen in the font dialog.
void impostaCarattereLettere(ProgramState& state, const QString& carattere);

// A font chosen in the dialog. The face becomes the chosen one and, unless
// the cursive case is in force, the one in use. True when the cursive case
// kept the handwriting face, so that the user is told.
bool applicaFontScelto(ProgramState& state, const FontChoice& choice);

// "Usa impostazioni di sistema": checking it also turns on the system pointer;
// unchecking it leaves the pointer setting alone.
void impostaColoriDiSistema(ProgramState& state, bool attivi);

// The letters the boxes leave active, and how the exit judges them.
enum class GiudizioLettere
{
    Nessuna,
    Poche,
    Abbastanza
};
GiudizioLettere giudicaLettere(int attive);

} // namespace ortolino
