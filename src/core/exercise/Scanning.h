#pragma once

#include "core/app/ProgramState.h"
#include "core/platform/SwitchInput.h"

#include <array>
#include <functional>
#include <QString>
#include <vector>

namespace ortolino {

class Clock;
class ExerciseEngine;
class ExerciseView;

// The scan position of the "back to the menu" target, after the last key.
inline constexpr int kTastoMenu = kNumeroTasti;

// The mode in force: ModalitaInput, where a value no mode has (a hand-edited
// profile) counts as mouse or keyboard.
int modalitaInUso(const ProgramState& state);

// Puts the key letters (LettereTastiera) in the case in force (keyCaption).
// The window then writes them as the key captions and hides the keys whose
// letter is not active.
void ImpostaTastiera(ProgramState& state);

// The next visible key after `key`, cyclically (25 is followed by 0). With no
// visible key at all the position stays where it is.
int prossimoTastoVisibile(int key, const std::array<bool, kNumeroTasti>& visible);

// The design key (0 to 25, the keyboard's QWERTY rows) at the place of a
// physical key, given by its X keycode (the Linux key code plus 8, which X
// and Wayland both report whatever the layout); -1 for a place with no
// letter key.
int tastoAllaPosizione(int keycode);

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
    // Timer1's interval from now on; a running timer counts it from now.
    virtual void setTimer1Interval(int ms) = 0;
    // The automatic scan paused after its rounds without a choice (the sign
    // shown, the mark hidden), or goes on.
    virtual void showPaused(bool paused) = 0;
    // The "back to the menu" target waits for its confirming choice, or not.
    virtual void showAsking(bool asking) = 0;
};

// The letter keyboard's input in its three modes, without widgets: the window
// maps clicks, key events and Timer1's ticks to these calls, and shows what
// comes back through ExerciseView and ScanView. The scan position is the
// engine's TastoCorrente, which checking may move too.
//
// Every step that judges a letter or starts a word may wait while a help is
// given, handling events meanwhile; if the exercise ends during that wait the
// handler stops there.
//
// The child's timing rules (SwitchTiming) apply in both scanning modes: a
// press too short or too soon after a choice is no press; the automatic scan
// holds the first key of each round longer and pauses after the set rounds
// without a choice. With the "back to the menu" target on (scanning only),
// the scan visits it after the last key; choosing it asks for a second choice
// within kConfirmMs, which leaves the exercise.
class KeyboardInput
{
public:
    KeyboardInput(ProgramState& state, ExerciseEngine& engine, ExerciseView& view, ScanView& scan,
                  const Clock* clock);

    // Scanning set-up at activation: with the frame, the scan starts on key 0;
    // Timer1 starts in both scanning modes.
    void avvia();

    // Mouse.
    void keyClicked(int key);
    void avantiClicked();

    // A character typed on the keyboard (mode 0), its repeats already
    // filtered out by the window, with the design key at the physical key's
    // place (tastoAllaPosizione). A letter of another alphabet (a Russian or
    // Greek layout, switched on by a chance Alt+Shift) is the letter of that
    // place, the one printed on the key: the child's key still writes.
    void letterTyped(const QString& text, int keyAtPlace = -1);

    // The switches, from the switch box: a key went down, came up, or was
    // lost with the focus (its release will not come). Repeats are already
    // filtered out.
    void switchDown(int qtKey);
    void switchUp(int qtKey);
    void keysLost();

    // Timer1.
    void tick();

    int mode() const { return modalitaInUso(state_); }
    // The "back to the menu" target is in the scan.
    bool backTarget() const { return backTarget_; }

    // Hook for auditory scanning: the item just reached takes this long to
    // be heard; the automatic step waits for it and a short gap.
    void itemSpoken(int ms);

    // The order the scan visits the keys in (the compact keyboard's: its
    // keys row by row); empty: the visible keys in index order. The scan
    // starts on the first of them.
    void setScanOrder(std::vector<int> order) { order_ = std::move(order); }

private:
    void manualRelease(int qtKey);
    void automaticRelease(int qtKey);
    void step();
    int nextKey(int key) const;
    void mark();
    void resumeScan();
    void resumeFromPause();
    int firstPosition() const;
    int nextPosition(int from) const;
    bool chooseBackTarget();
    bool chooseLetter();
    void stopAsking();
    bool controlla(int key);
    bool avanti();
    bool avantiEnabled() const;
    QString letter(int key) const;

    ProgramState& state_;
    ExerciseEngine& engine_;
    ExerciseView& view_;
    ScanView& scan_;
    const Clock* clock_;
    SwitchTiming timing_;
    std::array<bool, kNumeroTasti> visible_{};
    std::vector<int> order_;
    bool backTarget_ = false;
    bool startOver_ = true; // the next step goes to the first key
    bool unmarked_ = true;  // no key marked yet: a choice chooses nothing
    bool askingShown_ = false;
    int switchesDown_ = 0;
    int judging_ = 0; // automatic choices whose letter is being judged (helps wait)
};

} // namespace ortolino
