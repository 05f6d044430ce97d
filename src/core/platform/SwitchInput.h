#pragma once

#include <vector>

namespace ortolino {

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
// followed by a press of the same key. A release is therefore final only when
// no press of that key follows within kRepeatWindowMs; until then it is
// pending. No switch can be let go and pressed again that fast, so no real
// press is lost. A release whose press was not seen here (the Enter that
// opened the window from the previous one) is ignored.
class SwitchKeys
{
public:
    static constexpr int kRepeatWindowMs = 30;

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

} // namespace ortolino
