#pragma once

#include <algorithm>
#include <vector>

namespace ortolino {

class Clock;

// What every scanning window shares: the input modes, the pace of Timer1 and
// the switches, which are wired as keyboard keys (Space, and Enter for manual
// scanning).

// Input modes of ModalitaInput.
inline constexpr int kModoMouse = 0;
inline constexpr int kModoScansioneManuale = 1;
inline constexpr int kModoScansioneAutomatica = 2;

// Interval of Timer1 in manual scanning: it only keeps the focus on the
// switch box.
inline constexpr int kIntervalloFuocoMs = 100;

// The automatic scan step: VelocitaScansione × 250 ms, with the step held to
// the range the configuration offers (4 to 60, 1 to 15 seconds) so that a
// hand-edited profile can neither overflow nor stall the scan.
int intervalloScansioneMs(int velocitaScansione);

// What a switch sends.
enum class TastoSensore
{
    Spazio,
    Invio,
    Altro
};
TastoSensore tastoSensore(int qtKey);

// Which keys are down, so that a held switch counts once. A repeat is either
// marked as such by the system, or a second press of a key already down, or
// (as some X servers repeat a held key, seen under Xvfb) a release at once
// followed by a press of the same key, or a switch whose contacts bounce (let
// go and made again for a moment, up to some 50 ms). A release is therefore
// final only when no press of that key follows within kRepeatWindowMs; until
// then it is pending. No switch can be let go and pressed again that fast, so
// no real press is lost. A release whose press was not seen here (the Enter that
// opened the window from the previous one) is ignored.
class SwitchKeys
{
public:
    static constexpr int kRepeatWindowMs = 60;
    static_assert(kRepeatWindowMs > 50,
                  "a bouncing contact, made again within 50 ms, is one press");

    // True when the key goes down now, false for a repeat.
    bool press(int key, bool autoRepeat);
    // True when the release is now pending (the caller starts the repeat
    // window). A release still pending for another key becomes final at once
    // and is handed back in *earlier (else 0).
    bool release(int key, bool autoRepeat, int* earlier);
    // The pending release, now final, or 0.
    int takePendingRelease();
    // The keys will not be released here (the focus went elsewhere): every
    // key counts as up and a pending release is dropped. True when some key
    // was down.
    bool forget();

private:
    std::vector<int> down_;
    int pending_ = 0;
};

// The pace and the patience of scanning, set per child. The defaults change
// nothing: every press counts, every item is held one step, the automatic
// scan never pauses.
struct ScanTiming
{
    int stepMs = 1000;           // the automatic step
    double firstItemSteps = 1;   // the first item of a round is held this many steps
    int loopsBeforePause = 0;    // rounds without a choice before the automatic scan
                                 // pauses; 0 never
    int acceptanceMs = 0;        // a press (down to up) shorter than this is ignored
    int ignoreAfterChoiceMs = 0; // presses starting this soon after a choice are ignored
};

// With an item spoken as the scan reaches it, the step lasts at least the
// spoken length and this gap after it.
inline constexpr int kSpokenGapMs = 150;
// A choice that must be confirmed (leaving the exercise or the program) waits
// this long for the second choice.
inline constexpr int kConfirmMs = 5000;

// The timing rules of switch scanning, read from the clock (a manual one in
// tests), shared by the exercise window and the main menu. The window reports
// each switch going down and up (repeats already filtered out) and each
// automatic step; the rules say whether a press counts, how long the item
// just reached stays, whether the scan pauses, and whether a choice needing
// confirmation is confirmed. Without a clock every press counts.
class SwitchTiming
{
public:
    // `lastChoice` (may be null) is when a switch last chose in any window:
    // read now, written at every choice.
    void setTiming(const ScanTiming& timing, const Clock* clock, double* lastChoice = nullptr);
    const ScanTiming& timing() const { return timing_; }

    // A switch (`key`) went down. A press that starts inside the ignore time
    // after a choice will not count.
    void down(int key);
    // The switch came up: true when its press counts (held at least the
    // acceptance time, not started inside the ignore time).
    bool up(int key);
    // The presses will not come up here (the focus went): none counts.
    void lost() { presses_.clear(); }
    // A choice was made now: the ignore time starts, the rounds count anew.
    void chose();

    // How long the item just reached stays before the next automatic step:
    // a step, or the first-item hold on the first item of a round, and never
    // shorter than the item's spoken length (setSpokenMs) and a short gap.
    int holdMs(bool firstItem) const;
    // Hook for auditory scanning: the item just reached takes this long to
    // be heard (0: it is not spoken). Cleared at the next step.
    void setSpokenMs(int ms) { spokenMs_ = std::max(ms, 0); }

    // An automatic step is due and would reach `first` (the first item of a
    // round): true when the scan pauses there instead, after the set number
    // of whole rounds without a choice.
    bool pauseInsteadOfStep(bool first);
    bool paused() const { return paused_; }
    // The pause ends (a counted press): the scan goes on from the first item.
    void resume();

    // A choice that needs confirming was made on `item`: true when it
    // confirms the same item's first choice made within kConfirmMs; otherwise
    // the item is now asking for its confirmation.
    bool confirm(int item);
    // The item asking for confirmation, or -1 (none, or its time is up).
    int asking() const;
    void stopAsking() { asking_ = -1; }
    // What is left of the confirmation's time, in milliseconds.
    int askingLeftMs() const;

private:
    double now() const;

    ScanTiming timing_;
    struct Press
    {
        int key;
        double at;
        bool ignored;
    };
    const Clock* clock_ = nullptr;
    std::vector<Press> presses_; // the switches down
    double choseAt_ = -1e9;
    double* lastChoice_ = nullptr;
    int spokenMs_ = 0;
    int rounds_ = 0;
    bool paused_ = false;
    int asking_ = -1;
    double askedAt_ = 0;
};

} // namespace ortolino
