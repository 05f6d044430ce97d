#pragma once

#include "app/ProgramState.h"

#include <array>
#include <functional>
#include <QString>

namespace ortolino {

class ExerciseEngine;
class ExerciseView;

// The input modes (ModalitaInput).
namespace Modalita {
inline constexpr int Mouse = 0;               // mouse or keyboard
inline constexpr int ScansioneManuale = 1;    // Space moves, Enter chooses
inline constexpr int ScansioneAutomatica = 2; // the scan moves by itself, Space chooses
} // namespace Modalita

// The mode in force: ModalitaInput, where a value no mode has (a hand-edited
// profile) counts as mouse or keyboard.
int modalitaInUso(const ProgramState& state);

// Interval of Timer1 in manual scanning, where it only keeps the focus on the
// switch box.
inline constexpr int kIntervalloCustodeFuocoMs = 100;

// The automatic scan step: VelocitaScansione × 250 ms, computed wide and held
// to the range the configuration offers (4 to 60: 1 to 15 seconds), so that a
// hand-edited profile can neither overflow the interval nor stall the scan.
int passoScansioneMs(int velocitaScansione);

// Puts the key letters (LettereTastiera) in the case in force: upper case for
// "maiuscolo", lower case otherwise. The window then writes them as the key
// captions and hides the keys whose letter is not active.
void ImpostaTastiera(ProgramState& state);

// The next visible key after `key`, cyclically (25 is followed by 0). With no
// visible key at all the position stays where it is.
int prossimoTastoVisibile(int key, const std::array<bool, kNumeroTasti>& visible);

// The font size at which a text is at least `target` pixels wide: from
// `start`, one point at a time. `widthAt` measures the text at a size. Sizes
// stop growing at kMassimaDimensioneFont, so a key with no usable width
// cannot keep the loop going.
inline constexpr double kMassimaDimensioneFont = 400;
double dimensioneFontAdatta(double start, int target, const std::function<int(double)>& widthAt);

// Which keys are down, so that a held switch counts once. A repeat is either
// marked as such by the system, or a second press of a key already down, or
// (as some X servers repeat a held key) a release immediately followed by a
// press of the same key. A release is therefore final only when no press of
// that key follows within kRepeatWindowMs; until then it is pending. A switch
// cannot bounce back that fast, so no real press is lost. A release whose
// press was not seen here (a key pressed in the previous window) is ignored.
class SwitchKeys
{
public:
    static constexpr int kRepeatWindowMs = 30;

    // True when the key goes down now, false for a repeat.
    bool press(int key, bool autoRepeat);
    // True when the release is now pending. A release still pending for
    // another key is final at once and handed back in *earlier (else 0).
    bool release(int key, bool autoRepeat, int* earlier);
    // The pending release, now final, or 0.
    int takePendingRelease();
    // The keys will not be released here (the focus went elsewhere): every
    // key counts as up. True when some key was down.
    bool forget();
    bool anyDown() const { return !down_.empty() || pending_ != 0; }

private:
    std::vector<int> down_;
    int pending_ = 0;
};

// What the scanning asks of the window beyond ExerciseView.
class ScanView
{
public:
    virtual ~ScanView() = default;
    // SistemaRiquadro: the frame around the key, visible exactly when the key is.
    virtual void placeFrameOnKey(int key) = 0;
    // The switch box of the mode in force takes the keyboard focus.
    virtual void focusSwitchBox() = 0;
    // Timer1 started (its interval counted from now) or stopped.
    virtual void runTimer1(bool running) = 0;
    // Calls KeyboardInput::releaseWindowOver once the repeat window is over.
    virtual void startRepeatWindow() = 0;
};

// The letter keyboard's input in its three modes, without widgets: the window
// maps clicks, key events and Timer1's ticks to these calls, and shows what
// comes back through ExerciseView and ScanView. The scan position is the
// engine's TastoCorrente, which checking may move too.
//
// Every step that judges a letter or starts a word may wait while a help is
// given, handling events meanwhile; if the exercise ends during that wait the
// handler stops there.
class KeyboardInput
{
public:
    KeyboardInput(ProgramState& state, ExerciseEngine& engine, ExerciseView& view, ScanView& scan);

    // Scanning set-up at activation: with the frame, the scan starts on key 0;
    // Timer1 starts in both scanning modes.
    void avvia();

    // Mouse.
    void keyClicked(int key);
    void avantiClicked();

    // Keys of the keyboard: typed letters in mode 0, switches in the
    // scanning modes.
    void keyPressed(int qtKey, const QString& text, bool autoRepeat);
    void keyReleased(int qtKey, bool autoRepeat);
    void releaseWindowOver();
    // The switch box lost the focus while keys were down.
    void keysLost();

    // Timer1.
    void tick();

    int mode() const { return modalitaInUso(state_); }

private:
    void letterTyped(const QString& text);
    void keyUp(int qtKey);
    void manualRelease(int qtKey);
    void automaticRelease(int qtKey);
    void step();
    void mark();
    void resumeScan();
    bool controlla(int key);
    bool avanti();
    bool avantiEnabled() const;
    QString letter(int key) const;

    ProgramState& state_;
    ExerciseEngine& engine_;
    ExerciseView& view_;
    ScanView& scan_;
    std::array<bool, kNumeroTasti> visible_{};
    SwitchKeys switches_;
};

} // namespace ortolino
